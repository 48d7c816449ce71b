#include "tqgqueryexecution.h"

#include "tqgbusycursor.h"
#include "messages.h"
#include "tqgdbnavigator.h"
#include "tqgengrid.h"
#include "tqgresultmodel.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "vdqerror.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStatusBar>
#include <QTabWidget>

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
    bool running = false;  // our own Close/Open, not a close from elsewhere

    // Opens the query and shows the result; false (with the engine's message shown) when
    // the engine refused the statement.
    bool openResult(int currentRow)
    {
        QString error;
        qint64 count = 0;
        {
            TQGBusyCursor busy;
            try {
                query->Open();
                count = query->RecordCount();
            } catch (const VdqError &e) {
                error = e.message();
            }
            if (error.isEmpty()) {
                controls.grid->SetLinesPerRow(hasMultiLineField(*query) ? 3 : 1);
                controls.grid->FitColumns();
                controls.statusBar->showMessage(QString::asprintf("%lld record(s)", static_cast<long long>(count)));
                if (model->rowCount() > 0) {
                    const QModelIndex index = model->index(qBound(0, currentRow, model->rowCount() - 1), 0);
                    controls.grid->setCurrentIndex(index);
                    controls.grid->scrollTo(index);
                }
            }
        }
        if (!error.isEmpty()) {
            VdqMessages::Error(messageParent, error);
            return false;
        }
        controls.resultPanel->show();
        return true;
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
    if (d->controls.navigator) {
        d->controls.navigator->SetView(d->controls.grid);
        connect(d->controls.navigator, &TQGDBNavigator::refreshRequested, this, &TQGQueryExecution::RefreshResult);
    }
    // The navigator's position is the query's current record (the source of a detail
    // query's parameter values).
    connect(d->controls.grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    d->query->SetRecNo(current.row());
            });
    // A result closed elsewhere (the connection went away) leaves nothing to browse.
    connect(query, &TQuery::activeChanged, this, [this](bool active) {
        if (!active && !d->running)
            d->hideResult();
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
    const RunningFlag running(d->running);

    const Controls &c = d->controls;
    c.pageControl->setCurrentWidget(c.sqlPage);
    if (d->query->IsActive())
        d->query->Close();
    d->query->SetSQL(c.memo->Lines());
    d->query->SetMasterDataSource(d->masterDataSource ? d->masterDataSource() : nullptr);
    d->hideResult();

    // The query type decides, not the text: a SELECT typed under Insert goes to ExecSql,
    // and the engine refuses it.
    if (d->selectQuery && !d->selectQuery()) {
        QString error;
        {
            TQGBusyCursor busy;
            try {
                d->query->ExecSql();
            } catch (const VdqError &e) {
                error = e.message();
            }
        }
        if (error.isEmpty())
            VdqMessages::Information(d->messageParent, tr("Information"), tr("The SQL statement has been executed."));
        else
            VdqMessages::Error(d->messageParent, error);
        return;
    }
    d->openResult(0);
}

void TQGQueryExecution::RefreshResult()
{
    if (!d->query->IsActive())
        return;
    const RunningFlag running(d->running);
    const int row = qMax(0, d->controls.grid->currentIndex().row());
    d->query->Close();
    if (!d->openResult(row))
        d->hideResult();
}

void TQGQueryExecution::CloseResult()
{
    d->query->Close();
    d->hideResult();
}
