// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"
#include "sqllexer.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the SQL editor's text as the design's engine reads it: keywords, strings,
// numbers, comments, quoted names and parameters. Only the display changes; the text, the
// clipboard, printing and the files see plain text.
class TQGSqlHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit TQGSqlHighlighter(QTextDocument *document);

    SqlDialect Dialect() const { return m_options.dialect; }
    void SetDialect(SqlDialect dialect);
    void SetOptions(const SqlLexOptions &options);

protected:
    void highlightBlock(const QString &text) override;

private:
    SqlLexOptions m_options;
    QTextCharFormat m_keyword, m_string, m_number, m_comment, m_quotedName, m_parameter;
};
