// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "taliasconfig.h"
#include "vdqerror.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestAliasConfig : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void parse_data();
    void parse();
    void malformed_data();
    void malformed();
    void namesInFileOrder();
    void findIgnoresCase();
    void addReplaces();
    void loadFileResolvesAgainstTheFile();
    void loadFileMalformedNamesFileAndLine();
    void loadMissingFileIsEmpty();
    void defaultFileFromEnvironment();
    void defaultFileInConfigFolder();
};

void TestAliasConfig::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestAliasConfig::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("hasPassword");
    QTest::addColumn<QString>("dsn");

    const QString none;
    QTest::newRow("relative path")
        << "[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n" << "SHOP" << "STANDARD"
        << "/base/dir/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("relative path with folder")
        << "[SHOP]\nDriver=STANDARD\nPath=../data/./shop.sqlite\n" << "SHOP" << "STANDARD"
        << "/base/data/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("absolute path")
        << "[SHOP]\nDriver=STANDARD\nPath=/srv/db/shop.sqlite\n" << "SHOP" << "STANDARD"
        << "/srv/db/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("driver upper-cased")
        << "[Warehouse]\nDriver=postgresql\nHost=127.0.0.1\nPort=5432\nDatabase=warehouse\nUser=alice\n"
        << "Warehouse" << "POSTGRESQL" << none << "127.0.0.1" << 5432 << "warehouse" << "alice"
        << none << false << none;
    QTest::newRow("mixed-case driver")
        << "[M]\nDriver=MySql\nHost=db.example.org\n" << "M" << "MYSQL" << none << "db.example.org"
        << -1 << none << none << none << false << none;
    QTest::newRow("unknown keys ignored")
        << "[SHOP]\nDriver=STANDARD\nColour=blue\nPath=shop.sqlite\nLANGDRIVER=ascii\n" << "SHOP"
        << "STANDARD" << "/base/dir/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("password given")
        << "[W]\nDriver=POSTGRESQL\nUser=alice\nPassword=secret\n" << "W" << "POSTGRESQL" << none
        << none << -1 << none << "alice" << "secret" << true << none;
    QTest::newRow("password given empty")
        << "[W]\nDriver=POSTGRESQL\nUser=alice\nPassword=\n" << "W" << "POSTGRESQL" << none << none
        << -1 << none << "alice" << none << true << none;
    QTest::newRow("password optional")
        << "[W]\nDriver=POSTGRESQL\nUser=alice\n" << "W" << "POSTGRESQL" << none << none << -1
        << none << "alice" << none << false << none;
    QTest::newRow("odbc dsn")
        << "[Books]\nDriver=ODBC\nDSN=books\nUser=sa\n" << "Books" << "ODBC" << none << none << -1
        << none << "sa" << none << false << "books";
    QTest::newRow("keys ignore case, blanks trimmed")
        << "  [ SHOP ]  \n  driver = standard  \n PATH =  shop.sqlite \n" << "SHOP" << "STANDARD"
        << "/base/dir/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("CRLF lines and comments")
        << "; aliases\r\n# more\r\n[SHOP]\r\nDriver=STANDARD\r\n\r\nPath=shop.sqlite\r\n" << "SHOP"
        << "STANDARD" << "/base/dir/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("quoted value")
        << "[SHOP]\nDriver=STANDARD\nPath=\"my data/shop.sqlite\"\n" << "SHOP" << "STANDARD"
        << "/base/dir/my data/shop.sqlite" << none << -1 << none << none << none << false << none;
    QTest::newRow("byte order mark")
        << QString(QChar(0xFEFF)) + "[SHOP]\nDriver=STANDARD\nPath=a.db\n" << "SHOP" << "STANDARD"
        << "/base/dir/a.db" << none << -1 << none << none << none << false << none;
}

void TestAliasConfig::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, alias);
    QFETCH(QString, driver);
    QFETCH(QString, path);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, database);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, hasPassword);
    QFETCH(QString, dsn);

    const TAliasConfig config = TAliasConfig::FromText(text, QStringLiteral("/base/dir"));
    QCOMPARE(config.Names(), QStringList{alias});
    const TAliasParams *p = config.Find(alias);
    QVERIFY(p);
    QCOMPARE(p->name, alias);
    QCOMPARE(p->driver, driver);
    QCOMPARE(p->path, path);
    QCOMPARE(p->host, host);
    QCOMPARE(p->port, port);
    QCOMPARE(p->database, database);
    QCOMPARE(p->user, user);
    QCOMPARE(p->password, password);
    QCOMPARE(p->hasPassword, hasPassword);
    QCOMPARE(p->dsn, dsn);
    QCOMPARE(p->connectTimeout, 5);
}

void TestAliasConfig::malformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    QTest::newRow("unclosed section") << "[SHOP\nDriver=STANDARD\n" << 1 << "closing";
    QTest::newRow("empty section name") << "; x\n[ ]\nDriver=STANDARD\n" << 2 << "no alias name";
    QTest::newRow("key before section") << "Driver=STANDARD\n[SHOP]\n" << 1 << "before the first";
    QTest::newRow("line without =") << "[SHOP]\nDriver=STANDARD\nPath shop.sqlite\n" << 3 << "Key=Value";
    QTest::newRow("no key") << "[SHOP]\nDriver=STANDARD\n=shop\n" << 3 << "no key";
    QTest::newRow("port not a number") << "[W]\nDriver=POSTGRESQL\n\nPort=54x\n" << 4 << "Port";
    QTest::newRow("port out of range") << "[W]\nDriver=POSTGRESQL\nPort=70000\n" << 3 << "Port";
    QTest::newRow("alias twice") << "[A]\nDriver=STANDARD\n[B]\nDriver=STANDARD\n[a]\nDriver=STANDARD\n"
                                 << 5 << "twice";
    QTest::newRow("no driver") << "[A]\nDriver=STANDARD\n[B]\nPath=x\n" << 3 << "no Driver";
    QTest::newRow("empty driver") << "[A]\nDriver=\n" << 2 << "Driver";
    QTest::newRow("bad timeout") << "[A]\nDriver=POSTGRESQL\nTimeout=soon\n" << 3 << "Timeout";
}

void TestAliasConfig::malformed()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, reason);
    try {
        TAliasConfig::FromText(text, QStringLiteral("/base"));
        QFAIL("malformed text was accepted");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("line %1:").arg(line)), qPrintable(e.message()));
        QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
    }
}

void TestAliasConfig::namesInFileOrder()
{
    const TAliasConfig config = TAliasConfig::FromText(
        QStringLiteral("[Zeta]\nDriver=STANDARD\n[alpha]\nDriver=STANDARD\n[Mid]\nDriver=ODBC\n"),
        QStringLiteral("/"));
    QCOMPARE(config.Names(), (QStringList{"Zeta", "alpha", "Mid"}));
}

void TestAliasConfig::findIgnoresCase()
{
    const TAliasConfig config = TAliasConfig::FromText(
        QStringLiteral("[Shop]\nDriver=STANDARD\nPath=a.db\n"), QStringLiteral("/x"));
    QVERIFY(config.Find(QStringLiteral("SHOP")));
    QCOMPARE(config.Find(QStringLiteral("shop"))->name, QStringLiteral("Shop"));
    QVERIFY(!config.Find(QStringLiteral("Sho")));
}

void TestAliasConfig::addReplaces()
{
    TAliasConfig config = TAliasConfig::FromText(
        QStringLiteral("[A]\nDriver=STANDARD\nPath=a.db\n[B]\nDriver=STANDARD\n"), QStringLiteral("/x"));
    TAliasParams p;
    p.name = QStringLiteral("a");
    p.driver = QStringLiteral("postgresql");
    config.Add(p);
    QCOMPARE(config.Names(), (QStringList{"a", "B"}));
    QCOMPARE(config.Find(QStringLiteral("A"))->driver, QStringLiteral("POSTGRESQL"));
    p.name = QStringLiteral("C");
    config.Add(p);
    QCOMPARE(config.Names(), (QStringList{"a", "B", "C"}));
}

void TestAliasConfig::loadFileResolvesAgainstTheFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("conf")));
    const QString file = dir.filePath(QStringLiteral("conf/aliases.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[SHOP]\r\nDriver=standard\r\nPath=../data/shop.sqlite\r\n");
    f.close();
    const TAliasConfig config = TAliasConfig::LoadFile(file);
    QCOMPARE(config.Find(QStringLiteral("shop"))->path,
             QDir(dir.path()).absoluteFilePath(QStringLiteral("data/shop.sqlite")));
    QCOMPARE(config.Find(QStringLiteral("shop"))->driver, QStringLiteral("STANDARD"));
}

void TestAliasConfig::loadFileMalformedNamesFileAndLine()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("aliases.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n\n[BROKEN\nDriver=STANDARD\n");
    f.close();
    try {
        TAliasConfig::LoadFile(file);
        QFAIL("malformed file was accepted");
    } catch (const VdqError &e) {
        QCOMPARE(e.message(), QStringLiteral("Alias file %1, line 5: the section header has no closing \"]\"").arg(file));
    }
}

void TestAliasConfig::loadMissingFileIsEmpty()
{
    QTemporaryDir dir;
    const TAliasConfig config = TAliasConfig::LoadFile(dir.filePath(QStringLiteral("none.ini")));
    QVERIFY(config.IsEmpty());
    QVERIFY(config.Names().isEmpty());
}

void TestAliasConfig::defaultFileFromEnvironment()
{
    qputenv("VDQ_ALIASES", "/some/where/my-aliases.ini");
    QCOMPARE(TAliasConfig::DefaultAliasFile(), QStringLiteral("/some/where/my-aliases.ini"));
}

void TestAliasConfig::defaultFileInConfigFolder()
{
    qunsetenv("VDQ_ALIASES");
    const QString expected = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                                 .filePath(QStringLiteral("aliases.ini"));
    QCOMPARE(TAliasConfig::DefaultAliasFile(), expected);
}

QTEST_GUILESS_MAIN(TestAliasConfig)
#include "tst_aliasconfig.moc"
