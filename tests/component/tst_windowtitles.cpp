// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tform1.h"
#include "tqgaboutform.h"
#include "tqgcomparisonform.h"
#include "tqgdbselect.h"
#include "tqgqueryform.h"
#include "tqgsortform.h"
#include "tqgvalueform.h"

#include <QProcess>
#include <QWindow>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// The title bars as the window system gets them: every window sets its own caption and
// nothing is appended to it. Runs on an X server of its own (Xvfb), where the title is a
// property of the window that the window manager shows.
class TestWindowTitles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void titles_data();
    void titles();

private:
    QTemporaryDir m_dir;
};

namespace {

using Factory = std::function<QWidget *()>;

const QList<QPair<QString, Factory>> &Windows()
{
    static const QList<QPair<QString, Factory>> windows{
        {QStringLiteral("Run Time Query Engine."), [] { return new TForm1; }},
        {QStringLiteral("Session and Database Select"), [] { return new TQGDBSelect; }},
        {QStringLiteral("SQL Query Generator"), [] { return new TQGQueryForm; }},
        {QStringLiteral("Comparison/Join Criteria"), [] { return new TQGComparisonForm; }},
        {QStringLiteral("Field Value to set..."), [] { return new TQGValueForm; }},
        {QStringLiteral("Order by Field"), [] { return new TQGSortForm; }},
        {QStringLiteral("About..."), [] { return new TQGAboutForm; }},
    };
    return windows;
}

// The window's name property (WM_NAME), as the X server holds it.
QString ServerTitle(WId window)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(window)});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return QStringLiteral("<xdotool failed: %1>").arg(QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput()).chopped(1);
}

} // namespace

void TestWindowTitles::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is needed");
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(DesignFixture::MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm"}}}));
}

void TestWindowTitles::titles_data()
{
    QTest::addColumn<int>("window");
    for (int i = 0; i < Windows().size(); ++i)
        QTest::newRow(qPrintable(Windows().at(i).first)) << i;
}

void TestWindowTitles::titles()
{
    QFETCH(int, window);
    const QString expected = Windows().at(window).first;
    std::unique_ptr<QWidget> w(Windows().at(window).second());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->windowHandle()->title(), expected);
    QCOMPARE(ServerTitle(w->winId()), expected);
}

// An X server of the test's own, on a display it picks itself: other programs on the
// machine may use Xvfb too.
int main(int argc, char *argv[])
{
    int fds[2];
    if (pipe(fds) != 0)
        return 2;
    const pid_t server = fork();
    if (server == 0) {
        close(fds[0]);
        const QByteArray fd = QByteArray::number(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24", "-nolisten",
               "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    QByteArray display;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(fds[0]);
    if (display.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        waitpid(server, nullptr, 0);
        return 2;
    }
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    int status;
    {
        QApplication app(argc, argv);
        TForm1::InitApplication();
        TestWindowTitles test;
        status = QTest::qExec(&test, argc, argv);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    return status;
}

#include "tst_windowtitles.moc"
