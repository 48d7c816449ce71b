// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The execute command and the result panel of the designer's "SQL" page, checked the same
// way on every engine: tst_execution runs these on a designer window opened on the sample
// database of each engine (SQLite, and the PostgreSQL server of the test run).

#include "designfixture.h"
#include "tqgdbnavigator.h"
#include "tqgengrid.h"
#include "tqgqueryexecution.h"
#include "tqgresultmodel.h"
#include "tqgsqleditor.h"
#include "vdqerror.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace ExecutionChecks {

// The engines every check runs on: the data tag's prefix and the sample database's alias.
struct Engine
{
    const char *tag;
    QString alias;
};

inline const QList<Engine> &Engines()
{
    static const QList<Engine> engines{{"sqlite", QStringLiteral("SHOP")}, {"pg", QStringLiteral("PGSHOP")}};
    return engines;
}

// A row of a check's table on one engine: the alias column first, then the check's own.
inline QTestData &engineRow(const Engine &engine, const char *name)
{
    return QTest::addRow("%s: %s", engine.tag, name) << engine.alias;
}

// Every engine of the suite, by the alias of its sample database: the two above, MariaDB,
// and PostgreSQL, MariaDB and SQLite through ODBC (ODBCPG shares PGSHOP's database,
// ODBCMARIADB MYSHOP's). MariaDB's and the ODBC data sources' samples have no big table.
inline const QStringList &AllAliases()
{
    static const QStringList aliases{QStringLiteral("SHOP"),   QStringLiteral("PGSHOP"),      QStringLiteral("MYSHOP"),
                                     QStringLiteral("ODBCPG"), QStringLiteral("ODBCMARIADB"), QStringLiteral("ODBCSQLITE")};
    return aliases;
}

inline bool isPg(const QString &alias)
{
    return alias == QLatin1String("PGSHOP") || alias == QLatin1String("ODBCPG");
}

inline bool isMySql(const QString &alias)
{
    return alias == QLatin1String("MYSHOP") || alias == QLatin1String("ODBCMARIADB");
}

// The table of a check that has no columns of its own: one row per engine, or only the
// engine named.
inline void enginesData(const char *only = nullptr)
{
    QTest::addColumn<QString>("alias");
    for (const Engine &e : Engines()) {
        if (!only || qstrcmp(only, e.tag) == 0)
            QTest::newRow(e.tag) << e.alias;
    }
}

// The sample's rows that the DML statements add and remove again.
const QString kScratchInsert = QStringLiteral(
    "INSERT INTO \"2003sales\" (\"Cust No\", \"Firm\", \"Quarter\", \"Amount\") VALUES (9901, 'Exec & Co', 1, 10.5)");
const QString kScratchUpdate = QStringLiteral("UPDATE \"2003sales\" SET \"Amount\" = 12.25 WHERE \"Cust No\" = 9901");
const QString kScratchDelete = QStringLiteral("DELETE FROM \"2003sales\" WHERE \"Cust No\" = 9901");
const QString kExecuted = QStringLiteral("The SQL statement has been executed.");

// The designer window with its messages recorded; the shown window lets the grid paint.
struct Window
{
    std::unique_ptr<TQGQueryForm> form;
    std::unique_ptr<DesignFixture::MessageLog> log;
    // Whether the busy cursor was up when each message was shown.
    QList<bool> busyAtMessage;

    explicit Window(const QString &alias)
    {
        log = std::make_unique<DesignFixture::MessageLog>();
        VdqMessages::SetHook([this](VdqMessages::Kind kind, const QString &, const QString &text) {
            log->messages << qMakePair(kind, text);
            busyAtMessage << (QApplication::overrideCursor() != nullptr);
        });
        form = DesignFixture::OpenForm(alias);
        form->resize(1000, 700);
        form->show();
    }

    TQGQueryForm *operator->() const { return form.get(); }
    QStatusBar *statusBar2() const { return form->findChild<QStatusBar *>(QStringLiteral("StatusBar2")); }
    TQGDBNavigator *navigator() const { return form->findChild<TQGDBNavigator *>(QStringLiteral("DBNavigator1")); }
    TQGResultModel *model() const { return form->Execution()->ResultModel(); }
    bool resultShown() const { return !form->Panel9()->isHidden(); }
    QString status() const { return statusBar2()->currentMessage(); }

    void setType(int tag) { form->DefineQueryType(tag); }

    void run(const QString &sql)
    {
        log->messages.clear();
        busyAtMessage.clear();
        form->Memo1()->SetText(sql);
        form->Execution()->SpeedButton28Click();
        wait();
    }

    // Processes events until the statement has run and its rows are read.
    void wait()
    {
        while (form->Execution()->IsRunning())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }
};

// What the engine says when the query object runs the statement itself.
inline QString engineError(const QString &alias, const QString &sql, bool select)
{
    TQuery query;
    query.SetSessionName(QStringLiteral("Default"));
    query.SetDatabaseName(alias);
    query.SetSQL(sql.isEmpty() ? QStringList() : sql.split(u'\n'));
    try {
        if (select)
            query.Open();
        else
            query.ExecSql();
    } catch (const VdqError &e) {
        return e.message();
    }
    return QString();
}

inline QString scalarText(const QString &alias, const QString &sql)
{
    TQuery query;
    query.SetSessionName(QStringLiteral("Default"));
    query.SetDatabaseName(alias);
    query.SetSQL({sql});
    query.Open();
    return query.Value(0, 0).toString();
}

inline qint64 scalar(const QString &alias, const QString &sql)
{
    return scalarText(alias, sql).toLongLong();
}

inline void lineCountsData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("lines");
    for (const Engine &e : Engines()) {
        engineRow(e, "picture and memo") << "SELECT * FROM products" << 3;
        engineRow(e, "picture only") << "SELECT \"ProductNo\", \"Picture\" FROM products" << 3;
        engineRow(e, "memo only") << "SELECT \"Firm\", \"Notes\" FROM clients" << 3;
        engineRow(e, "plain fields") << "SELECT \"ProductNo\", \"Name\", \"Price\" FROM products" << 1;
        engineRow(e, "plain table") << "SELECT * FROM sales" << 1;
    }
}

// A result with a memo or picture field has rows of three lines; the next plain one goes
// back to one line, and a further memo result to three.
inline void lineCounts(Window &w, const QString &sql, int lines)
{
    const QString other = lines == 3 ? QStringLiteral("SELECT * FROM sales") : QStringLiteral("SELECT * FROM products");
    const int otherLines = lines == 3 ? 1 : 3;
    for (int round = 0; round < 2; ++round) {
        w.run(sql);
        QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
        QVERIFY(w.resultShown());
        QCOMPARE(w->Grid()->LinesPerRow(), lines);
        QCOMPARE(w->Grid()->rowHeight(0), lines * w->Grid()->LineHeight());
        w.run(other);
        QCOMPARE(w->Grid()->LinesPerRow(), otherLines);
        QCOMPARE(w->Grid()->rowHeight(0), otherLines * w->Grid()->LineHeight());
    }
}

inline void selectShowsRows(Window &w)
{
    w.setType(0);
    w.run(QStringLiteral("SELECT * FROM products ORDER BY \"ProductNo\""));
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QCOMPARE(w->PageControl981()->currentWidget(), w->TabSheet2());
    QVERIFY(w.resultShown());
    QVERIFY(w->Panel9()->isVisible());
    QVERIFY(w->Grid()->isVisible());
    QVERIFY(w.navigator()->isVisible());
    QVERIFY(w.statusBar2()->isVisible());
    QCOMPARE(w.status(), QStringLiteral("20 record(s)"));
    TQGResultModel *model = w.model();
    QCOMPARE(w->Grid()->SourceModel(), model);
    QCOMPARE(model->rowCount(), 20);
    QCOMPARE(model->columnCount(), 7);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name"));
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("1"));
    QCOMPARE(w->Grid()->CurrentRow(), 0);
    QVERIFY(w->Query1()->IsActive());  // it stays open for the grid and the navigator
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

inline void recordCountData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("rows");
    for (const Engine &e : Engines()) {
        engineRow(e, "products") << "SELECT * FROM products" << "20 record(s)" << 20;
        engineRow(e, "ledger") << "SELECT * FROM ledger" << "1000000 record(s)" << 1000000;
        engineRow(e, "ledger, filtered") << "SELECT \"EntryNo\" FROM ledger WHERE \"EntryNo\" <= 1234" << "1234 record(s)"
                                          << 1234;
        engineRow(e, "no rows") << "SELECT * FROM products WHERE 1 = 0" << "0 record(s)" << 0;
        engineRow(e, "joined") << "SELECT c.\"Firm\", s.\"Total\" FROM clients c, sales s WHERE c.\"ClientNo\" = s.\"ClientNo\""
                                << QString() << -1;
    }
}

// The engine's exact count, formatted; the grid has as many rows and has read few of them.
inline void recordCount(Window &w, const QString &alias, const QString &sql, QString status, int rows)
{
    if (rows < 0) {
        rows = int(scalar(alias, QStringLiteral("SELECT COUNT(*) FROM clients c, sales s WHERE c.\"ClientNo\" = s.\"ClientNo\"")));
        QVERIFY(rows > 0);
        status = QStringLiteral("%1 record(s)").arg(rows);
    }
    w.run(sql);
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QVERIFY(w.resultShown());
    QCOMPARE(w.status(), status);
    QCOMPARE(w.model()->rowCount(), rows);
    w->Grid()->viewport()->grab();
    QVERIFY(w.model()->HighestRowRead() < 100);
    QVERIFY(w->Query1()->CachedRowCount() <= 256);
}

// Insert, Update and Delete run as statements without rows: the message, no grid.
inline void dmlStatements(Window &w, const QString &alias)
{
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY(w.resultShown());
    const qint64 before = scalar(alias, QStringLiteral("SELECT COUNT(*) FROM \"2003sales\""));

    const struct {
        int tag;
        QString sql;
        QString check;
        qint64 expected;
    } steps[] = {
        {1, kScratchInsert, QStringLiteral("SELECT COUNT(*) FROM \"2003sales\" WHERE \"Cust No\" = 9901"), 1},
        {2, kScratchUpdate, QStringLiteral("SELECT COUNT(*) FROM \"2003sales\" WHERE \"Cust No\" = 9901 AND \"Amount\" = 12.25"), 1},
        {3, kScratchDelete, QStringLiteral("SELECT COUNT(*) FROM \"2003sales\" WHERE \"Cust No\" = 9901"), 0},
    };
    for (const auto &step : steps) {
        w.setType(step.tag);
        QVERIFY(!w->QueryTypeButton(0)->isChecked());
        w->PageControl981()->setCurrentWidget(w->TabSheet1());
        w.run(step.sql);
        QCOMPARE(w.log->messages.size(), 1);
        QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Information);
        // Each step changes one row, and the message says so.
        QCOMPARE(w.log->messages.first().second, kExecuted + QStringLiteral("\n1 row(s) affected."));
        QCOMPARE(w.busyAtMessage, QList<bool>{false});
        QVERIFY(!w.resultShown());
        QVERIFY(!w->Query1()->IsActive());
        QCOMPARE(w->PageControl981()->currentWidget(), w->TabSheet2());
        QCOMPARE(scalar(alias, step.check), step.expected);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
    QCOMPARE(scalar(alias, QStringLiteral("SELECT COUNT(*) FROM \"2003sales\"")), before);
}

// The query type decides, not the text: a SELECT under Insert is refused by the engine.
inline void selectUnderInsert(Window &w, const QString &alias)
{
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY(w.resultShown());
    const QString sql = QStringLiteral("SELECT * FROM products");
    const QString expected = engineError(alias, sql, false);
    QVERIFY(!expected.isEmpty());
    w.setType(1);
    w.run(sql);
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    QCOMPARE(w.log->messages.first().second, expected);
    QCOMPARE(w.busyAtMessage, QList<bool>{false});
    QVERIFY(!w.resultShown());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

inline void engineErrorsData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sql");
    for (const Engine &e : Engines()) {
        engineRow(e, "empty editor, Select") << 0 << QString();
        engineRow(e, "empty editor, Insert") << 1 << QString();
        engineRow(e, "blank lines, Select") << 0 << QStringLiteral("\n  \n");
        engineRow(e, "syntax error, Select") << 0 << QStringLiteral("SELEC * FROM products");
        engineRow(e, "no such table, Select") << 0 << QStringLiteral("SELECT * FROM nosuchtable");
        engineRow(e, "no such field, Select") << 0 << QStringLiteral("SELECT NoSuchField FROM products");
        engineRow(e, "statement without rows, Select") << 0 << kScratchDelete;
        engineRow(e, "syntax error, Update") << 2 << QStringLiteral("UPDATE products SET");
        engineRow(e, "no such table, Delete") << 3 << QStringLiteral("DELETE FROM nosuchtable");
    }
}

// Every failure shows the engine's message, as the engine gave it; the result stays hidden.
inline void engineErrors(Window &w, const QString &alias, int type, const QString &sql)
{
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY(w.resultShown());
    const QString expected = engineError(alias, sql, type == 0);
    QVERIFY(!expected.isEmpty());
    w.setType(type);
    w.run(sql);
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    QCOMPARE(w.log->messages.first().second, expected);
    QCOMPARE(w.busyAtMessage, QList<bool>{false});
    QVERIFY(!w.resultShown());
    QVERIFY(!w->Query1()->IsActive());
    QCOMPARE(w.model()->rowCount(), 0);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

inline void executeControlsData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("control");
    for (const Engine &e : Engines()) {
        engineRow(e, "Execute Query button") << "SpeedButton28";
        engineRow(e, "tool bar button") << "SpeedButton21";
        engineRow(e, "editor popup item") << "ExecuteSQL1";
    }
}

// Each of the three controls runs the command, from the "Query Generator" page too.
inline void executeControls(Window &w, const QString &control)
{
    w->PageControl981()->setCurrentWidget(w->TabSheet1());
    w->Memo1()->SetText(QStringLiteral("SELECT * FROM sales"));
    w.log->messages.clear();
    if (auto *button = w->findChild<QToolButton *>(control))
        button->click();
    else if (auto *action = w->findChild<QAction *>(control))
        action->trigger();
    else
        QFAIL("no such control");
    QCOMPARE(w->PageControl981()->currentWidget(), w->TabSheet2());
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QVERIFY(w.resultShown());
    QCOMPARE(w.status(), QStringLiteral("%1 record(s)").arg(w.model()->rowCount()));
    QVERIFY(w.model()->rowCount() > 0);
}

// The busy cursor is up while the engine opens the result.
inline void busyWhileOpening(Window &w)
{
    bool busy = false;
    const auto connection = QObject::connect(w.model(), &QAbstractItemModel::modelReset, w.model(), [&] {
        if (w->Query1()->IsActive())
            busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    w.run(QStringLiteral("SELECT * FROM products"));
    QObject::disconnect(connection);
    QVERIFY(busy);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// The navigator moves the grid's current row, which is the query's current record.
inline void navigator(Window &w)
{
    w.run(QStringLiteral("SELECT * FROM ledger ORDER BY \"EntryNo\""));
    QVERIFY(w.resultShown());
    TQGDBNavigator *nav = w.navigator();
    QCOMPARE(nav->View(), w->Grid());
    TQGenGrid *grid = w->Grid();
    QCOMPARE(grid->CurrentRow(), 0);
    nav->Button(QStringLiteral("NavNext"))->click();
    nav->Button(QStringLiteral("NavNext"))->click();
    QCOMPARE(grid->CurrentRow(), 2);
    QCOMPARE(w->Query1()->RecNo(), 2);
    nav->Button(QStringLiteral("NavPrior"))->click();
    QCOMPARE(w->Query1()->RecNo(), 1);
    nav->Button(QStringLiteral("NavLast"))->click();
    QCOMPARE(grid->CurrentRow(), 999999);
    QCOMPARE(w->Query1()->RecNo(), 999999);
    grid->viewport()->grab();
    QVERIFY(grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex())));
    QCOMPARE(w.model()->index(999999, 0).data().toString(), QStringLiteral("1000000"));
    QVERIFY(w->Query1()->CachedRowCount() <= 16 * 256);
    QVERIFY(!nav->Button(QStringLiteral("NavNext"))->isEnabled());
    nav->Button(QStringLiteral("NavFirst"))->click();
    QCOMPARE(grid->CurrentRow(), 0);
    QVERIFY(!nav->Button(QStringLiteral("NavPrior"))->isEnabled());

    // Refresh runs the statement again and keeps the place.
    nav->Next();
    nav->Next();
    nav->Next();
    w.log->messages.clear();
    nav->Button(QStringLiteral("NavRefresh"))->click();
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QVERIFY(w.resultShown());
    QVERIFY(w->Query1()->IsActive());
    w.wait();
    QCOMPARE(grid->CurrentRow(), 3);
    QCOMPARE(w.status(), QStringLiteral("1000000 record(s)"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// Loading a design closes the result.
inline void closeResult(Window &w)
{
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY(w.resultShown());
    w->Execution()->CloseResult();
    QVERIFY(!w->Query1()->IsActive());
    QVERIFY(!w.resultShown());
    QCOMPARE(w.model()->rowCount(), 0);
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY(w.resultShown());
    QCOMPARE(w.model()->rowCount(), 20);
}

// The statements of the checks below that each engine writes its own way.
inline QString numbers(const QString &alias, qint64 count, const QString &expression = QStringLiteral("i"))
{
    if (isPg(alias))
        return QStringLiteral("SELECT %1 FROM generate_series(1, %2) AS g(i)").arg(expression).arg(count);
    return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) SELECT %1 FROM n")
        .arg(expression)
        .arg(count);
}

// Every engine of the suite.
inline void allEnginesData()
{
    QTest::addColumn<QString>("alias");
    for (const QString &alias : AllAliases())
        QTest::newRow(qPrintable(alias)) << alias;
}

inline void enginesAlikeData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("refused");
    const QString sorted = QStringLiteral(
        "WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < 1000) SELECT n FROM s ORDER BY n DESC");
    for (const QString &alias : AllAliases()) {
        const auto row = [&](const char *name) -> QTestData & {
            return QTest::addRow("%s: %s", qPrintable(alias), name) << alias;
        };
        row("sorted, in order at its end") << sorted << false;
        row("delete") << QStringLiteral("DELETE FROM sales") << true;
        row("delete returning") << QStringLiteral("DELETE FROM sales RETURNING 1") << true;
        row("update, commented") << QStringLiteral("/* read */ UPDATE sales SET \"PaidBy\" = NULL") << true;
    }
}

// The same statement behaves alike on every engine: a sorted result ends with its last row
// in order, and a data change under Select Query is refused before it runs.
inline void enginesAlike(Window &w, const QString &alias, QString sql, bool refused)
{
    QString countSql = QStringLiteral("SELECT COUNT(*) * 100000 + SUM(\"SaleNo\") FROM sales");
    if (isMySql(alias)) {
        sql.replace(u'"', u'`');
        countSql.replace(u'"', u'`');
    }
    const qint64 before = scalar(alias, countSql);
    QVERIFY(before > 0);
    w.setType(0);
    w.run(sql);
    QCOMPARE(scalar(alias, countSql), before);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    if (refused) {
        QCOMPARE(w.log->messages.size(), 1);
        QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
        QVERIFY(!w.resultShown());
        return;
    }
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QCOMPARE(w.status(), QStringLiteral("1000 record(s)"));
    QCOMPARE(w.model()->index(0, 0).data().toInt(), 1000);
    w.navigator()->Last();
    QCOMPARE(w->Grid()->CurrentRow(), 999);
    QCOMPARE(w->Grid()->currentIndex().data().toInt(), 1);
}

inline void changesRefusedData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("pgOnly");
    for (const Engine &e : Engines()) {
        engineRow(e, "insert returning") << QStringLiteral(
            "INSERT INTO \"2003sales\" (\"Cust No\", \"Firm\", \"Quarter\", \"Amount\") VALUES (9902, 'Twice', 1, 1) "
            "RETURNING \"Cust No\"") << false;
        engineRow(e, "delete returning") << QStringLiteral("DELETE FROM \"2003sales\" RETURNING \"Cust No\"") << false;
        engineRow(e, "delete") << QStringLiteral("DELETE FROM \"2003sales\"") << false;
        engineRow(e, "update, commented") << QStringLiteral("/* read */ UPDATE \"2003sales\" SET \"Amount\" = 0") << false;
        engineRow(e, "with delete") << QStringLiteral(
            "WITH d AS (DELETE FROM \"2003sales\" RETURNING *) SELECT * FROM d") << true;
        engineRow(e, "select into") << QStringLiteral("SELECT * INTO scratch_copy FROM \"2003sales\"") << true;
    }
}

// A statement that changes data, run as a Select Query, is refused before it runs: the
// engine's data stay as they were, the same on every engine.
inline void changesRefused(Window &w, const QString &alias, const QString &sql, bool pgOnly)
{
    if (pgOnly && !isPg(alias))
        QSKIP("not SQL of this engine");
    const QString countSql = QStringLiteral("SELECT COUNT(*) || ',' || SUM(\"Amount\") FROM \"2003sales\"");
    TQuery count;
    count.SetSessionName(QStringLiteral("Default"));
    count.SetDatabaseName(alias);
    count.SetSQL({countSql});
    count.Open();
    const QString before = count.Value(0, 0).toString();
    count.Close();
    w.setType(0);
    w.run(sql);
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    QVERIFY(!w.resultShown());
    count.Open();
    QCOMPARE(count.Value(0, 0).toString(), before);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// Every row belongs to the one run: a value computed per row is the same after scrolling
// away and back, and a sorted result is in order at its end.
inline void oneRun(Window &w, const QString &alias)
{
    w.run(QStringLiteral("SELECT \"EntryNo\", random() AS r, \"Amount\" FROM ledger ORDER BY \"Amount\" DESC, \"EntryNo\""));
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QCOMPARE(w.status(), QStringLiteral("1000000 record(s)"));
    TQGResultModel *model = w.model();
    const QString early = model->index(5, 1).data().toString();
    w.navigator()->Last();
    QCOMPARE(w->Grid()->CurrentRow(), 999999);
    w->Grid()->viewport()->grab();
    const qint64 lastEntry = scalar(alias, QStringLiteral(
        "SELECT \"EntryNo\" FROM ledger ORDER BY \"Amount\" ASC, \"EntryNo\" DESC LIMIT 1"));
    QCOMPARE(model->index(999999, 0).data().toLongLong(), lastEntry);
    QVERIFY(model->index(999998, 2).data().toDouble() >= model->index(999999, 2).data().toDouble());
    w.navigator()->First();
    w->Grid()->viewport()->grab();
    QCOMPARE(model->index(5, 1).data().toString(), early);
}

// Stopping keeps the rows read; the count says they are a part.
inline void stopKeepsRows(Window &w, const QString &alias)
{
    w.log->messages.clear();
    w->Memo1()->SetText(numbers(alias, 50000000));
    w->Execution()->SpeedButton28Click();
    QVERIFY(w.resultShown());
    QVERIFY(w->Execution()->IsRunning());
    QApplication::setActiveWindow(w.form.get());
    QTest::keyClick(w->Grid(), Qt::Key_Escape);
    w.wait();
    const int rows = w.model()->rowCount();
    QVERIFY(rows > 0);
    QVERIFY(rows < 50000000);
    QCOMPARE(w->Query1()->RowsRead(), rows);
    QVERIFY(w->Query1()->WasStopped());
    QVERIFY(w.status().startsWith(QStringLiteral("%1 record(s) read, reading stopped").arg(rows)));
    QCOMPARE(w.model()->index(rows - 1, 0).data().toLongLong(), rows);
    QVERIFY(w.log->messages.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// A statement that runs for a minute before its first row, on each engine.
inline QString slowStatement(const QString &alias)
{
    if (isPg(alias))
        return QStringLiteral("SELECT pg_sleep(60)");
    // A SLEEP that is killed returns 1, as one that ran out: a cross join of the catalogue
    // counts for longer, and fails when killed.
    if (isMySql(alias))
        return QStringLiteral("SELECT COUNT(*) FROM information_schema.COLUMNS a, information_schema.COLUMNS b, "
                              "information_schema.COLUMNS c");
    return numbers(alias, 2000000000, QStringLiteral("max(i)"));
}

// A statement still executing is cancelled in the engine; the designer goes on.
inline void cancelWhileExecuting(Window &w, const QString &alias)
{
    QTimer::singleShot(300, w->Execution(), [&w] { w->Execution()->StopResult(); });
    QElapsedTimer clock;
    clock.start();
    w.run(slowStatement(alias));
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!w->Query1()->IsActive());
    QVERIFY(!w.resultShown());
    QCOMPARE(w.status(), QStringLiteral("The SQL statement was cancelled"));
    QVERIFY(w.log->messages.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    w.run(QStringLiteral("SELECT * FROM products"));
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QCOMPARE(w.status(), QStringLiteral("20 record(s)"));
}

// Closing the result (loading a design) while a statement executes ends the run and the wait
// of Execute.
inline void closeWhileExecuting(Window &w, const QString &alias)
{
    QTimer::singleShot(300, w->Execution(), [&w] { w->Execution()->CloseResult(); });
    QElapsedTimer clock;
    clock.start();
    w.run(slowStatement(alias));
    QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!w->Execution()->IsRunning());
    QVERIFY(!w->Query1()->IsActive());
    QVERIFY(!w.resultShown());
    QVERIFY(w.log->messages.isEmpty());
    w.run(QStringLiteral("SELECT * FROM products"));
    QCOMPARE(w.status(), QStringLiteral("20 record(s)"));
}

// A failure in a later chunk reaches the user with the engine's message; the rows read
// before it stay.
inline void laterChunkFails(Window &w, const QString &alias)
{
    const QString failing = isPg(alias) ? QStringLiteral("CASE WHEN i < 5000 THEN i ELSE 1 / (i - i) END")
                                        : QStringLiteral("CASE WHEN i < 5000 THEN i ELSE abs(-9223372036854775807 - 1) END");
    const QString sql = numbers(alias, 10000, failing);
    w.run(sql);
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    const QString message = w.log->messages.first().second;
    QVERIFY2(message.contains(isPg(alias) ? QStringLiteral("division by zero") : QStringLiteral("integer overflow")),
             qPrintable(message));
    QVERIFY(w.resultShown());
    QCOMPARE(w.model()->rowCount(), 4999);
    QCOMPARE(w.model()->index(4998, 0).data().toLongLong(), 4999);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

} // namespace ExecutionChecks
