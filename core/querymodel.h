// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The design as the statement builders, the dialogs and the file format see it: plain
// values, read from the designer's windows and lists at the moment they are needed.

enum class QueryType : unsigned char { Select = 0, Insert = 1, Update = 2, Delete = 3 };

// The query type a stored number or a control's tag names; nothing for any other number.
inline std::optional<QueryType> QueryTypeFromTag(int tag)
{
    if (tag < int(QueryType::Select) || tag > int(QueryType::Delete))
        return std::nullopt;
    return QueryType(tag);
}

// Which rows a join link keeps. Inner keeps the rows where both tables match and is written
// as the classic comma join with its condition in WHERE; Left keeps every row of the table
// the link was dragged from (table1), Right every row of table2, Full both.
enum class JoinType : unsigned char { Inner = 0, Left = 1, Right = 2, Full = 3 };

// A field's part in a design with totals: None outside one; with totals, a ticked field
// without a function is grouped.
enum class TotalKind : unsigned char { None = 0, Group, Count, Sum, Avg, Min, Max };

// Where a window's rows come from: a table of the database, a query in the FROM clause
// (a derived table), or a query the WITH clause names.
enum class TableSource : unsigned char { Table = 0, Derived = 1, With = 2 };

struct DesignTable
{
    QString caption;      // the table name as the database lists it; a WITH query's name
    QStringList fields;   // field names in table order
    QList<bool> checked;  // one tick per field
    QList<TotalKind> totals;  // one per field, or empty: no totals in this table
    QString alias{};      // the window's own alias; empty: TableAlias(caption), made unique
    TableSource source = TableSource::Table;
    QString query{};      // Derived: the query's text, without its parentheses
};

struct DesignLink
{
    QString table1;     // caption of the window the drag started from
    QString table2;     // caption of the drop target's window
    QString condition;  // the link's text, also the text of its Conditions row
    JoinType joinType = JoinType::Inner;
    // The aliases of the two windows; empty: the first table of that caption.
    QString alias1{};
    QString alias2{};
};

struct ConditionRow
{
    QString fieldName;
    QString condition;
    QString value;
    QString booleanOperator;
    // Grouping: what opens before the row ("(", "NOT (", "((", "NOT ") and what closes after
    // its value (")", "))"); empty for an ungrouped row.
    QString open{};
    QString close{};
};

// A column of a SELECT whose columns the design holds in their own order: a field, a
// calculated field (any expression over the design's fields, a total of one, a window
// function, a scalar subquery), with an optional name.
struct OutputColumn
{
    QString expression;  // as the column list writes it
    QString name;        // written after AS; empty: none
    bool grouped = false;  // the expression is one of GROUP BY's
    bool shown = true;     // false: in GROUP BY only
};

struct ValueRow
{
    QString fieldName;  // bare field name
    QString value;
};

struct SortRow
{
    QString fieldName;
    QString ascending;  // "Yes" or "No"
};

struct QueryDesign
{
    QueryType queryType = QueryType::Select;
    QList<DesignTable> tables;  // canvas child order
    QList<ConditionRow> conditions;
    QList<ValueRow> values;
    QList<SortRow> sorting;
    QList<DesignLink> links;  // canvas order; only non-inner links change the text
    bool distinct = false;
    int limit = 0;  // at most this many rows; 0: no limit
    int offset = 0;  // rows skipped before the first one shown
    // Non-empty: the SELECT's columns in this order, and its GROUP BY the grouped ones; empty:
    // the ticked fields in canvas and table order, grouped by their totals.
    QList<OutputColumn> columns;
    QString with;  // the WITH clause the statement starts with ("WITH x AS (...)"), or empty
    IdentifierStyle style;
};
