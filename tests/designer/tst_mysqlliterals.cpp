// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgdesignlists.h"
#include "tqgsqleditor.h"
#include "valuetext.h"
#include "naming.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace DesignFixture;

// The text the designer hands back for the MariaDB server of the test run, reached by the
// MySQL driver and through ODBC, run through an ordinary connection of the host's own (the
// server's mode, which reads a backslash in a string as an escape): every value is stored and
// found exactly as it was typed.
class TestMySqlLiterals : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void serverMode_data();
    void serverMode();
    void literals_data();
    void literals();

private:
    QTemporaryDir m_dir;
    QSqlDatabase m_plain;
};

namespace {

const QStringList kAliases = {QStringLiteral("MARIADB"), QStringLiteral("ODBCMARIADB")};
const QString kPlain = QStringLiteral("plain");

QString run(const QSqlDatabase &db, const QString &sql, QString *value = nullptr)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return sql + QStringLiteral(": ") + q.lastError().text();
    if (value && q.next())
        *value = q.value(0).toString();
    return QString();
}

} // namespace

void TestMySqlLiterals::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const auto env = TestSupport::MariaDbEnv();
    QVERIFY2(!env.isEmpty(), "the MariaDB test server is not running");
    const auto odbc = TestSupport::OdbcEnv();
    QVERIFY2(!odbc.isEmpty(), "the ODBC data sources of the test run are not set up");
    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"),
                              TestSupport::MariaDbAliasSection(kAliases.at(0), env.value("MYPASSWORD"))
                                  + TestSupport::OdbcAliasSection(kAliases.at(1), odbc.value("ODBCMARIADBDSN")));
    // The host's connection: the driver's defaults, nothing set on the session.
    m_plain = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), kPlain);
    m_plain.setHostName(env.value("MYHOST"));
    m_plain.setPort(env.value("MYPORT").toInt());
    m_plain.setDatabaseName(env.value("MYDATABASE"));
    m_plain.setUserName(env.value("MYUSER"));
    m_plain.setPassword(env.value("MYPASSWORD"));
    QVERIFY2(m_plain.open(), qPrintable(m_plain.lastError().text()));
    for (const QString &sql : {QStringLiteral("DROP TABLE IF EXISTS vdq_paths"),
                               QStringLiteral("CREATE TABLE vdq_paths (id INTEGER PRIMARY KEY, path VARCHAR(200))")})
        QCOMPARE(run(m_plain, sql), QString());
}

void TestMySqlLiterals::cleanupTestCase()
{
    run(m_plain, QStringLiteral("DROP TABLE IF EXISTS vdq_paths"));
    m_plain.close();
    m_plain = QSqlDatabase();
    QSqlDatabase::removeDatabase(kPlain);
    Sessions().CloseAll();
}

void TestMySqlLiterals::serverMode_data()
{
    QTest::addColumn<QString>("alias");
    for (const QString &alias : kAliases)
        QTest::newRow(qPrintable(alias)) << alias;
}

// The test server runs with the default mode of a server, and the designer keeps it.
void TestMySqlLiterals::serverMode()
{
    QFETCH(QString, alias);
    QString mode;
    QCOMPARE(run(m_plain, QStringLiteral("SELECT @@SESSION.sql_mode"), &mode), QString());
    QVERIFY2(!mode.contains(QStringLiteral("NO_BACKSLASH_ESCAPES")), qPrintable(mode));
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    QVERIFY(form->Style().backslashEscapes);
    QString designers;
    TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
    QCOMPARE(run(db->Connection(), QStringLiteral("SELECT @@SESSION.sql_mode"), &designers), QString());
    QCOMPARE(designers, mode);
}

void TestMySqlLiterals::literals_data()
{
    TestSupport::AddTextRows(kAliases, {
        {"path", QStringLiteral("C:\\new\\table")},
        {"quote", QStringLiteral("it's")},
        {"backslash before a quote", QStringLiteral("x\\' OR 1=1 -- ")},
        {"quotes and backslashes mixed", QStringLiteral("O'Neil \\' \\\\ '' \\")},
        {"trailing backslash", QStringLiteral("end\\")},
        {"escape letters", QStringLiteral("\\0\\b\\n\\r\\t\\Z\\%\\_")}});
}

// The INSERT stores the value exactly; the SELECT with it as a condition finds that row.
void TestMySqlLiterals::literals()
{
    QFETCH(QString, alias);
    QFETCH(QString, text);
    QCOMPARE(run(m_plain, QStringLiteral("DELETE FROM vdq_paths")), QString());
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    form->Canvas()->CreateTableWindow(QStringLiteral("vdq_paths"), QRect(10, 10, 121, 180), true);
    const QString literal = StringValueText(text);
    form->Lists()->AddRow(form->ListView5(), {QStringLiteral("id"), QStringLiteral("1")});
    form->Lists()->AddRow(form->ListView5(), {QStringLiteral("path"), literal});
    form->AddConditionRow(FieldReference(QStringLiteral("vdq_paths"), QStringLiteral("path"), form->Style()),
                          QStringLiteral("= (Equals)"), literal);
    form->DefineQueryType(1);
    const QString insert = form->Memo1()->toPlainText();
    QCOMPARE(run(m_plain, insert), QString());
    QString stored;
    QCOMPARE(run(m_plain, QStringLiteral("SELECT path FROM vdq_paths WHERE id = 1"), &stored), QString());
    QCOMPARE(stored, text);
    form->DefineQueryType(0);
    QString found;
    QCOMPARE(run(m_plain, QStringLiteral("SELECT COUNT(*) FROM (%1) vdq_rows").arg(form->Memo1()->toPlainText()), &found),
             QString());
    QCOMPARE(found, QStringLiteral("1"));
}

QTEST_MAIN(TestMySqlLiterals)
#include "tst_mysqlliterals.moc"
