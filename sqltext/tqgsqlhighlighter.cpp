// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgsqlhighlighter.h"

#include "sqllexer.h"

#include <QFont>

namespace {

QTextCharFormat charFormat(const QColor &colour, bool bold = false, bool italic = false)
{
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold)
        f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
    return f;
}

} // namespace

TQGSqlHighlighter::TQGSqlHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
    , m_keyword(charFormat(QColor(0x00, 0x00, 0x80), true))
    , m_string(charFormat(QColor(0xa0, 0x10, 0x10)))
    , m_number(charFormat(QColor(0x80, 0x00, 0x80)))
    , m_comment(charFormat(QColor(0x60, 0x70, 0x60), false, true))
    , m_quotedName(charFormat(QColor(0x00, 0x60, 0x70)))
    , m_parameter(charFormat(QColor(0xa0, 0x50, 0x00)))
{
}

void TQGSqlHighlighter::SetDialect(SqlDialect dialect)
{
    SetOptions(SqlLexOptions(dialect));
}

void TQGSqlHighlighter::SetOptions(const SqlLexOptions &options)
{
    if (options.dialect == m_options.dialect && options.backslashEscapes == m_options.backslashEscapes)
        return;
    m_options = options;
    rehighlight();
}

void TQGSqlHighlighter::highlightBlock(const QString &text)
{
    QList<SqlToken> tokens;
    const int previous = previousBlockState();
    setCurrentBlockState(TokenizeSqlLine(text, previous < 0 ? LexNormal : previous, m_options, &tokens));
    for (const SqlToken &t : tokens) {
        const QTextCharFormat *f = nullptr;
        switch (t.kind) {
        case SqlTokenKind::Word:
            if (IsSqlKeyword(QStringView(text).mid(t.start, t.length), m_options.dialect))
                f = &m_keyword;
            break;
        case SqlTokenKind::String: f = &m_string; break;
        case SqlTokenKind::Number: f = &m_number; break;
        case SqlTokenKind::Comment: f = &m_comment; break;
        case SqlTokenKind::QuotedName: f = &m_quotedName; break;
        case SqlTokenKind::Parameter: f = &m_parameter; break;
        case SqlTokenKind::Space:
        case SqlTokenKind::Symbol: break;
        }
        if (f)
            setFormat(t.start, t.length, *f);
    }
}
