// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "querydefinition.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdefinitionio.h"
#include "tqgdesignfromsql.h"
#include "tqgdesignlists.h"
#include "tqgdesignoptions.h"
#include "tqgfilecommands.h"
#include "tqgquerymenus.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"

#include <QAction>
#include <QMimeData>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

using namespace DesignFixture;

using Step = std::function<void(TQGQueryForm *)>;
Q_DECLARE_METATYPE(Step)

// Every kind of design change is one step that Undo takes back and Redo does again: the
// saved file and the statement before and after it come back byte for byte.
class TestUndo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void everyChangeUndone_data();
    void everyChangeUndone();
    void changedNTimesUndoneNTimes();
    void unsavedChangesAsked_data();
    void unsavedChangesAsked();

private:
    QByteArray saved(TQGQueryForm *form);
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
    int m_saves = 0;
};

namespace {

TQGCheckListBox *window(TQGQueryForm *form, int k)
{
    return form->ScrollBox1()->TableWindows().at(k);
}

// A drag from a field of one window dropped on a field of another.
void joinDrop(TQGQueryForm *form, TQGCheckListBox *source, int sourceRow, TQGCheckListBox *target, int targetRow)
{
    const QPoint press = source->viewport()->mapTo(source, source->visualItemRect(source->item(sourceRow)).center());
    form->Canvas()->TableStartDrag(source, press);
    QMimeData mime;
    mime.setData(QLatin1String(TQGCanvasCommands::FieldMime), source->DragId());
    const QPoint at = target->visualItemRect(target->item(targetRow)).center();
    QDragEnterEvent enter(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target->viewport(), &enter);
    QDropEvent drop(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target->viewport(), &drop);
}

void selectRow(QTreeWidget *list, int row)
{
    TQGDesignLists::SelectRow(list, row);
}

} // namespace

void TestUndo::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Town"}},
                                        {"sales", {"SaleNo", "ClientNo"}},
                                        {"products", {"ProductNo", "Name"}}}));
}

void TestUndo::init()
{
    // clients and sales joined by a drop, a second condition and a sort row; saved.
    m_form = OpenForm();
    m_form->show();
    TQGCanvasCommands *canvas = m_form->Canvas();
    TQGCheckListBox *clients = canvas->CreateTableWindow("clients", QRect(10, 10, 121, 180), true);
    TQGCheckListBox *sales = canvas->CreateTableWindow("sales", QRect(300, 60, 121, 180), true);
    joinDrop(m_form.get(), clients, 0, sales, 1);
    m_form->AddConditionRow("clients.Town", "=", "'Leeds'");
    m_form->Lists()->AddRow(m_form->ListView3(), {"sales.SaleNo", "Yes"});
    QCOMPARE(m_form->ScrollBox1()->Links().size(), 1);
    m_form->SaveQueryDefinition(m_dir.filePath(QStringLiteral("base.vdq")));
}

void TestUndo::cleanup()
{
    m_form.reset();
}

QByteArray TestUndo::saved(TQGQueryForm *form)
{
    const QString name = m_dir.filePath(QStringLiteral("step%1.vdq").arg(++m_saves));
    TQGDefinitionIO::Save(*form, name);
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestUndo::everyChangeUndone_data()
{
    QTest::addColumn<Step>("prepare");
    QTest::addColumn<Step>("change");
    const Step none = [](TQGQueryForm *) {};
    const Step oneTable = [](TQGQueryForm *f) {
        f->SetCurrentTable(window(f, 1));
        f->Canvas()->RemoveTable1Click();
    };
    const Step totalsOn = [](TQGQueryForm *f) { f->Menus()->TotalsButton()->click(); };

    QTest::newRow("place by double click") << none << Step([](TQGQueryForm *f) {
        SelectTables(f, {"products"});
        f->Canvas()->ListView1DblClick();
    });
    QTest::newRow("remove a table") << none << oneTable;
    QTest::newRow("move by the caption") << none << Step([](TQGQueryForm *f) {
        TQGCheckListBox *w = window(f, 0);
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(40, 8));
        QTest::mouseMove(w, QPoint(140, 48));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(140, 48));
    });
    QTest::newRow("size by the border") << none << Step([](TQGQueryForm *f) {
        TQGCheckListBox *w = window(f, 1);
        const QPoint edge(w->width() - 1, w->height() / 2);
        QTest::mousePress(w, Qt::LeftButton, {}, edge);
        QTest::mouseMove(w, edge + QPoint(60, 0));
        QTest::mouseRelease(w, Qt::LeftButton, {}, edge + QPoint(60, 0));
    });
    QTest::newRow("tick click") << none << Step([](TQGQueryForm *f) { window(f, 0)->item(1)->setCheckState(Qt::Unchecked); });
    QTest::newRow("hide all fields") << none << Step([](TQGQueryForm *f) {
        f->SetCurrentTable(window(f, 1));
        f->Canvas()->HideAllFields1Click();
    });
    QTest::newRow("select all fields") << Step([](TQGQueryForm *f) { f->Canvas()->SetFieldTicked(window(f, 0), 0, false); })
                                       << Step([](TQGQueryForm *f) {
                                              f->SetCurrentTable(window(f, 0));
                                              f->Canvas()->SelectAllFields1Click();
                                          });
    QTest::newRow("draw a link") << none << Step([](TQGQueryForm *f) { joinDrop(f, window(f, 1), 0, window(f, 0), 1); });
    QTest::newRow("rename an alias") << none << Step([](TQGQueryForm *f) {
        QCOMPARE(f->Canvas()->RenameAlias(window(f, 1), QStringLiteral("s2")), QString());
        QVERIFY(f->Memo1()->toPlainText().contains(QStringLiteral("sales s2")));
        QCOMPARE(f->ScrollBox1()->Links().first()->Hint(), QStringLiteral("clients.\"ClientNo\" = s2.\"ClientNo\""));
    });
    QTest::newRow("join type") << none << Step([](TQGQueryForm *f) {
        f->Options()->SetJoinType(f->ScrollBox1()->Links().first(), JoinType::Left);
    });
    QTest::newRow("add a row") << none << Step([](TQGQueryForm *f) { f->AddConditionRow("sales.SaleNo", ">", "3"); });
    QTest::newRow("condition operator") << none << Step([](TQGQueryForm *f) {
        selectRow(f->ListView2(), 1);
        f->findChild<QRadioButton *>("RadioButton2")->click();
    });
    QTest::newRow("move a row") << none << Step([](TQGQueryForm *f) {
        selectRow(f->ListView2(), 0);
        f->Lists()->MoveItemDown(f->ListView2());
    });
    QTest::newRow("remove a row") << none << Step([](TQGQueryForm *f) {
        selectRow(f->ListView3(), 0);
        f->Lists()->RemoveItem(f->ListView3());
    });
    QTest::newRow("query type") << oneTable << Step([](TQGQueryForm *f) {
        f->findChild<QToolButton *>("SpeedButton25")->click();
    });
    QTest::newRow("totals") << none << totalsOn;
    QTest::newRow("total function") << totalsOn << Step([](TQGQueryForm *f) {
        f->Canvas()->SetFieldTotal(window(f, 1), 0, TotalKind::Count);
    });
    QTest::newRow("distinct") << none << Step([](TQGQueryForm *f) { f->Menus()->DistinctRows()->trigger(); });
    QTest::newRow("row limit") << none << Step([](TQGQueryForm *f) { f->Options()->SetLimit(25); });
    QTest::newRow("new query") << none << Step([](TQGQueryForm *f) { f->findChild<QToolButton *>("SpeedButton15")->click(); });
    QTest::newRow("open") << none << Step([this](TQGQueryForm *f) {
        const QString name = m_dir.filePath(QStringLiteral("products.vdq"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n[Table1]\r\nName=products\r\n"
                   "Text0=Name\r\nChecked0=1\r\nLeft=40\r\nTop=30\r\n[Tables]\r\nCount=1\r\n");
        file.close();
        f->LoadQueryDefinition(name);
    });
    QTest::newRow("design from SQL") << none << Step([](TQGQueryForm *f) {
        f->Memo1()->setPlainText(QStringLiteral("SELECT p.Name FROM products p WHERE p.ProductNo = 2"));
        QVERIFY(f->Menus()->DesignFromSql()->DesignfromSQL1Click());
    });
}

void TestUndo::everyChangeUndone()
{
    QFETCH(Step, prepare);
    QFETCH(Step, change);
    MessageLog log;
    prepare(m_form.get());
    const QByteArray before = saved(m_form.get());
    const QString textBefore = m_form->Memo1()->toPlainText();
    const int steps = m_form->UndoStack()->index();
    change(m_form.get());
    const QByteArray after = saved(m_form.get());
    const QString textAfter = m_form->Memo1()->toPlainText();
    QVERIFY2(after != before, "the change changed the design");
    QCOMPARE(m_form->UndoStack()->index(), steps + 1);
    // A new or opened design has nothing unsaved; any other change marks the title.
    const QByteArray tag = QTest::currentDataTag();
    const bool fresh = tag == "new query" || tag == "open";
    QCOMPARE(m_form->IsModified(), !fresh);
    QCOMPARE(m_form->windowTitle().endsWith(u'*'), !fresh);

    m_form->UndoStack()->undo();
    QCOMPARE(saved(m_form.get()), before);
    QCOMPARE(m_form->Memo1()->toPlainText(), textBefore);
    m_form->UndoStack()->redo();
    QCOMPARE(saved(m_form.get()), after);
    QCOMPARE(m_form->Memo1()->toPlainText(), textAfter);
    // The windows show the design again: what the canvas holds is what the file says.
    const QueryDefinition def = ParseQueryDefinitionFile(after, QStringLiteral("after"));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), def.tables.size());
    for (int i = 0; i < windows.size(); ++i)
        QCOMPARE(windows.at(i)->geometry(), QRect(def.tables[i].left, def.tables[i].top, def.tables[i].width,
                                                  def.tables[i].height));
    QCOMPARE(m_form->ScrollBox1()->Links().size(), def.links.size());
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()), def.conditions.rows);
    QCOMPARE(log.messages.size(), 0);
}

// A saved design changed N times and undone N times saves as before; redone, as after.
void TestUndo::changedNTimesUndoneNTimes()
{
    const QByteArray base = saved(m_form.get());
    QVERIFY(!m_form->IsModified());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("SQL Query Generator"));
    m_form->Canvas()->SetFieldTicked(window(m_form.get(), 0), 1, false);
    m_form->Options()->SetDistinct(true);
    m_form->AddConditionRow("sales.SaleNo", "<", "9");
    m_form->Options()->SetLimit(5);
    const QByteArray changed = saved(m_form.get());
    for (int i = 0; i < 4; ++i)
        m_form->findChild<QToolButton *>("bUndo")->click();
    QCOMPARE(saved(m_form.get()), base);
    QVERIFY(!m_form->IsModified());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("SQL Query Generator"));
    for (int i = 0; i < 4; ++i)
        m_form->findChild<QToolButton *>("bRedo")->click();
    QCOMPARE(saved(m_form.get()), changed);
    // Ctrl+Z outside the SQL editor is the design's.
    m_form->ListView2()->setFocus();
    m_form->Menus()->Undo()->trigger();
    QCOMPARE(m_form->Design().limit, 0);
}

void TestUndo::unsavedChangesAsked_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("savedFile");
    QTest::newRow("cancel") << int(VdqMessages::Answer::Cancel) << false << false;
    QTest::newRow("discard") << int(VdqMessages::Answer::Discard) << true << false;
    QTest::newRow("save") << int(VdqMessages::Answer::Save) << true << true;
}

// New Query on a changed design asks first; Cancel keeps the design, Save saves it.
void TestUndo::unsavedChangesAsked()
{
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, savedFile);
    int asked = 0;
    VdqMessages::SetAnswerHook([&](const QString &, const QString &) {
        ++asked;
        return VdqMessages::Answer(answer);
    });
    const QString file = m_dir.filePath(QStringLiteral("asked.vdq"));
    QFile::remove(file);
    m_form->Files()->RunDialog = [&](QFileDialog *) { return file; };
    // Unchanged since saved: nothing to ask.
    m_form->findChild<QToolButton *>("SpeedButton15")->click();
    QCOMPARE(asked, 0);
    m_form->UndoStack()->undo();  // the design again, now differing from its file
    m_form->findChild<QToolButton *>("SpeedButton15")->click();
    QCOMPARE(asked, 1);
    QCOMPARE(m_form->TableCount(), goesOn ? 0 : 2);
    QCOMPARE(QFile::exists(file), savedFile);
    VdqMessages::SetAnswerHook([](const QString &, const QString &) { return VdqMessages::Answer::Discard; });
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
