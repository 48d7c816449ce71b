// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// The desktop entry and the AppStream metainfo as a distribution checks them: each validator
// must pass with nothing to say beyond hints.
class TestDesktopFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void validates_data();
    void validates();
};

void TestDesktopFiles::validates_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    const QString dir = QStringLiteral(VDQ_PACKAGING_DIR "/");
    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList()
                                   << dir + "io.github.vdqdesigner.VDQBExample.desktop";
    QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net", "--no-color"}
                              << dir + "io.github.vdqdesigner.VDQBExample.metainfo.xml";
}

void TestDesktopFiles::validates()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    const QString program = QStandardPaths::findExecutable(validator);
    if (program.isEmpty())
        QSKIP(qPrintable(validator + QLatin1String(" is not installed")));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args << file);
    QVERIFY(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAll());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(out));
    // Errors fail the run above; warnings do not, so they are looked for in what was said.
    for (const QString &line : out.split(u'\n')) {
        const QString l = line.trimmed();
        QVERIFY2(!l.startsWith(QLatin1String("W:")) && !l.startsWith(QLatin1String("E:"))
                     && !l.contains(QLatin1String("warning:")) && !l.contains(QLatin1String("error:")),
                 qPrintable(out));
    }
}

QTEST_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
