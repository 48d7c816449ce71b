#pragma once

#include <QPlainTextEdit>
#include <QStringList>

// The SQL editor: the one holder of the statement text. Plain text in a monospaced font,
// no word wrap, both scroll bars always shown.
class TQGSqlEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TQGSqlEditor(QWidget *parent = nullptr);

    // The text as lines (a trailing line break gives no extra empty line).
    QStringList Lines() const;
    // Replaces the whole text in one step.
    void SetLines(const QStringList &lines);
    void SetText(const QString &text);
};
