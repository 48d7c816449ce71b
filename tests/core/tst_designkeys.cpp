// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfromdefinition.h"
#include "querydefinition.h"
#include "sqlbuilders.h"

#include <QtTest>

// The keys for join types, totals, DISTINCT and the row limit: written only where they say
// something, read back the same, and turned into the design the builders take.
class TestDesignKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writtenByteForByte();
    void readBack_data();
    void readBack();
    void savedOverOlderKeys();
    void designFromKeys();
};

namespace {

QueryDefinition ExtendedDesign()
{
    QueryDefinition def;
    def.sessionName = "Default";
    def.database = "SHOP";
    def.distinct = true;
    def.limit = 10;
    StoredTable clients;
    clients.name = "clients";
    clients.items = {{"ClientNo", false}, {"Town", true}};
    clients.totals = {"", "GROUP"};
    clients.itemCount = 2;
    StoredTable sales;
    sales.name = "sales";
    sales.items = {{"SaleNo", true}};
    sales.totals = {"COUNT"};
    sales.itemCount = 1;
    def.tables = {clients, sales};
    StoredLink link;
    link.field1Table = "clients";
    link.field2Table = "sales";
    link.hint = "clients.ClientNo = sales.ClientNo";
    link.joinType = "LEFT";
    def.links = {link};
    def.conditions.rows = {{"clients.ClientNo", "=", "sales.ClientNo", "AND"},
                           {"COUNT(sales.SaleNo)", "> (Greater Than)", "2", "AND"}};
    return def;
}

const QByteArray ExtendedBytes = "[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n"
                                 "[Query]\r\nType=0\r\nDistinct=1\r\nLimit=10\r\n"
                                 "[Table1]\r\nName=clients\r\nText0=ClientNo\r\nChecked0=0\r\nText1=Town\r\n"
                                 "Checked1=1\r\nTotal1=GROUP\r\nItemCount=2\r\nLeft=145\r\nTop=100\r\nWidth=121\r\n"
                                 "Height=180\r\n"
                                 "[Table2]\r\nName=sales\r\nText0=SaleNo\r\nChecked0=1\r\nTotal0=COUNT\r\nItemCount=1\r\n"
                                 "Left=145\r\nTop=100\r\nWidth=121\r\nHeight=180\r\n"
                                 "[Tables]\r\nCount=2\r\n"
                                 "[Link1]\r\nField1Table=clients\r\nField2Table=sales\r\n"
                                 "Hint=clients.ClientNo = sales.ClientNo\r\nOverText=\r\nJoinType=LEFT\r\nLeft=0\r\nTop=0\r\n"
                                 "Width=0\r\nHeight=0\r\n"
                                 "[Links]\r\nCount=1\r\n"
                                 "[Values]\r\nColumnCount=2\r\nItemCount=0\r\n"
                                 "[Conditions]\r\nColumnCount=4\r\nItemCount=2\r\n0_Item_Caption_=clients.ClientNo\r\n"
                                 "0_Item_SubItems_0==\r\n0_Item_SubItems_1=sales.ClientNo\r\n0_Item_SubItems_2=AND\r\n"
                                 "1_Item_Caption_=COUNT(sales.SaleNo)\r\n1_Item_SubItems_0=> (Greater Than)\r\n"
                                 "1_Item_SubItems_1=2\r\n1_Item_SubItems_2=AND\r\n"
                                 "[Sorting]\r\nColumnCount=2\r\nItemCount=0\r\n";

QueryDefinition Read(const QByteArray &bytes)
{
    return ReadQueryDefinition(TProfileFile::FromBytes(bytes));
}

QByteArray Written(const QueryDefinition &def)
{
    TProfileFile file;
    WriteQueryDefinition(file, def);
    return file.ToBytes();
}

} // namespace

void TestDesignKeys::writtenByteForByte()
{
    QCOMPARE(Written(ExtendedDesign()), ExtendedBytes);
    // Without the new values none of the new keys is written.
    QueryDefinition plain = ExtendedDesign();
    plain.distinct = false;
    plain.limit = 0;
    plain.tables[0].totals.clear();
    plain.tables[1].totals = {""};
    plain.links[0].joinType.clear();
    const QByteArray bytes = Written(plain);
    for (const char *key : {"Distinct", "Limit", "Total", "JoinType"})
        QVERIFY2(!bytes.contains(key), key);
}

void TestDesignKeys::readBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("distinct");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("joinType");
    QTest::addColumn<QStringList>("totals");
    const QByteArray table = "[Tables]\r\nCount=1\r\n[Table1]\r\nName=t\r\nText0=a\r\nText1=b\r\nItemCount=2\r\n";
    const QByteArray link = "[Links]\r\nCount=1\r\n[Link1]\r\nField1Table=t\r\nField2Table=u\r\n";
    QTest::newRow("classic") << table + link << false << 0 << "" << QStringList();
    QTest::newRow("all") << "[Query]\r\nDistinct=1\r\nLimit=25\r\n" + table + "Total1=SUM\r\n" + link + "JoinType=FULL\r\n"
                         << true << 25 << "FULL" << QStringList{"", "SUM"};
    QTest::newRow("written defaults") << "[Query]\r\nDistinct=0\r\nLimit=0\r\n" + table + "Total0=\r\n" + link
                                             + "JoinType=\r\n"
                                      << false << 0 << "" << QStringList();
    QTest::newRow("total of an item the file does not hold")
        << table + "Total5=MAX\r\n" + link << false << 0 << "" << QStringList();
    QTest::newRow("unknown words kept as read")
        << "[Query]\r\nDistinct=yes\r\nLimit=ten\r\n" + table + "Total0=MEDIAN\r\n" + link + "JoinType=OUTER\r\n"
        << false << 0 << "OUTER" << QStringList{"MEDIAN", ""};
}

void TestDesignKeys::readBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, distinct);
    QFETCH(int, limit);
    QFETCH(QString, joinType);
    QFETCH(QStringList, totals);
    const QueryDefinition def = Read(bytes);
    QCOMPARE(def.distinct, distinct);
    QCOMPARE(def.limit, limit);
    QCOMPARE(def.links.size(), 1);
    QCOMPARE(def.links.first().joinType, joinType);
    QCOMPARE(def.tables.size(), 1);
    QCOMPARE(def.tables.first().totals, totals);
    // What is read is written back the same.
    QCOMPARE(Read(Written(def)), def);
}

void TestDesignKeys::savedOverOlderKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.vdq");
    SaveQueryDefinitionFile(path, ExtendedDesign());
    QCOMPARE(LoadQueryDefinitionFile(path), ExtendedDesign());
    // Saved again as a classic design, the old keys say the defaults and read as such.
    QueryDefinition plain = ExtendedDesign();
    plain.distinct = false;
    plain.limit = 0;
    plain.tables[0].totals.clear();
    plain.tables[1].totals.clear();
    plain.links[0].joinType.clear();
    SaveQueryDefinitionFile(path, plain);
    QCOMPARE(LoadQueryDefinitionFile(path), plain);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("Distinct=0\r\nLimit=0\r\n"));
    QVERIFY(bytes.contains("JoinType=\r\n"));
    QVERIFY(bytes.contains("Total0=\r\n"));
}

void TestDesignKeys::designFromKeys()
{
    const QHash<QString, QStringList> fields = {{"clients", {"ClientNo", "Firm", "Town"}}, {"sales", {"SaleNo"}}};
    const QueryDesign design = DesignFromDefinition(
        ExtendedDesign(), [&](const QString &table) { return fields.value(table); }, IdentifierStyle{});
    QVERIFY(design.distinct);
    QCOMPARE(design.limit, 10);
    QCOMPARE(design.links.size(), 1);
    QCOMPARE(design.links.first().joinType, JoinType::Left);
    QCOMPARE(design.links.first().condition, QStringLiteral("clients.ClientNo = sales.ClientNo"));
    QCOMPARE(design.tables.first().totals,
             (QList<TotalKind>{TotalKind::None, TotalKind::None, TotalKind::Group}));
    QCOMPARE(GenerateSQLText(design),
             QStringLiteral("SELECT DISTINCT clients.Town, COUNT(sales.SaleNo) FROM\nclients clients\n"
                            "LEFT JOIN sales sales ON clients.ClientNo = sales.ClientNo\nGROUP BY \n clients.Town\n"
                            "HAVING \n COUNT(sales.SaleNo) > 2 \nLIMIT 10"));
}

QTEST_MAIN(TestDesignKeys)
#include "tst_designkeys.moc"
