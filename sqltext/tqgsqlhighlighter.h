#pragma once

#include "sqldialect.h"

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

    SqlDialect Dialect() const { return m_dialect; }
    void SetDialect(SqlDialect dialect);

protected:
    void highlightBlock(const QString &text) override;

private:
    SqlDialect m_dialect = SqlDialect::SQLite;
    QTextCharFormat m_keyword, m_string, m_number, m_comment, m_quotedName, m_parameter;
};
