// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tvdruntimequery.h"
#include "tvdruntimequery_p.h"

#include "designerbinding_p.h"
#include "messages.h"
#include "tdatabase.h"
#include "tqgdbselect.h"
#include "tqglogindialog.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>

TVDRunTimeQuery::TVDRunTimeQuery(QObject *owner)
    : QObject(owner), d(std::make_unique<TVDRunTimeQueryPrivate>())
{
    // The database layer asks through the component's dialog when a server wants a password.
    TDatabase::SetLoginPrompt(&TQGLoginDialog::Ask);
}

TVDRunTimeQuery::~TVDRunTimeQuery() = default;

QString TVDRunTimeQuery::DatabaseName() const { return d->databaseName; }
void TVDRunTimeQuery::SetDatabaseName(const QString &name) { d->databaseName = name; }
QStringList TVDRunTimeQuery::SQL() const { return d->sql; }
void TVDRunTimeQuery::SetSQL(const QStringList &lines) { d->sql = lines; }
QString TVDRunTimeQuery::SessionName() const { return d->sessionName; }
void TVDRunTimeQuery::SetSessionName(const QString &name) { d->sessionName = name; }
QString TVDRunTimeQuery::FileName() const { return d->fileName; }
void TVDRunTimeQuery::SetFileName(const QString &name) { d->fileName = name; }

void TVDRunTimeQuery::Execute()
{
    QString session = d->sessionName;
    QString database = d->databaseName;
    const QStringList sql = d->sql;

    // The windows' parent is the host's active window, which may go while they are open (a
    // window the host closed and deletes later); they are released once, whoever goes first.
    QPointer<TQGDBSelect> dialog;
    QPointer<TQGQueryForm> form;
    const auto release = qScopeGuard([&] {
        delete dialog.data();
        delete form.data();
    });
    if (database.isEmpty()) {
        dialog = new TQGDBSelect(DesignerBinding::HostWindow());
        QStringList sessions;
        Sessions().ListSessionNames(sessions);
        dialog->ComboBox1()->addItems(sessions);
        if (TSession *s = Sessions().FindSession(session))
            dialog->ComboBox1()->setCurrentIndex(sessions.indexOf(s->SessionName()));
        dialog->ComboBox1Change();
        if (d->showHook)
            d->showHook(dialog);
        if (dialog->exec() != QDialog::Accepted || !dialog)
            return;
        session = dialog->ComboBox1()->currentText();
        database = dialog->SelectedDatabase();
    }

    form = new TQGQueryForm(DesignerBinding::HostWindow());
    form->PrepareDesign(session, database, sql, d->fileName);
    form->setWindowState(form->windowState() | Qt::WindowMaximized);
    if (d->showHook)
        d->showHook(form);
    if (form->exec() == TQGQueryForm::mrOk && form)
        d->sql = form->Memo1()->Lines();
}
