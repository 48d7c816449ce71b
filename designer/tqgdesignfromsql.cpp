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

TQGDesignFromSql::TQGDesignFromSql(TQGQueryForm *form)
    : QObject(form), m_form(form)
{
    setObjectName(QStringLiteral("DesignFromSql"));
}

void TQGDesignFromSql::SetUndoAction(QAction *action)
{
    m_undoAction = action;
    m_undoAction->setEnabled(CanUndo());
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
        SqlDesignSource source;
        source.style = m_form->Style();
        source.tableNames = [&] {
            QStringList names;
            s->ListTableNames(database, QString(), true, false, names);
            return names;
        };
        source.tableFields = [&](const QString &table) { return s->ListTableFields(database, table); };
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
    const QueryDefinition replaced = TQGDefinitionIO::Capture(*m_form);
    apply(definition, true);
    m_form->SetPlacedTableCount(placed + int(definition.tables.size()));
    m_replaced = replaced;
    if (m_undoAction)
        m_undoAction->setEnabled(true);
    return true;
}

bool TQGDesignFromSql::UndoDesignfromSQL1Click()
{
    if (!m_replaced)
        return false;
    const QueryDefinition replaced = *m_replaced;
    m_replaced.reset();
    if (m_undoAction)
        m_undoAction->setEnabled(false);
    apply(replaced, false);
    return true;
}

void TQGDesignFromSql::apply(const QueryDefinition &definition, bool placed)
{
    VdqMessages::Guarded(m_form, tr("Design from SQL"), [&] { TQGDefinitionIO::Apply(*m_form, definition); });
    if (!placed)
        return;  // a design brought back keeps its windows where they were
    // The windows stand in a row at a double click's spacing; one widened by its total
    // choosers would cover its neighbour and the link between them, so each keeps clear
    // of the one before.
    constexpr int gap = 24;
    const TQGCheckListBox *previous = nullptr;
    for (TQGCheckListBox *w : m_form->ScrollBox1()->TableWindows()) {
        if (previous && w->y() == previous->y() && w->x() < previous->x() + previous->width() + gap)
            w->move(previous->x() + previous->width() + gap, w->y());
        previous = w;
    }
}
