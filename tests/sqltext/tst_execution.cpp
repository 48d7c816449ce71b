// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "executionchecks.h"
#include "readonlychecks.h"

#include <QSplitter>
#include <QSqlError>

#include <csignal>
#include <QTemporaryDir>
#include <QtTest>

// The execute command and the result grid on the sample database of each engine: a SQLite
// file and the PostgreSQL server of the test run; the read-only checks and cancelling on every
// engine. The engine is the first column of every check's table.
class TestExecution : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void selectShowsRows_data() { ExecutionChecks::enginesData(); }
    void selectShowsRows();
    void lineCounts_data() { ExecutionChecks::lineCountsData(); }
    void lineCounts();
    void recordCount_data() { ExecutionChecks::recordCountData(); }
    void recordCount();
    void dmlStatements_data() { ExecutionChecks::enginesData(); }
    void dmlStatements();
    void selectUnderInsert_data() { ExecutionChecks::enginesData(); }
    void selectUnderInsert();
    void engineErrors_data() { ExecutionChecks::engineErrorsData(); }
    void engineErrors();
    void executeControls_data() { ExecutionChecks::executeControlsData(); }
    void executeControls();
    void busyWhileOpening_data() { ExecutionChecks::enginesData(); }
    void busyWhileOpening();
    void navigator_data() { ExecutionChecks::enginesData(); }
    void navigator();
    void closeResult_data() { ExecutionChecks::enginesData(); }
    void closeResult();
    void changesRefused_data() { ExecutionChecks::changesRefusedData(); }
    void changesRefused();
    void enginesAlike_data() { ExecutionChecks::enginesAlikeData(); }
    void enginesAlike();
    void oneRun_data() { ExecutionChecks::enginesData(); }
    void oneRun();
    void stopKeepsRows_data() { ExecutionChecks::enginesData(); }
    void stopKeepsRows();
    void cancelWhileExecuting_data() { ExecutionChecks::allEnginesData(); }
    void cancelWhileExecuting();
    void closeWhileExecuting_data() { ExecutionChecks::allEnginesData(); }
    void closeWhileExecuting();
    void laterChunkFails_data() { ExecutionChecks::enginesData(); }
    void laterChunkFails();
    void pageLayout_data() { ExecutionChecks::enginesData("sqlite"); }
    void pageLayout();
    void statementTimeout_data() { ExecutionChecks::enginesData("pg"); }
    void statementTimeout();
    void unwrappableStatement_data() { ExecutionChecks::enginesData("pg"); }
    void unwrappableStatement();
    void readOnly_data() { ReadOnlyChecks::statementsData(); }
    void readOnly();
    void readOnlyDesignValue_data() { ReadOnlyChecks::designValuesData(); }
    void readOnlyDesignValue();
    void insertAfterRead_data() { ReadOnlyChecks::insertAfterReadData(); }
    void insertAfterRead();
    void lockedChangeEnds_data();
    void lockedChangeEnds();
    void frozenServerAbandoned_data();
    void frozenServerAbandoned();
    void killedConnectionReported_data();
    void killedConnectionReported();
    void severalChangesRefused_data();
    void severalChangesRefused();

private:
    QTemporaryDir m_dir;
    QString m_alias;  // the sample database of the row's engine
    std::unique_ptr<ExecutionChecks::Window> m_window;
};

void TestExecution::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("shop.sqlite")), &error, true),
             qPrintable(error));
    // PGSLOW: the PostgreSQL sample with a statement time-out.
    // Each alias also as <alias>SLOW, with a statement time-out of 1 s.
    const auto sections = [](const QString &suffix) {
        return QStringLiteral("[SHOP%1]\nDriver=STANDARD\nPath=shop.sqlite\n\n").arg(suffix)
               + TestSupport::PgAliasSection(QStringLiteral("PGSHOP") + suffix)
               + TestSupport::MariaDbAliasSection(QStringLiteral("MYSHOP") + suffix,
                                                  TestSupport::MariaDbEnv().value("MYPASSWORD"))
               + TestSupport::OdbcAliasSection(QStringLiteral("ODBCPG") + suffix,
                                               TestSupport::OdbcEnv().value("ODBCPGDSN"))
               + TestSupport::OdbcAliasSection(QStringLiteral("ODBCMARIADB") + suffix,
                                               TestSupport::OdbcEnv().value("ODBCMARIADBDSN"))
               + TestSupport::OdbcAliasSection(QStringLiteral("ODBCSQLITE") + suffix,
                                               TestSupport::OdbcEnv().value("ODBCSQLITEDSN"));
    };
    QString slow = sections(QStringLiteral("SLOW"));
    slow.replace(QStringLiteral("\n\n"), QStringLiteral("\nStatementTimeout=1\n\n"));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")), sections(QString()) + slow);
}

void TestExecution::init()
{
    QFETCH(QString, alias);
    m_alias = alias;
    m_window = std::make_unique<ExecutionChecks::Window>(m_alias);
    QVERIFY(QTest::qWaitForWindowExposed(m_window->form.get()));
}

void TestExecution::cleanup()
{
    m_window.reset();
}

void TestExecution::cleanupTestCase()
{
    // The servers' sample databases serve the other tests of the run as they were.
    for (const QString &alias : ReadOnlyChecks::kAllAliases)
        ReadOnlyChecks::dropTables(alias);
    Sessions().CloseAll();
}

void TestExecution::selectShowsRows()
{
    ExecutionChecks::selectShowsRows(*m_window);
}

void TestExecution::lineCounts()
{
    QFETCH(QString, sql);
    QFETCH(int, lines);
    ExecutionChecks::lineCounts(*m_window, sql, lines);
}

void TestExecution::recordCount()
{
    QFETCH(QString, sql);
    QFETCH(QString, status);
    QFETCH(int, rows);
    ExecutionChecks::recordCount(*m_window, m_alias, sql, status, rows);
}

void TestExecution::dmlStatements()
{
    ExecutionChecks::dmlStatements(*m_window, m_alias);
}

void TestExecution::selectUnderInsert()
{
    ExecutionChecks::selectUnderInsert(*m_window, m_alias);
}

void TestExecution::engineErrors()
{
    QFETCH(int, type);
    QFETCH(QString, sql);
    ExecutionChecks::engineErrors(*m_window, m_alias, type, sql);
}

void TestExecution::executeControls()
{
    QFETCH(QString, control);
    ExecutionChecks::executeControls(*m_window, control);
}

void TestExecution::busyWhileOpening()
{
    ExecutionChecks::busyWhileOpening(*m_window);
}

void TestExecution::navigator()
{
    ExecutionChecks::navigator(*m_window);
}

void TestExecution::closeResult()
{
    ExecutionChecks::closeResult(*m_window);
}

// The "SQL" page from top to bottom: Panel10 with the button, the editor, the splitter and
// the result panel with navigator, grid and status bar.
void TestExecution::pageLayout()
{
    TQGQueryForm *form = m_window->form.get();
    QWidget *page = form->TabSheet2();
    QWidget *panel10 = page->findChild<QWidget *>(QStringLiteral("Panel10"));
    QVERIFY(panel10);
    QCOMPARE(panel10->height(), 33);
    auto *button = panel10->findChild<QToolButton *>(QStringLiteral("SpeedButton28"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Execute Query"));
    QVERIFY(button->autoRaise());
    QVERIFY(!button->icon().isNull());
    QVERIFY(page->findChild<QSplitter *>(QStringLiteral("Splitter3")));
    QVERIFY(form->Panel9()->isHidden());  // until a SELECT has run

    m_window->run(QStringLiteral("SELECT * FROM products"));
    QWidget *panel9 = form->Panel9();
    TQGDBNavigator *navigator = m_window->navigator();
    TQGenGrid *grid = form->Grid();
    QStatusBar *status = m_window->statusBar2();
    QCOMPARE(navigator->parentWidget(), panel9);
    QCOMPARE(grid->parentWidget(), panel9);
    QCOMPARE(status->parentWidget(), panel9);
    QCOMPARE(navigator->height(), 18);
    QVERIFY(!status->isSizeGripEnabled());
    QCOMPARE(navigator->geometry().top(), 0);
    QCOMPARE(grid->geometry().top(), navigator->geometry().bottom() + 1);
    QCOMPARE(status->geometry().top(), grid->geometry().bottom() + 1);
    QCOMPARE(status->geometry().bottom(), panel9->height() - 1);
    QCOMPARE(grid->width(), panel9->width());
    QVERIFY(panel10->geometry().bottom() < form->Memo1()->mapTo(page, QPoint(0, 0)).y());
    QVERIFY(form->Memo1()->mapTo(page, QPoint(0, form->Memo1()->height())).y() <= panel9->mapTo(page, QPoint(0, 0)).y());
}

void TestExecution::changesRefused()
{
    QFETCH(QString, sql);
    QFETCH(bool, pgOnly);
    ExecutionChecks::changesRefused(*m_window, m_alias, sql, pgOnly);
}

void TestExecution::enginesAlike()
{
    QFETCH(QString, sql);
    QFETCH(bool, refused);
    ExecutionChecks::enginesAlike(*m_window, m_alias, sql, refused);
}

void TestExecution::oneRun()
{
    ExecutionChecks::oneRun(*m_window, m_alias);
}

void TestExecution::stopKeepsRows()
{
    ExecutionChecks::stopKeepsRows(*m_window, m_alias);
}

void TestExecution::cancelWhileExecuting()
{
    ExecutionChecks::cancelWhileExecuting(*m_window, m_alias);
}

void TestExecution::closeWhileExecuting()
{
    ExecutionChecks::closeWhileExecuting(*m_window, m_alias);
}

void TestExecution::laterChunkFails()
{
    ExecutionChecks::laterChunkFails(*m_window, m_alias);
}

// A statement the server will not read in blocks (SHOW) still gives its rows and count.
void TestExecution::unwrappableStatement()
{
    m_window->run(QStringLiteral("SHOW server_version"));
    QVERIFY2(m_window->log->messages.isEmpty(), qPrintable(m_window->log->last()));
    QVERIFY(m_window->resultShown());
    QCOMPARE(m_window->status(), QStringLiteral("1 record(s)"));
    QCOMPARE(m_window->model()->rowCount(), 1);
    QVERIFY(!m_window->model()->index(0, 0).data().toString().isEmpty());
}

// An alias's StatementTimeout ends a statement that runs longer, with a message; the
// connection serves the next statement.
void TestExecution::statementTimeout()
{
    m_window.reset();
    m_window = std::make_unique<ExecutionChecks::Window>(QStringLiteral("PGSHOPSLOW"));
    m_window->run(QStringLiteral("SELECT pg_sleep(60)"));
    QCOMPARE(m_window->log->messages.size(), 1);
    QCOMPARE(m_window->log->messages.first().second,
             QStringLiteral("The SQL statement ran longer than its time-out of 1 s and was cancelled"));
    QVERIFY(!m_window->resultShown());
    m_window->run(QStringLiteral("SELECT * FROM products"));
    QVERIFY2(m_window->log->messages.isEmpty(), qPrintable(m_window->log->last()));
    QCOMPARE(m_window->status(), QStringLiteral("20 record(s)"));
}

// Nothing run as a Select Query changes data, however it is written, on every engine.
void TestExecution::readOnly()
{
    QFETCH(QString, sql);
    QFETCH(bool, refused);
    QFETCH(QString, rows);
    ReadOnlyChecks::statement(*m_window, m_alias, sql, refused, rows);
}

void TestExecution::readOnlyDesignValue()
{
    QFETCH(QString, value);
    ReadOnlyChecks::designValue(*m_window, m_alias, value);
}

void TestExecution::insertAfterRead()
{
    QFETCH(QString, how);
    ReadOnlyChecks::insertAfterRead(*m_window, m_alias, how);
}

namespace {

// The longest time the event loop went without handling a timer while it was measured.
class EventGaps : public QObject
{
public:
    EventGaps()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_longest = qMax(m_longest, m_since.restart());
        });
        m_since.start();
        m_timer.start();
    }
    qint64 longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

QSqlDatabase openedCopy(const QString &alias, const QString &name)
{
    QSqlDatabase db = QSqlDatabase::cloneDatabase(Sessions().FindSession(QStringLiteral("Default"))->OpenDatabase(alias)->Connection(), name);
    return db.open() ? db : QSqlDatabase();
}

} // namespace

void TestExecution::lockedChangeEnds_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<bool>("byStop");
    for (const char *alias : {"SHOP", "PGSHOP", "MYSHOP", "ODBCPG"}) {
        QTest::addRow("%s, stop", alias) << QString::fromLatin1(alias) << true;
        QTest::addRow("%s, time-out", alias) << QString::fromLatin1(alias) << false;
    }
}

// An Update that waits for a row another session holds locked runs off the window: the stop
// button ends it, and so does the alias's time-out (on SQLite too, before its wait for the
// lock would end). The window handles its events meanwhile, and the next change runs.
void TestExecution::lockedChangeEnds()
{
    QFETCH(bool, byStop);
    const QString alias = byStop ? m_alias : m_alias + QStringLiteral("SLOW");
    if (!byStop) {
        m_window.reset();
        m_window = std::make_unique<ExecutionChecks::Window>(alias);
    }
    ExecutionChecks::Window &w = *m_window;
    const QString q = m_alias.startsWith(QLatin1String("MY")) ? QStringLiteral("`") : QStringLiteral("\"");
    const QString update = QStringLiteral("UPDATE products SET %1InStock%1 = %1InStock%1 WHERE %1ProductNo%1 = 1").arg(q);
    w.setType(2);
    {
        QSqlDatabase locker = openedCopy(alias, QStringLiteral("locker"));
        QVERIFY(locker.isOpen());
        QVERIFY(locker.transaction());
        QSqlQuery hold(locker);
        QVERIFY2(hold.exec(update), qPrintable(hold.lastError().text()));
        if (byStop)
            QTimer::singleShot(500, w->Execution(), [&w] { w->Execution()->StopResult(); });
        const EventGaps gaps;
        QElapsedTimer clock;
        clock.start();
        w.run(update);
        const qint64 took = clock.elapsed();
        locker.rollback();
        QVERIFY2(took < 3000, qPrintable(QString::number(took)));
        QVERIFY2(gaps.longest() < 100, qPrintable(QString::number(gaps.longest())));
        if (byStop) {
            QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
            QCOMPARE(w.status(), QStringLiteral("The SQL statement was cancelled"));
        } else {
            QCOMPARE(w.log->last(), QStringLiteral("The SQL statement ran longer than its time-out of 1 s and was cancelled"));
        }
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    w.run(update);
    QVERIFY2(w.log->last().startsWith(ExecutionChecks::kExecuted), qPrintable(w.log->last()));
}

void TestExecution::frozenServerAbandoned_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("slow");
    QTest::addColumn<QString>("serverPid");
    QTest::newRow("PostgreSQL backend") << QStringLiteral("PGSHOP") << QStringLiteral("SELECT pg_sleep(30)")
                                        << QStringLiteral("SELECT pid FROM pg_stat_activity WHERE query = "
                                                          "'SELECT pg_sleep(30)'");
    QTest::newRow("MariaDB server") << QStringLiteral("MYSHOP") << QStringLiteral("SELECT SLEEP(30)")
                                    << QStringLiteral("@@pid_file");
}

// Stop while the server no longer answers (its process stopped): the window goes on handling
// its events, the run is abandoned after a few seconds with a message, its connection goes,
// and once the server answers again the next statement runs.
void TestExecution::frozenServerAbandoned()
{
    QFETCH(QString, slow);
    QFETCH(QString, serverPid);
    ExecutionChecks::Window &w = *m_window;
    qint64 pid = 0;
    QTimer::singleShot(700, w->Execution(), [&] {
        const QString sql = serverPid.startsWith(u'@') ? QStringLiteral("SELECT ") + serverPid : serverPid;
        const QString value = ExecutionChecks::scalarText(m_alias, sql);
        if (serverPid.startsWith(u'@')) {
            QFile file(value);
            if (file.open(QIODevice::ReadOnly))
                pid = file.readAll().trimmed().toLongLong();
        } else {
            pid = value.toLongLong();
        }
        if (pid > 0)
            ::kill(pid_t(pid), SIGSTOP);
        w->Execution()->StopResult();
    });
    const EventGaps gaps;
    QElapsedTimer clock;
    clock.start();
    w.run(slow);
    const qint64 took = clock.elapsed();
    if (pid > 0)
        ::kill(pid_t(pid), SIGCONT);
    QVERIFY(pid > 0);
    QVERIFY2(took < 6000, qPrintable(QString::number(took)));
    QVERIFY2(gaps.longest() < 100, qPrintable(QString::number(gaps.longest())));
    QVERIFY2(w.status().startsWith(QStringLiteral("The database server did not answer the cancel within 3 s")),
             qPrintable(w.status()));
    QVERIFY(!w->Execution()->IsRunning());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // The abandoned run's connection is shut down: its thread ends without the server.
    QTRY_VERIFY_WITH_TIMEOUT(QSqlDatabase::connectionNames().filter(QStringLiteral("vdq-run-")).isEmpty(), 5000);
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QCOMPARE(w.status(), QStringLiteral("20 record(s)"));
}

void TestExecution::killedConnectionReported_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("kill");
    QTest::addColumn<int>("rowsBefore");
    const QString myKill = QStringLiteral(
        "SELECT CONCAT('KILL CONNECTION ', ID) FROM information_schema.PROCESSLIST WHERE INFO LIKE 'SELECT%%SLEEP(%1)%%' AND ID <> CONNECTION_ID()");
    const QString pgKill = QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE query LIKE "
                                          "'SELECT%%pg_sleep(%1)%%' AND pid <> pg_backend_pid()");
    QTest::newRow("MariaDB, executing") << QStringLiteral("MYSHOP") << QStringLiteral("SELECT SLEEP(21)")
                                        << myKill.arg(21) << 0;
    QTest::newRow("PostgreSQL, executing") << QStringLiteral("PGSHOP") << QStringLiteral("SELECT pg_sleep(21)")
                                           << pgKill.arg(21) << 0;
}

// A connection the server ends while the statement runs (the server killed or restarted)
// ends the run with the engine's message, never as a statement that ran.
void TestExecution::killedConnectionReported()
{
    QFETCH(QString, sql);
    QFETCH(QString, kill);
    ExecutionChecks::Window &w = *m_window;
    QTimer::singleShot(700, w->Execution(), [&] {
        const QString text = ExecutionChecks::scalarText(m_alias, kill);
        if (text.startsWith(QLatin1String("KILL")))
            ExecutionChecks::engineError(m_alias, text, false);
    });
    w.run(sql);
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    const QString message = w.log->last();
    QVERIFY2(!message.isEmpty() && !message.contains(QLatin1String("has been executed")), qPrintable(message));
    QVERIFY(!w->Execution()->IsRunning());
}

void TestExecution::severalChangesRefused_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("separator");
    for (const char *alias : {"SHOP", "PGSHOP", "MYSHOP", "ODBCPG"}) {
        QTest::addRow("%s, plain", alias) << QString::fromLatin1(alias) << QStringLiteral("; ");
        QTest::addRow("%s, after a comment", alias) << QString::fromLatin1(alias) << QStringLiteral(" /* ' */; ");
    }
}

// A change is one statement: a second one in the text is refused before anything runs.
void TestExecution::severalChangesRefused()
{
    QFETCH(QString, separator);
    ExecutionChecks::Window &w = *m_window;
    const QString q = m_alias.startsWith(QLatin1String("MY")) ? QStringLiteral("`") : QStringLiteral("\"");
    const QString check = QStringLiteral("SELECT %1InStock%1 FROM products WHERE %1ProductNo%1 = 2").arg(q);
    const qint64 before = ExecutionChecks::scalar(m_alias, check);
    w.setType(2);
    w.run(QStringLiteral("UPDATE products SET %1InStock%1 = 1 WHERE %1ProductNo%1 = 1").arg(q) + separator
          + QStringLiteral("UPDATE products SET %1InStock%1 = 999 WHERE %1ProductNo%1 = 2").arg(q));
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    QCOMPARE(ExecutionChecks::scalar(m_alias, check), before);
}

QTEST_MAIN(TestExecution)
#include "tst_execution.moc"
