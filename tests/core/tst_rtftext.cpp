// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "rtftext.h"

#include <QtTest>

// The \'hh bytes of an RTF statement read in the code page its \ansicpgN names.
class TestRtfText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codePageFiles_data();
    void codePageFiles();
    void codePages_data();
    void codePages();
};

void TestRtfText::codePageFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("1251 Cyrillic") << "cp1251.rtf"
                                   << QString::fromUtf8("SELECT * FROM Привет\nWHERE name = 'Жук'");
    QTest::newRow("1250 Central European") << "cp1250.rtf"
                                           << QString::fromUtf8("SELECT * FROM Šeré\xc5\x99\nWHERE city = 'Žáł'");
    QTest::newRow("1253 Greek") << "cp1253.rtf" << QString::fromUtf8("SELECT * FROM αβγ\nWHERE x = 'Ω'");
    // Windows-1252 leaves 0x81 undefined: it reads as the replacement character.
    QTest::newRow("1252 Western") << "cp1252.rtf"
                                  << QString::fromUtf8("SELECT * FROM cafés\nWHERE price = '€ 5' AND x = '\xef\xbf\xbd'");
}

void TestRtfText::codePageFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFile rtf(QStringLiteral(VDQ_SOURCE_DIR "/tests/core/data/rtf/") + file);
    QVERIFY2(rtf.open(QIODevice::ReadOnly), qPrintable(rtf.fileName()));
    bool ok = false;
    QCOMPARE(RtfToPlainText(rtf.readAll(), &ok), text);
    QVERIFY(ok);
}

void TestRtfText::codePages_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("no code page: 1252") << QByteArray("{\\rtf1\\ansi caf\\'e9}") << QString::fromUtf8("café");
    QTest::newRow("unknown code page: 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}")
                                             << QString::fromUtf8("café");
    QTest::newRow("raw byte above ASCII") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \xc6}") << QString::fromUtf8("Ж");
    // \uN gives its own character; the fallback byte after it is dropped, not decoded.
    QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\u1046\\'c6\\'e6}")
                                           << QString::fromUtf8("Жж");
    QTest::newRow("two-byte fallback") << QByteArray("{\\rtf1\\ansi\\ansicpg932\\uc2 \\u12354\\'82\\'a0!}")
                                       << QString::fromUtf8("あ!");
    QTest::newRow("double-byte code page") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2}")
                                           << QString::fromUtf8("あい");
    QTest::newRow("bytes in a hidden group") << QByteArray("{\\rtf1\\ansi\\ansicpg1253 {\\*\\x \\'e1}\\'e2}")
                                             << QString::fromUtf8("β");
}

void TestRtfText::codePages()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(RtfToPlainText(rtf), text);
}

QTEST_MAIN(TestRtfText)
#include "tst_rtftext.moc"
