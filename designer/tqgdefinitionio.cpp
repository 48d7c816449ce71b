// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

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
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QObject>
#include <algorithm>

QueryDefinition TQGDefinitionIO::Capture(const TQGQueryForm &form)
{
    QueryDefinition def = DefinitionOf(form.Design());
    def.sessionName = form.Query1()->SessionName();
    def.database = form.Query1()->DatabaseName();
    return def;
}

void TQGDefinitionIO::Save(const TQGQueryForm &form, const QString &fileName)
{
    SaveQueryDefinitionFile(fileName, Capture(form));
}

void TQGDefinitionIO::Load(TQGQueryForm &form, const QString &fileName)
{
    Apply(form, LoadQueryDefinitionFile(fileName), QObject::tr("Open"));
}

void TQGDefinitionIO::Apply(TQGQueryForm &form, const QueryDefinition &stored, const QString &text,
                            DesignEdit::Kind kind, const std::function<void(DesignState &)> &adjust)
{
    QueryDefinition def = stored;
    // A file without a database (a new, empty one) keeps the designer's database.
    if (def.database.isEmpty()) {
        def.sessionName = form.Query1()->SessionName();
        def.database = form.Query1()->DatabaseName();
    }
    const QString sessionName = def.sessionName;
    const QString database = def.database;
    // The table list of the file's database, before anything of the design changes.
    TSession *session = Sessions().FindSession(sessionName);
    if (!session)
        throw VdqError(QObject::tr("Unknown session name %1").arg(sessionName));
    QStringList names;
    session->ListTableNames(database, QString(), true, false, names);

    QString error;
    DesignState state = StateFromDefinition(
        def, [&](const QString &table) { return session->ListTableFields(database, table); }, &error);
    // The ids go on from the design's, so that no view takes a new table for an old one.
    state.Renumber(form.Design().nextId);
    // A window showing its total choosers is at least wide enough for them.
    if (state.totals) {
        for (DocumentTable &t : state.tables)
            t.geometry = form.Canvas()->WidenedForTotals(t.geometry, t.fields);
    }
    if (adjust)
        adjust(state);
    form.Execution()->CloseResult();
    form.Query1()->SetSessionName(sessionName);
    form.Query1()->SetDatabaseName(database);
    form.ShowTableNames(sessionName, database, names);
    form.EditDesign(text, [&](DesignState &d) { d = state; }, kind);
    // A table that could not be opened stays, without fields, and ends the reading; a
    // statement naming a table without fields would not run, so the editor is left empty.
    if (!error.isEmpty()) {
        form.Memo1()->SetLines({});
        throw VdqError(error);
    }
}
