// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "selectforms.h"
#include "sqlbuilders.h"
#include "vdqerror.h"

#include <QtTest>

Q_DECLARE_METATYPE(QueryDesign)

// Outer joins, totals, HAVING, DISTINCT and the row limit, byte for byte per engine.
class TestSelectForms : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statements_data();
    void statements();
    void fullJoinRefusedOnMySql();
    void joinTypeNames_data();
    void joinTypeNames();
    void totalNames_data();
    void totalNames();
    void aggregateFields_data();
    void aggregateFields();
    void storedTotals();
};

namespace {

const QString LinkText = QStringLiteral("clients.ClientNo = sales.ClientNo");

DesignTable table(const QString &caption, const QStringList &fields, const QList<bool> &ticks,
                  const QList<TotalKind> &totals = {})
{
    return DesignTable{caption, fields, ticks, totals};
}

DesignTable clients(const QList<TotalKind> &totals = {})
{
    return table("clients", {"ClientNo", "Firm", "Town"}, {true, true, true}, totals);
}

DesignTable sales(const QList<TotalKind> &totals = {})
{
    return table("sales", {"SaleNo", "ClientNo", "Amount"}, {true, false, true}, totals);
}

// clients and sales, joined as a drag from clients onto sales gives it, with a second condition.
QueryDesign joined(JoinType type, SqlDialect dialect = SqlDialect::SQLite, bool fromSales = false)
{
    QueryDesign d;
    d.tables = {clients(), sales()};
    const QString text = fromSales ? QStringLiteral("sales.ClientNo = clients.ClientNo") : LinkText;
    d.links = {fromSales ? DesignLink{"sales", "clients", text, type} : DesignLink{"clients", "sales", text, type}};
    const QStringList parts = text.split(u' ');
    d.conditions = {{parts[0], "=", parts[2], "AND"}, {"clients.Town", "= (Equals)", "'Leeds'", "AND"}};
    d.style.dialect = dialect;
    return d;
}

} // namespace

void TestSelectForms::statements_data()
{
    QTest::addColumn<QueryDesign>("design");
    QTest::addColumn<QString>("expected");

    const QString joinedHead = QStringLiteral("SELECT clients.*, sales.SaleNo, sales.Amount FROM\nclients clients\n");
    const QString leedsWhere = QStringLiteral("\nWHERE \n clients.Town = 'Leeds' ");
    QTest::newRow("inner link: the classic text") << joined(JoinType::Inner)
        << "SELECT clients.*, sales.SaleNo, sales.Amount FROM\nclients clients, sales sales\nWHERE \n"
           " clients.ClientNo = sales.ClientNo AND \n clients.Town = 'Leeds' ";
    QTest::newRow("left: rows of the drag's source") << joined(JoinType::Left)
        << joinedHead + "LEFT JOIN sales sales ON " + LinkText + leedsWhere;
    QTest::newRow("right: rows of the drop target") << joined(JoinType::Right)
        << joinedHead + "RIGHT JOIN sales sales ON " + LinkText + leedsWhere;
    // PostgreSQL folds bare names to lower case: mixed-case fields are quoted.
    QTest::newRow("full on PostgreSQL") << joined(JoinType::Full, SqlDialect::PostgreSQL)
        << "SELECT clients.*, sales.\"SaleNo\", sales.\"Amount\" FROM\nclients clients\nFULL JOIN sales sales ON " + LinkText + leedsWhere;
    QTest::newRow("left dragged from the later table") << joined(JoinType::Left, SqlDialect::SQLite, true)
        << joinedHead + "RIGHT JOIN sales sales ON sales.ClientNo = clients.ClientNo" + leedsWhere;
    QTest::newRow("right dragged from the later table") << joined(JoinType::Right, SqlDialect::MySQL, true)
        << joinedHead + "LEFT JOIN sales sales ON sales.ClientNo = clients.ClientNo" + leedsWhere;

    QueryDesign onlyJoin = joined(JoinType::Left);
    onlyJoin.conditions.removeLast();
    QTest::newRow("the join's row alone: no WHERE") << onlyJoin << joinedHead + "LEFT JOIN sales sales ON " + LinkText;

    QueryDesign rowGone = joined(JoinType::Left);
    rowGone.conditions.removeFirst();
    QTest::newRow("condition row removed: tables as in the classic text") << rowGone
        << "SELECT clients.*, sales.SaleNo, sales.Amount FROM\nclients clients, sales sales" + leedsWhere;

    QueryDesign three = joined(JoinType::Left);
    three.tables.prepend(table("products", {"ProductNo"}, {false}));
    QTest::newRow("unlinked first table: CROSS JOIN") << three
        << "SELECT clients.*, sales.SaleNo, sales.Amount FROM\nproducts products\nCROSS JOIN clients clients\n"
           "LEFT JOIN sales sales ON " + LinkText + leedsWhere;

    QueryDesign chain = joined(JoinType::Left);
    chain.tables.append(table("items", {"SaleNo", "Qty"}, {false, true}));
    chain.links << DesignLink{"items", "sales", "items.SaleNo = sales.SaleNo", JoinType::Right};
    chain.conditions << ConditionRow{"items.SaleNo", "=", "sales.SaleNo", "AND"};
    QTest::newRow("two outer links in a chain") << chain
        << "SELECT clients.*, sales.SaleNo, sales.Amount, items.Qty FROM\nclients clients\nLEFT JOIN sales sales ON "
               + LinkText + "\nLEFT JOIN items items ON items.SaleNo = sales.SaleNo\nWHERE \n clients.Town = 'Leeds' ";

    // An inner link beside an outer one: every link is a join with its condition in ON, and the
    // tables an inner link ties come as one group, in parentheses after an outer join.
    QueryDesign mixed = chain;
    mixed.links[0].joinType = JoinType::Inner;
    QTest::newRow("inner link, then an outer one") << mixed
        << "SELECT clients.*, sales.SaleNo, sales.Amount, items.Qty FROM\nclients clients\nINNER JOIN sales sales ON "
               + LinkText + "\nLEFT JOIN items items ON items.SaleNo = sales.SaleNo\nWHERE \n clients.Town = 'Leeds' ";
    QueryDesign nested = chain;
    nested.links[1].joinType = JoinType::Inner;
    QTest::newRow("outer link to a group of two") << nested
        << "SELECT clients.*, sales.SaleNo, sales.Amount, items.Qty FROM\nclients clients\nLEFT JOIN (sales sales\n"
           " INNER JOIN items items ON items.SaleNo = sales.SaleNo) ON " + LinkText + "\nWHERE \n clients.Town = 'Leeds' ";

    // A link's condition binds its tables whatever an OR among the other rows says.
    QueryDesign withOr = joined(JoinType::Inner);
    withOr.conditions.prepend({"clients.Town", "= (Equals)", "'York'", "OR"});
    QTest::newRow("inner link beside an OR: link first, the rest in parentheses") << withOr
        << "SELECT clients.*, sales.SaleNo, sales.Amount FROM\nclients clients, sales sales\nWHERE \n"
           " clients.ClientNo = sales.ClientNo AND \n ( clients.Town = 'York' OR \n clients.Town = 'Leeds' ) ";
    QueryDesign orAfterLink = joined(JoinType::Inner);
    orAfterLink.conditions[0].booleanOperator = "OR";
    QTest::newRow("an OR after the link's own row") << orAfterLink
        << "SELECT clients.*, sales.SaleNo, sales.Amount FROM\nclients clients, sales sales\nWHERE \n"
           " clients.ClientNo = sales.ClientNo AND \n ( clients.Town = 'Leeds' ) ";
    QueryDesign orWithoutLink = withOr;
    orWithoutLink.links.clear();
    QTest::newRow("an OR without a link: the rows as written") << orWithoutLink
        << "SELECT clients.*, sales.SaleNo, sales.Amount FROM\nclients clients, sales sales\nWHERE \n"
           " clients.Town = 'York' OR \n clients.ClientNo = sales.ClientNo AND \n clients.Town = 'Leeds' ";

    // Every window has its own alias: the second table whose alias would be t_a gets t_a_1.
    QueryDesign sameAlias;
    sameAlias.tables = {table("t a", {"id"}, {true}), table("t_a", {"id"}, {true})};
    QTest::newRow("two tables of one classic alias") << sameAlias
        << "SELECT t_a.*, t_a_1.* FROM\n\"t a\" t_a, t_a t_a_1";

    QueryDesign totals;
    totals.tables = {table("clients", {"ClientNo", "Town"}, {false, true}, {TotalKind::None, TotalKind::Group}),
                     table("sales", {"SaleNo", "Amount"}, {true, true}, {TotalKind::Count, TotalKind::Sum})};
    totals.conditions = {{"sales.ClientNo", "=", "clients.ClientNo", "AND"}};
    QTest::newRow("totals: GROUP BY the grouped fields") << totals
        << "SELECT clients.Town, COUNT(sales.SaleNo), SUM(sales.Amount) FROM\nclients clients, sales sales\nWHERE \n"
           " sales.ClientNo = clients.ClientNo \nGROUP BY \n clients.Town";

    QueryDesign sortedOnAggregated = totals;
    sortedOnAggregated.sorting = {{"sales.SaleNo", "No"}, {"clients.Town", "Yes"}, {"sales.ClientNo", "Yes"}};
    QTest::newRow("sorting on an aggregated field sorts on its aggregate") << sortedOnAggregated
        << "SELECT clients.Town, COUNT(sales.SaleNo), SUM(sales.Amount) FROM\nclients clients, sales sales\nWHERE \n"
           " sales.ClientNo = clients.ClientNo \nGROUP BY \n clients.Town\nORDER BY \n COUNT(sales.SaleNo) DESC, \n"
           " clients.Town, \n sales.ClientNo";

    QueryDesign ungroupedTicks = totals;
    ungroupedTicks.tables[0].totals.clear();
    ungroupedTicks.tables[0].checked = {true, true};
    QTest::newRow("a ticked field without a total is grouped") << ungroupedTicks
        << "SELECT clients.ClientNo, clients.Town, COUNT(sales.SaleNo), SUM(sales.Amount) FROM\nclients clients, "
           "sales sales\nWHERE \n sales.ClientNo = clients.ClientNo \nGROUP BY \n clients.ClientNo, \n clients.Town";

    QueryDesign allAggregated;
    allAggregated.tables = {table("sales", {"SaleNo", "Amount"}, {true, true}, {TotalKind::Min, TotalKind::Max})};
    QTest::newRow("only aggregates: no GROUP BY") << allAggregated
        << "SELECT MIN(sales.SaleNo), MAX(sales.Amount) FROM\nsales sales";

    QueryDesign avg = allAggregated;
    avg.tables[0].totals = {TotalKind::Avg, TotalKind::None};
    avg.tables[0].checked = {true, false};
    QTest::newRow("unticked field with no total is not grouped") << avg << "SELECT AVG(sales.SaleNo) FROM\nsales sales";

    QueryDesign having;
    having.tables = {table("clients", {"ClientNo", "Town"}, {true, true}, {TotalKind::Count, TotalKind::Group})};
    having.conditions = {{"clients.Town", "<> (Not Equal)", "'Hull'", "AND"},
                         {"COUNT(clients.ClientNo)", "> (Greater Than)", "2", "OR"},
                         {"count(clients.ClientNo)", "= (Equals)", "1", "AND"}};
    having.sorting = {{"COUNT(clients.ClientNo)", "No"}};
    QTest::newRow("aggregate conditions go to HAVING") << having
        << "SELECT COUNT(clients.ClientNo), clients.Town FROM\nclients clients\nWHERE \n clients.Town <> 'Hull' \n"
           "GROUP BY \n clients.Town\nHAVING \n COUNT(clients.ClientNo) > 2 OR \n count(clients.ClientNo) = 1 \n"
           "ORDER BY \n COUNT(clients.ClientNo) DESC";

    QueryDesign distinct;
    distinct.tables = {table("clients", {"ClientNo", "Town"}, {false, true})};
    distinct.distinct = true;
    QTest::newRow("distinct") << distinct << "SELECT DISTINCT clients.Town FROM\nclients clients";
    distinct.tables[0].checked = {true, true};
    QTest::newRow("distinct, all fields") << distinct << "SELECT DISTINCT clients.* FROM\nclients clients";

    QueryDesign limited;
    limited.tables = {table("sales", {"SaleNo", "Amount"}, {true, true})};
    limited.sorting = {{"sales.Amount", "No"}};
    limited.limit = 10;
    const QString limitedHead = QStringLiteral("SELECT sales.* FROM\nsales sales\nORDER BY \n sales.Amount DESC\n");
    for (auto [dialect, name, last] : {std::tuple{SqlDialect::SQLite, "SQLite", "LIMIT 10"},
                                       std::tuple{SqlDialect::PostgreSQL, "PostgreSQL", "LIMIT 10"},
                                       std::tuple{SqlDialect::MySQL, "MySQL", "LIMIT 10"},
                                       std::tuple{SqlDialect::ODBC, "ODBC", "FETCH FIRST 10 ROWS ONLY"}}) {
        limited.style.dialect = dialect;
        QTest::addRow("limit on %s", name) << limited << limitedHead + last;
    }
    // Rows skipped first: each engine's form, with and without a limit.
    for (auto [dialect, name, withLimit, alone] :
         {std::tuple{SqlDialect::SQLite, "SQLite", "LIMIT 10 OFFSET 20", "LIMIT -1 OFFSET 20"},
          std::tuple{SqlDialect::PostgreSQL, "PostgreSQL", "LIMIT 10 OFFSET 20", "OFFSET 20"},
          std::tuple{SqlDialect::MySQL, "MySQL", "LIMIT 10 OFFSET 20", "LIMIT 18446744073709551615 OFFSET 20"},
          std::tuple{SqlDialect::ODBC, "ODBC", "OFFSET 20 ROWS FETCH FIRST 10 ROWS ONLY", "OFFSET 20 ROWS"}}) {
        QueryDesign skipped = limited;
        skipped.style.dialect = dialect;
        skipped.offset = 20;
        QTest::addRow("offset and limit on %s", name) << skipped << limitedHead + withLimit;
        skipped.limit = 0;
        QTest::addRow("offset alone on %s", name) << skipped << limitedHead + alone;
    }
    // A design of its own columns, a derived table and a WITH query: as they are written.
    QueryDesign own;
    own.tables = {table("sales", {"SaleNo", "Amount"}, {false, false})};
    own.tables << DesignTable{"big", {"n"}, {false}, {}, "b", TableSource::Derived, "SELECT COUNT(*) AS n FROM sales"};
    own.tables << DesignTable{"w", {"k"}, {false}, {}, "w", TableSource::With};
    own.with = QStringLiteral("WITH w AS (SELECT 1 AS k)");
    own.columns = {{"b.n * 2", "twice", false, true}, {"sales.Amount", "", true, true}, {"w.k", "", true, false},
                   {"COUNT(*)", "Rows Seen", false, true}};
    QTest::newRow("own columns, derived and with")
        << own << "WITH w AS (SELECT 1 AS k)\nSELECT b.n * 2 AS twice, sales.Amount, COUNT(*) AS \"Rows Seen\" FROM\n"
                  "sales sales, (SELECT COUNT(*) AS n FROM sales) b, w w\nGROUP BY \n sales.Amount, \n w.k";
    limited.limit = -5;
    QTest::newRow("negative limit: none") << limited << "SELECT sales.* FROM\nsales sales\nORDER BY \n sales.Amount DESC";

    QueryDesign everything = joined(JoinType::Left, SqlDialect::MySQL);
    everything.tables = {clients({TotalKind::None, TotalKind::None, TotalKind::Group}),
                         sales({TotalKind::Count, TotalKind::None, TotalKind::None})};
    everything.tables[1].checked = {true, false, false};
    everything.conditions << ConditionRow{"COUNT(sales.SaleNo)", ">=", "1", "AND"};
    everything.sorting = {{"COUNT(sales.SaleNo)", "No"}};
    everything.distinct = true;
    everything.limit = 3;
    QTest::newRow("all together, in their order") << everything
        << "SELECT DISTINCT clients.ClientNo, clients.Firm, clients.Town, COUNT(sales.SaleNo) FROM\nclients clients\n"
           "LEFT JOIN sales sales ON " + LinkText + leedsWhere + "\nGROUP BY \n clients.ClientNo, \n clients.Firm, \n"
           " clients.Town\nHAVING \n COUNT(sales.SaleNo) >= 1 \nORDER BY \n COUNT(sales.SaleNo) DESC\nLIMIT 3";

    // Outer links, totals and the limit belong to SELECT; the other types stay classic.
    QueryDesign del = joined(JoinType::Left);
    del.queryType = QueryType::Delete;
    del.limit = 4;
    del.distinct = true;
    QTest::newRow("delete ignores them") << del
        << "DELETE FROM \nclients AS clients, sales AS sales\nWHERE \n clients.ClientNo = sales.ClientNo AND \n"
           " clients.Town = 'Leeds' ";
}

void TestSelectForms::statements()
{
    QFETCH(QueryDesign, design);
    QFETCH(QString, expected);
    QCOMPARE(GenerateSQLText(design), expected);
}

void TestSelectForms::fullJoinRefusedOnMySql()
{
    QVERIFY_THROWS_EXCEPTION(VdqError, GenerateSQLText(joined(JoinType::Full, SqlDialect::MySQL)));
    try {
        GenerateSQLText(joined(JoinType::Full, SqlDialect::MySQL));
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QLatin1String("FULL JOIN")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QLatin1String("clients")) && e.message().contains(QLatin1String("sales")),
                 qPrintable(e.message()));
    }
    // Left and right joins are MySQL's own.
    QVERIFY(GenerateSQLText(joined(JoinType::Left, SqlDialect::MySQL)).contains(QLatin1String("LEFT JOIN")));
}

void TestSelectForms::joinTypeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("written");
    QTest::newRow("INNER") << "INNER" << int(JoinType::Inner) << "INNER";
    QTest::newRow("LEFT") << "LEFT" << int(JoinType::Left) << "LEFT";
    QTest::newRow("RIGHT") << "RIGHT" << int(JoinType::Right) << "RIGHT";
    QTest::newRow("FULL") << "FULL" << int(JoinType::Full) << "FULL";
    QTest::newRow("lower case") << "left" << int(JoinType::Left) << "LEFT";
    QTest::newRow("empty: inner") << "" << int(JoinType::Inner) << "INNER";
    QTest::newRow("unknown: inner") << "OUTER" << int(JoinType::Inner) << "INNER";
    QTest::newRow("padded: inner") << " LEFT" << int(JoinType::Inner) << "INNER";
}

void TestSelectForms::joinTypeNames()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QString, written);
    QCOMPARE(int(JoinTypeFromName(name)), type);
    QCOMPARE(JoinTypeName(JoinType(type)), written);
}

void TestSelectForms::totalNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("written");
    for (const char *word : {"GROUP", "COUNT", "SUM", "AVG", "MIN", "MAX"})
        QTest::newRow(word) << word << int(TotalKindFromName(word)) << word;
    QTest::newRow("lower case") << "sum" << int(TotalKind::Sum) << "SUM";
    QTest::newRow("empty") << "" << int(TotalKind::None) << "";
    QTest::newRow("unknown") << "MEDIAN" << int(TotalKind::None) << "";
}

void TestSelectForms::totalNames()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, written);
    QCOMPARE(TotalKindName(TotalKind(kind)), written);
    QCOMPARE(TotalKindFromName(written), TotalKind(kind));
    if (!written.isEmpty())
        QVERIFY(TotalKind(kind) != TotalKind::None);
}

void TestSelectForms::aggregateFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("aggregate");
    QTest::newRow("COUNT") << "COUNT(a.b)" << true;
    QTest::newRow("SUM") << "SUM(a.b)" << true;
    QTest::newRow("AVG") << "AVG(a.b)" << true;
    QTest::newRow("MIN") << "MIN(a.b)" << true;
    QTest::newRow("MAX") << "MAX(a.b)" << true;
    QTest::newRow("lower case") << "max(a.b)" << true;
    QTest::newRow("plain field") << "a.b" << false;
    QTest::newRow("field named like a function") << "a.COUNT" << false;
    QTest::newRow("no parenthesis") << "COUNT a" << false;
    QTest::newRow("other function") << "UPPER(a.b)" << false;
}

void TestSelectForms::aggregateFields()
{
    QFETCH(QString, field);
    QFETCH(bool, aggregate);
    QCOMPARE(IsAggregateField(field), aggregate);
}

void TestSelectForms::storedTotals()
{
    const QStringList fields = {"ClientNo", "Town", "town"};
    QCOMPARE(ApplyStoredTotals(fields, {{"TOWN", "count"}, {"Gone", "SUM"}}),
             (QList<TotalKind>{TotalKind::None, TotalKind::Count, TotalKind::None}));
    QVERIFY(ApplyStoredTotals(fields, {{"Town", ""}, {"ClientNo", "NONSENSE"}}).isEmpty());
    QVERIFY(ApplyStoredTotals(fields, {}).isEmpty());
}

QTEST_MAIN(TestSelectForms)
#include "tst_selectforms.moc"
