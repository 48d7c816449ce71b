// The statement reader's tokens and statements: SELECT, INSERT, UPDATE and DELETE with their
// clauses. Conditions and operands are read in sqldesignconditions.cpp.

#include "sqldesignreader_p.h"

namespace SqlDesign {

// --- Errors -------------------------------------------------------------------------------

void StatementReader::unexpected() const
{
    m_unexpected = true;
    if (atEnd())
        fail(int(m_sql.size()), QStringLiteral("a statement that ends too early"));
    fail(cur().start, QStringLiteral("\"%1\" here").arg(cur().text.left(40)));
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

void StatementReader::tokenize()
{
    const SqlDialect dialect = m_dialect;
    int state = LexNormal;
    qsizetype lineStart = 0;
    bool space = false;
    while (lineStart <= m_sql.size()) {
        qsizetype end = m_sql.indexOf(u'\n', lineStart);
        if (end < 0)
            end = m_sql.size();
        QList<SqlToken> tokens;
        state = TokenizeSqlLine(QStringView(m_sql).mid(lineStart, end - lineStart), state, dialect, &tokens);
        if (state != LexNormal && state != LexBlockComment) {
            // A design's lists hold one line per text, and an unclosed quote is no statement.
            fail(int(lineStart) + tokens.constLast().start,
                 QStringLiteral("a string or quoted name that is not closed on its line"));
        }
        for (const SqlToken &t : tokens) {
            if (t.kind == SqlTokenKind::Space || t.kind == SqlTokenKind::Comment) {
                space = true;
                continue;
            }
            const int start = int(lineStart) + t.start;
            Tok tok{t.kind, start, t.length, m_sql.mid(start, t.length), QString(), space};
            space = false;
            if (tok.kind == SqlTokenKind::Word)
                tok.upper = tok.text.toUpper();
            // Two-character operators come from the lexer one character at a time.
            if (tok.kind == SqlTokenKind::Symbol && !tok.space && !m_toks.isEmpty()) {
                Tok &prev = m_toks.last();
                const QString pair = prev.text + tok.text;
                if (prev.kind == SqlTokenKind::Symbol && prev.start + prev.length == start
                    && (pair == u"<=" || pair == u">=" || pair == u"<>" || pair == u"!=" || pair == u"||"
                        || pair == u"==")) {
                    prev.text = pair;
                    prev.length = 2;
                    continue;
                }
            }
            m_toks.append(tok);
        }
        space = true;
        lineStart = end + 1;
    }
}

bool StatementReader::isWord(const char *word, int ahead) const
{
    const Tok *t = peek(ahead);
    return t && t->kind == SqlTokenKind::Word && t->upper == QLatin1String(word);
}

bool StatementReader::isSymbol(const char *symbol, int ahead) const
{
    const Tok *t = peek(ahead);
    return t && t->kind == SqlTokenKind::Symbol && t->text == QLatin1String(symbol);
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
    return t->kind == SqlTokenKind::Word && !clauseWords().contains(t->upper);
}

// A name; after a "." any word is one (t.desc), elsewhere a clause word ends the name list.
NamePart StatementReader::takeName(bool anyWord)
{
    if (!isName() && !(anyWord && !atEnd() && cur().kind == SqlTokenKind::Word))
        unexpected();
    const Tok &t = m_toks.at(m_i++);
    refuseLineBreak(t);
    if (t.kind == SqlTokenKind::QuotedName)
        return {UnquotedName(t.text), true};
    return {t.text, false};
}

// The token index of the parenthesis that closes the one at index open, or -1.
int StatementReader::closingParen(int open) const
{
    int depth = 0;
    for (int k = open; k < m_toks.size(); ++k) {
        const Tok &t = m_toks.at(k);
        if (t.kind != SqlTokenKind::Symbol)
            continue;
        if (t.text == u"(")
            ++depth;
        else if (t.text == u")" && --depth == 0)
            return k;
    }
    return -1;
}

void StatementReader::refuseSubquery()
{
    if (isSymbol("(") && (isWord("SELECT", 1) || isWord("WITH", 1) || isWord("VALUES", 1)))
        fail(cur().start, QStringLiteral("a subquery"));
}

// --- Statements ---------------------------------------------------------------------------

Statement StatementReader::parseStatement()
{
    if (atEnd())
        fail(0, QStringLiteral("an empty statement"));
    Statement st;
    m_st = &st;
    if (isWord("SELECT"))
        parseSelect(st);
    else if (isWord("INSERT"))
        parseInsert(st);
    else if (isWord("UPDATE"))
        parseUpdate(st);
    else if (isWord("DELETE"))
        parseDelete(st);
    else if (isWord("WITH"))
        fail(cur().start, QStringLiteral("a WITH clause"));
    else if (isSymbol("("))
        fail(cur().start, QStringLiteral("a statement in parentheses"));
    else
        fail(cur().start, QStringLiteral("a statement that is not SELECT, INSERT, UPDATE or DELETE"));
    while (acceptSymbol(";")) {
    }
    if (!atEnd()) {
        if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
            fail(cur().start, QStringLiteral("a %1").arg(cur().upper));
        if (m_toks.at(m_i - 1).text == u";")
            fail(cur().start, QStringLiteral("a second statement"));
        unexpected();
    }
    return st;
}

void StatementReader::parseSelect(Statement &st)
{
    st.type = QueryType::Select;
    expectWord("SELECT");
    if (acceptWord("DISTINCT")) {
        if (isWord("ON"))
            fail(cur().start, QStringLiteral("DISTINCT ON"));
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
        fail(pos(), atEnd() ? QStringLiteral("a SELECT without FROM") : QStringLiteral("\"%1\" here").arg(cur().text.left(40)));
    ++m_i;
    parseFrom(st);
    if (acceptWord("WHERE"))
        st.where = parseOr();
    if (isWord("GROUP"))
        parseGroupBy(st);
    if (acceptWord("HAVING"))
        st.having = parseOr();
    if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
        fail(cur().start, QStringLiteral("a %1").arg(cur().upper));
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
        const Expr e = parseOperand();
        if (e.kind != Expr::Field)
            fail(e.pos, QStringLiteral("a GROUP BY item that is not a field"));
        st.groupBy << e;
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
            fail(cur().start, QStringLiteral("NULLS FIRST or LAST"));
        if (isWord("COLLATE"))
            fail(cur().start, QStringLiteral("a COLLATE in ORDER BY"));
        st.orderBy << item;
    } while (acceptSymbol(","));
}

void StatementReader::parseLimit(Statement &st)
{
    if (isWord("LIMIT")) {
        if (st.limit)
            fail(cur().start, QStringLiteral("a second row limit"));
        ++m_i;
        st.limit = parseLimitNumber();
        if (isSymbol(","))
            fail(cur().start, QStringLiteral("an OFFSET"));
    }
    if (isWord("OFFSET"))
        fail(cur().start, QStringLiteral("an OFFSET"));
    if (isWord("FETCH")) {
        if (st.limit)
            fail(cur().start, QStringLiteral("a second row limit"));
        ++m_i;
        if (!acceptWord("FIRST"))
            expectWord("NEXT");
        st.limit = parseLimitNumber();
        if (!acceptWord("ROWS"))
            expectWord("ROW");
        expectWord("ONLY");
    }
    if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
        fail(cur().start, QStringLiteral("a %1").arg(cur().upper));
}

int StatementReader::parseLimitNumber()
{
    if (atEnd() || cur().kind != SqlTokenKind::Number)
        fail(pos(), QStringLiteral("a row limit that is not a number"));
    bool ok = false;
    const int n = cur().text.toInt(&ok);
    if (!ok || n <= 0)
        fail(cur().start, QStringLiteral("the row limit %1").arg(cur().text.left(40)));
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
    if (item.expr.kind == Expr::Other) {
        if (item.expr.functionPos >= 0)
            fail(item.expr.functionPos, QStringLiteral("a function call in the column list"));
        fail(item.expr.pos, QStringLiteral("an expression in the column list"));
    }
    if (acceptWord("AS"))
        item.alias = takeName();
    else if (isName())
        item.alias = takeName();
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
        } else if (isWord("NATURAL") || isWord("USING")) {
            fail(cur().start, QStringLiteral("a NATURAL join"));
        } else if (isWord("JOIN") || isWord("INNER") || isWord("CROSS") || isWord("LEFT") || isWord("RIGHT")
                   || isWord("FULL")) {
            const QString word = cur().upper;
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
        st.tables << parseTableRef();
        if (isWord("USING"))
            fail(cur().start, QStringLiteral("a join with USING"));
        if (join.kind != JoinKind::Comma) {
            if (acceptWord("ON"))
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
    refuseSubquery();
    if (isSymbol("("))
        fail(cur().start, QStringLiteral("joins in parentheses"));
    TableRef ref;
    ref.pos = pos();
    ref.name << takeName();
    while (acceptSymbol("."))
        ref.name << takeName(true);
    if (isSymbol("(") && !insertTarget)
        fail(cur().start, QStringLiteral("a table function"));
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
        fail(cur().start, QStringLiteral("INSERT %1").arg(cur().upper));
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
        fail(cur().start, QStringLiteral("INSERT with a SELECT"));
    if (isWord("DEFAULT"))
        fail(cur().start, QStringLiteral("DEFAULT VALUES"));
    st.valuesPos = pos();
    if (!acceptWord("VALUES") && !acceptWord("VALUE"))
        unexpected();
    expectSymbol("(");
    do {
        st.insertValues << parseOperand();
    } while (acceptSymbol(","));
    expectSymbol(")");
    if (isSymbol(","))
        fail(cur().start, QStringLiteral("a second row of values"));
    if (isWord("ON") || isWord("RETURNING"))
        fail(cur().start, QStringLiteral("INSERT ... %1").arg(cur().upper));
}

void StatementReader::parseUpdate(Statement &st)
{
    st.type = QueryType::Update;
    expectWord("UPDATE");
    st.tables << parseTableRef();
    if (isSymbol(",") || isWord("JOIN"))
        fail(cur().start, QStringLiteral("an UPDATE of more than one table"));
    expectWord("SET");
    do {
        Assignment a;
        a.pos = pos();
        if (isSymbol("("))
            fail(cur().start, QStringLiteral("a list of fields set at once"));
        a.target << takeName();
        while (acceptSymbol("."))
            a.target << takeName(true);
        expectSymbol("=");
        a.value = parseOperand();
        st.assignments << a;
    } while (acceptSymbol(","));
    if (isWord("FROM"))
        fail(cur().start, QStringLiteral("UPDATE with FROM"));
    if (acceptWord("WHERE"))
        st.where = parseOr();
    if (isWord("RETURNING") || isWord("ORDER") || isWord("LIMIT"))
        fail(cur().start, QStringLiteral("UPDATE ... %1").arg(cur().upper));
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
        fail(cur().start, QStringLiteral("a DELETE from more than one table"));
    if (target) {
        const TableRef &t = st.tables.constFirst();
        const QString alias = t.alias ? t.alias->text : t.name.constLast().text;
        if (target->text.compare(alias, Qt::CaseInsensitive) != 0)
            fail(targetPos, QStringLiteral("a DELETE of another table than the one after FROM"));
    }
    if (acceptWord("WHERE"))
        st.where = parseOr();
    if (isWord("RETURNING") || isWord("ORDER") || isWord("LIMIT"))
        fail(cur().start, QStringLiteral("DELETE ... %1").arg(cur().upper));
}

} // namespace SqlDesign
