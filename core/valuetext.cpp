// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "valuetext.h"

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Advances pos over a run of ASCII digits; returns how many there were.
int skipDigits(const QString &text, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && isAsciiDigit(text.at(pos)))
        ++pos;
    return int(pos - start);
}

} // namespace

QString NumberValueText(const QString &typed)
{
    return typed;
}

QString StringValueText(const QString &text)
{
    QString doubled = text;
    doubled.replace(u'\'', QStringLiteral("''"));
    return u'\'' + doubled + u'\'';
}

QString DateValueText(const QDate &date)
{
    return u'\'' + date.toString(QStringLiteral("yyyy-MM-dd")) + u'\'';
}

QString TimeValueText(const QTime &time)
{
    return u'\'' + time.toString(QStringLiteral("HH:mm:ss")) + u'\'';
}

QString LogicalValueText(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString ParameterText(const QString &name)
{
    return u':' + name;
}

bool IsValidNumber(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text.at(pos) == u' ')
        ++pos;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-'))
        ++pos;
    const qsizetype bodyStart = pos;
    skipDigits(text, pos);
    // The digits after the full stop may be missing: "." and "5." read as zero and five.
    if (pos < text.size() && text.at(pos) == u'.') {
        ++pos;
        skipDigits(text, pos);
    }
    if (pos < text.size() && (text.at(pos) == u'E' || text.at(pos) == u'e')) {
        ++pos;
        if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-'))
            ++pos;
        if (skipDigits(text, pos) == 0)
            return false;
    }
    return pos > bodyStart && pos == text.size();
}
