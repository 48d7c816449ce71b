#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The named parameters (":Name") of a statement, in order of first use, each once (letter
// case ignored): outside strings, quoted names and comments; "::" is a cast.
QStringList SqlParameterNames(const QString &sql);

// Walks a statement outside strings, quoted names, "--" and "/* */" comments and dollar-quoted
// strings, and calls visit(i) at each other character; visit returns the index it has read
// up to.
void ForEachSqlCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit);

// The end of the run of word characters (letters, digits, "_") from i.
qsizetype SqlWordEnd(const QString &sql, qsizetype i);
