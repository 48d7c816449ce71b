// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designedits.h"

#include <QUndoStack>

DesignEdit::DesignEdit(QueryDocument *document, const QString &text, const DesignState &before,
                       const DesignState &after, Kind kind)
    : QUndoCommand(text), m_document(document), m_before(before), m_after(after), m_kind(kind)
{
}

void DesignEdit::redo()
{
    m_document->setState(m_after);
}

void DesignEdit::undo()
{
    m_document->setState(m_before);
}

bool PushDesignEdit(QUndoStack *stack, QueryDocument *document, const QString &text,
                    const std::function<void(DesignState &)> &edit, DesignEdit::Kind kind)
{
    DesignState after = document->state();
    edit(after);
    if (after == document->state())
        return false;
    stack->push(new DesignEdit(document, text, document->state(), after, kind));
    return true;
}
