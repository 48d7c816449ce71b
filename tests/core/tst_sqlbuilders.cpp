// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "sqlbuilders.h"

#include <QtTest>

Q_DECLARE_METATYPE(QueryDesign)
Q_DECLARE_METATYPE(ConditionRow)

namespace {

const SqlDialect kDialects[] = {SqlDialect::SQLite, SqlDialect::PostgreSQL, SqlDialect::MySQL,
                                SqlDialect::ODBC};

const char *dialectName(SqlDialect dialect)
{
    switch (dialect) {
    case SqlDialect::SQLite:
        return "SQLite";
    case SqlDialect::PostgreSQL:
        return "PostgreSQL";
    case SqlDialect::MySQL:
        return "MySQL";
    case SqlDialect::ODBC:
        return "ODBC";
    }
    return "?";
}

const char *typeName(QueryType type)
{
    switch (type) {
    case QueryType::Select:
        return "select";
    case QueryType::Insert:
        return "insert";
    case QueryType::Update:
        return "update";
    case QueryType::Delete:
        return "delete";
    }
    return "?";
}

DesignTable ticked(const QString &caption, const QStringList &fields, const QList<bool> &checked)
{
    return DesignTable{caption, fields, checked, {}};
}

DesignTable allTicked(const QString &caption, const QStringList &fields)
{
    return DesignTable{caption, fields, QList<bool>(fields.size(), true), {}};
}

QueryDesign designOf(QueryType type, SqlDialect dialect, bool quote,
                     const QList<DesignTable> &tables, const QList<ConditionRow> &conditions = {},
                     const QList<ValueRow> &values = {}, const QList<SortRow> &sorting = {})
{
    QueryDesign design;
    design.queryType = type;
    design.tables = tables;
    design.conditions = conditions;
    design.values = values;
    design.sorting = sorting;
    design.style = IdentifierStyle{quote, dialect};
    return design;
}

DesignTable clientsTable()
{
    return allTicked(QStringLiteral("CLIENTS.DB"), {"ClientNo", "Firm", "Town"});
}

QList<ValueRow> clientValues()
{
    return {{"Firm", "'North Ltd'"}, {"Town", "'Leeds'"}};
}

QueryDesign example1(SqlDialect dialect, bool quote)
{
    return designOf(QueryType::Select, dialect, quote,
                    {clientsTable(),
                     ticked("SALES.DB", {"SaleNo", "ClientNo", "SaleDay"}, {true, false, true})},
                    {{"SALES_DB.ClientNo", "=", "CLIENTS_DB.ClientNo", "AND"},
                     {"CLIENTS_DB.Town", "= (Equals)", "'Leeds'", "AND"}},
                    {}, {{"SALES_DB.SaleDay", "No"}});
}

QueryDesign example2(SqlDialect dialect, bool quote)
{
    return designOf(QueryType::Update, dialect, quote, {clientsTable()},
                    {{"CLIENTS_DB.ClientNo", "= (Equals)", "1001", "AND"}}, clientValues());
}

QueryDesign example3Insert(SqlDialect dialect, bool quote)
{
    return designOf(QueryType::Insert, dialect, quote, {clientsTable()}, {}, clientValues());
}

QueryDesign example3Delete(SqlDialect dialect, bool quote)
{
    return designOf(QueryType::Delete, dialect, quote, {clientsTable()},
                    {{"CLIENTS_DB.Town", "IS NULL", "", "AND"}}, clientValues());
}

// Lists of every kind, so that an empty canvas is the only reason for an empty text.
QueryDesign fullListsNoTables(QueryType type, SqlDialect dialect)
{
    return designOf(type, dialect, false, {}, {{"A.x", "= (Equals)", "1", "AND"}},
                    {{"x", "1"}}, {{"A.x", "Yes"}});
}

} // namespace

class TestSqlBuilders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workedExamples_data();
    void workedExamples();
    void awkwardNames_data();
    void awkwardNames();
    void emptyCanvas_data();
    void emptyCanvas();
    void selectColumns_data();
    void selectColumns();
    void conditions_data();
    void conditions();
    void sorting_data();
    void sorting();
    void listsPerType_data();
    void listsPerType();
    void conditionLine_data();
    void conditionLine();
    void conditionLinesEmpty();
    void dispatch();
    void generatedText();
    void largeDesign();
};

static void addStatementColumns()
{
    QTest::addColumn<QueryDesign>("design");
    QTest::addColumn<QStringList>("lines");
}

static void compareStatement()
{
    QFETCH(QueryDesign, design);
    QFETCH(QStringList, lines);
    QCOMPARE(GenerateSQLLines(design), lines);
}

void TestSqlBuilders::workedExamples_data()
{
    addStatementColumns();

    // MySQL and ODBC give the examples as the designer always wrote them, but for the
    // forms that engines refuse: MySQL names the table before FROM in DELETE, plain ANSI
    // SQL (ODBC) writes AS before the alias and no alias before a SET target.
    for (SqlDialect d : {SqlDialect::MySQL, SqlDialect::ODBC}) {
        const char *n = dialectName(d);
        const bool ansi = d == SqlDialect::ODBC;
        const QString updateLine = ansi ? "UPDATE CLIENTS.DB AS CLIENTS_DB" : "UPDATE CLIENTS.DB CLIENTS_DB";
        const QString target = ansi ? "" : "CLIENTS_DB.";
        const QString deleteLine = ansi ? "DELETE FROM " : "DELETE CLIENTS_DB FROM ";
        const QString deleteTable = ansi ? "CLIENTS.DB AS CLIENTS_DB" : "CLIENTS.DB CLIENTS_DB";
        QTest::addRow("example 1 %s", n)
            << example1(d, false)
            << QStringList{"SELECT CLIENTS_DB.*, SALES_DB.SaleNo, SALES_DB.SaleDay FROM",
                           "CLIENTS.DB CLIENTS_DB, SALES.DB SALES_DB",
                           "WHERE ",
                           " SALES_DB.ClientNo = CLIENTS_DB.ClientNo AND ",
                           " CLIENTS_DB.Town = 'Leeds' ",
                           "ORDER BY ",
                           " SALES_DB.SaleDay DESC"};
        QTest::addRow("example 2 %s", n)
            << example2(d, false)
            << QStringList{updateLine,
                           "SET ",
                           " " + target + "Firm = 'North Ltd', ",
                           " " + target + "Town = 'Leeds'",
                           "WHERE ",
                           " CLIENTS_DB.ClientNo = 1001 "};
        QTest::addRow("example 3 insert %s", n)
            << example3Insert(d, false)
            << QStringList{"INSERT INTO CLIENTS.DB (Firm, Town) ",
                           "VALUES ('North Ltd', 'Leeds'); "};
        QTest::addRow("example 3 delete %s", n)
            << example3Delete(d, false)
            << QStringList{deleteLine, deleteTable, "WHERE ",
                           " CLIENTS_DB.Town IS NULL  "};

        QTest::addRow("example 1 %s quoted", n)
            << example1(d, true)
            << QStringList{"SELECT CLIENTS_DB.*, SALES_DB.\"SaleNo\", SALES_DB.\"SaleDay\" FROM",
                           "CLIENTS.DB CLIENTS_DB, SALES.DB SALES_DB",
                           "WHERE ",
                           " SALES_DB.ClientNo = CLIENTS_DB.ClientNo AND ",
                           " CLIENTS_DB.Town = 'Leeds' ",
                           "ORDER BY ",
                           " SALES_DB.SaleDay DESC"};
        QTest::addRow("example 2 %s quoted", n)
            << example2(d, true)
            << QStringList{updateLine,
                           "SET ",
                           " " + target + "\"Firm\" = 'North Ltd', ",
                           " " + target + "\"Town\" = 'Leeds'",
                           "WHERE ",
                           " CLIENTS_DB.ClientNo = 1001 "};
        QTest::addRow("example 3 insert %s quoted", n)
            << example3Insert(d, true)
            << QStringList{"INSERT INTO \"CLIENTS.DB\" (Firm, Town) ",
                           "VALUES ('North Ltd', 'Leeds'); "};
        QTest::addRow("example 3 delete %s quoted", n)
            << example3Delete(d, true)
            << QStringList{deleteLine, deleteTable, "WHERE ",
                           " CLIENTS_DB.Town IS NULL  "};
    }

    // SQLite: unqualified SET targets, AS before the alias in UPDATE and DELETE only, and a
    // table name with a dot is one name (SQLite lists no schema before it).
    for (bool quote : {false, true}) {
        const char *q = quote ? " quoted" : "";
        const QString saleNo = quote ? "\"SaleNo\"" : "SaleNo";
        const QString saleDay = quote ? "\"SaleDay\"" : "SaleDay";
        const QString firm = quote ? "\"Firm\"" : "Firm";
        const QString town = quote ? "\"Town\"" : "Town";
        QTest::addRow("example 1 SQLite%s", q)
            << example1(SqlDialect::SQLite, quote)
            << QStringList{"SELECT CLIENTS_DB.*, SALES_DB." + saleNo + ", SALES_DB." + saleDay
                               + " FROM",
                           "\"CLIENTS.DB\" CLIENTS_DB, \"SALES.DB\" SALES_DB",
                           "WHERE ",
                           " SALES_DB.ClientNo = CLIENTS_DB.ClientNo AND ",
                           " CLIENTS_DB.Town = 'Leeds' ",
                           "ORDER BY ",
                           " SALES_DB.SaleDay DESC"};
        QTest::addRow("example 2 SQLite%s", q)
            << example2(SqlDialect::SQLite, quote)
            << QStringList{"UPDATE \"CLIENTS.DB\" AS CLIENTS_DB",
                           "SET ",
                           " " + firm + " = 'North Ltd', ",
                           " " + town + " = 'Leeds'",
                           "WHERE ",
                           " CLIENTS_DB.ClientNo = 1001 "};
        QTest::addRow("example 3 insert SQLite%s", q)
            << example3Insert(SqlDialect::SQLite, quote)
            << QStringList{"INSERT INTO \"CLIENTS.DB\" (Firm, Town) ",
                           "VALUES ('North Ltd', 'Leeds'); "};
        QTest::addRow("example 3 delete SQLite%s", q)
            << example3Delete(SqlDialect::SQLite, quote)
            << QStringList{"DELETE FROM ", "\"CLIENTS.DB\" AS CLIENTS_DB", "WHERE ",
                           " CLIENTS_DB.Town IS NULL  "};
    }

    // PostgreSQL folds bare names to lower case, so mixed-case names are quoted even
    // without the flag; SET targets are unqualified.
    for (bool quote : {false, true}) {
        const char *q = quote ? " quoted" : "";
        QTest::addRow("example 1 PostgreSQL%s", q)
            << example1(SqlDialect::PostgreSQL, quote)
            << QStringList{"SELECT CLIENTS_DB.*, SALES_DB.\"SaleNo\", SALES_DB.\"SaleDay\" FROM",
                           "\"CLIENTS\".\"DB\" CLIENTS_DB, \"SALES\".\"DB\" SALES_DB",
                           "WHERE ",
                           " SALES_DB.ClientNo = CLIENTS_DB.ClientNo AND ",
                           " CLIENTS_DB.Town = 'Leeds' ",
                           "ORDER BY ",
                           " SALES_DB.SaleDay DESC"};
        QTest::addRow("example 2 PostgreSQL%s", q)
            << example2(SqlDialect::PostgreSQL, quote)
            << QStringList{"UPDATE \"CLIENTS\".\"DB\" CLIENTS_DB",
                           "SET ",
                           " \"Firm\" = 'North Ltd', ",
                           " \"Town\" = 'Leeds'",
                           "WHERE ",
                           " CLIENTS_DB.ClientNo = 1001 "};
        QTest::addRow("example 3 insert PostgreSQL%s", q)
            << example3Insert(SqlDialect::PostgreSQL, quote)
            << QStringList{quote ? "INSERT INTO \"CLIENTS.DB\" (\"Firm\", \"Town\") "
                                 : "INSERT INTO \"CLIENTS\".\"DB\" (\"Firm\", \"Town\") ",
                           "VALUES ('North Ltd', 'Leeds'); "};
        QTest::addRow("example 3 delete PostgreSQL%s", q)
            << example3Delete(SqlDialect::PostgreSQL, quote)
            << QStringList{"DELETE FROM ", "\"CLIENTS\".\"DB\" CLIENTS_DB", "WHERE ",
                           " CLIENTS_DB.Town IS NULL  "};
    }
}

void TestSqlBuilders::workedExamples()
{
    compareStatement();
}

void TestSqlBuilders::awkwardNames_data()
{
    addStatementColumns();

    const QList<DesignTable> selectTables{
        allTicked("order items", {"Cust No", "id"}),
        ticked("2003sales", {"Cust No", "total"}, {true, false})};
    const QList<ValueRow> orderValues{{"Cust No", "'C1'"}, {"id", "7"}};
    const QList<ValueRow> salesValues{{"Cust No", "'C1'"}, {"total", "5"}};
    const QList<ConditionRow> salesCondition{{"_2003sales.total", "> (Greater Than)", "100", "AND"}};
    const QList<ConditionRow> orderCondition{{"order_items.id", "= (Equals)", "7", "AND"}};

    for (SqlDialect d : kDialects) {
        const char *n = dialectName(d);
        const bool mysql = d == SqlDialect::MySQL;
        const QString orderItems = mysql ? "`order items`" : "\"order items\"";
        const QString sales = mysql ? "`2003sales`" : "\"2003sales\"";
        const QString custNo = mysql ? "`Cust No`" : "\"Cust No\"";
        const QString as = d == SqlDialect::SQLite || d == SqlDialect::ODBC ? " AS " : " ";
        const QString target = mysql ? "_2003sales." : "";

        QTest::addRow("select %s", n)
            << designOf(QueryType::Select, d, false, selectTables)
            << QStringList{"SELECT order_items.*, _2003sales." + custNo + " FROM",
                           orderItems + " order_items, " + sales + " _2003sales"};
        QTest::addRow("select %s quoted", n)
            << designOf(QueryType::Select, d, true, selectTables)
            << QStringList{"SELECT order_items.*, _2003sales.\"Cust No\" FROM",
                           orderItems + " order_items, " + sales + " _2003sales"};

        QTest::addRow("insert %s", n)
            << designOf(QueryType::Insert, d, false, {allTicked("order items", {"Cust No", "id"})},
                        {}, orderValues)
            << QStringList{"INSERT INTO " + orderItems + " (" + custNo + ", id) ",
                           "VALUES ('C1', 7); "};
        QTest::addRow("insert %s quoted", n)
            << designOf(QueryType::Insert, d, true, {allTicked("order items", {"Cust No", "id"})},
                        {}, orderValues)
            << QStringList{"INSERT INTO \"order items\" (" + custNo + ", id) ",
                           "VALUES ('C1', 7); "};

        QTest::addRow("update %s", n)
            << designOf(QueryType::Update, d, false, {allTicked("2003sales", {"Cust No", "total"})},
                        salesCondition, salesValues)
            << QStringList{"UPDATE " + sales + as + "_2003sales",
                           "SET ",
                           " " + target + custNo + " = 'C1', ",
                           " " + target + "total = 5",
                           "WHERE ",
                           " _2003sales.total > 100 "};
        QTest::addRow("update %s quoted", n)
            << designOf(QueryType::Update, d, true, {allTicked("2003sales", {"Cust No", "total"})},
                        salesCondition, salesValues)
            << QStringList{"UPDATE " + sales + as + "_2003sales",
                           "SET ",
                           " " + target + "\"Cust No\" = 'C1', ",
                           " " + target + "\"total\" = 5",
                           "WHERE ",
                           " _2003sales.total > 100 "};

        QTest::addRow("delete %s", n)
            << designOf(QueryType::Delete, d, false, {allTicked("order items", {"Cust No", "id"})},
                        orderCondition)
            << QStringList{mysql ? "DELETE order_items FROM " : "DELETE FROM ",
                           orderItems + as + "order_items", "WHERE ", " order_items.id = 7 "};
    }

    QTest::newRow("schema qualified PostgreSQL")
        << designOf(QueryType::Select, SqlDialect::PostgreSQL, false,
                    {allTicked("public.order items", {"id"}), allTicked("public.Sales", {"id"})})
        << QStringList{"SELECT public_order_items.*, public_Sales.* FROM",
                       "public.\"order items\" public_order_items, public.\"Sales\" public_Sales"};
    QTest::newRow("schema qualified MySQL")
        << designOf(QueryType::Delete, SqlDialect::MySQL, false,
                    {allTicked("shop.order items", {"id"})})
        << QStringList{"DELETE shop_order_items FROM ", "shop.`order items` shop_order_items"};
    QTest::newRow("lower case stays bare on PostgreSQL")
        << designOf(QueryType::Select, SqlDialect::PostgreSQL, false,
                    {ticked("clients", {"client_no", "firm"}, {true, false})})
        << QStringList{"SELECT clients.client_no FROM", "clients clients"};
    QTest::newRow("lower case insert on PostgreSQL")
        << designOf(QueryType::Insert, SqlDialect::PostgreSQL, false,
                    {allTicked("clients", {"client_no", "firm"})}, {}, {{"firm", "'North Ltd'"}})
        << QStringList{"INSERT INTO clients (firm) ", "VALUES ('North Ltd'); "};
    QTest::newRow("embedded quote doubled in table name")
        << designOf(QueryType::Select, SqlDialect::SQLite, false, {allTicked("a\"b", {"x"})})
        << QStringList{"SELECT a_b.* FROM", "\"a\"\"b\" a_b"};
    QTest::newRow("dotted table name whole on SQLite")
        << designOf(QueryType::Delete, SqlDialect::SQLite, false, {allTicked("CLIENTS.DB", {"x"})})
        << QStringList{"DELETE FROM ", "\"CLIENTS.DB\" AS CLIENTS_DB"};
    QTest::newRow("reserved table and field SQLite")
        << designOf(QueryType::Select, SqlDialect::SQLite, false,
                    {ticked("order", {"select", "x"}, {true, false})})
        << QStringList{"SELECT order_.\"select\" FROM", "\"order\" order_"};
    QTest::newRow("reserved words MySQL update")
        << designOf(QueryType::Update, SqlDialect::MySQL, false, {allTicked("order", {"select"})}, {},
                    {{"select", "1"}})
        << QStringList{"UPDATE `order` order_", "SET ", " order_.`select` = 1"};
    QTest::newRow("reserved words PostgreSQL insert")
        << designOf(QueryType::Insert, SqlDialect::PostgreSQL, false, {allTicked("order", {"select"})}, {},
                    {{"select", "1"}})
        << QStringList{"INSERT INTO \"order\" (\"select\") ", "VALUES (1); "};
    QTest::newRow("reserved word in any case ODBC")
        << designOf(QueryType::Delete, SqlDialect::ODBC, false, {allTicked("Order", {"x"})})
        << QStringList{"DELETE FROM ", "\"Order\" AS Order_"};
    QTest::newRow("embedded backtick doubled in MySQL column list")
        << designOf(QueryType::Insert, SqlDialect::MySQL, false, {allTicked("t", {"a`b"})}, {},
                    {{"a`b", "1"}})
        << QStringList{"INSERT INTO t (`a``b`) ", "VALUES (1); "};
}

void TestSqlBuilders::awkwardNames()
{
    compareStatement();
}

void TestSqlBuilders::emptyCanvas_data()
{
    QTest::addColumn<QueryDesign>("design");
    for (SqlDialect d : kDialects) {
        for (QueryType t : {QueryType::Select, QueryType::Insert, QueryType::Update,
                            QueryType::Delete}) {
            QTest::addRow("%s %s", typeName(t), dialectName(d)) << fullListsNoTables(t, d);
        }
    }
}

void TestSqlBuilders::emptyCanvas()
{
    QFETCH(QueryDesign, design);
    QVERIFY(!design.conditions.isEmpty() && !design.values.isEmpty() && !design.sorting.isEmpty());
    QCOMPARE(GenerateSQLLines(design), QStringList());
    QCOMPARE(GenerateSQLText(design), QString());
}

void TestSqlBuilders::selectColumns_data()
{
    addStatementColumns();
    const SqlDialect s = SqlDialect::SQLite;

    QStringList manyFields;
    for (int i = 0; i < 40; ++i)
        manyFields << QStringLiteral("F%1").arg(i);
    QList<bool> allButOne(manyFields.size(), true);
    allButOne[20] = false;
    QString remaining = "SELECT ";
    for (int i = 0; i < manyFields.size(); ++i) {
        if (i != 20)
            remaining += "T." + manyFields.at(i) + (i + 1 < manyFields.size() ? ", " : "");
    }
    remaining += " FROM";

    QTest::newRow("all ticked gives alias star")
        << designOf(QueryType::Select, s, false, {allTicked("T", manyFields)})
        << QStringList{"SELECT T.* FROM", "T T"};
    QTest::newRow("one unticked lists the others")
        << designOf(QueryType::Select, s, false, {ticked("T", manyFields, allButOne)})
        << QStringList{remaining, "T T"};
    QTest::newRow("all ticked quoted still star")
        << designOf(QueryType::Select, s, true, {allTicked("T", {"a", "b"})})
        << QStringList{"SELECT T.* FROM", "T T"};
    QTest::newRow("table without fields gives alias star")
        << designOf(QueryType::Select, s, false, {DesignTable{"EMPTY.DB", {}, {}, {}}})
        << QStringList{"SELECT EMPTY_DB.* FROM", "\"EMPTY.DB\" EMPTY_DB"};
    QTest::newRow("no ticked field anywhere")
        << designOf(QueryType::Select, s, false,
                    {ticked("A", {"x", "y"}, {false, false}), ticked("B", {"z"}, {false})})
        << QStringList{"SELECT  FROM", "A A, B B"};
    QTest::newRow("unticked table before ticked one")
        << designOf(QueryType::Select, s, false,
                    {ticked("A", {"x"}, {false}), allTicked("B", {"z"})})
        << QStringList{"SELECT B.* FROM", "A A, B B"};
    QTest::newRow("ticked fields before unticked table")
        << designOf(QueryType::Select, s, false,
                    {ticked("A", {"x", "y"}, {false, true}), ticked("B", {"z"}, {false})})
        << QStringList{"SELECT A.y FROM", "A A, B B"};
    QTest::newRow("field order kept")
        << designOf(QueryType::Select, s, false,
                    {ticked("A", {"c", "a", "b", "d"}, {true, false, true, false})})
        << QStringList{"SELECT A.c, A.b FROM", "A A"};
    QTest::newRow("same table placed twice")
        << designOf(QueryType::Select, s, false, {clientsTable(), clientsTable()})
        << QStringList{"SELECT CLIENTS_DB.*, CLIENTS_DB_1.* FROM",
                       "\"CLIENTS.DB\" CLIENTS_DB, \"CLIENTS.DB\" CLIENTS_DB_1"};
    QTest::newRow("name that needs quoting without the flag")
        << designOf(QueryType::Select, s, false, {ticked("A", {"a, b", "y"}, {true, false})})
        << QStringList{"SELECT A.\"a, b\" FROM", "A A"};
    QTest::newRow("missing ticks read as unticked")
        << designOf(QueryType::Select, s, false, {ticked("A", {"x", "y", "z"}, {true})})
        << QStringList{"SELECT A.x FROM", "A A"};
    QTest::newRow("select on SQLite keeps alias without AS")
        << designOf(QueryType::Select, s, false, {allTicked("order items", {"id"})})
        << QStringList{"SELECT order_items.* FROM", "\"order items\" order_items"};
}

void TestSqlBuilders::selectColumns()
{
    compareStatement();
}

void TestSqlBuilders::conditions_data()
{
    addStatementColumns();
    const SqlDialect s = SqlDialect::SQLite;
    const QList<DesignTable> one{allTicked("A", {"x", "y", "z"})};

    QTest::newRow("one row has no operator")
        << designOf(QueryType::Select, s, false, one, {{"A.x", "= (Equals)", "1", "OR"}})
        << QStringList{"SELECT A.* FROM", "A A", "WHERE ", " A.x = 1 "};
    QTest::newRow("three rows use the operators of the rows above")
        << designOf(QueryType::Select, s, false, one,
                    {{"A.x", "= (Equals)", "1", "OR"},
                     {"A.y", "<> (Not Equal)", "2", "AND"},
                     {"A.z", "IS NOT NULL", "", "OR"}})
        << QStringList{"SELECT A.* FROM", "A A", "WHERE ", " A.x = 1 OR ", " A.y <> 2 AND ",
                       " A.z IS NOT NULL  "};
    QTest::newRow("three rows in delete")
        << designOf(QueryType::Delete, s, false, one,
                    {{"A.x", "> (Greater Than)", "1", "AND"},
                     {"A.y", "< (Less Than)", "2", "OR"},
                     {"A.z", "like ", "'a%'", "AND"}})
        << QStringList{"DELETE FROM ", "A AS A", "WHERE ", " A.x > 1 AND ", " A.y < 2 OR ",
                       " A.z like  'a%' "};
    QTest::newRow("three rows in update")
        << designOf(QueryType::Update, SqlDialect::ODBC, false, one,
                    {{"A.x", "= (Equals)", "1", "OR"},
                     {"A.y", "= (Equals)", "2", "OR"},
                     {"A.z", "= (Equals)", "3", "OR"}},
                    {{"x", "0"}})
        << QStringList{"UPDATE A AS A", "SET ", " x = 0", "WHERE ", " A.x = 1 OR ",
                       " A.y = 2 OR ", " A.z = 3 "};
    QTest::newRow("no condition gives no WHERE")
        << designOf(QueryType::Delete, s, false, one)
        << QStringList{"DELETE FROM ", "A AS A"};
    QTest::newRow("join condition from the other table")
        << designOf(QueryType::Select, SqlDialect::MySQL, false,
                    {allTicked("A", {"id"}), allTicked("B", {"a_id"})},
                    {{"B.a_id", "=", "A.id", "AND"}})
        << QStringList{"SELECT A.*, B.* FROM", "A A, B B", "WHERE ", " B.a_id = A.id "};
}

void TestSqlBuilders::conditions()
{
    compareStatement();
}

void TestSqlBuilders::sorting_data()
{
    addStatementColumns();
    const SqlDialect s = SqlDialect::SQLite;
    const QList<DesignTable> one{allTicked("A", {"a", "b", "c"})};

    QTest::newRow("Yes ascending, others descending")
        << designOf(QueryType::Select, s, false, one, {}, {},
                    {{"A.a", "Yes"}, {"A.b", "No"}, {"A.c", "yes"}})
        << QStringList{"SELECT A.* FROM", "A A", "ORDER BY ", " A.a, ", " A.b DESC, ",
                       " A.c DESC"};
    QTest::newRow("upper case YES is descending")
        << designOf(QueryType::Select, s, false, one, {}, {}, {{"A.a", "YES"}})
        << QStringList{"SELECT A.* FROM", "A A", "ORDER BY ", " A.a DESC"};
    QTest::newRow("empty ascending is descending")
        << designOf(QueryType::Select, s, false, one, {}, {}, {{"A.a", ""}})
        << QStringList{"SELECT A.* FROM", "A A", "ORDER BY ", " A.a DESC"};
    QTest::newRow("padded Yes is descending")
        << designOf(QueryType::Select, s, false, one, {}, {}, {{"A.a", "Yes "}})
        << QStringList{"SELECT A.* FROM", "A A", "ORDER BY ", " A.a DESC"};
    QTest::newRow("single ascending row")
        << designOf(QueryType::Select, s, false, one, {}, {}, {{"A.b", "Yes"}})
        << QStringList{"SELECT A.* FROM", "A A", "ORDER BY ", " A.b"};
    QTest::newRow("order by after where")
        << designOf(QueryType::Select, s, false, one, {{"A.a", "IS NULL", "", "AND"}}, {},
                    {{"A.b", "No"}})
        << QStringList{"SELECT A.* FROM", "A A", "WHERE ", " A.a IS NULL  ", "ORDER BY ",
                       " A.b DESC"};
}

void TestSqlBuilders::sorting()
{
    compareStatement();
}

void TestSqlBuilders::listsPerType_data()
{
    addStatementColumns();
    const SqlDialect s = SqlDialect::SQLite;
    const QList<DesignTable> one{allTicked("A", {"x", "y"})};
    const QList<ConditionRow> cond{{"A.x", "= (Equals)", "1", "AND"}};
    const QList<SortRow> sort{{"A.x", "No"}};
    const QList<ValueRow> vals{{"x", "2"}, {"y", "'b'"}};

    QTest::newRow("insert without values")
        << designOf(QueryType::Insert, s, false, one, cond, {}, sort) << QStringList();
    QTest::newRow("update without values")
        << designOf(QueryType::Update, s, false, one, cond, {}, sort) << QStringList();
    QTest::newRow("insert ignores conditions and sorting")
        << designOf(QueryType::Insert, s, false, one, cond, vals, sort)
        << QStringList{"INSERT INTO A (x, y) ", "VALUES (2, 'b'); "};
    QTest::newRow("update ignores sorting")
        << designOf(QueryType::Update, s, false, one, cond, vals, sort)
        << QStringList{"UPDATE A AS A", "SET ", " x = 2, ", " y = 'b'", "WHERE ",
                       " A.x = 1 "};
    QTest::newRow("update without conditions")
        << designOf(QueryType::Update, SqlDialect::MySQL, false, one, {}, {{"x", "2"}})
        << QStringList{"UPDATE A A", "SET ", " A.x = 2"};
    QTest::newRow("delete with values")
        << designOf(QueryType::Delete, s, false, one, cond, vals, sort)
        << QStringList{"DELETE FROM ", "A AS A", "WHERE ", " A.x = 1 "};
    QTest::newRow("delete without values")
        << designOf(QueryType::Delete, s, false, one, cond, {}, sort)
        << QStringList{"DELETE FROM ", "A AS A", "WHERE ", " A.x = 1 "};
    QTest::newRow("select ignores values")
        << designOf(QueryType::Select, s, false, one, {}, vals)
        << QStringList{"SELECT A.* FROM", "A A"};
    QTest::newRow("select without conditions or sorting")
        << designOf(QueryType::Select, s, false, one) << QStringList{"SELECT A.* FROM", "A A"};
    // More tables than the single-table rule lets through.
    QTest::newRow("update qualifies with the last table")
        << designOf(QueryType::Update, SqlDialect::MySQL, false,
                    {allTicked("A", {"x"}), allTicked("B.DB", {"x"})}, {}, {{"x", "1"}, {"y", "2"}})
        << QStringList{"UPDATE A A, B.DB B_DB", "SET ", " B_DB.x = 1, ", " B_DB.y = 2"};
    QTest::newRow("update on SQLite with two tables")
        << designOf(QueryType::Update, s, false,
                    {allTicked("A", {"x"}), allTicked("B", {"x"})}, {}, {{"x", "1"}})
        << QStringList{"UPDATE A AS A, B AS B", "SET ", " x = 1"};
    QTest::newRow("insert writes every table unseparated")
        << designOf(QueryType::Insert, s, false,
                    {allTicked("A", {"x"}), allTicked("B", {"x"})}, {}, {{"x", "1"}})
        << QStringList{"INSERT INTO AB (x) ", "VALUES (1); "};
    QTest::newRow("insert quoted with two tables")
        << designOf(QueryType::Insert, s, true,
                    {allTicked("A", {"x"}), allTicked("B", {"x"})}, {}, {{"x", "1"}})
        << QStringList{"INSERT INTO \"A\"\"B\" (x) ", "VALUES (1); "};
    QTest::newRow("delete with two tables")
        << designOf(QueryType::Delete, SqlDialect::ODBC, false,
                    {allTicked("A", {"x"}), allTicked("B", {"x"})})
        << QStringList{"DELETE FROM ", "A AS A, B AS B"};
    QTest::newRow("insert value texts as they stand")
        << designOf(QueryType::Insert, s, false, one, {},
                    {{"x", ":x"}, {"y", "\"12/31/2003\""}})
        << QStringList{"INSERT INTO A (x, y) ", "VALUES (:x, \"12/31/2003\"); "};
}

void TestSqlBuilders::listsPerType()
{
    compareStatement();
}

void TestSqlBuilders::conditionLine_data()
{
    QTest::addColumn<ConditionRow>("row");
    QTest::addColumn<bool>("last");
    QTest::addColumn<QString>("line");

    QTest::newRow("caption cut")
        << ConditionRow{"A.x", "= (Equals)", "1", "AND"} << false << " A.x = 1 AND ";
    QTest::newRow("last has no operator")
        << ConditionRow{"A.x", "= (Equals)", "1", "AND"} << true << " A.x = 1 ";
    QTest::newRow("not equal")
        << ConditionRow{"A.x", "<> (Not Equal)", "1", "OR"} << false << " A.x <> 1 OR ";
    QTest::newRow("IS NULL whole")
        << ConditionRow{"A.x", "IS NULL", "", "AND"} << true << " A.x IS NULL  ";
    QTest::newRow("IS NOT NULL whole")
        << ConditionRow{"A.x", "IS NOT NULL", "", "OR"} << false << " A.x IS NOT NULL  OR ";
    QTest::newRow("like keeps trailing space")
        << ConditionRow{"A.x", "like ", "'N%'", "AND"} << true << " A.x like  'N%' ";
    QTest::newRow("leading cut gives empty comparison")
        << ConditionRow{"A.x", " (Equals)", "1", "AND"} << true << " A.x  1 ";
    QTest::newRow("cut at first of two")
        << ConditionRow{"A.x", ">= (Greater (or Equal))", "1", "AND"} << true << " A.x >= 1 ";
    QTest::newRow("parenthesis without space kept")
        << ConditionRow{"A.x", "=(x)", "1", "AND"} << true << " A.x =(x) 1 ";
    QTest::newRow("empty operator not last")
        << ConditionRow{"A.x", "=", "1", ""} << false << " A.x = 1  ";
    QTest::newRow("quoted field text as given")
        << ConditionRow{"A.\"x\"", "=", "\"abc\"", "AND"} << true << " A.\"x\" = \"abc\" ";
    QTest::newRow("parameter value")
        << ConditionRow{"A.x", "= (Equals)", ":x", "AND"} << true << " A.x = :x ";
}

void TestSqlBuilders::conditionLine()
{
    QFETCH(ConditionRow, row);
    QFETCH(bool, last);
    QFETCH(QString, line);
    QCOMPARE(ConditionLine(row, last), line);
}

void TestSqlBuilders::conditionLinesEmpty()
{
    QCOMPARE(ConditionLines({}), QStringList());
    QCOMPARE(ConditionLines({{"A.x", "=", "1", "AND"}}), QStringList({"WHERE ", " A.x = 1 "}));
}

void TestSqlBuilders::dispatch()
{
    QueryDesign design = designOf(QueryType::Select, SqlDialect::SQLite, false,
                                  {allTicked("A", {"x"})}, {{"A.x", "=", "1", "AND"}},
                                  {{"x", "2"}}, {{"A.x", "Yes"}});
    const QStringList select = BuildSelectSQL(design);
    const QStringList insert = BuildInsertSQL(design);
    const QStringList update = BuildUpdateSQL(design);
    const QStringList remove = BuildDeleteSQL(design);
    QCOMPARE(select.constFirst(), QStringLiteral("SELECT A.* FROM"));
    QCOMPARE(insert.constFirst(), QStringLiteral("INSERT INTO A (x) "));
    QCOMPARE(update.constFirst(), QStringLiteral("UPDATE A AS A"));
    QCOMPARE(remove.constFirst(), QStringLiteral("DELETE FROM "));

    design.queryType = QueryType::Select;
    QCOMPARE(GenerateSQLLines(design), select);
    design.queryType = QueryType::Insert;
    QCOMPARE(GenerateSQLLines(design), insert);
    design.queryType = QueryType::Update;
    QCOMPARE(GenerateSQLLines(design), update);
    design.queryType = QueryType::Delete;
    QCOMPARE(GenerateSQLLines(design), remove);
}

void TestSqlBuilders::generatedText()
{
    QCOMPARE(GenerateSQLText(example2(SqlDialect::MySQL, false)),
             QStringLiteral("UPDATE CLIENTS.DB CLIENTS_DB\nSET \n CLIENTS_DB.Firm = 'North Ltd', \n"
                            " CLIENTS_DB.Town = 'Leeds'\nWHERE \n CLIENTS_DB.ClientNo = 1001 "));
    QCOMPARE(GenerateSQLText(example3Delete(SqlDialect::SQLite, false)),
             QStringLiteral("DELETE FROM \n\"CLIENTS.DB\" AS CLIENTS_DB\nWHERE \n"
                            " CLIENTS_DB.Town IS NULL  "));
    QCOMPARE(GenerateSQLText(fullListsNoTables(QueryType::Delete, SqlDialect::SQLite)), QString());
}

void TestSqlBuilders::largeDesign()
{
    // 200 tables of 100 fields; odd tables have every other field ticked.
    QueryDesign design;
    design.style = IdentifierStyle{false, SqlDialect::SQLite};
    QString expectedColumns = QStringLiteral("SELECT ");
    QString expectedTables;
    for (int t = 0; t < 200; ++t) {
        DesignTable table;
        table.caption = QStringLiteral("TABLE%1.DB").arg(t);
        const QString alias = QStringLiteral("TABLE%1_DB").arg(t);
        for (int f = 0; f < 100; ++f) {
            table.fields << QStringLiteral("Field%1").arg(f);
            const bool tick = t % 2 == 0 || f % 2 == 0;
            table.checked << tick;
            if (t % 2 == 1 && tick)
                expectedColumns += alias + u'.' + table.fields.constLast() + QStringLiteral(", ");
        }
        if (t % 2 == 0)
            expectedColumns += alias + QStringLiteral(".*, ");
        if (t > 0)
            expectedTables += QStringLiteral(", ");
        // A SQLite name with a dot is one name, quoted so that it is not read as schema.table.
        expectedTables += u'"' + table.caption + QStringLiteral("\" ") + alias;
        design.tables << table;
    }
    expectedColumns.chop(2);
    expectedColumns += QStringLiteral(" FROM");
    for (int i = 0; i < 100; ++i) {
        design.conditions << ConditionRow{QStringLiteral("TABLE1_DB.Field%1").arg(i), "= (Equals)",
                                          QString::number(i), "AND"};
        design.values << ValueRow{QStringLiteral("Field%1").arg(i), QString::number(i)};
        design.sorting << SortRow{QStringLiteral("TABLE1_DB.Field%1").arg(i), "Yes"};
    }

    const QStringList lines = BuildSelectSQL(design);
    QCOMPARE(lines.size(), 2 + 101 + 101);
    QCOMPARE(lines.at(0), expectedColumns);
    QCOMPARE(lines.at(1), expectedTables);

    // Every query type builds from the same large design after a tick change.
    for (int round = 0; round < 10; ++round) {
        design.tables[round].checked[round] = !design.tables[round].checked[round];
        for (QueryType type : {QueryType::Select, QueryType::Insert, QueryType::Update,
                               QueryType::Delete}) {
            design.queryType = type;
            QVERIFY(!GenerateSQLLines(design).isEmpty());
        }
    }
}

QTEST_APPLESS_MAIN(TestSqlBuilders)
#include "tst_sqlbuilders.moc"
