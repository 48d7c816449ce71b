// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tvdruntimequery.h"

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
#include <memory>

TVDRunTimeQuery::TVDRunTimeQuery(QObject *owner)
    : QObject(owner)
{
    // The database layer asks through the component's dialog when a server wants a password.
    TDatabase::SetLoginPrompt(&TQGLoginDialog::Ask);
}

TVDRunTimeQuery::~TVDRunTimeQuery() = default;

void TVDRunTimeQuery::Execute()
{
    QString session = m_sessionName;
    QString database = m_databaseName;
    const QStringList sql = m_sql;

    if (database.isEmpty()) {
        std::unique_ptr<TQGDBSelect> dialog(new TQGDBSelect(QApplication::activeWindow()));
        QStringList sessions;
        Sessions().ListSessionNames(sessions);
        dialog->ComboBox1()->addItems(sessions);
        if (TSession *s = Sessions().FindSession(session))
            dialog->ComboBox1()->setCurrentIndex(sessions.indexOf(s->SessionName()));
        dialog->ComboBox1Change();
        if (m_showHook)
            m_showHook(dialog.get());
        if (dialog->exec() != QDialog::Accepted)
            return;
        session = dialog->ComboBox1()->currentText();
        database = dialog->SelectedDatabase();
    }

    std::unique_ptr<TQGQueryForm> form(new TQGQueryForm(QApplication::activeWindow()));
    prepareDesigner(form.get(), session, database, sql);
    form->setWindowState(form->windowState() | Qt::WindowMaximized);
    if (m_showHook)
        m_showHook(form.get());
    if (form->exec() == TQGQueryForm::mrOk)
        m_sql = form->Memo1()->Lines();
}

void TVDRunTimeQuery::prepareDesigner(TQGQueryForm *form, const QString &session, const QString &database,
                                      const QStringList &sql)
{
    form->PrepareDesign(session, database, sql, m_fileName);
}
