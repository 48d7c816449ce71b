// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tresultexport.h"

#include "resulttext.h"
#include "tqueryreading_p.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>

#include <cstring>

using namespace TQueryReading;

namespace {

// The text's bytes go out as they are where they are ASCII (most texts).
bool isAscii(const char *bytes, qsizetype n)
{
    unsigned char any = 0;
    for (qsizetype i = 0; i < n; ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    return any < 0x80;
}

// A number as JSON writes it: PostgreSQL's and MySQL's exact decimals come as their text.
bool isJsonNumber(const char *s, qsizetype n)
{
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i > from;
    };
    if (i < n && s[i] == '-')
        ++i;
    if (i < n && s[i] == '0')
        ++i;
    else if (!digits())
        return false;
    if (i < n && s[i] == '.') {
        ++i;
        if (!digits())
            return false;
    }
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (!digits())
            return false;
    }
    return i == n;
}

QString timeText(const QTime &t)
{
    return t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
}

// The texts of dates and times as the engines write them: ISO dates, a space before the time.
QString dateTimeText(const QDateTime &t)
{
    QString text = t.date().toString(Qt::ISODate) + u' ' + timeText(t.time());
    if (t.timeSpec() == Qt::UTC)
        text += u'Z';
    return text;
}

} // namespace

TResultExport::TResultExport(const TQuery &query, Format format, QIODevice &out)
    : m_query(query), m_format(format), m_out(out), m_fields(query.Fields())
{
    for (const TFieldInfo &field : std::as_const(m_fields)) {
        QByteArray key;
        const QByteArray name = field.name.toUtf8();
        AppendJsonString(key, name.constData(), name.size());
        key += ':';
        m_keys.append(key);
    }
}

bool TResultExport::write(const QByteArray &bytes)
{
    if (m_out.write(bytes) == bytes.size())
        return true;
    m_error = m_out.errorString();
    return false;
}

bool TResultExport::Begin()
{
    if (m_format == Format::Json)
        return write(QByteArrayLiteral("["));
    QByteArray line;
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const QByteArray name = m_fields.at(i).name.toUtf8();
        AppendCsvField(line, name.constData(), name.size());
    }
    line += "\r\n";
    return write(line);
}

bool TResultExport::Finish()
{
    if (m_format == Format::Csv)
        return true;
    return write(m_cursor.row > 0 ? QByteArrayLiteral("}\n]\n") : QByteArrayLiteral("]\n"));
}

bool TResultExport::AtEnd() const
{
    // Whether the reading has ended first: the rows read are final then.
    const bool ended = !m_query.IsReading();
    return ended && m_cursor.row >= m_query.RowsRead();
}

qint64 TResultExport::WriteAvailable(qint64 maxBytes)
{
    const qint64 first = m_cursor.row;
    const qint64 rows = m_query.ReadSpooled(m_cursor, m_spool, maxBytes);
    if (rows < 0) {
        m_error = QStringLiteral("The result's rows could not be read back");
        return -1;
    }
    if (rows == 0)
        return 0;
    m_text.resize(0);  // keeps its allocation for the next chunk
    // Which row the text starts with decides JSON's separator; the cursor is behind them now.
    const qint64 behind = m_cursor.row;
    m_cursor.row = first;
    const bool ok = appendRows(m_spool, rows);
    m_cursor.row = behind;
    if (!ok) {
        m_error = QStringLiteral("The result's rows could not be read back");
        return -1;
    }
    return write(m_text) ? rows : -1;
}

bool TResultExport::WriteAll()
{
    if (!Begin())
        return false;
    while (!AtEnd()) {
        const qint64 rows = WriteAvailable();
        if (rows < 0)
            return false;
        // Waits for the next row, or for the end of the reading.
        if (rows == 0)
            m_query.HasRow(m_cursor.row);
    }
    return Finish();
}

bool TResultExport::appendRows(const QByteArray &spool, qint64 rows)
{
    const bool json = m_format == Format::Json;
    const char *in = spool.constData();
    const qsizetype size = spool.size();
    qsizetype pos = 0;
    QByteArray &out = m_text;
    out.reserve(size + size / 4 + 64);
    // A value's text in UTF-8, as a field of its format.
    const auto text = [&](const char *utf8, qsizetype n, bool number) {
        if (!json)
            AppendCsvField(out, utf8, n);
        else if (number && isJsonNumber(utf8, n))
            out.append(utf8, n);
        else
            AppendJsonString(out, utf8, n);
    };
    const auto string = [&](const QString &s, bool number = false) {
        const QByteArray utf8 = s.toUtf8();
        text(utf8.constData(), utf8.size(), number);
    };
    const auto length = [&](qint32 &n) {
        if (pos + 4 > size)
            return false;
        std::memcpy(&n, in + pos, 4);
        pos += 4;
        return n >= 0 && pos + n <= size;
    };
    // A date as YYYY-MM-DD, without the detour through a QString (dates are common in results).
    const auto appendDate = [&](qint64 day) {
        int y = 0, m = 0, d = 0;
        const QDate date = QDate::fromJulianDay(day);
        date.getDate(&y, &m, &d);
        if (!date.isValid() || y < 1 || y > 9999) {
            string(date.toString(Qt::ISODate));
            return;
        }
        const char digits[] = {'"',
                               char('0' + y / 1000), char('0' + y / 100 % 10), char('0' + y / 10 % 10), char('0' + y % 10),
                               '-', char('0' + m / 10), char('0' + m % 10), '-', char('0' + d / 10), char('0' + d % 10),
                               '"'};
        // CSV needs no quotes around it, JSON does.
        if (json)
            out.append(digits, sizeof digits);
        else
            out.append(digits + 1, sizeof digits - 2);
    };
    const int columns = int(m_fields.size());
    for (qint64 r = 0; r < rows; ++r) {
        if (json)
            out += m_cursor.row + r > 0 ? "},\n{" : "\n{";
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out += ',';
            if (json)
                out += m_keys.at(c);
            if (pos >= size)
                return false;
            const char tag = in[pos++];
            switch (tag) {
            case TagNull:
                if (json)
                    out += "null";
                break;
            case TagInt: {
                if (pos + 8 > size)
                    return false;
                qint64 x;
                std::memcpy(&x, in + pos, 8);
                pos += 8;
                AppendInteger(out, x);
                break;
            }
            case TagDouble: {
                if (pos + 8 > size)
                    return false;
                double x;
                std::memcpy(&x, in + pos, 8);
                pos += 8;
                AppendDouble(out, x, json);
                break;
            }
            case TagBool:
                if (pos + 1 > size)
                    return false;
                out += in[pos++] ? "true" : "false";
                break;
            case TagLatin1: {
                qint32 n;
                if (!length(n))
                    return false;
                if (isAscii(in + pos, n))
                    text(in + pos, n, m_fields.at(c).number);
                else
                    string(QString::fromLatin1(in + pos, n));
                pos += n;
                break;
            }
            case TagString: {
                qint32 n;
                if (!length(n) || n % 2 != 0)
                    return false;
                QString s(n / 2, Qt::Uninitialized);
                std::memcpy(s.data(), in + pos, size_t(n));
                pos += n;
                string(s);
                break;
            }
            case TagBytes: {
                qint32 n;
                if (!length(n))
                    return false;
                // Text kept as bytes goes as text; other bytes in PostgreSQL's hex form.
                const QByteArrayView bytes(in + pos, n);
                pos += n;
                if (QUtf8StringView(bytes.data(), bytes.size()).isValidUtf8())
                    text(bytes.data(), bytes.size(), false);
                else
                    string(QStringLiteral("\\x") + QString::fromLatin1(bytes.toByteArray().toHex()));
                break;
            }
            case TagDate: {
                if (pos + 8 > size)
                    return false;
                qint64 day;
                std::memcpy(&day, in + pos, 8);
                pos += 8;
                appendDate(day);
                break;
            }
            case TagTime: {
                if (pos + 4 > size)
                    return false;
                qint32 ms;
                std::memcpy(&ms, in + pos, 4);
                pos += 4;
                string(timeText(QTime::fromMSecsSinceStartOfDay(ms)));
                break;
            }
            case TagDateTime: {
                if (pos + 9 > size)
                    return false;
                qint64 ms;
                std::memcpy(&ms, in + pos, 8);
                const char spec = in[pos + 8];
                pos += 9;
                string(dateTimeText(QDateTime::fromMSecsSinceEpoch(ms, Qt::TimeSpec(spec))));
                break;
            }
            case TagOther: {
                qint32 n;
                if (!length(n))
                    return false;
                QVariant v;
                QDataStream stream(QByteArray::fromRawData(in + pos, n));
                stream >> v;
                pos += n;
                if (v.isNull()) {
                    if (json)
                        out += "null";
                } else if (v.metaType().id() == QMetaType::QDateTime) {
                    string(v.toDateTime().toString(Qt::ISODateWithMs));
                } else {
                    const bool number = v.metaType().id() == QMetaType::ULongLong || v.metaType().id() == QMetaType::Float;
                    string(v.toString(), number);
                }
                break;
            }
            default:
                return false;
            }
        }
        if (!json)
            out += "\r\n";
    }
    return pos == size;
}
