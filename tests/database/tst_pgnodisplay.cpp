// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QTemporaryDir>
#include <QtTest>

// A program without a display (no QApplication) cannot show the login dialog: it gets
// an error instead, and no connection stays open.
class TestPgNoDisplay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void passwordWantedGivesError();
    void passwordInAliasConnects();

private:
    QTemporaryDir m_dir;
};

void TestPgNoDisplay::initTestCase()
{
    const auto env = TestSupport::PgEnv();
    QVERIFY2(!env.isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(m_dir.isValid());
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              TestSupport::PgPasswordAliasSection(QStringLiteral("ALICE"), std::nullopt)
                                  + TestSupport::PgPasswordAliasSection(QStringLiteral("ALICEPW"),
                                                                        env.value(QStringLiteral("PGPASSWORD"))));
}

void TestPgNoDisplay::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestPgNoDisplay::passwordWantedGivesError()
{
    QVERIFY(!qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
    bool failed = false;
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICE"));
        QFAIL("connected without a password");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot connect to database ALICE: ")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("password")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("login dialog")), qPrintable(e.message()));
        failed = true;
    }
    QVERIFY(failed);
    QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(QStringLiteral("ALICE")), nullptr);
}

void TestPgNoDisplay::passwordInAliasConnects()
{
    QVERIFY(Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICEPW"))->IsOpen());
}

QTEST_GUILESS_MAIN(TestPgNoDisplay)
#include "tst_pgnodisplay.moc"
