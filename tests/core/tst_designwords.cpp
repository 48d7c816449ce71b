// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designwords.h"
#include "querymodel.h"
#include "sqlbuilders.h"

#include <QtTest>

class TestDesignWords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineBreaks_data();
    void lineBreaks();
    void sortWords_data();
    void sortWords();
    void sortWordReachesOrderBy_data();
    void sortWordReachesOrderBy();
    void booleanOperator();
    void nullComparison_data();
    void nullComparison();
    void storedComparisons();
    void joinText_data();
    void joinText();
    void queryTypeFromTag_data();
    void queryTypeFromTag();
};

void TestDesignWords::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("no break") << "SELECT 1" << "SELECT 1";
    QTest::newRow("LF kept") << "a\nb" << "a\nb";
    QTest::newRow("CR LF") << "a\r\nb\r\n" << "a\nb\n";
    QTest::newRow("lone CR") << "a\rb" << "a\nb";
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << "a\n\nb";
    QTest::newRow("CR CR LF") << "a\r\r\nb" << "a\n\nb";
    QTest::newRow("mixed") << "1\r\n2\r3\n4" << "1\n2\n3\n4";
}

void TestDesignWords::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, normalized);
    QCOMPARE(NormalizeLineBreaks(text), normalized);
}

void TestDesignWords::sortWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("ascending");
    QTest::newRow("Yes") << "Yes" << true;
    QTest::newRow("No") << "No" << false;
    QTest::newRow("letter case counts") << "yes" << false;
    QTest::newRow("a translated caption") << "Ja" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("space after") << "Yes " << false;
}

void TestDesignWords::sortWords()
{
    QFETCH(QString, word);
    QFETCH(bool, ascending);
    QCOMPARE(IsAscendingWord(word), ascending);
    // The words written for a direction read back as that direction.
    QCOMPARE(IsAscendingWord(SortWord(ascending)), ascending);
}

void TestDesignWords::sortWordReachesOrderBy_data()
{
    sortWords_data();
}

void TestDesignWords::sortWordReachesOrderBy()
{
    QFETCH(QString, word);
    QFETCH(bool, ascending);
    QueryDesign design;
    design.tables << DesignTable{QStringLiteral("T"), {QStringLiteral("a")}, {true}, {}};
    design.sorting << SortRow{QStringLiteral("T.a"), word};
    const QStringList lines = GenerateSQLLines(design);
    QCOMPARE(lines.last(), ascending ? QStringLiteral(" T.a") : QStringLiteral(" T.a DESC"));
}

void TestDesignWords::booleanOperator()
{
    QCOMPARE(BooleanOperatorWord(false), QStringLiteral("AND"));
    QCOMPARE(BooleanOperatorWord(true), QStringLiteral("OR"));
    QCOMPARE(QString(NewRowComparison), QStringLiteral("="));
}

void TestDesignWords::nullComparison_data()
{
    QTest::addColumn<QString>("comparison");
    QTest::addColumn<bool>("nullTest");
    QTest::newRow("IS NULL") << "IS NULL" << true;
    QTest::newRow("IS NOT NULL") << "IS NOT NULL" << true;
    QTest::newRow("equals") << "= (Equals)" << false;
    QTest::newRow("new row") << "=" << false;
    QTest::newRow("lower case") << "is null" << false;
    QTest::newRow("like") << "like " << false;
}

void TestDesignWords::nullComparison()
{
    QFETCH(QString, comparison);
    QFETCH(bool, nullTest);
    QCOMPARE(IsNullComparison(comparison), nullTest);
}

void TestDesignWords::storedComparisons()
{
    // The dialog's order: its radio buttons 1 to 7, 10 and 11.
    const QStringList expected{"= (Equals)", "<= (Less Than or Equals)", "< (Less Than)", "like ",
                               "> (Greater Than)", "<> (Not Equal)", ">= (Greater Than or Equals)",
                               "IS NULL", "IS NOT NULL"};
    QStringList stored;
    for (QLatin1String word : StoredComparisons)
        stored << QString(word);
    QCOMPARE(stored, expected);
}

void TestDesignWords::joinText_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "SALES_DB.ClientNo" << "CLIENTS_DB.ClientNo" << "SALES_DB.ClientNo = CLIENTS_DB.ClientNo";
    QTest::newRow("quoted") << "t.\"a b\"" << "u.\"c\"" << "t.\"a b\" = u.\"c\"";
    QTest::newRow("empty target") << "t.a" << "" << "t.a = ";
}

void TestDesignWords::joinText()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, text);
    QCOMPARE(JoinText(source, target), text);
}

void TestDesignWords::queryTypeFromTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("type");
    QTest::newRow("select") << 0 << true << int(QueryType::Select);
    QTest::newRow("insert") << 1 << true << int(QueryType::Insert);
    QTest::newRow("update") << 2 << true << int(QueryType::Update);
    QTest::newRow("delete") << 3 << true << int(QueryType::Delete);
    QTest::newRow("below") << -1 << false << 0;
    QTest::newRow("above") << 4 << false << 0;
    QTest::newRow("large") << 256 << false << 0;
}

void TestDesignWords::queryTypeFromTag()
{
    QFETCH(int, tag);
    QFETCH(bool, valid);
    QFETCH(int, type);
    const std::optional<QueryType> read = QueryTypeFromTag(tag);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(int(*read), type);
}

QTEST_APPLESS_MAIN(TestDesignWords)
#include "tst_designwords.moc"
