// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "resulttext.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Whether a CSV field needs quotes; most do not, so the test is one pass without branches
// per byte.
bool needsCsvQuotes(const char *utf8, qsizetype size)
{
    bool any = false;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = utf8[i];
        any |= (c == ',') | (c == '"') | (c == '\n') | (c == '\r');
    }
    return any;
}

char *grow(QByteArray &out, qsizetype extra)
{
    const qsizetype at = out.size();
    out.resize(at + extra);
    return out.data() + at;
}

} // namespace

QString TabSeparatedCell(const QString &value)
{
    bool quote = false;
    for (const QChar c : value)
        quote |= c == u'\t' || c == u'\n' || c == u'\r' || c == u'"';
    if (!quote)
        return value;
    return u'"' + QString(value).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString TabSeparatedText(const QStringList &names, const QList<QStringList> &rows)
{
    QString text;
    const auto line = [&text](const QStringList &cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                text += u'\t';
            text += TabSeparatedCell(cells.at(i));
        }
        text += u'\n';
    };
    line(names);
    for (const QStringList &row : rows)
        line(row);
    return text;
}

void AppendCsvField(QByteArray &out, const char *utf8, qsizetype size)
{
    if (size > 0 && !needsCsvQuotes(utf8, size)) {
        std::memcpy(grow(out, size), utf8, size_t(size));
        return;
    }
    out.reserve(out.size() + size + 8);
    out += '"';
    const char *from = utf8;
    const char *end = utf8 + size;
    while (const char *quote = static_cast<const char *>(std::memchr(from, '"', size_t(end - from)))) {
        out.append(from, quote - from + 1);
        out += '"';
        from = quote + 1;
    }
    out.append(from, end - from);
    out += '"';
}

void AppendJsonString(QByteArray &out, const char *utf8, qsizetype size)
{
    static const char hex[] = "0123456789abcdef";
    out.reserve(out.size() + size + 2);
    out += '"';
    qsizetype plain = 0;  // start of the run of bytes that go as they are
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(utf8 + plain, i - plain);
        plain = i + 1;
        out += '\\';
        switch (c) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '\n': out += 'n'; break;
        case '\r': out += 'r'; break;
        case '\t': out += 't'; break;
        case '\b': out += 'b'; break;
        case '\f': out += 'f'; break;
        default: {
            const char escape[] = {'u', '0', '0', hex[c >> 4], hex[c & 15]};
            out.append(escape, sizeof escape);
            break;
        }
        }
    }
    out.append(utf8 + plain, size - plain);
    out += '"';
}

void AppendInteger(QByteArray &out, qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

void AppendDouble(QByteArray &out, double value, bool json)
{
    if (!std::isfinite(value)) {
        if (json)
            out += "null";
        else
            out += std::isnan(value) ? "NaN" : value > 0 ? "Infinity" : "-Infinity";
        return;
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}
