// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QDragMoveEvent;
class QDropEvent;
class QPoint;
class TQGCheckListBox;

// The designer's handlers that every creator of a table window connects to it.
class TQGTableWindowHandlers
{
public:
    virtual ~TQGTableWindowHandlers() = default;
    // A drag begins in the window; pressPos is where the button went down (client coordinates).
    virtual void TableStartDrag(TQGCheckListBox *window, const QPoint &pressPos) = 0;
    // Whether a drop of the event's source on the window would be taken.
    virtual bool TableDragOver(TQGCheckListBox *target, QDragMoveEvent *event) = 0;
    virtual void TableDragDrop(TQGCheckListBox *target, QDropEvent *event) = 0;
    // A tick changed by the user (mouse or space key).
    virtual void TableFieldListChanged(TQGCheckListBox *window) = 0;
    virtual void TableEnter(TQGCheckListBox *window) = 0;
    virtual void TableExit(TQGCheckListBox *window) = 0;
    // Backspace or Delete released in the window.
    virtual void TableRemove(TQGCheckListBox *window) = 0;
    // The window moved or changed its size.
    virtual void TableMoved(TQGCheckListBox *window) = 0;
    // The user ended a move or a sizing of the window by its caption or border.
    virtual void TableGeometryChanged(TQGCheckListBox *window) = 0;
};
