#pragma once

#include "sqldialect.h"

#include <QString>

#include <functional>

// How the engine behind a connection reads a statement's text: which characters belong to
// strings, quoted names and comments, and which are code. A check that must find every
// ";" or every keyword the engine will see reads the text the engine's way.
struct SqlReading
{
    SqlDialect dialect = SqlDialect::ODBC;  // ODBC: an engine this system does not know
    bool backslashEscapes = false;          // MySQL: the session reads "\'" inside a string
};

// The reading of the text a design is written for.
inline SqlReading ReadingOf(const IdentifierStyle &style)
{
    return {style.dialect, style.dialect == SqlDialect::MySQL && style.backslashEscapes};
}

// Walks a statement as the engine reads it and calls visit(i) at each character of code;
// visit returns the index it has read up to.
//  PostgreSQL: E'...' takes backslash escapes, $tag$ strings, nested /* */ comments, a "$"
//              inside a name is part of it.
//  MySQL:      "..." is a string, # and "-- " start comments ("--1" is code), the text of
//              an executable comment /*! ... */ or /*M! ... */ is code.
//  SQLite:     [name] is a quoted name.
//  ODBC:       every quote pairs with itself, "--" and "/* */" comments, $$ strings.
void ForEachSqlCodeChar(const QString &sql, const SqlReading &reading,
                        const std::function<qsizetype(qsizetype)> &visit);
