// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The program as a user starts it from a shell: no display.
Run run(const QString &program, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// The option names of a QCommandLineParser help text: the lines of its "Options:" block that
// start with a dash, up to the two spaces before the description ("-h, --help", "--aliases <FILE>").
QStringList optionsOf(const QString &help)
{
    QStringList names;
    const qsizetype block = help.indexOf(QLatin1String("\nOptions:\n"));
    if (block < 0)
        return names;
    static const QRegularExpression optionLine(QStringLiteral("^  (-.*?)(  |$)"));
    for (const QString &line : help.mid(block + 10).split(u'\n')) {
        if (line.isEmpty())
            break;
        const QRegularExpressionMatch m = optionLine.match(line);
        if (!m.hasMatch())
            continue;  // a description's continuation
        for (const QString &spelling : m.captured(1).split(QLatin1String(", ")))
            names << spelling.section(u' ', 0, 0);
    }
    return names;
}

} // namespace

class TestManPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data();
    void helpOnStandardOutput();
    void everyOptionInTheManPage();
    void version();
    void pageCompressedForDebian();
};

void TestManPages::initTestCase_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("expectedOptions");  // a few that must be among them
    QTest::newRow("vdqsql") << QStringLiteral(VDQSQL) << QStringLiteral("vdqsql.1")
                            << QStringList{"--aliases", "--database", "--to-design", "--help", "--version"};
    QTest::newRow("VDQBExample") << QStringLiteral(VDQBEXAMPLE) << QStringLiteral("VDQBExample.1")
                                 << QStringList{"--help", "--version"};
}

void TestManPages::helpOnStandardOutput()
{
    QFETCH_GLOBAL(QString, program);
    QFETCH_GLOBAL(QStringList, expectedOptions);
    const Run help = run(program, {QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(help.err, QByteArray());
    const QStringList options = optionsOf(QString::fromUtf8(help.out));
    for (const QString &option : expectedOptions)
        QVERIFY2(options.contains(option), qPrintable(option + QLatin1String(" not in:\n") + help.out));
}

void TestManPages::everyOptionInTheManPage()
{
    QFETCH_GLOBAL(QString, program);
    QFETCH_GLOBAL(QString, page);
    QFile file(QStringLiteral(VDQ_PACKAGING_DIR "/man/") + page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    // roff writes a minus sign as "\-"; the text a reader sees has the plain dash.
    const QString roff = QString::fromUtf8(file.readAll()).replace(QLatin1String("\\-"), QLatin1String("-"));
    const QStringList options = optionsOf(QString::fromUtf8(run(program, {QStringLiteral("--help")}).out));
    QVERIFY(!options.isEmpty());
    for (const QString &option : options) {
        const QRegularExpression named(QStringLiteral("(^|[^\\w-])%1([^\\w-]|$)").arg(QRegularExpression::escape(option)));
        QVERIFY2(roff.contains(named), qPrintable(option + QLatin1String(" is not in ") + page));
    }
}

void TestManPages::version()
{
    QFETCH_GLOBAL(QString, program);
    const Run version = run(program, {QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QFileInfo(program).fileName().toUtf8() + " " VDQ_VERSION "\n");
}

// gzip -9n: no file name and no time stamp in the header, so a rebuild gives the same bytes.
void TestManPages::pageCompressedForDebian()
{
    QFETCH_GLOBAL(QString, page);
    QFile file(QStringLiteral(VDQ_PACKAGING_BINARY_DIR "/man/") + page + QLatin1String(".gz"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray header = file.read(10);
    QCOMPARE(header.size(), 10);
    QCOMPARE(header.left(3), QByteArray("\x1f\x8b\x08"));
    QCOMPARE(int(header.at(3)) & 0x08, 0);  // FNAME
    QCOMPARE(header.mid(4, 4), QByteArray(4, '\0'));  // MTIME
    QCOMPARE(int(uchar(header.at(8))), 2);  // XFL: the best compression
}

QTEST_MAIN(TestManPages)
#include "tst_manpages.moc"
