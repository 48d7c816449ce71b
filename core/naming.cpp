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

QString QuoteIdentifier(const QString &name, const IdentifierStyle &style)
{
    if (style.quoteIdentifiers)
        return QuotedName(name, u'"');
    if (NeedsQuoting(name, style.dialect))
        return QuotedName(name, IdentifierQuote(style.dialect));
    return name;
}

QString SqlTableName(const QString &tableName, SqlDialect dialect)
{
    // SQLite lists no schema before a table name: a "." belongs to the name.
    if (dialect == SqlDialect::SQLite)
        return NeedsQuoting(tableName, dialect) ? QuotedName(tableName, IdentifierQuote(dialect)) : tableName;
    const QStringList parts = tableName.split(u'.');
    bool plain = true;
    for (const QString &part : parts)
        plain = plain && !NeedsQuoting(part, dialect);
    if (plain)
        return tableName;
    QStringList written;
    written.reserve(parts.size());
    for (const QString &part : parts)
        written << (NeedsQuoting(part, dialect) ? QuotedName(part, IdentifierQuote(dialect)) : part);
    return written.join(u'.');
}

QString FieldReference(const QString &tableName, const QString &fieldName,
                       const IdentifierStyle &style)
{
    return TableAlias(tableName) + u'.' + QuoteIdentifier(fieldName, style);
}

bool RefersToTable(const QString &tableName, const QString &text)
{
    const QString prefix = TableAlias(tableName) + u'.';
    return text.startsWith(prefix, Qt::CaseSensitive);
}

QString ParameterName(const QString &fieldName)
{
    QString name = replaceNonAlnum(fieldName);
    if (!name.isEmpty() && isAsciiDigit(name.front()))
        name.prepend(u'p');
    return name;
}
