// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// The embedded engine (driver STANDARD) on the sample database SHOP.
class TestSqliteDatabase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void tableNames();
    void tableNamesLeaveConnectionOpen();
    void systemTablesLeftOut();
    void tableNamePattern();
    void tableFields_data();
    void tableFields();
    void tableFieldsOfMissingTable();
    void tableFieldsThroughSessionName();
    void missingFileNotCreated();
    void fileThatIsNoDatabase();
    void aliasWithoutPath();
    void unknownDriver();
    void closeAndReopen();

private:
    QTemporaryDir m_dir;
    QString m_shop;
    QString m_aliasFile;
};

void TestSqliteDatabase::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_shop = m_dir.filePath(QStringLiteral("shop.sqlite"));
    m_aliasFile = m_dir.filePath(QStringLiteral("aliases.ini"));
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_shop, &error), qPrintable(error));
    // A copy with an AUTOINCREMENT table, which makes SQLite add its sqlite_sequence table.
    QVERIFY(QFile::copy(m_shop, m_dir.filePath(QStringLiteral("extra.sqlite"))));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(m_dir.filePath(QStringLiteral("extra.sqlite")));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY AUTOINCREMENT, body TEXT)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO notes (body) VALUES ('x')")));
        QVERIFY(q.exec(QStringLiteral("CREATE VIEW town_clients AS SELECT \"Firm\", \"Town\" FROM clients")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    QFile junk(m_dir.filePath(QStringLiteral("junk.sqlite")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("This is a text file, not a database.\n").repeated(200));
    junk.close();
}

void TestSqliteDatabase::init()
{
    TestSupport::UseAliasFile(m_aliasFile,
                              QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n"
                                             "[EXTRA]\nDriver=STANDARD\nPath=extra.sqlite\n"
                                             "[GONE]\nDriver=STANDARD\nPath=gone/never.sqlite\n"
                                             "[MISSING]\nDriver=STANDARD\nPath=missing.sqlite\n"
                                             "[JUNK]\nDriver=STANDARD\nPath=junk.sqlite\n"
                                             "[NOPATH]\nDriver=STANDARD\n"
                                             "[ODD]\nDriver=PARADOX\nPath=shop.sqlite\n"));
}

void TestSqliteDatabase::tableNames()
{
    QStringList list{QStringLiteral("stale")};
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("SHOP"), QString(), true, false, list);
    QCOMPARE(list, (QStringList{"2003sales", "clients", "ledger", "order items", "products", "sales"}));
}

void TestSqliteDatabase::tableNamesLeaveConnectionOpen()
{
    TSession *s = Sessions().DefaultSession();
    QCOMPARE(s->FindOpenDatabase(QStringLiteral("SHOP")), nullptr);
    QStringList list;
    s->ListTableNames(QStringLiteral("shop"), QString(), true, false, list);
    TDatabase *db = s->FindOpenDatabase(QStringLiteral("Shop"));
    QVERIFY(db);
    QVERIFY(db->IsOpen());
    QVERIFY(!db->IsSqlBased());
    QCOMPARE(db->Dialect(), SqlDialect::SQLite);
    QCOMPARE(db->DriverName(), QStringLiteral("STANDARD"));
    QCOMPARE(db->DatabaseName(), QStringLiteral("SHOP"));
}

void TestSqliteDatabase::systemTablesLeftOut()
{
    QStringList list;
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("EXTRA"), QString(), true, false, list);
    QCOMPARE(list, (QStringList{"2003sales", "clients", "ledger", "notes", "order items", "products",
                                "sales", "town_clients"}));
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("EXTRA"), QString(), true, true, list);
    QVERIFY(list.contains(QStringLiteral("sqlite_sequence")));
    QVERIFY(list.contains(QStringLiteral("sqlite_master")));
}

void TestSqliteDatabase::tableNamePattern()
{
    QStringList list;
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("SHOP"), QStringLiteral("*S"), true, false, list);
    QCOMPARE(list, (QStringList{"2003sales", "clients", "order items", "products", "sales"}));
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("SHOP"), QStringLiteral("?ales"), true, false, list);
    QCOMPARE(list, QStringList{"sales"});
}

void TestSqliteDatabase::tableFields_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("clients") << "clients"
                             << QStringList{"ClientNo", "Firm", "Contact", "Street", "Town", "Zip",
                                            "Country", "Phone", "Notes"};
    QTest::newRow("products") << "products"
                              << QStringList{"ProductNo", "Name", "Category", "Price", "InStock",
                                             "Picture", "Description"};
    QTest::newRow("sales") << "sales" << QStringList{"SaleNo", "ClientNo", "SaleDay", "PaidBy", "Total"};
    QTest::newRow("name with a space") << "order items"
                                       << QStringList{"SaleNo", "ItemNo", "ProductNo", "Qty", "Price"};
    QTest::newRow("name with a leading digit") << "2003sales"
                                               << QStringList{"Cust No", "Firm", "Quarter", "Amount"};
    QTest::newRow("any case") << "CLIENTS"
                              << QStringList{"ClientNo", "Firm", "Contact", "Street", "Town", "Zip",
                                             "Country", "Phone", "Notes"};
}

void TestSqliteDatabase::tableFields()
{
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QCOMPARE(Sessions().DefaultSession()->ListTableFields(QStringLiteral("SHOP"), table), fields);
}

void TestSqliteDatabase::tableFieldsOfMissingTable()
{
    try {
        Sessions().DefaultSession()->ListTableFields(QStringLiteral("SHOP"), QStringLiteral("nothing"));
        QFAIL("fields of a table that does not exist");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("no such table")), qPrintable(e.message()));
    }
}

void TestSqliteDatabase::tableFieldsThroughSessionName()
{
    QCOMPARE(ListTableFields(QString(), QStringLiteral("SHOP"), QStringLiteral("sales")),
             (QStringList{"SaleNo", "ClientNo", "SaleDay", "PaidBy", "Total"}));
    QCOMPARE(ListTableFields(QStringLiteral("Default"), QStringLiteral("SHOP"), QStringLiteral("2003sales")).first(),
             QStringLiteral("Cust No"));
    try {
        ListTableFields(QStringLiteral("Nobody"), QStringLiteral("SHOP"), QStringLiteral("sales"));
        QFAIL("fields through a session that does not exist");
    } catch (const VdqError &e) {
        QCOMPARE(e.message(), QStringLiteral("Invalid session name Nobody"));
    }
}

void TestSqliteDatabase::missingFileNotCreated()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.sqlite"));
    for (const QString &alias : {QStringLiteral("MISSING"), QStringLiteral("GONE")}) {
        try {
            QStringList list;
            Sessions().DefaultSession()->ListTableNames(alias, QString(), true, false, list);
            QFAIL("a missing database file opened");
        } catch (const VdqError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("does not exist")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(alias), qPrintable(e.message()));
        }
        QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(alias), nullptr);
    }
    QVERIFY(!QFile::exists(missing));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("gone"))));
}

void TestSqliteDatabase::fileThatIsNoDatabase()
{
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("JUNK"));
        QFAIL("a text file opened as a database");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("not a database")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("JUNK")), qPrintable(e.message()));
    }
    QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(QStringLiteral("JUNK")), nullptr);
}

void TestSqliteDatabase::aliasWithoutPath()
{
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("NOPATH"));
        QFAIL("an alias without a path opened");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("Path")), qPrintable(e.message()));
    }
}

void TestSqliteDatabase::unknownDriver()
{
    QCOMPARE(Sessions().DefaultSession()->GetAliasDriverName(QStringLiteral("ODD")), QStringLiteral("PARADOX"));
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ODD"));
        QFAIL("an alias of an unknown driver opened");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("PARADOX")), qPrintable(e.message()));
    }
}

void TestSqliteDatabase::closeAndReopen()
{
    TSession *s = Sessions().DefaultSession();
    TDatabase *db = s->OpenDatabase(QStringLiteral("SHOP"));
    const QString connection = db->ConnectionName();
    db->Close();
    QVERIFY(!db->IsOpen());
    QCOMPARE(s->FindOpenDatabase(QStringLiteral("SHOP")), nullptr);
    QCOMPARE(s->OpenDatabase(QStringLiteral("SHOP")), db);
    QVERIFY(db->IsOpen());
    s->CloseDatabases();
    QVERIFY(!QSqlDatabase::connectionNames().contains(connection));
}

QTEST_GUILESS_MAIN(TestSqliteDatabase)
#include "tst_sqlitedatabase.moc"
