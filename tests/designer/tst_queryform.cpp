// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgaboutform.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdesignlists.h"
#include "tqgqueryexecution.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace DesignFixture;

class TestQueryForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void namedControls_data();
    void namedControls();
    void toolButtons_data();
    void toolButtons();
    void initialState();
    void statusBarAndTableList();

    void queryTypeSwitch_data();
    void queryTypeSwitch();
    void twoTablesRefuseSwitch_data();
    void twoTablesRefuseSwitch();
    void switchKeepsListRows();
    void newQuery();
    void placementStartsAgainAndWraps();
    void removeTableReferences();
    void removingSameAliasTable();
    void linkRowsMarked();
    void ctrlAInTheTableList();
    void showHideTableList();
    void viewStyles();
    void exitCommands_data();
    void exitCommands();
    void escapeDoesNotClose();
    void layoutSizes();
    void listsKeepTheirHeight_data();
    void listsKeepTheirHeight();
    void aboutBox();
    void editorHeightWithResult();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
    TQGCheckListBox *place(const QString &table);
};

void TestQueryForm::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QVERIFY(MakeDatabase(m_dir.path(), {{"CLIENTS.DB", {"ClientNo", "Firm", "Town"}},
                                        {"SALES.DB", {"SaleNo", "ClientNo", "SaleDay"}},
                                        {"A B", {"x", "y"}},
                                        {"A_B", {"x", "z"}},
                                        {"products", {"ProductNo", "Name"}}}));
}

void TestQueryForm::init()
{
    m_form = OpenForm();
}

void TestQueryForm::cleanup()
{
    m_form.reset();
}

TQGCheckListBox *TestQueryForm::place(const QString &table)
{
    SelectTables(m_form.get(), {table});
    m_form->Canvas()->ListView1DblClick();
    return m_form->ScrollBox1()->TableWindows().isEmpty() ? nullptr : m_form->ScrollBox1()->TableWindows().last();
}

void TestQueryForm::namedControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    const char *widgets[][2] = {
        {"MainMenu1", "QMenuBar"}, {"Panel1", "QFrame"}, {"StatusBar1", "QStatusBar"},
        {"Panel3", "QWidget"}, {"ListView1", "TQGTableList"}, {"Panel5", "QWidget"},
        {"Panel4", "QWidget"}, {"Panel2", "QWidget"}, {"Splitter1", "TQGPanelSplitter"},
        {"PageControl981", "QTabWidget"}, {"Query1", "TQuery"}, {"DataSource1", "TDataSource"},
        {"TabSheet1", "QWidget"}, {"TabSheet2", "QWidget"}, {"ScrollBox1", "TQGScrollBox"},
        {"Splitter2", "QSplitter"}, {"PageControl982", "QTabWidget"}, {"TabSheet6", "QWidget"},
        {"TabSheet3", "QWidget"}, {"TabSheet4", "QWidget"}, {"ListView2", "QTreeWidget"},
        {"ListView3", "QTreeWidget"}, {"ListView5", "QTreeWidget"}, {"Panel7", "QWidget"},
        {"x", "QWidget"}, {"Panel6", "QWidget"}, {"Panel11", "QWidget"}, {"Panel13", "QWidget"},
        {"RadioButton1", "QRadioButton"}, {"RadioButton2", "QRadioButton"},
        {"RadioButton3", "QRadioButton"}, {"RadioButton4", "QRadioButton"},
        {"Panel10", "QWidget"}, {"SpeedButton28", "QToolButton"}, {"Memo1", "TQGSqlEditor"},
        {"Splitter3", "QSplitter"}, {"Panel9", "QWidget"}, {"DBNavigator1", "TQGDBNavigator"},
        {"StatusBar2", "QStatusBar"}, {"PopupMenu1", "QMenu"}, {"PopupMenu2", "QMenu"},
        {"PopupMenu6", "QMenu"}, {"SpeedButton1", "QToolButton"}, {"SpeedButton4", "QToolButton"},
        {"SpeedButton12", "QToolButton"}, {"SpeedButton19", "QToolButton"}, {"SpeedButton6", "QToolButton"},
        {"SpeedButton8", "QToolButton"}, {"SpeedButton9", "QToolButton"}, {"SpeedButton11", "QToolButton"},
        {"QGenGrid1", "TQGenGrid"}};
    for (const auto &w : widgets)
        QTest::newRow(w[0]) << QString::fromLatin1(w[0]) << QString::fromLatin1(w[1]);
    const char *actions[] = {"New1", "ImportSQLFile1", "Save1", "PrintSQL1", "Exit1", "ExitwithoutSaving1",
                             "Undo1", "Cut1", "Copy1", "Paste1", "Delete3", "SelectAll1", "ShowTableList1",
                             "Select1", "Insert1", "Update1", "Delete2", "About1", "InsertTables1",
                             "HideTableList1", "ExecuteSQL1", "LoadSQL1", "SaveSQL1", "PrintSQL2", "Undo2",
                             "Cut2", "Copy2", "Paste2", "Delete4", "SelectAll2", "SelectAllFields1",
                             "HideAllFields1", "RemoveTable1", "AddFieldCondition1", "SetFieldValue1",
                             "ParameterFill1", "Ascending1", "Descending1"};
    for (const char *a : actions)
        QTest::newRow(a) << QString::fromLatin1(a) << QStringLiteral("QAction");
}

void TestQueryForm::namedControls()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QObject *found = m_form->findChild<QObject *>(name);
    QVERIFY2(found, qPrintable(name));
    QVERIFY2(found->inherits(className.toLatin1().constData()),
             qPrintable(name + QStringLiteral(" is a ") + QLatin1String(found->metaObject()->className())));
}

void TestQueryForm::toolButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("hint");
    QTest::newRow("new") << "SpeedButton15" << 8 << "New Query";
    QTest::newRow("open") << "SpeedButton16" << 32 << "Open Query";
    QTest::newRow("save") << "SpeedButton17" << 56 << "Save Query";
    QTest::newRow("print") << "SpeedButton18" << 88 << "Print Query";
    QTest::newRow("cut") << "bCut" << 120 << "Cut";
    QTest::newRow("copy") << "bCopy" << 144 << "Copy";
    QTest::newRow("paste") << "bPaste" << 168 << "Paste";
    QTest::newRow("delete") << "bDelete" << 192 << "Delete";
    QTest::newRow("select") << "SpeedButton23" << 224 << "Select Query";
    QTest::newRow("insert") << "SpeedButton24" << 248 << "Insert Query";
    QTest::newRow("update") << "SpeedButton25" << 272 << "Update Query";
    QTest::newRow("delete query") << "SpeedButton26" << 296 << "Delete Query";
    QTest::newRow("execute") << "SpeedButton21" << 328 << "Execute Query";
    QTest::newRow("save and exit") << "SpeedButton30" << 361 << "Save and Exit";
    QTest::newRow("cancel and exit") << "SpeedButton31" << 385 << "Cancel and Exit";
}

void TestQueryForm::toolButtons()
{
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(QString, hint);
    auto *b = m_form->findChild<QToolButton *>(name);
    QVERIFY(b);
    QCOMPARE(b->geometry(), QRect(left, 4, 25, 25));
    QCOMPARE(b->toolTip(), hint);
    QVERIFY(b->autoRaise());
    QVERIFY(!b->icon().isNull());
}

void TestQueryForm::initialState()
{
    TQGQueryForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("SQL Query Generator"));
    QCOMPARE(form.GetQueryType(), QueryType::Select);
    QVERIFY(form.QueryTypeButton(0)->isChecked());
    QVERIFY(form.findChild<QAction *>("Select1")->isChecked());
    QVERIFY(form.findChild<QAction *>("ShowTableList1")->isChecked());
    QVERIFY(!form.QuoteIdentifiers());
    QCOMPARE(form.PlacedTableCount(), 0);
    QVERIFY(!form.CurrentTable());
    QVERIFY(!form.PageShown(TQGCanvasHost::Page::Values));
    QVERIFY(form.PageShown(TQGCanvasHost::Page::Conditions));
    QVERIFY(form.PageShown(TQGCanvasHost::Page::Sorting));
    QCOMPARE(form.PageControl982()->currentWidget()->objectName(), QStringLiteral("TabSheet3"));
    QCOMPARE(form.PageControl981()->currentWidget(), form.TabSheet1());
    QCOMPARE(form.PageControl981()->tabText(0), QStringLiteral("Query Generator"));
    QCOMPARE(form.PageControl981()->tabText(1), QStringLiteral("SQL"));
    QCOMPARE(form.StatusText(0), QStringLiteral("Session: <Session Name>"));
    QCOMPARE(form.StatusText(1), QStringLiteral("Database: <Database Name>"));
    QCOMPARE(form.StatusText(2), QStringLiteral("<#> Table(s)"));
    QVERIFY(form.Panel9()->isHidden());
    QVERIFY(form.Panel4()->isHidden());
    QVERIFY(form.Memo1()->toPlainText().isEmpty());
    // The menu bar in its order.
    QStringList menus;
    for (QAction *a : form.findChild<QMenuBar *>("MainMenu1")->actions())
        menus << a->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&SQL Generator", "&DML Templates", "Help"}));
    QCOMPARE(form.findChild<QAction *>("Save1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(form.findChild<QAction *>("Delete3")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Del")));
}

void TestQueryForm::statusBarAndTableList()
{
    QCOMPARE(m_form->StatusText(0), QStringLiteral("Session: Default"));
    QCOMPARE(m_form->StatusText(1), QStringLiteral("Database: SHOP"));
    QCOMPARE(m_form->StatusText(2), QStringLiteral("5 Table(s)"));
    // Sorted by caption, without regard to case.
    QCOMPARE(m_form->ListView1()->Captions(),
             QStringList({"A B", "A_B", "CLIENTS.DB", "products", "SALES.DB"}));
    // A STANDARD database quotes identifiers.
    QVERIFY(m_form->QuoteIdentifiers());
}

void TestQueryForm::queryTypeSwitch_data()
{
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("values");
    QTest::addColumn<bool>("conditions");
    QTest::addColumn<bool>("sorting");
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<bool>("links");
    for (int tables : {0, 1}) {
        const QByteArray t = QByteArray::number(tables) + " tables, ";
        QTest::newRow((t + "select").constData()) << tables << 0 << false << true << true << "TabSheet3" << "Select1" << true;
        QTest::newRow((t + "insert").constData()) << tables << 1 << true << false << false << "TabSheet6" << "Insert1" << false;
        QTest::newRow((t + "update").constData()) << tables << 2 << true << true << false << "TabSheet6" << "Update1" << false;
        QTest::newRow((t + "delete").constData()) << tables << 3 << false << true << false << "TabSheet3" << "Delete2" << false;
    }
}

void TestQueryForm::queryTypeSwitch()
{
    QFETCH(int, tables);
    QFETCH(int, type);
    QFETCH(bool, values);
    QFETCH(bool, conditions);
    QFETCH(bool, sorting);
    QFETCH(QString, active);
    QFETCH(QString, menuItem);
    QFETCH(bool, links);
    MessageLog log;
    if (tables == 1)
        QVERIFY(place(QStringLiteral("CLIENTS.DB")));
    // A link on the canvas (of the same window, as a single-table design cannot join two).
    TQGDataLink *link = nullptr;
    if (tables == 1) {
        TQGCheckListBox *w = m_form->ScrollBox1()->TableWindows().first();
        link = m_form->Canvas()->CreateLink(w, w, QStringLiteral("x = y"));
    }
    m_form->DefineQueryType(type);
    QVERIFY(log.messages.isEmpty());
    QCOMPARE(int(m_form->GetQueryType()), type);
    QVERIFY(m_form->QueryTypeButton(type)->isChecked());
    QVERIFY(m_form->findChild<QAction *>(menuItem)->isChecked());
    QCOMPARE(m_form->PageShown(TQGCanvasHost::Page::Values), values);
    QCOMPARE(m_form->PageShown(TQGCanvasHost::Page::Conditions), conditions);
    QCOMPARE(m_form->PageShown(TQGCanvasHost::Page::Sorting), sorting);
    QCOMPARE(m_form->PageControl982()->currentWidget()->objectName(), active);
    if (link)
        QCOMPARE(!link->isHidden(), links);
    if (tables == 0)
        QVERIFY(m_form->Memo1()->toPlainText().isEmpty());
    // The menu items run the same switch.
    m_form->Select1Click();
    QCOMPARE(m_form->GetQueryType(), QueryType::Select);
    QVERIFY(m_form->findChild<QAction *>("Select1")->isChecked());
}

void TestQueryForm::twoTablesRefuseSwitch_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("byMenu");
    for (int type : {1, 2, 3}) {
        QTest::newRow(qPrintable(QStringLiteral("button %1").arg(type))) << type << false;
        QTest::newRow(qPrintable(QStringLiteral("menu %1").arg(type))) << type << true;
    }
}

void TestQueryForm::twoTablesRefuseSwitch()
{
    QFETCH(int, type);
    QFETCH(bool, byMenu);
    MessageLog log;
    place(QStringLiteral("CLIENTS.DB"));
    place(QStringLiteral("SALES.DB"));
    const QString before = m_form->Memo1()->toPlainText();
    QVERIFY(!before.isEmpty());
    if (byMenu) {
        const char *items[] = {"Select1", "Insert1", "Update1", "Delete2"};
        m_form->findChild<QAction *>(items[type])->trigger();
    } else {
        m_form->QueryTypeButton(type)->click();
    }
    QCOMPARE(log.messages.size(), 1);
    QCOMPARE(log.messages.first().first, VdqMessages::Kind::Information);
    QCOMPARE(log.last(), QStringLiteral("You are only allowed to have one table with the builder for INSERT, UPDATE "
                                        "and DELETE queries. For more detailed queries, use the SQL text editor "
                                        "along with the SQL Templates."));
    QCOMPARE(m_form->GetQueryType(), QueryType::Select);
    QVERIFY(m_form->QueryTypeButton(0)->isChecked());
    QVERIFY(m_form->findChild<QAction *>("Select1")->isChecked());
    QVERIFY(!m_form->PageShown(TQGCanvasHost::Page::Values));
    QCOMPARE(m_form->Memo1()->toPlainText(), before);
}

void TestQueryForm::switchKeepsListRows()
{
    place(QStringLiteral("CLIENTS.DB"));
    m_form->Lists()->AddRow(m_form->ListView2(), {"CLIENTS_DB.\"Town\"", "= (Equals)", "'Leeds'", "AND"});
    m_form->Lists()->AddRow(m_form->ListView3(), {"CLIENTS_DB.\"Firm\"", "Yes"});
    m_form->Lists()->AddRow(m_form->ListView5(), {"Firm", "'North'"});
    QVERIFY(m_form->Memo1()->toPlainText().contains(QStringLiteral("ORDER BY")));
    m_form->DefineQueryType(2);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 1);
    QCOMPARE(m_form->ListView3()->topLevelItemCount(), 1);
    const QString update = m_form->Memo1()->toPlainText();
    QVERIFY(update.startsWith(QStringLiteral("UPDATE ")));
    QVERIFY(!update.contains(QStringLiteral("ORDER BY")));
    QVERIFY(update.contains(QStringLiteral("WHERE ")));
    m_form->DefineQueryType(0);
    QVERIFY(m_form->Memo1()->toPlainText().contains(QStringLiteral("ORDER BY \n CLIENTS_DB.\"Firm\"")));
}

void TestQueryForm::newQuery()
{
    place(QStringLiteral("CLIENTS.DB"));
    m_form->Lists()->AddRow(m_form->ListView2(), {"CLIENTS_DB.x", "=", "1", "AND"});
    m_form->Lists()->AddRow(m_form->ListView3(), {"CLIENTS_DB.x", "Yes"});
    m_form->Lists()->AddRow(m_form->ListView5(), {"x", "1"});
    m_form->DefineQueryType(2);
    QPointer<TQGCheckListBox> window = m_form->ScrollBox1()->TableWindows().first();
    QPointer<TQGScrollBox> oldCanvas = m_form->ScrollBox1();
    m_form->findChild<QToolButton *>("SpeedButton15")->click();
    QVERIFY(!window);
    QVERIFY(!oldCanvas);
    QVERIFY(m_form->ScrollBox1());
    QCOMPARE(m_form->ScrollBox1()->objectName(), QStringLiteral("ScrollBox1"));
    QCOMPARE(m_form->TableCount(), 0);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 0);
    QCOMPARE(m_form->ListView3()->topLevelItemCount(), 0);
    QCOMPARE(m_form->ListView5()->topLevelItemCount(), 0);
    QVERIFY(m_form->Memo1()->toPlainText().isEmpty());
    QCOMPARE(m_form->GetQueryType(), QueryType::Update);
    QVERIFY(!m_form->CurrentTable());
    QVERIFY(m_form->QuoteIdentifiers());
    QCOMPARE(m_form->ListView1()->RowCount(), 5);
}

void TestQueryForm::placementStartsAgainAndWraps()
{
    for (const char *t : {"CLIENTS.DB", "SALES.DB", "products"})
        place(QLatin1String(t));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), 3);
    QCOMPARE(windows.at(0)->geometry(), QRect(50, 40, 121, 180));
    QCOMPARE(windows.at(2)->geometry(), QRect(340, 40, 121, 180));
    // After New Query the next table takes the first place again.
    m_form->SpeedButton15Click();
    QCOMPARE(place(QStringLiteral("CLIENTS.DB"))->geometry(), QRect(50, 40, 121, 180));
    QCOMPARE(m_form->PlacedTableCount(), 1);
    // On a shown canvas the places wrap at its visible width.
    m_form->SpeedButton15Click();
    m_form->resize(800, 600);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    const int width = m_form->ScrollBox1()->viewport()->width();
    const int perRow = (width - 50 - 121) / 145 + 1;
    for (int k = 0; k <= perRow; ++k)
        place(QStringLiteral("products"));
    const QList<TQGCheckListBox *> wrapped = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(wrapped.at(perRow - 1)->geometry().topLeft(), QPoint(50 + 145 * (perRow - 1), 40));
    QVERIFY(wrapped.at(perRow - 1)->geometry().right() < width);
    QCOMPARE(wrapped.at(perRow)->geometry().topLeft(), QPoint(50, 240));
}

void TestQueryForm::removeTableReferences()
{
    TQGCheckListBox *clients = place(QStringLiteral("CLIENTS.DB"));
    TQGCheckListBox *sales = place(QStringLiteral("SALES.DB"));
    TQGDataLink *link = m_form->Canvas()->CreateLink(sales, clients, QStringLiteral("j"));
    m_form->Lists()->AddRow(m_form->ListView2(), {"SALES_DB.ClientNo", "=", "CLIENTS_DB.ClientNo", "AND"});
    m_form->Lists()->AddRow(m_form->ListView2(), {"SALES_DB.SaleNo", "=", "1", "AND"});
    m_form->Lists()->AddRow(m_form->ListView2(), {"'x'", "=", "CLIENTS_DB.Town", "AND"});
    m_form->Lists()->AddRow(m_form->ListView3(), {"CLIENTS_DB.Town", "Yes"});
    m_form->Lists()->AddRow(m_form->ListView3(), {"SALES_DB.SaleDay", "No"});
    m_form->Lists()->AddRow(m_form->ListView5(), {"SaleNo", "1"});
    // The table placed last is the current one; the command works on the one made current.
    QCOMPARE(m_form->CurrentTable(), sales);
    m_form->SetCurrentTable(clients);
    m_form->Canvas()->RemoveTable1Click();
    QCOMPARE(clients->parentWidget(), m_form->Panel4());
    QCOMPARE(link->parentWidget(), m_form->Panel4());
    QCOMPARE(m_form->TableCount(), 1);
    QCOMPARE(m_form->ListView5()->topLevelItemCount(), 0);
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()),
             QList<QStringList>({{"SALES_DB.SaleNo", "=", "1", "AND"}}));
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), QList<QStringList>({{"SALES_DB.SaleDay", "No"}}));
    QCOMPARE(m_form->Memo1()->toPlainText(),
             QStringLiteral("SELECT SALES_DB.* FROM\n\"SALES.DB\" SALES_DB\nWHERE \n SALES_DB.SaleNo = 1 \n"
                            "ORDER BY \n SALES_DB.SaleDay DESC"));
}

void TestQueryForm::removingSameAliasTable()
{
    // "A B" and "A_B" would both be A_B: the window placed second has an alias of its own, and
    // removing the first takes only its own rows.
    TQGCheckListBox *ab = place(QStringLiteral("A B"));
    TQGCheckListBox *a_b = place(QStringLiteral("A_B"));
    QCOMPARE(ab->Alias(), QStringLiteral("A_B"));
    QCOMPARE(a_b->Alias(), QStringLiteral("A_B_1"));
    QCOMPARE(a_b->CaptionText(), QStringLiteral("A_B (A_B_1)"));
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT A_B.*, A_B_1.* FROM\n\"A B\" A_B, A_B A_B_1"));
    m_form->Lists()->AddRow(m_form->ListView2(), {"A_B.x", "=", "1", "AND"});
    m_form->Lists()->AddRow(m_form->ListView2(), {"A_B_1.z", "=", "1", "AND"});
    m_form->Lists()->AddRow(m_form->ListView3(), {"A_B_1.z", "Yes"});
    m_form->SetCurrentTable(ab);
    m_form->Canvas()->RemoveTable1Click();
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()), QList<QStringList>({{"A_B_1.z", "=", "1", "AND"}}));
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), QList<QStringList>({{"A_B_1.z", "Yes"}}));
    QCOMPARE(m_form->Memo1()->toPlainText(),
             QStringLiteral("SELECT A_B_1.* FROM\nA_B A_B_1\nWHERE \n A_B_1.z = 1 \nORDER BY \n A_B_1.z"));
    // A table placed again takes the alias that is free.
    QCOMPARE(place(QStringLiteral("A B"))->Alias(), QStringLiteral("A_B"));
}

void TestQueryForm::linkRowsMarked()
{
    TQGCheckListBox *clients = place(QStringLiteral("CLIENTS.DB"));
    TQGCheckListBox *sales = place(QStringLiteral("SALES.DB"));
    m_form->Canvas()->CreateLink(sales, clients, QStringLiteral("SALES_DB.ClientNo = CLIENTS_DB.ClientNo"));
    m_form->Lists()->AddRow(m_form->ListView2(), {"SALES_DB.SaleNo", "=", "1", "OR"});
    m_form->Lists()->AddRow(m_form->ListView2(), {"SALES_DB.ClientNo", "=", "CLIENTS_DB.ClientNo", "AND"});
    const QTreeWidgetItem *own = m_form->ListView2()->topLevelItem(0);
    const QTreeWidgetItem *link = m_form->ListView2()->topLevelItem(1);
    QVERIFY(!own->font(0).italic() && own->toolTip(0).isEmpty());
    QVERIFY(link->font(2).italic() && !link->toolTip(0).isEmpty());
    QVERIFY(m_form->Memo1()->toPlainText().endsWith(
        QStringLiteral("WHERE \n SALES_DB.ClientNo = CLIENTS_DB.ClientNo AND \n ( SALES_DB.SaleNo = 1 ) ")));
    // Without its link the row is an ordinary one again.
    m_form->SetCurrentTable(clients);
    m_form->Canvas()->RemoveTable1Click();
    m_form->Lists()->AddRow(m_form->ListView2(), {"SALES_DB.ClientNo", "=", "CLIENTS_DB.ClientNo", "AND"});
    QVERIFY(!m_form->ListView2()->topLevelItem(1)->font(0).italic());
}

void TestQueryForm::ctrlAInTheTableList()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->Memo1()->setPlainText(QStringLiteral("SELECT 1"));
    QAbstractItemView *view = m_form->ListView1()->CurrentView();
    view->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_form->ListView1()->SelectedCaptions().size(), m_form->ListView1()->RowCount());
    QVERIFY(!m_form->Memo1()->textCursor().hasSelection());
    // Elsewhere Ctrl+A is the menu's Select All, of the SQL text.
    m_form->Memo1()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(m_form->Memo1(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_form->Memo1()->textCursor().selectedText(), QStringLiteral("SELECT 1"));
}

void TestQueryForm::showHideTableList()
{
    m_form->show();
    QAction *show = m_form->findChild<QAction *>("ShowTableList1");
    show->trigger();
    QVERIFY(!show->isChecked());
    QVERIFY(m_form->Panel3()->isHidden());
    show->trigger();
    QVERIFY(show->isChecked());
    QVERIFY(!m_form->Panel3()->isHidden());
    m_form->findChild<QAction *>("HideTableList1")->trigger();
    QVERIFY(!show->isChecked());
    QVERIFY(m_form->Panel3()->isHidden());
    // The splitter bar stays, at the left edge, between nothing and the pages.
    QWidget *splitter = m_form->findChild<QWidget *>("Splitter1");
    QVERIFY(splitter->isVisible());
    QCOMPARE(splitter->width(), 3);
    QCoreApplication::processEvents();
    QCOMPARE(splitter->x(), 0);
    QCOMPARE(m_form->PageControl981()->x(), 3);
}

void TestQueryForm::viewStyles()
{
    QCOMPARE(m_form->ListView1()->Style(), TQGTableList::List);
    QVERIFY(m_form->findChild<QToolButton *>("SpeedButton3")->isChecked());
    const char *buttons[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};
    for (int tag = 0; tag < 4; ++tag) {
        m_form->findChild<QToolButton *>(buttons[tag])->click();
        QCOMPARE(int(m_form->ListView1()->Style()), tag);
        QVERIFY(m_form->findChild<QToolButton *>(buttons[tag])->isChecked());
    }
    // Selection survives a change of style (one model, one selection).
    SelectTables(m_form.get(), {"products"});
    m_form->SpeedButton2Click(0);
    QCOMPARE(m_form->ListView1()->SelectedCaptions(), QStringList({"products"}));
}

void TestQueryForm::exitCommands_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("result");
    QTest::newRow("save and exit button") << "SpeedButton30" << 1;
    QTest::newRow("cancel and exit button") << "SpeedButton31" << 2;
    QTest::newRow("save and exit menu") << "Exit1" << 1;
    QTest::newRow("exit without saving menu") << "ExitwithoutSaving1" << 2;
}

void TestQueryForm::exitCommands()
{
    QFETCH(QString, control);
    QFETCH(int, result);
    QTimer::singleShot(0, m_form.get(), [&] {
        if (auto *b = m_form->findChild<QToolButton *>(control))
            b->click();
        else
            m_form->findChild<QAction *>(control)->trigger();
    });
    QCOMPARE(m_form->exec(), result);
}

void TestQueryForm::layoutSizes()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCOMPARE(m_form->StatusBar1()->height(), 19);
    QCOMPARE(m_form->Panel3()->width(), 225);
    QCOMPARE(m_form->findChild<QWidget *>("Splitter1")->width(), 3);
    QCOMPARE(m_form->findChild<QWidget *>("Splitter1")->x(), 225);
    QCOMPARE(m_form->PageControl982()->height(), 158);
    m_form->findChild<QToolButton *>("SpeedButton4")->click();
    auto *report = m_form->ListView1()->findChild<QTreeView *>("ListView1Report");
    QCOMPARE(report->header()->sectionSize(0), 90);
    QCOMPARE(report->header()->sectionSize(1), 120);
}

void TestQueryForm::listsKeepTheirHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("open");  // Open of a design, else New Query
    QTest::newRow("New Query, height as created") << 158 << false;
    QTest::newRow("New Query, height the user gave") << 250 << false;
    QTest::newRow("Open, height the user gave") << 250 << true;
}

void TestQueryForm::listsKeepTheirHeight()
{
    QFETCH(int, height);
    QFETCH(bool, open);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto *splitter = m_form->findChild<QSplitter *>("Splitter2");
    const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
    splitter->setSizes({total - height, height});
    QCOMPARE(m_form->PageControl982()->height(), height);
    // A larger window (as maximized) gives the canvas the room, not the lists.
    m_form->resize(1200, 950);
    QCoreApplication::processEvents();
    QCOMPARE(m_form->PageControl982()->height(), height);
    place(QStringLiteral("CLIENTS.DB"));
    if (open) {
        const QString file = m_dir.filePath(QStringLiteral("keep.vdq"));
        m_form->SaveQueryDefinition(file);
        m_form->LoadQueryDefinition(file);
        QCOMPARE(m_form->TableCount(), 1);
    } else {
        m_form->findChild<QToolButton *>("SpeedButton15")->click();
        QCOMPARE(m_form->TableCount(), 0);
    }
    QCoreApplication::processEvents();
    QCOMPARE(m_form->PageControl982()->height(), height);
    QCOMPARE(splitter->indexOf(m_form->ScrollBox1()), 0);
    QVERIFY(m_form->ScrollBox1()->isVisible());
}

void TestQueryForm::aboutBox()
{
    TQGAboutForm about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About..."));
    // The picture, the separator, two notice labels and "OK", nothing more.
    QStringList labels;
    for (const QLabel *label : about.findChildren<QLabel *>())
        labels << label->objectName();
    labels.sort();
    QCOMPARE(labels, QStringList({"Image1", "Label1", "Label2"}));
    QVERIFY(about.findChild<QFrame *>("Bevel1"));
    QCOMPARE(about.findChild<QPushButton *>("Button1")->text(), QStringLiteral("OK"));
}

void TestQueryForm::editorHeightWithResult()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->PageControl981()->setCurrentWidget(m_form->TabSheet2());
    QCoreApplication::processEvents();
    // Without a result the editor fills the page.
    QVERIFY(m_form->Memo1()->height() > 184);
    m_form->Memo1()->SetText(QStringLiteral("SELECT * FROM \"CLIENTS.DB\""));
    m_form->Execution()->SpeedButton28Click();
    QVERIFY(m_form->Panel9()->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(m_form->Memo1()->height(), 184);
}

void TestQueryForm::escapeDoesNotClose()
{
    m_form->show();
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    QVERIFY(m_form->isVisible());
}

QTEST_MAIN(TestQueryForm)
#include "tst_queryform.moc"
