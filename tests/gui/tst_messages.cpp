// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "messages.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

// An error box says where it comes from: the command, else the window, never just the
// program's name.
class TestMessages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void errorTitles_data();
    void errorTitles();
};

void TestMessages::errorTitles_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("withWindow");
    QTest::addColumn<QString>("title");
    QTest::newRow("a command") << "Open Query" << true << "Open Query";
    QTest::newRow("a window's own error") << QString() << true << "SQL Query Generator";
    QTest::newRow("neither") << QString() << false << "vdq test";
}

void TestMessages::errorTitles()
{
    QFETCH(QString, command);
    QFETCH(bool, withWindow);
    QFETCH(QString, title);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("vdq test"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("SQL Query Generator"));
    QWidget child(&window);
    QStringList seen;
    VdqMessages::SetHook([&](VdqMessages::Kind kind, const QString &t, const QString &text) {
        QCOMPARE(kind, VdqMessages::Kind::Error);
        seen << t + u'|' + text;
    });
    const bool ran = VdqMessages::Guarded(withWindow ? &child : nullptr, command,
                                          [] { throw VdqError(QStringLiteral("no such file")); });
    VdqMessages::SetHook({});
    QVERIFY(!ran);
    QCOMPARE(seen, QStringList{title + QStringLiteral("|no such file")});
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
