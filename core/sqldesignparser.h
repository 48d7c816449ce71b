// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querydefinition.h"
#include "sqldialect.h"

#include <QString>
#include <QStringList>

#include <functional>

// What the reader of a statement needs from the database: the engine's way of writing
// names (the dialect decides how the text is split: quotes, backticks, string escapes,
// comments; the style how the design writes field references), the table names, and
// the fields of one table.
struct SqlDesignSource
{
    IdentifierStyle style;
    // The database's table names; when empty, a table is taken by the name it is written with.
    std::function<QStringList()> tableNames;
    // Field names in table order; raises VdqError for a table that cannot be opened.
    std::function<QStringList(const QString &table)> tableFields;
    // The column names of a query's result, the query run so that it gives no rows (a
    // derived table or a WITH query has the fields its query gives); raises VdqError with
    // the engine's message. When empty, such a statement is refused.
    std::function<QStringList(const QString &select)> queryFields{};
};

// The design of one SELECT, INSERT, UPDATE or DELETE statement, as the designer's file holds
// it: each table with all its fields, placed as a double click places it (left 50 + 145 k,
// top 40, the default size), ticked as the column list says (INSERT, UPDATE and DELETE tick
// every field, as a placed table comes up); a link for each join, with its type and its
// condition as hint; the three lists; the query type, Distinct, the limit and the totals.
// Session and database are left empty for the caller.
//
// A SELECT whose column list the ticks cannot give (another order, names after AS,
// expressions, totals as the statement writes them) keeps its columns in the design's
// Columns list. Subqueries, CASE and window functions are kept as written; a derived table
// or a WITH query becomes a window of the columns the engine gives its query; the tables
// keep the statement's aliases where they are plain.
//
// A statement a design cannot show raises VdqError naming the first part that cannot be
// shown, with its line and column (a UNION, a join condition that is not an equality of two
// fields, an unknown table, ...).
QueryDefinition DesignFromSql(const QString &sql, const SqlDesignSource &source);
