#pragma once

#include "sqldialect.h"

#include <QList>
#include <QString>
#include <QStringView>

// The pieces of SQL text as an engine reads them. Used by the editor's highlighting and
// completion, so it works a line at a time and carries what is still open (a block
// comment, a string, a quoted name) from one line to the next.
enum class SqlTokenKind : unsigned char {
    Space,
    Word,        // a keyword or a bare name
    QuotedName,  // "name", `name` (MySQL, SQLite), [name] (SQLite)
    String,      // 'text', and "text" on MySQL
    Number,
    Comment,     // -- and /* */, and # on MySQL
    Parameter,   // :name, ?, $1
    Symbol       // anything else, one character at a time
};

struct SqlToken
{
    SqlTokenKind kind;
    int start;
    int length;
};

// What is still open at the end of a line; 0 is nothing.
enum SqlLexState : int {
    LexNormal = 0,
    LexBlockComment,
    LexString,        // '...'
    LexDoubleQuoted,  // "..." (a name, or a string on MySQL)
    LexBacktick,      // `...`
    LexBracket        // [...]
};

// Splits one line into tokens, starting in the given state; returns the state at the end
// of the line. Every character of the line is in exactly one token.
int TokenizeSqlLine(QStringView line, int state, SqlDialect dialect, QList<SqlToken> *tokens);

// Splits a whole text (line breaks are Space tokens).
QList<SqlToken> TokenizeSql(QStringView text, SqlDialect dialect);

// True for a word the dialect reads as a keyword of the language or reserves (case-insensitive).
bool IsSqlKeyword(QStringView word, SqlDialect dialect);

// The keywords offered for completion, upper case, sorted.
QStringList SqlKeywords(SqlDialect dialect);

// The name a QuotedName token stands for: quotes taken off, doubled quotes made single.
QString UnquotedName(QStringView quoted);
