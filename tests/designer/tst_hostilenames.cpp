// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "naming.h"
#include "profilefile.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignlists.h"
#include "tqgsqleditor.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace DesignFixture;

// Tables and fields whose names hold quotes, semicolons, comment starts, backticks, control
// characters, or ten thousand characters, on every engine of the suite: listed, placed,
// turned into statements that run, saved and opened again. Each name is also a statement
// that would empty the table "canary" if it ever became part of a statement's text; the
// canary keeps its rows, and the only change to the database is the one the user's own
// UPDATE makes.
class TestHostileNames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void throughTheDesigner_data();
    void throughTheDesigner();

private:
    QTemporaryDir m_dir;
};

namespace {

// The engines, as the alias file names them; a row of the table per engine and name.
const QStringList Engines = {QStringLiteral("SQLITE"), QStringLiteral("POSTGRESQL"), QStringLiteral("MARIADB"),
                             QStringLiteral("ODBCPG"), QStringLiteral("ODBCMARIADB"), QStringLiteral("ODBCSQLITE")};
const QString PgDatabase = QStringLiteral("vdq_hostile_names");
const QString MyDatabase = QStringLiteral("hostile");

QList<QPair<const char *, QString>> HostileNames()
{
    return {
        {"double quotes", QStringLiteral("\"canary\"; DELETE FROM canary; --\"")},
        {"single quotes", QStringLiteral("x'); DELETE FROM canary; --'")},
        {"semicolon", QStringLiteral("a;b")},
        {"comment start", QStringLiteral("-- c")},
        {"block comment", QStringLiteral("/* c")},
        {"backticks", QStringLiteral("`t`; DELETE FROM canary; -- `")},
        {"control characters", QStringLiteral("ctl\x01\x1b]2;title\x07")},
        {"ten thousand characters", QString(10000, u'n')},
    };
}

// The name the engine keeps: PostgreSQL cuts identifiers to 63 bytes; MariaDB refuses names
// over 64 characters, so its tables are made with the first 64.
QString Kept(const QString &engine, const QString &name)
{
    if (engine == QLatin1String("POSTGRESQL") || engine == QLatin1String("ODBCPG"))
        return name.left(63);
    if (engine == QLatin1String("MARIADB") || engine == QLatin1String("ODBCMARIADB"))
        return name.left(64);
    return name;
}

QString FieldOf(const QString &name)
{
    return QStringLiteral("f ") + name;
}

QSqlDatabase Admin(const QString &engine)
{
    return QSqlDatabase::database(QStringLiteral("admin ") + engine);
}

QStringList AdminTables(const QString &engine)
{
    QStringList tables = Admin(engine).tables();
    tables.sort();
    return tables;
}

qint64 Count(const QString &engine, const QString &table, const QString &where = QString())
{
    QSqlQuery q(Admin(engine));
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM %1 %2").arg(quoted(table), where)) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

using TestSupport::RunStatements;

// The canary and one table per name, each with the fields "No" and "f <name>", two rows.
bool Fill(QSqlDatabase db, const QString &engine, QString *error)
{
    QStringList statements = {QStringLiteral("CREATE TABLE canary (n INTEGER)"),
                              QStringLiteral("INSERT INTO canary VALUES (1), (2), (3)")};
    for (const auto &[row, name] : HostileNames()) {
        Q_UNUSED(row);
        const QString table = Kept(engine, name);
        statements << QStringLiteral("CREATE TABLE %1 (\"No\" INTEGER, %2 INTEGER)").arg(quoted(table), quoted(Kept(engine, FieldOf(name))))
                   << QStringLiteral("INSERT INTO %1 VALUES (1, 10), (2, 20)").arg(quoted(table));
    }
    return RunStatements(db, statements, error);
}

} // namespace

void TestHostileNames::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QString error;
    const QString sqlite = m_dir.filePath("hostile.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("admin SQLITE"));
        db.setDatabaseName(sqlite);
        QVERIFY(db.open());
        QVERIFY2(Fill(db, QStringLiteral("SQLITE"), &error), qPrintable(error));
    }

    const auto env = TestSupport::PgEnv();
    QVERIFY2(!env.isEmpty(), "the PostgreSQL test server is not running");
    {
        QSqlDatabase server = TestSupport::OpenPgConnection(QStringLiteral("server"));
        QVERIFY2(server.open(), qPrintable(server.lastError().text()));
        QVERIFY2(RunStatements(server, {QStringLiteral("DROP DATABASE IF EXISTS ") + PgDatabase,
                              QStringLiteral("CREATE DATABASE ") + PgDatabase}, &error),
                 qPrintable(error));
        QSqlDatabase db = QSqlDatabase::cloneDatabase(server, QStringLiteral("admin POSTGRESQL"));
        db.setDatabaseName(PgDatabase);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QVERIFY2(Fill(db, QStringLiteral("POSTGRESQL"), &error), qPrintable(error));
    }

    const auto my = TestSupport::MariaDbEnv();
    QVERIFY2(!my.isEmpty(), "the MariaDB test server is not running");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("admin MARIADB"));
        db.setHostName(my.value(QStringLiteral("MYHOST")));
        db.setPort(my.value(QStringLiteral("MYPORT")).toInt());
        db.setUserName(my.value(QStringLiteral("MYUSER")));
        db.setPassword(my.value(QStringLiteral("MYPASSWORD")));
        db.setDatabaseName(MyDatabase);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        // The test's own statements quote with double quotes, as on the other engines.
        const QString ansiQuotes = QStringLiteral("SET SESSION sql_mode = CONCAT(@@SESSION.sql_mode, ',ANSI_QUOTES')");
        QStringList reset{ansiQuotes};
        for (const QString &t : db.tables())
            reset << QStringLiteral("DROP TABLE ") + quoted(t);
        QVERIFY2(RunStatements(db, reset, &error), qPrintable(error));
        QVERIFY2(Fill(db, QStringLiteral("MARIADB"), &error), qPrintable(error));
        // ODBCMARIADB reaches the same database.
        QSqlDatabase odbc = QSqlDatabase::cloneDatabase(db, QStringLiteral("admin ODBCMARIADB"));
        QVERIFY2(odbc.open(), qPrintable(odbc.lastError().text()));
        QVERIFY2(RunStatements(odbc, {ansiQuotes}, &error), qPrintable(error));
    }

    // Through ODBC: the test run's drivers, with data sources of this test's own databases
    // (the PostgreSQL and MariaDB databases above, a SQLite file of its own).
    const QString odbcSqlite = m_dir.filePath("hostile-odbc.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("admin ODBCSQLITE"));
        db.setDatabaseName(odbcSqlite);
        QVERIFY(db.open());
        QVERIFY2(Fill(db, QStringLiteral("ODBCSQLITE"), &error), qPrintable(error));
        QSqlDatabase pg = QSqlDatabase::cloneDatabase(Admin(QStringLiteral("POSTGRESQL")), QStringLiteral("admin ODBCPG"));
        QVERIFY2(pg.open(), qPrintable(pg.lastError().text()));
    }
    QVERIFY2(!qEnvironmentVariableIsEmpty("ODBCSYSINI"), "the ODBC data sources of the test run are not set up");
    TestSupport::UseOdbcIni(m_dir.filePath("odbc.ini"),
                            TestSupport::PgOdbcSourceSection(QStringLiteral("HOSTILE_PG"), PgDatabase)
                                + TestSupport::MariaDbOdbcSourceSection(QStringLiteral("HOSTILE_MARIADB"), MyDatabase)
                                + QStringLiteral("[HOSTILE_SQLITE]\nDriver=VDQ SQLite3\nDatabase=%1\nTimeout=5000\n").arg(odbcSqlite));

    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"),
                              QStringLiteral("[SQLITE]\nDriver=STANDARD\nPath=%1\n\n").arg(sqlite)
                                  + TestSupport::PgAliasSection(QStringLiteral("POSTGRESQL"), PgDatabase)
                                  + TestSupport::MariaDbAliasSection(QStringLiteral("MARIADB"), my.value(QStringLiteral("MYPASSWORD")), MyDatabase)
                                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCPG"), QStringLiteral("HOSTILE_PG"), std::nullopt)
                                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCMARIADB"), QStringLiteral("HOSTILE_MARIADB"), std::nullopt)
                                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCSQLITE"), QStringLiteral("HOSTILE_SQLITE"), std::nullopt));
}

void TestHostileNames::cleanupTestCase()
{
    Sessions().CloseAll();
    for (const QString &engine : Engines) {
        if (QSqlDatabase::contains(QStringLiteral("admin ") + engine))
            Admin(engine).close();
    }
    if (QSqlDatabase::contains(QStringLiteral("server"))) {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("server")));
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + PgDatabase);
    }
}

void TestHostileNames::throughTheDesigner_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("name");
    for (const QString &engine : Engines) {
        for (const auto &[row, name] : HostileNames())
            QTest::newRow(qPrintable(engine + u' ' + QLatin1String(row))) << engine << name;
    }
}

void TestHostileNames::throughTheDesigner()
{
    QFETCH(QString, engine);
    QFETCH(QString, name);
    const QString table = Kept(engine, name);
    const QString field = Kept(engine, FieldOf(name));
    const QStringList tablesBefore = AdminTables(engine);
    QVERIFY(tablesBefore.contains(table));
    QCOMPARE(Count(engine, QStringLiteral("canary")), 3);

    // Listing.
    std::unique_ptr<TQGQueryForm> form = OpenForm(engine);
    bool listed = false;
    for (int i = 0; i < form->ListView1()->RowCount(); ++i)
        listed = listed || form->ListView1()->Caption(i) == table;
    QVERIFY(listed);

    // Placing: the fields are read as the table has them.
    TQGCheckListBox *window = form->Canvas()->CreateTableWindow(table, QRect(10, 10, 121, 180), true);
    QVERIFY(window);
    QCOMPARE(window->Fields(), (QStringList{QStringLiteral("No"), field}));

    // Generating and executing: a SELECT of both fields, then an UPDATE of one row.
    QSqlDatabase db = Sessions().DefaultSession()->FindOpenDatabase(engine)->Connection();
    const IdentifierStyle style = form->Style();
    form->DefineQueryType(0);
    QString statement = form->Memo1()->toPlainText();
    QSqlQuery q(db);
    QVERIFY2(q.exec(statement), qPrintable(statement.left(300) + u'\n' + q.lastError().text()));
    int rows = 0;
    while (q.next())
        ++rows;
    QCOMPARE(rows, 2);
    q.finish();

    form->Lists()->AddRow(form->ListView5(), {field, QStringLiteral("99")});
    form->AddConditionRow(FieldReference(table, QStringLiteral("No"), style), "= (Equals)", QStringLiteral("1"));
    form->DefineQueryType(2);
    statement = form->Memo1()->toPlainText();
    QVERIFY2(q.exec(statement), qPrintable(statement.left(300) + u'\n' + q.lastError().text()));
    q.finish();
    QCOMPARE(Count(engine, table, QStringLiteral("WHERE %1 = 99").arg(quoted(field))), 1);
    QVERIFY(RunStatements(Admin(engine), {QStringLiteral("UPDATE %1 SET %2 = 10 WHERE \"No\" = 1").arg(quoted(table), quoted(field))},
                &statement));

    // Saved and opened again: the fields are read once more (for a name the file can hold).
    if (table.size() <= TProfileFile::MaxValueLength) {
        const QString file = m_dir.filePath(QStringLiteral("hostile.vdq"));
        form->SaveQueryDefinition(file);
        std::unique_ptr<TQGQueryForm> reopened = OpenForm(engine);
        reopened->LoadQueryDefinition(file);
        QCOMPARE(reopened->TableCount(), 1);
        QCOMPARE(reopened->Canvas()->CreateTableWindow(table, QRect(200, 10, 121, 180), true)->Fields(),
                 (QStringList{QStringLiteral("No"), field}));
    }

    // Nothing else changed.
    QCOMPARE(Count(engine, QStringLiteral("canary")), 3);
    QCOMPARE(Count(engine, table), 2);
    QCOMPARE(Count(engine, table, QStringLiteral("WHERE %1 IN (10, 20)").arg(quoted(field))), 2);
    QCOMPARE(AdminTables(engine), tablesBefore);
}

QTEST_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
