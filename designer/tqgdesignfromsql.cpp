// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgdesignfromsql.h"

#include "messages.h"
#include "sqldesignparser.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdefinitionio.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"

#include <QAction>
#include <QUndoStack>

TQGDesignFromSql::TQGDesignFromSql(TQGQueryForm *form)
    : QObject(form), m_form(form)
{
    setObjectName(QStringLiteral("DesignFromSql"));
}

void TQGDesignFromSql::SetUndoAction(QAction *action)
{
    m_undoAction = action;
    ShowUndoState();
}

void TQGDesignFromSql::ShowUndoState()
{
    if (m_undoAction)
        m_undoAction->setEnabled(CanUndo());
}

int TQGDesignFromSql::lastStep() const
{
    const QUndoStack *stack = m_form->UndoStack();
    for (int i = stack->index() - 1; i >= 0; --i) {
        const auto *edit = dynamic_cast<const DesignEdit *>(stack->command(i));
        if (edit && edit->kind() == DesignEdit::FromSql)
            return i;
    }
    return -1;
}

bool TQGDesignFromSql::DesignfromSQL1Click()
{
    const QString session = m_form->Query1()->SessionName();
    const QString database = m_form->Query1()->DatabaseName();
    QueryDefinition definition;
    try {
        TSession *s = Sessions().FindSession(session);
        if (!s)
            throw VdqError(tr("Unknown session name %1").arg(session));
        SqlDesignSource source = s->DesignSource(database);
        source.style = m_form->Style();
        definition = DesignFromSql(m_form->Memo1()->toPlainText(), source);
    } catch (const VdqError &e) {
        VdqMessages::Warning(m_form, tr("Design from SQL"), e.message());
        return false;
    }
    definition.sessionName = session;
    definition.database = database;
    // The tables go where a double click would put them now: after the ones placed before.
    const int placed = m_form->PlacedTableCount();
    for (qsizetype k = 0; k < definition.tables.size(); ++k) {
        const QPoint at = m_form->Canvas()->PlacementPosition(placed + int(k));
        definition.tables[k].left = at.x();
        definition.tables[k].top = at.y();
    }
    // The windows stand in a row at a double click's spacing; one widened by its total
    // choosers would cover its neighbour and the link between them, so each keeps clear
    // of the one before.
    const auto spaced = [](DesignState &d) {
        constexpr int gap = 24;
        const DocumentTable *previous = nullptr;
        for (DocumentTable &t : d.tables) {
            const QRect &p = previous ? previous->geometry : QRect();
            if (previous && t.geometry.y() == p.y() && t.geometry.x() < p.x() + p.width() + gap)
                t.geometry.moveLeft(p.x() + p.width() + gap);
            previous = &t;
        }
    };
    VdqMessages::Guarded(m_form, tr("Design from SQL"), [&] {
        TQGDefinitionIO::Apply(*m_form, definition, tr("Design from SQL"), DesignEdit::FromSql, spaced);
    });
    m_form->SetPlacedTableCount(placed + int(definition.tables.size()));
    return true;
}

bool TQGDesignFromSql::UndoDesignfromSQL1Click()
{
    const int step = lastStep();
    if (step < 0)
        return false;
    m_form->UndoStack()->setIndex(step);
    return true;
}
