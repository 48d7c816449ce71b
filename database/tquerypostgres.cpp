// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tquerypostgres_p.h"

#include "tdatabase.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

#include <libpq-fe.h>

#include <cstdlib>

namespace TQueryReading {

// libpq's calls, looked up in the library the driver loaded.
struct PostgresRows::Api
{
    decltype(&PQgetResult) getResult;
    decltype(&PQresultStatus) resultStatus;
    decltype(&PQclear) clear;
    decltype(&PQnfields) nfields;
    decltype(&PQftype) ftype;
    decltype(&PQgetisnull) getisnull;
    decltype(&PQgetvalue) getvalue;
    decltype(&PQgetlength) getlength;
    decltype(&PQunescapeBytea) unescapeBytea;
    decltype(&PQfreemem) freemem;
    decltype(&PQerrorMessage) errorMessage;
    decltype(&PQresultErrorField) resultErrorField;

    static const Api *get()
    {
        static const Api api{libraryFunction<decltype(&PQgetResult)>(kLibPq, "PQgetResult"),
                             libraryFunction<decltype(&PQresultStatus)>(kLibPq, "PQresultStatus"),
                             libraryFunction<decltype(&PQclear)>(kLibPq, "PQclear"),
                             libraryFunction<decltype(&PQnfields)>(kLibPq, "PQnfields"),
                             libraryFunction<decltype(&PQftype)>(kLibPq, "PQftype"),
                             libraryFunction<decltype(&PQgetisnull)>(kLibPq, "PQgetisnull"),
                             libraryFunction<decltype(&PQgetvalue)>(kLibPq, "PQgetvalue"),
                             libraryFunction<decltype(&PQgetlength)>(kLibPq, "PQgetlength"),
                             libraryFunction<decltype(&PQunescapeBytea)>(kLibPq, "PQunescapeBytea"),
                             libraryFunction<decltype(&PQfreemem)>(kLibPq, "PQfreemem"),
                             libraryFunction<decltype(&PQerrorMessage)>(kLibPq, "PQerrorMessage"),
                             libraryFunction<decltype(&PQresultErrorField)>(kLibPq, "PQresultErrorField")};
        const bool complete = api.getResult && api.resultStatus && api.clear && api.nfields && api.ftype
                              && api.getisnull && api.getvalue && api.getlength && api.unescapeBytea && api.freemem
                              && api.errorMessage && api.resultErrorField;
        return complete ? &api : nullptr;
    }
};

namespace {

// The type OIDs the driver tells apart; any other is text.
enum Oid : unsigned {
    OidBool = 16, OidBytea = 17, OidInt8 = 20, OidInt2 = 21, OidInt4 = 23, OidRegproc = 24, OidXid = 28,
    OidCid = 29, OidFloat4 = 700, OidFloat8 = 701, OidAbstime = 702, OidReltime = 703, OidDate = 1082,
    OidTime = 1083, OidTimestamp = 1114, OidTimestamptz = 1184, OidTimetz = 1266, OidNumeric = 1700,
    OidOid = 2278
};

} // namespace

PostgresRows::PostgresRows(QSqlQuery &q, void *conn)
    : m_query(q), m_conn(conn), m_precision(q.numericalPrecisionPolicy())
{
    const Api *api = Api::get();
    // The driver asks for single rows on a forward-only query; when it got them, the result it
    // holds is the first row and the others wait on the connection.
    constexpr const char *kResultType = "PGresult*";
    const QVariant handle = q.result() ? q.result()->handle() : QVariant();
    void *first = handleOf<void *>(handle, kResultType);
    if (!first)
        first = handleOf<void *>(handle, "pg_result*");
    if (api && conn && first && api->resultStatus(static_cast<PGresult *>(first)) == PGRES_SINGLE_TUPLE) {
        m_api = api;
        m_own = true;
    }
}

PostgresRows::~PostgresRows()
{
    if (m_result)
        m_api->clear(static_cast<PGresult *>(m_result));
}

bool PostgresRows::next()
{
    if (m_ended)
        return false;
    if (!m_started || !m_own) {
        // The first row is the driver's; it says the failure of reading it as it always does.
        m_started = true;
        if (m_query.next())
            return true;
        m_ended = true;
        if (m_query.lastError().isValid())
            m_error = TDatabase::ErrorText(m_query.lastError());
        return false;
    }
    auto *conn = static_cast<PGconn *>(m_conn);
    if (m_result)
        m_api->clear(static_cast<PGresult *>(m_result));
    auto *result = m_api->getResult(conn);
    m_result = result;
    const int status = result ? m_api->resultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_SINGLE_TUPLE) {
        if (m_types.isEmpty()) {
            for (int i = 0, n = m_api->nfields(result); i < n; ++i)
                m_types.append(m_api->ftype(result, i));
        }
        return true;
    }
    m_ended = true;
    if (status != PGRES_TUPLES_OK) {
        // Worded as the driver words a row it could not get.
        QString message = QString::fromUtf8(m_api->errorMessage(conn));
        QString code;
        if (result) {
            code = QString::fromLatin1(m_api->resultErrorField(result, PG_DIAG_SQLSTATE));
            message += QStringLiteral("(%1)").arg(code);
        }
        m_error = TDatabase::ErrorText(
            QSqlError(QStringLiteral("QPSQL: ") + QCoreApplication::translate("QPSQLResult", "Unable to get result"),
                      message, QSqlError::StatementError, code));
    }
    if (result)
        m_api->clear(result);
    m_result = nullptr;
    return false;
}

void PostgresRows::encodeDouble(SpoolBuffer &out, const char *bytes, unsigned type) const
{
    if (type == OidNumeric && m_precision == QSql::HighPrecision) {
        const QString text = QString::fromLatin1(bytes);
        out.text(text);
        return;
    }
    bool ok = false;
    double x = QByteArray::fromRawData(bytes, qsizetype(qstrlen(bytes))).toDouble(&ok);
    if (!ok) {
        if (qstricmp(bytes, "NaN") == 0)
            x = qQNaN();
        else if (qstricmp(bytes, "Infinity") == 0)
            x = qInf();
        else if (qstricmp(bytes, "-Infinity") == 0)
            x = -qInf();
        else {
            out.tag(TagNull);  // the driver gives an invalid value
            return;
        }
    }
    if (type == OidNumeric && (m_precision == QSql::LowPrecisionInt64 || m_precision == QSql::LowPrecisionInt32)) {
        const qint64 whole = m_precision == QSql::LowPrecisionInt64 ? qint64(qlonglong(x)) : qint64(int(x));
        out.tag(TagInt, &whole, 8);
        return;
    }
    out.tag(TagDouble, &x, 8);
}

void PostgresRows::encode(SpoolBuffer &out, int column, TFieldInfo *judged) const
{
    if (!m_result) {
        encodeJudged(out, m_query.value(column), judged);
        return;
    }
    const auto *r = static_cast<const PGresult *>(m_result);
    if (m_api->getisnull(r, 0, column)) {
        out.tag(TagNull);
        return;
    }
    const char *bytes = m_api->getvalue(r, 0, column);
    const int n = m_api->getlength(r, 0, column);
    switch (m_types.value(column)) {
    case OidBool: {
        const char x = bytes[0] == 't';
        out.tag(TagBool, &x, 1);
        return;
    }
    case OidInt8:
        // Qt's driver gives a value not below zero as unsigned.
        if (bytes[0] == '-') {
            const qint64 x = QByteArray::fromRawData(bytes, n).toLongLong();
            out.tag(TagInt, &x, 8);
        } else {
            encodeUnsigned(out, QByteArray::fromRawData(bytes, n).toULongLong());
        }
        return;
    case OidInt2:
    case OidInt4:
    case OidOid:
    case OidRegproc:
    case OidXid:
    case OidCid: {
        // As atoi() reads it: a value past int wraps as the driver's does.
        const qint64 x = int(std::strtol(bytes, nullptr, 10));
        out.tag(TagInt, &x, 8);
        return;
    }
    case OidNumeric:
    case OidFloat4:
    case OidFloat8:
        encodeDouble(out, bytes, m_types.value(column));
        return;
    case OidAbstime:
    case OidReltime:
    case OidDate:
        TQueryReading::encode(out, QDate::fromString(QLatin1StringView(bytes, n), Qt::ISODate));
        return;
    case OidTime:
    case OidTimetz:
        TQueryReading::encode(out, QTime::fromString(QLatin1StringView(bytes, n), Qt::ISODate));
        return;
    case OidTimestamp:
    case OidTimestamptz: {
        // As the driver reads it: an offset of hours alone made one of hours and minutes,
        // the time given as local time.
        QString text = QString::fromLatin1(bytes, n);
        if (text.size() < 10) {
            TQueryReading::encode(out, QDateTime());
            return;
        }
        const QChar sign = text.at(text.size() - 3);
        if (sign == u'-' || sign == u'+')
            text += QStringLiteral(":00");
        TQueryReading::encode(out, QDateTime::fromString(text, Qt::ISODate).toLocalTime());
        return;
    }
    case OidBytea: {
        size_t length = 0;
        unsigned char *raw = m_api->unescapeBytea(reinterpret_cast<const unsigned char *>(bytes), &length);
        out.block(TagBytes, raw, raw ? qint32(length) : 0);
        if (raw)
            m_api->freemem(raw);
        return;
    }
    default:
        encodeUtf8Text(out, bytes, n, judged);
        return;
    }
}

namespace {

// The plan of a statement as EXPLAIN (FORMAT JSON, VERBOSE) gives it; empty when it fails.
QJsonObject planOf(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("EXPLAIN (FORMAT JSON, VERBOSE) ") + sql) || !q.next())
        return {};
    return QJsonDocument::fromJson(q.value(0).toString().toUtf8()).array().at(0).toObject().value(u"Plan").toObject();
}

// A sequential scan, not in parallel, without a filter or a plan below it, giving columns of
// the table and nothing computed. EXPLAIN writes a column as a name, qualified where the
// statement has more than one relation, quoted unless it is lower-case ASCII; a constant, an
// expression or CURRENT_TIMESTAMP and its kin are written otherwise.
bool plainScanNode(const QJsonObject &node)
{
    static const QRegularExpression column(
        QStringLiteral(R"(^(?:(?:"(?:[^"]|"")*"|[a-z_][a-z0-9_]*)\.)?(?:"(?:[^"]|"")*"|[a-z_][a-z0-9_]*)$)"));
    if (node.value(u"Node Type").toString() != QLatin1String("Seq Scan") || node.value(u"Parallel Aware").toBool()
        || node.contains(u"Plans") || node.contains(u"Filter"))
        return false;
    const QJsonArray outputs = node.value(u"Output").toArray();
    for (const QJsonValue &output : outputs) {
        if (!column.match(output.toString()).hasMatch())
            return false;
    }
    return !outputs.isEmpty();
}

bool run(QSqlDatabase &db, const QStringList &statements)
{
    for (const QString &statement : statements) {
        QSqlQuery q(db);
        if (!q.exec(statement))
            return false;
    }
    return true;
}

} // namespace

bool postgresPlainScan(QSqlDatabase &db, const QString &sql)
{
    return plainScanNode(planOf(db, sql));
}

QString postgresExportSnapshot(QSqlDatabase &db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT pg_export_snapshot()")) && q.next() ? q.value(0).toString() : QString();
}

bool readPostgresEnd(QSqlDatabase &db, const QString &snapshot, const QString &sql, qint64 read, int rows,
                     EndRows &end)
{
    // A comment at the end of the text must not swallow the bracket around it.
    const QString inner = QStringLiteral("(%1\n) AS vdq_result").arg(sql);
    if (snapshot.isEmpty()
        || !run(db, {QStringLiteral("START TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY"),
                     QStringLiteral("SET TRANSACTION SNAPSHOT '%1'").arg(snapshot),
                     QStringLiteral("SET synchronize_seqscans = off")})
        || !postgresPlainScan(db, sql))
        return false;
    qint64 total = -1;
    {
        QSqlQuery count(db);
        if (!count.exec(QStringLiteral("SELECT count(*) FROM ") + inner) || !count.next())
            return false;
        total = count.value(0).toLongLong();
    }
    // The reading is about to get there itself.
    if (total - read <= rows)
        return false;
    const qint64 from = total - rows;
    // The rows after the offset as the scan gives them: one scan, in the order of the pages.
    const QString tailSql = QStringLiteral("SELECT * FROM %1 OFFSET %2").arg(inner).arg(from);
    if (!run(db, {QStringLiteral("SET max_parallel_workers_per_gather = 0")}))
        return false;
    const QJsonObject limit = planOf(db, tailSql);
    const QJsonArray below = limit.value(u"Plans").toArray();
    if (limit.value(u"Node Type").toString() != QLatin1String("Limit") || below.size() != 1
        || !plainScanNode(below.at(0).toObject()))
        return false;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(tailSql))
        return false;
    PostgresRows last(q, postgresHandle(db));
    SpoolBuffer buffer;
    const int columns = q.record().count();
    qint64 got = 0;
    while (last.next()) {
        for (int i = 0; i < columns; ++i)
            last.encode(buffer, i, nullptr);
        ++got;
    }
    if (!last.error().isEmpty() || got != rows)
        return false;
    end.total = total;
    end.from = from;
    end.bytes = QByteArray(buffer.data(), buffer.size());
    return true;
}

} // namespace TQueryReading
