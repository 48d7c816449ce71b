// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "limitedwrite.h"
#include "profilefile.h"
#include "vdqerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestProfileFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void byteOrderMarkInsideTheFile();
    void readString_data();
    void readString();
    void valueWhole_data();
    void valueWhole();
    void overlongValueRefused();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void write_data();
    void write();
    void writeNumbers();
    void sectionsAndCounts();
    void reparseGivesSameFile_data();
    void reparseGivesSameFile();
    void manyKeys();
    void saveAndLoad();
    void loadMissingFileIsEmpty();
    void loadUnreadableFileFails();
    void saveIntoMissingDirectoryFails();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void specialFilesRefused_data();
    void specialFilesRefused();
    void saveOntoSpecialFileRefused();
    void oversizedFileRefused();
    void namesBeyondTheBasicPlane();
    void runsOfOtherLines_data();
    void runsOfOtherLines();
};

namespace {

QString ReadFrom(const QByteArray &bytes, const QString &section, const QString &key,
                 const QString &def = QStringLiteral("<def>"))
{
    return TProfileFile::FromBytes(bytes).ReadString(section, key, def);
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

} // namespace

void TestProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray plain("[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n[Query]\r\nType=0\r\n");
    QTest::newRow("plain") << plain << "Session" << "Database" << "SHOP";
    QTest::newRow("section case") << plain << "SESSION" << "Database" << "SHOP";
    QTest::newRow("key case") << plain << "Session" << "sessionname" << "Default";
    QTest::newRow("both cases") << plain << "query" << "TYPE" << "0";
    QTest::newRow("missing section") << plain << "Table1" << "Name" << "<def>";
    QTest::newRow("missing key") << plain << "Session" << "Type" << "<def>";
    QTest::newRow("key of another section") << plain << "Query" << "Database" << "<def>";
    QTest::newRow("value with equals") << QByteArray("[C]\r\n0_Item_SubItems_0==\r\n") << "C"
                                       << "0_Item_SubItems_0" << "=";
    QTest::newRow("value after first equals")
        << QByteArray("[L]\r\nHint=a.x = b.y\r\n") << "L" << "Hint" << "a.x = b.y";
    QTest::newRow("empty value is not the default") << QByteArray("[L]\r\nOverText=\r\n") << "L"
                                                    << "OverText" << "";
    QTest::newRow("value untrimmed") << QByteArray("[S]\r\nk=  two words \r\n") << "S" << "k"
                                     << "  two words ";
    QTest::newRow("blanks around key") << QByteArray("[S]\r\n  k  =v\r\n") << "S" << "k" << "v";
    QTest::newRow("blanks around section") << QByteArray("  [ S ]  \r\nk=v\r\n") << "S" << "k" << "v";
    QTest::newRow("LF line ends") << QByteArray("[S]\nk=v\nm=w") << "S" << "m" << "w";
    QTest::newRow("no final line end") << QByteArray("[S]\r\nk=v") << "S" << "k" << "v";
    QTest::newRow("lone CR ends a line") << QByteArray("[S]\r\nk=a\rb=c\r\n") << "S" << "k" << "a";
    QTest::newRow("text after a lone CR is a line") << QByteArray("[S]\r\nk=a\rb=c\r\n") << "S" << "b"
                                                    << "c";
    QTest::newRow("CR line ends") << QByteArray("[S]\rk=v\rm=w\r") << "S" << "m" << "w";
    QTest::newRow("CR line ends, section") << QByteArray("[A]\rk=1\r[S]\rk=v\r") << "S" << "k" << "v";
    QTest::newRow("CR CR LF") << QByteArray("[S]\r\r\nk=Default\r\r\nm=w\r\r\n") << "S" << "k"
                              << "Default";
    QTest::newRow("CR CR LF, last line") << QByteArray("[S]\r\r\nk=Default\r\r\nm=w\r\r\n") << "S"
                                         << "m" << "w";
    QTest::newRow("empty lines between CRs") << QByteArray("[S]\r\r\rk=v\r") << "S" << "k" << "v";
    QTest::newRow("first of duplicate keys") << QByteArray("[S]\r\nk=1\r\nK=2\r\n") << "S" << "k"
                                             << "1";
    QTest::newRow("first of duplicate sections")
        << QByteArray("[S]\r\nk=1\r\n[s]\r\nk=2\r\nm=3\r\n") << "S" << "k" << "1";
    QTest::newRow("duplicate section's keys unseen")
        << QByteArray("[S]\r\nk=1\r\n[s]\r\nm=3\r\n") << "S" << "m" << "<def>";
    QTest::newRow("key before any section unseen") << QByteArray("k=1\r\n[S]\r\n") << "S" << "k"
                                                   << "<def>";
    QTest::newRow("line without equals is no key") << QByteArray("[S]\r\nk\r\n") << "S" << "k"
                                                   << "<def>";
    QTest::newRow("byte order mark skipped")
        << QByteArray("\xEF\xBB\xBF[S]\r\nk=v\r\n") << "S" << "k" << "v";
    QTest::newRow("UTF-8") << QByteArray("[S]\r\nk=caf\xC3\xA9\r\n") << "S" << "k"
                           << QString::fromUtf8("caf\u00e9");
    QTest::newRow("UTF-8 outside the BMP")
        << QByteArray("[S]\r\nk=\xF0\x9F\x98\x80\r\n") << "S" << "k" << QString::fromUtf8("\U0001F600");
    QTest::newRow("invalid UTF-8 read as Windows-1252")
        << QByteArray("[S]\r\nk=caf\xE9\r\n") << "S" << "k" << QString::fromUtf8("caf\u00e9");
    QTest::newRow("Latin-1 decided per line")
        << QByteArray("[S]\r\na=\xC3\xA9\r\nk=\xC3\xA9\xE9\r\n") << "S" << "k"
        << QString::fromUtf8("\u00c3\u00a9\u00e9");
    QTest::newRow("line after a Latin-1 line is UTF-8")
        << QByteArray("[S]\r\nk=\xE9\r\na=\xC3\xA9\r\n") << "S" << "a" << QString::fromUtf8("\u00e9");
    QTest::newRow("overlong form is not UTF-8")
        << QByteArray("[S]\r\nk=\xC0\xAF\r\n") << "S" << "k" << QString::fromUtf8("\u00c0\u00af");
    QTest::newRow("encoded surrogate is not UTF-8")
        << QByteArray("[S]\r\nk=\xED\xA0\x80\r\n") << "S" << "k" << QString::fromUtf8("\u00ed\u00a0\u20ac");
    QTest::newRow("truncated sequence is not UTF-8")
        << QByteArray("[S]\r\nk=\xE2\x82\r\n") << "S" << "k" << QString::fromUtf8("\u00e2\u201a");
    QTest::newRow("code page quotes and euro")
        << QByteArray("[S]\r\nk=\x93\x80 5\x94\r\n") << "S" << "k" << QString::fromUtf8("\u201c\u20ac 5\u201d");
    QTest::newRow("code page letters and dashes")
        << QByteArray("[S]\r\nk=\x8A\x9A\x8E\x9E\x96\x97\x9F\r\n") << "S" << "k"
        << QString::fromUtf8("\u0160\u0161\u017d\u017e\u2013\u2014\u0178");
    QTest::newRow("bytes the code page leaves undefined")
        << QByteArray("[S]\r\nk=\x81\x8D\x8F\x90\x9D\r\n") << "S" << "k"
        << QString::fromUtf8("\u0081\u008d\u008f\u0090\u009d");
    QTest::newRow("Latin-1 section name")
        << QByteArray("[Caf\xE9]\r\nk=v\r\n") << QString::fromUtf8("caf\u00c9") << "k" << "v";
}

void TestProfileFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(ReadFrom(file, section, key), expected);
}

void TestProfileFile::valueWhole_data()
{
    QTest::addColumn<QString>("value");
    const QString a1022(1022, u'a');
    QTest::newRow("1023") << a1022 + u'b';
    QTest::newRow("1024") << a1022 + QStringLiteral("bc");
    QString in = QStringLiteral("IN (");
    for (int i = 1000; in.size() < 1800; ++i)
        in += QString::number(i) + QStringLiteral(", ");
    in += QStringLiteral("1169, 1170)");
    QTest::newRow("IN list") << in;
    QTest::newRow("surrogate pair past 1023") << a1022 + QString::fromUtf8("\U0001F600");
    QTest::newRow("at the bound") << QString(TProfileFile::MaxValueLength, u'x');
}

void TestProfileFile::valueWhole()
{
    QFETCH(QString, value);
    const QByteArray bytes = "[S]\r\nk=" + value.toUtf8() + "\r\n";
    QCOMPARE(ReadFrom(bytes, "S", "k"), value);

    TProfileFile profile;
    profile.WriteString("S", "k", value);
    QCOMPARE(profile.ToBytes(), bytes);

    QTemporaryDir dir;
    const QString path = dir.filePath("whole.vdq");
    profile.SaveAs(path);
    QCOMPARE(TProfileFile::Load(path).ReadString("S", "k", QString()), value);
}

void TestProfileFile::overlongValueRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("long.vdq");
    TProfileFile profile;
    profile.WriteString("S", "k", QString(TProfileFile::MaxValueLength + 1, u'x'));
    profile.SaveAs(path);
    try {
        TProfileFile::Load(path);
        QFAIL("a value past the bound was read");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("%1 holds a value longer than 1048576 characters").arg(path));
    }
}

void TestProfileFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("145") << 145;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("blanks around") << QByteArray(" 42 ") << 42;
    QTest::newRow("hex lower prefix") << QByteArray("0x1F") << 31;
    QTest::newRow("hex upper prefix") << QByteArray("0X1f") << 31;
    QTest::newRow("hex as 32-bit pattern") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("too large") << QByteArray("2147483648") << -99;
    QTest::newRow("too small") << QByteArray("-2147483649") << -99;
    QTest::newRow("hex too large") << QByteArray("0x100000000") << -99;
    QTest::newRow("prefix only") << QByteArray("0x") << -99;
    QTest::newRow("bad hex digit") << QByteArray("0x1G") << -99;
    QTest::newRow("trailing text") << QByteArray("12abc") << -99;
    QTest::newRow("sign only") << QByteArray("-") << -99;
    QTest::newRow("empty") << QByteArray("") << -99;
    QTest::newRow("word") << QByteArray("ten") << -99;
    QTest::newRow("decimal point") << QByteArray("1.5") << -99;
    QTest::newRow("dollar hex is not hex") << QByteArray("$1F") << -99;
    QTest::newRow("many digits") << QByteArray("99999999999999999999999") << -99;
}

void TestProfileFile::readInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    const TProfileFile profile = TProfileFile::FromBytes("[S]\r\nk=" + text + "\r\n");
    QCOMPARE(profile.ReadInteger("s", "K", -99), expected);
    QCOMPARE(profile.ReadInteger("S", "missing", -99), -99);
}

void TestProfileFile::readBool_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("expected");
    QTest::newRow("one") << QByteArray("k=1") << false << true;
    QTest::newRow("zero") << QByteArray("k=0") << true << false;
    QTest::newRow("two") << QByteArray("k=2") << false << true;
    QTest::newRow("minus one") << QByteArray("k=-1") << false << true;
    QTest::newRow("hex zero") << QByteArray("k=0x0") << true << false;
    QTest::newRow("hex ten") << QByteArray("k=0x10") << false << true;
    QTest::newRow("word true is not an integer") << QByteArray("k=true") << true << false;
    QTest::newRow("yes is not an integer") << QByteArray("k=Yes") << true << false;
    QTest::newRow("empty is not an integer") << QByteArray("k=") << true << false;
    QTest::newRow("missing gives default true") << QByteArray("other=1") << true << true;
    QTest::newRow("missing gives default false") << QByteArray("other=1") << false << false;
}

void TestProfileFile::readBool()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, def);
    QFETCH(bool, expected);
    const TProfileFile profile = TProfileFile::FromBytes("[S]\r\n" + line + "\r\n");
    QCOMPARE(profile.ReadBool("S", "k", def), expected);
}

void TestProfileFile::write_data()
{
    // ops: section, key, value, repeated.
    QTest::addColumn<QByteArray>("initial");
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("into empty file") << QByteArray() << QStringList{"S", "k", "v"}
                                     << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("keys in writing order")
        << QByteArray() << QStringList{"S", "b", "1", "S", "a", "2", "T", "c", "3"}
        << QByteArray("[S]\r\nb=1\r\na=2\r\n[T]\r\nc=3\r\n");
    QTest::newRow("update in place") << QByteArray("[A]\r\nx=1\r\ny=2\r\n")
                                     << QStringList{"A", "x", "9"}
                                     << QByteArray("[A]\r\nx=9\r\ny=2\r\n");
    QTest::newRow("update ignores case, keeps spelling")
        << QByteArray("[Sec]\r\nKey=1\r\n") << QStringList{"SEC", "kEY", "2"}
        << QByteArray("[Sec]\r\nKey=2\r\n");
    QTest::newRow("same key twice gives one line")
        << QByteArray() << QStringList{"A", "x", "1", "a", "X", "2"} << QByteArray("[A]\r\nx=2\r\n");
    QTest::newRow("new key at end of its section")
        << QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n") << QStringList{"A", "z", "3"}
        << QByteArray("[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n");
    QTest::newRow("new key before trailing blank lines")
        << QByteArray("[A]\r\nx=1\r\n\r\n  \r\n[B]\r\n") << QStringList{"A", "z", "3", "A", "w", "4"}
        << QByteArray("[A]\r\nx=1\r\nz=3\r\nw=4\r\n\r\n  \r\n[B]\r\n");
    QTest::newRow("new section at end of file")
        << QByteArray("[A]\r\nx=1\r\n\r\n") << QStringList{"C", "k", "v"}
        << QByteArray("[A]\r\nx=1\r\n\r\n[C]\r\nk=v\r\n");
    QTest::newRow("nothing deleted, other lines kept")
        << QByteArray("; note\r\nstray\r\n[A]\r\n; c\r\ngarbage\r\nx=1\r\n")
        << QStringList{"A", "x", "2", "A", "n", "3"}
        << QByteArray("; note\r\nstray\r\n[A]\r\n; c\r\ngarbage\r\nx=2\r\nn=3\r\n");
    QTest::newRow("LF becomes CR LF") << QByteArray("[A]\nx=1\ny=2") << QStringList{"A", "y", "3"}
                                      << QByteArray("[A]\r\nx=1\r\ny=3\r\n");
    QTest::newRow("untouched Latin-1 line kept byte for byte")
        << QByteArray("[A]\r\nx=caf\xE9\r\ny=1\r\n") << QStringList{"A", "y", "2"}
        << QByteArray("[A]\r\nx=caf\xE9\r\ny=2\r\n");
    QTest::newRow("written text is UTF-8")
        << QByteArray("[A]\r\nx=caf\xE9\r\n") << QStringList{"A", "x", QString::fromUtf8("th\u00e9")}
        << QByteArray("[A]\r\nx=th\xC3\xA9\r\n");
    QTest::newRow("value equals sign") << QByteArray() << QStringList{"C", "0_Item_SubItems_0", "="}
                                       << QByteArray("[C]\r\n0_Item_SubItems_0==\r\n");
    QTest::newRow("value written untrimmed") << QByteArray() << QStringList{"S", "k", "  a b  "}
                                             << QByteArray("[S]\r\nk=  a b  \r\n");
    QTest::newRow("empty value") << QByteArray() << QStringList{"L", "OverText", ""}
                                 << QByteArray("[L]\r\nOverText=\r\n");
    QTest::newRow("line breaks in value written as blanks")
        << QByteArray() << QStringList{"S", "k", "a\r\nb\nc"} << QByteArray("[S]\r\nk=a  b c\r\n");
    QTest::newRow("second of duplicate sections untouched")
        << QByteArray("[A]\r\nx=1\r\n[a]\r\nx=2\r\n") << QStringList{"A", "x", "3", "A", "y", "4"}
        << QByteArray("[A]\r\nx=3\r\ny=4\r\n[a]\r\nx=2\r\n");
    QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[A]\r\nx=1\r\n")
                                          << QStringList{"A", "x", "2"}
                                          << QByteArray("\xEF\xBB\xBF[A]\r\nx=2\r\n");
}

void TestProfileFile::write()
{
    QFETCH(QByteArray, initial);
    QFETCH(QStringList, ops);
    QFETCH(QByteArray, expected);
    QCOMPARE(ops.size() % 3, 0);
    TProfileFile profile = TProfileFile::FromBytes(initial);
    for (qsizetype i = 0; i < ops.size(); i += 3)
        profile.WriteString(ops.at(i), ops.at(i + 1), ops.at(i + 2));
    QCOMPARE(profile.ToBytes(), expected);
    // The last value written to a key reads back, line breaks as blanks.
    QHash<QString, QString> last;
    for (qsizetype i = 0; i < ops.size(); i += 3) {
        QString value = ops.at(i + 2);
        value.replace(u'\r', u' ').replace(u'\n', u' ');
        last.insert(ops.at(i).toLower() + u'\n' + ops.at(i + 1).toLower(), value);
    }
    for (qsizetype i = 0; i < ops.size(); i += 3) {
        QCOMPARE(profile.ReadString(ops.at(i), ops.at(i + 1), "<def>"),
                 last.value(ops.at(i).toLower() + u'\n' + ops.at(i + 1).toLower()));
    }
    // The bytes parse to the same profile again.
    QCOMPARE(TProfileFile::FromBytes(profile.ToBytes()).ToBytes(), expected);
}

void TestProfileFile::writeNumbers()
{
    TProfileFile profile;
    profile.WriteInteger("N", "Neg", -5);
    profile.WriteInteger("N", "Big", 2147483647);
    profile.WriteInteger("N", "Zero", 0);
    profile.WriteBool("N", "Yes", true);
    profile.WriteBool("N", "No", false);
    QCOMPARE(profile.ToBytes(),
             QByteArray("[N]\r\nNeg=-5\r\nBig=2147483647\r\nZero=0\r\nYes=1\r\nNo=0\r\n"));
    QCOMPARE(profile.ReadInteger("N", "Neg", 0), -5);
    QCOMPARE(profile.ReadBool("N", "Yes", false), true);
    QCOMPARE(profile.ReadBool("N", "No", true), false);
}

void TestProfileFile::sectionsAndCounts()
{
    const TProfileFile profile = TProfileFile::FromBytes(
        "k=0\r\n[Session]\r\nSessionName=A\r\nDatabase=B\r\n[Table1]\r\nName=x\r\n"
        "; comment\r\n[EMPTY]\r\n[session]\r\nExtra=1\r\n");
    QCOMPARE(profile.Sections(), (QStringList{"Session", "Table1", "EMPTY"}));
    QCOMPARE(profile.SectionCount(), 3);
    QVERIFY(profile.SectionExists("SESSION"));
    QVERIFY(profile.SectionExists("empty"));
    QVERIFY(!profile.SectionExists("Table2"));
    QCOMPARE(profile.KeyCount("session"), 2);
    QCOMPARE(profile.KeyCount("Table1"), 1);
    QCOMPARE(profile.KeyCount("Empty"), 0);
    QCOMPARE(profile.KeyCount("Nowhere"), 0);
    QCOMPARE(profile.Keys("SESSION"), (QStringList{"SessionName", "Database"}));
    QCOMPARE(profile.Keys("Empty"), QStringList());
    QCOMPARE(TProfileFile::FromBytes("[S]\r\nb=1\r\nx\r\nA=2\r\nB=3\r\n").Keys("s"),
             (QStringList{"b", "A"}));
    QVERIFY(profile.KeyExists("Table1", "NAME"));
    QVERIFY(!profile.KeyExists("Table1", "comment"));

    TProfileFile empty;
    QCOMPARE(empty.SectionCount(), 0);
    QVERIFY(empty.Sections().isEmpty());
    QVERIFY(empty.ToBytes().isEmpty());
    QCOMPARE(empty.ReadString("S", "k", "d"), QString("d"));
}

void TestProfileFile::reparseGivesSameFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR LF") << QByteArray("[A]\r\nx=1\r\n");
    QTest::newRow("double CR") << QByteArray("[A]\r\nx=1\r\r\n");
    QTest::newRow("lone CR") << QByteArray("[A]\rx=1\r");
    QTest::newRow("blank lines") << QByteArray("\n\n[A]\n\nx=1\n\n");
    QTest::newRow("NUL bytes") << QByteArray("[A]\r\nx=\0\0\r\n", 12);
    QTest::newRow("Latin-1") << QByteArray("[\xE9]\r\n\xE9=\xE9\r\n");
    QTest::newRow("bracket only") << QByteArray("[\r\n]\r\n[]\r\n=\r\n");
}

void TestProfileFile::reparseGivesSameFile()
{
    QFETCH(QByteArray, bytes);
    const TProfileFile first = TProfileFile::FromBytes(bytes);
    const TProfileFile second = TProfileFile::FromBytes(first.ToBytes());
    QCOMPARE(second.ToBytes(), first.ToBytes());
    QCOMPARE(second.Sections(), first.Sections());
    for (const QString &section : first.Sections())
        QCOMPARE(second.KeyCount(section), first.KeyCount(section));
}

void TestProfileFile::manyKeys()
{
    // 40,000 keys in 100 sections, as a large design gives.
    QByteArray bytes;
    for (int s = 1; s <= 100; ++s) {
        bytes += "[Table" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 400; ++k)
            bytes += "Text" + QByteArray::number(k) + "=field_" + QByteArray::number(s * 1000 + k) + "\r\n";
    }
    QElapsedTimer timer;
    timer.start();
    const TProfileFile profile = TProfileFile::FromBytes(bytes);
    const qint64 parseMs = timer.elapsed();
    QCOMPARE(profile.SectionCount(), 100);
    int found = 0;
    for (int s = 1; s <= 100; ++s) {
        const QString section = QStringLiteral("table%1").arg(s);
        for (int k = 0; k < 400; ++k) {
            if (profile.ReadString(section, QStringLiteral("TEXT%1").arg(k), QString())
                == QStringLiteral("field_%1").arg(s * 1000 + k))
                ++found;
        }
    }
    QCOMPARE(found, 40000);
    QCOMPARE(profile.ToBytes(), bytes);

    timer.restart();
    TProfileFile written;
    for (int s = 1; s <= 100; ++s) {
        for (int k = 0; k < 400; ++k)
            written.WriteString(QStringLiteral("Table%1").arg(s), QStringLiteral("Text%1").arg(k),
                                QStringLiteral("field_%1").arg(s * 1000 + k));
    }
    const qint64 writeMs = timer.elapsed();
    QCOMPARE(written.ToBytes(), bytes);
    qInfo("40000 keys: parsed in %lld ms, written in %lld ms", parseMs, writeMs);
}

void TestProfileFile::saveAndLoad()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("q.vdq");
    TProfileFile profile = TProfileFile::FromBytes("[A]\nx=1\n");
    profile.WriteString("B", "y", "2");
    profile.SaveAs(path);
    QCOMPARE(FileBytes(path), QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n"));

    TProfileFile loaded = TProfileFile::Load(path);
    QCOMPARE(loaded.ReadString("b", "Y", QString()), QString("2"));
    loaded.WriteString("A", "x", "3");
    loaded.SaveAs(path);
    QCOMPARE(FileBytes(path), QByteArray("[A]\r\nx=3\r\n[B]\r\ny=2\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"q.vdq"});
}

void TestProfileFile::loadMissingFileIsEmpty()
{
    QTemporaryDir dir;
    const TProfileFile profile = TProfileFile::Load(dir.filePath("none.vdq"));
    QCOMPARE(profile.SectionCount(), 0);
    QCOMPARE(profile.ReadInteger("Tables", "Count", 7), 7);
}

void TestProfileFile::loadUnreadableFileFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("folder.vdq");
    QVERIFY(QDir().mkdir(path));
    try {
        TProfileFile::Load(path);
        QFAIL("a directory was read as a profile");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open file %1: Is a directory").arg(path));
    }
}

void TestProfileFile::saveIntoMissingDirectoryFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/q.vdq");
    TProfileFile profile;
    profile.WriteString("S", "k", "v");
    try {
        profile.SaveAs(path);
        QFAIL("saved into a missing directory");
    } catch (const VdqError &error) {
        // The system's reason follows the message.
        const QString start = QStringLiteral("Unable to write to %1: ").arg(path);
        QVERIFY2(error.message().startsWith(start), qPrintable(error.message()));
        QVERIFY2(error.message().size() > start.size(), qPrintable(error.message()));
    }
}

void TestProfileFile::failedSaveKeepsOldFile_data()
{
    // Smaller than a write buffer, the failure shows only when the buffer is flushed.
    QTest::addColumn<int>("keys");
    QTest::newRow("file smaller than a write buffer") << 400;
    QTest::newRow("file larger than a write buffer") << 4000;
}

void TestProfileFile::failedSaveKeepsOldFile()
{
    // A write that fails halfway (here: the file size limit, as a full disk) leaves the
    // old file whole and says why.
    QFETCH(int, keys);
    QTemporaryDir dir;
    const QString path = dir.filePath("q.vdq");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[Old]\r\nk=v\r\n");
    }
    TProfileFile profile;
    for (int i = 0; i < keys; ++i)
        profile.WriteInteger("New", QStringLiteral("Key%1").arg(i), i);
    QVERIFY(profile.ToBytes().size() > 4096);

    const QString message = LimitedWrite::MessageOf(4096, [&] { profile.SaveAs(path); });
    QCOMPARE(message, QStringLiteral("Unable to write to %1: %2").arg(path, QString::fromLocal8Bit(strerror(EFBIG))));
    QCOMPARE(FileBytes(path), QByteArray("[Old]\r\nk=v\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"q.vdq"});
    // Within the limit the same save goes through.
    QCOMPARE(LimitedWrite::MessageOf(RLIM_INFINITY, [&] { profile.SaveAs(path); }), QStringLiteral("no error"));
    QCOMPARE(FileBytes(path), profile.ToBytes());
}

void TestProfileFile::specialFilesRefused_data()
{
    // Each would hang the reader (a FIFO without a writer) or feed it without end.
    QTest::addColumn<QString>("kind");
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("link to a fifo") << "fifolink";
    QTest::newRow("/dev/zero") << "zero";
    QTest::newRow("link to /dev/zero") << "zerolink";
}

void TestProfileFile::specialFilesRefused()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.vdq");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString path = fifo;
    if (kind == QLatin1String("zero"))
        path = QStringLiteral("/dev/zero");
    if (kind.endsWith(QLatin1String("link"))) {
        path = dir.filePath("link.vdq");
        QVERIFY(QFile::link(kind == QLatin1String("fifolink") ? fifo : QStringLiteral("/dev/zero"), path));
    }
    try {
        TProfileFile::Load(path);
        QFAIL("a special file was read");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open file %1: Not a regular file").arg(path));
    }
}

void TestProfileFile::saveOntoSpecialFileRefused()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.vdq");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TProfileFile profile;
    profile.WriteString("S", "k", "v");
    try {
        profile.SaveAs(fifo);
        QFAIL("saved onto a FIFO");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to %1: Not a regular file").arg(fifo));
    }
    struct stat st{};
    QCOMPARE(stat(QFile::encodeName(fifo).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void TestProfileFile::oversizedFileRefused()
{
    // Sparse: the size counts, not what the disk holds.
    QTemporaryDir dir;
    const QString path = dir.filePath("big.vdq");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("[Query]\r\nType=1\r\n") > 0);
    QVERIFY(file.resize(64 * 1024 * 1024 + 1));
    file.close();
    try {
        TProfileFile::Load(path);
        QFAIL("a file over 64 MB was read");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open file %1: Larger than 64 MB").arg(path));
    }
    QVERIFY(file.resize(64 * 1024 * 1024));
    QCOMPARE(TProfileFile::Load(path).ReadInteger("Query", "Type", 0), 1);
}

void TestProfileFile::namesBeyondTheBasicPlane()
{
    // Names made of characters above U+FFFF: each is found as itself and no other, and
    // letter case is ignored there too (Deseret has capitals).
    QByteArray bytes;
    QStringList names;
    for (char32_t c = 0x1F600; c < 0x1F600 + 200; ++c) {
        const QString name = QString::fromUcs4(&c, 1) + QString::fromUcs4(&c, 1);
        names << name;
        bytes += '[' + name.toUtf8() + "]\r\nk=" + QByteArray::number(int(c)) + "\r\n";
    }
    const char32_t upper = 0x10400, lower = 0x10428;
    bytes += "[" + QString::fromUcs4(&upper, 1).toUtf8() + "]\r\nk=deseret\r\n";
    const TProfileFile profile = TProfileFile::FromBytes(bytes);
    QCOMPARE(profile.SectionCount(), 201);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(profile.ReadInteger(names.at(i), "K", -1), 0x1F600 + i);
    QCOMPARE(profile.ReadString(QString::fromUcs4(&lower, 1), "k", QString()), QStringLiteral("deseret"));
    QCOMPARE(profile.ReadString(QString::fromUcs4(&lower, 1) + u'x', "k", "none"), QStringLiteral("none"));
}

void TestProfileFile::runsOfOtherLines_data()
{
    // Runs of comments, stray text and blank lines, held together, come back as they were,
    // and a new key still goes after the last line that is not blank.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("blank run before a section")
        << QByteArray("\n\n\n[S]\na=1\n\n\n\n[T]\n")
        << QByteArray("\r\n\r\n\r\n[S]\r\na=1\r\nnew=v\r\n\r\n\r\n\r\n[T]\r\n");
    QTest::newRow("comments then blanks")
        << QByteArray("[S]\n; one\n; two\nstray\n \t\n\n")
        << QByteArray("[S]\r\n; one\r\n; two\r\nstray\r\nnew=v\r\n \t\r\n\r\n");
    QTest::newRow("blanks between comments")
        << QByteArray("[S]\n;a\n\n;b\n\n")
        << QByteArray("[S]\r\n;a\r\n\r\n;b\r\nnew=v\r\n\r\n");
    QTest::newRow("carriage returns before a line end dropped")
        << QByteArray("[S]\r\n;a\r\r\n\r\r\n")
        << QByteArray("[S]\r\n;a\r\nnew=v\r\n\r\n");
    QTest::newRow("later section of the same name")
        << QByteArray("[S]\na=1\n\n[s]\nb=2\n[S]\n\n[T]\n")
        << QByteArray("[S]\r\na=1\r\nnew=v\r\n\r\n[s]\r\nb=2\r\n[S]\r\n\r\n[T]\r\n");
    QTest::newRow("only line ends") << QByteArray(100000, '\n') << QByteArray();
}

void TestProfileFile::runsOfOtherLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    TProfileFile profile = TProfileFile::FromBytes(bytes);
    QByteArray crlf = bytes;
    while (crlf.contains("\r\n"))
        crlf.replace("\r\n", "\n");
    crlf.replace("\n", "\r\n");
    QCOMPARE(profile.ToBytes(), crlf);
    if (written.isEmpty())
        return;
    profile.WriteString("S", "new", "v");
    QCOMPARE(profile.ToBytes(), written);
    // The keys of a later section of the same name stay unseen.
    QCOMPARE(profile.ReadString("S", "b", "unseen"), QStringLiteral("unseen"));
    QCOMPARE(TProfileFile::FromBytes(written).ToBytes(), written);
}

void TestProfileFile::byteOrderMarkInsideTheFile()
{
    // A byte-order mark that starts a later line is text of that line: the line is a key,
    // not a section, and it stays one after writing and reading again.
    const QByteArray bytes("[Tables]\r\nCount=1\r\n\xEF\xBB\xBF[Table1]=x\r\n[Links]\r\nCount=0\r\n");
    const TProfileFile profile = TProfileFile::FromBytes(bytes);
    QCOMPARE(profile.Sections(), QStringList({"Tables", "Links"}));
    QCOMPARE(profile.ToBytes(), bytes);
    const TProfileFile again = TProfileFile::FromBytes(profile.ToBytes());
    QCOMPARE(again.Sections(), profile.Sections());
    QCOMPARE(again.ReadString("Tables", QString(QChar(0xFEFF)) + "[Table1]", "none"), QStringLiteral("x"));
    // At the very start it is the file's mark, kept on writing.
    const TProfileFile marked = TProfileFile::FromBytes("\xEF\xBB\xBF[Query]\r\nType=1\r\n");
    QCOMPARE(marked.ReadInteger("Query", "Type", 0), 1);
    QVERIFY(marked.ToBytes().startsWith("\xEF\xBB\xBF[Query]"));
}

QTEST_APPLESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
