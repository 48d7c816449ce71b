// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designerbinding_p.h"

#include "designjson.h"
#include "tdatabase.h"
#include "tqglogindialog.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTabWidget>

namespace DesignerBinding {

QString HostSession()
{
    return QStringLiteral("Host");
}

QString AddHostConnection(const QSqlDatabase &connection, const QString &name, const QString &sessionName)
{
    if (!connection.isValid())
        throw VdqError(QCoreApplication::translate("VdqDesigner", "The connection is not valid"));
    TAliasParams params;
    params.driver = TDatabase::DriverOfQtDriver(connection.driverName());
    if (params.driver.isEmpty()) {
        throw VdqError(QCoreApplication::translate("VdqDesigner", "The designer cannot work with the database driver %1")
                           .arg(connection.driverName()));
    }
    params.hostConnection = connection.connectionName();
    params.name = name;
    if (params.name.isEmpty()) {
        const QString database = connection.databaseName();
        if (params.driver == QLatin1String("STANDARD") && database != QLatin1String(":memory:") && !database.isEmpty())
            params.name = QFileInfo(database).completeBaseName();
        else
            params.name = database.isEmpty() || database.startsWith(u':') ? connection.connectionName() : database;
    }
    params.path = connection.databaseName();
    params.database = connection.databaseName();
    params.host = connection.hostName();
    params.port = connection.port();
    params.user = connection.userName();
    TSession *session = sessionName.isEmpty() ? Sessions().DefaultSession() : Sessions().CreateSession(sessionName);
    session->AddDatabase(params);
    return params.name;
}

void ApplyDesign(TQGQueryForm *form, const QJsonObject &design)
{
    DesignState state;
    QString error;
    if (!DesignFromJson(design, state, &error))
        throw VdqError(error);
    state.sessionName = form->Design().sessionName;
    state.database = form->Design().database;
    form->EditDesign(QCoreApplication::translate("VdqDesigner", "Design from the Host"),
                     [&state](DesignState &d) { d = state; });
}

QJsonObject DesignOf(const TQGQueryForm *form)
{
    return DesignToJson(form->Design());
}

QString StatementOf(const TQGQueryForm *form)
{
    return form->Memo1()->Lines().join(u'\n');
}

void SetStatement(TQGQueryForm *form, const QString &sql)
{
    form->Memo1()->SetLines(sql.split(u'\n'));
    form->PageControl981()->setCurrentWidget(form->TabSheet2());
}

bool Guarded(const std::function<void()> &work, QString *error)
{
    try {
        work();
        return true;
    } catch (const VdqError &e) {
        *error = e.message();
        return false;
    }
}

QWidget *HostWindow(QWidget *parent)
{
    QWidget *window = parent ? parent->window() : QApplication::activeWindow();
    return window && window->isVisible() ? window : nullptr;
}

void InstallLoginPrompt()
{
    TDatabase::SetLoginPrompt(&TQGLoginDialog::Ask);
}

} // namespace DesignerBinding
