// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querydocument.h"

#include <QUndoCommand>

#include <functional>

class QUndoStack;

// One undoable change of the design: the document's state before and after it.
class DesignEdit : public QUndoCommand
{
public:
    // What a step was, where a command needs to tell (Undo Design from SQL).
    enum Kind { Ordinary = 0, FromSql = 1 };

    DesignEdit(QueryDocument *document, const QString &text, const DesignState &before, const DesignState &after,
               Kind kind = Ordinary);

    void redo() override;
    void undo() override;
    Kind kind() const { return m_kind; }
    const DesignState &before() const { return m_before; }
    const DesignState &after() const { return m_after; }

private:
    QueryDocument *m_document;
    DesignState m_before;
    DesignState m_after;
    Kind m_kind;
};

// Applies edit to a copy of the document's design and pushes the result as one step, which
// makes it the document's design. An edit that changes nothing pushes nothing: false.
bool PushDesignEdit(QUndoStack *stack, QueryDocument *document, const QString &text,
                    const std::function<void(DesignState &)> &edit, DesignEdit::Kind kind = DesignEdit::Ordinary);

