// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// PostgreSQL: a SELECT's rows read on from the result Qt's driver has started, row by row as
// libpq hands them out in single-row mode, into the spool. Qt's driver makes a QVariant of
// every value first; this writes the bytes that the driver's values would have given.
// Private to the query.

#include "tqueryreading_p.h"

#include <QSqlQuery>

namespace TQueryReading {

class PostgresRows
{
public:
    // The rows of a forward-only query of the PostgreSQL driver that has run and not been
    // read from yet; conn is the driver's connection. The driver reads all of them itself
    // when it did not get the result row by row, or libpq's calls are not at hand.
    PostgresRows(QSqlQuery &q, void *conn);
    ~PostgresRows();
    PostgresRows(const PostgresRows &) = delete;
    PostgresRows &operator=(const PostgresRows &) = delete;

    // The next row; false at the end or on a failure, which error() then tells.
    bool next();
    // Writes the row's value of the column as encode() writes the driver's value of it. A
    // field not null is the one judged a memo or not by the value (the first rows).
    void encode(SpoolBuffer &out, int column, TFieldInfo *judged) const;
    // The engine's message of a failure while reading, as the driver words it; empty when none.
    QString error() const { return m_error; }

private:
    struct Api;
    void encodeDouble(SpoolBuffer &out, const char *bytes, unsigned type) const;

    QSqlQuery &m_query;
    void *m_conn;
    const Api *m_api = nullptr;
    QSql::NumericalPrecisionPolicy m_precision;
    void *m_result = nullptr;  // the row read here, null on the driver's
    QList<unsigned> m_types;   // of the columns, by the first row read here
    bool m_own = false;        // rows past the first come from libpq here
    bool m_started = false;
    bool m_ended = false;
    QString m_error;
};

// Whether the statement's plan, as the engine explains it on this connection, is a plain scan
// of one table: a sequential scan, not in parallel, without a filter, giving its columns and
// nothing computed. Its rows come in the order of the table's pages, the same to every
// reading of the same snapshot (with synchronize_seqscans off), and no function is called.
bool postgresPlainScan(QSqlDatabase &db, const QString &sql);

// Exports the snapshot of the connection's transaction (REPEATABLE READ); empty on a failure.
QString postgresExportSnapshot(QSqlDatabase &db);

// Reads the last rows (at most `rows` of them, and none the reading has passed: it is at row
// `read`) of the result of a statement being read on another connection, on db, a connection
// of its own, in the snapshot that one exported: the data exactly as the statement sees them.
// They are the rows it will give itself where its plan is a plain scan (postgresPlainScan):
// that is asked again here, of the statement and of the one read after an offset. A sorted
// result, where ties may come in either order, a join, a filter or a computed value are not
// read ahead. False, with nothing in `end`, where it does not read them or a statement failed.
bool readPostgresEnd(QSqlDatabase &db, const QString &snapshot, const QString &sql, qint64 read, int rows,
                     EndRows &end);

} // namespace TQueryReading
