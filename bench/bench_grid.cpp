// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The designer's result grid against a plain QSqlQueryModel in a QTableView, on the
// sample's 1,000,000-row table "ledger" (or a 10,000,000-row copy with --rows 10000000) in
// SQLite, PostgreSQL and MariaDB, for three statements: the plain scan ("plain"), ORDER BY
// a column without an index ("sorted"), and a join with "clients" ORDER BY another such
// column ("join"); and, asked for with --stmts keys, two columns as 64-bit integers ("keys").
//
// For each engine, statement and variant it measures, in a child process of its own
// (so that the peak resident memory, VmHWM, is that variant's alone):
//   engine_ms      the engine through Qt: a forward-only QSqlQuery that runs the statement
//                  and reads every value of every row;
//   first_rows_ms  from Execute (the designer's execute command, or setQuery for the
//                  baseline) until the first rows are painted;
//   last_row_ms    from the jump to the last row (the navigator's Last, or fetchMore until
//                  !canFetchMore and a scroll to the end, as a QTableView does) until that
//                  row is painted;
//   peak_rss_mb    the peak resident memory after the jump;
//   limit_ms       the engine's limit, its client library alone reading every value of every
//                  row: a loop over sqlite3_step with sqlite3_column_*, libpq in single-row
//                  mode, the MariaDB client's unbuffered mysql_use_result;
//   engine_peak_rss_mb, limit_peak_rss_mb   the peak resident memory of those two;
//   jump_ms        from Ctrl+End in the grid, right after the first rows were painted, until
//                  the last row is painted (the last rows read ahead where the engine gives
//                  them as this one result has them, else the reading followed to the end);
//   jump_peak_rss_mb   the peak resident memory of that child.
// Each figure is the median of --runs runs (default 3). One line per engine and statement:
//   engine=sqlite stmt=sorted rows=1000000 first_rows_ms=... last_row_ms=... engine_ms=...
//   peak_rss_mb=... baseline_first_rows_ms=... baseline_last_row_ms=... baseline_peak_rss_mb=...
//   last_to_engine=... first_to_baseline=... limit_ms=... end_to_limit=...
//   engine_peak_rss_mb=... limit_peak_rss_mb=... jump_ms=... jump_peak_rss_mb=...
// The ratios are the medians of last_row_ms / engine_ms, first_rows_ms /
// baseline_first_rows_ms and (first_rows_ms + last_row_ms) / limit_ms (Execute until the
// spool's end is shown, against the engine's limit), taken within each run.
// At 10,000,000 rows the baseline is left out (it holds every row in memory: gigabytes)
// and its figures print as -1.
//
// Run it from the build directory (it finds vdqmksample there and the server script in the
// source tree):
//   cmake --build BUILD --target bench_grid vdqmksample && BUILD/bench/bench_grid
// Options:
//   --sqlite FILE             a sample database with the ledger (else one is built in a temp dir)
//   --pg HOST PORT USER DB    a running server with the sample (else one is started with
//                             tests/pg/pgserver.sh in a temp dir and stopped afterwards)
//   --mksample PROGRAM        the sample builder (default: BUILD/tools/vdqmksample)
//   --engines sqlite,postgresql,mariadb   --stmts plain,sorted,join   --runs N
//                             (mariadb: a server of its own is started with tests/mariadb/mariadbserver.sh)
//   --rows 1000000|10000000   (10,000,000 makes the table "ledger10m" once in each engine;
//                             a run of minutes per engine)
//   --export                  instead of the above: Export Results on the plain scan, one line
//                             per engine:
//   engine=sqlite export rows=... export_ms=... spool_csv_ms=... spool_json_ms=... engine_csv_ms=...
//   export_rows_per_s=... spool_csv_rows_per_s=... engine_csv_rows_per_s=... export_to_engine=...
//                             export_ms: from Execute (the statement run once, its rows read into the
//                             spool) until the CSV of every row is written to /dev/null, the export
//                             following the reading; spool_csv_ms, spool_json_ms: the whole result
//                             again from the spool alone, to /dev/null; engine_csv_ms: the engine's
//                             own CSV of the statement to /dev/null (sqlite3 -csv, psql's \copy ...
//                             csv; -1 on MariaDB, whose client has none); export_to_engine: the
//                             export's rows/s over the engine's (engine_csv_ms / export_ms), the
//                             median of the runs' ratios.
// The children run on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "tqgdbnavigator.h"
#include "tqgengrid.h"
#include "tqgqueryexecution.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tresultexport.h"
#include "tsessionlist.h"
#include "messages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMap>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <libpq-fe.h>
#include <mysql.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The statement of a name, on the table of a row count.
QString statement(const QString &name, qint64 rows)
{
    const QString table = rows > 1000000 ? QStringLiteral("ledger10m") : QStringLiteral("ledger");
    if (name == QLatin1String("sorted"))
        return QStringLiteral("SELECT * FROM %1 ORDER BY \"Amount\" DESC").arg(table);
    if (name == QLatin1String("keys"))
        return QStringLiteral("SELECT CAST(\"EntryNo\" AS BIGINT) AS \"EntryNo\", CAST(\"ClientNo\" AS BIGINT) AS "
                              "\"ClientNo\" FROM %1")
            .arg(table);
    if (name == QLatin1String("join"))
        return QStringLiteral("SELECT l.\"EntryNo\", l.\"EntryDay\", c.\"Firm\", l.\"Amount\", l.\"Text\" FROM %1 l "
                              "JOIN clients c ON c.\"ClientNo\" = l.\"ClientNo\" ORDER BY l.\"EntryDay\"")
            .arg(table);
    return QStringLiteral("SELECT * FROM %1").arg(table);
}

// The settings of one engine, handed from the parent to its children.
struct Engine
{
    QString name;  // sqlite, postgresql, mariadb
    QString sqliteFile;
    QString host, port, user, database;
    QString password;
};

// What one child runs: the statement and the number of rows it gives.
struct Job
{
    QString stmt;
    qint64 table = 1000000;  // rows of the table read
    qint64 rows = 0;         // rows of the result
    bool backticks = false;  // MySQL quotes names with backticks
    QString sql() const
    {
        const QString text = statement(stmt, table);
        return backticks ? QString(text).replace(u'"', u'`').replace(QLatin1String("AS BIGINT"), QLatin1String("AS SIGNED"))
                         : text;
    }
};

// What this run made: the server it started and its temporary folder, removed however
// the run ends.
QList<QPair<QString, QString>> g_servers;  // script, folder
QString g_tempDir;

void cleanUp()
{
    for (const auto &server : std::as_const(g_servers))
        QProcess::execute(server.first, {QStringLiteral("stop"), server.second});
    g_servers.clear();
    if (!g_tempDir.isEmpty())
        QDir(g_tempDir).removeRecursively();
    g_tempDir.clear();
}

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "bench_grid: %s\n", qPrintable(message));
    std::exit(1);
}

double peakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// Counts the paint events of a widget: the rows are on screen once one was handled.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Handles events as an idle window does: sleeping until the next one comes. A timer wakes the
// loop every few milliseconds so that a condition met without an event of its own is seen too.
// (Spinning instead would take a core from the reader thread and the engine.)
void processEventsIdly()
{
    static QTimer *tick = [] {
        auto *timer = new QTimer(qApp);
        timer->start(2);
        return timer;
    }();
    Q_UNUSED(tick);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// Processes events until the widget has painted again; an event handler paints inside
// processEvents, so when it returns the paint is done.
void waitForPaint(PaintWatch &watch, int before)
{
    QElapsedTimer guard;
    guard.start();
    while (watch.paints == before) {
        processEventsIdly();
        if (guard.elapsed() > 120000)
            fail(QStringLiteral("no paint within two minutes"));
    }
}

bool lastRowShown(QTableView *view, qint64 rows)
{
    // The designer's grid shows a window of the rows; its own functions count the result's.
    if (auto *grid = qobject_cast<TQGenGrid *>(view))
        return grid->SourceModel()->rowCount() == rows && grid->CurrentRow() == rows - 1
               && grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex()));
    const QModelIndex last = view->model()->index(view->model()->rowCount() - 1, 0);
    return view->model()->rowCount() == rows && view->currentIndex().row() == rows - 1
           && view->viewport()->rect().contains(view->visualRect(last));
}

void checkLastRowShown(QTableView *view, qint64 rows)
{
    if (!lastRowShown(view, rows))
        fail(QStringLiteral("the last row is not in view (rows %1, current row %2)")
                 .arg(view->model()->rowCount())
                 .arg(view->currentIndex().row()));
}

// Processes events until the last row is current and in view, then until it is painted.
void waitForLastRow(QTableView *view, PaintWatch &watch, qint64 rows)
{
    QElapsedTimer guard;
    guard.start();
    while (!lastRowShown(view, rows)) {
        processEventsIdly();
        if (guard.elapsed() > 600000)
            fail(QStringLiteral("the last row did not come within ten minutes"));
    }
    const int before = watch.paints;
    view->viewport()->update();
    waitForPaint(watch, before);
}

void report(qint64 firstRows, qint64 lastRow)
{
    std::printf("first_rows_ms=%lld last_row_ms=%lld peak_rss_mb=%.1f\n", static_cast<long long>(firstRows),
                static_cast<long long>(lastRow), peakRssMb());
    std::fflush(stdout);
}

QSqlDatabase connect(const Engine &engine, const QString &name)
{
    QSqlDatabase db;
    if (engine.name == QLatin1String("sqlite")) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(engine.sqliteFile);
    } else {
        db = QSqlDatabase::addDatabase(engine.name == QLatin1String("mariadb") ? QStringLiteral("QMYSQL")
                                                                               : QStringLiteral("QPSQL"),
                                       name);
        db.setPassword(engine.password);
        db.setHostName(engine.host);
        db.setPort(engine.port.toInt());
        db.setUserName(engine.user);
        db.setDatabaseName(engine.database);
    }
    if (!db.open())
        fail(db.lastError().text());
    return db;
}

// --- The children -------------------------------------------------------------------------

// The engine as the alias SHOP, in a file in the folder.
void useAlias(const Engine &engine, const QTemporaryDir &dir)
{
    const QString aliasFile = dir.filePath(QStringLiteral("aliases.ini"));
    QFile file(aliasFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        fail(QStringLiteral("cannot write %1").arg(aliasFile));
    QTextStream out(&file);
    if (engine.name == QLatin1String("sqlite"))
        out << "[SHOP]\nDriver=STANDARD\nPath=" << engine.sqliteFile << "\n";
    else
        out << "[SHOP]\nDriver=" << (engine.name == QLatin1String("mariadb") ? "MYSQL" : "POSTGRESQL")
            << "\nHost=" << engine.host << "\nPort=" << engine.port << "\nDatabase=" << engine.database
            << "\nUser=" << engine.user << "\nPassword=" << engine.password << "\n";
    out.flush();
    file.close();
    Sessions().SetAliasFile(aliasFile);
}

// Export Results without its window: the statement run once, the CSV written while the rows
// are read, then the whole result again from the spool as CSV and as JSON.
int runExport(const Engine &engine, const Job &job)
{
    QTemporaryDir dir;
    useAlias(engine, dir);
    TQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL({job.sql()});
    const auto exportTo = [&query](TResultExport::Format format) {
        QFile out(QStringLiteral("/dev/null"));
        if (!out.open(QIODevice::WriteOnly))
            fail(out.errorString());
        TResultExport writer(query, format, out);
        if (!writer.WriteAll())
            fail(writer.ErrorString());
        return writer.RowsWritten();
    };
    QElapsedTimer timer;
    timer.start();
    try {
        query.Open();
    } catch (const VdqError &e) {
        fail(e.message());
    }
    const qint64 rows = exportTo(TResultExport::Format::Csv);
    const qint64 exportMs = timer.elapsed();
    if (rows != job.rows)
        fail(QStringLiteral("the export wrote %1 rows, not %2").arg(rows).arg(job.rows));
    timer.restart();
    exportTo(TResultExport::Format::Csv);
    const qint64 csvMs = timer.elapsed();
    timer.restart();
    exportTo(TResultExport::Format::Json);
    const qint64 jsonMs = timer.elapsed();
    std::printf("export_ms=%lld spool_csv_ms=%lld spool_json_ms=%lld\n", static_cast<long long>(exportMs),
                static_cast<long long>(csvMs), static_cast<long long>(jsonMs));
    std::fflush(stdout);
    return 0;
}

// The engine's own CSV of the statement, written by its command-line client to /dev/null.
int runEngineCsv(const Engine &engine, const Job &job)
{
    QProcess client;
    client.setStandardOutputFile(QStringLiteral("/dev/null"));
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    if (engine.name == QLatin1String("sqlite")) {
        client.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), engine.sqliteFile, job.sql()});
    } else if (engine.name == QLatin1String("postgresql")) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PGPASSWORD"), engine.password);
        client.setProcessEnvironment(env);
        client.start(QStringLiteral("psql"),
                     {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"), engine.host, QStringLiteral("-p"),
                      engine.port, QStringLiteral("-U"), engine.user, QStringLiteral("-d"), engine.database,
                      QStringLiteral("-c"), QStringLiteral("\\copy (%1) to '/dev/null' csv").arg(job.sql())});
    } else {
        std::printf("engine_csv_ms=-1\n");
        return 0;
    }
    if (!client.waitForFinished(600000) || client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
        fail(QStringLiteral("the engine's client failed on %1").arg(engine.name));
    std::printf("engine_csv_ms=%lld\n", static_cast<long long>(timer.elapsed()));
    std::fflush(stdout);
    return 0;
}

// The designer from Execute to its last row: through the navigator's Last, which follows
// the reading to the end, or (toEnd) Ctrl+End in the grid, which has the last rows read
// ahead where the engine can give them as they are in this one result.
int runDesigner(const Engine &engine, const Job &job, bool toEnd)
{
    QTemporaryDir dir;
    useAlias(engine, dir);
    QString error;
    VdqMessages::SetHook([&error](VdqMessages::Kind kind, const QString &, const QString &text) {
        if (kind == VdqMessages::Kind::Error)
            error = text;
    });

    // As Execute prepares the designer: the connection is open before the user runs anything.
    TQGQueryForm form;
    form.Query1()->SetSessionName(QStringLiteral("Default"));
    form.Query1()->SetDatabaseName(QStringLiteral("SHOP"));
    form.OpenDesignDatabase(QStringLiteral("Default"), QStringLiteral("SHOP"));
    form.resize(1000, 700);
    form.show();
    form.Memo1()->SetText(job.sql());
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    TQGenGrid *grid = form.Grid();
    PaintWatch watch(grid->viewport());

    QElapsedTimer timer;
    timer.start();
    form.Execution()->SpeedButton28Click();
    if (!error.isEmpty())
        fail(error);
    waitForPaint(watch, watch.paints);
    const qint64 firstRows = timer.elapsed();
    if (grid->SourceModel()->rowCount() == 0)
        fail(QStringLiteral("the designer's grid shows no rows"));

    auto *navigator = form.findChild<TQGDBNavigator *>(QStringLiteral("DBNavigator1"));
    timer.restart();
    if (toEnd) {
        grid->setFocus();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(grid, &press);
    } else {
        navigator->Last();
    }
    waitForLastRow(grid, watch, job.rows);
    const qint64 lastRow = timer.elapsed();
    if (!error.isEmpty())
        fail(error);
    report(firstRows, lastRow);
    return 0;
}

int runEngine(const Engine &engine, const Job &job)
{
    QSqlDatabase db = connect(engine, QStringLiteral("engine"));
    QElapsedTimer timer;
    timer.start();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(job.sql()))
        fail(q.lastError().text());
    qint64 rows = 0;
    const int columns = q.record().count();
    while (q.next()) {
        for (int i = 0; i < columns; ++i)
            q.value(i);
        ++rows;
    }
    const qint64 ms = timer.elapsed();
    if (rows != job.rows)
        fail(QStringLiteral("the engine read %1 rows, not %2").arg(rows).arg(job.rows));
    std::printf("engine_ms=%lld peak_rss_mb=%.1f\n", static_cast<long long>(ms), peakRssMb());
    std::fflush(stdout);
    return 0;
}

// Where the limit loops put what they looked at, so that no read is left out as unused.
volatile size_t g_sink = 0;

void reportLimit(qint64 ms, qint64 rows, const Job &job)
{
    if (rows != job.rows)
        fail(QStringLiteral("the engine's loop read %1 rows, not %2").arg(rows).arg(job.rows));
    std::printf("limit_ms=%lld peak_rss_mb=%.1f\n", static_cast<long long>(ms), peakRssMb());
    std::fflush(stdout);
}

// PostgreSQL's limit: libpq in single-row mode, every value of every row looked at.
int runPostgresLimit(const Engine &engine, const Job &job)
{
    const QByteArray info = QStringLiteral("host=%1 port=%2 user=%3 dbname=%4 password=%5")
                                .arg(engine.host, engine.port, engine.user, engine.database, engine.password)
                                .toUtf8();
    PGconn *conn = PQconnectdb(info.constData());
    if (PQstatus(conn) != CONNECTION_OK)
        fail(QString::fromUtf8(PQerrorMessage(conn)));
    QElapsedTimer timer;
    timer.start();
    if (!PQsendQuery(conn, job.sql().toUtf8().constData()) || !PQsetSingleRowMode(conn))
        fail(QString::fromUtf8(PQerrorMessage(conn)));
    qint64 rows = 0;
    size_t bytes = 0;
    while (PGresult *r = PQgetResult(conn)) {
        const ExecStatusType status = PQresultStatus(r);
        if (status == PGRES_SINGLE_TUPLE) {
            for (int i = 0, n = PQnfields(r); i < n; ++i)
                bytes += PQgetisnull(r, 0, i) ? 0 : size_t(PQgetlength(r, 0, i)) + size_t(*PQgetvalue(r, 0, i) != 0);
            ++rows;
        } else if (status != PGRES_TUPLES_OK) {
            fail(QString::fromUtf8(PQresultErrorMessage(r)));
        }
        PQclear(r);
    }
    const qint64 ms = timer.elapsed();
    PQfinish(conn);
    g_sink = bytes;
    reportLimit(ms, rows, job);
    return 0;
}

// MariaDB's limit: the client library's unbuffered result, every value of every row looked at.
int runMariaDbLimit(const Engine &engine, const Job &job)
{
    MYSQL *mysql = mysql_init(nullptr);
    if (!mysql_real_connect(mysql, engine.host.toUtf8().constData(), engine.user.toUtf8().constData(),
                            engine.password.toUtf8().constData(), engine.database.toUtf8().constData(),
                            engine.port.toUInt(), nullptr, 0))
        fail(QString::fromUtf8(mysql_error(mysql)));
    QElapsedTimer timer;
    timer.start();
    const QByteArray sql = job.sql().toUtf8();
    if (mysql_real_query(mysql, sql.constData(), static_cast<unsigned long>(sql.size())) != 0)
        fail(QString::fromUtf8(mysql_error(mysql)));
    MYSQL_RES *result = mysql_use_result(mysql);
    if (!result)
        fail(QString::fromUtf8(mysql_error(mysql)));
    const unsigned columns = mysql_num_fields(result);
    qint64 rows = 0;
    size_t bytes = 0;
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long *lengths = mysql_fetch_lengths(result);
        for (unsigned i = 0; i < columns; ++i)
            bytes += row[i] ? size_t(lengths[i]) + size_t(row[i][0] != 0) : 0;
        ++rows;
    }
    if (mysql_errno(mysql) != 0)
        fail(QString::fromUtf8(mysql_error(mysql)));
    mysql_free_result(result);
    const qint64 ms = timer.elapsed();
    mysql_close(mysql);
    g_sink = bytes;
    reportLimit(ms, rows, job);
    return 0;
}

// SQLite's limit: a plain loop over sqlite3_step that reads every column with sqlite3_column_*.
int runSqliteLimit(const Engine &engine, const Job &job)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(engine.sqliteFile).constData(), &db, SQLITE_OPEN_READONLY, nullptr)
        != SQLITE_OK)
        fail(QStringLiteral("cannot open %1").arg(engine.sqliteFile));
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, job.sql().toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(db)));
    const int columns = sqlite3_column_count(stmt);
    qint64 rows = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                sqlite3_column_int64(stmt, i);
                break;
            case SQLITE_FLOAT:
                sqlite3_column_double(stmt, i);
                break;
            case SQLITE_TEXT:
                sqlite3_column_text(stmt, i);
                sqlite3_column_bytes(stmt, i);
                break;
            case SQLITE_BLOB:
                sqlite3_column_blob(stmt, i);
                sqlite3_column_bytes(stmt, i);
                break;
            default:
                break;
            }
        }
        ++rows;
    }
    if (rc != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_finalize(stmt);
    const qint64 ms = timer.elapsed();
    sqlite3_close(db);
    reportLimit(ms, rows, job);
    return 0;
}

int runLimit(const Engine &engine, const Job &job)
{
    if (engine.name == QLatin1String("postgresql"))
        return runPostgresLimit(engine, job);
    if (engine.name == QLatin1String("mariadb"))
        return runMariaDbLimit(engine, job);
    return runSqliteLimit(engine, job);
}

int runBaseline(const Engine &engine, const Job &job)
{
    QSqlDatabase db = connect(engine, QStringLiteral("baseline"));

    // The same window size as the designer's grid gets.
    QTableView view;
    view.resize(760, 330);
    view.show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    PaintWatch watch(view.viewport());
    QSqlQueryModel model;

    QElapsedTimer timer;
    timer.start();
    model.setQuery(job.sql(), db);
    if (model.lastError().isValid())
        fail(model.lastError().text());
    view.setModel(&model);
    waitForPaint(watch, watch.paints);
    const qint64 firstRows = timer.elapsed();

    const int before = watch.paints;
    timer.restart();
    while (model.canFetchMore())
        model.fetchMore();
    view.scrollToBottom();
    view.setCurrentIndex(model.index(model.rowCount() - 1, 0));
    waitForPaint(watch, before);
    const qint64 lastRow = timer.elapsed();
    checkLastRowShown(&view, job.rows);
    report(firstRows, lastRow);
    return 0;
}

// --- The parent ----------------------------------------------------------------------------

QString sourceDir()
{
    // This file lives in bench/ of the source tree.
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral(".."));
}

QStringList engineArguments(const Engine &engine, const Job &job)
{
    return {QStringLiteral("--engine"), engine.name, engine.sqliteFile, engine.host, engine.port, engine.user,
            engine.database, job.stmt, QString::number(job.table), QString::number(job.rows), engine.password};
}

QMap<QString, double> runChild(const QString &variant, const Engine &engine, const Job &job)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.*=false"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--child"), variant} + engineArguments(engine, job));
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        fail(QStringLiteral("the %1 run on %2 failed").arg(variant, engine.name));
    QMap<QString, double> figures;
    const QString line = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(u'\n').constLast();
    for (const QString &pair : line.split(u' ', Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(u'=');
        if (eq > 0)
            figures.insert(pair.left(eq), pair.mid(eq + 1).toDouble());
    }
    const int expected = variant == QLatin1String("enginecsv")                                 ? 1
                         : variant == QLatin1String("engine") || variant == QLatin1String("limit") ? 2
                                                                                                 : 3;
    if (figures.size() != expected)
        fail(QStringLiteral("unexpected output of the %1 run: %2").arg(variant, line));
    return figures;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void runProgram(const QString &program, const QStringList &args, const QString &what)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        fail(QStringLiteral("%1 failed (%2)").arg(what, p.errorString()));
}

QMap<QString, QString> readEnvFile(const QString &path)
{
    QMap<QString, QString> env;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return env;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const int eq = line.indexOf(u'=');
        if (eq > 0)
            env.insert(line.left(eq), line.mid(eq + 1));
    }
    return env;
}

// The 10,000,000-row copy of the ledger, made once per database.
void makeBigTable(const Engine &engine)
{
    QSqlDatabase db = connect(engine, QStringLiteral("maker"));
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM ledger10m")) && q.next() && q.value(0).toLongLong() == 10000000)
        return;
    q.exec(QStringLiteral("DROP TABLE IF EXISTS ledger10m"));
    const QString copy = engine.name == QLatin1String("sqlite")
                             ? QStringLiteral("WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 9) ")
                             : QString();
    const bool mysql = engine.name == QLatin1String("mariadb");
    const QString copies = engine.name == QLatin1String("sqlite") ? QStringLiteral("k")
                           : mysql ? QStringLiteral("(SELECT seq AS j FROM seq_0_to_9) AS k")
                                   : QStringLiteral("generate_series(0, 9) AS k(j)");
    QString sql = QStringLiteral("CREATE TABLE ledger10m AS %1SELECT \"EntryNo\" + j * 1000000 AS \"EntryNo\", "
                                 "\"EntryDay\", \"ClientNo\", \"Amount\", \"Text\" FROM ledger, %2")
                      .arg(copy, copies);
    if (mysql)
        sql.replace(u'"', u'`');
    if (!q.exec(sql))
        fail(QStringLiteral("making ledger10m: %1").arg(q.lastError().text()));
}

qint64 resultRows(const Engine &engine, const Job &job)
{
    QSqlDatabase db = connect(engine, QStringLiteral("counter"));
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM (%1) AS n").arg(job.sql())) || !q.next())
        fail(QStringLiteral("counting %1: %2").arg(job.stmt, q.lastError().text()));
    return q.value(0).toLongLong();
}

// The export's figures against the engine's own CSV, children one after the other in each run.
void reportExport(const Engine &engine, const Job &job, int runs)
{
    QMap<QString, QList<double>> figures;
    for (int run = 0; run < runs; ++run) {
        for (const QString &variant : {QStringLiteral("export"), QStringLiteral("enginecsv")}) {
            const QMap<QString, double> f = runChild(variant, engine, job);
            for (auto it = f.cbegin(); it != f.cend(); ++it)
                figures[it.key()].append(it.value());
        }
        const double engineMs = figures.value(QStringLiteral("engine_csv_ms")).constLast();
        figures[QStringLiteral("export_to_engine")].append(
            engineMs > 0 ? engineMs / qMax(1.0, figures.value(QStringLiteral("export_ms")).constLast()) : -1);
    }
    const auto figure = [&figures](const char *key) { return median(figures.value(QLatin1String(key))); };
    const auto perSecond = [&job](double ms) { return ms > 0 ? double(job.rows) * 1000.0 / ms : -1.0; };
    std::printf("engine=%s export rows=%lld export_ms=%.0f spool_csv_ms=%.0f spool_json_ms=%.0f engine_csv_ms=%.0f "
                "export_rows_per_s=%.0f spool_csv_rows_per_s=%.0f engine_csv_rows_per_s=%.0f export_to_engine=%.2f\n",
                qPrintable(engine.name), static_cast<long long>(job.rows), figure("export_ms"), figure("spool_csv_ms"),
                figure("spool_json_ms"), figure("engine_csv_ms"), perSecond(figure("export_ms")),
                perSecond(figure("spool_csv_ms")), perSecond(figure("engine_csv_ms")), figure("export_to_engine"));
    std::fflush(stdout);
}

int runParent(const QStringList &args)
{
    QString sqliteFile, mksample;
    Engine pg;
    pg.name = QStringLiteral("postgresql");
    Engine my;
    my.name = QStringLiteral("mariadb");
    QStringList engines{QStringLiteral("sqlite"), QStringLiteral("postgresql"), QStringLiteral("mariadb")};
    QStringList stmts{QStringLiteral("plain"), QStringLiteral("sorted"), QStringLiteral("join")};
    qint64 tableRows = 1000000;
    int runs = 3;
    bool exporting = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--export")) {
            exporting = true;
            stmts = {QStringLiteral("plain")};
            continue;
        }
        if (a == QLatin1String("--sqlite") && i + 1 < args.size()) {
            sqliteFile = args.at(++i);
        } else if (a == QLatin1String("--pg") && i + 4 < args.size()) {
            pg.host = args.at(++i);
            pg.port = args.at(++i);
            pg.user = args.at(++i);
            pg.database = args.at(++i);
        } else if (a == QLatin1String("--mksample") && i + 1 < args.size()) {
            mksample = args.at(++i);
        } else if (a == QLatin1String("--engines") && i + 1 < args.size()) {
            engines = args.at(++i).split(u',', Qt::SkipEmptyParts);
        } else if (a == QLatin1String("--stmts") && i + 1 < args.size()) {
            stmts = args.at(++i).split(u',', Qt::SkipEmptyParts);
        } else if (a == QLatin1String("--rows") && i + 1 < args.size()) {
            tableRows = args.at(++i).toLongLong() > 1000000 ? 10000000 : 1000000;
        } else if (a == QLatin1String("--runs") && i + 1 < args.size()) {
            runs = qMax(1, args.at(++i).toInt());
        } else {
            fail(QStringLiteral("unknown argument %1").arg(a));
        }
    }
    if (mksample.isEmpty())
        mksample = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../tools/vdqmksample"));
    const QString sampleSql = QDir(sourceDir()).filePath(QStringLiteral("sample/shop.sql"));

    QTemporaryDir temp;
    temp.setAutoRemove(false);
    g_tempDir = temp.path();
    std::atexit(cleanUp);
    const bool needSqlite = engines.contains(QStringLiteral("sqlite")) && sqliteFile.isEmpty();
    const bool needServer = engines.contains(QStringLiteral("postgresql")) && pg.host.isEmpty();
    const bool needMariaDb = engines.contains(QStringLiteral("mariadb"));
    if ((needSqlite || needServer || needMariaDb) && !QFileInfo(mksample).isExecutable())
        fail(QStringLiteral("the sample builder %1 is missing (build the target vdqmksample or pass --mksample)")
                 .arg(mksample));
    if (needSqlite) {
        sqliteFile = temp.filePath(QStringLiteral("shop.sqlite"));
        runProgram(mksample, {QStringLiteral("--sqlite"), sqliteFile, sampleSql}, QStringLiteral("building the SQLite sample"));
    }
    const QString serverDir = temp.filePath(QStringLiteral("pg"));
    const QString script = QDir(sourceDir()).filePath(QStringLiteral("tests/pg/pgserver.sh"));
    if (needServer) {
        g_servers.append({script, serverDir});
        runProgram(script, {QStringLiteral("start"), serverDir, mksample, sampleSql},
                   QStringLiteral("starting the PostgreSQL server"));
        const auto env = readEnvFile(QDir(serverDir).filePath(QStringLiteral("pg.env")));
        pg.host = env.value(QStringLiteral("PGHOST"));
        pg.port = env.value(QStringLiteral("PGPORT"));
        pg.user = env.value(QStringLiteral("PGUSER"));
        pg.database = env.value(QStringLiteral("PGDATABASE"));
    }

    if (needMariaDb) {
        // The test server's script loads the sample without the ledger; the builder adds it.
        const QString myDir = temp.filePath(QStringLiteral("mariadb"));
        const QString myScript = QDir(sourceDir()).filePath(QStringLiteral("tests/mariadb/mariadbserver.sh"));
        g_servers.append({myScript, myDir});
        runProgram(myScript, {QStringLiteral("start"), myDir, mksample, sampleSql},
                   QStringLiteral("starting the MariaDB server"));
        const auto env = readEnvFile(QDir(myDir).filePath(QStringLiteral("mariadb.env")));
        my.host = env.value(QStringLiteral("MYHOST"));
        my.port = env.value(QStringLiteral("MYPORT"));
        my.user = env.value(QStringLiteral("MYUSER"));
        my.password = env.value(QStringLiteral("MYPASSWORD"));
        my.database = env.value(QStringLiteral("MYDATABASE"));
        runProgram(mksample,
                   {QStringLiteral("--mysql"),
                    QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5")
                        .arg(my.host, my.port, my.database, my.user, my.password),
                    sampleSql},
                   QStringLiteral("loading the MariaDB sample"));
    }

    for (const QString &name : std::as_const(engines)) {
        Engine engine = name == QLatin1String("postgresql") ? pg
                        : name == QLatin1String("mariadb")  ? my
                                                            : Engine{name, sqliteFile, {}, {}, {}, {}, {}};
        if (name != QLatin1String("sqlite") && name != QLatin1String("postgresql") && name != QLatin1String("mariadb"))
            fail(QStringLiteral("unknown engine %1").arg(name));
        if (tableRows > 1000000)
            makeBigTable(engine);
        for (const QString &stmt : std::as_const(stmts)) {
            Job job{stmt, tableRows, 0, name == QLatin1String("mariadb")};
            job.rows = resultRows(engine, job);
            if (exporting) {
                reportExport(engine, job, runs);
                continue;
            }
            QStringList variants{QStringLiteral("engine"), QStringLiteral("designer"), QStringLiteral("jump")};
            if (tableRows <= 1000000)
                variants << QStringLiteral("baseline");
            variants << QStringLiteral("limit");
            QMap<QString, QList<double>> figures;
            for (int run = 0; run < runs; ++run) {
                for (const QString &variant : std::as_const(variants)) {
                    const QMap<QString, double> f = runChild(variant, engine, job);
                    // The designer's figures go by their names, the others' after their variant.
                    const QString prefix = variant == QLatin1String("designer") ? QString() : variant + u'_';
                    for (auto it = f.cbegin(); it != f.cend(); ++it) {
                        const bool named = it.key().startsWith(variant + u'_');
                        figures[(named ? QString() : prefix) + it.key()].append(it.value());
                    }
                }
                // The machine's speed drifts between runs: the ratios are taken run by run, each
                // between children that ran one after the other.
                const auto latest = [&figures](const char *key) { return figures.value(QLatin1String(key)).constLast(); };
                figures[QStringLiteral("last_to_engine")].append(latest("last_row_ms") / qMax(1.0, latest("engine_ms")));
                if (figures.contains(QStringLiteral("baseline_first_rows_ms")))
                    figures[QStringLiteral("first_to_baseline")].append(latest("first_rows_ms")
                                                                        / qMax(1.0, latest("baseline_first_rows_ms")));
                if (figures.contains(QStringLiteral("limit_ms")))
                    figures[QStringLiteral("end_to_limit")].append((latest("first_rows_ms") + latest("last_row_ms"))
                                                                   / qMax(1.0, latest("limit_ms")));
            }
            const auto figure = [&figures](const char *key) {
                const QList<double> values = figures.value(QLatin1String(key));
                return values.isEmpty() ? -1.0 : median(values);
            };
            std::printf("engine=%s stmt=%s rows=%lld first_rows_ms=%.0f last_row_ms=%.0f engine_ms=%.0f "
                        "peak_rss_mb=%.1f baseline_first_rows_ms=%.0f baseline_last_row_ms=%.0f "
                        "baseline_peak_rss_mb=%.1f last_to_engine=%.2f first_to_baseline=%.2f limit_ms=%.0f "
                        "end_to_limit=%.2f engine_peak_rss_mb=%.1f limit_peak_rss_mb=%.1f jump_ms=%.0f "
                        "jump_peak_rss_mb=%.1f\n",
                        qPrintable(name), qPrintable(stmt), static_cast<long long>(job.rows), figure("first_rows_ms"),
                        figure("last_row_ms"), figure("engine_ms"), figure("peak_rss_mb"),
                        figure("baseline_first_rows_ms"), figure("baseline_last_row_ms"),
                        figure("baseline_peak_rss_mb"), figure("last_to_engine"), figure("first_to_baseline"),
                        figure("limit_ms"), figure("end_to_limit"), figure("engine_peak_rss_mb"),
                        figure("limit_peak_rss_mb"), figure("jump_last_row_ms"), figure("jump_peak_rss_mb"));
            std::fflush(stdout);
        }
    }

    cleanUp();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        const QStringList args = app.arguments();
        if (args.size() < 14 || args.at(3) != QLatin1String("--engine"))
            fail(QStringLiteral("bad child arguments"));
        const Engine engine{args.at(4), args.at(5), args.at(6), args.at(7), args.at(8), args.at(9), args.at(13)};
        const Job job{args.at(10), args.at(11).toLongLong(), args.at(12).toLongLong(),
                      engine.name == QLatin1String("mariadb")};
        if (args.at(2) == QLatin1String("baseline"))
            return runBaseline(engine, job);
        if (args.at(2) == QLatin1String("engine"))
            return runEngine(engine, job);
        if (args.at(2) == QLatin1String("limit"))
            return runLimit(engine, job);
        if (args.at(2) == QLatin1String("export"))
            return runExport(engine, job);
        if (args.at(2) == QLatin1String("enginecsv"))
            return runEngineCsv(engine, job);
        return runDesigner(engine, job, args.at(2) == QLatin1String("jump"));
    }
    QCoreApplication app(argc, argv);
    return runParent(app.arguments());
}
