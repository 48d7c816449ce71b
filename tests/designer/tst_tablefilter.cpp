// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgtablelist.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QtTest>

// The table list's filter box: what it shows for a text, and its keys.
class TestTableFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void filterShows_data();
    void filterShows();
    void hiddenRowsLoseTheirSelection();
    void rowsAddedFollowTheFilter();
    void escapeClears();
    void downMovesIntoTheList();
    void enterPlacesTheTable_data();
    void enterPlacesTheTable();

private:
    QStringList shown() const;
    std::unique_ptr<TQGTableList> m_list;
};

namespace {

const QStringList kTables{"Clients", "orders", "OrderItems", "Parts", "vendors", "Employee"};

} // namespace

void TestTableFilter::init()
{
    m_list = std::make_unique<TQGTableList>();
    m_list->SetRows(kTables);
    m_list->resize(225, 300);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowActive(m_list.get()));
}

void TestTableFilter::cleanup()
{
    m_list.reset();
}

QStringList TestTableFilter::shown() const
{
    QStringList names;
    for (int row = 0; row < m_list->RowCount(); ++row) {
        if (m_list->IsRowShown(row))
            names << m_list->Caption(row);
    }
    return names;
}

void TestTableFilter::filterShows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty: every table") << "" << QStringList{"Clients", "Employee", "OrderItems", "orders", "Parts", "vendors"};
    QTest::newRow("any case") << "ORDER" << QStringList{"OrderItems", "orders"};
    QTest::newRow("inside the name") << "en" << QStringList{"Clients", "vendors"};
    QTest::newRow("spaces around") << " parts " << QStringList{"Parts"};
    QTest::newRow("nothing matches") << "xyz" << QStringList{};
}

void TestTableFilter::filterShows()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QLineEdit *edit = m_list->findChild<QLineEdit *>(QStringLiteral("TableFilterEdit"));
    QVERIFY(edit);
    QCOMPARE(edit->placeholderText(), QStringLiteral("Filter tables"));
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QCOMPARE(shown(), expected);
    QCOMPARE(m_list->ShownRowCount(), expected.size());
    for (int row = 0; row < m_list->RowCount(); ++row)
        QCOMPARE(qobject_cast<QListView *>(m_list->CurrentView())->isRowHidden(row), !m_list->IsRowShown(row));
    // The rows themselves stay, in their order.
    QCOMPARE(m_list->RowCount(), kTables.size());
}

void TestTableFilter::hiddenRowsLoseTheirSelection()
{
    m_list->SetSelected(0, true);  // Clients
    m_list->SetSelected(3, true);  // orders
    m_list->SetFilterText(QStringLiteral("order"));
    QCOMPARE(m_list->SelectedCaptions(), QStringList{"orders"});
}

void TestTableFilter::rowsAddedFollowTheFilter()
{
    m_list->SetFilterText(QStringLiteral("part"));
    m_list->AddRow(QStringLiteral("Departments"));
    m_list->AddRow(QStringLiteral("Zones"));
    QCOMPARE(shown(), (QStringList{"Departments", "Parts"}));
    m_list->SetFilterText(QString());
    QCOMPARE(m_list->ShownRowCount(), kTables.size() + 2);
}

void TestTableFilter::escapeClears()
{
    QLineEdit *edit = m_list->FilterEdit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ord"));
    QCOMPARE(m_list->ShownRowCount(), 2);
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), QString());
    QCOMPARE(m_list->ShownRowCount(), kTables.size());
}

void TestTableFilter::downMovesIntoTheList()
{
    QLineEdit *edit = m_list->FilterEdit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("vend"));
    QTest::keyClick(edit, Qt::Key_Down);
    QTRY_VERIFY(m_list->CurrentView()->hasFocus());
    QCOMPARE(m_list->SelectedCaptions(), QStringList{"vendors"});
}

void TestTableFilter::enterPlacesTheTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectRow");  // -1: none selected
    QTest::addColumn<QStringList>("placed");
    QTest::newRow("the first shown") << "order" << -1 << QStringList{"OrderItems"};
    QTest::newRow("the selected one") << "order" << 3 << QStringList{"orders"};
    QTest::newRow("none shown") << "xyz" << -1 << QStringList{};
}

void TestTableFilter::enterPlacesTheTable()
{
    QFETCH(QString, text);
    QFETCH(int, selectRow);
    QFETCH(QStringList, placed);
    QSignalSpy placing(m_list.get(), &TQGTableList::doubleClicked);
    QStringList selectedThen;
    connect(m_list.get(), &TQGTableList::doubleClicked, this, [&] { selectedThen = m_list->SelectedCaptions(); });
    m_list->SetFilterText(text);
    if (selectRow >= 0)
        m_list->SetSelected(selectRow, true);
    m_list->FilterEdit()->setFocus();
    QTest::keyClick(m_list->FilterEdit(), Qt::Key_Return);
    QCOMPARE(placing.size(), placed.isEmpty() ? 0 : 1);
    QCOMPARE(selectedThen, placed);
}

QTEST_MAIN(TestTableFilter)
#include "tst_tablefilter.moc"
