// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QChar>

// The engine family a statement is written for. The builders and the quoting rules
// take it as an input; it never changes what the worked examples of a plain design give.
// ODBC is an engine reached through ODBC that the driver does not name: plain ANSI SQL.
enum class SqlDialect : unsigned char { SQLite, PostgreSQL, MySQL, ODBC };

// The engine's identifier quote: MySQL reads "..." as a string unless ANSI_QUOTES is on.
inline QChar IdentifierQuote(SqlDialect dialect)
{
    return dialect == SqlDialect::MySQL ? QChar(u'`') : QChar(u'"');
}

// How identifiers are written: QuoteIdentifiers is the designer's flag (set for local
// desktop-table databases), the dialect decides which names still need quotes without it.
struct IdentifierStyle
{
    bool quoteIdentifiers = false;
    SqlDialect dialect = SqlDialect::SQLite;
    // MySQL/MariaDB only: the server's own sql_mode lacks NO_BACKSLASH_ESCAPES, so an ordinary
    // connection reads a backslash in a string literal as an escape. The text handed back must
    // mean the same there, so string literals are written with backslashes doubled.
    bool backslashEscapes = false;
};
