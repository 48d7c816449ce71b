// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "naming.h"

#include "sqlkeywords.h"

#include <QStringList>

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isAsciiAlnum(QChar c) { return isAsciiDigit(c) || isAsciiLetter(c); }

QString replaceNonAlnum(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (!isAsciiAlnum(c))
            c = u'_';
    }
    return result;
}

} // namespace

QString TableAlias(const QString &tableName)
{
    QString alias = replaceNonAlnum(tableName);
    if (!alias.isEmpty() && isAsciiDigit(alias.front()))
        alias.prepend(u'_');
    // An alias that is a reserved word would be read as the word.
    if (IsReservedInAnyDialect(alias))
        alias += u'_';
    return alias;
}

bool NeedsQuoting(const QString &name, SqlDialect dialect)
{
    if (name.isEmpty() || isAsciiDigit(name.front()))
        return true;
    for (QChar c : name) {
        if (!isAsciiAlnum(c) && c != u'_')
            return true;
        if (dialect == SqlDialect::PostgreSQL && c >= u'A' && c <= u'Z')
            return true;
    }
    return IsReservedWord(name, dialect);
}

QString QuotedName(const QString &name, QChar quote)
{
    QString doubled = name;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}

QString BareOrQuotedName(const QString &name, SqlDialect dialect)
{
    return NeedsQuoting(name, dialect) ? QuotedName(name, IdentifierQuote(dialect)) : name;
}

QString QuoteIdentifier(const QString &name, const IdentifierStyle &style)
{
    if (style.quoteIdentifiers)
        return QuotedName(name, u'"');
    if (NeedsQuoting(name, style.dialect))
        return QuotedName(name, IdentifierQuote(style.dialect));
    return name;
}

QString TableNameText(const QStringList &parts, SqlDialect dialect)
{
    if (dialect == SqlDialect::SQLite || (parts.size() == 1 && !parts.constFirst().contains(u'.')))
        return parts.join(u'.');
    const QChar quote = IdentifierQuote(dialect);
    QStringList written;
    written.reserve(parts.size());
    for (const QString &part : parts)
        written << (part.contains(u'.') || part.startsWith(quote) ? QuotedName(part, quote) : part);
    return written.join(u'.');
}

QStringList TableNameParts(const QString &tableName, SqlDialect dialect)
{
    if (dialect == SqlDialect::SQLite || !tableName.contains(u'.'))
        return {tableName};
    const QChar quote = IdentifierQuote(dialect);
    const qsizetype n = tableName.size();
    QStringList parts;
    for (qsizetype i = 0;; ++i) {  // i: the start of a part
        QString part;
        if (i < n && tableName.at(i) == quote) {
            bool closed = false;
            for (++i; i < n && !closed; ++i) {
                if (tableName.at(i) != quote)
                    part += tableName.at(i);
                else if (i + 1 < n && tableName.at(i + 1) == quote)
                    part += tableName.at(++i);
                else
                    closed = true;
            }
            if (!closed || (i < n && tableName.at(i) != u'.'))
                return tableName.split(u'.');
        } else {
            const qsizetype dot = tableName.indexOf(u'.', i);
            const qsizetype end = dot < 0 ? n : dot;
            part = tableName.mid(i, end - i);
            i = end;
        }
        parts << part;
        if (i >= n)
            return parts;
    }
}

QString SqlTableName(const QString &tableName, SqlDialect dialect)
{
    QStringList parts = TableNameParts(tableName, dialect);
    for (QString &part : parts) {
        if (NeedsQuoting(part, dialect))
            part = QuotedName(part, IdentifierQuote(dialect));
    }
    return parts.join(u'.');
}

QString UniqueTableAlias(const QString &tableName, const QStringList &taken)
{
    return UniqueAlias(TableAlias(tableName), taken);
}

QString WindowAlias(const QString &tableName, const QString &storedAlias, const QStringList &taken)
{
    return UniqueAlias(IsPlainAlias(storedAlias) ? storedAlias : TableAlias(tableName), taken);
}

QString TableTitle(const QString &caption, const QString &alias)
{
    if (alias.isEmpty() || alias == TableAlias(caption))
        return caption;
    return caption + QStringLiteral(" (") + alias + u')';
}

bool IsPlainAlias(const QString &alias)
{
    if (alias.isEmpty() || alias.size() > 128 || isAsciiDigit(alias.front()) || IsReservedInAnyDialect(alias))
        return false;
    for (QChar c : alias) {
        if (!isAsciiAlnum(c) && c != u'_')
            return false;
    }
    return true;
}

QString UniqueAlias(const QString &alias, const QStringList &taken)
{
    QString candidate = alias;
    for (int n = 1; taken.contains(candidate, Qt::CaseInsensitive); ++n)
        candidate = alias + u'_' + QString::number(n);
    return candidate;
}

QString FieldReference(const QString &tableName, const QString &fieldName,
                       const IdentifierStyle &style)
{
    return AliasFieldReference(TableAlias(tableName), fieldName, style);
}

QString AliasFieldReference(const QString &alias, const QString &fieldName, const IdentifierStyle &style)
{
    return alias + u'.' + QuoteIdentifier(fieldName, style);
}

bool RefersToTable(const QString &tableName, const QString &text)
{
    return RefersToAlias(TableAlias(tableName), text);
}

bool RefersToAlias(const QString &alias, const QString &text)
{
    return text.size() > alias.size() && text.at(alias.size()) == u'.'
           && QStringView(text).left(alias.size()) == alias;
}

QString ParameterName(const QString &fieldName)
{
    QString name = replaceNonAlnum(fieldName);
    if (!name.isEmpty() && isAsciiDigit(name.front()))
        name.prepend(u'p');
    return name;
}
