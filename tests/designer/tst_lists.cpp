// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgcomparisonform.h"
#include "tqgdesignlists.h"
#include "tqgscrollbox.h"
#include "tqgsortform.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"
#include "tqgvalueform.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace DesignFixture;

using Rows = QList<QStringList>;

class TestLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void columnsAndPopups();
    void moveAtTheEnds_data();
    void moveAtTheEnds();
    void moveKeepsSelection();
    void removeSelection_data();
    void removeSelection();
    void booleanOperator();
    void selectingOrRowSwitchesRadio();
    void sortRadiosKeepLastChoice();
    void sideButtonsFollowSelection();
    void sortRowsFromPopupAndDrop();
    void newNeedsCurrentTable();
    void cancelledDialogKeepsRow();
    void editConditionThroughDialog_data();
    void editConditionThroughDialog();
    void editValueThroughDialog();
    void editSortThroughDialog();
    void parameterFill();
    void parameterFillWithoutTable();
    void workedExampleSelect();
    void workedExampleUpdateInsertDelete();

private:
    TQGCheckListBox *place(const QString &table);
    void select(QTreeWidget *list, int row) { TQGDesignLists::SelectRow(list, row); }
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
    TQGDesignLists *lists() const { return m_form->Lists(); }
};

void TestLists::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"CLIENTS.DB", {"ClientNo", "Firm", "Town"}},
                                        {"SALES.DB", {"SaleNo", "ClientNo", "SaleDay"}},
                                        {"contacts", {"Cust No", "E-Mail", "2nd Phone"}}}));
}

void TestLists::init()
{
    m_form = OpenForm();
    m_form->SetQuoteIdentifiers(false);
    // No dialog runs modally unless a test says how to answer it.
    lists()->ExecDialog = [](QDialog *) { return int(QDialog::Rejected); };
}

void TestLists::cleanup()
{
    m_form.reset();
}

TQGCheckListBox *TestLists::place(const QString &table)
{
    SelectTables(m_form.get(), {table});
    m_form->Canvas()->ListView1DblClick();
    return m_form->ScrollBox1()->TableWindows().last();
}

void TestLists::columnsAndPopups()
{
    QCOMPARE(m_form->ListView2()->headerItem()->text(3), QStringLiteral("boolean Operator"));
    QCOMPARE(m_form->ListView2()->columnWidth(2), 160);
    QCOMPARE(m_form->ListView5()->columnCount(), 2);
    QCOMPARE(m_form->ListView3()->headerItem()->text(1), QStringLiteral("Ascending"));
    auto captions = [&](const char *name) {
        QStringList texts;
        for (QAction *a : m_form->findChild<QMenu *>(name)->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text() + u'|' + a->shortcut().toString());
        return texts;
    };
    QCOMPARE(captions("PopupMenu4"), QStringList({"New|", "-", "Move Up|Ctrl+U", "Move Down|Ctrl+D", "Remove|Del", "-",
                                                  "Open Parenthesis|", "Close Parenthesis|", "NOT|", "Clear Grouping|"}));
    QCOMPARE(captions("PopupMenu3"), QStringList({"Move Up|Ctrl+U", "Move Down|Ctrl+D", "Remove|Del"}));
    QCOMPARE(captions("PopupMenu5"), QStringList({"Move Up|Ctrl+U", "Move Down|Ctrl+D", "Remove|Del"}));
    QCOMPARE(m_form->findChild<QToolButton *>("SpeedButton19")->toolTip(), QStringLiteral("Fill Parameter List"));
    for (const char *r : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"})
        QVERIFY(!m_form->findChild<QRadioButton *>(r)->isEnabled());
    QVERIFY(m_form->findChild<QRadioButton *>("RadioButton1")->isChecked());
    QVERIFY(m_form->findChild<QRadioButton *>("RadioButton3")->isChecked());
}

void TestLists::moveAtTheEnds_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("columns");
    QTest::newRow("conditions") << "ListView2" << 4;
    QTest::newRow("values") << "ListView5" << 2;
    QTest::newRow("sorting") << "ListView3" << 2;
}

void TestLists::moveAtTheEnds()
{
    QFETCH(QString, list);
    QFETCH(int, columns);
    auto *l = m_form->findChild<QTreeWidget *>(list);
    for (int i = 0; i < 3; ++i) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << (c == 3 ? QStringLiteral("AND") : QStringLiteral("r%1c%2").arg(i).arg(c));
        m_form->Lists()->AddRow(l, row);
    }
    const Rows before = TQGDesignLists::Rows(l);
    m_form->Memo1()->setPlainText(QStringLiteral("marker"));
    select(l, 0);
    lists()->MoveItemUp(l);
    select(l, 2);
    lists()->MoveItemDown(l);
    QCOMPARE(TQGDesignLists::Rows(l), before);
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("marker"));
    // A move in the middle swaps every column and regenerates.
    select(l, 1);
    lists()->MoveItemDown(l);
    QCOMPARE(TQGDesignLists::Rows(l).at(2), before.at(1));
    QCOMPARE(TQGDesignLists::Rows(l).at(1), before.at(2));
    QVERIFY(m_form->Memo1()->toPlainText().isEmpty());
}

void TestLists::moveKeepsSelection()
{
    QTreeWidget *l = m_form->ListView3();
    for (const char *f : {"a", "b", "c"})
        m_form->Lists()->AddRow(l, {QLatin1String(f), "Yes"});
    select(l, 2);
    m_form->findChild<QToolButton *>("SpeedButton9")->click();
    QCOMPARE(TQGDesignLists::SelectedRow(l), 1);
    m_form->findChild<QToolButton *>("SpeedButton9")->click();
    QCOMPARE(TQGDesignLists::SelectedRow(l), 0);
    QCOMPARE(TQGDesignLists::Rows(l), Rows({{"c", "Yes"}, {"a", "Yes"}, {"b", "Yes"}}));
}

void TestLists::removeSelection_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("only row") << 1 << 0 << -1 << QStringList();
    QTest::newRow("last of three") << 3 << 2 << 1 << QStringList({"r0", "r1"});
    QTest::newRow("middle of three") << 3 << 1 << 1 << QStringList({"r0", "r2"});
    QTest::newRow("first of three") << 3 << 0 << 0 << QStringList({"r1", "r2"});
}

void TestLists::removeSelection()
{
    QFETCH(int, rows);
    QFETCH(int, removed);
    QFETCH(int, selectedAfter);
    QFETCH(QStringList, remaining);
    QTreeWidget *l = m_form->ListView5();
    for (int i = 0; i < rows; ++i)
        m_form->Lists()->AddRow(l, {QStringLiteral("r%1").arg(i), QString()});
    select(l, removed);
    m_form->findChild<QToolButton *>("SpeedButton14")->click();
    QStringList names;
    for (const QStringList &r : TQGDesignLists::Rows(l))
        names << r.first();
    QCOMPARE(names, remaining);
    QCOMPARE(TQGDesignLists::SelectedRow(l), selectedAfter);
    // Without a selection nothing happens.
    l->clearSelection();
    lists()->RemoveItem(l);
    QCOMPARE(l->topLevelItemCount(), remaining.size());
}

void TestLists::booleanOperator()
{
    place(QStringLiteral("CLIENTS.DB"));
    QTreeWidget *l = m_form->ListView2();
    lists()->AddConditionRow("CLIENTS_DB.ClientNo", "= (Equals)", "1");
    lists()->AddConditionRow("CLIENTS_DB.Town", "= (Equals)", "'Leeds'");
    l->clearSelection();
    auto *orButton = m_form->findChild<QRadioButton *>("RadioButton2");
    lists()->ChangeBooleanOperator(1);
    QCOMPARE(l->topLevelItem(0)->text(3), QStringLiteral("AND"));
    select(l, 0);
    QVERIFY(orButton->isEnabled());
    orButton->click();
    QCOMPARE(l->topLevelItem(0)->text(3), QStringLiteral("OR"));
    QCOMPARE(l->topLevelItem(1)->text(3), QStringLiteral("AND"));
    QCOMPARE(m_form->Memo1()->Lines().mid(2),
             QStringList({"WHERE ", " CLIENTS_DB.ClientNo = 1 OR ", " CLIENTS_DB.Town = 'Leeds' "}));
}

void TestLists::selectingOrRowSwitchesRadio()
{
    QTreeWidget *l = m_form->ListView2();
    m_form->Lists()->AddRow(l, {"a", "=", "1", "AND"});
    m_form->Lists()->AddRow(l, {"b", "=", "2", "OR"});
    m_form->Lists()->AddRow(l, {"c", "=", "3", "or"});
    select(l, 0);
    QVERIFY(m_form->findChild<QRadioButton *>("RadioButton1")->isChecked());
    select(l, 1);
    QVERIFY(m_form->findChild<QRadioButton *>("RadioButton2")->isChecked());
    QCOMPARE(l->topLevelItem(1)->text(3), QStringLiteral("OR"));
    // Anything but "AND" chooses OR, and the row then takes "OR".
    select(l, 0);
    select(l, 2);
    QCOMPARE(l->topLevelItem(2)->text(3), QStringLiteral("OR"));
    QCOMPARE(l->topLevelItem(0)->text(3), QStringLiteral("AND"));
}

void TestLists::sortRadiosKeepLastChoice()
{
    QTreeWidget *l = m_form->ListView3();
    m_form->Lists()->AddRow(l, {"a", "No"});
    auto *yes = m_form->findChild<QRadioButton *>("RadioButton3");
    auto *no = m_form->findChild<QRadioButton *>("RadioButton4");
    select(l, 0);
    QVERIFY(yes->isEnabled());
    QVERIFY(yes->isChecked());  // the buttons do not show the row's direction
    yes->click();
    QCOMPARE(l->topLevelItem(0)->text(1), QStringLiteral("No"));
    no->click();
    yes->click();
    QCOMPARE(l->topLevelItem(0)->text(1), QStringLiteral("Yes"));
    l->clearSelection();
    QVERIFY(!yes->isEnabled());
}

void TestLists::sideButtonsFollowSelection()
{
    auto *up = m_form->findChild<QToolButton *>("SpeedButton6");
    QVERIFY(up->isEnabled());  // until the first change of the list
    m_form->Lists()->AddRow(m_form->ListView2(), {"a", "=", "1", "AND"});
    QVERIFY(!up->isEnabled());
    select(m_form->ListView2(), 0);
    QVERIFY(up->isEnabled());
    QVERIFY(m_form->findChild<QToolButton *>("SpeedButton8")->isEnabled());
    // The Values and Sorting buttons stay enabled.
    QVERIFY(m_form->findChild<QToolButton *>("SpeedButton12")->isEnabled());
    QVERIFY(m_form->findChild<QToolButton *>("SpeedButton9")->isEnabled());
}

void TestLists::sortRowsFromPopupAndDrop()
{
    TQGCheckListBox *w = place(QStringLiteral("CLIENTS.DB"));
    w->setCurrentRow(1);
    m_form->SetCurrentTable(w);
    m_form->findChild<QAction *>("Descending1")->trigger();
    m_form->Canvas()->ListView3DragDrop();
    m_form->findChild<QAction *>("Ascending1")->trigger();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()),
             Rows({{"CLIENTS_DB.Firm", "No"}, {"CLIENTS_DB.Firm", "Yes"}, {"CLIENTS_DB.Firm", "Yes"}}));
    QCOMPARE(TQGDesignLists::SelectedRow(m_form->ListView3()), 2);
    QCOMPARE(m_form->Memo1()->Lines().mid(2),
             QStringList({"ORDER BY ", " CLIENTS_DB.Firm DESC, ", " CLIENTS_DB.Firm, ", " CLIENTS_DB.Firm"}));
}

void TestLists::newNeedsCurrentTable()
{
    bool opened = false;
    lists()->ExecDialog = [&](QDialog *) { opened = true; return int(QDialog::Rejected); };
    lists()->New2Click();
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 0);
    QVERIFY(!opened);
    m_form->SetCurrentTable(place(QStringLiteral("CLIENTS.DB")));
    m_form->findChild<QAction *>("New2")->trigger();
    QVERIFY(opened);
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()), Rows({{"", "=", "", "AND"}}));
}

void TestLists::cancelledDialogKeepsRow()
{
    TQGCheckListBox *w = place(QStringLiteral("CLIENTS.DB"));
    w->setCurrentRow(2);
    m_form->SetCurrentTable(w);
    QString seenValueBox;
    lists()->ExecDialog = [&](QDialog *d) {
        auto *c = qobject_cast<TQGComparisonForm *>(d);
        seenValueBox = c ? QString::number(int(c->ActiveBox())) : QString();
        return int(QDialog::Rejected);
    };
    const QString before = m_form->Memo1()->toPlainText();
    m_form->findChild<QAction *>("AddFieldCondition1")->trigger();
    QCOMPARE(seenValueBox, QString::number(int(TQGComparisonForm::Box::Value)));
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()), Rows({{"CLIENTS_DB.Town", "=", "", "AND"}}));
    // The row is part of the design, and so of its text, at once; one Undo takes it back.
    QVERIFY(m_form->Memo1()->toPlainText().contains(QStringLiteral(" CLIENTS_DB.Town =  ")));
    m_form->UndoStack()->undo();
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 0);
    QCOMPARE(m_form->Memo1()->toPlainText(), before);
}

void TestLists::editConditionThroughDialog_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("greater than") << "RadioButton5" << "5" << QStringList({"CLIENTS_DB.ClientNo", "> (Greater Than)", "5", "AND"});
    QTest::newRow("is null empties value") << "RadioButton10" << "" << QStringList({"CLIENTS_DB.ClientNo", "IS NULL", "", "AND"});
    QTest::newRow("is not null empties value") << "RadioButton11" << "" << QStringList({"CLIENTS_DB.ClientNo", "IS NOT NULL", "", "AND"});
}

void TestLists::editConditionThroughDialog()
{
    QFETCH(QString, choice);
    QFETCH(QString, typed);
    QFETCH(QStringList, row);
    place(QStringLiteral("CLIENTS.DB"));
    m_form->Lists()->AddRow(m_form->ListView2(), {"CLIENTS_DB.ClientNo", "= (Equals)", "old", "AND"});
    select(m_form->ListView2(), 0);
    lists()->ExecDialog = [&](QDialog *d) {
        auto *c = qobject_cast<TQGComparisonForm *>(d);
        c->Label4Click();
        c->findChild<QRadioButton *>(choice)->click();
        if (!typed.isEmpty())
            c->Label10->setText(typed);
        return int(QDialog::Accepted);
    };
    lists()->ListView2DblClick();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()).first(), row);
    QVERIFY(m_form->Memo1()->toPlainText().contains(QStringLiteral("WHERE ")));
}

void TestLists::editValueThroughDialog()
{
    place(QStringLiteral("CLIENTS.DB"));
    m_form->DefineQueryType(2);
    TQGCheckListBox *w = m_form->ScrollBox1()->TableWindows().first();
    w->setCurrentRow(1);
    m_form->SetCurrentTable(w);
    lists()->ExecDialog = [](QDialog *d) {
        auto *v = qobject_cast<TQGValueForm *>(d);
        v->findChild<QComboBox *>("ComboBox4")->setCurrentIndex(1);
        QTest::keyClicks(v->findChild<QLineEdit *>("Edit2"), QStringLiteral("O'Brien"));
        return int(QDialog::Accepted);
    };
    m_form->findChild<QAction *>("SetFieldValue1")->trigger();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView5()), Rows({{"Firm", "'O''Brien'"}}));
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"UPDATE \"CLIENTS.DB\" AS CLIENTS_DB", "SET ", " Firm = 'O''Brien'"}));
}

void TestLists::editSortThroughDialog()
{
    place(QStringLiteral("CLIENTS.DB"));
    m_form->Lists()->AddRow(m_form->ListView3(), {"CLIENTS_DB.Firm", "Yes"});
    select(m_form->ListView3(), 0);
    QString startTable = QStringLiteral("unset");
    bool startedAscending = false;
    bool descendingClicked = false;
    lists()->ExecDialog = [&](QDialog *d) {
        auto *s = qobject_cast<TQGSortForm *>(d);
        auto *tables = s->findChild<QComboBox *>("ComboBox1");
        startTable = tables->currentText();
        tables->setCurrentIndex(0);
        s->findChild<QComboBox *>("ComboBox2")->setCurrentIndex(2);
        // The user's choice of direction, by the radio button of the dialog.
        auto *ascending = s->findChild<QRadioButton *>("RadioGroup1Item0");
        auto *descending = s->findChild<QRadioButton *>("RadioGroup1Item1");
        startedAscending = ascending && ascending->isChecked();
        if (descending) {
            QTest::mouseClick(descending, Qt::LeftButton, {}, QPoint(5, descending->height() / 2));
            descendingClicked = descending->isChecked();
        }
        return int(QDialog::Accepted);
    };
    lists()->ListView3DblClick();
    QVERIFY(startTable.isEmpty());
    QVERIFY(startedAscending);
    QVERIFY(descendingClicked);
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), Rows({{"CLIENTS_DB.Town", "No"}}));
    // OK with no table chosen leaves the row as it was.
    lists()->ExecDialog = [](QDialog *) { return int(QDialog::Accepted); };
    lists()->ListView3DblClick();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), Rows({{"CLIENTS_DB.Town", "No"}}));
}

void TestLists::parameterFill()
{
    m_form->DefineQueryType(1);
    TQGCheckListBox *w = place(QStringLiteral("contacts"));
    w->item(1)->setCheckState(Qt::Unchecked);
    m_form->Lists()->AddRow(m_form->ListView5(), {"old", "'typed'"});
    m_form->SetCurrentTable(w);
    m_form->findChild<QToolButton *>("SpeedButton19")->click();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView5()),
             Rows({{"Cust No", ":Cust_No"}, {"E-Mail", ":E_Mail"}, {"2nd Phone", ":p2nd_Phone"}}));
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"INSERT INTO contacts (\"Cust No\", \"E-Mail\", \"2nd Phone\") ",
                                                    "VALUES (:Cust_No, :E_Mail, :p2nd_Phone); "}));
    // The table popup's item runs the same command.
    m_form->Lists()->AddRow(m_form->ListView5(), {"extra", "1"});
    m_form->findChild<QAction *>("ParameterFill1")->trigger();
    QCOMPARE(m_form->ListView5()->topLevelItemCount(), 3);
}

void TestLists::parameterFillWithoutTable()
{
    m_form->Lists()->AddRow(m_form->ListView5(), {"old", "'typed'"});
    m_form->SetCurrentTable(nullptr);
    m_form->ParameterFill();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView5()), Rows({{"old", "'typed'"}}));
}

void TestLists::workedExampleSelect()
{
    TQGCheckListBox *clients = place(QStringLiteral("CLIENTS.DB"));
    TQGCheckListBox *sales = place(QStringLiteral("SALES.DB"));
    QCoreApplication::processEvents();
    sales->item(1)->setCheckState(Qt::Unchecked);
    // The join: ClientNo of SALES.DB dragged onto ClientNo of CLIENTS.DB.
    m_form->Canvas()->TableStartDrag(sales, sales->viewport()->mapTo(sales, sales->visualItemRect(sales->item(1)).center()));
    QMimeData mime;
    mime.setData(QLatin1String(TQGCanvasCommands::FieldMime), sales->DragId());
    const QPoint at = clients->visualItemRect(clients->item(0)).center();
    QDragEnterEvent enter(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(clients->viewport(), &enter);
    QDropEvent drop(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(clients->viewport(), &drop);
    // A second condition through the popup and the dialog.
    clients->setCurrentRow(2);
    m_form->SetCurrentTable(clients);
    lists()->ExecDialog = [](QDialog *d) {
        auto *c = qobject_cast<TQGComparisonForm *>(d);
        c->ComboBox1->setCurrentIndex(1);
        c->ComboBox4->setCurrentIndex(1);
        QTest::keyClicks(c->Edit2, QStringLiteral("Leeds"));
        return int(QDialog::Accepted);
    };
    m_form->findChild<QAction *>("AddFieldCondition1")->trigger();
    sales->setCurrentRow(2);
    m_form->SetCurrentTable(sales);
    m_form->findChild<QAction *>("Descending1")->trigger();
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"SELECT CLIENTS_DB.*, SALES_DB.SaleNo, SALES_DB.SaleDay FROM",
                                                    "\"CLIENTS.DB\" CLIENTS_DB, \"SALES.DB\" SALES_DB", "WHERE ",
                                                    " SALES_DB.ClientNo = CLIENTS_DB.ClientNo AND ",
                                                    " CLIENTS_DB.Town = 'Leeds' ", "ORDER BY ",
                                                    " SALES_DB.SaleDay DESC"}));
}

void TestLists::workedExampleUpdateInsertDelete()
{
    TQGCheckListBox *clients = place(QStringLiteral("CLIENTS.DB"));
    m_form->DefineQueryType(2);
    const QStringList values = {"'North Ltd'", "'Leeds'"};
    int next = 0;
    lists()->ExecDialog = [&](QDialog *d) {
        if (auto *v = qobject_cast<TQGValueForm *>(d)) {
            v->findChild<QLineEdit *>("Label10")->setText(values.at(next++));
        } else if (auto *c = qobject_cast<TQGComparisonForm *>(d)) {
            c->ComboBox1->setCurrentIndex(1);
            c->Edit1->clear();
            QTest::keyClicks(c->Edit1, QStringLiteral("1001"));
        }
        return int(QDialog::Accepted);
    };
    m_form->SetCurrentTable(clients);
    for (int row : {1, 2}) {
        clients->setCurrentRow(row);
        m_form->Canvas()->SetFieldValue1Click();
    }
    clients->setCurrentRow(0);
    m_form->Canvas()->AddFieldCondition1Click();
    QCOMPARE(m_form->ListView2()->topLevelItem(0)->text(2), QStringLiteral("1001"));
    m_form->EditDesign(QStringLiteral("comparison"), [](DesignState &d) { d.conditions[0][1] = QStringLiteral("= (Equals)"); });
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"UPDATE \"CLIENTS.DB\" AS CLIENTS_DB", "SET ", " Firm = 'North Ltd', ",
                                                    " Town = 'Leeds'", "WHERE ", " CLIENTS_DB.ClientNo = 1001 "}));
    m_form->DefineQueryType(1);
    QCOMPARE(m_form->Memo1()->Lines(),
             QStringList({"INSERT INTO \"CLIENTS.DB\" (Firm, Town) ", "VALUES ('North Ltd', 'Leeds'); "}));
    m_form->DefineQueryType(3);
    m_form->EditDesign(QStringLiteral("null test"), [](DesignState &d) {
        d.conditions[0] = QStringList{QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("IS NULL"), QString(), d.conditions[0][3]};
    });
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"DELETE FROM ", "\"CLIENTS.DB\" AS CLIENTS_DB", "WHERE ",
                                                    " CLIENTS_DB.Town IS NULL  "}));
}

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
