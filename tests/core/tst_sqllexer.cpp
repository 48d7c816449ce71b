#include "sqllexer.h"

#include <QtTest>

Q_DECLARE_METATYPE(SqlDialect)

// The SQL text split as each engine reads it: every token as kind:text, one line or many.
class TestSqlLexer : public QObject
{
    Q_OBJECT
private slots:
    void tokens_data();
    void tokens();
    void statesAcrossLines_data();
    void statesAcrossLines();
    void keywordsAndNames();
};

namespace {

QString kindName(SqlTokenKind kind)
{
    switch (kind) {
    case SqlTokenKind::Space: return QStringLiteral("_");
    case SqlTokenKind::Word: return QStringLiteral("W");
    case SqlTokenKind::QuotedName: return QStringLiteral("Q");
    case SqlTokenKind::String: return QStringLiteral("S");
    case SqlTokenKind::Number: return QStringLiteral("N");
    case SqlTokenKind::Comment: return QStringLiteral("C");
    case SqlTokenKind::Parameter: return QStringLiteral("P");
    case SqlTokenKind::Symbol: return QStringLiteral("Y");
    }
    return {};
}

// Tokens other than spaces, as "kind:text" joined by "|".
QString describe(const QString &text, SqlDialect dialect)
{
    QStringList parts;
    int covered = 0;
    for (const SqlToken &t : TokenizeSql(text, dialect)) {
        if (t.start != covered)
            return QStringLiteral("gap at %1").arg(covered);
        covered = t.start + t.length;
        if (t.kind != SqlTokenKind::Space)
            parts << kindName(t.kind) + u':' + text.mid(t.start, t.length);
    }
    if (covered != text.size())
        return QStringLiteral("text not covered: %1 of %2").arg(covered).arg(text.size());
    return parts.join(u'|');
}

} // namespace

void TestSqlLexer::tokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SqlDialect>("dialect");
    QTest::addColumn<QString>("expected");
    const auto pg = SqlDialect::PostgreSQL, my = SqlDialect::MySQL, lite = SqlDialect::SQLite;

    QTest::newRow("select") << "SELECT a.x, 12 FROM t" << pg << "W:SELECT|W:a|Y:.|W:x|Y:,|N:12|W:FROM|W:t";
    QTest::newRow("doubled quote in string") << "'O''Brien' x" << pg << "S:'O''Brien'|W:x";
    QTest::newRow("quoted name") << "\"order \"\"items\"\"\".id" << pg << "Q:\"order \"\"items\"\"\"|Y:.|W:id";
    QTest::newRow("line comment") << "a -- b 'c" << pg << "W:a|C:-- b 'c";
    QTest::newRow("block comment") << "a /* b */ c" << pg << "W:a|C:/* b */|W:c";
    QTest::newRow("numbers") << "1.5 .5 2e10 3E-2 7" << pg << "N:1.5|N:.5|N:2e10|N:3E-2|N:7";
    QTest::newRow("digit-led name") << "2003sales" << lite << "W:2003sales";
    QTest::newRow("cast is no parameter") << "x::int, :p, ?, $2" << pg
                                          << "W:x|Y:::|W:int|Y:,|P::p|Y:,|P:?|Y:,|P:$2";
    QTest::newRow("mysql backslash in string") << "'a\\'b' c" << my << "S:'a\\'b'|W:c";
    QTest::newRow("backslash is text elsewhere") << "'a\\' b" << pg << "S:'a\\'|W:b";
    QTest::newRow("mysql backtick name") << "`my ``t`" << my << "Q:`my ``t`";
    QTest::newRow("mysql double quotes are strings") << "\"x\"" << my << "S:\"x\"";
    QTest::newRow("mysql hash comment") << "a # b" << my << "W:a|C:# b";
    QTest::newRow("hash is a symbol elsewhere") << "a # b" << pg << "W:a|Y:#|W:b";
    QTest::newRow("backtick is a symbol on PostgreSQL") << "`a`" << pg << "Y:`|W:a|Y:`";
    QTest::newRow("sqlite brackets") << "[order items]" << lite << "Q:[order items]";
    QTest::newRow("string over two lines") << "'a\nb' c" << pg << "S:'a|S:b'|W:c";
    QTest::newRow("unclosed name") << "\"abc" << pg << "Q:\"abc";
    QTest::newRow("non-ASCII name") << "SELECT Stra\u00dfe" << pg << "W:SELECT|W:Stra\u00dfe";
}

void TestSqlLexer::tokens()
{
    QFETCH(QString, text);
    QFETCH(SqlDialect, dialect);
    QFETCH(QString, expected);
    QCOMPARE(describe(text, dialect), expected);
}

void TestSqlLexer::statesAcrossLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("endState");
    QTest::newRow("comment opens") << "a /* b" << int(LexNormal) << int(LexBlockComment);
    QTest::newRow("comment goes on") << "still" << int(LexBlockComment) << int(LexBlockComment);
    QTest::newRow("comment closes") << "b */ 'x" << int(LexBlockComment) << int(LexString);
    QTest::newRow("string closes") << "x' y" << int(LexString) << int(LexNormal);
    QTest::newRow("doubled quote keeps string open") << "x''" << int(LexString) << int(LexString);
    QTest::newRow("name opens") << "\"a" << int(LexNormal) << int(LexDoubleQuoted);
    QTest::newRow("comment marker inside string") << "'--'" << int(LexNormal) << int(LexNormal);
}

void TestSqlLexer::statesAcrossLines()
{
    QFETCH(QString, line);
    QFETCH(int, state);
    QFETCH(int, endState);
    QList<SqlToken> tokens;
    QCOMPARE(TokenizeSqlLine(line, state, SqlDialect::PostgreSQL, &tokens), endState);
}

void TestSqlLexer::keywordsAndNames()
{
    QVERIFY(IsSqlKeyword(u"select", SqlDialect::SQLite));
    QVERIFY(IsSqlKeyword(u"ILIKE", SqlDialect::PostgreSQL));
    QVERIFY(!IsSqlKeyword(u"ILIKE", SqlDialect::SQLite));
    QVERIFY(!IsSqlKeyword(u"clients", SqlDialect::MySQL));
    QVERIFY(IsSqlKeyword(u"analyze", SqlDialect::PostgreSQL));  // reserved there
    QVERIFY(IsSqlKeyword(u"dual", SqlDialect::MySQL));
    const QStringList words = SqlKeywords(SqlDialect::MySQL);
    QVERIFY(words.contains(QStringLiteral("STRAIGHT_JOIN")));
    QVERIFY(std::is_sorted(words.begin(), words.end()));
    QCOMPARE(UnquotedName(u"\"a\"\"b\""), QStringLiteral("a\"b"));
    QCOMPARE(UnquotedName(u"`a``b`"), QStringLiteral("a`b"));
    QCOMPARE(UnquotedName(u"[a b]"), QStringLiteral("a b"));
    QCOMPARE(UnquotedName(u"plain"), QStringLiteral("plain"));
}

QTEST_APPLESS_MAIN(TestSqlLexer)
#include "tst_sqllexer.moc"
