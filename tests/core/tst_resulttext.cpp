// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "resulttext.h"

#include <QtTest>

#include <limits>

// The texts a result is handed on as: clipboard cells, CSV fields, JSON strings and numbers.
class TestResultText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tabSeparatedCell_data();
    void tabSeparatedCell();
    void tabSeparatedText();
    void csvField_data();
    void csvField();
    void jsonString_data();
    void jsonString();
    void numbers_data();
    void numbers();
};

void TestResultText::tabSeparatedCell_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cell");
    QTest::newRow("plain") << "Anna Berg" << "Anna Berg";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("comma stays") << "a,b" << "a,b";
    QTest::newRow("tab") << "a\tb" << "\"a\tb\"";
    QTest::newRow("line feed") << "one\ntwo" << "\"one\ntwo\"";
    QTest::newRow("carriage return") << "one\r\ntwo" << "\"one\r\ntwo\"";
    QTest::newRow("quote") << "5\" disk" << "\"5\"\" disk\"";
    QTest::newRow("apostrophe stays") << "O'Neill" << "O'Neill";
}

void TestResultText::tabSeparatedCell()
{
    QFETCH(QString, value);
    QFETCH(QString, cell);
    QCOMPARE(TabSeparatedCell(value), cell);
}

void TestResultText::tabSeparatedText()
{
    QCOMPARE(TabSeparatedText({QStringLiteral("Id"), QStringLiteral("Name")},
                              {{QStringLiteral("1"), QStringLiteral("a\tb")}, {QStringLiteral("2"), QString()}}),
             QStringLiteral("Id\tName\n1\t\"a\tb\"\n2\t\n"));
}

void TestResultText::csvField_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QByteArray("Anna Berg") << QByteArray("Anna Berg");
    QTest::newRow("empty text is quoted") << QByteArray("") << QByteArray("\"\"");
    QTest::newRow("comma") << QByteArray("a,b") << QByteArray("\"a,b\"");
    QTest::newRow("quote") << QByteArray("say \"hi\"") << QByteArray("\"say \"\"hi\"\"\"");
    QTest::newRow("line feed") << QByteArray("one\ntwo") << QByteArray("\"one\ntwo\"");
    QTest::newRow("carriage return") << QByteArray("one\rtwo") << QByteArray("\"one\rtwo\"");
    QTest::newRow("tab stays") << QByteArray("a\tb") << QByteArray("a\tb");
    QTest::newRow("utf-8 stays") << QByteArray("Gr\xc3\xbc\xc3\x9f" "e") << QByteArray("Gr\xc3\xbc\xc3\x9f" "e");
}

void TestResultText::csvField()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, field);
    QByteArray out("x,");
    AppendCsvField(out, value.constData(), value.size());
    QCOMPARE(out, "x," + field);
}

void TestResultText::jsonString_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("plain") << QByteArray("abc") << QByteArray("\"abc\"");
    QTest::newRow("empty") << QByteArray("") << QByteArray("\"\"");
    QTest::newRow("quote and backslash") << QByteArray("a\"b\\c") << QByteArray("\"a\\\"b\\\\c\"");
    QTest::newRow("line breaks and tab") << QByteArray("a\nb\r\tc") << QByteArray("\"a\\nb\\r\\tc\"");
    QTest::newRow("control") << QByteArray("a\x01z") << QByteArray("\"a\\u0001z\"");
    QTest::newRow("utf-8 stays") << QByteArray("\xe2\x82\xac") << QByteArray("\"\xe2\x82\xac\"");
}

void TestResultText::jsonString()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, json);
    QByteArray out;
    AppendJsonString(out, value.constData(), value.size());
    QCOMPARE(out, json);
    // What a JSON reader makes of it is the text again.
    const QJsonDocument doc = QJsonDocument::fromJson("[" + out + "]");
    QCOMPARE(doc.array().at(0).toString().toUtf8(), value);
}

void TestResultText::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("half") << 2.5 << QByteArray("2.5") << QByteArray("2.5");
    QTest::newRow("tenth") << 0.1 << QByteArray("0.1") << QByteArray("0.1");
    QTest::newRow("negative") << -1234.125 << QByteArray("-1234.125") << QByteArray("-1234.125");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QByteArray("NaN") << QByteArray("null");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QByteArray("Infinity") << QByteArray("null");
}

void TestResultText::numbers()
{
    QFETCH(double, value);
    QFETCH(QByteArray, csv);
    QFETCH(QByteArray, json);
    QByteArray out;
    AppendDouble(out, value, false);
    QCOMPARE(out, csv);
    out.clear();
    AppendDouble(out, value, true);
    QCOMPARE(out, json);
    out.clear();
    AppendInteger(out, std::numeric_limits<qint64>::min());
    QCOMPARE(out, QByteArray("-9223372036854775808"));
}

QTEST_GUILESS_MAIN(TestResultText)
#include "tst_resulttext.moc"
