// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QString>
#include <QStringList>

// The alias of a table: every character other than 0-9, A-Z, a-z becomes "_", and a
// leading digit gets "_" in front (CLIENTS.DB -> CLIENTS_DB, 2003sales -> _2003sales); a
// reserved word of any engine gets "_" behind (order -> order_).
QString TableAlias(const QString &tableName);

// True when the engine would not read the name back as itself when written bare: a
// character other than ASCII letters, digits and "_", a leading digit, an empty name,
// on PostgreSQL an upper-case letter (bare names are folded to lower case there), or a
// reserved word of the engine.
bool NeedsQuoting(const QString &name, SqlDialect dialect);

// The name between the given quote characters, embedded quotes doubled.
QString QuotedName(const QString &name, QChar quote);
// A column's name as a statement writes it: bare unless the engine could not read it bare
// to the same name, then in the engine's quotes.
QString BareOrQuotedName(const QString &name, SqlDialect dialect);

// With QuoteIdentifiers set: the name in double quotes. Otherwise the name bare, unless
// the engine cannot read it bare; then it is quoted with the engine's identifier quote.
QString QuoteIdentifier(const QString &name, const IdentifierStyle &style);

// A table name as the table list shows it and a design keeps it: on the servers the schema
// (PostgreSQL) or database (MySQL) and the table, joined by "."; a part that holds a "."
// itself, or in a name of more than one part starts with the engine's identifier quote, is
// written between those quotes, embedded quotes doubled (sales."a.b", `a.b`). Any other
// part, and every name without a dot, is written as it is. On SQLite the name is one part,
// dots and all.
QString TableNameText(const QStringList &parts, SqlDialect dialect);
// The parts of a table name TableNameText wrote. A name it cannot have written (a quote
// left open) is split at every ".", as names were before quoted parts.
QStringList TableNameParts(const QString &tableName, SqlDialect dialect);

// A table name as the table lines and INSERT write it: each part of TableNameParts bare
// where it reads bare, otherwise quoted with the engine's quote.
QString SqlTableName(const QString &tableName, SqlDialect dialect);

// TableAlias(tableName), or, when an alias in taken already reads the same (engines compare
// aliases ignoring case), that alias with "_1", "_2", ... behind: every table window of a
// design has an alias of its own (A B -> A_B, then A_B -> A_B_1).
QString UniqueTableAlias(const QString &tableName, const QStringList &taken);
// The alias of a table window placed beside the aliases in taken: storedAlias where it is a
// plain alias, else TableAlias(tableName); made unique as UniqueAlias does.
QString WindowAlias(const QString &tableName, const QString &storedAlias, const QStringList &taken);
// How a table window is named to the user: its caption, and " (alias)" behind where the
// alias is not the caption's classic alias.
QString TableTitle(const QString &caption, const QString &alias);
// The alias itself, or with "_1", "_2", ... behind while an alias in taken reads the same.
QString UniqueAlias(const QString &alias, const QStringList &taken);
// True for an alias as TableAlias writes them: ASCII letters, digits and "_", no leading
// digit, no reserved word, at most 128 characters. A stored alias must be one.
bool IsPlainAlias(const QString &alias);

// TableAlias(table) + "." + QuoteIdentifier(field).
QString FieldReference(const QString &tableName, const QString &fieldName,
                       const IdentifierStyle &style);
// alias + "." + QuoteIdentifier(field).
QString AliasFieldReference(const QString &alias, const QString &fieldName, const IdentifierStyle &style);

// True when text starts with TableAlias(tableName) followed by "." (case-sensitive).
bool RefersToTable(const QString &tableName, const QString &text);
// True when text starts with alias followed by "." (case-sensitive).
bool RefersToAlias(const QString &alias, const QString &text);

// The parameter name of a field: characters other than ASCII letters and digits become
// "_" one for one, and a leading digit gets "p" in front (2nd Phone -> p2nd_Phone).
QString ParameterName(const QString &fieldName);
