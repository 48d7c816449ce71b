#pragma once

#include "sqlreading.h"

#include <QString>
#include <QStringList>

#include <functional>

// The named parameters (":Name") of a statement, in order of first use, each once (letter
// case ignored): outside strings, quoted names and comments; "::" is a cast.
QStringList SqlParameterNames(const QString &sql);
// The same, read as the engine reads the text (its strings, names and comments).
QStringList SqlParameterNames(const QString &sql, const SqlReading &reading);

// Walks a statement outside strings, quoted names, "--" and "/* */" comments and dollar-quoted
// strings, and calls visit(i) at each other character; visit returns the index it has read
// up to.
void ForEachSqlCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit);

// The end of the run of word characters (letters, digits, "_") from i.
qsizetype SqlWordEnd(const QString &sql, qsizetype i);
