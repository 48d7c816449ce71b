// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tquerymysql_p.h"

#include "tqueryreading_p.h"

#include <QDateTime>
#include <QTimeZone>

#include <mysql.h>

namespace TQueryReading {

// The client library's calls, looked up in the library the driver loaded.
struct MysqlRows::Api
{
    decltype(&mysql_real_query) realQuery;
    decltype(&mysql_use_result) useResult;
    decltype(&mysql_field_count) fieldCount;
    decltype(&mysql_num_fields) numFields;
    decltype(&mysql_fetch_fields) fetchFields;
    decltype(&mysql_fetch_row) fetchRow;
    decltype(&mysql_fetch_lengths) fetchLengths;
    decltype(&mysql_free_result) freeResult;
    decltype(&mysql_errno) errorNumber;
    decltype(&mysql_error) errorText;

    static const Api *get()
    {
        static const Api api{mysqlFunction<decltype(&mysql_real_query)>("mysql_real_query"),
                             mysqlFunction<decltype(&mysql_use_result)>("mysql_use_result"),
                             mysqlFunction<decltype(&mysql_field_count)>("mysql_field_count"),
                             mysqlFunction<decltype(&mysql_num_fields)>("mysql_num_fields"),
                             mysqlFunction<decltype(&mysql_fetch_fields)>("mysql_fetch_fields"),
                             mysqlFunction<decltype(&mysql_fetch_row)>("mysql_fetch_row"),
                             mysqlFunction<decltype(&mysql_fetch_lengths)>("mysql_fetch_lengths"),
                             mysqlFunction<decltype(&mysql_free_result)>("mysql_free_result"),
                             mysqlFunction<decltype(&mysql_errno)>("mysql_errno"),
                             mysqlFunction<decltype(&mysql_error)>("mysql_error")};
        const bool complete = api.realQuery && api.useResult && api.fieldCount && api.numFields && api.fetchFields
                              && api.fetchRow && api.fetchLengths && api.freeResult && api.errorNumber
                              && api.errorText;
        return complete ? &api : nullptr;
    }
};

namespace {

// The type Qt's driver gives a column of this kind.
QMetaType valueType(enum_field_types type, unsigned flags)
{
    const bool isUnsigned = flags & UNSIGNED_FLAG;
    switch (type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
        return QMetaType(isUnsigned ? QMetaType::UInt : QMetaType::Int);
    case MYSQL_TYPE_YEAR:
        return QMetaType(QMetaType::Int);
    case MYSQL_TYPE_LONGLONG:
        return QMetaType(isUnsigned ? QMetaType::ULongLong : QMetaType::LongLong);
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return QMetaType(QMetaType::Double);
    case MYSQL_TYPE_DATE:
        return QMetaType(QMetaType::QDate);
    case MYSQL_TYPE_TIME:
        return QMetaType(QMetaType::QString);  // up to 838 hours: no time of day
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return QMetaType(QMetaType::QDateTime);
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_GEOMETRY:
    case MYSQL_TYPE_JSON:
        return QMetaType((flags & BINARY_FLAG) ? QMetaType::QByteArray : QMetaType::QString);
    // BIT among them: the driver (of Qt 6.4) reads its bytes as UTF-8 text, not as a number.
    default:
        return QMetaType(QMetaType::QString);
    }
}

} // namespace

std::unique_ptr<MysqlRows> MysqlRows::run(const QSqlDatabase &db, const QString &statement)
{
    const Api *api = Api::get();
    void *mysql = mysqlHandle(db);
    if (!api || !mysql)
        return nullptr;
    std::unique_ptr<MysqlRows> rows(new MysqlRows(api, mysql, db.numericalPrecisionPolicy()));
    MYSQL *m = static_cast<MYSQL *>(mysql);
    const QByteArray text = statement.toUtf8();
    if (api->realQuery(m, text.constData(), static_cast<unsigned long>(text.size())) != 0) {
        rows->takeError();
        return rows;
    }
    MYSQL_RES *result = api->useResult(m);
    if (!result) {
        rows->takeError();  // none for a statement without rows
        return rows;
    }
    rows->m_result = result;
    const unsigned n = api->numFields(result);
    const MYSQL_FIELD *fields = api->fetchFields(result);
    for (unsigned i = 0; i < n; ++i) {
        const MYSQL_FIELD &f = fields[i];
        Column column{int(f.type), f.flags, valueType(f.type, f.flags), f.length};
        TFieldInfo info{QString::fromUtf8(f.name), TFieldKind::Other, -1};
        // TINY_BLOB .. BLOB: the TEXT family shares them, told apart by the binary charset.
        if (f.type >= MYSQL_TYPE_TINY_BLOB && f.type <= MYSQL_TYPE_BLOB)
            info.kind = column.meta.id() == QMetaType::QByteArray ? TFieldKind::Graphic : TFieldKind::Memo;
        else if (column.meta.id() == QMetaType::QString && f.length > 0 && f.length < 65536)
            info.size = int(f.length);
        rows->m_columns.append(column);
        rows->m_fields.append(info);
    }
    return rows;
}

MysqlRows::~MysqlRows()
{
    // Frees what the server still sends: a stopped run has had its statement cancelled.
    if (m_result)
        m_api->freeResult(static_cast<MYSQL_RES *>(m_result));
}

void MysqlRows::takeError()
{
    MYSQL *m = static_cast<MYSQL *>(m_mysql);
    if (m_api->errorNumber(m) != 0)
        m_error = QString::fromUtf8(m_api->errorText(m)).trimmed();
}

bool MysqlRows::next()
{
    if (!m_result)
        return false;
    m_row = m_api->fetchRow(static_cast<MYSQL_RES *>(m_result));
    if (!m_row) {
        // The end, or a failure the library tells: a lost connection, a cancel.
        takeError();
        return false;
    }
    m_lengths = m_api->fetchLengths(static_cast<MYSQL_RES *>(m_result));
    return true;
}

QVariant MysqlRows::value(int field) const
{
    const Column &c = m_columns.at(field);
    const char *bytes = m_row[field];
    if (!bytes)
        return QVariant(c.meta);
    const qsizetype size = qsizetype(m_lengths[field]);
    if (c.meta.id() == QMetaType::QByteArray)
        return QVariant(QByteArray(bytes, size));
    QString text = QString::fromUtf8(bytes, size);
    switch (c.meta.id()) {
    case QMetaType::LongLong:
        return QVariant(text.toLongLong());
    case QMetaType::ULongLong:
        return QVariant(text.toULongLong());
    case QMetaType::Int:
        return QVariant(text.toInt());
    case QMetaType::UInt:
        return QVariant(text.toUInt());
    case QMetaType::Double: {
        if (m_precision == QSql::HighPrecision)
            return QVariant(text);
        bool ok = false;
        const double x = text.toDouble(&ok);
        if (!ok)
            return QVariant();
        if (m_precision == QSql::LowPrecisionInt32)
            return QVariant(QVariant(x).toInt());
        if (m_precision == QSql::LowPrecisionInt64)
            return QVariant(QVariant(x).toLongLong());
        return QVariant(x);
    }
    case QMetaType::QDate:
        return QVariant(text.isEmpty() ? QDate() : QDate::fromString(text, Qt::ISODate));
    case QMetaType::QDateTime:
        if (text.isEmpty())
            return QVariant(QDateTime());
        if (text.size() == 14)  // a TIMESTAMP as yyyyMMddhhmmss
            text.insert(4, u'-').insert(7, u'-').insert(10, u'T').insert(13, u':').insert(16, u':');
        return QVariant(QDateTime::fromString(text, Qt::ISODate));
    default:
        return QVariant(text);
    }
}

void MysqlRows::encode(SpoolBuffer &out, int field, TFieldInfo *judged) const
{
    const Column &c = m_columns.at(field);
    const char *bytes = m_row[field];
    if (!bytes) {
        out.tag(TagNull);
        return;
    }
    const int n = int(m_lengths[field]);
    const QByteArray raw = QByteArray::fromRawData(bytes, n);
    switch (c.meta.id()) {
    case QMetaType::QByteArray:
        out.block(TagBytes, bytes, qint32(n));
        return;
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt: {
        // The driver reads the number from the text through a QString, as these do.
        const qint64 x = c.meta.id() == QMetaType::LongLong ? qint64(raw.toLongLong())
                         : c.meta.id() == QMetaType::Int    ? qint64(raw.toInt())
                                                            : qint64(raw.toUInt());
        out.tag(TagInt, &x, 8);
        return;
    }
    case QMetaType::ULongLong:
        encodeUnsigned(out, raw.toULongLong());
        return;
    case QMetaType::Double:
        if (m_precision == QSql::HighPrecision) {
            encodeUtf8Text(out, bytes, n, judged);
            return;
        }
        break;
    case QMetaType::QString:
        encodeUtf8Text(out, bytes, n, judged);
        return;
    default:
        break;
    }
    // Dates and times, numbers under the low precisions: as the driver's value.
    encodeJudged(out, value(field), judged);
}

} // namespace TQueryReading
