// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

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
    Comment,     // -- and /* */, and # on MySQL; on MySQL also the "/*!50001" and "*/" around
                 // an executable comment, whose text between is read as code
    Parameter,   // :name, ?, $1
    Symbol       // anything else, one character at a time
};

// How a text is read: the engine's dialect and, on MySQL, whether its server reads a
// backslash in a string as an escape. A dialect alone reads MySQL as its server does by
// default (with escapes); an identifier style says what the connection found.
struct SqlLexOptions
{
    SqlDialect dialect = SqlDialect::SQLite;
    bool backslashEscapes = false;  // MySQL only
    // No one engine's reading: what reads as a string, a quoted name or a comment on most of
    // them ('...', "...", `...`, $tag$...$tag$, -- and /* */), and /*! */ as code, for the
    // scanners that are not told the engine.
    bool anyEngine = false;

    SqlLexOptions() = default;
    SqlLexOptions(SqlDialect d) : dialect(d), backslashEscapes(d == SqlDialect::MySQL) {}
    explicit SqlLexOptions(const IdentifierStyle &style)
        : dialect(style.dialect), backslashEscapes(style.dialect == SqlDialect::MySQL && style.backslashEscapes)
    {
    }
    static SqlLexOptions AnyEngine()
    {
        SqlLexOptions options;
        options.anyEngine = true;
        return options;
    }
};

struct SqlToken
{
    SqlTokenKind kind;
    int start;
    int length;
};

// What is still open at the end of a line; 0 is nothing. The low bits hold one of these;
// a PostgreSQL block comment inside another adds its depth above them, a dollar quote its
// tag's hash, and an open MySQL executable comment LexInExecutable.
enum SqlLexState : int {
    LexNormal = 0,
    LexBlockComment,
    LexString,         // '...'
    LexDoubleQuoted,   // "..." (a name, or a string on MySQL)
    LexBacktick,       // `...`
    LexBracket,        // [...]
    LexEscapedString,  // E'...' (PostgreSQL: backslashes escape)
    LexDollarQuoted,   // $tag$...$tag$ (PostgreSQL)
    LexKindMask = 0xF,
    LexInExecutable = 0x10
};

// Splits one line into tokens, starting in the given state; returns the state at the end
// of the line. Every character of the line is in exactly one token. A text with line breaks
// is read as the engine reads it whole: a line comment ends at its line's end, and a string
// over two lines is one token.
int TokenizeSqlLine(QStringView line, int state, const SqlLexOptions &options, QList<SqlToken> *tokens);

// Splits a whole text, a line at a time (line breaks are Space tokens, and a string over two
// lines is a token on each).
QList<SqlToken> TokenizeSql(QStringView text, const SqlLexOptions &options);

// True for a character a bare name or a parameter's name goes on with: a letter, a digit
// or "_" (and "$" where dollar is true, as in an engine's bare names).
bool IsSqlWordChar(QChar c, bool dollar = false);

// True for a word the dialect reads as a keyword of the language or reserves (case-insensitive).
bool IsSqlKeyword(QStringView word, SqlDialect dialect);

// The keywords offered for completion, upper case, sorted.
QStringList SqlKeywords(SqlDialect dialect);

// The name a QuotedName token stands for: quotes taken off, doubled quotes made single.
QString UnquotedName(QStringView quoted);
