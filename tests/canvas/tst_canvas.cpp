// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdefinitionio.h"
#include "tqgdesignlists.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"
#include "tqgstyle.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTreeWidget>
#include <QtTest>

#include <cmath>

using namespace DesignFixture;

Q_DECLARE_METATYPE(QPalette)


class TestCanvas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void dropThreeTables();
    void dropAcceptsOnlyTableDrags();
    void dropRefusedForSingleTableTypes();
    void doubleClickRefusedSilently();
    void dropOnEmptyCanvasInInsertQuery();
    void popupItemsByQueryType_data();
    void popupItemsByQueryType();
    void selectAndHideAllFields();
    void commandsNeedCurrentTable();
    void userTickRegenerates();
    void deleteKeyRemovesWindow_data();
    void deleteKeyRemovesWindow();
    void focusFollowsCurrentTable();
    void joinByDrop_data();
    void joinByDrop();
    void joinDropOutsideRowsDoesNothing();
    void dragBegunBelowRowsIsIgnored();
    void linksFollowMovedWindows();
    void captionBarMovesWindow();
    void captionClickKeepsTableOrder();
    void borderResizesWindow();
    void fieldDropsOnLists();
    void tableThatCannotBeOpened();
    void canvasGrowsToReachWindows();
    void twoTableSelectUncheckedFields();
    void captionReadableInEveryPalette_data();
    void captionReadableInEveryPalette();

private:
    QDropEvent *tableDrop(const QPoint &contentPos);
    void dropTables(const QStringList &names, const QPoint &pos);
    void joinDrop(TQGCheckListBox *source, int sourceRow, TQGCheckListBox *target, int targetRow);
    QPoint rowPos(TQGCheckListBox *w, int row) const;
    TQGCheckListBox *place(const QString &table);
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
};

void TestCanvas::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm", "Town"}},
                                        {"sales", {"SaleNo", "ClientNo", "SaleDay"}},
                                        {"products", {"ProductNo", "Name"}},
                                        {"order items", {"Cust No", "ProductNo"}}}));
}

void TestCanvas::init()
{
    m_form = OpenForm();
    m_form->resize(1000, 700);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestCanvas::cleanup()
{
    m_form.reset();
}

TQGCheckListBox *TestCanvas::place(const QString &table)
{
    SelectTables(m_form.get(), {table});
    m_form->Canvas()->ListView1DblClick();
    QCoreApplication::processEvents();  // the list lays its rows out on the next pass
    return m_form->ScrollBox1()->TableWindows().last();
}

void TestCanvas::dropTables(const QStringList &names, const QPoint &pos)
{
    SelectTables(m_form.get(), names);
    QWidget *viewport = m_form->ScrollBox1()->viewport();
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(TQGTableList::TablesMime), names.join(u'\n').toUtf8());
    const QPoint at = m_form->ScrollBox1()->Content()->mapTo(viewport, pos);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    delete mime;
}

QPoint TestCanvas::rowPos(TQGCheckListBox *w, int row) const
{
    return w->visualItemRect(w->item(row)).center();
}

void TestCanvas::joinDrop(TQGCheckListBox *source, int sourceRow, TQGCheckListBox *target, int targetRow)
{
    const QPoint press = source->viewport()->mapTo(source, sourceRow >= 0 ? rowPos(source, sourceRow)
                                                                          : QPoint(5, source->viewport()->height() - 2));
    m_form->Canvas()->TableStartDrag(source, press);
    QMimeData mime;
    mime.setData(QLatin1String(TQGCanvasCommands::FieldMime), source->DragId());
    const QPoint at = targetRow >= 0 ? rowPos(target, targetRow) : QPoint(5, target->viewport()->height() - 2);
    QDragEnterEvent enter(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target->viewport(), &enter);
    QDropEvent drop(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target->viewport(), &drop);
}

void TestCanvas::dropThreeTables()
{
    dropTables({"clients", "products", "sales"}, QPoint(20, 30));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), 3);
    const int lefts[] = {20, 165, 310};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(windows.at(i)->geometry(), QRect(lefts[i], 30, 121, 180));
        QVERIFY(windows.at(i)->isVisible());
        QVERIFY(!windows.at(i)->Ticks().contains(false));
    }
    // Table list order (sorted), not selection order.
    QCOMPARE(windows.at(0)->Caption(), QStringLiteral("clients"));
    QCOMPARE(windows.at(2)->Caption(), QStringLiteral("sales"));
    QCOMPARE(m_form->CurrentTable(), windows.at(2));
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"SELECT clients.*, products.*, sales.* FROM",
                                                    "clients clients, products products, sales sales"}));
    // A drop does not count as a placement by double click.
    QCOMPARE(m_form->PlacedTableCount(), 0);
}

void TestCanvas::dropAcceptsOnlyTableDrags()
{
    QWidget *viewport = m_form->ScrollBox1()->viewport();
    QMimeData mime;
    mime.setText(QStringLiteral("clients"));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(!enter.isAccepted());
    // A field drag from a table window is refused by the bare canvas too.
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    QMimeData field;
    field.setData(QLatin1String(TQGCanvasCommands::FieldMime), w->DragId());
    QDragEnterEvent fieldEnter(QPoint(600, 300), Qt::LinkAction, &field, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &fieldEnter);
    QVERIFY(!fieldEnter.isAccepted());
}

void TestCanvas::dropRefusedForSingleTableTypes()
{
    MessageLog log;
    place(QStringLiteral("clients"));
    m_form->DefineQueryType(1);
    const QString before = m_form->Memo1()->toPlainText();
    dropTables({"sales"}, QPoint(300, 30));
    QCOMPARE(m_form->TableCount(), 1);
    QCOMPARE(log.messages.size(), 1);
    QVERIFY(log.last().startsWith(QStringLiteral("You are only allowed to have one table")));
    QCOMPARE(m_form->GetQueryType(), QueryType::Insert);
    QCOMPARE(m_form->Memo1()->toPlainText(), before);
}

void TestCanvas::doubleClickRefusedSilently()
{
    MessageLog log;
    place(QStringLiteral("clients"));
    m_form->DefineQueryType(3);
    SelectTables(m_form.get(), {"sales"});
    m_form->Canvas()->ListView1DblClick();
    QCOMPARE(m_form->TableCount(), 1);
    QVERIFY(log.messages.isEmpty());
    QCOMPARE(m_form->PlacedTableCount(), 1);
}

void TestCanvas::dropOnEmptyCanvasInInsertQuery()
{
    m_form->DefineQueryType(1);
    dropTables({"clients", "sales"}, QPoint(10, 10));
    QCOMPARE(m_form->TableCount(), 2);
}

void TestCanvas::popupItemsByQueryType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("select") << 0 << QStringList({"AddFieldCondition1", "SortbythisField1", "RenameAlias1", "AddRelatedTables1"});
    QTest::newRow("insert") << 1 << QStringList({"SetFieldValue1", "ParameterFill1"});
    QTest::newRow("update") << 2 << QStringList({"AddFieldCondition1", "SetFieldValue1", "ParameterFill1", "RenameAlias1"});
    QTest::newRow("delete") << 3 << QStringList({"AddFieldCondition1", "RenameAlias1"});
}

void TestCanvas::popupItemsByQueryType()
{
    QFETCH(int, type);
    QFETCH(QStringList, shown);
    place(QStringLiteral("clients"));
    m_form->DefineQueryType(type);
    m_form->Canvas()->PopupMenu1Popup();
    QStringList visible;
    for (QAction *a : m_form->PopupMenu1()->actions()) {
        if (a->isVisible() && !a->isSeparator())
            visible << a->objectName();
    }
    QCOMPARE(visible, QStringList({"SelectAllFields1", "HideAllFields1", "RemoveTable1"}) + shown);
}

void TestCanvas::selectAndHideAllFields()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    m_form->SetCurrentTable(w);
    m_form->Canvas()->HideAllFields1Click();
    QCOMPARE(w->Ticks(), QList<bool>({false, false, false}));
    QCOMPARE(m_form->Memo1()->Lines().value(0), QStringLiteral("SELECT  FROM"));
    m_form->Canvas()->SelectAllFields1Click();
    QCOMPARE(w->Ticks(), QList<bool>({true, true, true}));
    QCOMPARE(m_form->Memo1()->Lines().value(0), QStringLiteral("SELECT clients.* FROM"));
}

void TestCanvas::commandsNeedCurrentTable()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    w->setCurrentRow(1);
    m_form->SetCurrentTable(nullptr);
    m_form->Canvas()->HideAllFields1Click();
    QCOMPARE(w->Ticks(), QList<bool>({true, true, true}));
    m_form->Canvas()->RemoveTable1Click();
    QCOMPARE(m_form->TableCount(), 1);
    m_form->Canvas()->Ascending1Click(0);
    m_form->Canvas()->AddFieldCondition1Click();
    m_form->Canvas()->SetFieldValue1Click();
    QCOMPARE(m_form->ListView3()->topLevelItemCount(), 0);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 0);
    QCOMPARE(m_form->ListView5()->topLevelItemCount(), 0);
    // With a current table but no selected row, the field commands do nothing either.
    m_form->SetCurrentTable(w);
    w->setCurrentRow(-1);
    m_form->Canvas()->Ascending1Click(1);
    QCOMPARE(m_form->ListView3()->topLevelItemCount(), 0);
}

void TestCanvas::userTickRegenerates()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    w->item(1)->setCheckState(Qt::Unchecked);  // as the delegate does for a click on the box
    QCOMPARE(m_form->Memo1()->Lines().value(0),
             QStringLiteral("SELECT clients.\"ClientNo\", clients.\"Town\" FROM"));
    // The space key on the current row toggles it back.
    w->setFocus();
    w->setCurrentRow(1);
    QTest::keyClick(w, Qt::Key_Space);
    QCOMPARE(m_form->Memo1()->Lines().value(0), QStringLiteral("SELECT clients.* FROM"));
}

void TestCanvas::deleteKeyRemovesWindow_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("delete") << int(Qt::Key_Delete);
    QTest::newRow("backspace") << int(Qt::Key_Backspace);
}

void TestCanvas::deleteKeyRemovesWindow()
{
    QFETCH(int, key);
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *sales = place(QStringLiteral("sales"));
    m_form->SetCurrentTable(sales);
    QTest::keyRelease(clients, Qt::Key(key));
    QCOMPARE(clients->parentWidget(), m_form->Panel4());
    QCOMPARE(m_form->TableCount(), 1);
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"SELECT sales.* FROM", "sales sales"}));
    // Other keys do nothing of the kind.
    QTest::keyRelease(sales, Qt::Key_A);
    QCOMPARE(m_form->TableCount(), 1);
}

void TestCanvas::focusFollowsCurrentTable()
{
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *sales = place(QStringLiteral("sales"));
    QApplication::setActiveWindow(m_form.get());
    clients->setFocus(Qt::MouseFocusReason);
    QCOMPARE(m_form->CurrentTable(), clients);
    sales->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_form->CurrentTable(), sales);
    m_form->ListView2()->setFocus(Qt::MouseFocusReason);
    QVERIFY(!m_form->CurrentTable());
    // "Select All Fields" now does nothing.
    sales->item(0)->setCheckState(Qt::Unchecked);
    m_form->Canvas()->SelectAllFields1Click();
    QVERIFY(!sales->Checked(0));
}

void TestCanvas::joinByDrop_data()
{
    QTest::addColumn<bool>("quote");
    QTest::addColumn<QString>("hint");
    QTest::newRow("quoted") << true << "clients.\"ClientNo\" = sales.\"ClientNo\"";
    QTest::newRow("plain") << false << "clients.ClientNo = sales.ClientNo";
}

void TestCanvas::joinByDrop()
{
    QFETCH(bool, quote);
    QFETCH(QString, hint);
    m_form->SetQuoteIdentifiers(quote);
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *sales = place(QStringLiteral("sales"));
    sales->move(300, 140);
    m_form->Canvas()->TableGeometryChanged(sales);  // as a drag by the caption ends
    joinDrop(clients, 0, sales, 1);
    const QList<TQGDataLink *> links = m_form->ScrollBox1()->Links();
    QCOMPARE(links.size(), 1);
    TQGDataLink *link = links.first();
    QCOMPARE(link->Hint(), hint);
    QCOMPARE(link->toolTip(), hint);
    QCOMPARE(link->Field1ListBox(), clients);
    QCOMPARE(link->Field2ListBox(), sales);
    QCOMPARE(link->geometry(), QRect(171, 60, 129, 100));
    QVERIFY(link->isVisible());
    const QStringList parts = hint.split(QStringLiteral(" = "));
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()), QList<QStringList>({{parts[0], "=", parts[1], "AND"}}));
    QCOMPARE(m_form->Memo1()->Lines().mid(2), QStringList({"WHERE ", " " + hint + " "}));
    // The link lies beneath the table windows.
    const QObjectList children = m_form->ScrollBox1()->Content()->children();
    QVERIFY(children.indexOf(link) < children.indexOf(clients));
    // A second drop between the same fields draws a second link and adds an equal row.
    joinDrop(clients, 0, sales, 1);
    QCOMPARE(m_form->ScrollBox1()->Links().size(), 2);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 2);
}

void TestCanvas::joinDropOutsideRowsDoesNothing()
{
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *sales = place(QStringLiteral("sales"));
    joinDrop(clients, 0, sales, -1);
    QCOMPARE(m_form->ScrollBox1()->Links().size(), 0);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 0);
}

void TestCanvas::dragBegunBelowRowsIsIgnored()
{
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *sales = place(QStringLiteral("sales"));
    joinDrop(clients, 1, sales, 0);  // an earlier drag sets JoinSourceField
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 1);
    joinDrop(sales, -1, clients, 0);
    QCOMPARE(m_form->Canvas()->JoinSourceIndex(), -1);
    QCOMPARE(m_form->Canvas()->JoinSourceTable(), sales);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 1);
    QCOMPARE(m_form->ScrollBox1()->Links().size(), 1);
}

void TestCanvas::linksFollowMovedWindows()
{
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *sales = place(QStringLiteral("sales"));
    TQGCheckListBox *products = place(QStringLiteral("products"));
    joinDrop(clients, 0, sales, 1);
    joinDrop(sales, 0, products, 0);
    TQGDataLink *first = m_form->ScrollBox1()->Links().at(0);
    TQGDataLink *second = m_form->ScrollBox1()->Links().at(1);
    const QRect secondBefore = second->geometry();
    clients->move(20, 300);
    TQGDataLink *expected = new TQGDataLink;
    expected->SetField1ListBox(clients);
    expected->SetField2ListBox(sales);
    TQGDataLink::UpdateLinkBounds(expected);
    QCOMPARE(first->geometry(), expected->geometry());
    QCOMPARE(second->geometry(), secondBefore);
    delete expected;
    sales->resize(200, 200);
    QVERIFY(second->geometry() != secondBefore);
}

void TestCanvas::captionBarMovesWindow()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    const QPoint grab(40, TQGCheckListBox::BorderWidth + 5);
    QTest::mousePress(w, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(100, 50)), w->mapToGlobal(QPointF(grab + QPoint(100, 50))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, grab + QPoint(100, 50));
    QCOMPARE(w->geometry(), QRect(150, 90, 121, 180));
    QCOMPARE(m_form->CurrentTable(), w);
}

void TestCanvas::captionClickKeepsTableOrder()
{
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    place(QStringLiteral("products"));
    place(QStringLiteral("sales"));
    const QStringList order{"clients", "products", "sales"};
    const auto captions = [this] {
        QStringList names;
        for (const DesignTable &t : m_form->CanvasTables())
            names << t.caption;
        return names;
    };
    QCOMPARE(captions(), order);
    const QString statement = m_form->Memo1()->toPlainText();

    // A click on the caption brings the window to the front, above the others.
    const QPoint grab(40, TQGCheckListBox::BorderWidth + 5);
    QTest::mouseClick(clients, Qt::LeftButton, {}, grab);
    QCOMPARE(m_form->ScrollBox1()->Content()->children().last(), clients);
    QCOMPARE(captions(), order);
    QCOMPARE(m_form->Memo1()->toPlainText(), statement);
    QCOMPARE(TQGDefinitionIO::Capture(*m_form).tables.value(0).name, QStringLiteral("clients"));
}

void TestCanvas::borderResizesWindow()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    const QPoint corner(w->width() - 1, w->height() - 1);
    QTest::mousePress(w, Qt::LeftButton, {}, corner);
    QMouseEvent move(QEvent::MouseMove, QPointF(corner + QPoint(30, 20)), w->mapToGlobal(QPointF(corner + QPoint(30, 20))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, corner + QPoint(30, 20));
    QCOMPARE(w->geometry(), QRect(50, 40, 151, 200));
}

void TestCanvas::fieldDropsOnLists()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    w->setCurrentRow(2);
    m_form->SetCurrentTable(w);
    QMimeData mime;
    m_form->Canvas()->TableStartDrag(w, w->viewport()->mapTo(w, rowPos(w, 2)));
    mime.setData(QLatin1String(TQGCanvasCommands::FieldMime), w->DragId());
    QDragEnterEvent enter(QPoint(20, 20), Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form->ListView3()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPoint(20, 20), Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form->ListView3()->viewport(), &drop);
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), QList<QStringList>({{"clients.\"Town\"", "Yes"}}));
    QCOMPARE(m_form->Memo1()->Lines().mid(2), QStringList({"ORDER BY ", " clients.\"Town\""}));
}

void TestCanvas::tableThatCannotBeOpened()
{
    MessageLog log;
    place(QStringLiteral("clients"));
    const QString before = m_form->Memo1()->toPlainText();
    m_form->ListView1()->AddRow(QStringLiteral("ghost"));
    SelectTables(m_form.get(), {"ghost", "sales"});
    m_form->Canvas()->ListView1DblClick();
    QCOMPARE(log.messages.size(), 1);
    QCOMPARE(log.messages.first().first, VdqMessages::Kind::Error);
    QVERIFY2(log.last().contains(QStringLiteral("ghost")), qPrintable(log.last()));
    // The window that could not be filled is gone, the tables after it were not placed, and
    // the statement was not regenerated.
    QCOMPARE(m_form->TableCount(), 1);
    QCOMPARE(m_form->ScrollBox1()->TableWindows().first()->Caption(), QStringLiteral("clients"));
    QCOMPARE(m_form->Memo1()->toPlainText(), before);
    // The current table was the failed window; it is not left pointing at a deleted one.
    QCOMPARE(m_form->CurrentTable(), nullptr);
}

void TestCanvas::canvasGrowsToReachWindows()
{
    TQGCheckListBox *w = place(QStringLiteral("clients"));
    w->move(2000, 1500);
    TQGScrollBox *box = m_form->ScrollBox1();
    QVERIFY(box->Content()->width() >= 2000 + 121);
    QVERIFY(box->Content()->height() >= 1500 + 180);
    QVERIFY(box->horizontalScrollBar()->maximum() > 0);
    box->ensureWidgetVisible(w);
    QVERIFY(box->HorzScrollPosition() > 0);
}

void TestCanvas::twoTableSelectUncheckedFields()
{
    m_form->SetQuoteIdentifiers(false);
    TQGCheckListBox *clients = place(QStringLiteral("clients"));
    TQGCheckListBox *items = place(QStringLiteral("order items"));
    joinDrop(items, 0, clients, 0);
    clients->item(2)->setCheckState(Qt::Unchecked);
    items->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(m_form->Memo1()->Lines(),
             QStringList({"SELECT clients.ClientNo, clients.Firm, order_items.\"Cust No\" FROM",
                          "clients clients, \"order items\" order_items", "WHERE ",
                          " order_items.\"Cust No\" = clients.ClientNo "}));
}

void TestCanvas::captionReadableInEveryPalette_data()
{
    QTest::addColumn<QPalette>("palette");
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    const QPalette light = fusion->standardPalette();
    delete fusion;
    QTest::newRow("Fusion, light") << light;
    QTest::newRow("Fusion, the usual dark palette") << FusionDarkPalette(light);
    // Every role set, from one button colour.
    QTest::newRow("every role from a dark button") << QPalette(QColor(30, 30, 40), QColor(20, 20, 25));
}

void TestCanvas::captionReadableInEveryPalette()
{
    QFETCH(QPalette, palette);
    for (bool active : {true, false}) {
        const auto [back, text] = TQGCheckListBox::CaptionColors(palette, active);
        QVERIFY2(ContrastRatio(back, text) >= 4.5, qPrintable(QStringLiteral("%1 caption: %2 on %3, %4:1")
                                                             .arg(active ? "active" : "inactive", text.name(), back.name())
                                                             .arg(ContrastRatio(back, text), 0, 'f', 2)));
    }
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
