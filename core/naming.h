#pragma once

#include "sqldialect.h"

#include <QString>

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

// With QuoteIdentifiers set: the name in double quotes. Otherwise the name bare, unless
// the engine cannot read it bare; then it is quoted with the engine's identifier quote.
QString QuoteIdentifier(const QString &name, const IdentifierStyle &style);

// A table name as the table lines and INSERT write it: bare when every "."-separated
// part reads bare, otherwise each part that needs it quoted with the engine's quote.
// On SQLite the name is one part, dots and all.
QString SqlTableName(const QString &tableName, SqlDialect dialect);

// TableAlias(table) + "." + QuoteIdentifier(field).
QString FieldReference(const QString &tableName, const QString &fieldName,
                       const IdentifierStyle &style);

// True when text starts with TableAlias(tableName) followed by "." (case-sensitive).
bool RefersToTable(const QString &tableName, const QString &text);

// The parameter name of a field: characters other than ASCII letters and digits become
// "_" one for one, and a leading digit gets "p" in front (2nd Phone -> p2nd_Phone).
QString ParameterName(const QString &fieldName);
