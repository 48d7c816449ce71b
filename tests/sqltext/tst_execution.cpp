#include "executionchecks.h"

#include <QSplitter>
#include <QTemporaryDir>
#include <QtTest>

// The execute command and the result grid on the SQLite sample database.
class TestExecution : public QObject
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
    void pageLayout();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ExecutionChecks::Window> m_window;
};

namespace {
const QString kAlias = QStringLiteral("SHOP");
} // namespace

void TestExecution::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("shop.sqlite")), &error, true),
             qPrintable(error));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n"));
}

void TestExecution::init()
{
    m_window = std::make_unique<ExecutionChecks::Window>(kAlias);
    QVERIFY(QTest::qWaitForWindowExposed(m_window->form.get()));
}

void TestExecution::cleanup()
{
    m_window.reset();
}

void TestExecution::cleanupTestCase()
{
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
    ExecutionChecks::recordCount(*m_window, kAlias, sql, status, rows);
}

void TestExecution::dmlStatements()
{
    ExecutionChecks::dmlStatements(*m_window, kAlias);
}

void TestExecution::selectUnderInsert()
{
    ExecutionChecks::selectUnderInsert(*m_window, kAlias);
}

void TestExecution::engineErrors()
{
    QFETCH(int, type);
    QFETCH(QString, sql);
    ExecutionChecks::engineErrors(*m_window, kAlias, type, sql);
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
    ExecutionChecks::changesRefused(*m_window, kAlias, sql, pgOnly);
}

void TestExecution::oneRun()
{
    ExecutionChecks::oneRun(*m_window, kAlias);
}

void TestExecution::stopKeepsRows()
{
    ExecutionChecks::stopKeepsRows(*m_window, kAlias);
}

void TestExecution::cancelWhileExecuting()
{
    ExecutionChecks::cancelWhileExecuting(*m_window, kAlias);
}

void TestExecution::closeWhileExecuting()
{
    ExecutionChecks::closeWhileExecuting(*m_window, kAlias);
}

void TestExecution::laterChunkFails()
{
    ExecutionChecks::laterChunkFails(*m_window, kAlias);
}

QTEST_MAIN(TestExecution)
#include "tst_execution.moc"
