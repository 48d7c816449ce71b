// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"
#include "testsupport.h"
#include "tqglogindialog.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

// Connections to the servers and data sources of the test run: the login dialog on every
// driver, a connection dropped by the server, a SQLite file replaced while open, exact
// decimals.
class TestEngineConnections : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void loginDialog_data();
    void loginDialog();
    void droppedConnectionReopens_data();
    void droppedConnectionReopens();
    void failedReopenGivesEngineMessage();
    void emptyDatabaseListsNoTables_data();
    void emptyDatabaseListsNoTables();
    void sqliteFileReplacedWhileOpen();
    void decimalsExact_data();
    void decimalsExact();
    void mysqlStreamAsDriver_data();
    void mysqlStreamAsDriver();

private:
    QSqlDatabase admin(const QString &alias);
    QTemporaryDir m_dir;
    QString m_aliasText;
    QString m_sqlite;
};

namespace {

const char *const kMyAdmin = "vdq-test-mariadb-admin";
const char *const kPgAdmin = "vdq-test-pg-admin";

QStringList tables(const QString &alias)
{
    QStringList names;
    Sessions().DefaultSession()->ListTableNames(alias, QString(), true, false, names);
    return names;
}

QVariant scalar(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return q.value(0);
}

} // namespace

void TestEngineConnections::initTestCase()
{
    // The component hands the layer its login dialog; so does this program.
    TDatabase::SetLoginPrompt(&TQGLoginDialog::Ask);
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL test server is not running");
    const auto my = TestSupport::MariaDbEnv();
    QVERIFY2(!my.isEmpty(), "the MariaDB test server is not running");
    const auto odbc = TestSupport::OdbcEnv();
    QVERIFY2(!odbc.isEmpty(), "the ODBC test data sources are not set up");
    QString error;
    m_sqlite = m_dir.filePath(QStringLiteral("shop.sqlite"));
    QVERIFY2(TestSupport::MakeSampleSqlite(m_sqlite, &error), qPrintable(error));
    m_aliasText = QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=%1\n\n").arg(m_sqlite)
                  + TestSupport::PgAliasSection(QStringLiteral("WAREHOUSE"))
                  + TestSupport::PgAliasSection(QStringLiteral("PGEMPTY"), TestSupport::PgEnv().value("PGEMPTY"))
                  + TestSupport::MariaDbAliasSection(QStringLiteral("MARIADB"), my.value("MYPASSWORD"))
                  + TestSupport::MariaDbAliasSection(QStringLiteral("MYEMPTY"), my.value("MYPASSWORD"), my.value("MYEMPTY"))
                  + TestSupport::MariaDbAliasSection(QStringLiteral("MYASK"), std::nullopt)
                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCPG"), odbc.value("ODBCPGDSN"))
                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCASK"), odbc.value("ODBCPGPASSDSN"))
                  + TestSupport::OdbcAliasSection(QStringLiteral("ODBCSQLITE"), odbc.value("ODBCSQLITEDSN"))
                  + QStringLiteral("[MYGONE]\nDriver=MYSQL\nHost=%1\nPort=%2\nDatabase=shop\nUser=gone\nPassword=first\n\n")
                        .arg(my.value("MYHOST"), my.value("MYPORT"));

    QSqlDatabase my_admin = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QLatin1String(kMyAdmin));
    my_admin.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(my.value("MYSOCKET")));
    my_admin.setUserName(QStringLiteral("root"));
    QVERIFY2(my_admin.open(), qPrintable(my_admin.lastError().text()));
    const auto pg = TestSupport::PgEnv();
    QSqlDatabase pg_admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QLatin1String(kPgAdmin));
    pg_admin.setHostName(pg.value("PGHOST"));
    pg_admin.setPort(pg.value("PGPORT").toInt());
    pg_admin.setUserName(pg.value("PGUSER"));
    pg_admin.setDatabaseName(pg.value("PGDATABASE"));
    QVERIFY2(pg_admin.open(), qPrintable(pg_admin.lastError().text()));
}

void TestEngineConnections::init()
{
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")), m_aliasText);
}

void TestEngineConnections::cleanupTestCase()
{
    Sessions().CloseAll();
    for (const char *name : {kMyAdmin, kPgAdmin}) {
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(name), false);
            if (QLatin1String(name) == QLatin1String(kMyAdmin))
                QSqlQuery(db).exec(QStringLiteral("DROP USER IF EXISTS 'gone'@'%'"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(name));
    }
}

QSqlDatabase TestEngineConnections::admin(const QString &alias)
{
    return QSqlDatabase::database(QLatin1String(alias == QLatin1String("MARIADB") ? kMyAdmin : kPgAdmin), false);
}

// The server asks for a password the alias does not give: the "Database Login" dialog,
// whatever the driver says about it.
void TestEngineConnections::loginDialog_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("password");
    QTest::newRow("MariaDB") << "MYASK" << TestSupport::MariaDbEnv().value("MYPASSWORD");
    QTest::newRow("ODBC to PostgreSQL") << "ODBCASK" << TestSupport::OdbcEnv().value("ODBCPGPASSWORD");
}

void TestEngineConnections::loginDialog()
{
    QFETCH(QString, alias);
    QFETCH(QString, password);
    auto answered = TestSupport::AnswerModal(QStringLiteral("DatabaseLogin"), [=](QWidget *dialog) {
        auto *passwordEdit = dialog->findChild<QLineEdit *>(QStringLiteral("Password"));
        auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("ButtonBox"));
        if (!passwordEdit || !box) {
            dialog->close();
            return;
        }
        QTest::keyClicks(passwordEdit, password);
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    const QStringList names = tables(alias);
    QCOMPARE(*answered, 1);
    QVERIFY2(names.contains(QStringLiteral("clients")), qPrintable(names.join(u',')));
}

// The server ends the connection (as a restart does): the next operation notices it and
// connects again, without a word to the user.
void TestEngineConnections::droppedConnectionReopens_data()
{
    QTest::addColumn<QString>("alias");
    QTest::newRow("MariaDB") << "MARIADB";
    QTest::newRow("PostgreSQL") << "WAREHOUSE";
    QTest::newRow("ODBC to PostgreSQL") << "ODBCPG";
}

void TestEngineConnections::droppedConnectionReopens()
{
    QFETCH(QString, alias);
    const QStringList before = tables(alias);
    QVERIFY(before.contains(QStringLiteral("sales")));
    TDatabase *db = Sessions().DefaultSession()->FindOpenDatabase(alias);
    QVERIFY(db);
    const bool mariadb = alias == QLatin1String("MARIADB");
    const QVariant id = scalar(db->Connection(), mariadb ? QStringLiteral("SELECT CONNECTION_ID()")
                                                         : QStringLiteral("SELECT pg_backend_pid()"));
    QVERIFY(id.isValid());
    QSqlQuery kill(admin(alias));
    QVERIFY2(kill.exec(mariadb ? QStringLiteral("KILL %1").arg(id.toLongLong())
                               : QStringLiteral("SELECT pg_terminate_backend(%1)").arg(id.toLongLong())),
             qPrintable(kill.lastError().text()));
    QTest::qWait(200);  // the server closes the socket after answering
    QCOMPARE(tables(alias), before);
    const QVariant newId = scalar(db->Connection(), mariadb ? QStringLiteral("SELECT CONNECTION_ID()")
                                                            : QStringLiteral("SELECT pg_backend_pid()"));
    QVERIFY(newId.isValid());
    QVERIFY(newId != id);
    // A query on the new connection runs.
    TQuery query;
    query.SetSessionName(QStringLiteral("Default"));
    query.SetDatabaseName(alias);
    query.SetSQL({QStringLiteral("SELECT COUNT(*) FROM clients")});
    query.Open();
    const QString clients = mariadb ? QStringLiteral("shop.clients") : QStringLiteral("clients");
    QCOMPARE(query.Value(0, 0).toLongLong(), scalar(admin(alias), "SELECT COUNT(*) FROM " + clients).toLongLong());
}

// When connecting again fails, the user reads the engine's reason, and the table list is
// an error rather than an empty list.
void TestEngineConnections::failedReopenGivesEngineMessage()
{
    QSqlQuery a(admin(QStringLiteral("MARIADB")));
    QVERIFY(a.exec(QStringLiteral("DROP USER IF EXISTS 'gone'@'%'")));
    QVERIFY2(a.exec(QStringLiteral("CREATE USER 'gone'@'%' IDENTIFIED BY 'first'")), qPrintable(a.lastError().text()));
    QVERIFY(a.exec(QStringLiteral("GRANT SELECT ON shop.* TO 'gone'@'%'")));
    QVERIFY(tables(QStringLiteral("MYGONE")).contains(QStringLiteral("sales")));
    const QVariant id = scalar(Sessions().DefaultSession()->FindOpenDatabase("MYGONE")->Connection(),
                               QStringLiteral("SELECT CONNECTION_ID()"));
    QVERIFY(a.exec(QStringLiteral("ALTER USER 'gone'@'%' IDENTIFIED BY 'second'")));
    QVERIFY(a.exec(QStringLiteral("KILL %1").arg(id.toLongLong())));
    QTest::qWait(200);
    try {
        const QStringList names = tables(QStringLiteral("MYGONE"));
        QFAIL(qPrintable(QStringLiteral("listed %1 tables on a connection that cannot be made").arg(names.size())));
    } catch (const VdqError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot connect to database MYGONE: ")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("Access denied")), qPrintable(e.message()));
    }
}

// A database without tables lists none of its own, and that is no error (MariaDB lists the
// tables of the user's other databases, each with its database in front).
void TestEngineConnections::emptyDatabaseListsNoTables_data()
{
    QTest::addColumn<QString>("alias");
    QTest::newRow("MariaDB") << "MYEMPTY";
    QTest::newRow("PostgreSQL") << "PGEMPTY";
}

void TestEngineConnections::emptyDatabaseListsNoTables()
{
    QFETCH(QString, alias);
    const QStringList own = tables(alias).filter(QRegularExpression(QStringLiteral("^[^.]*$")));
    QCOMPARE(own, QStringList());
}

// The file is deleted and put back while open: SQLite would go on writing to the deleted
// file and call it read-only; the connection is opened again on the file now there.
void TestEngineConnections::sqliteFileReplacedWhileOpen()
{
    QVERIFY(tables(QStringLiteral("SHOP")).contains(QStringLiteral("clients")));
    const QString copy = m_sqlite + QStringLiteral(".copy");
    QFile::remove(copy);
    QVERIFY(QFile::copy(m_sqlite, copy));
    QVERIFY(QFile::remove(m_sqlite));
    QVERIFY(QFile::rename(copy, m_sqlite));
    TQuery query;
    query.SetSessionName(QStringLiteral("Default"));
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL({QStringLiteral("UPDATE clients SET \"Town\" = 'Replaced' WHERE \"ClientNo\" = 1001")});
    query.ExecSql();
    QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vdq-test-check"));
    check.setDatabaseName(m_sqlite);
    QVERIFY(check.open());
    QCOMPARE(scalar(check, QStringLiteral("SELECT \"Town\" FROM clients WHERE \"ClientNo\" = 1001")).toString(),
             QStringLiteral("Replaced"));
    check.close();
    check = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("vdq-test-check"));
}

// DECIMAL and NUMERIC come back as the engine writes them, not through a double.
void TestEngineConnections::decimalsExact_data()
{
    QTest::addColumn<QString>("alias");
    QTest::newRow("MariaDB") << "MARIADB";
    QTest::newRow("PostgreSQL") << "WAREHOUSE";
    QTest::newRow("ODBC to PostgreSQL") << "ODBCPG";
}

void TestEngineConnections::decimalsExact()
{
    QFETCH(QString, alias);
    TQuery query;
    query.SetSessionName(QStringLiteral("Default"));
    query.SetDatabaseName(alias);
    query.SetSQL({QStringLiteral("SELECT CAST(12345678901234567.1234 AS DECIMAL(22,4)), CAST(9.50 AS DECIMAL(5,2))")});
    query.Open();
    QCOMPARE(query.DisplayText(0, 0), QStringLiteral("12345678901234567.1234"));
    QCOMPARE(query.DisplayText(0, 1), QStringLiteral("9.50"));
}

void TestEngineConnections::mysqlStreamAsDriver_data()
{
    QTest::addColumn<QString>("column");
    for (const char *column :
         {"CAST(-5 AS SIGNED)", "CAST(18446744073709551615 AS UNSIGNED)", "CAST(-7 AS INT)", "1.5e0", "Price",
          "DATE '2024-02-29'", "TIME '13:45:06'", "TIMESTAMP '2024-02-29 13:45:06.250'", "NOW() - NOW()",
          "CONCAT('Zo', CHAR(235 USING latin1), '\\nline')", "CAST('ab' AS BINARY)", "Picture", "Description",
          "NULL", "CAST(NULL AS DATE)", "b'101'", "JSON_ARRAY(1, 'a')", "_latin1 'x' COLLATE latin1_bin"})
        QTest::newRow(column) << QString::fromLatin1(column);
}

// MySQL rows are read as the server sends them, not through Qt's driver; every kind of value
// comes out of the result as the driver gives it, and the fields are told as for the driver.
void TestEngineConnections::mysqlStreamAsDriver()
{
    QFETCH(QString, column);
    const QString sql = QStringLiteral("SELECT %1 AS v, ProductNo FROM products WHERE ProductNo = 1").arg(column);
    TQuery query;
    query.SetSessionName(QStringLiteral("Default"));
    query.SetDatabaseName(QStringLiteral("MARIADB"));
    query.SetSQL({sql});
    query.Open();
    QSqlDatabase driver = QSqlDatabase::cloneDatabase(query.Database()->Connection(), QStringLiteral("vdq-driver"));
    QVERIFY(driver.open());
    {
        QSqlQuery q(driver);
        QVERIFY2(q.exec(sql) && q.next(), qPrintable(q.lastError().text()));
        QCOMPARE(query.FieldCount(), 2);
        QCOMPARE(query.Field(0).name, q.record().fieldName(0));
        QCOMPARE(query.Value(0, 0).isNull(), q.value(0).isNull());
        QCOMPARE(query.Value(0, 0).toString(), q.value(0).toString());
        QCOMPARE(query.Value(0, 1).toLongLong(), 1);
    }
    driver.close();
    driver = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("vdq-driver"));
}

QTEST_MAIN(TestEngineConnections)
#include "tst_engineconnections.moc"
