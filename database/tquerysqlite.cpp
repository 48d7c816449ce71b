#include "tquerysqlite_p.h"

#include "tdatabase.h"

#include <QCoreApplication>
#include <QSqlError>

namespace TQueryReading {

SqliteRows::SqliteRows(QSqlQuery &q, sqlite3_stmt *statement)
    : m_query(q), m_statement(statement), m_precision(q.numericalPrecisionPolicy())
{
}

bool SqliteRows::next()
{
    if (m_ended)
        return false;
    if (!m_started) {
        // The driver's next() hands out the row it has stepped to (or steps itself), and
        // says the failure of that step as it always does.
        m_started = true;
        m_onDriverRow = m_query.next();
        if (!m_onDriverRow) {
            m_ended = true;
            if (m_query.lastError().isValid())
                m_error = TDatabase::ErrorText(m_query.lastError());
        }
        return m_onDriverRow;
    }
    m_onDriverRow = false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    m_ended = true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_statement);
        return false;
    }
    // Worded as the driver words a failed step (its reset gives the code of a plain error).
    sqlite3 *db = sqlite3_db_handle(m_statement);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const int reset = sqlite3_reset(m_statement);
    const int code = rc == SQLITE_ERROR || rc == SQLITE_CONSTRAINT ? reset : rc;
    m_error = TDatabase::ErrorText(QSqlError(QCoreApplication::translate("QSQLiteResult", "Unable to fetch row"),
                                             message, QSqlError::ConnectionError, QString::number(code)));
    return false;
}

void SqliteRows::encode(SpoolBuffer &out, int column, TFieldInfo *judged) const
{
    if (m_onDriverRow) {
        encodeJudged(out, m_query.value(column), judged);
        return;
    }
    sqlite3_stmt *s = m_statement;
    switch (sqlite3_column_type(s, column)) {
    case SQLITE_NULL:
        out.tag(TagNull);
        return;
    case SQLITE_INTEGER: {
        const qint64 x = sqlite3_column_int64(s, column);
        out.tag(TagInt, &x, 8);
        return;
    }
    case SQLITE_FLOAT: {
        // The driver makes a real an integer under the low-precision integer policies.
        if (m_precision == QSql::LowPrecisionInt32 || m_precision == QSql::LowPrecisionInt64) {
            const qint64 x = m_precision == QSql::LowPrecisionInt32 ? qint64(sqlite3_column_int(s, column))
                                                                    : qint64(sqlite3_column_int64(s, column));
            out.tag(TagInt, &x, 8);
        } else {
            const double x = sqlite3_column_double(s, column);
            out.tag(TagDouble, &x, 8);
        }
        return;
    }
    case SQLITE_BLOB: {
        const void *bytes = sqlite3_column_blob(s, column);
        out.block(TagBytes, bytes, qint32(sqlite3_column_bytes(s, column)));
        return;
    }
    default:
        break;
    }
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(s, column));
    if (encodeAsciiText(out, utf8, sqlite3_column_bytes(s, column), judged))
        return;
    // Any other text as the driver reads it: the engine's own UTF-16, whatever the bytes held.
    const void *utf16 = sqlite3_column_text16(s, column);
    out.text(static_cast<const QChar *>(utf16), sqlite3_column_bytes16(s, column) / qsizetype(sizeof(QChar)));
}

} // namespace TQueryReading
