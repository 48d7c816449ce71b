// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "literaltext.h"

#include "sqllexer.h"

#include "querydefinition.h"

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

bool affected(const IdentifierStyle &style)
{
    return style.dialect == SqlDialect::MySQL && style.backslashEscapes;
}

// A single-quoted MySQL literal, escapes read as the server reads them, in the standard
// form: the characters themselves, a quote doubled.
QString standardLiteral(QStringView literal)
{
    QString out(u'\'');
    for (qsizetype i = 1; i + 1 < literal.size(); ++i) {
        const QChar c = literal.at(i);
        if (c == u'\\' && i + 2 < literal.size()) {
            const QString value = escaped(literal.at(++i));
            out += value == QLatin1String("'") ? QStringLiteral("''") : value;
        } else {
            out += c;  // a doubled quote stays doubled
        }
    }
    return out + u'\'';
}

} // namespace

QStringList WithServerBackslashes(const QStringList &lines, const IdentifierStyle &style)
{
    if (!affected(style))
        return lines;
    // The builders' text read the standard way: quotes doubled, a backslash itself; names in
    // double quotes or backticks. A literal may go on over the next line.
    SqlLexOptions standard(SqlDialect::SQLite);
    QStringList out;
    out.reserve(lines.size());
    int state = LexNormal;
    QList<SqlToken> tokens;
    for (const QString &line : lines) {
        tokens.clear();
        state = TokenizeSqlLine(line, state, standard, &tokens);
        QString text;
        text.reserve(line.size() + 8);
        for (const SqlToken &t : std::as_const(tokens)) {
            const QStringView piece = QStringView(line).mid(t.start, t.length);
            if (t.kind != SqlTokenKind::String) {
                text += piece;
                continue;
            }
            for (QChar c : piece) {
                text += c;
                if (c == u'\\')
                    text += c;
            }
        }
        out << text;
    }
    return out;
}

QString StandardLiterals(const QString &text, const IdentifierStyle &style)
{
    if (!affected(style) || !text.contains(u'\\'))
        return text;
    // Read as the server reads it; a literal over two lines is left as it is (a list row
    // holds none).
    QString out;
    out.reserve(text.size());
    for (const SqlToken &t : TokenizeSql(text, SqlLexOptions(style))) {
        const QStringView piece = QStringView(text).mid(t.start, t.length);
        const bool literal = t.kind == SqlTokenKind::String && piece.size() >= 2 && piece.front() == u'\''
                             && piece.back() == u'\'';
        if (literal)
            out += standardLiteral(piece);
        else
            out += piece;
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
