// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "vdqquerydesigner.h"

#include "designerbinding_p.h"
#include "querydocument.h"
#include "tqgqueryform.h"
#include "tsessionlist.h"

#include <QApplication>
#include <QPointer>
#include <QSqlDatabase>

class VdqQueryDesignerPrivate
{
public:
    explicit VdqQueryDesignerPrivate(VdqQueryDesigner *owner) : q(owner) {}

    bool fail(const QString &message)
    {
        error = message;
        emit q->errorOccurred(error);
        return false;
    }

    // The designer window, prepared on the database with the starting statement, file and
    // design; null when any of them fails.
    TQGQueryForm *create(QWidget *parent)
    {
        error.clear();
        if (form || !connectionError.isEmpty()) {
            fail(form ? VdqQueryDesigner::tr("The designer is open already") : connectionError);
            return nullptr;
        }
        auto *window = new TQGQueryForm(DesignerBinding::HostWindow(parent));
        window->SetTableFilter(filter);
        const bool ok = DesignerBinding::Guarded(
            [&] {
                window->PrepareDesign(session, database, sql.isEmpty() ? QStringList() : sql.split(u'\n'), fileName);
                if (!startDesign.isEmpty())
                    DesignerBinding::ApplyDesign(window, startDesign);
            },
            &error);
        if (!ok) {
            delete window;
            emit q->errorOccurred(error);
            return nullptr;
        }
        form = window;
        QObject::connect(window->Document(), &QueryDocument::changed, q, &VdqQueryDesigner::designChanged);
        return window;
    }

    // The window's end: its statement and design are kept, and it goes.
    int finish(int result)
    {
        lastDesign = DesignerBinding::DesignOf(form);
        const QString statement = DesignerBinding::StatementOf(form);
        form->deleteLater();
        form = nullptr;
        const int code = result == TQGQueryForm::mrOk ? QDialog::Accepted : QDialog::Rejected;
        if (code == QDialog::Accepted && statement != sql) {
            sql = statement;
            emit q->sqlChanged(sql);
        }
        emit q->finished(code);
        return code;
    }

    VdqQueryDesigner *q;
    QPointer<TQGQueryForm> form;
    QString session;
    QString database;
    QString connectionError;
    VdqQueryDesigner::TableFilter filter;
    QString sql;
    QString fileName;
    QJsonObject startDesign;
    QJsonObject lastDesign;
    QString error;
};

VdqQueryDesigner::VdqQueryDesigner(QObject *parent)
    : QObject(parent), d(std::make_unique<VdqQueryDesignerPrivate>(this))
{
    DesignerBinding::InstallLoginPrompt();
}

VdqQueryDesigner::~VdqQueryDesigner()
{
    delete d->form;
}

void VdqQueryDesigner::setDatabase(const QSqlDatabase &connection, const QString &name)
{
    d->connectionError.clear();
    QString added;
    if (DesignerBinding::Guarded(
            [&] { added = DesignerBinding::AddHostConnection(connection, name, DesignerBinding::HostSession()); },
            &d->connectionError)) {
        d->session = DesignerBinding::HostSession();
        d->database = added;
    }
}

void VdqQueryDesigner::setAlias(const QString &alias, const QString &sessionName)
{
    d->connectionError.clear();
    d->session = sessionName;
    d->database = alias;
}

void VdqQueryDesigner::setTableFilter(const TableFilter &filter)
{
    d->filter = filter;
}

QString VdqQueryDesigner::sql() const
{
    return d->sql;
}

void VdqQueryDesigner::setSql(const QString &sql)
{
    if (sql == d->sql)
        return;
    d->sql = sql;
    emit sqlChanged(sql);
}

QString VdqQueryDesigner::fileName() const
{
    return d->fileName;
}

void VdqQueryDesigner::setFileName(const QString &fileName)
{
    d->fileName = fileName;
}

QJsonObject VdqQueryDesigner::design() const
{
    if (d->form)
        return DesignerBinding::DesignOf(d->form);
    return d->lastDesign.isEmpty() ? d->startDesign : d->lastDesign;
}

void VdqQueryDesigner::setDesign(const QJsonObject &design)
{
    d->startDesign = design;
    d->lastDesign = QJsonObject();
}

bool VdqQueryDesigner::open(QWidget *parent)
{
    TQGQueryForm *window = d->create(parent);
    if (!window)
        return false;
    connect(window, &QDialog::finished, this, [this](int result) { d->finish(result); });
    window->open();
    return true;
}

int VdqQueryDesigner::exec(QWidget *parent)
{
    TQGQueryForm *window = d->create(parent);
    if (!window)
        return QDialog::Rejected;
    return d->finish(window->exec());
}

QWidget *VdqQueryDesigner::window() const
{
    return d->form;
}

QString VdqQueryDesigner::errorString() const
{
    return d->error;
}

bool VdqQueryDesigner::addDatabase(const QSqlDatabase &connection, const QString &name, const QString &sessionName,
                                   QString *errorMessage)
{
    QString error;
    const bool ok = DesignerBinding::Guarded(
        [&] { DesignerBinding::AddHostConnection(connection, name, sessionName); }, &error);
    if (errorMessage)
        *errorMessage = error;
    return ok;
}

void VdqQueryDesigner::setAliasFile(const QString &fileName)
{
    Sessions().SetAliasFile(fileName);
}

QString VdqQueryDesigner::aliasFile()
{
    return Sessions().AliasFile();
}
