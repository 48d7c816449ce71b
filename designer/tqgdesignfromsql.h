// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querydefinition.h"

#include <QObject>


class QAction;
class TQGQueryForm;

// "Design from SQL": the statement in the SQL editor replaces the design, as if the user had
// placed its tables by double click, ticked its fields, drawn its joins and filled the lists;
// it is one step of the design's undo stack, and "Undo Design from SQL" undoes back to just
// before the last such step. The editor's own Undo is not involved.
class TQGDesignFromSql : public QObject
{
    Q_OBJECT
public:
    explicit TQGDesignFromSql(TQGQueryForm *form);

    // The item that offers the undo: enabled exactly while there is a design to bring back.
    void SetUndoAction(QAction *action);
    // Enables the item after the undo stack moved.
    void ShowUndoState();

    // Reads the editor's statement. A statement no design can show leaves the design as it
    // was and shows a warning naming the part, its line and column. True when the design
    // was replaced.
    bool DesignfromSQL1Click();
    // Brings back the design the last "Design from SQL" replaced; nothing without one.
    bool UndoDesignfromSQL1Click();
    bool CanUndo() const { return lastStep() >= 0; }

private:
    // The stack index of the last Design from SQL step that is done, or -1.
    int lastStep() const;

    TQGQueryForm *m_form;
    QAction *m_undoAction = nullptr;
};
