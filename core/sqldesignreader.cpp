// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The statement reader's tokens and statements: SELECT, INSERT, UPDATE and DELETE with their
// clauses. Conditions and operands are read in sqldesignconditions.cpp.

#include "sqldesignreader_p.h"

#include <algorithm>

namespace SqlDesign {

// --- Errors -------------------------------------------------------------------------------

void StatementReader::unexpected() const
{
    m_unexpected = true;
    if (atEnd())
        fail(int(m_sql.size()), tr("a statement that ends too early"));
    fail(cur().start, tr("\"%1\" here").arg(text(cur()).left(40)));
}

// --- Tokens -------------------------------------------------------------------------------

const QSet<QString> &StatementReader::clauseWords()
{
    // Words that end an expression or a name list and can never be a bare name there.
    static const QSet<QString> words = {
        "FROM", "WHERE", "GROUP", "HAVING", "ORDER", "LIMIT", "UNION", "INTERSECT", "EXCEPT",
        "JOIN", "ON", "AND", "OR", "NOT", "AS", "ASC", "DESC", "SET", "VALUES", "INTO", "SELECT",
        "WHEN", "THEN", "ELSE", "END", "IS", "IN", "LIKE", "ILIKE", "GLOB", "BETWEEN", "FETCH",
        "OFFSET", "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "NATURAL", "USING", "WINDOW",
        "RETURNING", "BY", "OUTER", "DISTINCT", "ALL", "ESCAPE", "WITH", "TOP", "COLLATE",
        "INSERT", "UPDATE", "DELETE", "CASE", "EXISTS", "REGEXP", "NULLS"};
    return words;
}

QString upperWord(QStringView word)
{
    QString upper(word.size(), Qt::Uninitialized);
    for (qsizetype k = 0; k < word.size(); ++k) {
        const char16_t c = word[k].unicode();
        upper[k] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - 32) : c);
    }
    return upper;
}

bool sameWord(QStringView word, QLatin1String upper)
{
    if (word.size() != upper.size())
        return false;
    for (qsizetype k = 0; k < word.size(); ++k) {
        const char16_t c = word[k].unicode();
        if ((c >= u'a' && c <= u'z' ? char16_t(c - 32) : c) != char16_t(upper[k].unicode()))
            return false;
    }
    return true;
}

void StatementReader::tokenize()
{
    // The engine cuts its text at a NUL, and the design's file would hold a blank.
    const qsizetype nul = m_sql.indexOf(QChar(0));
    if (nul >= 0)
        fail(int(nul), tr("a NUL character"));
    QList<SqlToken> tokens;
    const int end = TokenizeSqlLine(m_sql, LexNormal, m_options, &tokens);
    const int open = end & LexKindMask;
    const bool quoteOpen = open != LexNormal && open != LexBlockComment;
    QList<int> parentheses;  // the unclosed "(" tokens
    m_toks.reserve(std::count_if(tokens.cbegin(), tokens.cend(), [](const SqlToken &t) {
        return t.kind != SqlTokenKind::Space && t.kind != SqlTokenKind::Comment;
    }));
    bool space = false;
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const SqlToken &t = tokens.at(k);
        if (t.kind == SqlTokenKind::Space || t.kind == SqlTokenKind::Comment) {
            // On MySQL the text of /*! ... */ runs, on a server of at least the version given.
            const QStringView comment = QStringView(m_sql).mid(t.start, t.length);
            if (t.kind == SqlTokenKind::Comment && m_options.dialect == SqlDialect::MySQL
                && (comment.startsWith(u"/*!") || comment.startsWith(u"/*M!")))
                fail(t.start, tr("an executable comment"));
            space = true;
            continue;
        }
        // A design's lists hold one line per text, and an unclosed quote is no statement.
        if ((t.kind == SqlTokenKind::String || t.kind == SqlTokenKind::QuotedName)
            && ((quoteOpen && k + 1 == tokens.size()) || QStringView(m_sql).mid(t.start, t.length).contains(u'\n')))
            fail(t.start, tr("a string or quoted name that is not closed on its line"));
        addToken(t, space, parentheses);
        space = false;
    }
}

void StatementReader::addToken(const SqlToken &t, bool space, QList<int> &open)
{
    Tok tok{t.start, t.length, -1, t.kind, space, false};
    const QStringView written = text(tok);
    if (tok.kind == SqlTokenKind::Word) {
        tok.clause = written.size() <= 12 && clauseWords().contains(upperWord(written));
        // Each condition follows one of these: room for them all at once.
        if (tok.clause && (sameWord(written, QLatin1String("AND")) || sameWord(written, QLatin1String("OR"))
                           || sameWord(written, QLatin1String("ON"))))
            ++m_conditionWords;
    }
    if (tok.kind == SqlTokenKind::Symbol) {
        // Two-character operators come from the lexer one character at a time.
        if (!space && !m_toks.isEmpty()) {
            Tok &prev = m_toks.last();
            if (prev.kind == SqlTokenKind::Symbol && prev.length == 1 && prev.start + 1 == tok.start) {
                const QStringView pair = QStringView(m_sql).mid(prev.start, 2);
                if (pair == u"<=" || pair == u">=" || pair == u"<>" || pair == u"!=" || pair == u"||" || pair == u"==") {
                    prev.length = 2;
                    return;
                }
            }
        }
        if (written == u"(") {
            // Each level of parentheses is a level of the reading's own calls.
            if (open.size() == MaxParenthesisDepth)
                fail(tok.start, tr("parentheses nested more than %1 deep").arg(MaxParenthesisDepth));
            open.append(int(m_toks.size()));
        } else if (written == u")" && !open.isEmpty()) {
            m_toks[open.takeLast()].close = int(m_toks.size());
        }
    }
    m_toks.append(tok);
}

bool StatementReader::isWord(const char *word, int ahead) const
{
    const Tok *t = peek(ahead);
    return t && t->kind == SqlTokenKind::Word && sameWord(text(*t), QLatin1String(word));
}

bool StatementReader::isSymbol(const char *symbol, int ahead) const
{
    const Tok *t = peek(ahead);
    return t && t->kind == SqlTokenKind::Symbol && text(*t) == QLatin1String(symbol);
}

bool StatementReader::acceptWord(const char *word)
{
    if (!isWord(word))
        return false;
    ++m_i;
    return true;
}

bool StatementReader::acceptSymbol(const char *symbol)
{
    if (!isSymbol(symbol))
        return false;
    ++m_i;
    return true;
}

void StatementReader::expectWord(const char *word)
{
    if (!acceptWord(word))
        unexpected();
}

void StatementReader::expectSymbol(const char *symbol)
{
    if (!acceptSymbol(symbol))
        unexpected();
}

bool StatementReader::isName(int ahead) const
{
    const Tok *t = peek(ahead);
    if (!t)
        return false;
    if (t->kind == SqlTokenKind::QuotedName)
        return true;
    return t->kind == SqlTokenKind::Word && !t->clause;
}

// A name; after a "." any word is one (t.desc), elsewhere a clause word ends the name list.
NamePart StatementReader::takeName(bool anyWord)
{
    if (!isName() && !(anyWord && !atEnd() && cur().kind == SqlTokenKind::Word))
        unexpected();
    const Tok &t = m_toks.at(m_i++);
    refuseLineBreak(t);
    const bool quoted = t.kind == SqlTokenKind::QuotedName;
    // Names come back again and again: each written name is one text.
    auto known = m_names.constFind(text(t));
    if (known == m_names.cend())
        known = m_names.insert(text(t), quoted ? UnquotedName(text(t)) : text(t).toString());
    return {*known, quoted};
}

bool StatementReader::atSubquery(int ahead) const
{
    return isSymbol("(", ahead) && (isWord("SELECT", ahead + 1) || isWord("WITH", ahead + 1) || isWord("VALUES", ahead + 1));
}

void StatementReader::refuseSubquery()
{
    if (atSubquery())
        fail(cur().start, tr("a subquery"));
}

void StatementReader::keepParenthesised(QList<Piece> &pieces)
{
    const int close = closingParen(m_i);
    if (close < 0)
        unexpected();
    while (m_i <= close) {
        const Tok &t = cur();
        if (t.kind == SqlTokenKind::Symbol && text(t) == u";")
            fail(t.start, tr("a \";\" inside parentheses"));
        // A query kept as written is also asked for its columns: it must only read.
        if (t.kind == SqlTokenKind::Word && sameWord(text(t), QLatin1String("FOR"))
            && (isWord("UPDATE", 1) || isWord("SHARE", 1) || isWord("NO", 1) || isWord("KEY", 1)))
            fail(t.start, tr("a locking clause"));
        if (t.kind == SqlTokenKind::Word && sameWord(text(t), QLatin1String("INTO")))
            fail(t.start, tr("a SELECT ... INTO"));
        addPiece(pieces);
    }
}

// --- Statements ---------------------------------------------------------------------------

Statement StatementReader::parseStatement()
{
    if (atEnd())
        fail(0, tr("an empty statement"));
    Statement st;
    st.source = m_sql;
    st.preds.reserve(m_conditionWords + 2);
    m_st = &st;
    if (isWord("WITH")) {
        parseWith(st);
        if (!isWord("SELECT"))
            fail(pos(), tr("a WITH clause before anything but SELECT"));
    }
    if (isWord("SELECT"))
        parseSelect(st);
    else if (isWord("INSERT"))
        parseInsert(st);
    else if (isWord("UPDATE"))
        parseUpdate(st);
    else if (isWord("DELETE"))
        parseDelete(st);
    else if (isSymbol("("))
        fail(cur().start, tr("a statement in parentheses"));
    else
        fail(cur().start, tr("a statement that is not SELECT, INSERT, UPDATE or DELETE"));
    while (acceptSymbol(";")) {
    }
    if (!atEnd()) {
        if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
            fail(cur().start, tr("a %1").arg(upperWord(text(cur()))));
        if (text(m_toks.at(m_i - 1)) == u";")
            fail(cur().start, tr("a second statement"));
        unexpected();
    }
    return st;
}

// WITH [RECURSIVE] name [(columns)] AS [[NOT] MATERIALIZED] (query), ...: kept as written.
void StatementReader::parseWith(Statement &st)
{
    addPiece(st.with);
    if (isWord("RECURSIVE"))
        addPiece(st.with);
    for (;;) {
        WithQuery query;
        query.pos = pos();
        if (!isName())
            unexpected();
        query.name = takeName();
        --m_i;
        addPiece(st.with);
        if (isSymbol("("))
            keepParenthesised(st.with);
        if (!isWord("AS"))
            unexpected();
        addPiece(st.with);
        if (isWord("NOT"))
            addPiece(st.with);
        if (isWord("MATERIALIZED"))
            addPiece(st.with);
        // Only a query: a WITH of INSERT, UPDATE or DELETE would change data when its columns
        // are asked for.
        if (!atSubquery())
            fail(pos(), tr("a WITH query that is not a SELECT"));
        keepParenthesised(st.with);
        st.withQueries << query;
        if (!isSymbol(","))
            break;
        addPiece(st.with);
    }
}

void StatementReader::parseSelect(Statement &st)
{
    st.type = QueryType::Select;
    expectWord("SELECT");
    if (acceptWord("DISTINCT")) {
        if (isWord("ON"))
            fail(cur().start, tr("DISTINCT ON"));
        st.distinct = true;
    } else {
        acceptWord("ALL");
    }
    if (isWord("TOP")) {
        ++m_i;
        st.limit = parseLimitNumber();
    }
    do {
        st.columns << parseSelectItem();
    } while (acceptSymbol(","));
    if (!isWord("FROM"))
        fail(pos(), atEnd() ? tr("a SELECT without FROM") : tr("\"%1\" here").arg(text(cur()).left(40)));
    ++m_i;
    parseFrom(st);
    if (acceptWord("WHERE"))
        st.where = parseOr();
    if (isWord("GROUP"))
        parseGroupBy(st);
    if (acceptWord("HAVING"))
        st.having = parseOr();
    if (isWord("WINDOW"))
        fail(cur().start, tr("a WINDOW clause"));
    if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
        fail(cur().start, tr("a %1").arg(upperWord(text(cur()))));
    if (acceptWord("ORDER"))
        parseOrderBy(st);
    parseLimit(st);
}

// From the word GROUP on.
void StatementReader::parseGroupBy(Statement &st)
{
    st.groupByPos = cur().start;
    ++m_i;
    expectWord("BY");
    do {
        st.groupBy << parseOperand();
    } while (acceptSymbol(","));
}

// After the word ORDER.
void StatementReader::parseOrderBy(Statement &st)
{
    expectWord("BY");
    do {
        SortItem item;
        item.expr = parseOperand();
        if (acceptWord("DESC"))
            item.ascending = false;
        else
            acceptWord("ASC");
        if (isWord("NULLS"))
            fail(cur().start, tr("NULLS FIRST or LAST"));
        if (isWord("COLLATE"))
            fail(cur().start, tr("a COLLATE in ORDER BY"));
        st.orderBy << item;
    } while (acceptSymbol(","));
}

void StatementReader::parseLimit(Statement &st)
{
    if (isWord("LIMIT")) {
        if (st.limit)
            fail(cur().start, tr("a second row limit"));
        ++m_i;
        st.limit = parseLimitNumber();
        if (acceptSymbol(",")) {  // MySQL's LIMIT offset, count
            st.offset = st.limit;
            st.limit = parseLimitNumber();
        }
    }
    if (acceptWord("OFFSET")) {
        if (st.offset)
            fail(m_toks.at(m_i - 1).start, tr("a second OFFSET"));
        st.offset = parseLimitNumber();
        if (!acceptWord("ROWS"))
            acceptWord("ROW");
    }
    if (isWord("FETCH")) {
        if (st.limit)
            fail(cur().start, tr("a second row limit"));
        ++m_i;
        if (!acceptWord("FIRST"))
            expectWord("NEXT");
        st.limit = parseLimitNumber();
        if (!acceptWord("ROWS"))
            expectWord("ROW");
        expectWord("ONLY");
    }
    if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
        fail(cur().start, tr("a %1").arg(upperWord(text(cur()))));
}

int StatementReader::parseLimitNumber()
{
    if (atEnd() || cur().kind != SqlTokenKind::Number)
        fail(pos(), tr("a row limit that is not a number"));
    bool ok = false;
    const int n = text(cur()).toInt(&ok);
    if (!ok || n <= 0)
        fail(cur().start, tr("the row limit %1").arg(text(cur()).left(40)));
    ++m_i;
    return n;
}

SelectItem StatementReader::parseSelectItem()
{
    SelectItem item;
    const int start = pos();
    if (isSymbol("*")) {
        item.expr.kind = Expr::Star;
        item.expr.pos = start;
        ++m_i;
        return item;
    }
    // alias.* and schema.table.*
    int k = 0;
    while (isName(k) && isSymbol(".", k + 1))
        k += 2;
    if (k > 0 && isSymbol("*", k)) {
        item.expr.kind = Expr::TableStar;
        item.expr.pos = start;
        item.expr.refPos = start;
        while (!isSymbol("*")) {
            item.expr.ref << takeName();
            ++m_i;
        }
        ++m_i;
        return item;
    }
    item.expr = parseOperand();
    const bool as = acceptWord("AS");
    if (as || isName()) {
        item.aliasPos = pos();
        if (!atEnd() && cur().kind == SqlTokenKind::String)
            fail(cur().start, tr("a column name written as a string"));
        item.alias = takeName(as);  // after AS any word is a name
    }
    return item;
}

void StatementReader::parseFrom(Statement &st)
{
    st.tables << parseTableRef();
    for (;;) {
        Join join;
        join.pos = pos();
        if (acceptSymbol(",")) {
            join.kind = JoinKind::Comma;
        } else if (isWord("NATURAL")) {
            fail(cur().start, tr("a NATURAL join"));
        } else if (isWord("JOIN") || isWord("INNER") || isWord("CROSS") || isWord("LEFT") || isWord("RIGHT")
                   || isWord("FULL")) {
            const QString word = upperWord(text(cur()));
            ++m_i;
            if (word == u"LEFT" || word == u"RIGHT" || word == u"FULL")
                acceptWord("OUTER");
            if (word != u"JOIN")
                expectWord("JOIN");
            join.kind = word == u"LEFT" ? JoinKind::Left
                        : word == u"RIGHT" ? JoinKind::Right
                        : word == u"FULL"  ? JoinKind::Full
                        : word == u"CROSS" ? JoinKind::Comma
                                           : JoinKind::Inner;
        } else {
            break;
        }
        if (st.tables.size() == MaxTables)
            fail(join.pos, tr("more than %1 tables").arg(MaxTables));
        st.tables << parseTableRef();
        if (join.kind != JoinKind::Comma) {
            if (acceptWord("USING")) {
                expectSymbol("(");
                do {
                    join.usingColumns << takeName();
                } while (acceptSymbol(","));
                expectSymbol(")");
            } else if (acceptWord("ON"))
                join.on = parseOr();
            else if (join.kind != JoinKind::Inner)
                unexpected();
            else
                join.kind = JoinKind::Comma;  // MySQL's JOIN without ON is a cross join
        }
        st.joins << join;
    }
}

TableRef StatementReader::parseTableRef(bool insertTarget)
{
    TableRef ref;
    ref.pos = pos();
    if (!insertTarget && atSubquery()) {
        // A derived table: its query kept as written, its fields the ones its columns give.
        keepParenthesised(ref.query);
        ref.query.removeFirst();
        ref.query.removeLast();
        acceptWord("AS");
        if (!isName())
            fail(pos(), tr("a subquery in FROM without an alias"));
        ref.alias = takeName();
        if (isSymbol("("))
            fail(cur().start, tr("column names after a derived table's alias"));
        return ref;
    }
    refuseSubquery();
    if (isSymbol("("))
        fail(cur().start, tr("joins in parentheses"));
    ref.name << takeName();
    while (acceptSymbol("."))
        ref.name << takeName(true);
    if (isSymbol("(") && !insertTarget)
        fail(cur().start, tr("a table function"));
    if (acceptWord("AS"))
        ref.alias = takeName();
    else if (isName())
        ref.alias = takeName();
    return ref;
}

void StatementReader::parseInsert(Statement &st)
{
    st.type = QueryType::Insert;
    expectWord("INSERT");
    if (isWord("OR") || isWord("IGNORE"))
        fail(cur().start, tr("INSERT %1").arg(upperWord(text(cur()))));
    expectWord("INTO");
    st.tables << parseTableRef(true);
    if (acceptSymbol("(")) {
        do {
            st.insertColumnPositions << pos();
            st.insertColumns << takeName();
        } while (acceptSymbol(","));
        expectSymbol(")");
    }
    if (isWord("SELECT") || isWord("WITH"))
        fail(cur().start, tr("INSERT with a SELECT"));
    if (isWord("DEFAULT"))
        fail(cur().start, tr("DEFAULT VALUES"));
    st.valuesPos = pos();
    if (!acceptWord("VALUES") && !acceptWord("VALUE"))
        unexpected();
    expectSymbol("(");
    do {
        st.insertValues << parseOperand();
    } while (acceptSymbol(","));
    expectSymbol(")");
    if (isSymbol(","))
        fail(cur().start, tr("a second row of values"));
    if (isWord("ON") || isWord("RETURNING"))
        fail(cur().start, tr("INSERT ... %1").arg(upperWord(text(cur()))));
}

void StatementReader::parseUpdate(Statement &st)
{
    st.type = QueryType::Update;
    expectWord("UPDATE");
    st.tables << parseTableRef();
    if (isSymbol(",") || isWord("JOIN"))
        fail(cur().start, tr("an UPDATE of more than one table"));
    expectWord("SET");
    do {
        Assignment a;
        a.pos = pos();
        if (isSymbol("("))
            fail(cur().start, tr("a list of fields set at once"));
        a.target << takeName();
        while (acceptSymbol("."))
            a.target << takeName(true);
        expectSymbol("=");
        a.value = parseOperand();
        st.assignments << a;
    } while (acceptSymbol(","));
    if (isWord("FROM"))
        fail(cur().start, tr("UPDATE with FROM"));
    if (acceptWord("WHERE"))
        st.where = parseOr();
    if (isWord("RETURNING") || isWord("ORDER") || isWord("LIMIT"))
        fail(cur().start, tr("UPDATE ... %1").arg(upperWord(text(cur()))));
}

void StatementReader::parseDelete(Statement &st)
{
    st.type = QueryType::Delete;
    expectWord("DELETE");
    // MySQL's form names the table whose rows go before FROM.
    std::optional<NamePart> target;
    int targetPos = 0;
    if (!isWord("FROM")) {
        targetPos = pos();
        target = takeName();
    }
    expectWord("FROM");
    st.tables << parseTableRef();
    if (isSymbol(",") || isWord("JOIN") || isWord("USING"))
        fail(cur().start, tr("a DELETE from more than one table"));
    if (target) {
        const TableRef &t = st.tables.constFirst();
        const QString alias = t.alias ? t.alias->text : t.name.constLast().text;
        if (target->text.compare(alias, Qt::CaseInsensitive) != 0)
            fail(targetPos, tr("a DELETE of another table than the one after FROM"));
    }
    if (acceptWord("WHERE"))
        st.where = parseOr();
    if (isWord("RETURNING") || isWord("ORDER") || isWord("LIMIT"))
        fail(cur().start, tr("DELETE ... %1").arg(upperWord(text(cur()))));
}

} // namespace SqlDesign
