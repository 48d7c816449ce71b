// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

class TestSessions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void defaultSessionFirst();
    void findSession();
    void createSession();
    void aliasNamesInFileOrder();
    void driverNames_data();
    void driverNames();
    void invalidAliasName();
    void databaseNames_data();
    void databaseNames();
    void ownDatabasesStayInTheirSession();
    void ownDatabaseShadowsAlias();
    void malformedAliasFile();
    void aliasFileReloads();
    void connectionPerSessionAndDatabase();
    void openUnknownAlias();

private:
    QString m_aliasFile;
    QString m_shop;
    QTemporaryDir m_dir;
};

namespace {

const char *const kAliases =
    "[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n\n"
    "[Warehouse]\nDriver=postgresql\nHost=127.0.0.1\nPort=5432\nDatabase=warehouse\nUser=alice\n\n"
    "[books]\nDriver=Odbc\nDSN=books\n\n"
    "[Archive]\nDriver=MySQL\nHost=127.0.0.1\n";

QStringList listedDatabases(TSession *session)
{
    QStringList list{QStringLiteral("left over")};
    session->ListDatabaseNames(list);
    return list;
}

} // namespace

void TestSessions::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_aliasFile = m_dir.filePath(QStringLiteral("aliases.ini"));
    m_shop = m_dir.filePath(QStringLiteral("shop.sqlite"));
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_shop, &error), qPrintable(error));
}

void TestSessions::init()
{
    TestSupport::UseAliasFile(m_aliasFile, QString::fromLatin1(kAliases));
}

void TestSessions::defaultSessionFirst()
{
    QStringList names{QStringLiteral("stale")};
    Sessions().ListSessionNames(names);
    QVERIFY(!names.isEmpty());
    QCOMPARE(names.first(), QStringLiteral("Default"));
    QCOMPARE(Sessions().DefaultSession()->SessionName(), QStringLiteral("Default"));
}

void TestSessions::findSession()
{
    TSession *def = Sessions().DefaultSession();
    QCOMPARE(Sessions().FindSession(QString()), def);
    QCOMPARE(Sessions().FindSession(QStringLiteral("default")), def);
    QCOMPARE(Sessions().FindSession(QStringLiteral("DEFAULT")), def);
    QCOMPARE(Sessions().FindSession(QStringLiteral("No Such Session")), nullptr);
}

void TestSessions::createSession()
{
    TSession *a = Sessions().CreateSession(QStringLiteral("Reports"));
    TSession *b = Sessions().CreateSession(QStringLiteral("Audit"));
    QVERIFY(a && b && a != b);
    QCOMPARE(a->SessionName(), QStringLiteral("Reports"));
    QCOMPARE(Sessions().CreateSession(QStringLiteral("REPORTS")), a);
    QCOMPARE(Sessions().FindSession(QStringLiteral("reports")), a);
    QStringList names;
    Sessions().ListSessionNames(names);
    QCOMPARE(names.first(), QStringLiteral("Default"));
    QVERIFY(names.indexOf(QStringLiteral("Reports")) < names.indexOf(QStringLiteral("Audit")));
    QCOMPARE(names.count(QStringLiteral("Reports")), 1);
    QVERIFY_THROWS_EXCEPTION(VdqError, Sessions().CreateSession(QString()));
}

void TestSessions::aliasNamesInFileOrder()
{
    QStringList list{QStringLiteral("left over")};
    Sessions().DefaultSession()->ListAliasNames(list);
    QCOMPARE(list, (QStringList{"SHOP", "Warehouse", "books", "Archive"}));
}

void TestSessions::driverNames_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("driver");
    QTest::newRow("standard") << "SHOP" << "STANDARD";
    QTest::newRow("lower-case lookup") << "shop" << "STANDARD";
    QTest::newRow("postgresql upper-cased") << "Warehouse" << "POSTGRESQL";
    QTest::newRow("odbc upper-cased") << "BOOKS" << "ODBC";
    QTest::newRow("mysql upper-cased") << "archive" << "MYSQL";
}

void TestSessions::driverNames()
{
    QFETCH(QString, alias);
    QFETCH(QString, driver);
    QCOMPARE(Sessions().DefaultSession()->GetAliasDriverName(alias), driver);
}

void TestSessions::invalidAliasName()
{
    try {
        Sessions().DefaultSession()->GetAliasDriverName(QStringLiteral("NoSuchAlias"));
        QFAIL("no error for an alias that does not exist");
    } catch (const VdqError &e) {
        QCOMPARE(e.message(), QStringLiteral("Invalid alias name NoSuchAlias"));
    }
}

void TestSessions::databaseNames_data()
{
    QTest::addColumn<QStringList>("own");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("aliases only") << QStringList() << QStringList{"Archive", "books", "SHOP", "Warehouse"};
    QTest::newRow("own databases sorted in")
        << QStringList{"Zoo", "ledger2"} << QStringList{"Archive", "books", "ledger2", "SHOP", "Warehouse", "Zoo"};
    // An own database of an alias's name is listed once; adding a name again replaces it.
    QTest::newRow("duplicates once") << QStringList{"shop", "Extra", "EXTRA"}
                                     << QStringList{"Archive", "books", "EXTRA", "SHOP", "Warehouse"};
    QTest::newRow("paths and empty names left out")
        << QStringList{"C:\\data", "/srv:db", "", "sub\\dir", "Local"}
        << QStringList{"Archive", "books", "Local", "SHOP", "Warehouse"};
}

void TestSessions::databaseNames()
{
    QFETCH(QStringList, own);
    QFETCH(QStringList, expected);
    static int n = 0;
    TSession *session = Sessions().CreateSession(QStringLiteral("Names%1").arg(++n));
    for (const QString &name : own) {
        TAliasParams p;
        p.name = name;
        p.driver = QStringLiteral("STANDARD");
        p.path = m_shop;
        session->AddDatabase(p);
    }
    QCOMPARE(listedDatabases(session), expected);
}

void TestSessions::ownDatabasesStayInTheirSession()
{
    TSession *s = Sessions().CreateSession(QStringLiteral("Private"));
    TAliasParams p;
    p.name = QStringLiteral("MyShop");
    p.driver = QStringLiteral("standard");
    p.path = m_shop;
    s->AddDatabase(p);
    QVERIFY(listedDatabases(s).contains(QStringLiteral("MyShop")));
    QVERIFY(!listedDatabases(Sessions().DefaultSession()).contains(QStringLiteral("MyShop")));
    QCOMPARE(s->GetAliasDriverName(QStringLiteral("myshop")), QStringLiteral("STANDARD"));
    QVERIFY_THROWS_EXCEPTION(VdqError, Sessions().DefaultSession()->GetAliasDriverName(QStringLiteral("MyShop")));
    // The session opens it like an alias.
    QStringList tables;
    s->ListTableNames(QStringLiteral("MyShop"), QString(), true, false, tables);
    QVERIFY(tables.contains(QStringLiteral("clients")));
    QVERIFY(s->FindOpenDatabase(QStringLiteral("MYSHOP")));
}

void TestSessions::ownDatabaseShadowsAlias()
{
    TSession *s = Sessions().CreateSession(QStringLiteral("Shadow"));
    TAliasParams p;
    p.name = QStringLiteral("Warehouse");
    p.driver = QStringLiteral("STANDARD");
    p.path = m_shop;
    s->AddDatabase(p);
    QCOMPARE(s->GetAliasDriverName(QStringLiteral("Warehouse")), QStringLiteral("STANDARD"));
    QCOMPARE(Sessions().DefaultSession()->GetAliasDriverName(QStringLiteral("Warehouse")),
             QStringLiteral("POSTGRESQL"));
    QCOMPARE(listedDatabases(s).filter(QRegularExpression(QStringLiteral("^warehouse$"), QRegularExpression::CaseInsensitiveOption)).size(), 1);
}

void TestSessions::malformedAliasFile()
{
    TestSupport::UseAliasFile(m_aliasFile, QStringLiteral("[SHOP]\nDriver=STANDARD\nnonsense\n"));
    try {
        QStringList list;
        Sessions().DefaultSession()->ListAliasNames(list);
        QFAIL("a malformed alias file was read");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(m_aliasFile), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("line 3")), qPrintable(e.message()));
    }
}

void TestSessions::aliasFileReloads()
{
    TestSupport::UseAliasFile(m_aliasFile, QStringLiteral("[ONE]\nDriver=STANDARD\n"));
    QStringList list;
    Sessions().DefaultSession()->ListAliasNames(list);
    QCOMPARE(list, QStringList{"ONE"});
    TestSupport::UseAliasFile(m_aliasFile, QStringLiteral("[TWO]\nDriver=STANDARD\n"));
    Sessions().DefaultSession()->ListAliasNames(list);
    QCOMPARE(list, QStringList{"TWO"});
    QCOMPARE(Sessions().AliasFile(), m_aliasFile);
}

void TestSessions::connectionPerSessionAndDatabase()
{
    TSession *def = Sessions().DefaultSession();
    TSession *other = Sessions().CreateSession(QStringLiteral("Second"));
    TDatabase *a = def->OpenDatabase(QStringLiteral("SHOP"));
    TDatabase *b = other->OpenDatabase(QStringLiteral("shop"));
    QVERIFY(a && b && a != b);
    QVERIFY(a->ConnectionName() != b->ConnectionName());
    QVERIFY(QSqlDatabase::connectionNames().contains(a->ConnectionName()));
    QVERIFY(QSqlDatabase::connectionNames().contains(b->ConnectionName()));
    QVERIFY(a->IsOpen() && b->IsOpen());
    QCOMPARE(def->OpenDatabase(QStringLiteral("Shop")), a);  // one connection per name
    QCOMPARE(def->FindOpenDatabase(QStringLiteral("shop")), a);
    def->CloseDatabase(QStringLiteral("SHOP"));
    QCOMPARE(def->FindOpenDatabase(QStringLiteral("SHOP")), nullptr);
    QVERIFY(b->IsOpen());
    Sessions().CloseAll();
    QCOMPARE(other->FindOpenDatabase(QStringLiteral("SHOP")), nullptr);
}

void TestSessions::openUnknownAlias()
{
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("Nowhere"));
        QFAIL("opened an alias that does not exist");
    } catch (const VdqError &e) {
        QCOMPARE(e.message(), QStringLiteral("Invalid alias name Nowhere"));
    }
    QStringList tables{QStringLiteral("stale")};
    QVERIFY_THROWS_EXCEPTION(VdqError, Sessions().DefaultSession()->ListTableNames(
                                           QStringLiteral("Nowhere"), QString(), true, false, tables));
    QVERIFY(tables.isEmpty());
}

QTEST_GUILESS_MAIN(TestSessions)
#include "tst_sessions.moc"
