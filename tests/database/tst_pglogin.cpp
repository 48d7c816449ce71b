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
#include <QTemporaryDir>
#include <QtTest>

// A server that wants a password the alias does not give: the "Database Login" dialog.
class TestPgLogin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void cancelEndsWithError();
    void rightPasswordConnects();
    void wrongPasswordFailsAndAsksAgain();
    void queryAsksToo();
    void noDialogWhenAliasGivesPassword();
    void noDialogWhenServerTrusts();

private:
    std::shared_ptr<int> answer(const QString &password, bool ok);
    QTemporaryDir m_dir;
    QString m_aliasFile;
    QString m_aliasText;
    QString m_user;
    QString m_password;
    // What the last dialog showed.
    QString m_shownUser;
    QString m_shownTitle;
    int m_shownEcho = -1;
};

void TestPgLogin::initTestCase()
{
    // The component hands the layer its login dialog; so does this program.
    TDatabase::SetLoginPrompt(&TQGLoginDialog::Ask);
    const auto env = TestSupport::PgEnv();
    QVERIFY2(!env.isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(m_dir.isValid());
    m_user = env.value(QStringLiteral("PGPASSUSER"));
    m_password = env.value(QStringLiteral("PGPASSWORD"));
    m_aliasFile = m_dir.filePath(QStringLiteral("aliases.ini"));
    m_aliasText = TestSupport::PgPasswordAliasSection(QStringLiteral("ALICE"), std::nullopt)
                  + TestSupport::PgPasswordAliasSection(QStringLiteral("ALICEPW"), m_password)
                  + TestSupport::PgAliasSection(QStringLiteral("OWNER"));
}

void TestPgLogin::init()
{
    TestSupport::UseAliasFile(m_aliasFile, m_aliasText);
    m_shownUser.clear();
    m_shownTitle.clear();
    m_shownEcho = -1;
}

void TestPgLogin::cleanupTestCase()
{
    Sessions().CloseAll();
}

std::shared_ptr<int> TestPgLogin::answer(const QString &password, bool ok)
{
    return TestSupport::AnswerModal(QStringLiteral("DatabaseLogin"), [=](QWidget *dialog) {
        auto *userEdit = dialog->findChild<QLineEdit *>(QStringLiteral("UserName"));
        auto *passwordEdit = dialog->findChild<QLineEdit *>(QStringLiteral("Password"));
        auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("ButtonBox"));
        if (!userEdit || !passwordEdit || !box) {
            qWarning("the login dialog lacks its controls");
            dialog->close();
            return;
        }
        m_shownUser = userEdit->text();
        m_shownTitle = dialog->windowTitle();
        m_shownEcho = int(passwordEdit->echoMode());
        QTest::keyClicks(passwordEdit, password);
        QTest::mouseClick(box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel), Qt::LeftButton);
    });
}

void TestPgLogin::cancelEndsWithError()
{
    auto answered = answer(QStringLiteral("whatever"), false);
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICE"));
        QFAIL("connected although the login was cancelled");
    } catch (const VdqError &e) {
        QCOMPARE(e.message(), QStringLiteral("Login to database ALICE was cancelled"));
    }
    QCOMPARE(*answered, 1);
    QCOMPARE(m_shownTitle, QStringLiteral("Database Login"));
    QCOMPARE(m_shownUser, m_user);
    QCOMPARE(m_shownEcho, int(QLineEdit::Password));
    QCOMPARE(Sessions().DefaultSession()->FindOpenDatabase(QStringLiteral("ALICE")), nullptr);
}

void TestPgLogin::rightPasswordConnects()
{
    auto answered = answer(m_password, true);
    QStringList tables;
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("ALICE"), QString(), true, false, tables);
    QCOMPARE(*answered, 1);
    QCOMPARE(tables, (QStringList{"2003sales", "clients", "ledger", "order items", "products", "sales"}));
    TDatabase *db = Sessions().DefaultSession()->FindOpenDatabase(QStringLiteral("ALICE"));
    QVERIFY(db && db->IsOpen());
    QCOMPARE(db->Connection().userName(), m_user);
    // The typed password stays out of the alias and its file.
    QVERIFY(!db->Params().hasPassword);
    QVERIFY(db->Params().password.isEmpty());
    QFile file(m_aliasFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), m_aliasText);
    // Listing again uses the open connection: no second dialog.
    auto again = answer(m_password, true);
    Sessions().DefaultSession()->ListTableNames(QStringLiteral("ALICE"), QString(), true, false, tables);
    QCOMPARE(tables.size(), 6);
    QTest::qWait(50);
    QCOMPARE(*again, 0);
}

void TestPgLogin::wrongPasswordFailsAndAsksAgain()
{
    auto answered = answer(QStringLiteral("wrong"), true);
    try {
        Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICE"));
        QFAIL("connected with a wrong password");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot connect to database ALICE: ")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("password authentication failed")), qPrintable(e.message()));
    }
    QCOMPARE(*answered, 1);
    auto second = answer(m_password, true);
    QVERIFY(Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICE"))->IsOpen());
    QCOMPARE(*second, 1);
}

void TestPgLogin::queryAsksToo()
{
    auto answered = answer(m_password, true);
    TQuery q;
    q.SetDatabaseName(QStringLiteral("alice"));
    q.SetSQL({QStringLiteral("SELECT \"Firm\" FROM clients")});
    q.Open();
    QCOMPARE(*answered, 1);
    QCOMPARE(q.RecordCount(), 30);
}

void TestPgLogin::noDialogWhenAliasGivesPassword()
{
    auto answered = answer(m_password, false);
    QVERIFY(Sessions().DefaultSession()->OpenDatabase(QStringLiteral("ALICEPW"))->IsOpen());
    QTest::qWait(50);
    QCOMPARE(*answered, 0);
}

void TestPgLogin::noDialogWhenServerTrusts()
{
    auto answered = answer(QString(), false);
    QVERIFY(Sessions().DefaultSession()->OpenDatabase(QStringLiteral("OWNER"))->IsOpen());
    QTest::qWait(50);
    QCOMPARE(*answered, 0);
}

QTEST_MAIN(TestPgLogin)
#include "tst_pglogin.moc"
