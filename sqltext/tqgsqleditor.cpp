// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgsqleditor.h"

#include <QAction>

#include "designwords.h"
#include "tqgsqlcompleter.h"
#include "tqgsqlhighlighter.h"
#include "tqgstyle.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TQGSqlEditor::TQGSqlEditor(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_highlighter(new TQGSqlHighlighter(document()))
    , m_completer(new TQGSqlCompleter(this))
{
    setObjectName(QStringLiteral("Memo1"));
    setAccessibleName(tr("SQL text"));
    setFont(FixedPitchFont(QStringLiteral("Courier"), 10));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
}

QStringList TQGSqlEditor::Lines() const
{
    const QString text = toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

void TQGSqlEditor::SetLines(const QStringList &lines)
{
    QTextDocument *doc = document();
    const int count = doc->isEmpty() ? 0 : doc->blockCount();
    if (count == 0 || count != lines.size()) {
        setPlainText(lines.join(u'\n'));
        return;
    }
    // The same number of lines (a tick changed, a value edited): only the run of lines that
    // differ is replaced, so the editor lays out just those again.
    int first = 0;
    QTextBlock block = doc->begin();
    while (first < count && block.text() == lines.at(first)) {
        block = block.next();
        ++first;
    }
    if (first == count)
        return;
    int last = count - 1;
    QTextBlock tail = doc->lastBlock();
    while (last > first && tail.text() == lines.at(last)) {
        tail = tail.previous();
        --last;
    }
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.setPosition(block.position());
    cursor.setPosition(tail.position() + tail.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(lines.mid(first, last - first + 1).join(u'\n'));
    // Like a new text, a regeneration starts the editor's undo afresh.
    doc->setUndoRedoEnabled(undo);
}

void TQGSqlEditor::SetText(const QString &text)
{
    setPlainText(NormalizeLineBreaks(text));
}

void TQGSqlEditor::SetDialect(SqlDialect dialect)
{
    IdentifierStyle style;
    style.dialect = dialect;
    style.backslashEscapes = dialect == SqlDialect::MySQL;  // a MySQL server's default mode
    SetStyle(style);
}

void TQGSqlEditor::SetStyle(const IdentifierStyle &style)
{
    m_highlighter->SetOptions(SqlLexOptions(style));
    m_completer->SetStyle(style);
}

SqlDialect TQGSqlEditor::Dialect() const
{
    return m_highlighter->Dialect();
}

bool TQGSqlEditor::event(QEvent *e)
{
    // The window's commands all have a modifier; plain typing never looks them up.
    if (e->type() == QEvent::ShortcutOverride
        && (static_cast<QKeyEvent *>(e)->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const auto *key = static_cast<QKeyEvent *>(e);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *action : window()->findChildren<QAction *>()) {
            const Qt::ShortcutContext context = action->shortcutContext();
            if (action->isEnabled() && (context == Qt::WindowShortcut || context == Qt::ApplicationShortcut)
                && action->shortcuts().contains(pressed)) {
                e->ignore();
                return false;
            }
        }
    }
    return QPlainTextEdit::event(e);
}

void TQGSqlEditor::keyPressEvent(QKeyEvent *event)
{
    // While the completion list is open, the keys that choose from it are the list's.
    if (m_completer->PopupVisible()) {
        switch (event->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            event->ignore();
            return;
        default:
            break;
        }
    }
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier)) {
        m_completer->Complete();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
