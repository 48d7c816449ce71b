#pragma once

#include "sqldialect.h"

#include <QStringList>

// The statement's lines as the server's ordinary connection must read them. The builders
// write string literals in the standard form (a quote doubled, a backslash the character
// itself); a MySQL server whose mode reads a backslash as an escape needs each backslash
// inside a string literal doubled. Quoted names and comments keep theirs. Any other style
// gives the lines back unchanged.
QStringList WithServerBackslashes(const QStringList &lines, const IdentifierStyle &style);
