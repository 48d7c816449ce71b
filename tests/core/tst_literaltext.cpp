// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "literaltext.h"

#include <QtTest>

// The backslashes of string literals for a MySQL server that reads them as escapes.
class TestLiteralText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backslashes_data();
    void backslashes();
    void wayBack_data();
    void wayBack();
};

void TestLiteralText::backslashes_data()
{
    QTest::addColumn<int>("dialect");
    QTest::addColumn<bool>("escapes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    const int my = int(SqlDialect::MySQL);
    const QStringList path{QStringLiteral("WHERE"), QStringLiteral(" t.p = 'C:\\new\\table'")};
    QTest::newRow("escapes off: as written") << my << false << path << path;
    QTest::newRow("PostgreSQL: as written") << int(SqlDialect::PostgreSQL) << true << path << path;
    QTest::newRow("SQLite: as written") << int(SqlDialect::SQLite) << true << path << path;
    QTest::newRow("ODBC: as written") << int(SqlDialect::ODBC) << true << path << path;
    QTest::newRow("escapes on: doubled in the literal")
        << my << true << path << QStringList{QStringLiteral("WHERE"), QStringLiteral(" t.p = 'C:\\\\new\\\\table'")};
    QTest::newRow("no backslash") << my << true << QStringList{QStringLiteral("SELECT 'it''s', 1")}
                                  << QStringList{QStringLiteral("SELECT 'it''s', 1")};
    QTest::newRow("doubled quote stays inside")
        << my << true << QStringList{QStringLiteral("x = 'it''s \\ here' AND y = '\\'")}
        << QStringList{QStringLiteral("x = 'it''s \\\\ here' AND y = '\\\\'")};
    QTest::newRow("quote then backslash")
        << my << true << QStringList{QStringLiteral("x = 'x\\'' OR 1=1 -- '")}
        << QStringList{QStringLiteral("x = 'x\\\\'' OR 1=1 -- '")};
    QTest::newRow("quoted names keep theirs")
        << my << true << QStringList{QStringLiteral("SELECT `a\\b`, \"c\\d\", 'e\\f' FROM `it``s\\`")}
        << QStringList{QStringLiteral("SELECT `a\\b`, \"c\\d\", 'e\\\\f' FROM `it``s\\`")};
    QTest::newRow("line comment keeps its own")
        << my << true << QStringList{QStringLiteral("SELECT 1 -- it's C:\\x"), QStringLiteral("WHERE a = '\\'")}
        << QStringList{QStringLiteral("SELECT 1 -- it's C:\\x"), QStringLiteral("WHERE a = '\\\\'")};
    QTest::newRow("block comment over two lines")
        << my << true << QStringList{QStringLiteral("SELECT /* it's \\"), QStringLiteral(" still \\ */ '\\'")}
        << QStringList{QStringLiteral("SELECT /* it's \\"), QStringLiteral(" still \\ */ '\\\\'")};
    QTest::newRow("literal over two lines")
        << my << true << QStringList{QStringLiteral("a = 'one \\"), QStringLiteral("two \\' -- \\")}
        << QStringList{QStringLiteral("a = 'one \\\\"), QStringLiteral("two \\\\' -- \\")};
    QTest::newRow("line break inside a line")
        << my << true << QStringList{QStringLiteral("a = 'one\ntwo\\' -- x\\\nb = '\\'")}
        << QStringList{QStringLiteral("a = 'one\ntwo\\\\' -- x\\\nb = '\\\\'")};
    QTest::newRow("open literal at the end") << my << true << QStringList{QStringLiteral("a = 'end\\")}
                                             << QStringList{QStringLiteral("a = 'end\\\\")};
    QTest::newRow("no lines") << my << true << QStringList() << QStringList();
}

void TestLiteralText::backslashes()
{
    QFETCH(int, dialect);
    QFETCH(bool, escapes);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    IdentifierStyle style;
    style.dialect = SqlDialect(dialect);
    style.backslashEscapes = escapes;
    QCOMPARE(WithServerBackslashes(lines, style), expected);
}

// A literal as the server reads it, in the standard form; the standard form written for the
// server and read back is itself.
void TestLiteralText::wayBack_data()
{
    QTest::addColumn<bool>("escapes");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("standard");
    QTest::newRow("escapes off: as written") << false << "'C:\\new'" << "'C:\\new'";
    QTest::newRow("doubled backslashes") << true << "'C:\\\\new\\\\table'" << "'C:\\new\\table'";
    QTest::newRow("escaped quote") << true << "'O\\'Neil'" << "'O''Neil'";
    QTest::newRow("doubled quote") << true << "'it''s'" << "'it''s'";
    QTest::newRow("escape letters") << true << "'a\\nb\\tc\\0'" << QStringLiteral("'a\nb\tc") + QChar(0) + u'\'';
    QTest::newRow("like escapes kept") << true << "'100\\%\\_'" << "'100\\%\\_'";
    QTest::newRow("names and code kept") << true << "`a\\b` = 'x\\\\' AND \"q\\r\" = 1"
                                         << "`a\\b` = 'x\\' AND \"q\\r\" = 1";
    QTest::newRow("two literals") << true << "BETWEEN '\\\\a' AND 'b\\''" << "BETWEEN '\\a' AND 'b'''";
}

void TestLiteralText::wayBack()
{
    QFETCH(bool, escapes);
    QFETCH(QString, server);
    QFETCH(QString, standard);
    IdentifierStyle style;
    style.dialect = SqlDialect::MySQL;
    style.backslashEscapes = escapes;
    QCOMPARE(StandardLiterals(server, style), standard);
    if (!standard.contains(QChar(0)) && !standard.contains(u'%'))
        QCOMPARE(StandardLiterals(WithServerBackslashes({standard}, style).value(0), style), standard);
}

QTEST_MAIN(TestLiteralText)
#include "tst_literaltext.moc"
