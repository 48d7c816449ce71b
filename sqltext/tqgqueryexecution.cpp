// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgqueryexecution.h"

#include <QCoreApplication>

#include "tqgbusycursor.h"
#include "messages.h"
#include "tqgdbnavigator.h"
#include "tqgengrid.h"
#include "tqgresultmodel.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "vdqerror.h"

#include <QApplication>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

// Errors of a run are titled with the command that ran it.
QString executeTitle()
{
    return QCoreApplication::translate("TQGQueryExecution", "Execute Query");
}

} // namespace

namespace {

// Set while the command itself closes and opens the query.
class RunningFlag
{
public:
    explicit RunningFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag &) = delete;
    RunningFlag &operator=(const RunningFlag &) = delete;

private:
    bool &m_flag;
};

bool hasMultiLineField(const TQuery &query)
{
    for (int i = 0; i < query.FieldCount(); ++i) {
        const TFieldKind kind = query.Field(i).kind;
        if (kind == TFieldKind::Memo || kind == TFieldKind::Graphic)
            return true;
    }
    return false;
}

} // namespace

class TQGQueryExecution::Private
{
public:
    Controls controls;
    TQuery *query = nullptr;
    std::function<bool()> selectQuery;
    std::function<TDataSource *()> masterDataSource;
    QWidget *messageParent = nullptr;
    TQGResultModel *model = nullptr;
    QShortcut *escape = nullptr;
    bool running = false;   // our own Close/Open, not a close from elsewhere
    bool executing = false; // a statement runs or its rows are read
    int currentRow = 0;     // the row to show once the first rows are in
    std::optional<TQGBusyCursor> busy;
    QEventLoop *waiting = nullptr;  // Execute waits here for the first rows

    void setRunning(bool on)
    {
        executing = on;
        if (on && !busy)
            busy.emplace();
        else if (!on)
            busy.reset();
        escape->setEnabled(on);
        if (controls.navigator)
            controls.navigator->SetStopEnabled(on);
    }

    void showCount()
    {
        const long long rows = query->RowsRead();
        // Chooses the translation's singular or plural; the number itself is written whole.
        const int count = int(std::min<long long>(rows, INT_MAX));
        QString text;
        if (query->IsReading())
            text = TQGQueryExecution::tr("Reading: %1 record(s) so far", nullptr, count).arg(rows);
        else if (query->WasStopped())
            text = TQGQueryExecution::tr("%1 record(s) read, reading stopped: a part of the result", nullptr, count)
                       .arg(rows);
        else
            text = TQGQueryExecution::tr("%1 record(s)", nullptr, count).arg(rows);
        controls.statusBar->showMessage(text);
    }

    // The first rows are in: the grid shows them.
    void opened()
    {
        controls.grid->SetLinesPerRow(hasMultiLineField(*query) ? 3 : 1);
        controls.grid->FitColumns();
        if (model->rowCount() > 0)
            controls.grid->SetCurrentRow(currentRow, 0);
        controls.resultPanel->show();
        if (!query->IsReading())
            setRunning(false);
        showCount();
        if (waiting)
            waiting->quit();
    }

    // The statement was refused, cancelled or failed before its first rows, or a later
    // chunk failed (the rows read before it stay).
    void failed(const QString &message)
    {
        const bool beforeRows = !query->IsActive();
        setRunning(false);
        if (beforeRows) {
            hideResult();
            if (waiting)
                waiting->quit();
        }
        if (stopped && beforeRows)
            controls.statusBar->showMessage(message);
        else
            VdqMessages::Error(messageParent, executeTitle(), message);
    }

    void finished()
    {
        setRunning(false);
        showCount();
        if (controls.navigator)
            controls.navigator->ReadingEnded();
    }

    bool stopped = false;  // the user stopped this run

    // Starts a run of the query; false (with the message shown) when it was refused.
    bool begin(void (TQuery::*start)())
    {
        stopped = false;
        try {
            (query->*start)();
        } catch (const VdqError &e) {
            VdqMessages::Error(messageParent, executeTitle(), e.message());
            return false;
        }
        setRunning(true);
        // The panel, empty until the first rows come, holds the stop button meanwhile.
        controls.resultPanel->show();
        controls.statusBar->showMessage(TQGQueryExecution::tr("Executing the SQL statement..."));
        return true;
    }

    // Starts the query and waits, processing events, for its first rows; false (with the
    // message shown) when the statement was refused or failed.
    bool openResult(int row)
    {
        currentRow = row;
        if (!begin(&TQuery::Start))
            return false;
        QEventLoop loop;
        waiting = &loop;
        if (query->IsStarting())
            loop.exec();
        waiting = nullptr;
        return query->IsActive();
    }

    // Runs a statement that changes data and waits, processing events, until it ran; false
    // (with the message shown) when it was refused, failed or was cancelled. The stop button
    // and Escape cancel it meanwhile.
    bool execStatement()
    {
        if (!begin(&TQuery::StartExec))
            return false;
        bool ran = false;
        QEventLoop loop;
        waiting = &loop;
        const QMetaObject::Connection done = QObject::connect(query, &TQuery::executed, &loop, [&] {
            ran = true;
            loop.quit();
        });
        if (query->IsStarting())
            loop.exec();
        QObject::disconnect(done);
        waiting = nullptr;
        // A failure has hidden the panel and said why.
        if (ran) {
            setRunning(false);
            hideResult();
        }
        return ran;
    }

    void hideResult()
    {
        controls.resultPanel->hide();
        controls.statusBar->clearMessage();
    }
};

TQGQueryExecution::TQGQueryExecution(const Controls &controls, TQuery *query, std::function<bool()> selectQuery,
                                     std::function<TDataSource *()> masterDataSource, QWidget *messageParent,
                                     QObject *parent)
    : QObject(parent), d(new Private)
{
    d->controls = controls;
    d->query = query;
    d->selectQuery = std::move(selectQuery);
    d->masterDataSource = std::move(masterDataSource);
    d->messageParent = messageParent;
    d->model = new TQGResultModel(this);
    d->model->setObjectName(QStringLiteral("ResultModel"));
    d->model->SetQuery(query);
    d->controls.grid->setModel(d->model);
    // Escape anywhere in the window stops a run; the result panel is shown while one runs.
    d->escape = new QShortcut(QKeySequence(Qt::Key_Escape), d->controls.resultPanel);
    d->escape->setContext(Qt::WindowShortcut);
    d->escape->setEnabled(false);
    connect(d->escape, &QShortcut::activated, this, &TQGQueryExecution::StopResult);
    if (d->controls.navigator) {
        d->controls.navigator->SetView(d->controls.grid);
        connect(d->controls.navigator, &TQGDBNavigator::refreshRequested, this, &TQGQueryExecution::RefreshResult);
        connect(d->controls.navigator, &TQGDBNavigator::stopRequested, this, &TQGQueryExecution::StopResult);
    }
    connect(query, &TQuery::activeChanged, this, [this](bool active) {
        if (active && d->executing)
            d->opened();
    });
    connect(query, &TQuery::rowsRead, this, [this] {
        if (d->executing)
            d->showCount();
    });
    connect(query, &TQuery::failed, this, [this](const QString &message) { d->failed(message); });
    connect(query, &TQuery::readingFinished, this, [this] { d->finished(); });
    // The navigator's position is the query's current record (the source of a detail
    // query's parameter values).
    connect(d->controls.grid, &TQGenGrid::CurrentRowChanged, this, [this](int row) {
        if (row >= 0)
            d->query->SetRecNo(row);
    });
    // A result closed elsewhere (the connection went away) leaves nothing to browse.
    connect(query, &TQuery::activeChanged, this, [this](bool active) {
        if (!active && !d->running) {
            d->setRunning(false);
            d->hideResult();
        }
    });
}

TQGQueryExecution::~TQGQueryExecution()
{
    delete d;
}

TQGResultModel *TQGQueryExecution::ResultModel() const
{
    return d->model;
}

void TQGQueryExecution::SpeedButton28Click()
{
    // A second Execute while one runs would start a run inside the first one's wait.
    if (d->waiting)
        return;
    const RunningFlag running(d->running);

    const Controls &c = d->controls;
    c.pageControl->setCurrentWidget(c.sqlPage);
    d->query->Close();
    d->setRunning(false);
    d->query->SetSQL(c.memo->Lines());
    d->query->SetMasterDataSource(d->masterDataSource ? d->masterDataSource() : nullptr);
    d->hideResult();

    // The query type decides, not the text: a SELECT typed under Insert is run as a change,
    // and the engine refuses it.
    if (d->selectQuery && !d->selectQuery()) {
        if (d->execStatement()) {
            QString text = tr("The SQL statement has been executed.");
            if (d->query->RowsAffected() >= 0)
                text += u'\n' + tr("%n row(s) affected.", nullptr, d->query->RowsAffected());
            VdqMessages::Information(d->messageParent, tr("Information"), text);
        }
        return;
    }
    d->openResult(0);
}

void TQGQueryExecution::RefreshResult()
{
    if (!d->query->IsActive() || d->waiting)
        return;
    const RunningFlag running(d->running);
    const int row = qMax(0, d->controls.grid->CurrentRow());
    d->query->Close();
    d->setRunning(false);
    if (!d->openResult(row))
        d->hideResult();
}

void TQGQueryExecution::StopResult()
{
    if (!d->executing)
        return;
    d->stopped = true;
    d->query->Stop();
}

bool TQGQueryExecution::IsRunning() const
{
    return d->executing;
}

void TQGQueryExecution::CloseResult()
{
    d->stopped = true;  // a run still executing ends quietly
    d->query->Close();
    d->setRunning(false);
    d->hideResult();
}
