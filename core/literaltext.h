// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QString>

#include <QStringList>

struct QueryDefinition;

// The statement's lines as the server's ordinary connection must read them. The builders
// write string literals in the standard form (a quote doubled, a backslash the character
// itself); a MySQL server whose mode reads a backslash as an escape needs each backslash
// inside a string literal doubled. Quoted names and comments keep theirs. Any other style
// gives the lines back unchanged.
QStringList WithServerBackslashes(const QStringList &lines, const IdentifierStyle &style);

// The way back, for a text read into a design: on such a server each string literal of the
// text (its escapes read as the server reads them) in the standard form the lists hold. The
// statement reader needs it before it writes the design's statement again.
QString StandardLiterals(const QString &text, const IdentifierStyle &style);
// The same for the values and condition values of a design read from a statement.
void ToStandardLiterals(QueryDefinition &definition, const IdentifierStyle &style);
