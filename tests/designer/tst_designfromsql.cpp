// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdesignfromsql.h"
#include "tqgdesignlists.h"
#include "tqgquerymenus.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"

#include <QAction>
#include <QToolButton>
#include <QTreeWidget>

using namespace DesignFixture;

// "Design from SQL" in the designer: the editor's statement replaces the design, a statement
// no design can show leaves it and says why, and the replaced design can be brought back.
class TestDesignFromSql : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void commandsAreOffered();
    void replacesTheDesign();
    void totalsKeepWindowsApart();
    void refusedStatementLeavesTheDesign();
    void undoBringsBackTheReplacedDesign();
    void shortcutsFromEveryFocus_data();
    void shortcutsFromEveryFocus();

private:
    void trigger(const char *name) { m_form->findChild<QAction *>(QLatin1String(name))->trigger(); }
    QStringList captions() const
    {
        QStringList names;
        for (TQGCheckListBox *w : m_form->ScrollBox1()->TableWindows())
            names << w->Caption();
        return names;
    }
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
    QStringList m_messages;
};

void TestDesignFromSql::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm", "Town"}},
                                        {"sales", {"SaleNo", "ClientNo", "Total"}},
                                        {"ledger", {"EntryNo", "Amount"}},
                                        {"products", {"ProductNo", "DescriptionOfTheProduct"}}}));
    VdqMessages::SetHook([this](VdqMessages::Kind, const QString &title, const QString &text) {
        m_messages << title + u'|' + text;
    });
}

void TestDesignFromSql::init()
{
    m_form = OpenForm();
    m_messages.clear();
}

void TestDesignFromSql::cleanup()
{
    m_form.reset();
}

void TestDesignFromSql::commandsAreOffered()
{
    QAction *design = m_form->findChild<QAction *>("DesignfromSQL1");
    QAction *undo = m_form->findChild<QAction *>("UndoDesignfromSQL1");
    QVERIFY(design && undo);
    QCOMPARE(design->text(), QStringLiteral("Design from SQL"));
    QCOMPARE(undo->text(), QStringLiteral("Undo Design from SQL"));
    QVERIFY(!design->shortcut().isEmpty());
    // Ctrl+Z stays the editor's Undo.
    QCOMPARE(m_form->findChild<QAction *>("Undo1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(design->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_Z) && undo->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(!undo->isEnabled());
    QToolButton *button = m_form->findChild<QToolButton *>("bDesignFromSQL");
    QVERIFY(button);
    QCOMPARE(button->toolTip(), QStringLiteral("Design from SQL"));
    QVERIFY(m_form->findChild<QMenu *>("SQLGenerator1")->actions().contains(design));
}

void TestDesignFromSql::replacesTheDesign()
{
    m_form->Memo1()->setPlainText(QStringLiteral("select c.Firm as name, s.Total\n"
                                                 "  from clients c\n"
                                                 "  join sales s on s.ClientNo = c.ClientNo\n"
                                                 " where s.Total > 10\n"
                                                 " order by c.Firm asc"));
    m_form->findChild<QToolButton *>("bDesignFromSQL")->click();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(captions(), QStringList({"clients", "sales"}));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.at(0)->pos(), QPoint(50, 40));
    QCOMPARE(windows.at(1)->pos(), QPoint(195, 40));
    QCOMPARE(windows.at(0)->Ticks(), QList<bool>({false, true, false}));
    QCOMPARE(windows.at(1)->Ticks(), QList<bool>({false, false, true}));
    QCOMPARE(m_form->ScrollBox1()->Links().size(), 1);
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()).size(), 2);
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), QList<QStringList>({{"c.Firm", "Yes"}}));
    // The editor holds the design's own statement now.
    QVERIFY2(m_form->Memo1()->toPlainText().startsWith(QStringLiteral("SELECT c.Firm AS name, s.Total FROM")),
             qPrintable(m_form->Memo1()->toPlainText()));
    QVERIFY(m_form->findChild<QAction *>("UndoDesignfromSQL1")->isEnabled());
    // The next double click places its table after these.
    QCOMPARE(m_form->PlacedTableCount(), 2);
}

// With totals, the choosers widen the windows: the windows the reader placed in a row keep
// clear of each other, so the links between them stay in sight.
void TestDesignFromSql::totalsKeepWindowsApart()
{
    m_form->Memo1()->setPlainText(QStringLiteral("select p.DescriptionOfTheProduct, COUNT(s.SaleNo) from products p\n"
                                                 "left join sales s on s.SaleNo = p.ProductNo\n"
                                                 "group by p.DescriptionOfTheProduct"));
    m_form->findChild<QToolButton *>("bDesignFromSQL")->click();
    QCOMPARE(m_messages, QStringList());
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), 2);
    QVERIFY(windows.at(0)->TotalsShown());
    // Widened past a double click's spacing: placed as it is, it would reach its neighbour.
    QVERIFY2(50 + windows.at(0)->width() + 24 > 195, qPrintable(QString::number(windows.at(0)->width())));
    QVERIFY2(windows.at(1)->x() > windows.at(0)->x() + windows.at(0)->width(),
             qPrintable(QStringLiteral("%1 + %2 >= %3").arg(windows.at(0)->x()).arg(windows.at(0)->width())
                            .arg(windows.at(1)->x())));
}

void TestDesignFromSql::refusedStatementLeavesTheDesign()
{
    m_form->Memo1()->setPlainText(QStringLiteral("SELECT * FROM clients"));
    trigger("DesignfromSQL1");
    const QString designed = m_form->Memo1()->toPlainText();
    const QString text = QStringLiteral("SELECT * FROM clients\nUNION SELECT * FROM ledger");
    m_form->Memo1()->setPlainText(text);
    trigger("DesignfromSQL1");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.constFirst().endsWith(QStringLiteral("a UNION (line 2, column 1).")), qPrintable(m_messages.constFirst()));
    QVERIFY(m_messages.constFirst().startsWith(QStringLiteral("Design from SQL|")));
    QCOMPARE(captions(), QStringList({"clients"}));
    QCOMPARE(m_form->Memo1()->toPlainText(), text);
    QVERIFY(!designed.isEmpty());
}

void TestDesignFromSql::undoBringsBackTheReplacedDesign()
{
    m_form->Memo1()->setPlainText(QStringLiteral("SELECT l.Amount FROM ledger l WHERE l.EntryNo = 1"));
    trigger("DesignfromSQL1");
    const QString first = m_form->Memo1()->toPlainText();
    m_form->Memo1()->setPlainText(QStringLiteral("DELETE FROM clients WHERE Town IS NULL"));
    trigger("DesignfromSQL1");
    QCOMPARE(captions(), QStringList({"clients"}));
    QCOMPARE(m_form->GetQueryType(), QueryType::Delete);
    trigger("UndoDesignfromSQL1");
    QCOMPARE(captions(), QStringList({"ledger"}));
    QCOMPARE(m_form->GetQueryType(), QueryType::Select);
    QCOMPARE(m_form->Memo1()->toPlainText(), first);
    // The first Design from SQL is still on the design's undo stack: the item takes it back too.
    QVERIFY(m_form->findChild<QAction *>("UndoDesignfromSQL1")->isEnabled());
    trigger("UndoDesignfromSQL1");
    QCOMPARE(captions(), QStringList());
    QVERIFY(!m_form->findChild<QAction *>("UndoDesignfromSQL1")->isEnabled());
    // Redo brings the designs back in turn.
    m_form->UndoStack()->redo();
    QCOMPARE(captions(), QStringList({"ledger"}));
    QCOMPARE(m_messages, QStringList());
}

void TestDesignFromSql::shortcutsFromEveryFocus_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("the SQL editor") << "Memo1";
    QTest::newRow("the table list") << "ListView1";
    QTest::newRow("the Conditions list") << "ListView2";
}

// Design from SQL's shortcut works wherever the focus is; Ctrl+Z and Ctrl+Shift+Z undo and
// redo the design from everywhere but the SQL editor, which keeps them for its own text.
void TestDesignFromSql::shortcutsFromEveryFocus()
{
    QFETCH(QString, focus);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->Memo1()->setPlainText(QStringLiteral("SELECT l.Amount FROM ledger l"));
    m_form->PageControl981()->setCurrentIndex(1);
    QWidget *target = m_form->findChild<QWidget *>(focus);
    QVERIFY(target);
    if (focus != QLatin1String("Memo1"))
        m_form->PageControl981()->setCurrentIndex(0);
    target->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(target, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(captions(), QStringList({"ledger"}));
    const bool editor = focus == QLatin1String("Memo1");
    if (editor)
        m_form->Memo1()->setFocus(Qt::OtherFocusReason);
    const QString text = m_form->Memo1()->toPlainText();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(captions(), editor ? QStringList({"ledger"}) : QStringList());
    // Undone, the design gives the empty design's text; in the editor the design stays.
    QCOMPARE(m_form->Memo1()->toPlainText() != text, !editor);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(captions(), QStringList({"ledger"}));
    QCOMPARE(m_form->Memo1()->toPlainText(), text);
    QCOMPARE(m_messages, QStringList());
}

QTEST_MAIN(TestDesignFromSql)
#include "tst_designfromsql.moc"
