#include "sqldesignparser.h"

#include "designfromdefinition.h"
#include "designwords.h"
#include "naming.h"
#include "querymodel.h"
#include "selectforms.h"
#include "sqlbuilders.h"
#include "sqllexer.h"
#include "vdqerror.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>

namespace {

// Where a table goes when a double click places it: the k-th at left 50 + 145 k, top 40.
constexpr int PlacementLeft = 50;
constexpr int PlacementStep = 145;
constexpr int PlacementTop = 40;
constexpr int WindowWidth = 121;
constexpr int WindowHeight = 180;
// A link's line starts 20 pixels below the upper window's top and is never thinner than this.
constexpr int LinkMinimumExtent = 3;

struct Tok
{
    SqlTokenKind kind;
    int start;
    int length;
    QString text;
    QString upper;  // words only
    bool space;     // white space or a comment before it
};

struct NamePart
{
    QString text;  // without quotes
    bool quoted = false;
};

// A piece of an expression's text: either as written, or a name that is looked up when the
// tables are known.
struct Piece
{
    QString text;             // as written
    QList<NamePart> ref;      // a name: its parts
    int pos = 0;
    bool space = false;
    bool isRef = false;
    bool afterCast = false;  // a type name after "::", never a field
};

struct Expr
{
    enum Kind { Other, Field, Aggregate, Star, TableStar } kind = Other;
    QList<Piece> pieces;
    QList<NamePart> ref;  // Field, the argument of an Aggregate, the qualifier of TableStar
    int refPos = 0;
    QString function;     // Aggregate: COUNT, SUM, AVG, MIN, MAX
    int pos = 0;
    int functionPos = -1;  // the first function call in it
};

struct Predicate
{
    Expr left;
    QString comparison;     // as the Condition column holds it
    QString writtenOperator;  // the operator as written, upper case ("=", "LIKE", ...)
    QList<Piece> value;
    std::optional<Expr> rightField;  // the right side when it is one field
    int pos = 0;
};

struct BoolNode
{
    enum Kind { Pred, And, Or } kind = Pred;
    int pred = -1;
    QList<BoolNode> kids;
    QList<int> opPositions;  // before kids 1..n-1
    int pos = 0;
    int parenPos = -1;
};

struct TableRef
{
    QList<NamePart> name;
    int pos = 0;
    std::optional<NamePart> alias;
};

enum class JoinKind { Comma, Inner, Left, Right, Full };

struct Join
{
    JoinKind kind = JoinKind::Comma;
    std::optional<BoolNode> on;
    int pos = 0;
};

struct SelectItem
{
    Expr expr;
    std::optional<NamePart> alias;
};

struct SortItem
{
    Expr expr;
    bool ascending = true;
};

struct Assignment
{
    QList<NamePart> target;
    int pos = 0;
    Expr value;
};

struct Statement
{
    QueryType type = QueryType::Select;
    bool distinct = false;
    int limit = 0;
    QList<SelectItem> columns;
    QList<TableRef> tables;
    QList<Join> joins;  // joins[k] brings in tables[k + 1]
    std::optional<BoolNode> where;
    QList<Expr> groupBy;
    int groupByPos = -1;
    std::optional<BoolNode> having;
    QList<SortItem> orderBy;
    QList<NamePart> insertColumns;
    QList<int> insertColumnPositions;
    QList<Expr> insertValues;
    int valuesPos = 0;
    QList<Assignment> assignments;
    QList<Predicate> preds;
};

const QSet<QString> &clauseWords()
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

// The functions a total is written with: COUNT, SUM, AVG, MIN, MAX.
TotalKind aggregateKind(const QString &function)
{
    const TotalKind kind = TotalKindFromName(function);
    return kind == TotalKind::Group ? TotalKind::None : kind;
}

// The Condition column for a comparison: the comparison dialog's stored text where it has
// one. A drawn join's row holds the bare "=".
QString comparisonCaption(const QString &written, bool join)
{
    if (join)
        return NewRowComparison;
    for (const QLatin1String stored : StoredComparisons) {
        const qsizetype cut = stored.indexOf(QLatin1String(" ("));
        if ((cut < 0 ? stored.trimmed() : stored.left(cut)) == written)
            return stored;
    }
    return written;
}

QString joinTypeText(JoinType type)
{
    // An inner link is the classic one, stored without the key.
    return type == JoinType::Inner ? QString() : JoinTypeName(type);
}

QString writtenName(const QList<NamePart> &parts)
{
    QStringList texts;
    for (const NamePart &p : parts)
        texts << p.text;
    return texts.join(u'.');
}

// The refusal of a part of the statement, named with the line and column of its offset.
[[noreturn]] void failAt(const QString &sql, int offset, const QString &what)
{
    int line = 1;
    int lineStart = 0;
    for (int k = 0; k < offset && k < sql.size(); ++k) {
        if (sql.at(k) == u'\n') {
            ++line;
            lineStart = k + 1;
        }
    }
    throw VdqError(QStringLiteral("The design cannot show %1 (line %2, column %3).")
                       .arg(what).arg(line).arg(offset - lineStart + 1));
}

class Reader
{
public:
    Reader(const QString &sql, const SqlDesignSource &source) : m_sql(sql), m_source(source) {}

    QueryDefinition read()
    {
        tokenize();
        Statement st = parseStatement();
        return design(st);
    }

private:
    // --- Errors -------------------------------------------------------------------------

    [[noreturn]] void fail(int offset, const QString &what) const { failAt(m_sql, offset, what); }

    [[noreturn]] void unexpected() const
    {
        m_unexpected = true;
        if (atEnd())
            fail(int(m_sql.size()), QStringLiteral("a statement that ends too early"));
        fail(cur().start, QStringLiteral("\"%1\" here").arg(cur().text.left(40)));
    }

    // --- Tokens -------------------------------------------------------------------------

    void tokenize()
    {
        const SqlDialect dialect = m_source.style.dialect;
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

    bool atEnd() const { return m_i >= m_toks.size(); }
    const Tok &cur() const { return m_toks.at(m_i); }
    const Tok *peek(int ahead = 0) const
    {
        return m_i + ahead < m_toks.size() ? &m_toks.at(m_i + ahead) : nullptr;
    }
    int pos() const { return atEnd() ? int(m_sql.size()) : cur().start; }
    bool isWord(const char *word, int ahead = 0) const
    {
        const Tok *t = peek(ahead);
        return t && t->kind == SqlTokenKind::Word && t->upper == QLatin1String(word);
    }
    bool isSymbol(const char *symbol, int ahead = 0) const
    {
        const Tok *t = peek(ahead);
        return t && t->kind == SqlTokenKind::Symbol && t->text == QLatin1String(symbol);
    }
    bool acceptWord(const char *word)
    {
        if (!isWord(word))
            return false;
        ++m_i;
        return true;
    }
    bool acceptSymbol(const char *symbol)
    {
        if (!isSymbol(symbol))
            return false;
        ++m_i;
        return true;
    }
    void expectWord(const char *word)
    {
        if (!acceptWord(word))
            unexpected();
    }
    void expectSymbol(const char *symbol)
    {
        if (!acceptSymbol(symbol))
            unexpected();
    }
    bool isName(int ahead = 0) const
    {
        const Tok *t = peek(ahead);
        if (!t)
            return false;
        if (t->kind == SqlTokenKind::QuotedName)
            return true;
        return t->kind == SqlTokenKind::Word && !clauseWords().contains(t->upper);
    }
    // A name; after a "." any word is one (t.desc), elsewhere a clause word ends the name list.
    NamePart takeName(bool anyWord = false)
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
    int closingParen(int open) const
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
    void refuseSubquery()
    {
        if (isSymbol("(") && (isWord("SELECT", 1) || isWord("WITH", 1) || isWord("VALUES", 1)))
            fail(cur().start, QStringLiteral("a subquery"));
    }

    // --- Statements ---------------------------------------------------------------------

    Statement parseStatement()
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

    void parseSelect(Statement &st)
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
        if (isWord("GROUP")) {
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
        if (acceptWord("HAVING"))
            st.having = parseOr();
        if (isWord("UNION") || isWord("INTERSECT") || isWord("EXCEPT"))
            fail(cur().start, QStringLiteral("a %1").arg(cur().upper));
        if (acceptWord("ORDER")) {
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
        parseLimit(st);
    }

    void parseLimit(Statement &st)
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

    int parseLimitNumber()
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

    SelectItem parseSelectItem()
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

    void parseFrom(Statement &st)
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

    TableRef parseTableRef(bool insertTarget = false)
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

    void parseInsert(Statement &st)
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

    void parseUpdate(Statement &st)
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

    void parseDelete(Statement &st)
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

    // --- Conditions ---------------------------------------------------------------------

    // Conditions joined by OR, each of them conditions joined by AND (AND binds closer).
    BoolNode parseOr() { return parseChain(BoolNode::Or); }

    BoolNode parseChain(BoolNode::Kind kind)
    {
        const char *word = kind == BoolNode::Or ? "OR" : "AND";
        auto operand = [&] { return kind == BoolNode::Or ? parseChain(BoolNode::And) : parseBoolPrimary(); };
        BoolNode node;
        node.kind = kind;
        node.pos = pos();
        node.kids << operand();
        while (isWord(word)) {
            node.opPositions << cur().start;
            ++m_i;
            node.kids << operand();
        }
        return node.kids.size() == 1 ? node.kids.constFirst() : node;
    }

    static bool continuesOperand(const Tok &t)
    {
        static const QSet<QString> symbols = {"=", "==", "<>", "!=", "<", "<=", ">", ">=", "+", "-", "*",
                                              "/", "%", "||", "::", "&", "|"};
        static const QSet<QString> words = {"IS", "LIKE", "ILIKE", "GLOB", "NOT", "BETWEEN", "IN", "COLLATE"};
        if (t.kind == SqlTokenKind::Symbol)
            return symbols.contains(t.text);
        return t.kind == SqlTokenKind::Word && words.contains(t.upper);
    }

    BoolNode parseBoolPrimary()
    {
        if (isWord("NOT"))
            fail(cur().start, QStringLiteral("a NOT before a condition"));
        if (isWord("EXISTS"))
            fail(cur().start, QStringLiteral("a subquery"));
        refuseSubquery();
        if (isSymbol("(")) {
            const int close = closingParen(m_i);
            const bool group = close < 0 || close + 1 >= m_toks.size() || !continuesOperand(m_toks.at(close + 1));
            if (group) {
                const int open = cur().start;
                ++m_i;
                BoolNode inner = parseOr();
                expectSymbol(")");
                inner.parenPos = open;
                return inner;
            }
        }
        BoolNode node;
        node.kind = BoolNode::Pred;
        node.pos = pos();
        node.pred = int(m_st->preds.size());
        m_st->preds << parsePredicate();
        return node;
    }

    Predicate parsePredicate()
    {
        Predicate p;
        p.pos = pos();
        p.left = parseOperand();
        if (atEnd())
            fail(p.pos, QStringLiteral("a condition without a comparison"));
        const Tok &t = cur();
        static const QSet<QString> comparisons = {"=", "==", "<>", "!=", "<", "<=", ">", ">="};
        if (t.kind == SqlTokenKind::Symbol && comparisons.contains(t.text)) {
            p.writtenOperator = t.text;
            ++m_i;
            if (isWord("ANY") || isWord("ALL") || isWord("SOME"))
                fail(cur().start, QStringLiteral("a subquery"));
            p.comparison = p.writtenOperator;
            const int valueStart = m_i;
            try {
                const Expr right = parseOperand();
                p.value = right.pieces;
                if (right.kind == Expr::Field)
                    p.rightField = right;
            } catch (const VdqError &) {
                if (!m_unexpected)
                    throw;
                // A value column holds any text: what is no expression is kept as written,
                // up to the next AND or OR outside parentheses.
                m_i = valueStart;
                m_unexpected = false;
                p.value = rawValue();
            }
            return p;
        }
        if (acceptWord("IS")) {
            const bool negated = acceptWord("NOT");
            if (!isWord("NULL"))
                unexpected();
            ++m_i;
            p.writtenOperator = p.comparison = negated ? QStringLiteral("IS NOT NULL") : QStringLiteral("IS NULL");
            return p;
        }
        QString op;  // "NOT " as written, or empty
        const int opStart = pos();
        if (isWord("NOT")) {
            op = cur().text + u' ';
            ++m_i;
        }
        if (isWord("LIKE") || isWord("ILIKE") || isWord("GLOB") || isWord("REGEXP")) {
            // A lower-case "like" is the comparison dialog's own; any other spelling stays as written.
            const QString word = cur().text;
            ++m_i;
            p.writtenOperator = op.toUpper() + word.toUpper();
            p.comparison = op + word;
            p.value = parseOperand().pieces;
            if (isWord("ESCAPE")) {
                addPiece(p.value);
                p.value << parseOperand().pieces;
            }
            return p;
        }
        if (isWord("BETWEEN")) {
            const QString word = cur().text;
            ++m_i;
            p.writtenOperator = op.toUpper() + QStringLiteral("BETWEEN");
            p.comparison = op + word;
            p.value = parseOperand().pieces;
            if (!isWord("AND"))
                unexpected();
            addPiece(p.value);
            p.value << parseOperand().pieces;
            return p;
        }
        if (isWord("IN")) {
            const QString word = cur().text;
            ++m_i;
            p.writtenOperator = op.toUpper() + QStringLiteral("IN");
            p.comparison = op + word;
            refuseSubquery();
            if (!isSymbol("("))
                unexpected();
            addPiece(p.value);
            for (;;) {
                p.value << parseOperand().pieces;
                if (!isSymbol(","))
                    break;
                addPiece(p.value);
            }
            if (!isSymbol(")"))
                unexpected();
            addPiece(p.value);
            return p;
        }
        fail(opStart, atEnd() ? QStringLiteral("a condition without a comparison")
                              : QStringLiteral("a condition without a comparison, at \"%1\"").arg(cur().text.left(40)));
    }

    QList<Piece> rawValue()
    {
        static const QSet<QString> stops = {"AND", "OR", "ORDER", "GROUP", "HAVING", "LIMIT", "FETCH", "UNION",
                                            "INTERSECT", "EXCEPT", "WHERE", "JOIN", "INNER", "LEFT", "RIGHT",
                                            "FULL", "CROSS", "OFFSET"};
        QList<Piece> pieces;
        QList<int> open;  // where each unclosed "(" stands
        while (!atEnd()) {
            const Tok &t = cur();
            if (t.kind == SqlTokenKind::Word && open.isEmpty() && stops.contains(t.upper))
                break;
            if (t.kind == SqlTokenKind::Symbol) {
                if (t.text == u";" || (t.text == u")" && open.isEmpty()))
                    break;
                refuseSubquery();
                if (t.text == u"(")
                    open.append(t.start);
                else if (t.text == u")")
                    open.removeLast();
            }
            addPiece(pieces);
        }
        // An unclosed "(" would take the clauses after it into the value when its
        // statement is read again.
        if (!open.isEmpty())
            fail(open.first(), QStringLiteral("a value with an unclosed parenthesis"));
        if (pieces.isEmpty())
            unexpected();
        return pieces;
    }

    // --- Operands -----------------------------------------------------------------------

    Expr parseOperand()
    {
        Expr e;
        e.pos = pos();
        parseUnary(e);
        while (!atEnd() && cur().kind == SqlTokenKind::Symbol) {
            static const QSet<QString> ops = {"+", "-", "*", "/", "%", "||", "&", "|"};
            if (!ops.contains(cur().text))
                break;
            addToken(e);
            parseUnary(e);
        }
        classify(e);
        return e;
    }

    // A list row is one line: a carriage return inside a name or string cannot be shown.
    void refuseLineBreak(const Tok &t) const
    {
        if (t.text.contains(u'\r') || t.text.contains(u'\n'))
            fail(t.start, QStringLiteral("a line break inside a name or value"));
    }
    void addPiece(QList<Piece> &pieces)
    {
        const Tok &t = cur();
        refuseLineBreak(t);
        pieces << Piece{t.text, {}, t.start, t.space};
        ++m_i;
    }
    void addToken(Expr &e) { addPiece(e.pieces); }

    void parseUnary(Expr &e)
    {
        while (isSymbol("-") || isSymbol("+") || isSymbol("~"))
            addToken(e);
        parseAtom(e);
        while (isSymbol("::")) {
            addToken(e);
            if (atEnd() || cur().kind != SqlTokenKind::Word)
                unexpected();
            Piece type{cur().text, {}, cur().start, cur().space};
            type.afterCast = true;
            e.pieces << type;
            ++m_i;
            if (isSymbol("("))
                copyParenthesised(e);
        }
    }

    // Copies "( ... )" with its contents as written (a type's length, for example).
    void copyParenthesised(Expr &e)
    {
        const int close = closingParen(m_i);
        if (close < 0)
            unexpected();
        while (m_i <= close) {
            if (cur().kind == SqlTokenKind::Word && cur().upper == u"SELECT")
                fail(cur().start, QStringLiteral("a subquery"));
            addToken(e);
        }
    }

    void parseAtom(Expr &e)
    {
        if (atEnd())
            unexpected();
        const Tok &t = cur();
        switch (t.kind) {
        case SqlTokenKind::Number:
        case SqlTokenKind::String:
        case SqlTokenKind::Parameter:
            addToken(e);
            return;
        case SqlTokenKind::Symbol:
            if (t.text == u"(") {
                refuseSubquery();
                addToken(e);
                for (;;) {
                    const Expr inner = parseOperand();
                    e.pieces << inner.pieces;
                    if (e.functionPos < 0)
                        e.functionPos = inner.functionPos;
                    if (!isSymbol(","))
                        break;
                    addToken(e);
                }
                if (!isSymbol(")"))
                    unexpected();
                addToken(e);
                return;
            }
            unexpected();
        case SqlTokenKind::QuotedName:
        case SqlTokenKind::Word:
            break;
        default:
            unexpected();
        }
        if (t.kind == SqlTokenKind::Word) {
            if (t.upper == u"CASE")
                fail(t.start, QStringLiteral("a CASE expression"));
            if (t.upper == u"EXISTS")
                fail(t.start, QStringLiteral("a subquery"));
            if (t.upper == u"SELECT")
                fail(t.start, QStringLiteral("a subquery"));
            if (t.upper == u"NULL" || t.upper == u"TRUE" || t.upper == u"FALSE" || t.upper == u"DEFAULT") {
                addToken(e);
                return;
            }
            // A typed literal: DATE '2003-01-01', E'...', X'00'.
            const Tok *next = peek(1);
            if (next && next->kind == SqlTokenKind::String) {
                addToken(e);
                addToken(e);
                return;
            }
            if (isSymbol("(", 1)) {
                parseCall(e);
                return;
            }
            if (clauseWords().contains(t.upper))
                unexpected();
        }
        Piece name;
        name.isRef = true;
        name.pos = t.start;
        name.space = t.space;
        name.text = t.text;
        name.ref << takeName();
        while (isSymbol(".") && (isName(1) || (peek(1) && peek(1)->kind == SqlTokenKind::Word))) {
            name.text += cur().text;
            ++m_i;
            name.text += cur().text;
            name.ref << takeName(true);
        }
        e.pieces << name;
    }

    void parseCall(Expr &e)
    {
        const Tok &nameTok = cur();
        if (e.functionPos < 0)
            e.functionPos = nameTok.start;
        addToken(e);
        if (nameTok.upper == u"CAST") {
            addToken(e);  // (
            Expr inner = parseOperand();
            e.pieces << inner.pieces;
            if (!isWord("AS"))
                unexpected();
            addToken(e);
            if (atEnd() || cur().kind != SqlTokenKind::Word)
                unexpected();
            while (!atEnd() && cur().kind == SqlTokenKind::Word) {
                Piece type{cur().text, {}, cur().start, cur().space};
                type.afterCast = true;
                e.pieces << type;
                ++m_i;
            }
            if (isSymbol("("))
                copyParenthesised(e);
            if (!isSymbol(")"))
                unexpected();
            addToken(e);
            return;
        }
        addToken(e);  // (
        refuseSubquery();
        if (isSymbol(")")) {
            addToken(e);
            return;
        }
        if (isSymbol("*")) {
            addToken(e);
        } else {
            if (isWord("DISTINCT") || isWord("ALL"))
                addToken(e);
            for (;;) {
                e.pieces << parseOperand().pieces;
                if (!isSymbol(","))
                    break;
                addToken(e);
            }
        }
        if (!isSymbol(")"))
            unexpected();
        addToken(e);
        if (isWord("OVER") || isWord("FILTER") || isWord("WITHIN"))
            fail(cur().start, QStringLiteral("a window function"));
    }

    // A lone name is a field; an aggregate of a lone field is a total.
    static void classify(Expr &e)
    {
        if (e.pieces.size() == 1 && e.pieces.constFirst().isRef) {
            e.kind = Expr::Field;
            e.ref = e.pieces.constFirst().ref;
            e.refPos = e.pieces.constFirst().pos;
            return;
        }
        if (e.pieces.size() == 4 && e.pieces.at(2).isRef && e.pieces.at(1).text == u"("
            && e.pieces.at(3).text == u")" && aggregateKind(e.pieces.at(0).text) != TotalKind::None) {
            e.kind = Expr::Aggregate;
            e.function = e.pieces.at(0).text.toUpper();
            e.ref = e.pieces.at(2).ref;
            e.refPos = e.pieces.at(2).pos;
        }
    }

    // --- From the parsed statement to the design ----------------------------------------

    struct Table
    {
        QString caption;
        QStringList fields;
        const TableRef *ref = nullptr;
    };

    struct FieldAt
    {
        int table = -1;
        int field = -1;
    };

    QString resolveTableName(const TableRef &ref)
    {
        const QString written = writtenName(ref.name);
        if (!m_source.tableNames)
            return written;
        if (!m_tableNamesRead) {
            m_tableNames = m_source.tableNames();
            m_tableNamesRead = true;
        }
        bool anyBare = false;
        for (const NamePart &p : ref.name)
            anyBare = anyBare || !p.quoted;
        const QString last = ref.name.constLast().text;
        const bool lastBare = !ref.name.constLast().quoted;
        // The name as written, then in another letter case where it was written bare, then
        // without its schema: a name on the search path is listed bare.
        for (const QString &name : m_tableNames) {
            if (name == written)
                return name;
        }
        if (anyBare) {
            for (const QString &name : m_tableNames) {
                if (name.compare(written, Qt::CaseInsensitive) == 0)
                    return name;
            }
        }
        if (ref.name.size() > 1) {
            for (const QString &name : m_tableNames) {
                if (name == last || (lastBare && name.compare(last, Qt::CaseInsensitive) == 0))
                    return name;
            }
        }
        fail(ref.pos, QStringLiteral("the unknown table %1").arg(written.left(80)));
    }

    void resolveTables(const Statement &st)
    {
        for (const TableRef &ref : st.tables) {
            Table t;
            t.caption = resolveTableName(ref);
            for (const Table &other : m_tables) {
                if (other.caption == t.caption)
                    fail(ref.pos, QStringLiteral("the table %1 a second time").arg(t.caption.left(80)));
            }
            try {
                t.fields = m_source.tableFields(t.caption);
            } catch (const VdqError &) {
                fail(ref.pos, QStringLiteral("the unknown table %1").arg(t.caption.left(80)));
            }
            t.ref = &ref;
            m_tables << t;
        }
    }

    static bool nameMatches(const NamePart &part, const QString &name)
    {
        return part.text == name || (!part.quoted && part.text.compare(name, Qt::CaseInsensitive) == 0);
    }

    int fieldIndex(const Table &t, const NamePart &part) const
    {
        const int exact = int(t.fields.indexOf(part.text));
        if (exact >= 0 || part.quoted)
            return exact;
        for (int f = 0; f < t.fields.size(); ++f) {
            if (t.fields.at(f).compare(part.text, Qt::CaseInsensitive) == 0)
                return f;
        }
        return -1;
    }

    // The table a qualifier names: its own alias, else its name as written or listed.
    int tableOfQualifier(const QList<NamePart> &qualifier) const
    {
        if (qualifier.size() == 1) {
            for (int k = 0; k < m_tables.size(); ++k) {
                const std::optional<NamePart> &alias = m_tables.at(k).ref->alias;
                if (alias && (alias->text == qualifier.constFirst().text
                              || (!alias->quoted && !qualifier.constFirst().quoted
                                  && alias->text.compare(qualifier.constFirst().text, Qt::CaseInsensitive) == 0)))
                    return k;
            }
        }
        const QString written = writtenName(qualifier);
        for (int k = 0; k < m_tables.size(); ++k) {
            const Table &t = m_tables.at(k);
            if (t.ref->alias)
                continue;
            const QString asWritten = writtenName(t.ref->name);
            if (written == asWritten || written == t.caption
                || (qualifier.size() == 1 && written == t.ref->name.constLast().text))
                return k;
            bool bare = true;
            for (const NamePart &p : qualifier)
                bare = bare && !p.quoted;
            if (bare && (written.compare(asWritten, Qt::CaseInsensitive) == 0
                         || written.compare(t.caption, Qt::CaseInsensitive) == 0))
                return k;
        }
        // The design's own alias of a table, which its statements qualify fields with.
        if (qualifier.size() == 1) {
            for (int k = 0; k < m_tables.size(); ++k) {
                if (TableAlias(m_tables.at(k).caption) == qualifier.constFirst().text)
                    return k;
            }
        }
        return -1;
    }

    FieldAt resolveField(const QList<NamePart> &ref, int pos) const
    {
        FieldAt at;
        if (ref.size() == 1) {
            for (int k = 0; k < m_tables.size(); ++k) {
                const int f = fieldIndex(m_tables.at(k), ref.constFirst());
                if (f < 0)
                    continue;
                if (at.table >= 0)
                    fail(pos, QStringLiteral("the field %1, which more than one table has").arg(ref.constFirst().text.left(80)));
                at = {k, f};
            }
            if (at.table < 0)
                fail(pos, QStringLiteral("the unknown field %1").arg(ref.constFirst().text.left(80)));
            return at;
        }
        const int table = tableOfQualifier(ref.mid(0, ref.size() - 1));
        if (table < 0)
            fail(pos, QStringLiteral("the unknown table or alias %1").arg(writtenName(ref.mid(0, ref.size() - 1)).left(80)));
        const int f = fieldIndex(m_tables.at(table), ref.constLast());
        if (f < 0)
            fail(pos, QStringLiteral("the unknown field %1").arg(writtenName(ref).left(80)));
        return {table, f};
    }

    // The field a name stands for; table -1 where it names none or more than one.
    FieldAt tryResolve(const QList<NamePart> &ref) const
    {
        if (ref.size() > 1)
            return knownReference(ref) ? resolveField(ref, 0) : FieldAt();
        int matches = 0;
        for (const Table &t : m_tables)
            matches += fieldIndex(t, ref.constFirst()) >= 0 ? 1 : 0;
        return matches == 1 ? resolveField(ref, 0) : FieldAt();
    }

    QString reference(const FieldAt &at) const
    {
        const Table &t = m_tables.at(at.table);
        return FieldReference(t.caption, t.fields.at(at.field), m_source.style);
    }

    // A field reference as the design writes it; one already qualified by the design's own
    // alias of its table stays as written, so that a statement the design wrote reads back
    // to the same text.
    QString referenceText(const QList<NamePart> &ref, const QString &written, int pos) const
    {
        const FieldAt at = resolveField(ref, pos);
        if (ref.size() == 2 && ref.constFirst().text == TableAlias(m_tables.at(at.table).caption)
            && !ref.constFirst().quoted)
            return written;
        return reference(at);
    }

    // The text of an expression: names that are fields are written as the design writes
    // them when qualified, and stay as written when bare (a bare name reads the same in
    // the design's statement); words that name no field are the language's own.
    QString render(const QList<Piece> &pieces) const
    {
        QString out;
        for (const Piece &p : pieces) {
            if (p.space && !out.isEmpty())
                out += u' ';
            if (!p.isRef || p.afterCast) {
                out += p.text;
                continue;
            }
            if (p.ref.size() == 1) {
                bool found = false;
                for (const Table &t : m_tables)
                    found = found || fieldIndex(t, p.ref.constFirst()) >= 0;
                if (found)
                    resolveField(p.ref, p.pos);  // refuses a name more than one table has
                out += p.text;
                continue;
            }
            out += knownReference(p.ref) ? referenceText(p.ref, p.text, p.pos) : p.text;
        }
        return out;
    }

    // True when a qualified name names a field of one of the tables.
    bool knownReference(const QList<NamePart> &ref) const
    {
        const int table = tableOfQualifier(ref.mid(0, ref.size() - 1));
        return table >= 0 && fieldIndex(m_tables.at(table), ref.constLast()) >= 0;
    }

    // A condition's or sort row's field: a field reference as the design writes it. A name
    // no table has stays as written (the lists hold any text; the engine judges it when the
    // statement runs).
    QString fieldNameText(const Expr &e) const
    {
        const QString written = e.pieces.value(e.kind == Expr::Aggregate ? 2 : 0).text;
        if (e.ref.size() > 1 && !knownReference(e.ref))
            return e.kind == Expr::Aggregate ? e.function + u'(' + written + u')' : written;
        QString ref = e.ref.size() == 1 ? reference(resolveField(e.ref, e.refPos))
                                        : referenceText(e.ref, written, e.refPos);
        if (e.kind == Expr::Aggregate)
            return e.function + u'(' + ref + u')';
        return ref;
    }

    void checkFlattenable(const BoolNode &node) const
    {
        for (const BoolNode &kid : node.kids) {
            if (node.kind == BoolNode::And && kid.kind == BoolNode::Or)
                fail(kid.parenPos >= 0 ? kid.parenPos : kid.pos,
                     QStringLiteral("conditions grouped by parentheses"));
            checkFlattenable(kid);
        }
    }

    static void flatten(const BoolNode &node, QList<int> &preds, QList<QPair<QString, int>> &ops)
    {
        if (node.kind == BoolNode::Pred) {
            preds << node.pred;
            return;
        }
        for (int k = 0; k < node.kids.size(); ++k) {
            if (k > 0)
                ops << qMakePair(QString(node.kind == BoolNode::And ? AndWord : OrWord),
                                 node.opPositions.at(k - 1));
            flatten(node.kids.at(k), preds, ops);
        }
    }

    struct Flat
    {
        QList<int> preds;
        QList<QPair<QString, int>> ops;
    };

    Flat flat(const BoolNode &node) const
    {
        checkFlattenable(node);
        Flat f;
        flatten(node, f.preds, f.ops);
        return f;
    }

    QueryDefinition design(const Statement &st)
    {
        resolveTables(st);
        QueryDefinition def;
        def.type = int(st.type);
        def.distinct = st.distinct;
        def.limit = st.limit;

        QList<QList<bool>> ticks;
        QList<QList<TotalKind>> totals;
        for (const Table &t : m_tables) {
            // INSERT, UPDATE and DELETE tables come up as a double click places them.
            ticks << QList<bool>(t.fields.size(), st.type != QueryType::Select);
            totals << QList<TotalKind>(t.fields.size(), TotalKind::None);
        }
        bool anyTotal = !st.groupBy.isEmpty();
        QHash<QString, Expr> columnAliases;
        if (st.type == QueryType::Select)
            selectColumns(st, ticks, totals, anyTotal, columnAliases);
        if (anyTotal)
            checkGroups(st, ticks, totals);

        StoredList &conditions = def.conditions;
        bool innerJoinRows = false;
        for (int j = 0; j < st.joins.size(); ++j) {
            const Join &join = st.joins.at(j);
            if (!join.on)
                continue;
            const Flat f = flat(*join.on);
            for (const auto &op : f.ops) {
                if (op.first != AndWord)
                    fail(op.second, QStringLiteral("a join condition that is not an equality of two fields"));
            }
            for (int idx : f.preds) {
                const Predicate &p = st.preds.at(idx);
                if (p.writtenOperator != u"=" || p.left.kind != Expr::Field || !p.rightField)
                    fail(p.pos, QStringLiteral("a join condition that is not an equality of two fields"));
                const FieldAt a = resolveField(p.left.ref, p.left.refPos);
                const FieldAt b = resolveField(p.rightField->ref, p.rightField->refPos);
                if (a.table == b.table)
                    fail(p.pos, QStringLiteral("a join condition that is not an equality of two fields"));
                const int joined = j + 1;
                if (a.table != joined && b.table != joined)
                    fail(p.pos, QStringLiteral("a join condition that does not name the table it joins"));
                // LEFT keeps every row of the link's first table, RIGHT of its second.
                JoinType type = JoinType::Inner;
                if (join.kind == JoinKind::Left)
                    type = a.table == joined ? JoinType::Right : JoinType::Left;
                else if (join.kind == JoinKind::Right)
                    type = a.table == joined ? JoinType::Left : JoinType::Right;
                else if (join.kind == JoinKind::Full)
                    type = JoinType::Full;
                innerJoinRows = innerJoinRows || type == JoinType::Inner;
                const QString left = fieldNameText(p.left);
                const QString right = fieldNameText(*p.rightField);
                conditions.rows << QStringList{left, NewRowComparison, right, AndWord};
                addLink(def, a.table, b.table, JoinText(left, right), type);
            }
        }
        if (st.where) {
            const Flat f = flat(*st.where);
            if (innerJoinRows) {
                for (const auto &op : f.ops) {
                    if (op.first == OrWord)
                        fail(op.second, QStringLiteral("an OR beside the conditions of a JOIN ... ON"));
                }
            }
            for (int k = 0; k < f.preds.size(); ++k) {
                const Predicate &p = st.preds.at(f.preds.at(k));
                if (p.left.kind == Expr::Aggregate)
                    fail(p.pos, QStringLiteral("a total in WHERE"));
                const bool joinsTables = st.type == QueryType::Select && p.writtenOperator == u"="
                                         && p.left.kind == Expr::Field && p.rightField;
                QString fieldName;
                if (p.left.kind == Expr::Field)
                    fieldName = fieldNameText(p.left);
                else
                    fieldName = render(p.left.pieces);
                const FieldAt a = joinsTables ? tryResolve(p.left.ref) : FieldAt();
                const FieldAt b = joinsTables ? tryResolve(p.rightField->ref) : FieldAt();
                const bool link = a.table >= 0 && b.table >= 0 && a.table != b.table
                                  && (k == 0 || f.ops.at(k - 1).first == AndWord)
                                  && (k + 1 == f.preds.size() || f.ops.at(k).first == AndWord);
                const QString value = link ? fieldNameText(*p.rightField) : render(p.value);
                const QString op = k + 1 < f.preds.size() ? f.ops.at(k).first : QString(AndWord);
                conditions.rows << QStringList{fieldName, comparisonCaption(p.comparison, link), value, op};
                if (link)
                    addLink(def, a.table, b.table, JoinText(fieldName, value), JoinType::Inner);
            }
        }
        if (st.having) {
            const Flat f = flat(*st.having);
            for (int k = 0; k < f.preds.size(); ++k) {
                const Predicate &p = st.preds.at(f.preds.at(k));
                if (p.left.kind != Expr::Aggregate)
                    fail(p.pos, QStringLiteral("a HAVING condition that is not on a total of a field"));
                const QString op = k + 1 < f.preds.size() ? f.ops.at(k).first : QString(AndWord);
                conditions.rows << QStringList{fieldNameText(p.left), comparisonCaption(p.comparison, false),
                                               render(p.value), op};
            }
        }

        for (const SortItem &item : st.orderBy)
            def.sorting.rows << QStringList{sortField(st, item.expr, columnAliases),
                                            SortWord(item.ascending)};

        if (st.type == QueryType::Insert)
            insertValues(st, def);
        if (st.type == QueryType::Update)
            updateValues(st, def);

        for (int k = 0; k < m_tables.size(); ++k) {
            const Table &t = m_tables.at(k);
            StoredTable stored;
            stored.name = t.caption;
            for (int f = 0; f < t.fields.size(); ++f) {
                stored.items << qMakePair(t.fields.at(f), bool(ticks.at(k).at(f)));
                if (anyTotal)
                    stored.totals << TotalKindName(totals.at(k).at(f));
            }
            stored.itemCount = int(t.fields.size());
            stored.left = PlacementLeft + PlacementStep * k;
            stored.top = PlacementTop;
            stored.width = WindowWidth;
            stored.height = WindowHeight;
            def.tables << stored;
        }
        for (StoredLink &link : def.links) {
            placeLink(def, link);
        }
        return def;
    }

    void addLink(QueryDefinition &def, int a, int b, const QString &hint, JoinType type) const
    {
        StoredLink link;
        link.field1Table = m_tables.at(a).caption;
        link.field2Table = m_tables.at(b).caption;
        link.hint = hint;
        link.joinType = joinTypeText(type);
        def.links << link;
    }

    // Where the canvas draws a link between its two windows: from the right edge of the
    // window further left to the left edge of the other, 20 pixels below the upper top.
    static void placeLink(const QueryDefinition &def, StoredLink &link)
    {
        const StoredTable *a = nullptr, *b = nullptr;
        for (const StoredTable &t : def.tables) {
            if (!a && t.name == link.field1Table)
                a = &t;
            if (!b && t.name == link.field2Table)
                b = &t;
        }
        if (!a || !b)
            return;
        const StoredTable &l = a->left < b->left ? *a : *b;
        const StoredTable &r = a->left < b->left ? *b : *a;
        const int x1 = l.left + l.width;
        link.left = x1;
        link.top = qMin(l.top, r.top) + 20;
        link.width = qMax(qAbs(r.left - x1), LinkMinimumExtent);
        link.height = qMax(qAbs(l.top - r.top), LinkMinimumExtent);
    }

    void selectColumns(const Statement &st, QList<QList<bool>> &ticks, QList<QList<TotalKind>> &totals,
                       bool &anyTotal, QHash<QString, Expr> &columnAliases) const
    {
        QSet<QPair<int, int>> seen;
        auto tick = [&](int table, int field, int pos) {
            if (seen.contains(qMakePair(table, field)))
                fail(pos, QStringLiteral("the field %1 a second time in the column list")
                              .arg(m_tables.at(table).fields.at(field).left(80)));
            seen.insert(qMakePair(table, field));
            ticks[table][field] = true;
        };
        for (const SelectItem &item : st.columns) {
            const Expr &e = item.expr;
            switch (e.kind) {
            case Expr::Star:
                for (int k = 0; k < m_tables.size(); ++k) {
                    for (int f = 0; f < m_tables.at(k).fields.size(); ++f)
                        tick(k, f, e.pos);
                }
                break;
            case Expr::TableStar: {
                const int k = tableOfQualifier(e.ref);
                if (k < 0)
                    fail(e.pos, QStringLiteral("the unknown table or alias %1").arg(writtenName(e.ref).left(80)));
                for (int f = 0; f < m_tables.at(k).fields.size(); ++f)
                    tick(k, f, e.pos);
                break;
            }
            case Expr::Field:
            case Expr::Aggregate: {
                const FieldAt at = resolveField(e.ref, e.refPos);
                tick(at.table, at.field, e.pos);
                if (e.kind == Expr::Aggregate) {
                    totals[at.table][at.field] = aggregateKind(e.function);
                    anyTotal = true;
                }
                break;
            }
            case Expr::Other:
                break;
            }
            if (item.alias)
                columnAliases.insert(item.alias->text.toLower(), e);
        }
    }

    // With totals, every ticked field without a function is grouped, and nothing else is.
    void checkGroups(const Statement &st, const QList<QList<bool>> &ticks, QList<QList<TotalKind>> &totals) const
    {
        QSet<QPair<int, int>> grouped;
        for (const Expr &e : st.groupBy) {
            const FieldAt at = resolveField(e.ref, e.refPos);
            if (!ticks.at(at.table).at(at.field) || totals.at(at.table).at(at.field) != TotalKind::None)
                fail(e.pos, QStringLiteral("a GROUP BY field that is not a plain field of the column list"));
            grouped.insert(qMakePair(at.table, at.field));
        }
        for (int k = 0; k < m_tables.size(); ++k) {
            for (int f = 0; f < m_tables.at(k).fields.size(); ++f) {
                if (!ticks.at(k).at(f) || totals.at(k).at(f) != TotalKind::None)
                    continue;
                if (!grouped.contains(qMakePair(k, f)))
                    fail(columnPos(st, k, f), QStringLiteral("the field %1, which is neither grouped nor a total")
                                                  .arg(m_tables.at(k).fields.at(f).left(80)));
                totals[k][f] = TotalKind::Group;
            }
        }
    }

    int columnPos(const Statement &st, int table, int field) const
    {
        for (const SelectItem &item : st.columns) {
            if (item.expr.kind == Expr::Star)
                return item.expr.pos;
            if (item.expr.kind == Expr::TableStar && tableOfQualifier(item.expr.ref) == table)
                return item.expr.pos;
            if (item.expr.kind == Expr::Field) {
                const FieldAt at = resolveField(item.expr.ref, item.expr.refPos);
                if (at.table == table && at.field == field)
                    return item.expr.pos;
            }
        }
        return st.columns.isEmpty() ? 0 : st.columns.constFirst().expr.pos;
    }

    QString sortField(const Statement &st, const Expr &e, const QHash<QString, Expr> &columnAliases) const
    {
        // A column's own name, or its number in the column list.
        if (e.kind == Expr::Field && e.ref.size() == 1) {
            const auto alias = columnAliases.constFind(e.ref.constFirst().text.toLower());
            if (alias != columnAliases.cend())
                return fieldNameText(*alias);
        }
        if (e.pieces.size() == 1 && !e.pieces.constFirst().isRef) {
            bool ok = false;
            const int n = e.pieces.constFirst().text.toInt(&ok);
            if (ok && n >= 1 && n <= st.columns.size()) {
                const Expr &column = st.columns.at(n - 1).expr;
                if (column.kind == Expr::Field || column.kind == Expr::Aggregate)
                    return fieldNameText(column);
            }
        }
        if (e.kind == Expr::Field || e.kind == Expr::Aggregate)
            return fieldNameText(e);
        fail(e.pos, QStringLiteral("an ORDER BY item that is not a field or a total of a field"));
    }

    void insertValues(const Statement &st, QueryDefinition &def) const
    {
        const Table &t = m_tables.constFirst();
        QList<int> fields;
        if (st.insertColumns.isEmpty()) {
            for (int f = 0; f < t.fields.size(); ++f)
                fields << f;
        }
        for (int c = 0; c < st.insertColumns.size(); ++c) {
            const int f = fieldIndex(t, st.insertColumns.at(c));
            if (f < 0)
                fail(st.insertColumnPositions.at(c),
                     QStringLiteral("the unknown field %1").arg(st.insertColumns.at(c).text.left(80)));
            fields << f;
        }
        if (fields.size() != st.insertValues.size())
            fail(st.valuesPos, QStringLiteral("a number of values other than the number of fields"));
        for (int c = 0; c < fields.size(); ++c) {
            // The values of an INSERT name no field: their text stays as written.
            QString value;
            for (const Piece &p : st.insertValues.at(c).pieces) {
                if (p.space && !value.isEmpty())
                    value += u' ';
                value += p.text;
            }
            def.values.rows << QStringList{t.fields.at(fields.at(c)), value};
        }
    }

    void updateValues(const Statement &st, QueryDefinition &def) const
    {
        const Table &t = m_tables.constFirst();
        for (const Assignment &a : st.assignments) {
            if (a.target.size() > 1 && tableOfQualifier(a.target.mid(0, a.target.size() - 1)) != 0)
                fail(a.pos, QStringLiteral("the unknown table or alias %1")
                                .arg(writtenName(a.target.mid(0, a.target.size() - 1)).left(80)));
            const int f = fieldIndex(t, a.target.constLast());
            if (f < 0)
                fail(a.pos, QStringLiteral("the unknown field %1").arg(a.target.constLast().text.left(80)));
            def.values.rows << QStringList{t.fields.at(f), render(a.value.pieces)};
        }
    }

    const QString &m_sql;
    const SqlDesignSource &m_source;
    QList<Tok> m_toks;
    int m_i = 0;
    Statement *m_st = nullptr;
    mutable bool m_unexpected = false;  // the last error was text out of place, not a part refused
    QList<Table> m_tables;
    QStringList m_tableNames;
    bool m_tableNamesRead = false;
};

} // namespace

namespace {

QString statementOf(const QueryDefinition &def, const SqlDesignSource &source)
{
    QueryDesign design = DesignFromDefinition(def, source.tableFields, source.style);
    design.distinct = def.distinct;
    design.limit = def.limit;
    return GenerateSQLText(design);
}

} // namespace

QueryDefinition DesignFromSql(const QString &sql, const SqlDesignSource &source)
{
    const QueryDefinition def = Reader(sql, source).read();
    // The design stands for the statement only if its own statement reads back to itself; a
    // text kept as written that the next reading would take apart otherwise does not.
    QString once;
    try {
        once = statementOf(def, source);
    } catch (const VdqError &) {
        return def;  // the builder's own message comes when the statement is written
    }
    if (once.isEmpty())
        return def;
    bool same = false;
    try {
        same = statementOf(Reader(once, source).read(), source) == once;
    } catch (const VdqError &) {
    }
    if (!same) {
        const auto first = std::find_if(sql.cbegin(), sql.cend(), [](QChar c) { return !c.isSpace(); });
        failAt(sql, int(first - sql.cbegin()), QStringLiteral("this statement: its values would be read otherwise"));
    }
    return def;
}
