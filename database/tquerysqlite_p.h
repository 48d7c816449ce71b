// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// SQLite: a SELECT's rows read straight from the statement Qt's driver prepared and ran,
// value by value with the engine's column calls, into the spool. Qt's driver makes a
// QVariant of every value first, which costs twice as much as the engine's own reading.
// The spool gets the bytes that the driver's values would have given. Private to the query.

#include "tqueryreading_p.h"

#include <QSqlQuery>

namespace TQueryReading {

class SqliteRows
{
public:
    // The rows of a query of the SQLite driver that has run, forward only and not read
    // from yet; its statement is the one the driver ran, read on from where the driver is.
    SqliteRows(QSqlQuery &q, sqlite3_stmt *statement);
    // The rows of a statement of its own, not stepped yet, with the driver's values of a
    // connection of that precision.
    SqliteRows(sqlite3_stmt *statement, QSql::NumericalPrecisionPolicy precision);

    // The next row; false at the end or on a failure, which error() then tells.
    bool next();
    // Writes the row's value of the column as encode() writes the driver's value of it. A
    // field not null is the one judged a memo or not by the value (the first rows).
    void encode(SpoolBuffer &out, int column, TFieldInfo *judged) const;
    // The engine's message of a failure while reading, as the driver words it; empty when none.
    QString error() const { return m_error; }

private:
    QSqlQuery *m_query;  // null for a statement of its own
    sqlite3_stmt *m_statement;
    QSql::NumericalPrecisionPolicy m_precision;
    // The first row is the driver's: it stepped to it to learn the result's columns.
    bool m_onDriverRow = false;
    bool m_started = false;
    bool m_ended = false;
    QString m_error;
};

// Reads the last rows (at most `rows` of them, and none the reading has passed: it is at
// row `read`) of the result of a statement that is being stepped and has not ended, with
// statements of its own on the same connection. A connection with a statement that has
// not ended holds its read transaction open: every statement on it sees the data as that
// one does, whatever other connections write meanwhile. They are the rows the statement
// itself will give only where it gives them in an order fixed by the data and nothing
// else, without a value that could come out otherwise a second time; so this reads them
// only for a statement that
//   - SQLite says is read-only, and has no parameters (their values cannot be read back);
//   - calls no function and reads no virtual table (random(), the time of 'now', a
//     table-valued function: values or rows of their own each time);
//   - is planned as a single scan or search of one table or index, with no sort, grouping,
//     DISTINCT, join, subquery or compound: its rows come in the order of that b-tree, and
//     the same plan of the statement read after an offset must be the same one scan.
// A sorted result, where ties may come in either order, is not read ahead. False, with
// nothing in `end`, where it does not read them (or the statement failed, was interrupted).
bool readSqliteEnd(sqlite3_stmt *running, QSql::NumericalPrecisionPolicy precision, qint64 read, int rows,
                   EndRows &end);

} // namespace TQueryReading
