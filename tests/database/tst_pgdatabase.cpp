// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QTemporaryDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// The database layer on the PostgreSQL server of the test run, sample database loaded.
class TestPgDatabase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void tableNames();
    void openConnection();
    void emptyDatabase();
    void materializedViewsListed();
    void tableFields_data();
    void tableFields();
    void tableFieldsOfMissingTable();
    void passwordFromAlias();
    void wrongPassword();
    void missingDatabase();
    void sessionsKeepTheirOwnConnections();

private:
    QTemporaryDir m_dir;
};

void TestPgDatabase::initTestCase()
{
    const auto env = TestSupport::PgEnv();
    QVERIFY2(!env.isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(m_dir.isValid());
    const QString password = env.value(QStringLiteral("PGPASSWORD"));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              TestSupport::PgAliasSection(QStringLiteral("PGSHOP"))
                                  + TestSupport::PgAliasSection(QStringLiteral("PGEMPTY"), env.value(QStringLiteral("PGEMPTY")))
                                  + TestSupport::PgAliasSection(QStringLiteral("PGNONE"), QStringLiteral("vdq_no_such_db"))
                                  + TestSupport::PgPasswordAliasSection(QStringLiteral("ALICE"), password)
                                  + TestSupport::PgPasswordAliasSection(QStringLiteral("BADPASS"), QStringLiteral("not-the-password")));
}

void TestPgDatabase::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestPgDatabase::tableNames()
{
    QStringList list{QStringLiteral("stale")};
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("PGSHOP"), QString(), true, false, list);
    QCOMPARE(list, (QStringList{"2003sales", "clients", "ledger", "order items", "products", "sales"}));
}

void TestPgDatabase::openConnection()
{
    TSession *s = Sessions().DefaultSession();
    QStringList list;
    s->ListTableNames(QStringLiteral("pgshop"), QString(), true, false, list);
    TDatabase *db = s->FindOpenDatabase(QStringLiteral("PgShop"));
    QVERIFY(db);
    QVERIFY(db->IsOpen());
    QVERIFY(db->IsSqlBased());
    QCOMPARE(db->Dialect(), SqlDialect::PostgreSQL);
    QCOMPARE(s->GetAliasDriverName(QStringLiteral("PGSHOP")), QStringLiteral("POSTGRESQL"));
}

void TestPgDatabase::emptyDatabase()
{
    QStringList list{QStringLiteral("stale")};
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("PGEMPTY"), QString(), true, false, list);
    QVERIFY(list.isEmpty());
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("PGEMPTY"), QString(), true, true, list);
    QVERIFY(list.contains(QStringLiteral("pg_catalog.pg_class")) || list.contains(QStringLiteral("pg_class")));
}

void TestPgDatabase::materializedViewsListed()
{
    TSession *s = Sessions().DefaultSession();
    QStringList list;
    s->ListTableNames(QStringLiteral("PGEMPTY"), QString(), true, false, list);
    QSqlQuery q(s->FindOpenDatabase(QStringLiteral("PGEMPTY"))->Connection());
    for (const char *sql : {"CREATE MATERIALIZED VIEW towns AS SELECT 1 AS id, 'Leeds'::text AS town",
                            "CREATE SCHEMA stats", "CREATE MATERIALIZED VIEW stats.totals AS SELECT 2 AS n"})
        QVERIFY2(q.exec(QLatin1String(sql)), qPrintable(q.lastError().text()));
    s->ListTableNames(QStringLiteral("PGEMPTY"), QString(), true, false, list);
    const QStringList fields = s->ListTableFields(QStringLiteral("PGEMPTY"), QStringLiteral("stats.totals"));
    q.exec(QStringLiteral("DROP SCHEMA stats CASCADE"));
    q.exec(QStringLiteral("DROP MATERIALIZED VIEW towns"));
    QCOMPARE(list, QStringList({"stats.totals", "towns"}));
    QCOMPARE(fields, QStringList({"n"}));
}

void TestPgDatabase::tableFields_data()
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
    QTest::newRow("ledger") << "ledger" << QStringList{"EntryNo", "EntryDay", "ClientNo", "Amount", "Text"};
}

void TestPgDatabase::tableFields()
{
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QCOMPARE(Sessions().DefaultSession()->ListTableFields(QStringLiteral("PGSHOP"), table), fields);
    QCOMPARE(ListTableFields(QString(), QStringLiteral("ALICE"), table), fields);
}

void TestPgDatabase::tableFieldsOfMissingTable()
{
    try {
        Sessions().DefaultSession()->ListTableFields(QStringLiteral("PGSHOP"), QStringLiteral("customers"));
        QFAIL("fields of a table that does not exist");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("relation \"customers\" does not exist")), qPrintable(e.message()));
    }
}

void TestPgDatabase::passwordFromAlias()
{
    TDatabase *db = Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICE"));
    QVERIFY(db->IsOpen());
    QCOMPARE(db->Connection().userName(), TestSupport::PgEnv().value(QStringLiteral("PGPASSUSER")));
}

void TestPgDatabase::wrongPassword()
{
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("BADPASS"));
        QFAIL("connected with a wrong password");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot connect to database BADPASS: ")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("password authentication failed for user \"alice\"")),
                 qPrintable(e.message()));
        QVERIFY2(!e.message().contains(QStringLiteral("not-the-password")), qPrintable(e.message()));
    }
    QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(QStringLiteral("BADPASS")), nullptr);
}

void TestPgDatabase::missingDatabase()
{
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("PGNONE"));
        QFAIL("connected to a database that does not exist");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("database \"vdq_no_such_db\" does not exist")), qPrintable(e.message()));
    }
}

void TestPgDatabase::sessionsKeepTheirOwnConnections()
{
    TDatabase *a = Sessions().DefaultSession()->OpenDatabase(QStringLiteral("PGSHOP"));
    TDatabase *b = Sessions().CreateSession(QStringLiteral("Reports"))->OpenDatabase(QStringLiteral("PGSHOP"));
    QVERIFY(a != b);
    QVERIFY(a->ConnectionName() != b->ConnectionName());
    Sessions().DefaultSession()->CloseDatabase(QStringLiteral("PGSHOP"));
    QVERIFY(b->IsOpen());
    QCOMPARE(b->TableFields(QStringLiteral("sales")).size(), 5);
}

QTEST_GUILESS_MAIN(TestPgDatabase)
#include "tst_pgdatabase.moc"
