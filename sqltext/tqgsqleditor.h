// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QPlainTextEdit>
#include <QStringList>

class TQGSqlCompleter;
class TQGSqlHighlighter;

// The SQL editor: the one holder of the statement text. Plain text in a monospaced font,
// no word wrap, both scroll bars always shown. The text is coloured as the design's engine
// reads it, and Ctrl+Space completes names and keywords.
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

    // The engine the text is written for: its quotes, comments and keywords.
    void SetDialect(SqlDialect dialect);
    // The same, with the connection's backslash reading (MySQL) and quoting.
    void SetStyle(const IdentifierStyle &style);
    SqlDialect Dialect() const;
    TQGSqlCompleter *Completion() const { return m_completer; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // A key that a command of the window has as its shortcut reaches that command, as the
    // menu promises, instead of the editor's own binding (Ctrl+Shift+Z is the editor's redo).
    bool event(QEvent *event) override;

private:
    TQGSqlHighlighter *m_highlighter;
    TQGSqlCompleter *m_completer;
};
