// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Select Query never changes data, on every engine of the suite: a table "victims" that
// statements of every kind try to change, run as a Select Query, keeps its rows; the
// statements that only read run and give their rows. tst_execution runs these.

#include "executionchecks.h"
#include "naming.h"
#include "tqgcanvascommands.h"
#include "tdatabase.h"
#include "tsession.h"
#include "tsessionlist.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ReadOnlyChecks {

const QStringList kAllAliases = ExecutionChecks::AllAliases();
const QString kVictims = QStringLiteral("1:a|2:b|3:c");

using ExecutionChecks::isMySql;
using ExecutionChecks::isPg;

inline bool isSqlite(const QString &alias)
{
    return alias == QLatin1String("SHOP") || alias == QLatin1String("ODBCSQLITE");
}

// The designer's own connection to the alias (opened by the session).
inline QSqlDatabase connection(const QString &alias)
{
    return Sessions().DefaultSession()->OpenDatabase(alias)->Connection();
}

inline QString exec(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) ? QString() : sql + QStringLiteral(": ") + q.lastError().text();
}

// The rows of a table as "a:b|c:d", ordered by the first field; the error when it cannot be read.
inline QString rowsOf(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return QStringLiteral("(%1)").arg(q.lastError().text());
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << q.value(i).toString();
        rows << values.join(u':');
    }
    return rows.join(u'|');
}

inline QString victims(const QString &alias)
{
    return rowsOf(connection(alias), QStringLiteral("SELECT id, name FROM victims ORDER BY id"));
}

inline void dropTables(const QString &alias)
{
    const QSqlDatabase db = connection(alias);
    for (const char *table : {"victims", "victims_gone", "vdq_made", "t", "merge"})
        exec(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table)));
    if (isMySql(alias)) {
        exec(db, QStringLiteral("DROP PROCEDURE IF EXISTS vdq_wipe"));
        exec(db, QStringLiteral("DROP FUNCTION IF EXISTS vdq_wiped"));
    }
}

// The tables the statements read and try to change, afresh for each check (a failed one
// leaves no change behind for the next): PGSHOP and ODBCPG share theirs, MYSHOP and ODBCMARIADB
// theirs.
inline QString makeTables(const QString &alias)
{
    dropTables(alias);
    const QSqlDatabase db = connection(alias);
    QStringList statements{QStringLiteral("CREATE TABLE victims (id INTEGER, name VARCHAR(20))"),
                           QStringLiteral("INSERT INTO victims VALUES (1, 'a'), (2, 'b'), (3, 'c')"),
                           QStringLiteral("CREATE TABLE t (truncate INTEGER)"),
                           QStringLiteral("INSERT INTO t VALUES (7), (8)"),
                           QStringLiteral("CREATE TABLE merge (id INTEGER)"),
                           QStringLiteral("INSERT INTO merge VALUES (5)")};
    if (isMySql(alias)) {
        statements << QStringLiteral("CREATE PROCEDURE vdq_wipe() BEGIN DELETE FROM victims; END")
                   << QStringLiteral("CREATE FUNCTION vdq_wiped() RETURNS INTEGER MODIFIES SQL DATA "
                                     "BEGIN DELETE FROM victims; RETURN 1; END");
    }
    for (const QString &sql : statements) {
        const QString error = exec(db, sql);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

inline void insertAfterReadData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("how");
    for (const QString &alias : kAllAliases) {
        for (const char *how : {"finished", "failed", "stopped"}) {
            // The others hold a whole result before its first row is shown.
            if (qstrcmp(how, "stopped") == 0 && alias != QLatin1String("SHOP") && !isPg(alias))
                continue;
            QTest::addRow("%s: %s", qPrintable(alias), how) << alias << QString::fromLatin1(how);
        }
    }
}

// Statements run as a Select Query on the alias: the rows they give ("a:b|c:d"), or no
// text when the engine or the check before it must refuse them.
inline void statementsData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("rows");
    for (const QString &alias : kAllAliases) {
        const auto refused = [&](const char *name, const QString &sql) {
            QTest::addRow("%s: %s", qPrintable(alias), name) << alias << sql << true << QString();
        };
        const auto reads = [&](const char *name, const QString &sql, const QString &rows) {
            QTest::addRow("%s: %s", qPrintable(alias), name) << alias << sql << false << rows;
        };
        refused("delete", QStringLiteral("DELETE FROM victims"));
        refused("commented update", QStringLiteral("/* read */ UPDATE victims SET name = 'x'"));
        refused("insert", QStringLiteral("INSERT INTO victims VALUES (9, 'z')"));
        refused("select, then delete", QStringLiteral("SELECT 1; DELETE FROM victims"));
        refused("select, then drop", QStringLiteral("SELECT * FROM victims; DROP TABLE victims"));
        refused("create", QStringLiteral("CREATE TABLE vdq_made (a INTEGER)"));
        refused("drop", QStringLiteral("DROP TABLE victims"));
        reads("plain select", QStringLiteral("SELECT id, name FROM victims ORDER BY id"), kVictims);
        reads("a field named truncate", QStringLiteral("SELECT truncate FROM t ORDER BY truncate"), QStringLiteral("7|8"));
        reads("a table named merge", QStringLiteral("SELECT * FROM merge"), QStringLiteral("5"));
        if (isPg(alias)) {
            refused("escape string hides a semicolon", QStringLiteral("SELECT E'\\'', 1; DELETE FROM victims; SELECT 'x'"));
            refused("explain analyze delete", QStringLiteral("EXPLAIN ANALYZE DELETE FROM victims"));
            refused("do block", QStringLiteral("DO $$BEGIN DELETE FROM victims; END$$"));
            refused("delete in a with", QStringLiteral("WITH d AS (DELETE FROM victims RETURNING *) SELECT * FROM d"));
            refused("commit, then delete", QStringLiteral("SELECT 1; COMMIT; DELETE FROM victims"));
            refused("select into", QStringLiteral("SELECT * INTO vdq_made FROM victims"));
            reads("escape string", QStringLiteral("SELECT E'\\'', 1"), QStringLiteral("':1"));
            reads("semicolons in strings", QStringLiteral("SELECT 'a;b', $q$;$q$"), QStringLiteral("a;b:;"));
        }
        if (isMySql(alias)) {
            refused("--1 is no comment", QStringLiteral("SELECT 1 --1; DELETE FROM victims"));
            refused("executable comment", QStringLiteral("/*!DELETE FROM victims*/"));
            refused("executable comment after a select", QStringLiteral("SELECT 1 /*!; DELETE FROM victims*/"));
            refused("execute immediate", QStringLiteral("EXECUTE IMMEDIATE 'DELETE FROM victims'"));
            refused("rename table", QStringLiteral("RENAME TABLE victims TO victims_gone"));
            refused("analyze delete", QStringLiteral("ANALYZE DELETE FROM victims"));
            refused("call", QStringLiteral("CALL vdq_wipe()"));
            // A SELECT by its words: the read-only transaction is what refuses it.
            refused("function that deletes", QStringLiteral("SELECT vdq_wiped()"));
            refused("backslash ends a string", QStringLiteral("SELECT '\\\\'; DELETE FROM victims"));
            reads("escaped quote in a string", QStringLiteral("SELECT 'a\\'; DELETE FROM victims; -- '"),
                  QStringLiteral("a'; DELETE FROM victims; -- "));
            reads("comments", QStringLiteral("SELECT 1 -- ; DELETE FROM victims\n# ; DELETE FROM victims\n"),
                  QStringLiteral("1"));
        }
        if (isSqlite(alias)) {
            refused("delete in a with", QStringLiteral("WITH d AS (SELECT 1) DELETE FROM victims"));
            refused("delete returning", QStringLiteral("DELETE FROM victims RETURNING id"));
            reads("semicolon in a string", QStringLiteral("SELECT '''; DELETE FROM victims; --'"),
                  QStringLiteral("'; DELETE FROM victims; --"));
        }
    }
}

// A statement run as a Select Query leaves the table as it was: refused with a message and
// no grid, or run with its rows in the grid.
inline void statement(ExecutionChecks::Window &w, const QString &alias, const QString &sql, bool refused,
                      const QString &rows)
{
    QCOMPARE(makeTables(alias), QString());
    w.setType(0);
    w.run(sql);
    QCOMPARE(victims(alias), kVictims);
    QCOMPARE(rowsOf(connection(alias), QStringLiteral("SELECT COUNT(*) FROM vdq_made")).left(1), QStringLiteral("("));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    if (refused) {
        QCOMPARE(w.log->messages.size(), 1);
        QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
        QVERIFY(!w.resultShown());
        QVERIFY(!w->Query1()->IsActive());
        return;
    }
    QVERIFY2(w.log->messages.isEmpty(), qPrintable(w.log->last()));
    QVERIFY(w.resultShown());
    QStringList shown;
    TQGResultModel *model = w.model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList values;
        for (int c = 0; c < model->columnCount(); ++c)
            values << model->index(r, c).data().toString();
        shown << values.join(u':');
    }
    QCOMPARE(shown.join(u'|'), rows);
}

inline void designValuesData()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("value");
    for (const QString &alias : kAllAliases) {
        QTest::addRow("%s: a second statement", qPrintable(alias))
            << alias << QStringLiteral("'a'; DELETE FROM victims; SELECT 'x'");
        if (isPg(alias)) {
            QTest::addRow("%s: escape string", qPrintable(alias))
                << alias << QStringLiteral("E'\\'' OR TRUE; DELETE FROM victims; SELECT 'x'");
        }
    }
}

// A shared design whose condition value holds a second statement: its text, executed as a
// Select Query, changes nothing.
inline void designValue(ExecutionChecks::Window &w, const QString &alias, const QString &value)
{
    QCOMPARE(makeTables(alias), QString());
    w->Canvas()->CreateTableWindow(QStringLiteral("victims"), QRect(10, 10, 121, 180), true);
    w->AddConditionRow(FieldReference(QStringLiteral("victims"), QStringLiteral("name"), w->Style()),
                       QStringLiteral("= (Equals)"), value);
    w.setType(0);
    const QString text = w->Memo1()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("DELETE FROM victims")), qPrintable(text));
    w.log->messages.clear();
    w->Execution()->SpeedButton28Click();
    w.wait();
    QCOMPARE(victims(alias), kVictims);
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().first, VdqMessages::Kind::Error);
    QVERIFY(!w.resultShown());
}

// However a read ends (its last row, stopped by the user, failed), its transaction ends
// with it: an Insert Query that follows commits, seen from another connection.
inline void insertAfterRead(ExecutionChecks::Window &w, const QString &alias, const QString &how)
{
    QCOMPARE(makeTables(alias), QString());
    if (how == QLatin1String("stopped")) {
        w.log->messages.clear();
        w->Memo1()->SetText(ExecutionChecks::numbers(isPg(alias) ? QStringLiteral("PGSHOP") : QStringLiteral("SHOP"),
                                                     50000000));
        w->Execution()->SpeedButton28Click();
        QVERIFY(w->Execution()->IsRunning());
        w->Execution()->StopResult();
        w.wait();
        QVERIFY(w->Query1()->WasStopped());
    } else if (how == QLatin1String("failed")) {
        w.run(QStringLiteral("SELECT nosuchfield FROM victims"));
        QCOMPARE(w.log->messages.size(), 1);
    } else {
        w.run(QStringLiteral("SELECT * FROM victims"));
        QCOMPARE(w.status(), QStringLiteral("3 record(s)"));
    }
    w.setType(1);
    w.run(QStringLiteral("INSERT INTO victims VALUES (4, 'd')"));
    QCOMPARE(w.log->messages.size(), 1);
    QCOMPARE(w.log->messages.first().second, ExecutionChecks::kExecuted + QStringLiteral("\n1 row(s) affected."));
    // A connection of its own sees only what was committed.
    const QString name = QStringLiteral("vdq-other");
    {
        QSqlDatabase other = QSqlDatabase::cloneDatabase(connection(alias), name);
        QVERIFY2(other.open(), qPrintable(other.lastError().text()));
        QCOMPARE(rowsOf(other, QStringLiteral("SELECT id, name FROM victims WHERE id = 4")), QStringLiteral("4:d"));
        QCOMPARE(exec(other, QStringLiteral("DELETE FROM victims WHERE id = 4")), QString());
    }
    QSqlDatabase::removeDatabase(name);
    QCOMPARE(victims(alias), kVictims);
}

} // namespace ReadOnlyChecks
