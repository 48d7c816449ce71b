// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "designfromdefinition.h"
#include "naming.h"
#include "querydefinition.h"
#include "sqlbuilders.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgcomparisonform.h"
#include "tqgdatalink.h"
#include "tqgdesignlists.h"
#include "tqgdesignoptions.h"
#include "tqgjoinform.h"
#include "tqgquerymenus.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QtTest>

using namespace DesignFixture;

// Join types, totals, DISTINCT and the row limit as the user reaches them in the designer,
// and their designs saved and opened again.
class TestDesignOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void joinProperties_data();
    void joinProperties();
    void linkPopup();
    void totalsSwitch();
    void totalChoosersLeaveNamesReadable();
    void distinctAndLimit();
    void aggregateCondition();
    void classicFileHasNoNewKeys();
    void newQueryResets();

private:
    // clients and sales on the canvas, joined by a drag from clients.ClientNo onto sales.ClientNo.
    TQGDataLink *joinedDesign(TQGQueryForm *form);
    // Saves, reopens in a new window and compares the texts; the file's own statement too.
    void checkReopened(TQGQueryForm *form, const QString &name);
    QTemporaryDir m_dir;
};

void TestDesignOptions::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Town"}}, {"sales", {"SaleNo", "ClientNo"}}}));
}

TQGDataLink *TestDesignOptions::joinedDesign(TQGQueryForm *form)
{
    TQGCanvasCommands *canvas = form->Canvas();
    TQGCheckListBox *clients = canvas->CreateTableWindow("clients", QRect(10, 10, 121, 180), true);
    TQGCheckListBox *sales = canvas->CreateTableWindow("sales", QRect(300, 60, 121, 180), true);
    const IdentifierStyle style = form->Style();
    const QString from = FieldReference("clients", "ClientNo", style);
    const QString to = FieldReference("sales", "ClientNo", style);
    TQGDataLink *link = canvas->CreateLink(clients, sales, from + " = " + to);
    form->AddConditionRow(from, "=", to);
    return link;
}

void TestDesignOptions::checkReopened(TQGQueryForm *form, const QString &name)
{
    const QString file = m_dir.filePath(name);
    form->SaveQueryDefinition(file);
    std::unique_ptr<TQGQueryForm> reopened = OpenForm();
    reopened->LoadQueryDefinition(file);
    QCOMPARE(reopened->Memo1()->toPlainText(), form->Memo1()->toPlainText());
    // What vdqsql reads from the file: the same statement.
    TSession *session = Sessions().DefaultSession();
    const QueryDesign design = DesignFromDefinition(
        LoadQueryDefinitionFile(file), [&](const QString &t) { return session->ListTableFields("SHOP", t); },
        form->Style());
    QCOMPARE(GenerateSQLText(design), form->Memo1()->toPlainText());
    // Saved again from the reopened window: the same file.
    const QString again = m_dir.filePath(QStringLiteral("again-") + name);
    reopened->SaveQueryDefinition(again);
    QFile a(file), b(again);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
}

void TestDesignOptions::joinProperties_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("tip");
    QTest::newRow("left") << "JoinLeft" << int(JoinType::Left) << "LEFT JOIN" << "Left join: every row of clients";
    QTest::newRow("right") << "JoinRight" << int(JoinType::Right) << "RIGHT JOIN" << "Right join: every row of sales";
    QTest::newRow("full") << "JoinFull" << int(JoinType::Full) << "FULL JOIN"
                          << "Full join: every row of clients and of sales";
    QTest::newRow("inner") << "JoinInner" << int(JoinType::Inner) << "clients clients, sales sales" << "";
}

void TestDesignOptions::joinProperties()
{
    QFETCH(QString, choice);
    QFETCH(int, type);
    QFETCH(QString, keyword);
    QFETCH(QString, tip);
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    TQGDataLink *link = joinedDesign(form.get());
    const QString classic = form->Memo1()->toPlainText();
    QStringList sentences;
    // The double click opens the dialog; the test answers it as a user would.
    QTimer::singleShot(0, form.get(), [&] {
        auto *dialog = qobject_cast<TQGJoinForm *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(dialog->ChoiceButton(JoinType::Inner)->isChecked());
        for (QRadioButton *b : dialog->findChildren<QRadioButton *>())
            sentences << b->text();
        dialog->findChild<QRadioButton *>(choice)->setChecked(true);
        dialog->accept();
    });
    QTest::mouseDClick(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(sentences.size(), 4);
    for (const QString &s : sentences)
        QVERIFY2(s.contains(QLatin1String("clients")) || s.contains(QLatin1String("sales")), qPrintable(s));
    QCOMPARE(int(link->GetJoinType()), type);
    const QString text = form->Memo1()->toPlainText();
    QVERIFY2(text.contains(keyword), qPrintable(text));
    if (type == int(JoinType::Inner)) {
        QCOMPARE(text, classic);
        QCOMPARE(link->toolTip(), link->Hint());
    } else {
        QVERIFY2(!text.contains(QLatin1String("WHERE")), qPrintable(text));
        QVERIFY(link->toolTip().contains(tip));
        // The kept side is marked: the link needs room for its arrow head.
        QVERIFY(link->height() >= 14);
    }
    checkReopened(form.get(), QStringLiteral("join-%1.vdq").arg(type));
}

void TestDesignOptions::linkPopup()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    TQGDataLink *link = joinedDesign(form.get());
    QContextMenuEvent event(QContextMenuEvent::Mouse, link->rect().center(), link->mapToGlobal(link->rect().center()));
    QCoreApplication::sendEvent(link, &event);
    QPointer<QMenu> menu = form->findChild<QMenu *>("PopupMenuLink");
    QVERIFY(menu);
    QAction *properties = menu->findChild<QAction *>("JoinProperties1");
    QVERIFY(properties);
    QCOMPARE(properties->text(), QStringLiteral("Join Properties..."));
    // The dialog opens once the menu has closed: answered when it shows.
    QTimer poll;
    connect(&poll, &QTimer::timeout, form.get(), [&] {
        if (auto *dialog = qobject_cast<TQGJoinForm *>(QApplication::activeModalWidget())) {
            poll.stop();
            dialog->SetChoice(JoinType::Left);
            dialog->accept();
        }
    });
    poll.start(10);
    properties->trigger();
    QTRY_COMPARE(link->GetJoinType(), JoinType::Left);
    if (menu)
        menu->close();
}

void TestDesignOptions::totalsSwitch()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    TQGDataLink *link = joinedDesign(form.get());
    form->Options()->SetJoinType(link, JoinType::Left);
    QAction *totals = form->Menus()->Totals();
    QCOMPARE(totals->objectName(), QStringLiteral("Totals1"));
    totals->trigger();
    QVERIFY(form->Options()->Totals());
    QVERIFY(form->Menus()->TotalsButton()->isChecked());
    const QList<TQGCheckListBox *> windows = form->ScrollBox1()->TableWindows();
    for (TQGCheckListBox *w : windows)
        QVERIFY(w->TotalsShown());
    // All grouped at first.
    QVERIFY2(form->Memo1()->toPlainText().contains(QLatin1String("GROUP BY")), qPrintable(form->Memo1()->toPlainText()));
    // Sales: count the sale numbers only.
    TQGCheckListBox *sales = windows.at(1);
    form->Canvas()->SetFieldTicked(sales, 1, false);
    QPointer<QMenu> chooser = sales->ShowTotalChooser(0, QPoint(0, 0));
    QCOMPARE(chooser->objectName(), QStringLiteral("TotalChooser"));
    chooser->findChild<QAction *>("TotalCount")->trigger();
    if (chooser)
        chooser->close();
    QCOMPARE(sales->Total(0), TotalKind::Count);
    form->Canvas()->SetFieldTicked(windows.at(0), 1, false);
    const QString text = form->Memo1()->toPlainText();
    QCOMPARE(text, QStringLiteral("SELECT clients.\"ClientNo\", COUNT(sales.\"SaleNo\") FROM\nclients clients\n"
                                  "LEFT JOIN sales sales ON clients.\"ClientNo\" = sales.\"ClientNo\"\nGROUP BY \n"
                                  " clients.\"ClientNo\""));
    checkReopened(form.get(), QStringLiteral("totals.vdq"));
    // Off again: the classic column list.
    form->Menus()->TotalsButton()->click();
    QVERIFY(!form->Options()->Totals());
    QVERIFY(!form->Memo1()->toPlainText().contains(QLatin1String("GROUP BY")));
}

void TestDesignOptions::totalChoosersLeaveNamesReadable()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    joinedDesign(form.get());
    TQGCheckListBox *wide = form->Canvas()->CreateTableWindow("sales", QRect(10, 300, 400, 180), true);
    form->Options()->SetTotals(true);
    // A table dropped while totals show is sized for them as well.
    form->Canvas()->CreateTableWindow("clients", QRect(500, 300, 60, 180), true);
    const QList<TQGCheckListBox *> windows = form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), 4);
    form->show();  // the boxes are placed in the laid-out viewports
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    for (TQGCheckListBox *w : windows) {
        QFont small = w->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        const QFontMetrics boxMetrics(small);
        for (TotalKind k : {TotalKind::Group, TotalKind::Count, TotalKind::Sum, TotalKind::Max})
            QVERIFY2(w->TotalWidth() > boxMetrics.horizontalAdvance(TQGCheckListBox::TotalCaption(k)) + 10,
                     qPrintable(TQGCheckListBox::TotalCaption(k)));
        const int tick = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
        for (int row = 0; row < w->Fields().size(); ++row) {
            const int nameEnd = tick + w->fontMetrics().horizontalAdvance(w->Fields().at(row));
            QVERIFY2(w->TotalRect(row).left() > nameEnd,
                     qPrintable(QStringLiteral("%1 at %2, box at %3")
                                    .arg(w->Fields().at(row)).arg(nameEnd).arg(w->TotalRect(row).left())));
        }
    }
    // A window the user made wide keeps its width.
    QCOMPARE(wide->width(), 400);
}

void TestDesignOptions::distinctAndLimit()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    TQGCheckListBox *clients = form->Canvas()->CreateTableWindow("clients", QRect(10, 10, 121, 180), true);
    form->Canvas()->SetFieldTicked(clients, 0, false);
    QAction *distinct = form->findChild<QAction *>("DistinctRows1");
    QVERIFY(distinct && distinct->isCheckable());
    distinct->trigger();
    QCOMPARE(form->Memo1()->toPlainText(), QStringLiteral("SELECT DISTINCT clients.\"Town\" FROM\nclients clients"));
    QTimer::singleShot(0, form.get(), [] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("RowLimitDialog"));
        dialog->setIntValue(10);
        dialog->accept();
    });
    form->findChild<QAction *>("RowLimit1")->trigger();
    QCOMPARE(form->Memo1()->toPlainText(),
             QStringLiteral("SELECT DISTINCT clients.\"Town\" FROM\nclients clients\nLIMIT 10"));
    checkReopened(form.get(), QStringLiteral("distinct.vdq"));
    // The query runs and gives the distinct towns, at most ten.
    distinct->trigger();
    QVERIFY(!distinct->isChecked());
    QCOMPARE(form->Memo1()->toPlainText(), QStringLiteral("SELECT clients.\"Town\" FROM\nclients clients\nLIMIT 10"));
}

void TestDesignOptions::aggregateCondition()
{
    TQGComparisonForm dialog;
    DesignTable clients{"clients", {"ClientNo", "Town"}, {true, true}, {}};
    dialog.SetDesigner({clients}, IdentifierStyle{}, {}, false);
    dialog.SetRow(QString(), QString(), QString());
    dialog.Prepare();
    dialog.Label3Click();  // the field box
    dialog.ComboBox2->setCurrentText("clients");
    dialog.ComboBox3->setCurrentIndex(dialog.ComboBox3->findText("ClientNo"));
    QCOMPARE(dialog.FieldText(), QStringLiteral("clients.ClientNo"));
    dialog.ComboBoxAggregate->setCurrentIndex(dialog.ComboBoxAggregate->findText("Count"));
    QCOMPARE(dialog.FieldText(), QStringLiteral("COUNT(clients.ClientNo)"));
    dialog.ComboBoxAggregate->setCurrentIndex(0);
    QCOMPARE(dialog.FieldText(), QStringLiteral("clients.ClientNo"));
}

void TestDesignOptions::classicFileHasNoNewKeys()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    joinedDesign(form.get());
    const QString file = m_dir.filePath("classic.vdq");
    form->SaveQueryDefinition(file);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    for (const char *key : {"JoinType", "Distinct", "Limit", "Total"})
        QVERIFY2(!bytes.contains(key), key);
}

void TestDesignOptions::newQueryResets()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    form->Options()->SetTotals(true);
    form->Options()->SetDistinct(true);
    form->Options()->SetLimit(3);
    form->SpeedButton15Click();
    QVERIFY(!form->Options()->Totals());
    QVERIFY(!form->Options()->Distinct());
    QCOMPARE(form->Options()->Limit(), 0);
    QVERIFY(!form->Menus()->Totals()->isChecked());
    QVERIFY(!form->Menus()->DistinctRows()->isChecked());
}

QTEST_MAIN(TestDesignOptions)
#include "tst_designoptions.moc"
