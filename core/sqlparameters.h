// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqllexer.h"

#include <QString>
#include <QStringList>

#include <functional>

// The named parameters (":Name") of a statement, in order of first use, each once (letter
// case ignored): outside strings, quoted names and comments as the options read them; "::"
// is a cast. Without options, what reads as a string or comment on most engines is left out.
QStringList SqlParameterNames(const QString &sql, const SqlLexOptions &options = SqlLexOptions::AnyEngine());

// Walks a statement outside strings, quoted names and comments as the options read them
// (the lexer's reading: dialect's quotes, comments, dollar quotes and escapes), and calls
// visit(i) at each other character; visit returns the index it has read up to.
void ForEachSqlCodeChar(const QString &sql, const SqlLexOptions &options,
                        const std::function<qsizetype(qsizetype)> &visit);
// Outside what reads as a string, a quoted name or a comment on most engines.
void ForEachSqlCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit);

// The end of the run of word characters (letters, digits, "_") from i.
qsizetype SqlWordEnd(const QString &sql, qsizetype i);
