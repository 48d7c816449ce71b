// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "valuetext.h"

#include <QtTest>

class TestValueText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numberValueText_data();
    void numberValueText();
    void stringValueText_data();
    void stringValueText();
    void dateValueText_data();
    void dateValueText();
    void timeValueText_data();
    void timeValueText();
    void logicalValueText();
    void parameterText_data();
    void parameterText();
    void isValidNumber_data();
    void isValidNumber();
};

void TestValueText::numberValueText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("leading zeros kept") << "007" << "007";
    QTest::newRow("negative decimal") << "-3.25" << "-3.25";
    QTest::newRow("leading blanks kept") << "  12" << "  12";
    QTest::newRow("exponent") << "2E-3" << "2E-3";
    QTest::newRow("not a number passes unchanged") << "abc" << "abc";
    QTest::newRow("empty") << "" << "";
}

void TestValueText::numberValueText()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QCOMPARE(NumberValueText(typed), written);
}

void TestValueText::stringValueText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "London" << "'London'";
    QTest::newRow("empty") << "" << "''";
    QTest::newRow("embedded quote doubled") << "O'Brien" << "'O''Brien'";
    QTest::newRow("every quote doubled") << "'a''b'" << "'''a''''b'''";
    QTest::newRow("double quote kept as it is") << "a\"b" << "'a\"b'";
    QTest::newRow("blanks kept") << " x " << "' x '";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Z\u00fcrich") << QString::fromUtf8("'Z\u00fcrich'");
}

void TestValueText::stringValueText()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QCOMPARE(StringValueText(text), written);
}

void TestValueText::dateValueText_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("written");
    QTest::newRow("picker default") << QDate(1998, 7, 19) << "'1998-07-19'";
    QTest::newRow("single-digit month and day") << QDate(2003, 1, 5) << "'2003-01-05'";
    QTest::newRow("year end") << QDate(1999, 12, 31) << "'1999-12-31'";
    QTest::newRow("leap day") << QDate(2024, 2, 29) << "'2024-02-29'";
}

void TestValueText::dateValueText()
{
    QFETCH(QDate, date);
    QFETCH(QString, written);
    QCOMPARE(DateValueText(date), written);
}

void TestValueText::timeValueText_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("written");
    QTest::newRow("picker default") << QTime(0, 2, 53) << "'00:02:53'";
    QTest::newRow("afternoon is 24-hour")
        << QTime::fromString(QStringLiteral("2:05:09 pm"), QStringLiteral("h:mm:ss ap")) << "'14:05:09'";
    QTest::newRow("midnight") << QTime(0, 0, 0) << "'00:00:00'";
    QTest::newRow("noon") << QTime(12, 0, 0) << "'12:00:00'";
    QTest::newRow("last second") << QTime(23, 59, 59) << "'23:59:59'";
    QTest::newRow("milliseconds dropped") << QTime(8, 30, 15, 999) << "'08:30:15'";
}

void TestValueText::timeValueText()
{
    QFETCH(QTime, time);
    QFETCH(QString, written);
    QCOMPARE(TimeValueText(time), written);
}

void TestValueText::logicalValueText()
{
    QCOMPARE(LogicalValueText(true), QStringLiteral("TRUE"));
    QCOMPARE(LogicalValueText(false), QStringLiteral("FALSE"));
}

void TestValueText::parameterText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("name") << "Cust" << ":Cust";
    QTest::newRow("empty name gives colon alone") << "" << ":";
    QTest::newRow("typed as it is") << "Cust No" << ":Cust No";
}

void TestValueText::parameterText()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    QCOMPARE(ParameterText(name), written);
}

void TestValueText::isValidNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    // Invalid.
    QTest::newRow("empty") << "" << false;
    QTest::newRow("lone minus") << "-" << false;
    QTest::newRow("lone plus") << "+" << false;
    QTest::newRow("comma separator") << "1,5" << false;
    QTest::newRow("trailing blank") << "12 " << false;
    QTest::newRow("exponent without digits") << "1e" << false;
    QTest::newRow("exponent sign without digits") << "1e-" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("blanks then sign only") << "  -" << false;
    QTest::newRow("tab is not a blank") << "\t1" << false;
    QTest::newRow("two full stops") << "1.2.3" << false;
    QTest::newRow("two signs") << "--1" << false;
    QTest::newRow("blank after sign") << "- 1" << false;
    QTest::newRow("blank inside") << "1 2" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("trailing letter") << "12a" << false;
    QTest::newRow("fractional exponent") << "1e2.5" << false;
    // Valid.
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("negative after leading blanks") << "   -3.25" << true;
    QTest::newRow("lone full stop") << "." << true;
    QTest::newRow("no integer digits") << ".5" << true;
    QTest::newRow("exponent with sign") << "2E-3" << true;
    QTest::newRow("lower-case exponent with plus") << "1e+10" << true;
    QTest::newRow("plus sign") << "+7" << true;
    QTest::newRow("leading zeros") << "007" << true;
    QTest::newRow("no fraction digits") << "5." << true;
    QTest::newRow("fraction and exponent") << "-1.5e3" << true;
}

void TestValueText::isValidNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidNumber(text), valid);
}

QTEST_APPLESS_MAIN(TestValueText)
#include "tst_valuetext.moc"
