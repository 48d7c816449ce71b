#include "tqgdefinitionio.h"

#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "designfromdefinition.h"
#include "naming.h"
#include "selectforms.h"
#include "tqgdesignlists.h"
#include "tqgdesignoptions.h"
#include "tqgqueryexecution.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QObject>
#include <algorithm>
#include <QTreeWidget>

namespace {

StoredList storedList(const QTreeWidget *list)
{
    return StoredList{list->columnCount(), TQGDesignLists::Rows(list)};
}

// The alias a file keeps for a window: only one that is not the classic alias of its table,
// so that a classic design gives the classic file.
QString storedAlias(const TQGCheckListBox *window)
{
    return window->Alias() == TableAlias(window->Caption()) ? QString() : window->Alias();
}

} // namespace

QueryDefinition TQGDefinitionIO::Capture(const TQGQueryForm &form)
{
    QueryDefinition def;
    def.sessionName = form.Query1()->SessionName();
    def.database = form.Query1()->DatabaseName();
    def.type = int(form.GetQueryType());
    def.distinct = form.Options()->Distinct();
    def.limit = form.Options()->Limit();
    // The windows' geometry is in the canvas's content widget, which scrolling moves as a
    // whole: Left and Top are already independent of the scroll position.
    const TQGScrollBox *box = form.ScrollBox1();
    for (const TQGCheckListBox *w : box->TableWindows()) {
        StoredTable t;
        t.name = w->Caption();
        t.alias = storedAlias(w);
        const QStringList fields = w->Fields();
        const QList<bool> ticks = w->Ticks();
        for (int i = 0; i < fields.size(); ++i)
            t.items << qMakePair(fields.at(i), ticks.at(i));
        // With totals on, every ticked field says its total, so the file says totals are on.
        const QList<TotalKind> totals = w->Totals();
        if (!totals.isEmpty()) {
            for (int i = 0; i < fields.size(); ++i)
                t.totals << (ticks.at(i) ? TotalKindName(w->Total(i)) : QString());
        }
        t.itemCount = fields.size();
        t.left = w->x();
        t.top = w->y();
        t.width = w->width();
        t.height = w->height();
        def.tables << t;
    }
    for (const TQGDataLink *link : box->Links()) {
        if (!link->Field1ListBox() || !link->Field2ListBox())
            continue;
        def.links << StoredLink{link->Field1ListBox()->Caption(), link->Field2ListBox()->Caption(), link->Hint(),
                                link->OverText(),
                                link->GetJoinType() == JoinType::Inner ? QString() : JoinTypeName(link->GetJoinType()),
                                link->x(), link->y(), link->width(), link->height(),
                                storedAlias(link->Field1ListBox()), storedAlias(link->Field2ListBox())};
    }
    def.values = storedList(form.ListView5());
    def.conditions = storedList(form.ListView2());
    def.sorting = storedList(form.ListView3());
    return def;
}

void TQGDefinitionIO::Save(const TQGQueryForm &form, const QString &fileName)
{
    SaveQueryDefinitionFile(fileName, Capture(form));
}

void TQGDefinitionIO::Load(TQGQueryForm &form, const QString &fileName)
{
    Apply(form, LoadQueryDefinitionFile(fileName));
}

void TQGDefinitionIO::Apply(TQGQueryForm &form, const QueryDefinition &stored)
{
    QueryDefinition def = stored;
    // A file without a database (a new, empty one) keeps the designer's database.
    if (def.database.isEmpty()) {
        def.sessionName = form.Query1()->SessionName();
        def.database = form.Query1()->DatabaseName();
    }
    // The table list of the file's database, before anything of the design changes.
    TSession *session = Sessions().FindSession(def.sessionName);
    if (!session)
        throw VdqError(QObject::tr("Unknown session name %1").arg(def.sessionName));
    QStringList names;
    session->ListTableNames(def.database, QString(), true, false, names);

    form.SpeedButton15Click();
    form.Execution()->CloseResult();
    if (const std::optional<QueryType> type = QueryTypeFromTag(def.type))
        form.DefineQueryType(*type);
    form.Query1()->SetSessionName(def.sessionName);
    form.Query1()->SetDatabaseName(def.database);
    form.ShowTableNames(def.sessionName, def.database, names);

    bool totals = false;
    for (const StoredTable &t : def.tables)
        totals = totals || std::any_of(t.totals.cbegin(), t.totals.cend(), [](const QString &k) { return !k.isEmpty(); });
    form.Options()->Reset(totals, def.distinct, def.limit);

    TQGCanvasCommands *canvas = form.Canvas();
    for (const StoredTable &t : def.tables) {
        TQGCheckListBox *w = canvas->CreateStoredTableWindow(t.name, QRect(t.left, t.top, t.width, t.height), t.alias);
        const QList<bool> ticks = ApplyStoredTicks(w->Fields(), t.items);
        for (int i = 0; i < ticks.size(); ++i)
            w->SetChecked(i, ticks.at(i));
        const QList<TotalKind> kinds = ApplyStoredTotals(w->Fields(), StoredTotals(t));
        for (int i = 0; i < kinds.size(); ++i)
            w->SetTotal(i, kinds.at(i));
    }
    for (const StoredLink &l : def.links) {
        TQGCheckListBox *from = canvas->FindTableWindow(l.field1Table, l.field1Alias);
        TQGCheckListBox *to = canvas->FindTableWindow(l.field2Table, l.field2Alias);
        // A link needs both its windows; one whose table is not on the canvas is dropped.
        if (from && to)
            canvas->CreateLink(from, to, l.hint)->SetJoinType(JoinTypeFromName(l.joinType));
    }
    TQGDesignLists::SetRows(form.ListView5(), def.values.rows);
    TQGDesignLists::SetRows(form.ListView2(), def.conditions.rows);
    TQGDesignLists::SetRows(form.ListView3(), def.sorting.rows);
    form.ShowJoinLinks(form.GetQueryType() == QueryType::Select);
    form.GenerateSQL();
}
