// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "sqldesignparser.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgsqleditor.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace DesignFixture;

// Tables of the same name in two schemas (PostgreSQL, natively and through ODBC) or two
// databases (MariaDB), a table whose own name holds a dot in both, and one that only
// another schema or database has: each is listed under a name of its own, placed, and its
// statement returns the rows of that table, also once the design is saved and opened
// again and read back from the statement.
class TestTableNames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void listedTablesRun_data();
    void listedTablesRun();

private:
    QTemporaryDir m_dir;
};

namespace {

using TestSupport::RunStatements;
const QString PgDatabase = QStringLiteral("vdq_table_names");
const QString MyHome = QStringLiteral("vdq_names"), MyOther = QStringLiteral("vdq_names_other");

// The tables of the schemas or databases home and other, names quoted with quote: clients
// (n = 1) and (2), "a.b" (3) and (4), and orders (5) in other only.
QStringList Tables(const QString &home, const QString &other, QChar quote)
{
    const QString dotted = QuotedName(QStringLiteral("a.b"), quote);
    const QStringList names = {home + QStringLiteral(".clients"), other + QStringLiteral(".clients"), home + u'.' + dotted,
                               other + u'.' + dotted, other + QStringLiteral(".orders")};
    QStringList statements;
    for (int i = 0; i < names.size(); ++i)
        statements << QStringLiteral("CREATE TABLE %1 AS SELECT %2 AS n").arg(names.at(i)).arg(i + 1);
    return statements;
}

// The suite's MariaDB user may read the other database only.
QStringList MyGrants(const QString &verb, const QString &to)
{
    const QString user = QStringLiteral(" '%1'@'%'").arg(TestSupport::MariaDbEnv().value(QStringLiteral("MYUSER")));
    return {verb + " ALL ON " + MyHome + ".* " + to + user, verb + " SELECT ON " + MyOther + ".* " + to + user};
}

} // namespace

void TestTableNames::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QString error;
    QSqlDatabase server = TestSupport::OpenPgConnection(QStringLiteral("pg server"));
    QVERIFY2(RunStatements(server, {"DROP DATABASE IF EXISTS " + PgDatabase, "CREATE DATABASE " + PgDatabase}, &error), qPrintable(error));
    QVERIFY2(RunStatements(TestSupport::OpenPgConnection(QStringLiteral("pg names"), PgDatabase),
                           QStringList{"CREATE SCHEMA sales"} + Tables("public", "sales", u'"'), &error),
             qPrintable(error));
    // MariaDB's root, on the server's socket, makes the databases.
    const auto my = TestSupport::MariaDbEnv();
    QSqlDatabase root = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("mariadb root"));
    root.setUserName(QStringLiteral("root"));
    root.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + my.value(QStringLiteral("MYSOCKET")));
    QVERIFY2(root.open(), qPrintable(root.lastError().text()));
    QVERIFY2(RunStatements(root, QStringList{"DROP DATABASE IF EXISTS " + MyHome, "DROP DATABASE IF EXISTS " + MyOther,
                                             "CREATE DATABASE " + MyHome, "CREATE DATABASE " + MyOther}
                                     + Tables(MyHome, MyOther, u'`') + MyGrants("GRANT", "TO"),
                           &error),
             qPrintable(error));
    TestSupport::UseOdbcIni(m_dir.filePath("odbc.ini"), TestSupport::PgOdbcSourceSection(QStringLiteral("NAMES_PG"), PgDatabase));
    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"),
                              TestSupport::PgAliasSection(QStringLiteral("POSTGRESQL"), PgDatabase)
                                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCPG"), QStringLiteral("NAMES_PG"))
                                  + TestSupport::MariaDbAliasSection(QStringLiteral("MARIADB"), my.value(QStringLiteral("MYPASSWORD")), MyHome));
}

void TestTableNames::cleanupTestCase()
{
    Sessions().CloseAll();
    QString error;
    QVERIFY2(RunStatements(QSqlDatabase::database(QStringLiteral("pg server")),
                           {"DROP DATABASE IF EXISTS " + PgDatabase + " WITH (FORCE)"}, &error),
             qPrintable(error));
    QVERIFY2(RunStatements(QSqlDatabase::database(QStringLiteral("mariadb root")),
                           MyGrants("REVOKE", "FROM") + QStringList{"DROP DATABASE " + MyHome, "DROP DATABASE " + MyOther}, &error),
             qPrintable(error));
}

void TestTableNames::listedTablesRun_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("row");
    const QStringList pgNames = {"clients", "sales.clients", "\"a.b\"", "sales.\"a.b\"", "sales.orders"};
    const QStringList myNames = {"clients", MyOther + ".clients", "`a.b`", MyOther + ".`a.b`", MyOther + ".orders"};
    const char *const rows[] = {"home", "same name elsewhere", "dot in the name", "dot in the name elsewhere", "only elsewhere"};
    for (int i = 0; i < pgNames.size(); ++i) {
        for (const QString &alias : {QStringLiteral("POSTGRESQL"), QStringLiteral("ODBCPG"), QStringLiteral("MARIADB")}) {
            QTest::newRow(qPrintable(alias + u' ' + QLatin1String(rows[i])))
                << alias << (alias == QLatin1String("MARIADB") ? myNames : pgNames).at(i) << QString::number(i + 1);
        }
    }
}

void TestTableNames::listedTablesRun()
{
    QFETCH(QString, alias);
    QFETCH(QString, table);
    QFETCH(QString, row);
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    QStringList listed;
    for (int i = 0; i < form->ListView1()->RowCount(); ++i)
        listed << form->ListView1()->Caption(i);
    QVERIFY2(listed.contains(table), qPrintable(listed.join(QStringLiteral(", "))));

    TQGCheckListBox *window = form->Canvas()->CreateTableWindow(table, QRect(10, 10, 121, 180), true);
    QVERIFY(window);
    QCOMPARE(window->Fields(), QStringList{QStringLiteral("n")});
    form->DefineQueryType(0);
    const QString statement = form->Memo1()->toPlainText();
    TSession *session = Sessions().DefaultSession();
    QSqlQuery q(session->FindOpenDatabase(alias)->Connection());
    QVERIFY2(q.exec(statement), qPrintable(statement + u'\n' + q.lastError().text()));
    QCOMPARE(TestSupport::SortedIntegerRows(q), QStringList{row});
    q.finish();

    const QString file = m_dir.filePath(QStringLiteral("names.vdq"));
    form->SaveQueryDefinition(file);
    std::unique_ptr<TQGQueryForm> reopened = OpenForm(alias);
    reopened->LoadQueryDefinition(file);
    QCOMPARE(reopened->Memo1()->toPlainText(), statement);

    SqlDesignSource source;
    source.style = form->Style();
    source.tableNames = [&] { return listed; };
    source.tableFields = [&](const QString &t) { return session->ListTableFields(alias, t); };
    QCOMPARE(DesignFromSql(statement, source).tables.constFirst().name, table);
}

QTEST_MAIN(TestTableNames)
#include "tst_tablenames.moc"
