// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "naming.h"

#include <QtTest>

class TestNaming : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableAlias_data();
    void tableAlias();
    void quoteIdentifier_data();
    void quoteIdentifier();
    void sqlTableName_data();
    void sqlTableName();
    void tableNameParts_data();
    void tableNameParts();
    void refersToTable_data();
    void refersToTable();
    void parameterName_data();
    void parameterName();
};

void TestNaming::tableAlias_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("alias");
    QTest::newRow("desktop table") << "CLIENTS.DB" << "CLIENTS_DB";
    QTest::newRow("space") << "order items" << "order_items";
    QTest::newRow("leading digit") << "2003sales" << "_2003sales";
    QTest::newRow("digit after replacement") << "2nd order.db" << "_2nd_order_db";
    QTest::newRow("leading non-alnum") << "#tmp" << "_tmp";
    QTest::newRow("plain") << "clients" << "clients";
    QTest::newRow("underscore kept as underscore") << "A_B" << "A_B";
    QTest::newRow("space same alias") << "A B" << "A_B";
    QTest::newRow("accented letter") << QString::fromUtf8("caf\u00e9") << "caf_";
    QTest::newRow("schema qualified") << "public.sales" << "public_sales";
    QTest::newRow("reserved word") << "order" << "order_";
    QTest::newRow("reserved in one engine only") << "limit" << "limit_";
    QTest::newRow("reserved any case") << "Select" << "Select_";
    QTest::newRow("word within") << "orders" << "orders";
}

void TestNaming::tableAlias()
{
    QFETCH(QString, table);
    QFETCH(QString, alias);
    QCOMPARE(TableAlias(table), alias);
}

void TestNaming::quoteIdentifier_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("quote");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("written");
    const int sqlite = int(SqlDialect::SQLite), pg = int(SqlDialect::PostgreSQL),
              mysql = int(SqlDialect::MySQL), odbc = int(SqlDialect::ODBC);
    QTest::newRow("flag set") << "ClientNo" << true << sqlite << "\"ClientNo\"";
    QTest::newRow("flag set doubles quote") << "a\"b" << true << sqlite << "\"a\"\"b\"";
    QTest::newRow("plain bare") << "ClientNo" << false << sqlite << "ClientNo";
    QTest::newRow("plain underscore") << "sale_day" << false << pg << "sale_day";
    QTest::newRow("space sqlite") << "Cust No" << false << sqlite << "\"Cust No\"";
    QTest::newRow("space pg") << "Cust No" << false << pg << "\"Cust No\"";
    QTest::newRow("space mysql") << "Cust No" << false << mysql << "`Cust No`";
    QTest::newRow("space odbc") << "Cust No" << false << odbc << "\"Cust No\"";
    QTest::newRow("mysql doubles backtick") << "a`b" << false << mysql << "`a``b`";
    QTest::newRow("leading digit") << "2nd" << false << sqlite << "\"2nd\"";
    QTest::newRow("upper case pg") << "ClientNo" << false << pg << "\"ClientNo\"";
    QTest::newRow("lower case pg") << "clientno" << false << pg << "clientno";
    QTest::newRow("upper case mysql bare") << "ClientNo" << false << mysql << "ClientNo";
    QTest::newRow("quote inside unflagged") << "a\"b" << false << sqlite << "\"a\"\"b\"";
    QTest::newRow("reserved sqlite") << "select" << false << sqlite << "\"select\"";
    QTest::newRow("reserved pg") << "order" << false << pg << "\"order\"";
    QTest::newRow("reserved mysql any case") << "Order" << false << mysql << "`Order`";
    QTest::newRow("reserved odbc") << "user" << false << odbc << "\"user\"";
    QTest::newRow("reserved elsewhere only") << "limit" << false << odbc << "limit";
    QTest::newRow("word inside name bare") << "selection" << false << sqlite << "selection";
}

void TestNaming::quoteIdentifier()
{
    QFETCH(QString, name);
    QFETCH(bool, quote);
    QFETCH(int, dialect);
    QFETCH(QString, written);
    QCOMPARE(QuoteIdentifier(name, IdentifierStyle{quote, SqlDialect(dialect)}), written);
}

void TestNaming::sqlTableName_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("written");
    QTest::newRow("desktop table whole on SQLite") << "CLIENTS.DB" << int(SqlDialect::SQLite) << "\"CLIENTS.DB\"";
    QTest::newRow("dots never split on SQLite") << "a.b c" << int(SqlDialect::SQLite) << "\"a.b c\"";
    QTest::newRow("schema on MySQL") << "shop.CLIENTS" << int(SqlDialect::MySQL) << "shop.CLIENTS";
    QTest::newRow("reserved table") << "order" << int(SqlDialect::MySQL) << "`order`";
    QTest::newRow("space") << "order items" << int(SqlDialect::SQLite) << "\"order items\"";
    QTest::newRow("digit") << "2003sales" << int(SqlDialect::PostgreSQL) << "\"2003sales\"";
    QTest::newRow("schema part by part") << "sales.order items" << int(SqlDialect::PostgreSQL)
                                         << "sales.\"order items\"";
    QTest::newRow("mysql") << "order items" << int(SqlDialect::MySQL) << "`order items`";
    QTest::newRow("plain") << "clients" << int(SqlDialect::PostgreSQL) << "clients";
}

void TestNaming::sqlTableName()
{
    QFETCH(QString, table);
    QFETCH(int, dialect);
    QFETCH(QString, written);
    QCOMPARE(SqlTableName(table, SqlDialect(dialect)), written);
}

// A listed name's parts, the text the table list shows (written back by TableNameText
// unless "listed" is false) and the text a statement writes.
void TestNaming::tableNameParts_data()
{
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("written");
    const int pg = int(SqlDialect::PostgreSQL), my = int(SqlDialect::MySQL);
    QTest::newRow("dot in the name") << QStringList{"a.b"} << pg << "\"a.b\"" << true << "\"a.b\"";
    QTest::newRow("schema and dot in the name") << QStringList{"sales", "a.b"} << pg << "sales.\"a.b\"" << true
                                                << "sales.\"a.b\"";
    QTest::newRow("database and dot on MySQL") << QStringList{"metab", "a.b"} << my << "metab.`a.b`" << true
                                               << "metab.`a.b`";
    QTest::newRow("quote opening a part") << QStringList{"sales", "\"x"} << pg << "sales.\"\"\"x\"" << true
                                          << "sales.\"\"\"x\"";
    QTest::newRow("quotes without a dot") << QStringList{"\"x\""} << pg << "\"x\"" << true << "\"\"\"x\"\"\"";
    QTest::newRow("quote left open") << QStringList{"\"a", "b"} << pg << "\"a.b" << false << "\"\"\"a\".b";
    QTest::newRow("never split on SQLite") << QStringList{"a.b"} << int(SqlDialect::SQLite) << "a.b" << true
                                           << "\"a.b\"";
}

void TestNaming::tableNameParts()
{
    QFETCH(QStringList, parts);
    QFETCH(int, dialect);
    QFETCH(QString, text);
    QFETCH(bool, listed);
    QFETCH(QString, written);
    QCOMPARE(TableNameParts(text, SqlDialect(dialect)), parts);
    QCOMPARE(TableNameText(parts, SqlDialect(dialect)) == text, listed);
    QCOMPARE(SqlTableName(text, SqlDialect(dialect)), written);
}

void TestNaming::refersToTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refers");
    QTest::newRow("field reference") << "CLIENTS.DB" << "CLIENTS_DB.Town" << true;
    QTest::newRow("quoted field") << "CLIENTS.DB" << "CLIENTS_DB.\"Town\"" << true;
    QTest::newRow("alias without dot") << "CLIENTS.DB" << "CLIENTS_DB" << false;
    QTest::newRow("case-sensitive") << "CLIENTS.DB" << "clients_db.Town" << false;
    QTest::newRow("longer alias") << "CLIENTS" << "CLIENTS_DB.Town" << false;
    QTest::newRow("same alias other table") << "A B" << "A_B.x" << true;
    QTest::newRow("not at start") << "CLIENTS" << " CLIENTS.x" << false;
    QTest::newRow("literal") << "CLIENTS" << "'CLIENTS.x'" << false;
}

void TestNaming::refersToTable()
{
    QFETCH(QString, table);
    QFETCH(QString, text);
    QFETCH(bool, refers);
    QCOMPARE(RefersToTable(table, text), refers);
}

void TestNaming::parameterName_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::newRow("space") << "Cust No" << "Cust_No";
    QTest::newRow("dash") << "E-Mail" << "E_Mail";
    QTest::newRow("leading digit") << "2nd Phone" << "p2nd_Phone";
    QTest::newRow("accented one for one") << QString::fromUtf8("Stra\u00dfe") << "Stra_e";
    QTest::newRow("underscore") << "sale_day" << "sale_day";
}

void TestNaming::parameterName()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    QCOMPARE(ParameterName(field), name);
}

QTEST_APPLESS_MAIN(TestNaming)
#include "tst_naming.moc"
