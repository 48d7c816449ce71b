// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The reader of one statement's text: its tokens, then the parsed statement, which names
// tables and fields as written (the design builder looks them up). Private to DesignFromSql.

#include "sqldesignsyntax_p.h"
#include "sqldialect.h"
#include "sqllexer.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace SqlDesign {

// A token of the statement, its text left in the statement: a 1 MB statement has as many
// tokens as it has characters, at a few bytes each.
struct Tok
{
    int start;
    int length;
    int close;          // "(": the index of the ")" that closes it, or -1
    SqlTokenKind kind;
    bool space;         // white space or a comment before it
    bool clause;        // a word that ends an expression and is never a bare name there
};

// The deepest nesting of parentheses read; the reading's own depth follows it.
constexpr int MaxParenthesisDepth = 200;

// The most tables a design is read with: each is a window on the canvas, and the design's
// statement is written and read again before it is shown.
constexpr int MaxTables = 1000;

// An ASCII word in upper case, as engines read their keywords.
QString upperWord(QStringView word);
// True when word is upper (given in upper case), letters compared as ASCII.
bool sameWord(QStringView word, QLatin1String upper);

// Reads a SELECT, INSERT, UPDATE or DELETE; a part a design cannot show raises VdqError
// naming its line and column.
class StatementReader
{
    Q_DECLARE_TR_FUNCTIONS(SqlDesign)

public:
    StatementReader(const QString &sql, const SqlLexOptions &options) : m_sql(sql), m_options(options) {}

    Statement read()
    {
        tokenize();
        return parseStatement();
    }

private:
    // Errors (sqldesignreader.cpp)
    [[noreturn]] void fail(int offset, const QString &what) const { failAt(m_sql, offset, what); }
    [[noreturn]] void unexpected() const;

    // Tokens (sqldesignreader.cpp)
    static const QSet<QString> &clauseWords();
    void tokenize();
    void addToken(const SqlToken &t, bool space, QList<int> &open);
    QStringView text(const Tok &t) const { return QStringView(m_sql).mid(t.start, t.length); }
    bool atEnd() const { return m_i >= m_toks.size(); }
    const Tok &cur() const { return m_toks.at(m_i); }
    const Tok *peek(int ahead = 0) const
    {
        return m_i + ahead < m_toks.size() ? &m_toks.at(m_i + ahead) : nullptr;
    }
    int pos() const { return atEnd() ? int(m_sql.size()) : cur().start; }
    bool isWord(const char *word, int ahead = 0) const;
    bool isSymbol(const char *symbol, int ahead = 0) const;
    bool acceptWord(const char *word);
    bool acceptSymbol(const char *symbol);
    void expectWord(const char *word);
    void expectSymbol(const char *symbol);
    bool isName(int ahead = 0) const;
    NamePart takeName(bool anyWord = false);
    int closingParen(int open) const { return m_toks.at(open).close; }
    void refuseSubquery();
    bool atSubquery(int ahead = 0) const;
    // Copies "( ... )" at the cursor, its contents kept as written: names in it are not looked
    // up (a subquery's are its own tables'). A ";" inside, or a locking clause, is refused.
    void keepParenthesised(QList<Piece> &pieces);
    void keepToken(QList<Piece> &pieces);

    // Statements (sqldesignreader.cpp)
    Statement parseStatement();
    void parseWith(Statement &st);
    void parseSelect(Statement &st);
    void parseGroupBy(Statement &st);
    void parseOrderBy(Statement &st);
    void parseLimit(Statement &st);
    int parseLimitNumber();
    SelectItem parseSelectItem();
    void parseFrom(Statement &st);
    TableRef parseTableRef(bool insertTarget = false);
    void parseInsert(Statement &st);
    void parseUpdate(Statement &st);
    void parseDelete(Statement &st);

    // Conditions (sqldesignconditions.cpp)
    BoolNode parseOr() { return parseChain(BoolNode::Or); }
    BoolNode parseChain(BoolNode::Kind kind);
    bool continuesOperand(const Tok &t) const;
    BoolNode parseBoolPrimary();
    Predicate parsePredicate();
    void parseComparison(Predicate &p);
    bool parseWordComparison(Predicate &p, const QString &op);
    void takeOperatorWord(Predicate &p, const QString &op);
    QList<Piece> rawValue();

    // Operands (sqldesignconditions.cpp)
    Expr parseOperand();
    void refuseLineBreak(const Tok &t) const;
    void addPiece(QList<Piece> &pieces);
    void addToken(Expr &e) { addPiece(e.pieces); }
    void parseUnary(Expr &e);
    void copyParenthesised(Expr &e);
    void parseAtom(Expr &e);
    void parseOperandList(Expr &e, bool keywordArguments = false);
    bool atArgumentWord() const;
    void parseCall(Expr &e);
    void keepCase(Expr &e);
    void keepWindow(Expr &e);
    void classify(Expr &e) const;

    const QString &m_sql;
    const SqlLexOptions m_options;
    QList<Tok> m_toks;
    int m_i = 0;
    int m_conditionWords = 0;
    // Names as written (in the statement's text): the parts' index in Statement::refs, and
    // one part's text.
    QHash<QStringView, int> m_refsByText;
    QHash<QStringView, QString> m_names;  // AND, OR and ON: the conditions are at most these and two more
    Statement *m_st = nullptr;
    mutable bool m_unexpected = false;  // the last error was text out of place, not a part refused
};

} // namespace SqlDesign
