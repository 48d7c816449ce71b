// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The parts of a SELECT beyond the comma join: outer joins, totals, HAVING, DISTINCT and a
// row limit, and the stored words that name them in a query definition file. A design that
// uses none of them gives the classic text; these helpers are only asked when it does.

// "INNER", "LEFT", "RIGHT", "FULL".
QString JoinTypeName(JoinType type);
// The type a stored word names, in any letter case; anything else is Inner, the classic join.
JoinType JoinTypeFromName(const QString &name);

// "GROUP", "COUNT", "SUM", "AVG", "MIN", "MAX"; empty for None.
QString TotalKindName(TotalKind kind);
// The kind a stored word names, in any letter case; anything else is None.
TotalKind TotalKindFromName(const QString &name);

// True when the design has totals: some field of some table has a kind other than None.
bool HasTotals(const QueryDesign &design);

// A field's total as written in the column line: "COUNT(" + reference + ")", and so on;
// the reference alone for Group and None.
QString TotalExpression(TotalKind kind, const QString &fieldReference);

// True when a condition's field is an aggregate (COUNT(, SUM(, AVG(, MIN(, MAX( in any
// letter case): its row belongs to HAVING, not WHERE.
bool IsAggregateField(const QString &fieldName);

// A condition row's text as a link's hint carries it: field, comparison (cut before " (")
// and value, separated by single spaces.
QString ConditionText(const ConditionRow &row);

// The last line of a SELECT with a row limit: "LIMIT n" for SQLite, PostgreSQL and MySQL;
// "FETCH FIRST n ROWS ONLY" for an engine known only as ODBC, the standard form that
// PostgreSQL, DB2, Oracle 12 and later, Firebird 3 and later and the Java engines read
// (through ODBC, SQLite, PostgreSQL and MySQL are known by their own dialect). Empty for
// 0 or less.
// With an offset: "LIMIT n OFFSET m" ("LIMIT -1 OFFSET m" on SQLite and the largest row count
// on MySQL without a limit, "OFFSET m" on PostgreSQL), "OFFSET m ROWS FETCH FIRST n ROWS
// ONLY" through ODBC.
QString LimitLine(int limit, SqlDialect dialect, int offset = 0);

// A table as FROM names it, without its alias: the table's name as the engine reads it, a
// derived table's query in parentheses, a WITH query's name as the statement writes it.
QString TableSourceText(const DesignTable &table, SqlDialect dialect);

// The FROM part of a SELECT whose design has a non-inner link: the first table, then each
// further table as "INNER JOIN", "LEFT JOIN", "RIGHT JOIN", "FULL JOIN" with its links'
// conditions after ON, or "CROSS JOIN" when no link ties it to a table before it. Tables
// tied by inner links are joined as one group; a group that an outer link reaches comes in
// parentheses when it has several tables (A LEFT JOIN (B INNER JOIN C ON ...) ON ...), so
// that the rows the outer link keeps are kept. usedConditions gets, per Conditions row,
// whether an ON took it. A link whose condition row is gone, or whose tables are not both on
// the canvas, joins nothing; without any other non-inner link the result is empty and the
// classic table line stands. aliases are the tables' aliases, as TableAliases gives them.
// VdqError when the engine lacks the join type (FULL on MySQL and MariaDB).
QStringList JoinedTableLines(const QueryDesign &design, const QStringList &aliases, QList<bool> *usedConditions);

// Per Conditions row, whether it is the condition of a link between two tables of the design
// (each link owns the first row that reads as its text).
QList<bool> LinkConditionRows(const QueryDesign &design, const QStringList &aliases);

// True when some link of the design is not inner and so needs JoinedTableLines.
bool HasOuterLinks(const QueryDesign &design);

// The totals of a table window's fields from the stored (text, total) pairs, matched by
// name as the ticks are; empty when no pair names a total.
QList<TotalKind> ApplyStoredTotals(const QStringList &fields, const QList<QPair<QString, QString>> &stored);
