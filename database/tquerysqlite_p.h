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

    // The next row; false at the end or on a failure, which error() then tells.
    bool next();
    // Writes the row's value of the column as encode() writes the driver's value of it. A
    // field not null is the one judged a memo or not by the value (the first rows).
    void encode(SpoolBuffer &out, int column, TFieldInfo *judged) const;
    // The engine's message of a failure while reading, as the driver words it; empty when none.
    QString error() const { return m_error; }

private:
    QSqlQuery &m_query;
    sqlite3_stmt *m_statement;
    QSql::NumericalPrecisionPolicy m_precision;
    // The first row is the driver's: it stepped to it to learn the result's columns.
    bool m_onDriverRow = false;
    bool m_started = false;
    bool m_ended = false;
    QString m_error;
};

} // namespace TQueryReading
