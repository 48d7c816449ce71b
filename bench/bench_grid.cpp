// The designer's result grid against a plain QSqlQueryModel in a QTableView, on the
// sample's 1,000,000-row table "ledger" in SQLite and in PostgreSQL.
//
// For each engine and each of the two variants it measures, in a child process of its own
// (so that the peak resident memory, VmHWM, is that variant's alone):
//   first_rows_ms  from Execute (the designer's execute command, or setQuery for the
//                  baseline) until the first rows are painted;
//   last_row_ms    from the jump to the last row (the navigator's Last, or fetchMore until
//                  !canFetchMore and a scroll to the end, as a QTableView does) until that
//                  row is painted;
//   peak_rss_mb    the peak resident memory after the jump.
// Each figure is the median of --runs runs (default 3). One line per engine on stdout:
//   engine=sqlite first_rows_ms=... last_row_ms=... peak_rss_mb=... baseline_first_rows_ms=...
//   baseline_last_row_ms=... baseline_peak_rss_mb=...
//
// Run it from the build directory (it finds vdqmksample there and the server script in the
// source tree):
//   cmake --build BUILD --target bench_grid vdqmksample && BUILD/bench/bench_grid
// Options:
//   --sqlite FILE             a sample database with the ledger (else one is built in a temp dir)
//   --pg HOST PORT USER DB    a running server with the sample (else one is started with
//                             tests/pg/pgserver.sh in a temp dir and stopped afterwards)
//   --mksample PROGRAM        the sample builder (default: BUILD/tools/vdqmksample)
//   --engines sqlite,postgresql   --runs N
// The children run on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "tqgdbnavigator.h"
#include "tqgengrid.h"
#include "tqgqueryexecution.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tsessionlist.h"
#include "messages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMap>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLedgerRows = 1000000;
const QString kStatement = QStringLiteral("SELECT * FROM ledger");

// The settings of one engine, handed from the parent to its children.
struct Engine
{
    QString name;  // sqlite, postgresql
    QString sqliteFile;
    QString host, port, user, database;
};

// What this run made: the server it started and its temporary folder, removed however
// the run ends.
QString g_serverScript;
QString g_serverDir;
QString g_tempDir;

void cleanUp()
{
    if (!g_serverDir.isEmpty())
        QProcess::execute(g_serverScript, {QStringLiteral("stop"), g_serverDir});
    g_serverDir.clear();
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

// Processes events until the widget has painted again; an event handler paints inside
// processEvents, so when it returns the paint is done.
void waitForPaint(PaintWatch &watch, int before)
{
    QElapsedTimer guard;
    guard.start();
    while (watch.paints == before) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (guard.elapsed() > 120000)
            fail(QStringLiteral("no paint within two minutes"));
    }
}

void checkLastRowShown(QTableView *view)
{
    const QModelIndex bottom = view->indexAt(QPoint(2, view->viewport()->height() - 2));
    const QModelIndex last = view->model()->index(view->model()->rowCount() - 1, 0);
    if (view->model()->rowCount() != kLedgerRows || !view->viewport()->rect().intersects(view->visualRect(last))
        || bottom.row() < kLedgerRows - 2)
        fail(QStringLiteral("the last row is not in view (rows %1, bottom row %2)")
                 .arg(view->model()->rowCount())
                 .arg(bottom.row()));
}

void report(qint64 firstRows, qint64 lastRow)
{
    std::printf("first_rows_ms=%lld last_row_ms=%lld peak_rss_mb=%.1f\n", static_cast<long long>(firstRows),
                static_cast<long long>(lastRow), peakRssMb());
    std::fflush(stdout);
}

// --- The children -------------------------------------------------------------------------

int runDesigner(const Engine &engine)
{
    QTemporaryDir dir;
    const QString aliasFile = dir.filePath(QStringLiteral("aliases.ini"));
    QFile file(aliasFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        fail(QStringLiteral("cannot write %1").arg(aliasFile));
    QTextStream out(&file);
    if (engine.name == QLatin1String("sqlite"))
        out << "[SHOP]\nDriver=STANDARD\nPath=" << engine.sqliteFile << "\n";
    else
        out << "[SHOP]\nDriver=POSTGRESQL\nHost=" << engine.host << "\nPort=" << engine.port
            << "\nDatabase=" << engine.database << "\nUser=" << engine.user << "\n";
    out.flush();
    file.close();
    Sessions().SetAliasFile(aliasFile);
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
    form.Memo1()->SetText(kStatement);
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
    if (grid->model()->rowCount() != kLedgerRows)
        fail(QStringLiteral("the designer's grid has %1 rows").arg(grid->model()->rowCount()));

    auto *navigator = form.findChild<TQGDBNavigator *>(QStringLiteral("DBNavigator1"));
    const int before = watch.paints;
    timer.restart();
    navigator->Last();
    waitForPaint(watch, before);
    const qint64 lastRow = timer.elapsed();
    checkLastRowShown(grid);
    report(firstRows, lastRow);
    return 0;
}

int runBaseline(const Engine &engine)
{
    QSqlDatabase db;
    if (engine.name == QLatin1String("sqlite")) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("baseline"));
        db.setDatabaseName(engine.sqliteFile);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("baseline"));
        db.setHostName(engine.host);
        db.setPort(engine.port.toInt());
        db.setUserName(engine.user);
        db.setDatabaseName(engine.database);
    }
    if (!db.open())
        fail(db.lastError().text());

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
    model.setQuery(kStatement, db);
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
    checkLastRowShown(&view);
    report(firstRows, lastRow);
    return 0;
}

// --- The parent ----------------------------------------------------------------------------

QString sourceDir()
{
    // This file lives in bench/ of the source tree.
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral(".."));
}

QStringList engineArguments(const Engine &engine)
{
    return {QStringLiteral("--engine"), engine.name, engine.sqliteFile, engine.host, engine.port, engine.user,
            engine.database};
}

QMap<QString, double> runChild(const QString &variant, const Engine &engine)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.*=false"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--child"), variant} + engineArguments(engine));
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        fail(QStringLiteral("the %1 run on %2 failed").arg(variant, engine.name));
    QMap<QString, double> figures;
    const QString line = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(u'\n').constLast();
    for (const QString &pair : line.split(u' ', Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(u'=');
        if (eq > 0)
            figures.insert(pair.left(eq), pair.mid(eq + 1).toDouble());
    }
    if (figures.size() != 3)
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

int runParent(const QStringList &args)
{
    QString sqliteFile, mksample;
    Engine pg;
    pg.name = QStringLiteral("postgresql");
    QStringList engines{QStringLiteral("sqlite"), QStringLiteral("postgresql")};
    int runs = 3;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
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
    if ((needSqlite || needServer) && !QFileInfo(mksample).isExecutable())
        fail(QStringLiteral("the sample builder %1 is missing (build the target vdqmksample or pass --mksample)")
                 .arg(mksample));
    if (needSqlite) {
        sqliteFile = temp.filePath(QStringLiteral("shop.sqlite"));
        runProgram(mksample, {QStringLiteral("--sqlite"), sqliteFile, sampleSql}, QStringLiteral("building the SQLite sample"));
    }
    const QString serverDir = temp.filePath(QStringLiteral("pg"));
    const QString script = QDir(sourceDir()).filePath(QStringLiteral("tests/pg/pgserver.sh"));
    if (needServer) {
        g_serverScript = script;
        g_serverDir = serverDir;
        runProgram(script, {QStringLiteral("start"), serverDir, mksample, sampleSql},
                   QStringLiteral("starting the PostgreSQL server"));
        const auto env = readEnvFile(QDir(serverDir).filePath(QStringLiteral("pg.env")));
        pg.host = env.value(QStringLiteral("PGHOST"));
        pg.port = env.value(QStringLiteral("PGPORT"));
        pg.user = env.value(QStringLiteral("PGUSER"));
        pg.database = env.value(QStringLiteral("PGDATABASE"));
    }

    for (const QString &name : std::as_const(engines)) {
        Engine engine = name == QLatin1String("postgresql") ? pg : Engine{name, sqliteFile, {}, {}, {}, {}};
        if (name != QLatin1String("sqlite") && name != QLatin1String("postgresql"))
            fail(QStringLiteral("unknown engine %1").arg(name));
        QMap<QString, QList<double>> figures;
        for (int run = 0; run < runs; ++run) {
            for (const QString &variant : {QStringLiteral("designer"), QStringLiteral("baseline")}) {
                const QMap<QString, double> f = runChild(variant, engine);
                const QString prefix = variant == QLatin1String("baseline") ? QStringLiteral("baseline_") : QString();
                for (auto it = f.cbegin(); it != f.cend(); ++it)
                    figures[prefix + it.key()].append(it.value());
            }
        }
        std::printf("engine=%s first_rows_ms=%.0f last_row_ms=%.0f peak_rss_mb=%.1f baseline_first_rows_ms=%.0f "
                    "baseline_last_row_ms=%.0f baseline_peak_rss_mb=%.1f\n",
                    qPrintable(name), median(figures.value(QStringLiteral("first_rows_ms"))),
                    median(figures.value(QStringLiteral("last_row_ms"))),
                    median(figures.value(QStringLiteral("peak_rss_mb"))),
                    median(figures.value(QStringLiteral("baseline_first_rows_ms"))),
                    median(figures.value(QStringLiteral("baseline_last_row_ms"))),
                    median(figures.value(QStringLiteral("baseline_peak_rss_mb"))));
        std::fflush(stdout);
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
        if (args.size() < 10 || args.at(3) != QLatin1String("--engine"))
            fail(QStringLiteral("bad child arguments"));
        const Engine engine{args.at(4), args.at(5), args.at(6), args.at(7), args.at(8), args.at(9)};
        return args.at(2) == QLatin1String("baseline") ? runBaseline(engine) : runDesigner(engine);
    }
    QCoreApplication app(argc, argv);
    return runParent(app.arguments());
}
