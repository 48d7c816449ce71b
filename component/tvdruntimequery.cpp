#include "tvdruntimequery.h"

#include "messages.h"
#include "tdatabase.h"
#include "tqgbusycursor.h"
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
#include <QTabWidget>
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
    TQGBusyCursor busy;

    form->Query1()->SetSessionName(session);
    form->Query1()->SetDatabaseName(database);
    form->OpenDesignDatabase(session, database);

    if (!sql.isEmpty()) {
        form->Memo1()->SetLines(sql);
        form->PageControl981()->setCurrentWidget(form->TabSheet2());
    }

    if (!m_fileName.isEmpty())
        form->LoadStartingFile(m_fileName);
}
