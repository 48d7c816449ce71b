// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

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
    void backslashEscapes_data();
    void backslashEscapes();
    void linesCarryWhatIsOpen_data();
    void linesCarryWhatIsOpen();
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
QString describe(const QString &text, const SqlLexOptions &options)
{
    QStringList parts;
    int covered = 0;
    for (const SqlToken &t : TokenizeSql(text, options)) {
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

    // Each engine's own reading.
    const auto odbc = SqlDialect::ODBC;
    const QString victims = QStringLiteral("id = 1 /* /* */ OR 1 = 1 --*/");
    QTest::newRow("nested comment, PostgreSQL") << victims << pg << "W:id|Y:=|N:1|C:/* /* */ OR 1 = 1 --*/";
    QTest::newRow("nested comment, SQLite") << victims << lite << "W:id|Y:=|N:1|C:/* /* */|W:OR|N:1|Y:=|N:1|C:--*/";
    QTest::newRow("nested comment, MySQL") << victims << my << "W:id|Y:=|N:1|C:/* /* */|W:OR|N:1|Y:=|N:1|Y:-|Y:-|Y:*|Y:/";
    QTest::newRow("nested comment, ODBC") << victims << odbc << "W:id|Y:=|N:1|C:/* /* */|W:OR|N:1|Y:=|N:1|C:--*/";
    QTest::newRow("nested comment over lines") << "a /* b /* c\n*/ d */ e" << pg << "W:a|C:/* b /* c|C:*/ d */|W:e";
    QTest::newRow("E-string") << "E'it\\'s' x" << pg << "S:E'it\\'s'|W:x";
    QTest::newRow("lower-case e-string") << "e'\\\\' x" << pg << "S:e'\\\\'|W:x";
    QTest::newRow("E is a name elsewhere") << "E'it\\'s' x" << lite << "W:E|S:'it\\'|W:s|S:' x";
    QTest::newRow("E-string over two lines") << "E'a\nb' c" << pg << "S:E'a|S:b'|W:c";
    QTest::newRow("dollar quote") << "$$it's -- $$ x" << pg << "S:$$it's -- $$|W:x";
    QTest::newRow("tagged dollar quote") << "$f$ $$ 'a' $f$ x" << pg << "S:$f$ $$ 'a' $f$|W:x";
    QTest::newRow("dollar quote over lines") << "$f$ a\n$g$ b $f$ c" << pg << "S:$f$ a|S:$g$ b $f$|W:c";
    QTest::newRow("positional parameter is no dollar quote") << "$1 $$" << pg << "P:$1|S:$$";
    QTest::newRow("dollars elsewhere") << "$$x$$" << lite << "Y:$|Y:$|W:x$$";
    QTest::newRow("mysql -- before a digit") << "a --1" << my << "W:a|Y:-|Y:-|N:1";
    QTest::newRow("mysql -- before a blank") << "a -- 1" << my << "W:a|C:-- 1";
    QTest::newRow("mysql -- before a tab") << "a --\t1" << my << "W:a|C:--\t1";
    QTest::newRow("mysql -- at the end") << "a --" << my << "W:a|C:--";
    QTest::newRow("mysql -- at a line end") << "a --\nb" << my << "W:a|C:--|W:b";
    QTest::newRow("-- before a digit elsewhere") << "a --1" << pg << "W:a|C:--1";
    QTest::newRow("mysql hash at a line end") << "#x\ny" << my << "C:#x|W:y";
    QTest::newRow("mysql executable comment") << "/*!50001 DROP t */ x" << my << "C:/*!50001|W:DROP|W:t|C:*/|W:x";
    QTest::newRow("mariadb executable comment") << "/*M!100100 'a' */" << my << "C:/*M!100100|S:'a'|C:*/";
    QTest::newRow("executable comment elsewhere") << "/*!50001 DROP t */ x" << pg << "C:/*!50001 DROP t */|W:x";
    QTest::newRow("comment inside executable comment") << "/*! a /* b */ c */ d" << my << "C:/*!|W:a|C:/* b */|W:c|C:*/|W:d";
    QTest::newRow("stray comment end") << "a */ b" << my << "W:a|Y:*|Y:/|W:b";
    QTest::newRow("NUL inside a string") << QString("'a") + QChar(0) + "b' c" << pg << QString("S:'a") + QChar(0) + "b'|W:c";
    QTest::newRow("NUL inside a name") << QString("\"a") + QChar(0) + "\"" << lite << QString("Q:\"a") + QChar(0) + "\"";
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

// MySQL's strings, '...' and "...", as a server with and without NO_BACKSLASH_ESCAPES reads them.
void TestSqlLexer::backslashEscapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("escapes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("escaped quote") << "'a\\'b' c" << true << "S:'a\\'b'|W:c";
    QTest::newRow("backslash is text") << "'a\\'b' c" << false << "S:'a\\'|W:b|S:' c";
    QTest::newRow("double-quoted, escaped") << "\"a\\\"b\" c" << true << "S:\"a\\\"b\"|W:c";
    QTest::newRow("double-quoted, plain") << "\"a\\\" c" << false << "S:\"a\\\"|W:c";
    QTest::newRow("escaped backslash") << "'a\\\\' OR 1" << true << "S:'a\\\\'|W:OR|N:1";
    QTest::newRow("backticks never escape") << "`a\\` b" << true << "Q:`a\\`|W:b";
}

void TestSqlLexer::backslashEscapes()
{
    QFETCH(QString, text);
    QFETCH(bool, escapes);
    QFETCH(QString, expected);
    QCOMPARE(describe(text, SqlLexOptions(IdentifierStyle{false, SqlDialect::MySQL, escapes})), expected);
    // A dialect alone is a server with its default mode, which has the escapes.
    if (escapes)
        QCOMPARE(describe(text, SqlDialect::MySQL), expected);
}

// The editor reads a line at a time: what the first line leaves open, the second closes.
void TestSqlLexer::linesCarryWhatIsOpen_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<SqlDialect>("dialect");
    QTest::addColumn<QString>("expected");
    const auto pg = SqlDialect::PostgreSQL, my = SqlDialect::MySQL;
    QTest::newRow("comment two deep") << "a /* b /* c" << "d */ e */ f" << pg << "C:d */ e */|W:f";
    QTest::newRow("comment one deep elsewhere") << "a /* b /* c" << "d */ e */ f" << my << "C:d */|W:e|Y:*|Y:/|W:f";
    QTest::newRow("dollar tag") << "x = $f$ a" << "b $$ $g$ c $f$ d" << pg << "S:b $$ $g$ c $f$|W:d";
    QTest::newRow("executable comment") << "/*!50001 SELECT" << "1 */ x" << my << "N:1|C:*/|W:x";
    QTest::newRow("string inside executable comment") << "/*! 'a" << "b' */ c" << my << "S:b'|C:*/|W:c";
    QTest::newRow("E-string") << "E'a\\'" << "b' c" << pg << "S:b'|W:c";
}

void TestSqlLexer::linesCarryWhatIsOpen()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(SqlDialect, dialect);
    QFETCH(QString, expected);
    QList<SqlToken> tokens;
    const int state = TokenizeSqlLine(first, LexNormal, dialect, &tokens);
    QVERIFY(state != LexNormal);
    tokens.clear();
    QCOMPARE(TokenizeSqlLine(second, state, dialect, &tokens), int(LexNormal));
    QStringList parts;
    for (const SqlToken &t : tokens) {
        if (t.kind != SqlTokenKind::Space)
            parts << kindName(t.kind) + u':' + second.mid(t.start, t.length);
    }
    QCOMPARE(parts.join(u'|'), expected);
}

QTEST_APPLESS_MAIN(TestSqlLexer)
#include "tst_sqllexer.moc"
