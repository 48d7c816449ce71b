#include "executionchecks.h"

#include <QTemporaryDir>
#include <QtTest>

// The execute command and the result grid on the sample database of the test run's
// PostgreSQL server.
class TestExecutionPg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void selectShowsRows();
    void lineCounts_data() { ExecutionChecks::lineCountsData(); }
    void lineCounts();
    void recordCount_data() { ExecutionChecks::recordCountData(); }
    void recordCount();
    void dmlStatements();
    void selectUnderInsert();
    void engineErrors_data() { ExecutionChecks::engineErrorsData(); }
    void engineErrors();
    void executeControls_data() { ExecutionChecks::executeControlsData(); }
    void executeControls();
    void busyWhileOpening();
    void navigator();
    void closeResult();
    void changesRefused_data() { ExecutionChecks::changesRefusedData(); }
    void changesRefused();
    void oneRun();
    void stopKeepsRows();
    void cancelWhileExecuting();
    void closeWhileExecuting();
    void laterChunkFails();
    void statementTimeout();
    void unwrappableStatement();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ExecutionChecks::Window> m_window;
};

namespace {
const QString kAlias = QStringLiteral("PGSHOP");
} // namespace

void TestExecutionPg::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(m_dir.isValid());
    // PGSLOW: the same database with a statement time-out.
    QString slow = TestSupport::PgAliasSection(QStringLiteral("PGSLOW"));
    slow.replace(QStringLiteral("\n\n"), QStringLiteral("\nStatementTimeout=1\n\n"));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")), TestSupport::PgAliasSection(kAlias) + slow);
}

void TestExecutionPg::init()
{
    m_window = std::make_unique<ExecutionChecks::Window>(kAlias);
    QVERIFY(QTest::qWaitForWindowExposed(m_window->form.get()));
}

void TestExecutionPg::cleanup()
{
    m_window.reset();
}

void TestExecutionPg::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestExecutionPg::selectShowsRows()
{
    ExecutionChecks::selectShowsRows(*m_window);
}

void TestExecutionPg::lineCounts()
{
    QFETCH(QString, sql);
    QFETCH(int, lines);
    ExecutionChecks::lineCounts(*m_window, sql, lines);
}

void TestExecutionPg::recordCount()
{
    QFETCH(QString, sql);
    QFETCH(QString, status);
    QFETCH(int, rows);
    ExecutionChecks::recordCount(*m_window, kAlias, sql, status, rows);
}

void TestExecutionPg::dmlStatements()
{
    ExecutionChecks::dmlStatements(*m_window, kAlias);
}

void TestExecutionPg::selectUnderInsert()
{
    ExecutionChecks::selectUnderInsert(*m_window, kAlias);
}

void TestExecutionPg::engineErrors()
{
    QFETCH(int, type);
    QFETCH(QString, sql);
    ExecutionChecks::engineErrors(*m_window, kAlias, type, sql);
}

void TestExecutionPg::executeControls()
{
    QFETCH(QString, control);
    ExecutionChecks::executeControls(*m_window, control);
}

void TestExecutionPg::busyWhileOpening()
{
    ExecutionChecks::busyWhileOpening(*m_window);
}

void TestExecutionPg::navigator()
{
    ExecutionChecks::navigator(*m_window);
}

void TestExecutionPg::closeResult()
{
    ExecutionChecks::closeResult(*m_window);
}

// A statement the server will not read in blocks (SHOW) still gives its rows and count.
void TestExecutionPg::unwrappableStatement()
{
    m_window->run(QStringLiteral("SHOW server_version"));
    QVERIFY2(m_window->log->messages.isEmpty(), qPrintable(m_window->log->last()));
    QVERIFY(m_window->resultShown());
    QCOMPARE(m_window->status(), QStringLiteral("1 record(s)"));
    QCOMPARE(m_window->model()->rowCount(), 1);
    QVERIFY(!m_window->model()->index(0, 0).data().toString().isEmpty());
}

void TestExecutionPg::changesRefused()
{
    QFETCH(QString, sql);
    QFETCH(bool, pgOnly);
    ExecutionChecks::changesRefused(*m_window, kAlias, sql, pgOnly);
}

void TestExecutionPg::oneRun()
{
    ExecutionChecks::oneRun(*m_window, kAlias);
}

void TestExecutionPg::stopKeepsRows()
{
    ExecutionChecks::stopKeepsRows(*m_window, kAlias);
}

void TestExecutionPg::cancelWhileExecuting()
{
    ExecutionChecks::cancelWhileExecuting(*m_window, kAlias);
}

void TestExecutionPg::closeWhileExecuting()
{
    ExecutionChecks::closeWhileExecuting(*m_window, kAlias);
}

void TestExecutionPg::laterChunkFails()
{
    ExecutionChecks::laterChunkFails(*m_window, kAlias);
}

// An alias's StatementTimeout ends a statement that runs longer, with a message; the
// connection serves the next statement.
void TestExecutionPg::statementTimeout()
{
    m_window.reset();
    m_window = std::make_unique<ExecutionChecks::Window>(QStringLiteral("PGSLOW"));
    m_window->run(QStringLiteral("SELECT pg_sleep(60)"));
    QCOMPARE(m_window->log->messages.size(), 1);
    QCOMPARE(m_window->log->messages.first().second,
             QStringLiteral("The SQL statement ran longer than its time-out of 1 s and was cancelled"));
    QVERIFY(!m_window->resultShown());
    m_window->run(QStringLiteral("SELECT * FROM products"));
    QVERIFY2(m_window->log->messages.isEmpty(), qPrintable(m_window->log->last()));
    QCOMPARE(m_window->status(), QStringLiteral("20 record(s)"));
}

QTEST_MAIN(TestExecutionPg)
#include "tst_execution_pg.moc"
