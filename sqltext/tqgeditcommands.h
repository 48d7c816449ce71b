// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QToolButton;
class TQGSqlEditor;
class TQGenGrid;

// Undo, Cut, Copy, Paste, Delete and Select All on the SQL editor, offered by the Edit
// menu, the editor menu and the tool buttons. Their enabled state follows the editor's
// selection and the system clipboard while the window exists. Copy copies the result grid's
// cells instead while the grid has the focus.
class TQGEditCommands : public QObject
{
    Q_OBJECT
public:
    enum Command { Undo, Cut, Copy, Paste, Delete, SelectAll, CommandCount };

    TQGEditCommands(TQGSqlEditor *editor, QObject *parent);

    // A control that runs a command; its enabled state is kept with the command's.
    void AddAction(Command command, QAction *action);
    void AddButton(Command command, QToolButton *button);

    void Undo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete3Click();
    void SelectAll1Click();
    // Recomputes the enabled state (the Edit menu opening, selection moves, clipboard changes).
    void Edit1Click();
    // Notes whether the clipboard holds text, then recomputes.
    void ClipboardChanged();

    bool IsEnabled(Command command) const;
    void Run(Command command);

private:
    void setEnabled(Command command, bool enabled);
    TQGenGrid *focusedGrid() const;

    TQGSqlEditor *m_editor;
    QList<QPointer<QAction>> m_actions[CommandCount];
    QList<QPointer<QToolButton>> m_buttons[CommandCount];
    bool m_enabled[CommandCount] = {true, true, true, true, true, true};
    bool m_clipboardHasText = false;
};
