// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "vdqdesignerwidget.h"

#include "designerbinding_p.h"
#include "querydocument.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"

#include <QSqlDatabase>
#include <QVBoxLayout>

class VdqDesignerWidgetPrivate
{
public:
    explicit VdqDesignerWidgetPrivate(VdqDesignerWidget *owner) : q(owner) {}

    // Runs a call's work; a failure becomes the error string and the signal.
    bool run(const std::function<void()> &work)
    {
        error.clear();
        if (DesignerBinding::Guarded(work, &error))
            return true;
        emit q->errorOccurred(error);
        return false;
    }

    void open(const QString &sessionName, const QString &databaseName)
    {
        form->PrepareDesign(sessionName, databaseName);
        session = sessionName;
        database = databaseName;
        emit q->databaseChanged();
    }

    VdqDesignerWidget *q;
    TQGQueryForm *form = nullptr;
    QString session;
    QString database;
    QString error;
};

VdqDesignerWidget::VdqDesignerWidget(QWidget *parent)
    : QWidget(parent), d(std::make_unique<VdqDesignerWidgetPrivate>(this))
{
    DesignerBinding::InstallLoginPrompt();
    d->form = new TQGQueryForm(this);
    d->form->Embed();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->form);
    setFocusProxy(d->form);
    connect(d->form->Memo1(), &QPlainTextEdit::textChanged, this, [this] { emit sqlChanged(sql()); });
    connect(d->form->Document(), &QueryDocument::changed, this, &VdqDesignerWidget::designChanged);
    connect(d->form, &QDialog::finished, this, &VdqDesignerWidget::finished);
}

VdqDesignerWidget::~VdqDesignerWidget() = default;

bool VdqDesignerWidget::setDatabase(const QSqlDatabase &connection, const QString &name)
{
    return d->run([&] {
        const QString added = DesignerBinding::AddHostConnection(connection, name, DesignerBinding::HostSession());
        d->open(DesignerBinding::HostSession(), added);
    });
}

bool VdqDesignerWidget::setAlias(const QString &alias, const QString &sessionName)
{
    return d->run([&] { d->open(sessionName, alias); });
}

QString VdqDesignerWidget::databaseName() const
{
    return d->database;
}

void VdqDesignerWidget::setTableFilter(const TableFilter &filter)
{
    d->form->SetTableFilter(filter);
    if (!d->database.isEmpty())
        d->run([this] { d->form->OpenDesignDatabase(d->session, d->database); });
}

QString VdqDesignerWidget::sql() const
{
    return DesignerBinding::StatementOf(d->form);
}

void VdqDesignerWidget::setSql(const QString &sql)
{
    DesignerBinding::SetStatement(d->form, sql);
}

QJsonObject VdqDesignerWidget::design() const
{
    return DesignerBinding::DesignOf(d->form);
}

bool VdqDesignerWidget::setDesign(const QJsonObject &design)
{
    return d->run([&] { DesignerBinding::ApplyDesign(d->form, design); });
}

bool VdqDesignerWidget::openFile(const QString &fileName)
{
    return d->run([&] { d->form->LoadStartingFile(fileName); });
}

bool VdqDesignerWidget::isModified() const
{
    return d->form->IsModified();
}

QString VdqDesignerWidget::errorString() const
{
    return d->error;
}
