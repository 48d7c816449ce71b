// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfromdefinition.h"
#include "naming.h"
#include "sqlbuilders.h"
#include "sqldesignparser.h"
#include "vdqerror.h"

#include <QtTest>

namespace {

// The tables the statements read, as a database would list them.
const QMap<QString, QStringList> &catalogue()
{
    static const QMap<QString, QStringList> tables = {
        {"clients", {"ClientNo", "Firm", "Town", "Cust No"}},
        {"sales", {"SaleNo", "ClientNo", "SaleDay", "Total"}},
        {"order items", {"SaleNo", "ItemNo", "Qty"}},
        {"clients.db", {"ClientNo", "Firm"}},
        {"2003sales", {"Quarter", "Amount"}},
        {"ledger", {"EntryNo", "Text", "desc"}}};
    return tables;
}

// MySQL as its server reads by default, with backslash escapes in strings, unless told.
SqlDesignSource sourceFor(SqlDialect dialect, bool quote, bool backslashEscapes = true)
{
    SqlDesignSource source;
    source.style = IdentifierStyle{quote, dialect, dialect == SqlDialect::MySQL && backslashEscapes};
    source.tableNames = [] { return catalogue().keys(); };
    source.tableFields = [](const QString &table) {
        if (!catalogue().contains(table))
            throw VdqError(QStringLiteral("no such table: %1").arg(table));
        return catalogue().value(table);
    };
    return source;
}

// A dialect of the data rows: one of SqlDialect's, or MySQL on a server that reads a
// backslash in a string as itself (NO_BACKSLASH_ESCAPES).
constexpr int MySqlPlain = 4;

SqlDesignSource sourceOf(int dialect, bool quote)
{
    return dialect == MySqlPlain ? sourceFor(SqlDialect::MySQL, quote, false) : sourceFor(SqlDialect(dialect), quote);
}

QStringList fieldsOf(const QString &table)
{
    return sourceFor(SqlDialect::SQLite, false).tableFields(table);
}

// The definition in a few lines: the query, each table (ticks as + or -, totals after ":"),
// each link, then the rows of the three lists.
QString summary(const QueryDefinition &def)
{
    QStringList lines;
    lines << QStringLiteral("type=%1 distinct=%2 limit=%3").arg(def.type).arg(int(def.distinct)).arg(def.limit)
                 + (def.offset ? QStringLiteral(" offset=%1").arg(def.offset) : QString());
    if (!def.with.isEmpty())
        lines << QStringLiteral("W ") + def.with;
    for (const StoredTable &t : def.tables) {
        QStringList items;
        for (int i = 0; i < t.items.size(); ++i) {
            QString item = t.items.at(i).first + (t.items.at(i).second ? u'+' : u'-');
            if (!t.totals.value(i).isEmpty())
                item += u':' + t.totals.at(i);
            items << item;
        }
        const QString alias = t.alias.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(t.alias);
        const QString source = t.source.isEmpty() ? QString() : QStringLiteral(" %1[%2]").arg(t.source, t.query);
        lines << QStringLiteral("T %1%2%3@%4,%5 %6").arg(t.name, alias, source).arg(t.left).arg(t.top).arg(items.join(u' '));
    }
    for (const StoredLink &l : def.links)
        lines << QStringLiteral("L %1>%2 %3 [%4]").arg(l.field1Table, l.field2Table, l.joinType, l.hint);
    for (const QStringList &r : def.values.rows)
        lines << QStringLiteral("V ") + r.join(u'|');
    for (const QStringList &r : def.conditions.rows)
        lines << QStringLiteral("C ") + r.join(u'|');
    for (const QStringList &r : def.sorting.rows)
        lines << QStringLiteral("S ") + r.join(u'|');
    for (const QStringList &r : def.columns.rows)
        lines << QStringLiteral("O ") + r.join(u'|');
    return lines.join(u'\n');
}

QueryDesign designOf(const QueryDefinition &def, const IdentifierStyle &style)
{
    QueryDesign design = DesignFromDefinition(def, fieldsOf, style);
    design.distinct = def.distinct;
    design.limit = def.limit;
    return design;
}

} // namespace

class TestSqlDesignParser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void designedStatementsReadBack_data();
    void designedStatementsReadBack();
    void extendedStatementsReadBack_data();
    void extendedStatementsReadBack();
    void tablesPlacedAsDoubleClick();
    void largeStatements_data();
    void largeStatements();
};

void TestSqlDesignParser::reads_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<bool>("quote");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    const int sqlite = int(SqlDialect::SQLite), pg = int(SqlDialect::PostgreSQL), mysql = int(SqlDialect::MySQL),
              odbc = int(SqlDialect::ODBC);

    QTest::newRow("classic select") << sqlite << false
        << "SELECT clients.*, sales.SaleNo FROM\nclients clients, sales sales\nWHERE \n sales.ClientNo = clients.ClientNo AND \n"
           " clients.Town = 'Leeds' \nORDER BY \n sales.SaleDay DESC"
        << "type=0 distinct=0 limit=0\n"
           "T clients@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "T sales@195,40 SaleNo+ ClientNo- SaleDay- Total-\n"
           "L sales>clients  [sales.ClientNo = clients.ClientNo]\n"
           "C sales.ClientNo|=|clients.ClientNo|AND\n"
           "C clients.Town|= (Equals)|'Leeds'|AND\n"
           "S sales.SaleDay|No";
    QTest::newRow("hand written join") << sqlite << false
        << "select c.firm as name, s.Total\n  from clients c\n  join sales as s on s.clientno = c.ClientNo\n"
           " where c.town like 'L%' -- the north\n order by c.Firm asc, s.total desc;"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo- Firm+ Town- Cust No-\n"
           "T sales (s)@195,40 SaleNo- ClientNo- SaleDay- Total+\n"
           "L sales>clients  [s.clientno = c.ClientNo]\n"
           "C s.clientno|=|c.ClientNo|AND\n"
           "C c.town|like |'L%'|AND\n"
           "S c.Firm|Yes\n"
           "S s.total|No\n"
           "O c.firm|name|No|Yes\n"
           "O s.Total||No|Yes";
    QTest::newRow("left join kept as written") << pg << false
        << "SELECT c.\"Firm\", COUNT(s.\"SaleNo\") FROM clients c LEFT OUTER JOIN sales s ON c.\"ClientNo\" = s.\"ClientNo\"\n"
           "GROUP BY c.\"Firm\" HAVING COUNT(s.\"SaleNo\") > 2 ORDER BY 2 DESC"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo- Firm+:GROUP Town- Cust No-\n"
           "T sales (s)@195,40 SaleNo+:COUNT ClientNo- SaleDay- Total-\n"
           "L clients>sales LEFT [c.\"ClientNo\" = s.\"ClientNo\"]\n"
           "C c.\"ClientNo\"|=|s.\"ClientNo\"|AND\n"
           "C COUNT(s.\"SaleNo\")|> (Greater Than)|2|AND\n"
           "S COUNT(s.\"SaleNo\")|No";
    QTest::newRow("left join written the other way round") << sqlite << false
        << "SELECT * FROM clients c LEFT JOIN sales s ON s.ClientNo = c.ClientNo"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "T sales (s)@195,40 SaleNo+ ClientNo+ SaleDay+ Total+\n"
           "L sales>clients RIGHT [s.ClientNo = c.ClientNo]\n"
           "C s.ClientNo|=|c.ClientNo|AND";
    QTest::newRow("right and full joins") << pg << false
        << "SELECT c.* FROM clients c RIGHT JOIN sales s ON c.\"ClientNo\" = s.\"ClientNo\" "
           "FULL JOIN \"order items\" i ON i.\"SaleNo\" = s.\"SaleNo\""
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "T sales (s)@195,40 SaleNo- ClientNo- SaleDay- Total-\n"
           "T order items (i)@340,40 SaleNo- ItemNo- Qty-\n"
           "L clients>sales RIGHT [c.\"ClientNo\" = s.\"ClientNo\"]\n"
           "L order items>sales FULL [i.\"SaleNo\" = s.\"SaleNo\"]\n"
           "C c.\"ClientNo\"|=|s.\"ClientNo\"|AND\n"
           "C i.\"SaleNo\"|=|s.\"SaleNo\"|AND";
    QTest::newRow("distinct and limit") << sqlite << false
        << "SELECT DISTINCT Town FROM clients LIMIT 10"
        << "type=0 distinct=1 limit=10\nT clients@50,40 ClientNo- Firm- Town+ Cust No-";
    QTest::newRow("fetch first") << odbc << false
        << "SELECT clients.Town FROM clients clients FETCH FIRST 3 ROWS ONLY"
        << "type=0 distinct=0 limit=3\nT clients@50,40 ClientNo- Firm- Town+ Cust No-";
    QTest::newRow("top") << odbc << false << "SELECT TOP 5 * FROM clients"
        << "type=0 distinct=0 limit=5\nT clients@50,40 ClientNo+ Firm+ Town+ Cust No+";
    QTest::newRow("mysql backticks, # comment, backslash string") << mysql << false
        << "SELECT `c`.`Cust No` FROM `clients` AS `c` # mine\nWHERE c.Firm = 'O\\'Neil' OR c.Firm = \"x\""
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo- Firm- Town- Cust No+\n"
           "C c.Firm|= (Equals)|'O''Neil'|OR\n"
           "C c.Firm|= (Equals)|\"x\"|AND";
    QTest::newRow("sqlite dotted name quoted and bare") << sqlite << false
        << "SELECT clients_db.Firm FROM \"clients.db\" clients_db WHERE clients_db.ClientNo IS NOT NULL"
        << "type=0 distinct=0 limit=0\nT clients.db@50,40 ClientNo- Firm+\nC clients_db.ClientNo|IS NOT NULL||AND";
    QTest::newRow("quoted identifiers and the statement's alias kept") << sqlite << true
        << "SELECT x.\"Firm\" FROM clients x WHERE x.Town BETWEEN 'A' AND 'M' AND x.ClientNo IN (1, 2,3)"
        << "type=0 distinct=0 limit=0\n"
           "T clients (x)@50,40 ClientNo- Firm+ Town- Cust No-\n"
           "C x.Town|BETWEEN|'A' AND 'M'|AND\n"
           "C x.ClientNo|IN|(1, 2,3)|AND";
    QTest::newRow("grouping kept as written") << sqlite << false
        << "SELECT * FROM clients c WHERE (c.Town = 'A' AND c.Firm = 'B') OR (c.Town = 'C')"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "C c.Town|= (Equals)|'A'|AND|(|\n"
           "C c.Firm|= (Equals)|'B'|OR||)\n"
           "C c.Town|= (Equals)|'C'|AND||";
    QTest::newRow("values with functions, casts and parameters") << pg << false
        << "SELECT s.* FROM sales s WHERE s.\"SaleDay\" >= DATE '2003-01-01' AND s.\"Total\" * 2 > :Limit::numeric "
           "AND lower(s.\"SaleDay\") <> 'x'"
        << "type=0 distinct=0 limit=0\n"
           "T sales (s)@50,40 SaleNo+ ClientNo+ SaleDay+ Total+\n"
           "C s.\"SaleDay\"|>= (Greater Than or Equals)|DATE '2003-01-01'|AND\n"
           "C s.\"Total\" * 2|> (Greater Than)|:Limit::numeric|AND\n"
           "C lower(s.\"SaleDay\")|<> (Not Equal)|'x'|AND";
    QTest::newRow("values kept as the lists hold them") << sqlite << false
        << "SELECT * FROM clients c WHERE c.Firm = \"Jo%\" AND c.Town = = OR gone.x = c.Town ORDER BY gone.y"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "C c.Firm|= (Equals)|\"Jo%\"|AND\n"
           "C c.Town|= (Equals)|=|OR\n"
           "C gone.x|= (Equals)|c.Town|AND\n"
           "S gone.y|Yes";
    QTest::newRow("insert") << sqlite << false
        << "insert into clients (firm, \"Cust No\") values ('North Ltd', :Cust_No);"
        << "type=1 distinct=0 limit=0\n"
           "T clients@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "V Firm|'North Ltd'\n"
           "V Cust No|:Cust_No";
    QTest::newRow("update mysql qualified") << mysql << false
        << "UPDATE clients clients\nSET \n clients.Firm = 'North', \n clients.Town = Town\nWHERE \n clients.ClientNo = 1001 "
        << "type=2 distinct=0 limit=0\n"
           "T clients@50,40 ClientNo+ Firm+ Town+ Cust No+\n"
           "V Firm|'North'\n"
           "V Town|Town\n"
           "C clients.ClientNo|= (Equals)|1001|AND";
    QTest::newRow("delete mysql form") << mysql << false
        << "DELETE clients FROM \nclients clients\nWHERE \n clients.Town IS NULL  "
        << "type=3 distinct=0 limit=0\nT clients@50,40 ClientNo+ Firm+ Town+ Cust No+\nC clients.Town|IS NULL||AND";
    QTest::newRow("delete with AS") << sqlite << false << "DELETE FROM ledger AS l WHERE l.desc = 'x'"
        << "type=3 distinct=0 limit=0\n"
           "T ledger (l)@50,40 EntryNo+ Text+ desc+\n"
           "C l.desc|= (Equals)|'x'|AND";

    // Comments and strings as each engine reads them.
    const QString victims = QStringLiteral("DELETE FROM clients WHERE ClientNo = 1 /* /* */ OR 1 = 1 --*/");
    const QString deleteRows = QStringLiteral("type=3 distinct=0 limit=0\nT clients@50,40 ClientNo+ Firm+ Town+ Cust No+\n");
    QTest::newRow("nested comment, PostgreSQL") << pg << false << victims << deleteRows + "C clients.\"ClientNo\"|= (Equals)|1|AND";
    QTest::newRow("nested comment, SQLite") << sqlite << false << victims
        << deleteRows + "C clients.ClientNo|= (Equals)|1|OR\nC 1|= (Equals)|1|AND";
    QTest::newRow("nested comment, MySQL") << mysql << false << victims
        << deleteRows + "C clients.ClientNo|= (Equals)|1|OR\nC 1|= (Equals)|1 --*/|AND";
    QTest::newRow("E-string") << pg << false << "SELECT * FROM clients WHERE Firm = E'O\\' OR 1 = 1 --'"
        << "type=0 distinct=0 limit=0\nT clients@50,40 ClientNo+ Firm+ Town+ Cust No+\nC clients.\"Firm\"|= (Equals)|E'O\\' OR 1 = 1 --'|AND";
    QTest::newRow("dollar quote") << pg << false << "SELECT * FROM clients WHERE Firm = $q$O' OR 'a' = 'a$q$"
        << "type=0 distinct=0 limit=0\nT clients@50,40 ClientNo+ Firm+ Town+ Cust No+\nC clients.\"Firm\"|= (Equals)|$q$O' OR 'a' = 'a$q$|AND";
    QTest::newRow("mysql --1") << mysql << false << "DELETE FROM clients WHERE ClientNo = 3 --1\n OR Town = 'x'"
        << deleteRows + "C clients.ClientNo|= (Equals)|3 --1|OR\nC clients.Town|= (Equals)|'x'|AND";
    QTest::newRow("mysql # comment") << mysql << false << "DELETE FROM clients WHERE ClientNo = 3 # OR 1 = 1"
        << deleteRows + "C clients.ClientNo|= (Equals)|3|AND";
    QTest::newRow("mysql without backslash escapes") << MySqlPlain << false << "DELETE FROM clients WHERE Firm = 'a\\' OR Town = 'b'"
        << deleteRows + "C clients.Firm|= (Equals)|'a\\'|OR\nC clients.Town|= (Equals)|'b'|AND";
    QTest::newRow("function with words between its arguments") << pg << false
        << "SELECT * FROM sales s WHERE EXTRACT(YEAR FROM s.\"SaleDay\") = 2003 AND SUBSTRING(s.\"Total\" FROM 1 FOR 2) = '12'"
        << "type=0 distinct=0 limit=0\n"
           "T sales (s)@50,40 SaleNo+ ClientNo+ SaleDay+ Total+\n"
           "C EXTRACT(YEAR FROM s.\"SaleDay\")|= (Equals)|2003|AND\n"
           "C SUBSTRING(s.\"Total\" FROM 1 FOR 2)|= (Equals)|'12'|AND";

    // Beyond the ticks: the statement's own columns, grouping, subqueries and windows kept as written.
    QTest::newRow("columns in their own order with names") << sqlite << false
        << "SELECT Town AS t, c.Firm, ClientNo + 1 AS next, upper(Firm) FROM clients c ORDER BY next DESC, 2 LIMIT 5 OFFSET 10"
        << "type=0 distinct=0 limit=5 offset=10\n"
           "T clients (c)@50,40 ClientNo- Firm+ Town+ Cust No-\n"
           "S next|No\n"
           "S c.Firm|Yes\n"
           "O c.Town|t|No|Yes\n"
           "O c.Firm||No|Yes\n"
           "O ClientNo + 1|next|No|Yes\n"
           "O upper(Firm)||No|Yes";
    QTest::newRow("totals of expressions, count star and distinct") << pg << false
        << "SELECT c.\"Town\", COUNT(*), count(DISTINCT s.\"SaleDay\") AS days, SUM(s.\"Total\" * 2) FROM clients c "
           "JOIN sales s USING (\"ClientNo\") GROUP BY c.\"Town\", c.\"Firm\" HAVING SUM(s.\"Total\") > 10 ORDER BY days"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo- Firm- Town+ Cust No-\n"
           "T sales (s)@195,40 SaleNo- ClientNo- SaleDay- Total-\n"
           "L clients>sales  [c.\"ClientNo\" = s.\"ClientNo\"]\n"
           "C c.\"ClientNo\"|=|s.\"ClientNo\"|AND\n"
           "C SUM(s.\"Total\")|> (Greater Than)|10|AND\n"
           "S days|Yes\n"
           "O c.\"Town\"||Yes|Yes\n"
           "O COUNT(*)||No|Yes\n"
           "O count(DISTINCT s.\"SaleDay\")|days|No|Yes\n"
           "O SUM(s.\"Total\" * 2)||No|Yes\n"
           "O c.\"Firm\"||Yes|No";
    QTest::newRow("the same table twice") << sqlite << false
        << "SELECT a.Firm, b.Firm FROM clients a JOIN clients b ON b.ClientNo = a.\"Cust No\" WHERE NOT (a.Town = 'A' OR a.Town = 'B')"
        << "type=0 distinct=0 limit=0\n"
           "T clients (a)@50,40 ClientNo- Firm+ Town- Cust No-\n"
           "T clients (b)@195,40 ClientNo- Firm+ Town- Cust No-\n"
           "L clients>clients  [b.ClientNo = a.\"Cust No\"]\n"
           "C b.ClientNo|=|a.\"Cust No\"|AND||\n"
           "C a.Town|= (Equals)|'A'|OR|NOT (|\n"
           "C a.Town|= (Equals)|'B'|AND||)";
    QTest::newRow("subqueries, exists and case kept as written") << sqlite << false
        << "SELECT Firm, (SELECT MAX(Total) FROM sales s WHERE s.ClientNo = c.ClientNo) AS top, "
           "CASE WHEN Town = 'A' THEN 1 ELSE 0 END FROM clients c WHERE ClientNo IN (SELECT ClientNo FROM sales) "
           "AND NOT EXISTS (SELECT 1 FROM \"order items\" i WHERE i.SaleNo = c.ClientNo) AND Town > ALL (SELECT 'A')"
        << "type=0 distinct=0 limit=0\n"
           "T clients (c)@50,40 ClientNo- Firm+ Town- Cust No-\n"
           "C c.ClientNo|IN|(SELECT ClientNo FROM sales)|AND\n"
           "C |NOT EXISTS|(SELECT 1 FROM \"order items\" i WHERE i.SaleNo = c.ClientNo)|AND\n"
           "C c.Town|> (Greater Than)|ALL (SELECT 'A')|AND\n"
           "O c.Firm||No|Yes\n"
           "O (SELECT MAX(Total) FROM sales s WHERE s.ClientNo = c.ClientNo)|top|No|Yes\n"
           "O CASE WHEN Town = 'A' THEN 1 ELSE 0 END||No|Yes";
    QTest::newRow("window function and an OR beside a join") << pg << false
        << "SELECT s.\"SaleNo\", RANK() OVER (PARTITION BY s.\"ClientNo\" ORDER BY s.\"Total\" DESC) AS r FROM sales s "
           "JOIN clients c ON c.\"ClientNo\" = s.\"ClientNo\" WHERE c.\"Town\" = 'A' OR c.\"Town\" = 'B'"
        << "type=0 distinct=0 limit=0\n"
           "T sales (s)@50,40 SaleNo+ ClientNo- SaleDay- Total-\n"
           "T clients (c)@195,40 ClientNo- Firm- Town- Cust No-\n"
           "L clients>sales  [c.\"ClientNo\" = s.\"ClientNo\"]\n"
           "C c.\"ClientNo\"|=|s.\"ClientNo\"|AND\n"
           "C c.\"Town\"|= (Equals)|'A'|OR\n"
           "C c.\"Town\"|= (Equals)|'B'|AND\n"
           "O s.\"SaleNo\"||No|Yes\n"
           "O RANK() OVER (PARTITION BY s.\"ClientNo\" ORDER BY s.\"Total\" DESC)|r|No|Yes";
}

void TestSqlDesignParser::reads()
{
    QFETCH(int, dialect);
    QFETCH(bool, quote);
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    const QString got = summary(DesignFromSql(sql, sourceOf(dialect, quote)));
    QCOMPARE(got, expected);
}

void TestSqlDesignParser::refuses_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    const int sqlite = int(SqlDialect::SQLite), pg = int(SqlDialect::PostgreSQL), mysql = int(SqlDialect::MySQL);
    QTest::newRow("union") << sqlite << "SELECT * FROM clients\nUNION SELECT * FROM clients"
                           << "a UNION (line 2, column 1)";
    QTest::newRow("subquery in from without a database") << sqlite << "SELECT * FROM (SELECT 1) x"
                                                         << "a query in FROM without the database to give its columns (line 1, column 15)";
    QTest::newRow("with of a delete") << pg << "WITH d AS (DELETE FROM sales RETURNING *) SELECT * FROM d"
                                      << "a WITH query that is not a SELECT (line 1, column 11)";
    QTest::newRow("locking subquery") << pg << "SELECT * FROM clients WHERE ClientNo IN (SELECT 1 FOR UPDATE)"
                                      << "a locking clause (line 1, column 51)";
    QTest::newRow("second statement in a subquery") << sqlite << "SELECT * FROM clients WHERE ClientNo IN (SELECT 1; DELETE FROM sales)"
                                                    << "a \";\" inside parentheses (line 1, column 50)";
    QTest::newRow("star over using") << sqlite << "SELECT * FROM clients JOIN sales USING (ClientNo)"
                                     << "a * over a join with USING (line 1, column 8)";
    QTest::newRow("union after a column list of its own") << sqlite << "SELECT Firm AS f FROM clients UNION SELECT Town FROM clients"
                                                          << "a UNION (line 1, column 31)";
    QTest::newRow("carriage return in a name") << sqlite << "SELECT * FROM clients WHERE clients.\"Fi\rrm\" = 1"
                                               << "a line break inside a name or value (line 1, column 37)";
    // Read again, the value would take the row limit written after it.
    QTest::newRow("unclosed parenthesis in a value")
        << sqlite << "SELECT * FROM sales WHERE sales.SaleNo > >IN SUM( 3 LIMIT 4"
        << "a value with an unclosed parenthesis (line 1, column 49)";
    QTest::newRow("join on inequality") << sqlite << "SELECT * FROM clients c JOIN sales s\n  ON s.ClientNo > c.ClientNo"
                                        << "a join condition that is not an equality of two fields (line 2, column 6)";
    QTest::newRow("join on a value") << sqlite << "SELECT * FROM clients c JOIN sales s ON s.ClientNo = 1"
                                     << "a join condition that is not an equality of two fields (line 1, column 41)";
    QTest::newRow("join on or") << sqlite << "SELECT * FROM clients c JOIN sales s ON s.ClientNo = c.ClientNo OR 1 = 1"
                                << "a join condition that is not an equality of two fields (line 1, column 65)";
    QTest::newRow("unknown table") << sqlite << "SELECT *\nFROM clients, nosuch" << "the unknown table nosuch (line 2, column 15)";
    QTest::newRow("unknown table named like a placeholder") << sqlite << "SELECT * FROM \"%1%0\""
                                                            << "the unknown table %1%0 (line 1, column 15)";
    QTest::newRow("unknown field") << sqlite << "SELECT c.Nope FROM clients c" << "the unknown field c.Nope (line 1, column 8)";
    QTest::newRow("ambiguous field") << sqlite << "SELECT ClientNo FROM clients, sales"
                                     << "the field ClientNo, which more than one table has (line 1, column 8)";
    QTest::newRow("having without total") << sqlite << "SELECT Town FROM clients GROUP BY Town HAVING Town = 'x'"
                                          << "a HAVING condition that does not start with a total (line 1, column 47)";
    QTest::newRow("two statements") << sqlite << "DELETE FROM clients; DELETE FROM sales" << "a second statement (line 1, column 22)";
    QTest::newRow("string over two lines") << sqlite << "SELECT * FROM clients c WHERE c.Firm = 'a\nb'"
                                           << "a string or quoted name that is not closed on its line (line 1, column 40)";
    QTest::newRow("backtick outside mysql") << pg << "SELECT `Firm` FROM clients" << "\"`\" here (line 1, column 8)";
    QTest::newRow("empty") << sqlite << "  -- nothing\n" << "an empty statement (line 1, column 1)";
    QTest::newRow("create") << sqlite << "CREATE TABLE x (a)" << "a statement that is not SELECT, INSERT, UPDATE or DELETE (line 1, column 1)";
    QTest::newRow("insert select") << sqlite << "INSERT INTO clients (Firm) SELECT Firm FROM clients"
                                   << "INSERT with a SELECT (line 1, column 28)";
    QTest::newRow("second values row") << sqlite << "INSERT INTO clients (Firm) VALUES ('a'), ('b')"
                                       << "a second row of values (line 1, column 40)";
    QTest::newRow("unknown alias in a join") << sqlite << "SELECT * FROM clients c JOIN sales s ON x.ClientNo = c.ClientNo"
                                             << "the unknown table or alias x (line 1, column 41)";

    // What the engine reads otherwise, or what the design cannot hold.
    QTest::newRow("executable comment") << mysql << "DELETE FROM clients /*!50001 WHERE ClientNo = 1 */"
                                        << "an executable comment (line 1, column 21)";
    QTest::newRow("mariadb executable comment") << mysql << "SELECT *\n FROM clients /*M! WHERE 1 = 0 */"
                                                << "an executable comment (line 2, column 15)";
    QTest::newRow("NUL in a string") << pg << QString("SELECT * FROM clients WHERE Firm = 'a") + QChar(0) + "b'"
                                     << "a NUL character (line 1, column 38)";
    QTest::newRow("NUL in a comment") << sqlite << QString("DELETE FROM clients -- ") + QChar(0) + "\nWHERE Town = 'x'"
                                      << "a NUL character (line 1, column 24)";
    QTest::newRow("dollar quote over two lines") << pg << "SELECT * FROM clients WHERE Firm = $$a\nb$$"
                                                 << "a string or quoted name that is not closed on its line (line 1, column 36)";
    QTest::newRow("mysql string without backslash escapes") << MySqlPlain << "SELECT * FROM clients WHERE Firm = 'O\\'Neil'"
                                                            << "a string or quoted name that is not closed on its line (line 1, column 44)";
    QTest::newRow("mysql with backslash escapes") << mysql << "DELETE FROM clients WHERE Firm = 'a\\' OR Town = 'b'"
                                                  << "a string or quoted name that is not closed on its line (line 1, column 51)";
    QTest::newRow("10000 nested parentheses") << sqlite << "SELECT * FROM clients WHERE " + QString(10000, u'(') + "ClientNo = 1"
                                                                + QString(10000, u')')
                                              << "parentheses nested more than 200 deep (line 1, column 229)";
    QTest::newRow("201 nested parentheses in a value") << sqlite << "SELECT * FROM clients WHERE ClientNo =\n " + QString(201, u'(') + u'1'
                                                                         + QString(201, u')')
                                                       << "parentheses nested more than 200 deep (line 2, column 202)";
}

void TestSqlDesignParser::refuses()
{
    QFETCH(int, dialect);
    QFETCH(QString, sql);
    QFETCH(QString, message);
    try {
        DesignFromSql(sql, sourceOf(dialect, false));
        QFAIL("no error");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("The design cannot show ")), qPrintable(e.message()));
        QVERIFY2(e.message().endsWith(message + u'.'), qPrintable(e.message()));
    }
}

// Each statement a design writes reads back to a design that writes it again, byte for
// byte, on every dialect, with and without quoted identifiers.
void TestSqlDesignParser::designedStatementsReadBack_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<bool>("quote");
    QTest::addColumn<int>("type");
    for (const SqlDialect d : {SqlDialect::SQLite, SqlDialect::PostgreSQL, SqlDialect::MySQL, SqlDialect::ODBC}) {
        for (const bool quote : {false, true}) {
            // Quoted identifiers belong to desktop-table databases; MySQL reads "..." as a string.
            if (quote && d == SqlDialect::MySQL)
                continue;
            for (int type = 0; type < 4; ++type)
                QTest::addRow("%d/%d/%d", int(d), int(quote), type) << int(d) << quote << type;
        }
    }
}

void TestSqlDesignParser::designedStatementsReadBack()
{
    QFETCH(int, dialect);
    QFETCH(bool, quote);
    QFETCH(int, type);
    const IdentifierStyle style{quote, SqlDialect(dialect)};
    QueryDesign design;
    design.style = style;
    design.queryType = QueryType(type);
    const QStringList clients = fieldsOf("clients");
    design.tables << DesignTable{"clients", clients, {true, false, true, true}, {}};
    if (type == 0) {
        design.tables << DesignTable{"order items", fieldsOf("order items"), {true, true, true}, {}};
        design.tables << DesignTable{"2003sales", fieldsOf("2003sales"), {false, false}, {}};
        const QString a = FieldReference("clients", "ClientNo", style), b = FieldReference("order items", "SaleNo", style);
        design.conditions << ConditionRow{a, "=", b, "AND"};
        design.sorting << SortRow{FieldReference("clients", "Cust No", style), "No"}
                       << SortRow{FieldReference("2003sales", "Amount", style), "Yes"};
    }
    design.conditions << ConditionRow{FieldReference("clients", "Town", style), "like ", "'L%'", "OR"}
                      << ConditionRow{FieldReference("clients", "Firm", style), "IS NULL", "", "AND"}
                      << ConditionRow{FieldReference("clients", "Cust No", style), "<> (Not Equal)", ":Cust_No", "AND"};
    design.values << ValueRow{"Firm", "'North''s'"} << ValueRow{"Cust No", "12.5"};
    const QString sql = GenerateSQLText(design);
    QVERIFY(!sql.isEmpty());
    const QueryDefinition def = DesignFromSql(sql, sourceFor(SqlDialect(dialect), quote));
    QCOMPARE(def.type, type);
    QCOMPARE(GenerateSQLText(designOf(def, style)), sql);
}

void TestSqlDesignParser::extendedStatementsReadBack_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<int>("joinType");
    for (const SqlDialect d : {SqlDialect::SQLite, SqlDialect::PostgreSQL, SqlDialect::MySQL, SqlDialect::ODBC}) {
        for (const JoinType j : {JoinType::Inner, JoinType::Left, JoinType::Right, JoinType::Full}) {
            if (!(d == SqlDialect::MySQL && j == JoinType::Full))  // MySQL has no FULL JOIN
                QTest::addRow("%d/%d", int(d), int(j)) << int(d) << int(j);
        }
    }
}

// Outer joins, totals with HAVING, DISTINCT and the limit read back to the same text.
void TestSqlDesignParser::extendedStatementsReadBack()
{
    QFETCH(int, dialect);
    QFETCH(int, joinType);
    const IdentifierStyle style{false, SqlDialect(dialect)};
    QueryDesign design;
    design.style = style;
    design.tables << DesignTable{"clients", fieldsOf("clients"), {false, true, true, false},
                                 {TotalKind::None, TotalKind::Group, TotalKind::Group, TotalKind::None}};
    design.tables << DesignTable{"sales", fieldsOf("sales"), {true, false, false, true},
                                 {TotalKind::Count, TotalKind::None, TotalKind::None, TotalKind::Sum}};
    design.tables << DesignTable{"ledger", fieldsOf("ledger"), {false, false, false}, {}};
    const QString a = FieldReference("sales", "ClientNo", style), b = FieldReference("clients", "ClientNo", style);
    design.conditions << ConditionRow{a, "=", b, "AND"};
    design.links << DesignLink{"sales", "clients", a + " = " + b, JoinType(joinType)};
    design.conditions << ConditionRow{FieldReference("clients", "Town", style), "<> (Not Equal)", "'x'", "AND"}
                      << ConditionRow{"COUNT(" + FieldReference("sales", "SaleNo", style) + ")", "> (Greater Than)", "1", "AND"};
    design.sorting << SortRow{"SUM(" + FieldReference("sales", "Total", style) + ")", "No"};
    design.distinct = true;
    design.limit = 10;
    const QString sql = GenerateSQLText(design);
    QVERIFY(sql.contains("GROUP BY") && sql.contains("HAVING") && sql.contains("DISTINCT"));
    QCOMPARE(sql.contains("JOIN"), joinType != int(JoinType::Inner));
    const QueryDefinition def = DesignFromSql(sql, sourceFor(SqlDialect(dialect), false));
    QCOMPARE(GenerateSQLText(designOf(def, style)), sql);
}

void TestSqlDesignParser::tablesPlacedAsDoubleClick()
{
    const QueryDefinition def = DesignFromSql(
        "SELECT * FROM clients c JOIN sales s ON s.ClientNo = c.ClientNo, ledger", sourceFor(SqlDialect::SQLite, false));
    QCOMPARE(def.tables.size(), 3);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(def.tables.at(k).left, 50 + 145 * k);
        QCOMPARE(def.tables.at(k).top, 40);
        QCOMPARE(def.tables.at(k).width, 121);
        QCOMPARE(def.tables.at(k).height, 180);
        QCOMPARE(def.tables.at(k).itemCount, def.tables.at(k).items.size());
    }
    // The link lies between the windows as the canvas draws it.
    QCOMPARE(def.links.size(), 1);
    QCOMPARE(def.links.at(0).left, 171);
    QCOMPARE(def.links.at(0).top, 60);
    QCOMPARE(def.links.at(0).width, 24);
    QCOMPARE(def.links.at(0).height, 3);
}

namespace {

// head, then unit (its number in place of %1) repeated up to about size characters, then tail.
QString repeated(const QString &head, const QString &unit, const QString &tail, int size = 1 << 20)
{
    QString out = head;
    for (int i = 0; out.size() + tail.size() < size; ++i)
        out += unit.contains(u"%1") ? unit.arg(i) : unit;
    return out + tail;
}

} // namespace

// Statements of a megabyte in every shape read to a design or are refused, in bounded time
// and memory (which the benchmark bench_sqldesign measures); an empty message is a design.
void TestSqlDesignParser::largeStatements_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    const QString where = QStringLiteral("SELECT * FROM clients WHERE ");
    const QString deep = QStringLiteral("parentheses nested more than 200 deep (line 1, column 229)");
    QTest::newRow("deep nesting") << where + QString(1 << 19, u'(') + "ClientNo = 1" + QString(1 << 19, u')') << deep;
    QTest::newRow("unclosed parentheses") << repeated(where, "(", "") << deep;
    QTest::newRow("200 deep, many times") << repeated(where + "ClientNo = 0", " OR " + QString(200, u'(') + "ClientNo = %1" + QString(200, u')'), "")
                                          << QString();
    QTest::newRow("long IN list") << repeated(where + "ClientNo IN (0", ",%1", ")", 1040000) << QString();
    QTest::newRow("IN list too long") << repeated(where + "ClientNo IN (0", ", %1", ")", 1100000)
                                      << "a value longer than 1048576 characters (line 1, column 41)";
    QTest::newRow("many ORs") << repeated(where + "ClientNo = 0", " OR ClientNo = %1", "") << QString();
    QTest::newRow("long string") << where + "Firm = '" + QString(1000000, u'x') + u'\'' << QString();
    QTest::newRow("string too long") << where + "Firm = '" + QString(1048576, u'x') + u'\''
                                     << "a value longer than 1048576 characters (line 1, column 36)";
    QTest::newRow("long sum") << repeated(where + "ClientNo = 0", " + %1", "") << QString();
    QTest::newRow("many tables") << repeated("SELECT * FROM clients", ", t%1", "")
                                 << "more than 1000 tables (line 1, column 5906)";
    QTest::newRow("long INSERT value") << repeated("INSERT INTO clients (Firm) VALUES (0", " || %1", ")", 1100000)
                                       << "a value longer than 1048576 characters (line 1, column 36)";
}

void TestSqlDesignParser::largeStatements()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    try {
        const QueryDefinition def = DesignFromSql(sql, sourceFor(SqlDialect::SQLite, false));
        QVERIFY2(message.isEmpty(), "no error");
        QCOMPARE(def.tables.size(), 1);
    } catch (const VdqError &e) {
        QVERIFY2(!message.isEmpty() && e.message().endsWith(message + u'.'), qPrintable(e.message().left(200)));
    }
}

QTEST_MAIN(TestSqlDesignParser)
#include "tst_sqldesignparser.moc"
