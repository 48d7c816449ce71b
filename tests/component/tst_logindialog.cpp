// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tqglogindialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The layer's login dialog on its own.
class TestLoginDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout();
    void answersOnOk();
    void cancelGivesNothing();
};

namespace {

void press(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("ButtonBox"));
    QVERIFY(box);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

} // namespace

void TestLoginDialog::layout()
{
    TQGLoginDialog dialog;
    dialog.SetDatabaseName(QStringLiteral("WAREHOUSE"));
    dialog.SetUserName(QStringLiteral("alice"));
    QCOMPARE(dialog.objectName(), QStringLiteral("DatabaseLogin"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Database Login"));
    auto *user = dialog.findChild<QLineEdit *>(QStringLiteral("UserName"));
    auto *password = dialog.findChild<QLineEdit *>(QStringLiteral("Password"));
    QVERIFY(user && password);
    QCOMPARE(user->echoMode(), QLineEdit::Normal);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(user->text(), QStringLiteral("alice"));
    QVERIFY(password->text().isEmpty());
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("ButtonBox"));
    QVERIFY(box);
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("DatabaseLabel"))->text().contains(QStringLiteral("WAREHOUSE")));
}

void TestLoginDialog::answersOnOk()
{
    auto answered = TestSupport::AnswerModal(QStringLiteral("DatabaseLogin"), [](QWidget *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("UserName"))->setText(QStringLiteral("bob"));
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Password")), QStringLiteral("s3cret"));
        press(dialog, QDialogButtonBox::Ok);
    });
    QString user = QStringLiteral("alice");
    QString password;
    QVERIFY(TQGLoginDialog::Ask(QStringLiteral("WAREHOUSE"), user, password));
    QCOMPARE(*answered, 1);
    QCOMPARE(user, QStringLiteral("bob"));
    QCOMPARE(password, QStringLiteral("s3cret"));
}

void TestLoginDialog::cancelGivesNothing()
{
    auto answered = TestSupport::AnswerModal(QStringLiteral("DatabaseLogin"), [](QWidget *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Password")), QStringLiteral("typed"));
        press(dialog, QDialogButtonBox::Cancel);
    });
    QString user = QStringLiteral("alice");
    QString password;
    QVERIFY(!TQGLoginDialog::Ask(QStringLiteral("WAREHOUSE"), user, password));
    QCOMPARE(*answered, 1);
    QCOMPARE(user, QStringLiteral("alice"));
    QVERIFY(password.isEmpty());
}

QTEST_MAIN(TestLoginDialog)
#include "tst_logindialog.moc"
