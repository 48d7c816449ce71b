// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgeditcommands.h"

#include "tqgengrid.h"
#include "tqgsqleditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>
#include <QToolButton>

TQGEditCommands::TQGEditCommands(TQGSqlEditor *editor, QObject *parent)
    : QObject(parent), m_editor(editor)
{
    connect(m_editor, &QPlainTextEdit::selectionChanged, this, &TQGEditCommands::Edit1Click);
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, &TQGEditCommands::Edit1Click);
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &TQGEditCommands::ClipboardChanged);
    // Copy belongs to the result grid while it has the focus.
    connect(qApp, &QApplication::focusChanged, this, &TQGEditCommands::Edit1Click);
    ClipboardChanged();
}

void TQGEditCommands::AddAction(Command command, QAction *action)
{
    m_actions[command] << action;
    action->setEnabled(m_enabled[command]);
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
}

void TQGEditCommands::AddButton(Command command, QToolButton *button)
{
    m_buttons[command] << button;
    button->setEnabled(m_enabled[command]);
    connect(button, &QToolButton::clicked, this, [this, command] { Run(command); });
}

void TQGEditCommands::Run(Command command)
{
    switch (command) {
    case Undo: Undo1Click(); break;
    case Cut: Cut1Click(); break;
    case Copy: Copy1Click(); break;
    case Paste: Paste1Click(); break;
    case Delete: Delete3Click(); break;
    case SelectAll: SelectAll1Click(); break;
    case CommandCount: break;
    }
}

void TQGEditCommands::Undo1Click() { m_editor->undo(); }
void TQGEditCommands::Cut1Click() { m_editor->cut(); }
TQGenGrid *TQGEditCommands::focusedGrid() const
{
    return qobject_cast<TQGenGrid *>(QApplication::focusWidget());
}

void TQGEditCommands::Copy1Click()
{
    if (TQGenGrid *grid = focusedGrid())
        grid->CopySelection();
    else
        m_editor->copy();
}
void TQGEditCommands::Paste1Click() { m_editor->paste(); }

void TQGEditCommands::Delete3Click()
{
    QTextCursor cursor = m_editor->textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        m_editor->setTextCursor(cursor);
    }
}

void TQGEditCommands::SelectAll1Click() { m_editor->selectAll(); }

void TQGEditCommands::ClipboardChanged()
{
    // Asking for the formats reads no data: the text on the clipboard may be megabytes.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    m_clipboardHasText = data && data->hasText();
    Edit1Click();
}

void TQGEditCommands::Edit1Click()
{
    const bool selection = m_editor->textCursor().hasSelection();
    setEnabled(Cut, selection);
    const TQGenGrid *grid = focusedGrid();
    setEnabled(Copy, grid ? grid->HasSelectedCells() : selection);
    setEnabled(Delete, selection);
    setEnabled(Paste, m_clipboardHasText);
    setEnabled(Undo, true);
    setEnabled(SelectAll, true);
}

bool TQGEditCommands::IsEnabled(Command command) const { return m_enabled[command]; }

void TQGEditCommands::setEnabled(Command command, bool enabled)
{
    m_enabled[command] = enabled;
    for (const QPointer<QAction> &a : m_actions[command]) {
        if (a)
            a->setEnabled(enabled);
    }
    for (const QPointer<QToolButton> &b : m_buttons[command]) {
        if (b)
            b->setEnabled(enabled);
    }
}
