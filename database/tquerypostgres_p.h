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

} // namespace TQueryReading
