// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "sqlparameters.h"

#include <QtTest>

class TestSqlParameters : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void names_data();
    void names();
    void namesAsEngineReads_data();
    void namesAsEngineReads();
    void manyDistinctNames();
    void namesAsTheEngineReads_data();
    void namesAsTheEngineReads();
};

Q_DECLARE_METATYPE(SqlDialect)

void TestSqlParameters::names_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("none") << "SELECT 1" << QStringList();
    QTest::newRow("one") << "SELECT * FROM t WHERE a = :ClientNo" << QStringList{"ClientNo"};
    QTest::newRow("order of first use, case ignored")
        << "WHERE a = :B AND b = :a AND c = :b" << QStringList{"B", "a"};
    QTest::newRow("cast is no parameter") << "SELECT x::int, :p" << QStringList{"p"};
    QTest::newRow("inside a string") << "SELECT ':no', :yes" << QStringList{"yes"};
    QTest::newRow("inside a quoted name") << "SELECT \":no\", `:no`, :yes" << QStringList{"yes"};
    QTest::newRow("doubled quotes") << "SELECT 'it''s :no', :yes" << QStringList{"yes"};
    QTest::newRow("comment to line end") << "SELECT 1 -- :no\n, :yes" << QStringList{"yes"};
    QTest::newRow("unterminated string") << "SELECT :a, 'open :no" << QStringList{"a"};
    QTest::newRow("unterminated comment") << "SELECT :a -- :no" << QStringList{"a"};
    QTest::newRow("colon alone") << "SELECT : , :" << QStringList();
    QTest::newRow("underscore and digits") << ":_1 :2nd" << QStringList{"_1", "2nd"};
    QTest::newRow("block comment") << "SELECT /* :no\n :no */ :yes" << QStringList{"yes"};
    QTest::newRow("unterminated block comment") << "SELECT :a /* :no" << QStringList{"a"};
    QTest::newRow("cast after a parameter") << "SELECT :p::int, :q::text" << QStringList{"p", "q"};
    QTest::newRow("cast of a string") << "SELECT ':no'::date, :yes" << QStringList{"yes"};
    QTest::newRow("quoted name with colon then cast") << "SELECT \"a:no\"::text, :yes" << QStringList{"yes"};
    QTest::newRow("doubled quote in quoted name") << "SELECT \"a\"\":no\", :yes" << QStringList{"yes"};
    QTest::newRow("dollar quote") << "SELECT $$ :no $$, :yes" << QStringList{"yes"};
    QTest::newRow("tagged dollar quote") << "SELECT $f$ :no $$ :no $f$, :yes" << QStringList{"yes"};
    QTest::newRow("positional dollar is code") << "SELECT $1, :yes" << QStringList{"yes"};
    QTest::newRow("comment marker inside a string") << "SELECT '--', :yes" << QStringList{"yes"};
    QTest::newRow("string marker inside a comment") << "SELECT 1 -- it's\n, :yes" << QStringList{"yes"};
    QTest::newRow("letters beyond ASCII") << QString::fromUtf8(":Größe, :GRÖSSE") << QStringList{QString::fromUtf8("Größe"), QString::fromUtf8("GRÖSSE")};
}

void TestSqlParameters::names()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    QCOMPARE(SqlParameterNames(sql), names);
}

void TestSqlParameters::namesAsEngineReads_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<bool>("escapes");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    const int pg = int(SqlDialect::PostgreSQL);
    const int my = int(SqlDialect::MySQL);
    const int lite = int(SqlDialect::SQLite);
    QTest::newRow("pg: escape string") << pg << false << "SELECT E'\\':no', :yes" << QStringList{"yes"};
    QTest::newRow("pg: plain string ends at the quote") << pg << false << "SELECT '\\', :yes" << QStringList{"yes"};
    QTest::newRow("pg: dollar inside a name") << pg << false << "SELECT a$b$c, :yes" << QStringList{"yes"};
    QTest::newRow("pg: dollar quote") << pg << false << "SELECT $f$ :no $f$, :yes" << QStringList{"yes"};
    QTest::newRow("pg: nested comments") << pg << false << "SELECT /* a /* :no */ :no */ :yes" << QStringList{"yes"};
    QTest::newRow("my: escaped quote") << my << true << "SELECT 'it\\'s :no', :yes" << QStringList{"yes"};
    QTest::newRow("my: backslash is text without escapes") << my << false << "SELECT 'a\\', :yes"
                                                            << QStringList{"yes"};
    QTest::newRow("my: double quotes are a string") << my << true << "SELECT \"\\\" :no\", :yes"
                                                    << QStringList{"yes"};
    QTest::newRow("my: hash comment") << my << true << "SELECT 1 # :no\n, :yes" << QStringList{"yes"};
    QTest::newRow("my: --x is code") << my << true << "SELECT 1 --:x" << QStringList{"x"};
    QTest::newRow("my: -- and a space is a comment") << my << true << "SELECT 1 -- :no\n, :yes" << QStringList{"yes"};
    QTest::newRow("my: executable comment") << my << true << "SELECT /*!50100 :yes */ 1 /* :no */" << QStringList{"yes"};
    QTest::newRow("sqlite: bracketed name") << lite << false << "SELECT [a:no], :yes" << QStringList{"yes"};
    QTest::newRow("sqlite: dollar is code") << lite << false << "SELECT $a$, :yes" << QStringList{"yes"};
}

void TestSqlParameters::namesAsEngineReads()
{
    QFETCH(int, dialect);
    QFETCH(bool, escapes);
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    SqlLexOptions options{SqlDialect(dialect)};
    options.backslashEscapes = escapes;
    QCOMPARE(SqlParameterNames(sql, options), names);
}

void TestSqlParameters::manyDistinctNames()
{
    // Each name once, however many there are.
    QString sql = QStringLiteral("SELECT ");
    for (int i = 0; i < 20000; ++i)
        sql += QStringLiteral(":p%1, :P%1, ").arg(i);
    const QStringList names = SqlParameterNames(sql);
    QCOMPARE(names.size(), 20000);
    QCOMPARE(names.first(), QStringLiteral("p0"));
    QCOMPARE(names.last(), QStringLiteral("p19999"));
}

// With the engine told, its own comments and strings: the parameters it sees, no more.
void TestSqlParameters::namesAsTheEngineReads_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<SqlDialect>("dialect");
    QTest::addColumn<QStringList>("names");
    const auto pg = SqlDialect::PostgreSQL, my = SqlDialect::MySQL, lite = SqlDialect::SQLite;
    const QString nested = QStringLiteral("SELECT /* /* */ :a */ :b");
    QTest::newRow("nested comment, PostgreSQL") << nested << pg << QStringList{"b"};
    QTest::newRow("nested comment, SQLite") << nested << lite << QStringList{"a", "b"};
    QTest::newRow("E-string") << "SELECT E'\\' :a', :b" << pg << QStringList{"b"};
    QTest::newRow("plain string, PostgreSQL") << "SELECT '\\' :a, ':b'" << pg << QStringList{"a"};
    QTest::newRow("dollar quote") << "SELECT $q$ :a $q$, :b" << pg << QStringList{"b"};
    QTest::newRow("dollars on SQLite") << "SELECT $q$ :a $q$" << lite << QStringList{"a"};
    QTest::newRow("mysql --1 is code") << "SELECT 1 --:a\n" << my << QStringList{"a"};
    QTest::newRow("mysql -- comment") << "SELECT 1 -- :a\n, :b" << my << QStringList{"b"};
    QTest::newRow("mysql # comment") << "SELECT 1 # :a\n, :b" << my << QStringList{"b"};
    QTest::newRow("# elsewhere") << "SELECT 1 # :a" << pg << QStringList{"a"};
    QTest::newRow("mysql executable comment") << "SELECT 1 /*! , :a */" << my << QStringList{"a"};
    QTest::newRow("mysql backslash escape") << "SELECT 'it\\'s :a', :b" << my << QStringList{"b"};
    QTest::newRow("sqlite brackets") << "SELECT [:a], :b" << lite << QStringList{"b"};
    QTest::newRow("brackets elsewhere") << "SELECT x[:a]" << pg << QStringList{"a"};
}

void TestSqlParameters::namesAsTheEngineReads()
{
    QFETCH(QString, sql);
    QFETCH(SqlDialect, dialect);
    QFETCH(QStringList, names);
    QCOMPARE(SqlParameterNames(sql, dialect), names);
}

QTEST_APPLESS_MAIN(TestSqlParameters)
#include "tst_sqlparameters.moc"
