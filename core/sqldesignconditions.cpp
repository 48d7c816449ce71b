// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The statement reader's conditions (WHERE, HAVING, JOIN ... ON) and operands: the
// expressions on either side of a comparison, the column list's items and a row's values.

#include "sqldesignreader_p.h"

namespace SqlDesign {

// --- Conditions ---------------------------------------------------------------------------

// Conditions joined by OR, each of them conditions joined by AND (AND binds closer).
BoolNode StatementReader::parseChain(BoolNode::Kind kind)
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

bool StatementReader::continuesOperand(const Tok &t) const
{
    static const QSet<QString> symbols = {"=", "==", "<>", "!=", "<", "<=", ">", ">=", "+", "-", "*",
                                          "/", "%", "||", "::", "&", "|"};
    static const QSet<QString> words = {"IS", "LIKE", "ILIKE", "GLOB", "NOT", "BETWEEN", "IN", "COLLATE"};
    if (t.kind == SqlTokenKind::Symbol)
        return symbols.contains(text(t).toString());
    return t.kind == SqlTokenKind::Word && words.contains(upperWord(text(t)));
}

BoolNode StatementReader::parseBoolPrimary()
{
    if (isWord("NOT") && !isWord("EXISTS", 1)) {
        const int notPos = cur().start;
        ++m_i;
        BoolNode inner = parseBoolPrimary();
        if (inner.negated)
            fail(notPos, tr("NOT twice"));
        inner.negated = true;
        inner.pos = notPos;
        return inner;
    }
    if (isWord("EXISTS") || isWord("NOT")) {
        // [NOT] EXISTS (query): a condition of no field, its query kept as written.
        BoolNode node;
        node.kind = BoolNode::Pred;
        node.pos = pos();
        Predicate p;
        p.pos = pos();
        p.comparison = acceptWord("NOT") ? QStringLiteral("NOT EXISTS") : QStringLiteral("EXISTS");
        ++m_i;
        p.writtenOperator = p.comparison;
        if (!atSubquery())
            unexpected();
        keepParenthesised(p.value);
        node.pred = int(m_st->preds.size());
        m_st->preds << p;
        return node;
    }
    if (isSymbol("(") && !atSubquery()) {
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

Predicate StatementReader::parsePredicate()
{
    Predicate p;
    p.pos = pos();
    p.left = parseOperand();
    if (atEnd())
        fail(p.pos, tr("a condition without a comparison"));
    const Tok &t = cur();
    static const QSet<QString> comparisons = {"=", "==", "<>", "!=", "<", "<=", ">", ">="};
    if (t.kind == SqlTokenKind::Symbol && comparisons.contains(text(t).toString())) {
        parseComparison(p);
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
        op = text(cur()).toString() + u' ';
        ++m_i;
    }
    if (parseWordComparison(p, op))
        return p;
    fail(opStart,
         atEnd() ? tr("a condition without a comparison")
                 : tr("a condition without a comparison, at \"%1\"").arg(text(cur()).left(40)));
}

// From a comparison operator (=, <>, <, ...) on, the operator being the current token.
void StatementReader::parseComparison(Predicate &p)
{
    // One text per operator, however many conditions use it.
    static const QStringList operators = {"=", "==", "<>", "!=", "<", "<=", ">", ">="};
    const qsizetype known = operators.indexOf(text(cur()));
    p.writtenOperator = known >= 0 ? operators.at(known) : text(cur()).toString();
    ++m_i;
    p.comparison = p.writtenOperator;
    if (isWord("ANY") || isWord("ALL") || isWord("SOME")) {
        addPiece(p.value);
        if (!atSubquery())
            unexpected();
        keepParenthesised(p.value);
        return;
    }
    const int valueStart = m_i;
    try {
        const Expr right = parseOperand();
        p.value = right.pieces;
        p.rightIsField = right.kind == Expr::Field;
    } catch (const VdqError &) {
        if (!m_unexpected)
            throw;
        // A value column holds any text: what is no expression is kept as written,
        // up to the next AND or OR outside parentheses.
        m_i = valueStart;
        m_unexpected = false;
        p.value = rawValue();
    }
}

// The operator word at the cursor (LIKE, BETWEEN, IN, after NOT when op holds it). A lower-case
// "like" is the comparison dialog's own; any other spelling stays as written.
void StatementReader::takeOperatorWord(Predicate &p, const QString &op)
{
    const QString word = text(cur()).toString();
    ++m_i;
    p.writtenOperator = op.toUpper() + word.toUpper();
    p.comparison = op + word;
}

// LIKE (ILIKE, GLOB, REGEXP), BETWEEN and IN, after a NOT (op) if there was one; false
// when the current token is none of them.
bool StatementReader::parseWordComparison(Predicate &p, const QString &op)
{
    if (isWord("LIKE") || isWord("ILIKE") || isWord("GLOB") || isWord("REGEXP")) {
        takeOperatorWord(p, op);
        p.value = parseOperand().pieces;
        if (isWord("ESCAPE")) {
            addPiece(p.value);
            p.value << parseOperand().pieces;
        }
        return true;
    }
    if (isWord("BETWEEN")) {
        takeOperatorWord(p, op);
        p.value = parseOperand().pieces;
        if (!isWord("AND"))
            unexpected();
        addPiece(p.value);
        p.value << parseOperand().pieces;
        return true;
    }
    if (isWord("IN")) {
        takeOperatorWord(p, op);
        if (atSubquery()) {
            keepParenthesised(p.value);
            return true;
        }
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
        return true;
    }
    return false;
}

QList<Piece> StatementReader::rawValue()
{
    static const QSet<QString> stops = {"AND", "OR", "ORDER", "GROUP", "HAVING", "LIMIT", "FETCH", "UNION",
                                        "INTERSECT", "EXCEPT", "WHERE", "JOIN", "INNER", "LEFT", "RIGHT",
                                        "FULL", "CROSS", "OFFSET"};
    QList<Piece> pieces;
    QList<int> open;  // where each unclosed "(" stands
    while (!atEnd()) {
        const Tok &t = cur();
        if (t.kind == SqlTokenKind::Word && open.isEmpty() && t.clause && stops.contains(upperWord(text(t))))
            break;
        if (t.kind == SqlTokenKind::Symbol) {
            if (text(t) == u";" || (text(t) == u")" && open.isEmpty()))
                break;
            refuseSubquery();
            if (text(t) == u"(")
                open.append(t.start);
            else if (text(t) == u")")
                open.removeLast();
        }
        addPiece(pieces);
    }
    // An unclosed "(" would take the clauses after it into the value when its
    // statement is read again.
    if (!open.isEmpty())
        fail(open.first(), tr("a value with an unclosed parenthesis"));
    if (pieces.isEmpty())
        unexpected();
    return pieces;
}

// --- Operands -----------------------------------------------------------------------------

Expr StatementReader::parseOperand()
{
    Expr e;
    e.pos = pos();
    parseUnary(e);
    while (!atEnd() && cur().kind == SqlTokenKind::Symbol) {
        static const QSet<QString> ops = {"+", "-", "*", "/", "%", "||", "&", "|"};
        if (!ops.contains(text(cur()).toString()))
            break;
        addToken(e);
        parseUnary(e);
    }
    classify(e);
    return e;
}

// A list row is one line: a carriage return inside a name or string cannot be shown.
void StatementReader::refuseLineBreak(const Tok &t) const
{
    if (text(t).contains(u'\r') || text(t).contains(u'\n'))
        fail(t.start, tr("a line break inside a name or value"));
}

void StatementReader::addPiece(QList<Piece> &pieces)
{
    const Tok &t = cur();
    refuseLineBreak(t);
    pieces << Piece{t.start, t.length, -1, t.space, false};
    ++m_i;
}

void StatementReader::parseUnary(Expr &e)
{
    while (isSymbol("-") || isSymbol("+") || isSymbol("~"))
        addToken(e);
    parseAtom(e);
    while (isSymbol("::")) {
        addToken(e);
        if (atEnd() || cur().kind != SqlTokenKind::Word)
            unexpected();
        e.pieces << Piece{cur().start, cur().length, -1, cur().space, true};
        ++m_i;
        if (isSymbol("("))
            copyParenthesised(e);
    }
}

// Copies "( ... )" with its contents as written (a type's length, for example).
void StatementReader::copyParenthesised(Expr &e)
{
    const int close = closingParen(m_i);
    if (close < 0)
        unexpected();
    while (m_i <= close) {
        if (cur().kind == SqlTokenKind::Word && upperWord(text(cur())) == u"SELECT")
            fail(cur().start, tr("a subquery"));
        addToken(e);
    }
}

void StatementReader::parseAtom(Expr &e)
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
        if (text(t) == u"(") {
            if (atSubquery()) {  // a scalar subquery
                keepParenthesised(e.pieces);
                e.keptText = true;
                return;
            }
            addToken(e);
            parseOperandList(e);
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
        auto is = [&](const char *word) { return sameWord(text(t), QLatin1String(word)); };
        if (is("CASE")) {
            keepCase(e);
            return;
        }
        if (is("EXISTS") && atSubquery(1)) {
            addToken(e);
            keepParenthesised(e.pieces);
            e.keptText = true;
            return;
        }
        if (is("EXISTS") || is("SELECT"))
            fail(t.start, tr("a subquery"));
        if (is("NULL") || is("TRUE") || is("FALSE") || is("DEFAULT")) {
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
        if (t.clause)
            unexpected();
    }
    QList<NamePart> parts{takeName()};
    while (isSymbol(".") && (isName(1) || (peek(1) && peek(1)->kind == SqlTokenKind::Word))) {
        ++m_i;
        parts << takeName(true);
    }
    const Tok &last = m_toks.at(m_i - 1);
    const int length = last.start + last.length - t.start;
    // A name written again is the same name: its parts are kept once.
    const QStringView written = QStringView(m_sql).mid(t.start, length);
    auto known = m_refsByText.constFind(written);
    if (known == m_refsByText.cend()) {
        known = m_refsByText.insert(written, int(m_st->refs.size()));
        m_st->refs << parts;
    }
    e.pieces << Piece{t.start, length, *known, t.space, false};
}

// Operands separated by commas, as in a list in parentheses or a call's arguments; the first
// function call among them is the expression's. With keywordArguments, words such as FROM
// and FOR separate them as well, as in EXTRACT(YEAR FROM d) and SUBSTRING(s FROM 1 FOR 2).
void StatementReader::parseOperandList(Expr &e, bool keywordArguments)
{
    for (;;) {
        if (!keywordArguments || !atArgumentWord()) {
            const Expr inner = parseOperand();
            e.pieces << inner.pieces;
            if (e.functionPos < 0)
                e.functionPos = inner.functionPos;
        }
        if (!isSymbol(",") && !(keywordArguments && atArgumentWord()))
            break;
        addToken(e);
    }
}

bool StatementReader::atArgumentWord() const
{
    return isWord("FROM") || isWord("FOR") || isWord("IN") || isWord("PLACING") || isWord("BOTH")
           || isWord("LEADING") || isWord("TRAILING");
}

void StatementReader::parseCall(Expr &e)
{
    const Tok &nameTok = cur();
    const int callStart = int(e.pieces.size());
    if (e.functionPos < 0)
        e.functionPos = nameTok.start;
    addToken(e);
    if (sameWord(text(nameTok), QLatin1String("CAST"))) {
        addToken(e);  // (
        Expr inner = parseOperand();
        e.pieces << inner.pieces;
        if (!isWord("AS"))
            unexpected();
        addToken(e);
        if (atEnd() || cur().kind != SqlTokenKind::Word)
            unexpected();
        while (!atEnd() && cur().kind == SqlTokenKind::Word) {
            e.pieces << Piece{cur().start, cur().length, -1, cur().space, true};
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
        if (isWord("OVER") || isWord("FILTER") || isWord("WITHIN"))
            keepWindow(e);
        return;
    }
    const int argStart = int(e.pieces.size());
    bool plainArgument = callStart == 0 && aggregateKind(text(nameTok).toString()) != TotalKind::None;
    if (isSymbol("*")) {
        plainArgument = false;
        addToken(e);
    } else {
        if (isWord("DISTINCT") || isWord("ALL")) {
            plainArgument = false;
            addToken(e);
        }
        static const QSet<QString> keywordCalls = {"EXTRACT", "SUBSTRING", "TRIM", "POSITION", "OVERLAY"};
        parseOperandList(e, keywordCalls.contains(upperWord(text(nameTok))));
    }
    if (!isSymbol(")"))
        unexpected();
    addToken(e);
    // An aggregate of more than a lone field: the design's totals take a field only.
    const Piece &argument = e.pieces.at(argStart);
    if (plainArgument && !(e.pieces.size() - argStart == 2 && argument.isRef())) {
        e.aggregateArgPos = argument.pos;
        e.aggregateCallEnd = int(e.pieces.size());
    }
    if (isWord("OVER") || isWord("FILTER") || isWord("WITHIN"))
        keepWindow(e);
}

// CASE ... END, kept as written: its conditions are no rows of the design.
void StatementReader::keepCase(Expr &e)
{
    int depth = 0;
    do {
        if (atEnd())
            unexpected();
        const Tok &t = cur();
        if (t.kind == SqlTokenKind::Word && sameWord(text(t), QLatin1String("CASE")))
            ++depth;
        else if (t.kind == SqlTokenKind::Word && sameWord(text(t), QLatin1String("END")))
            --depth;
        if (t.kind == SqlTokenKind::Symbol && text(t) == u"(") {
            keepParenthesised(e.pieces);
            continue;
        }
        if (t.kind == SqlTokenKind::Symbol && (text(t) == u";" || text(t) == u")"))
            unexpected();
        addToken(e);
    } while (depth > 0);
    e.keptText = true;
}

// A window or filter after an aggregate: OVER (...), OVER name, FILTER (WHERE ...),
// WITHIN GROUP (ORDER BY ...), kept as written.
void StatementReader::keepWindow(Expr &e)
{
    while (isWord("OVER") || isWord("FILTER") || isWord("WITHIN")) {
        const bool over = isWord("OVER");
        if (isWord("WITHIN"))
            addToken(e);  // WITHIN, then GROUP
        addToken(e);
        if (isSymbol("("))
            keepParenthesised(e.pieces);
        else if (over && isName())
            addToken(e);
        else
            unexpected();
    }
    e.keptText = true;
}

// A lone name is a field; an aggregate of a lone field is a total.
void StatementReader::classify(Expr &e) const
{
    if (e.pieces.size() == 1 && e.pieces.constFirst().isRef()) {
        e.kind = Expr::Field;
        e.ref = m_st->refs.at(e.pieces.constFirst().ref);
        e.refPos = e.pieces.constFirst().pos;
        return;
    }
    auto text = [&](int k) { return m_st->text(e.pieces.at(k)); };
    if (e.pieces.size() == 4 && e.pieces.at(2).isRef() && text(1) == u"(" && text(3) == u")"
        && aggregateKind(text(0).toString()) != TotalKind::None) {
        e.kind = Expr::Aggregate;
        e.function = text(0).toString().toUpper();
        e.ref = m_st->refs.at(e.pieces.at(2).ref);
        e.refPos = e.pieces.at(2).pos;
    }
}

} // namespace SqlDesign
