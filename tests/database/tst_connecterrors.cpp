// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

// Servers that are not there, or that never answer, give an error instead of a wait
// without end. How long each takes is bench_connect's figure.
class TestConnectErrors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void deadPort_data();
    void deadPort();
    void silentServer_data();
    void silentServer();
    void unknownOdbcSource();

private:
    QString failure(const QString &alias, bool *withinBound);
    QTemporaryDir m_dir;
    QTcpServer m_silent;  // listens, but never says a word
    quint16 m_deadPort = 0;
};

void TestConnectErrors::initTestCase()
{
    QVERIFY(m_dir.isValid());
    {
        QTcpServer probe;  // a port that was free a moment ago and is closed now
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        m_deadPort = probe.serverPort();
    }
    QVERIFY(m_silent.listen(QHostAddress::LocalHost));
    m_silent.pauseAccepting();
    const QString aliases = QStringLiteral(
        "[PGDEAD]\nDriver=POSTGRESQL\nHost=127.0.0.1\nPort=%1\nDatabase=shop\nUser=alice\nPassword=x\n"
        "[MYDEAD]\nDriver=MYSQL\nHost=127.0.0.1\nPort=%1\nDatabase=shop\nUser=alice\nPassword=x\n"
        "[PGSILENT]\nDriver=POSTGRESQL\nHost=127.0.0.1\nPort=%2\nDatabase=shop\nUser=alice\nPassword=x\nTimeout=2\n"
        "[MYSILENT]\nDriver=MYSQL\nHost=127.0.0.1\nPort=%2\nDatabase=shop\nUser=alice\nPassword=x\nTimeout=2\n"
        "[NODSN]\nDriver=ODBC\nDSN=vdq-no-such-source\nUser=alice\nPassword=x\n")
                                .arg(m_deadPort)
                                .arg(m_silent.serverPort());
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")), aliases);
}

void TestConnectErrors::cleanupTestCase()
{
    Sessions().CloseAll();
}

// The configured time-out (Timeout=2) with a wide margin, for a loaded machine: a failure
// still arriving within it is the time-out at work, not a connection left waiting.
constexpr int FailureBoundMs = 60000;

QString TestConnectErrors::failure(const QString &alias, bool *withinBound)
{
    const QDeadlineTimer bound(FailureBoundMs);
    QString message;
    try {
        QStringList tables;
        Sessions().DefaultSession()->ListTableNames(alias, QString(), true, false, tables);
    } catch (const VdqError &e) {
        message = e.message();
    }
    *withinBound = !bound.hasExpired();
    return message;
}

void TestConnectErrors::deadPort_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("reason");
    QTest::newRow("postgresql") << "PGDEAD" << "Connection refused";
    QTest::newRow("mysql") << "MYDEAD" << "Can't connect";
}

void TestConnectErrors::deadPort()
{
    QFETCH(QString, alias);
    QFETCH(QString, reason);
    bool withinBound = false;
    const QString message = failure(alias, &withinBound);
    QVERIFY2(message.startsWith(QStringLiteral("Cannot connect to database %1: ").arg(alias)), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY(withinBound);
    QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(alias), nullptr);
}

void TestConnectErrors::silentServer_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("reason");
    QTest::newRow("postgresql") << "PGSILENT" << "timeout";
    QTest::newRow("mysql") << "MYSILENT" << "Lost connection";
}

void TestConnectErrors::silentServer()
{
    QFETCH(QString, alias);
    QFETCH(QString, reason);
    bool withinBound = false;
    const QString message = failure(alias, &withinBound);
    QVERIFY2(message.startsWith(QStringLiteral("Cannot connect to database %1: ").arg(alias)), qPrintable(message));
    // The engine's own time-out message: the configured time-out ended the wait.
    QVERIFY2(message.contains(reason, Qt::CaseInsensitive), qPrintable(message));
    QVERIFY(withinBound);
    QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(alias), nullptr);
}

void TestConnectErrors::unknownOdbcSource()
{
    bool withinBound = false;
    const QString message = failure(QStringLiteral("NODSN"), &withinBound);
    QVERIFY2(message.startsWith(QStringLiteral("Cannot connect to database NODSN: ")), qPrintable(message));
    QVERIFY(withinBound);
}

QTEST_GUILESS_MAIN(TestConnectErrors)
#include "tst_connecterrors.moc"
