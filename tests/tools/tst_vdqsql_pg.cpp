// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgsqleditor.h"

#include <QProcess>
#include <QtTest>

// vdqsql against the test run's PostgreSQL server: fields come from the server, names that
// PostgreSQL cannot read bare are quoted, and a password the alias does not give is an
// error rather than a dialog.
class TestVdqsqlPg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void statementFromServer();
    void passwordWantedIsAnError();
    void designerAgreesOnAnotherKindOfDatabase();

private:
    QTemporaryDir m_dir;
    QString m_aliases;
};

void TestVdqsqlPg::initTestCase()
{
    const auto env = TestSupport::PgEnv();
    QVERIFY2(!env.isEmpty(), "the PostgreSQL test server is not running");
    m_aliases = m_dir.filePath("aliases.ini");
    QFile f(m_aliases);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write((TestSupport::PgAliasSection(QStringLiteral("WAREHOUSE"))
             + QStringLiteral("[LOCKED]\nDriver=POSTGRESQL\nHost=%1\nPort=%2\nDatabase=%3\nUser=%4\n")
                   .arg(env.value("PGHOST"), env.value("PGPORT"), env.value("PGDATABASE"), env.value("PGPASSUSER")))
                .toUtf8());
    f.close();
    QFile design(m_dir.filePath("items.vdq"));
    QVERIFY(design.open(QIODevice::WriteOnly));
    design.write("[Session]\r\nSessionName=Default\r\nDatabase=WAREHOUSE\r\n[Query]\r\nType=0\r\n"
                 "[Table1]\r\nName=order items\r\nItemCount=0\r\n[Tables]\r\nCount=1\r\n");
    design.close();
}

void TestVdqsqlPg::statementFromServer()
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VDQSQL), {QStringLiteral("--aliases"), m_aliases, m_dir.filePath("items.vdq")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.readAllStandardError(), QByteArray());
    QCOMPARE(p.exitCode(), 0);
    // Nothing ticked: the column line is empty, the table name quoted for PostgreSQL.
    QCOMPARE(p.readAllStandardOutput(), QByteArray("SELECT  FROM\n\"order items\" order_items\n"));
}

void TestVdqsqlPg::passwordWantedIsAnError()
{
    QProcess p;
    p.start(QStringLiteral(VDQSQL), {QStringLiteral("--aliases"), m_aliases, QStringLiteral("--database"),
                                      QStringLiteral("LOCKED"), m_dir.filePath("items.vdq")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
    QVERIFY(p.readAllStandardError().contains("password"));
}

void TestVdqsqlPg::designerAgreesOnAnotherKindOfDatabase()
{
    // The designer runs on a local desktop-table database, whose statements quote every
    // name; the design it opens names the server's database, whose statements do not.
    QTemporaryDir dir;
    QVERIFY(DesignFixture::MakeDatabase(dir.path(), {{"clients", {"ClientNo", "Firm"}}}));
    const QString aliases = dir.filePath("aliases.ini");
    TestSupport::UseAliasFile(aliases, QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=%1\n\n")
                                           .arg(dir.filePath("shop.sqlite"))
                                           + TestSupport::PgAliasSection(QStringLiteral("WAREHOUSE")));
    const QString design = dir.filePath("clients.vdq");
    QFile file(design);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Session]\r\nSessionName=Default\r\nDatabase=WAREHOUSE\r\n[Query]\r\nType=0\r\n"
               "[Table1]\r\nName=clients\r\nText0=Firm\r\nChecked0=1\r\nItemCount=1\r\n[Tables]\r\nCount=1\r\n");
    file.close();

    std::unique_ptr<TQGQueryForm> form = DesignFixture::OpenForm();
    QVERIFY(form->QuoteIdentifiers());
    form->LoadQueryDefinition(design);
    QVERIFY(!form->QuoteIdentifiers());
    QCOMPARE(form->Dialect(), SqlDialect::PostgreSQL);

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VDQSQL), {QStringLiteral("--aliases"), aliases, design});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.readAllStandardError(), QByteArray());
    QCOMPARE(p.exitCode(), 0);
    QByteArray expected;
    for (const QString &line : form->Memo1()->Lines())
        expected += line.toUtf8() + '\n';
    QCOMPARE(p.readAllStandardOutput(), expected);
    QCOMPARE(expected, QByteArray("SELECT clients.\"Firm\" FROM\nclients clients\n"));
}

QTEST_MAIN(TestVdqsqlPg)
#include "tst_vdqsql_pg.moc"
