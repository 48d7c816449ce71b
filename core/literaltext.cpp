#include "literaltext.h"

#include "querydefinition.h"

namespace {

enum class Reading { Code, String, Name, BlockComment };

} // namespace

QStringList WithServerBackslashes(const QStringList &lines, const IdentifierStyle &style)
{
    if (style.dialect != SqlDialect::MySQL || !style.backslashEscapes)
        return lines;
    QStringList out;
    out.reserve(lines.size());
    // A literal, a name or a comment may go on over the next line.
    Reading state = Reading::Code;
    QChar nameQuote;
    for (const QString &line : lines) {
        QString text;
        text.reserve(line.size() + 8);
        const qsizetype n = line.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = line.at(i);
            const QChar next = i + 1 < n ? line.at(i + 1) : QChar();
            text.append(c);
            switch (state) {
            case Reading::Code:
                if (c == u'\'') {
                    state = Reading::String;
                } else if (c == u'"' || c == u'`') {
                    state = Reading::Name;
                    nameQuote = c;
                } else if (c == u'-' && next == u'-') {
                    // To the end of the line, as it is.
                    qsizetype end = line.indexOf(u'\n', i);
                    end = end < 0 ? n : end;
                    text.append(QStringView(line).mid(i + 1, end - i - 1));
                    i = end - 1;
                } else if (c == u'/' && next == u'*') {
                    text.append(next);
                    ++i;
                    state = Reading::BlockComment;
                }
                break;
            case Reading::String:
                // A doubled quote closes the literal and opens it again: the same.
                if (c == u'\\')
                    text.append(c);
                else if (c == u'\'')
                    state = Reading::Code;
                break;
            case Reading::Name:
                if (c == nameQuote)
                    state = Reading::Code;
                break;
            case Reading::BlockComment:
                if (c == u'*' && next == u'/') {
                    text.append(next);
                    ++i;
                    state = Reading::Code;
                }
                break;
            }
        }
        out << text;
    }
    return out;
}

namespace {

// What a backslash and the character after it stand for in a MySQL string.
QString escaped(QChar c)
{
    switch (c.unicode()) {
    case '0':
        return QString(QChar(0));
    case 'b':
        return QStringLiteral("\b");
    case 'n':
        return QStringLiteral("\n");
    case 'r':
        return QStringLiteral("\r");
    case 't':
        return QStringLiteral("\t");
    case 'Z':
        return QString(QChar(0x1a));
    case '%':
    case '_':
        return QString(u'\\') + c;  // kept for LIKE
    default:
        return QString(c);
    }
}

} // namespace

QString StandardLiterals(const QString &text, const IdentifierStyle &style)
{
    if (style.dialect != SqlDialect::MySQL || !style.backslashEscapes || !text.contains(u'\\'))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'"' || c == u'`') {
            // A quoted name (or a double-quoted string) as it is.
            qsizetype end = text.indexOf(c, i + 1);
            end = end < 0 ? n - 1 : end;
            out += QStringView(text).mid(i, end - i + 1);
            i = end;
            continue;
        }
        if (c != u'\'') {
            out += c;
            continue;
        }
        out += c;
        for (++i; i < n; ++i) {
            const QChar d = text.at(i);
            if (d == u'\\' && i + 1 < n) {
                const QString value = escaped(text.at(++i));
                out += value == QLatin1String("'") ? QStringLiteral("''") : value;
            } else if (d == u'\'' && i + 1 < n && text.at(i + 1) == u'\'') {
                out += QStringLiteral("''");
                ++i;
            } else {
                out += d;
                if (d == u'\'')
                    break;
            }
        }
    }
    return out;
}

void ToStandardLiterals(QueryDefinition &definition, const IdentifierStyle &style)
{
    // A value row: field, value. A condition row: field, comparison, value, joiner.
    for (QStringList &row : definition.values.rows) {
        if (row.size() > 1)
            row[1] = StandardLiterals(row.at(1), style);
    }
    for (QStringList &row : definition.conditions.rows) {
        if (row.size() > 2)
            row[2] = StandardLiterals(row.at(2), style);
    }
}
