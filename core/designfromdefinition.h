// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querydefinition.h"
#include "querymodel.h"

#include <functional>

// The design a query definition describes, as the designer would hold it after opening the
// file: each stored table with the fields the database gives it now (ticks matched by name),
// the links with their join types, totals, DISTINCT and the limit,
// the three lists as stored, the query type (Select Query for a value outside 0 to 3).
// tableFields raises VdqError for a table that cannot be opened.
QueryDesign DesignFromDefinition(const QueryDefinition &definition,
                                 const std::function<QStringList(const QString &table)> &tableFields,
                                 const IdentifierStyle &style);

// (item text, total text) pairs of a stored table, for ApplyStoredTotals.
QList<QPair<QString, QString>> StoredTotals(const StoredTable &table);

// List rows of a stored list, padded or cut to the list's columns.
QList<ConditionRow> ConditionRowsOf(const StoredList &list);
QList<ValueRow> ValueRowsOf(const StoredList &list);
QList<SortRow> SortRowsOf(const StoredList &list);
