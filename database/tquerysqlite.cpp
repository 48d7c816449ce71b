// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tquerysqlite_p.h"

#include "tdatabase.h"

#include <QCoreApplication>
#include <QSqlError>

namespace TQueryReading {

SqliteRows::SqliteRows(QSqlQuery &q, sqlite3_stmt *statement)
    : m_query(&q), m_statement(statement), m_precision(q.numericalPrecisionPolicy())
{
}

SqliteRows::SqliteRows(sqlite3_stmt *statement, QSql::NumericalPrecisionPolicy precision)
    : m_query(nullptr), m_statement(statement), m_precision(precision), m_started(true)
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
        m_onDriverRow = m_query->next();
        if (!m_onDriverRow) {
            m_ended = true;
            if (m_query->lastError().isValid())
                m_error = TDatabase::ErrorText(m_query->lastError());
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
        encodeJudged(out, m_query->value(column), judged);
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

namespace {

// A statement of its own, finalized when it goes.
class Statement
{
public:
    Statement(sqlite3 *db, const QByteArray &sql)
    {
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    sqlite3_stmt *get() const { return m_statement; }

private:
    sqlite3_stmt *m_statement = nullptr;
};

// The steps of the plan of a statement, as EXPLAIN QUERY PLAN words them; empty when it
// cannot be explained.
QStringList planOf(sqlite3 *db, const QByteArray &sql)
{
    Statement plan(db, "EXPLAIN QUERY PLAN " + sql);
    QStringList steps;
    while (plan.get() && sqlite3_step(plan.get()) == SQLITE_ROW)
        steps << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan.get(), 3)));
    return steps;
}

// Whether the statement's program calls a function or reads a virtual table.
bool callsOut(sqlite3 *db, const QByteArray &sql)
{
    Statement program(db, "EXPLAIN " + sql);
    if (!program.get())
        return true;
    static const QList<QByteArray> calls{"Function", "PureFunc", "Function0", "PureFunc0", "VOpen", "VFilter",
                                         "VColumn"};
    while (sqlite3_step(program.get()) == SQLITE_ROW) {
        if (calls.contains(reinterpret_cast<const char *>(sqlite3_column_text(program.get(), 1))))
            return true;
    }
    return false;
}

bool oneScan(const QStringList &plan)
{
    if (plan.size() != 1)
        return false;
    const QString &step = plan.constFirst();
    return (step.startsWith(QLatin1String("SCAN ")) || step.startsWith(QLatin1String("SEARCH ")))
           && !step.contains(QLatin1String("VIRTUAL TABLE"));
}

} // namespace

bool readSqliteEnd(sqlite3_stmt *running, QSql::NumericalPrecisionPolicy precision, qint64 read, int rows,
                   EndRows &end)
{
    if (!running || !sqlite3_stmt_readonly(running) || sqlite3_bind_parameter_count(running) > 0
        || !sqlite3_stmt_busy(running))
        return false;
    sqlite3 *db = sqlite3_db_handle(running);
    // A comment at the end of the text must not swallow the bracket around it.
    const QByteArray sql = '(' + QByteArray(sqlite3_sql(running)) + "\n)";
    const QStringList plan = planOf(db, QByteArray(sqlite3_sql(running)));
    if (!oneScan(plan) || callsOut(db, QByteArray(sqlite3_sql(running))))
        return false;
    Statement count(db, "SELECT count(*) FROM " + sql);
    if (!count.get() || sqlite3_step(count.get()) != SQLITE_ROW)
        return false;
    const qint64 total = sqlite3_column_int64(count.get(), 0);
    // The reading is about to get there itself.
    if (total - read <= rows)
        return false;
    const QByteArray tailSql = "SELECT * FROM " + sql + " LIMIT -1 OFFSET ?1";
    if (planOf(db, tailSql) != plan)
        return false;
    Statement tail(db, tailSql);
    if (!tail.get())
        return false;
    const qint64 from = total - rows;
    sqlite3_bind_int64(tail.get(), 1, from);
    SqliteRows last(tail.get(), precision);
    SpoolBuffer buffer;
    const int columns = sqlite3_column_count(tail.get());
    qint64 got = 0;
    while (last.next()) {
        for (int i = 0; i < columns; ++i)
            last.encode(buffer, i, nullptr);
        ++got;
    }
    if (!last.error().isEmpty() || got != rows || columns != sqlite3_column_count(running))
        return false;
    end.total = total;
    end.from = from;
    end.bytes = QByteArray(buffer.data(), buffer.size());
    return true;
}

} // namespace TQueryReading
