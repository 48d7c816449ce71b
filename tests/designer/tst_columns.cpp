// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "querydocument.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgcolumnform.h"
#include "tqgdesignlists.h"
#include "tqgscrollbox.h"
#include "sqlbuilders.h"
#include "tqgsqleditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

using namespace DesignFixture;

// The Columns page and the grouping of conditions, through the designer's own lists: each
// change is one step of the design, its statement says it, and Undo takes it back.
class TestColumns : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { m_form.reset(); }
    void edits_data();
    void edits();
    void tickingFollowsOwnColumns();
    void groupingKeptInTheFile();

private:
    QString columnLine() const { return m_form->Memo1()->Lines().value(0); }
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
    TQGDesignLists *lists() const { return m_form->Lists(); }
};

void TestColumns::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"CLIENTS.DB", {"ClientNo", "Firm", "Town"}}}));
}

void TestColumns::init()
{
    m_form = OpenForm();
    m_form->SetQuoteIdentifiers(false);
    SelectTables(m_form.get(), {QStringLiteral("CLIENTS.DB")});
    m_form->Canvas()->ListView1DblClick();
}

enum class Edit { Add, CountRows, GroupedHidden, Drop, MoveDown, Remove };
Q_DECLARE_METATYPE(Edit)

void TestColumns::edits_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("line");
    QTest::newRow("calculated field with a name")
        << Edit::Add << "SELECT CLIENTS_DB.ClientNo, CLIENTS_DB.Firm, CLIENTS_DB.Town, CLIENTS_DB.ClientNo + 1 AS next FROM";
    QTest::newRow("count of rows") << Edit::CountRows
                                   << "SELECT CLIENTS_DB.ClientNo, CLIENTS_DB.Firm, CLIENTS_DB.Town, COUNT(*) AS n FROM";
    QTest::newRow("grouped, not shown") << Edit::GroupedHidden
                                        << "SELECT CLIENTS_DB.ClientNo, CLIENTS_DB.Firm, CLIENTS_DB.Town FROM";
    QTest::newRow("dragged to the top") << Edit::Drop << "SELECT CLIENTS_DB.Town, CLIENTS_DB.ClientNo, CLIENTS_DB.Firm FROM";
    QTest::newRow("moved down") << Edit::MoveDown << "SELECT CLIENTS_DB.Firm, CLIENTS_DB.ClientNo, CLIENTS_DB.Town FROM";
    QTest::newRow("removed, its field unticked") << Edit::Remove << "SELECT CLIENTS_DB.Firm, CLIENTS_DB.Town FROM";
}

void TestColumns::edits()
{
    QFETCH(Edit, edit);
    QFETCH(QString, line);
    QTreeWidget *list = lists()->Columns();
    // Until a change, the columns are the ticks', shown but not held.
    QCOMPARE(columnLine(), QStringLiteral("SELECT CLIENTS_DB.* FROM"));
    QCOMPARE(list->topLevelItemCount(), 3);
    QVERIFY(m_form->Design().columns.isEmpty());
    lists()->ExecDialog = [&](QDialog *d) {
        auto *form = qobject_cast<TQGColumnForm *>(d);
        if (!form)
            return int(QDialog::Rejected);
        form->ListBox1->setCurrentRow(0);
        form->ListBox1DblClick();  // writes the first field in
        form->Memo1->insertPlainText(QStringLiteral(" + 1"));
        form->Edit1->setText(edit == Edit::Add ? QStringLiteral("next") : QStringLiteral("n"));
        if (edit == Edit::CountRows)
            form->ComboBox1->setCurrentIndex(TQGColumnForm::CountRows);
        if (edit == Edit::GroupedHidden) {
            form->ComboBox1->setCurrentIndex(TQGColumnForm::GroupBy);
            form->CheckBox1->setChecked(false);
        }
        return int(QDialog::Accepted);
    };
    const int steps = m_form->UndoStack()->index();
    switch (edit) {
    case Edit::Add:
    case Edit::CountRows:
    case Edit::GroupedHidden:
        lists()->AddColumnClick();
        break;
    case Edit::Drop: {
        TQGDesignLists::SelectRow(list, 2);
        QMimeData data;
        data.setData(QStringLiteral("application/x-qabstractitemmodeldatalist"), QByteArray());
        const QPoint onFirst = list->visualItemRect(list->topLevelItem(0)).center();
        QDragEnterEvent enter(onFirst, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(onFirst, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &drop);
        break;
    }
    case Edit::MoveDown:
        TQGDesignLists::SelectRow(list, 0);
        lists()->MoveItemDown(list);
        break;
    case Edit::Remove:
        TQGDesignLists::SelectRow(list, 0);
        lists()->RemoveItem(list);
        QVERIFY(!m_form->ScrollBox1()->TableWindows().constFirst()->Ticks().constFirst());
        break;
    }
    QCOMPARE(columnLine(), line);
    if (edit == Edit::GroupedHidden)
        QVERIFY(m_form->Memo1()->toPlainText().contains(QStringLiteral("GROUP BY \n CLIENTS_DB.ClientNo + 1")));
    QVERIFY(!m_form->Design().columns.isEmpty());
    QCOMPARE(m_form->UndoStack()->index(), steps + 1);
    m_form->UndoStack()->undo();
    QCOMPARE(columnLine(), QStringLiteral("SELECT CLIENTS_DB.* FROM"));
    QVERIFY(m_form->Design().columns.isEmpty());
}

// With columns of its own, a tick adds the field's column at the end and an untick takes it away.
void TestColumns::tickingFollowsOwnColumns()
{
    TQGDesignLists::SelectRow(lists()->Columns(), 0);
    lists()->MoveItemDown(lists()->Columns());
    TQGCheckListBox *window = m_form->ScrollBox1()->TableWindows().constFirst();
    m_form->Canvas()->SetFieldTicked(window, 1, false);
    QCOMPARE(columnLine(), QStringLiteral("SELECT CLIENTS_DB.ClientNo, CLIENTS_DB.Town FROM"));
    m_form->Canvas()->SetFieldTicked(window, 1, true);
    QCOMPARE(columnLine(), QStringLiteral("SELECT CLIENTS_DB.ClientNo, CLIENTS_DB.Town, CLIENTS_DB.Firm FROM"));
    lists()->ColumnsFromTicksClick();
    QCOMPARE(columnLine(), QStringLiteral("SELECT CLIENTS_DB.* FROM"));
}

void TestColumns::groupingKeptInTheFile()
{
    for (const char *firm : {"'a'", "'b'", "'c'"})
        lists()->AddConditionRow(QStringLiteral("CLIENTS_DB.Firm"), QStringLiteral("="), QLatin1String(firm));
    QTreeWidget *conditions = m_form->ListView2();
    TQGDesignLists::SelectRow(conditions, 0);
    lists()->ChangeBooleanOperator(1);  // OR
    lists()->NegateClick();
    lists()->OpenParenthesisClick();
    TQGDesignLists::SelectRow(conditions, 1);
    lists()->CloseParenthesisClick();
    const QStringList where = m_form->Memo1()->Lines().mid(2);
    QCOMPARE(where, QStringList({"WHERE ", " NOT ( CLIENTS_DB.Firm = 'a' OR ", " CLIENTS_DB.Firm = 'b' ) AND ",
                                 " CLIENTS_DB.Firm = 'c' "}));
    QCOMPARE(TQGDesignLists::Rows(conditions).at(0),
             QStringList({"CLIENTS_DB.Firm", "=", "'a'", "OR", "NOT (", ""}));
    QCOMPARE(TQGDesignLists::Rows(conditions).at(2), QStringList({"CLIENTS_DB.Firm", "=", "'c'", "AND"}));
    // The file holds the grouping, and reads back to the same statement.
    const QueryDefinition stored = DefinitionOf(m_form->Design());
    QCOMPARE(stored.conditions.columnCount, 6);
    const DesignState read = StateFromDefinition(stored, [&](const QString &) {
        return QStringList({"ClientNo", "Firm", "Town"});
    });
    QCOMPARE(GenerateSQLLines(DesignOf(read, m_form->Style())).mid(2), where);
    TQGDesignLists::SelectRow(conditions, 0);
    lists()->ClearGroupingClick();
    TQGDesignLists::SelectRow(conditions, 1);
    lists()->ClearGroupingClick();
    QCOMPARE(DefinitionOf(m_form->Design()).conditions.columnCount, 4);
}

QTEST_MAIN(TestColumns)
#include "tst_columns.moc"
