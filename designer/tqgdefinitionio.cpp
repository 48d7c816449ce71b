#include "tqgdefinitionio.h"

#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdesignlists.h"
#include "tqgqueryexecution.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QObject>
#include <QTreeWidget>

namespace {

StoredList storedList(const QTreeWidget *list)
{
    return StoredList{list->columnCount(), TQGDesignLists::Rows(list)};
}

} // namespace

QueryDefinition TQGDefinitionIO::Capture(const TQGQueryForm &form)
{
    QueryDefinition def;
    def.sessionName = form.Query1()->SessionName();
    def.database = form.Query1()->DatabaseName();
    def.type = int(form.GetQueryType());
    // The windows' geometry is in the canvas's content widget, which scrolling moves as a
    // whole: Left and Top are already independent of the scroll position.
    const TQGScrollBox *box = form.ScrollBox1();
    for (const TQGCheckListBox *w : box->TableWindows()) {
        StoredTable t;
        t.name = w->Caption();
        const QStringList fields = w->Fields();
        const QList<bool> ticks = w->Ticks();
        for (int i = 0; i < fields.size(); ++i)
            t.items << qMakePair(fields.at(i), ticks.at(i));
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
                                link->OverText(), QString(), link->x(), link->y(), link->width(), link->height()};
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

    TQGCanvasCommands *canvas = form.Canvas();
    for (const StoredTable &t : def.tables) {
        TQGCheckListBox *w = canvas->CreateStoredTableWindow(t.name, QRect(t.left, t.top, t.width, t.height));
        const QList<bool> ticks = ApplyStoredTicks(w->Fields(), t.items);
        for (int i = 0; i < ticks.size(); ++i)
            w->SetChecked(i, ticks.at(i));
    }
    for (const StoredLink &l : def.links) {
        TQGCheckListBox *from = canvas->FindTableWindow(l.field1Table);
        TQGCheckListBox *to = canvas->FindTableWindow(l.field2Table);
        // A link needs both its windows; one whose table is not on the canvas is dropped.
        if (from && to)
            canvas->CreateLink(from, to, l.hint);
    }
    TQGDesignLists::SetRows(form.ListView5(), def.values.rows);
    TQGDesignLists::SetRows(form.ListView2(), def.conditions.rows);
    TQGDesignLists::SetRows(form.ListView3(), def.sorting.rows);
    form.ShowJoinLinks(form.GetQueryType() == QueryType::Select);
    form.GenerateSQL();
}
