// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "querydefinition.h"
#include "vdqerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

class TestQueryDefinition : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exampleWrittenByteForByte();
    void exampleReadBack();
    void exampleSavedOverItselfUnchanged();
    void exampleWithLfLineEndsReadsTheSame();
    void noTables();
    void emptyListWritesOnlyCounts();
    void equalsSignsInConditionRow();
    void threeLinks();
    void smallerDesignOverOlderFile();
    void tableDefaults_data();
    void tableDefaults();
    void counts_data();
    void counts();
    void listRows_data();
    void listRows();
    void queryType_data();
    void queryType();
    void hostileCounts_data();
    void hostileCounts();
    void roundTrip();
    void extensionsOverOlderFile();
    void latin1File();
    void applyStoredTicks_data();
    void applyStoredTicks();
    void lostFieldTicks();
    void refusedFiles_data();
    void refusedFiles();
    void acceptedEmptyFiles_data();
    void acceptedEmptyFiles();
    void lineEnds_data();
    void lineEnds();
    void overlongValueRefused();
    void missingFileIsEmptyDesign();
    void unreadableFileFails();
    void saveOverNonDefinitionReplacesIt();
    void saveIntoMissingDirectoryFails();
    void saveKeepsOldFileWhenDirectoryNotWritable();
    void fileExtension_data();
    void fileExtension();
};

namespace {

const char *ExamplePath = VDQ_SOURCE_DIR "/tests/core/data/example.vdq";

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

StoredTable Table(const QString &name, const QList<QPair<QString, bool>> &items, int left, int top,
                  int width = 121, int height = 180)
{
    StoredTable table;
    table.name = name;
    table.items = items;
    table.itemCount = int(items.size());
    table.left = left;
    table.top = top;
    table.width = width;
    table.height = height;
    return table;
}

StoredLink Link(const QString &from, const QString &to, const QString &hint, int left = 0,
                int top = 0, int width = 0, int height = 0)
{
    StoredLink link;
    link.field1Table = from;
    link.field2Table = to;
    link.hint = hint;
    link.left = left;
    link.top = top;
    link.width = width;
    link.height = height;
    return link;
}

// The design of the example file: clients.db and sales.db joined on ClientNo.
QueryDefinition ExampleDesign()
{
    QueryDefinition def;
    def.sessionName = "Default";
    def.database = "SHOP";
    def.type = 0;
    def.tables = {Table("clients.db", {{"ClientNo", true}, {"Firm", true}}, 50, 40),
                  Table("sales.db", {{"SaleNo", true}, {"ClientNo", false}}, 300, 140)};
    def.links = {Link("clients.db", "sales.db", "clients_db.ClientNo = sales_db.ClientNo", 171, 60,
                      129, 100)};
    def.conditions.rows = {{"clients_db.ClientNo", "=", "sales_db.ClientNo", "AND"}};
    def.sorting.rows = {{"sales_db.SaleNo", "Yes"}};
    return def;
}

QString Rows(const StoredList &list)
{
    QStringList rows;
    for (const QStringList &row : list.rows)
        rows.append(row.join(u'|'));
    return rows.join(u';');
}

QueryDefinition Read(const QByteArray &bytes)
{
    return ReadQueryDefinition(TProfileFile::FromBytes(bytes));
}

} // namespace

void TestQueryDefinition::exampleWrittenByteForByte()
{
    const QByteArray expected = FileBytes(ExamplePath);
    QVERIFY(expected.startsWith("[Session]\r\n"));

    TProfileFile profile;
    WriteQueryDefinition(profile, ExampleDesign());
    QCOMPARE(profile.ToBytes(), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("example.vdq");
    SaveQueryDefinitionFile(path, ExampleDesign());
    QCOMPARE(FileBytes(path), expected);
}

void TestQueryDefinition::exampleReadBack()
{
    const QueryDefinition def = LoadQueryDefinitionFile(ExamplePath);
    QCOMPARE(def.sessionName, QString("Default"));
    QCOMPARE(def.database, QString("SHOP"));
    QCOMPARE(def.type, 0);
    QCOMPARE(def.tables.size(), 2);
    QCOMPARE(def.tables[0].name, QString("clients.db"));
    QCOMPARE(def.tables[0].left, 50);
    QCOMPARE(def.tables[0].top, 40);
    QCOMPARE(def.tables[1].name, QString("sales.db"));
    QCOMPARE(def.tables[1].left, 300);
    QCOMPARE(def.tables[1].top, 140);
    QCOMPARE(def.tables[1].width, 121);
    QCOMPARE(def.tables[1].height, 180);
    QCOMPARE(def.tables[1].items, (QList<QPair<QString, bool>>{{"SaleNo", true}, {"ClientNo", false}}));
    QCOMPARE(def.links.size(), 1);
    QCOMPARE(def.links[0].field1Table, QString("clients.db"));
    QCOMPARE(def.links[0].field2Table, QString("sales.db"));
    QCOMPARE(def.links[0].hint, QString("clients_db.ClientNo = sales_db.ClientNo"));
    QCOMPARE(Rows(def.conditions), QString("clients_db.ClientNo|=|sales_db.ClientNo|AND"));
    QCOMPARE(Rows(def.sorting), QString("sales_db.SaleNo|Yes"));
    QVERIFY(def.values.rows.isEmpty());
    QCOMPARE(def.values.columnCount, 2);
    QCOMPARE(def.conditions.columnCount, 4);
    QVERIFY(def == ExampleDesign());
}

void TestQueryDefinition::exampleSavedOverItselfUnchanged()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("example.vdq");
    QVERIFY(QFile::copy(ExamplePath, path));
    SaveQueryDefinitionFile(path, LoadQueryDefinitionFile(path));
    QCOMPARE(FileBytes(path), FileBytes(ExamplePath));
}

void TestQueryDefinition::exampleWithLfLineEndsReadsTheSame()
{
    QByteArray bytes = FileBytes(ExamplePath);
    bytes.replace("\r\n", "\n");
    QVERIFY(ParseQueryDefinitionFile(bytes, "lf.vdq") == ExampleDesign());
}

void TestQueryDefinition::noTables()
{
    QueryDefinition empty;
    empty.sessionName = "Default";
    empty.database = "SHOP";
    TProfileFile profile;
    WriteQueryDefinition(profile, empty);
    QCOMPARE(profile.ToBytes(),
             QByteArray("[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n[Query]\r\nType=0\r\n"
                        "[Tables]\r\nCount=0\r\n[Links]\r\nCount=0\r\n"
                        "[Values]\r\nColumnCount=2\r\nItemCount=0\r\n"
                        "[Conditions]\r\nColumnCount=4\r\nItemCount=0\r\n"
                        "[Sorting]\r\nColumnCount=2\r\nItemCount=0\r\n"));
    const QueryDefinition read = Read(profile.ToBytes());
    QVERIFY(read.tables.isEmpty());
    QVERIFY(read.links.isEmpty());
    QVERIFY(read == empty);
}

void TestQueryDefinition::emptyListWritesOnlyCounts()
{
    TProfileFile profile;
    WriteListSection(profile, StoredList{2, {}}, "Values");
    QCOMPARE(profile.ToBytes(), QByteArray("[Values]\r\nColumnCount=2\r\nItemCount=0\r\n"));
    QCOMPARE(profile.KeyCount("Values"), 2);
    const StoredList read = ReadListSection(profile, "Values", 2);
    QVERIFY(read.rows.isEmpty());
    QCOMPARE(read.columnCount, 2);
}

void TestQueryDefinition::equalsSignsInConditionRow()
{
    TProfileFile profile;
    WriteListSection(profile, StoredList{4, {{"a.x", "=", "=", "OR"}}}, "Conditions");
    const QByteArray bytes = profile.ToBytes();
    QCOMPARE(bytes, QByteArray("[Conditions]\r\nColumnCount=4\r\nItemCount=1\r\n0_Item_Caption_=a.x\r\n"
                               "0_Item_SubItems_0==\r\n0_Item_SubItems_1==\r\n0_Item_SubItems_2=OR\r\n"));
    QCOMPARE(Rows(ReadListSection(TProfileFile::FromBytes(bytes), "Conditions", 4)),
             QString("a.x|=|=|OR"));
}

void TestQueryDefinition::threeLinks()
{
    QueryDefinition def = ExampleDesign();
    def.tables.append(Table("items.db", {{"ItemNo", true}}, 500, 40));
    def.links = {Link("clients.db", "sales.db", "clients_db.ClientNo = sales_db.ClientNo"),
                 Link("sales.db", "items.db", "sales_db.SaleNo = items_db.SaleNo"),
                 Link("clients.db", "items.db", "clients_db.Firm = items_db.Firm")};
    TProfileFile profile;
    WriteQueryDefinition(profile, def);
    QStringList expectedSections{"Session", "Query", "Table1", "Table2", "Table3", "Tables",
                                 "Link1", "Link2", "Link3", "Links", "Values", "Conditions", "Sorting"};
    QCOMPARE(profile.Sections(), expectedSections);
    QCOMPARE(profile.ReadInteger("Links", "Count", -1), 3);

    const QueryDefinition read = Read(profile.ToBytes());
    QCOMPARE(read.links.size(), 3);
    for (int m = 0; m < 3; ++m) {
        QCOMPARE(read.links[m].field1Table, def.links[m].field1Table);
        QCOMPARE(read.links[m].field2Table, def.links[m].field2Table);
        QCOMPARE(read.links[m].hint, def.links[m].hint);
    }
    QVERIFY(read == def);
}

void TestQueryDefinition::smallerDesignOverOlderFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.vdq");

    QueryDefinition older = ExampleDesign();
    older.tables[0].items = {{"ClientNo", true}, {"Firm", true}, {"City", false}, {"Phone", true}};
    older.tables.append(Table("items.db", {{"ItemNo", true}}, 500, 40));
    older.links.append(Link("sales.db", "items.db", "sales_db.SaleNo = items_db.SaleNo"));
    older.sorting.rows.append(QStringList{"clients_db.Firm", "No"});
    SaveQueryDefinitionFile(path, older);

    SaveQueryDefinitionFile(path, ExampleDesign());
    const TProfileFile profile = TProfileFile::Load(path);
    // Nothing is deleted: the stale sections and keys stay, beyond the new counts.
    QVERIFY(profile.SectionExists("Table3"));
    QVERIFY(profile.SectionExists("Link2"));
    QCOMPARE(profile.ReadString("Table1", "Text3", QString()), QString("Phone"));
    QCOMPARE(profile.ReadString("Sorting", "1_Item_Caption_", QString()), QString("clients_db.Firm"));
    QCOMPARE(profile.ReadInteger("Tables", "Count", -1), 2);
    QCOMPARE(profile.ReadInteger("Table1", "ItemCount", -1), 2);
    // Sections keep the older file's order: Table3 before Tables, Link2 before Links.
    QCOMPARE(profile.Sections().indexOf("Table3") + 1, profile.Sections().indexOf("Tables"));

    const QueryDefinition read = LoadQueryDefinitionFile(path);
    QCOMPARE(read.tables.size(), 2);
    QCOMPARE(read.links.size(), 1);
    QCOMPARE(read.sorting.rows.size(), 1);
    QVERIFY(read == ExampleDesign());
}

void TestQueryDefinition::tableDefaults_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("items");

    QTest::newRow("empty section") << QByteArray("[Table1]\r\n") << "NoTable" << 145 << 100 << 121
                                   << 180 << "";
    QTest::newRow("missing section") << QByteArray("[Other]\r\n") << "NoTable" << 145 << 100 << 121
                                     << 180 << "";
    QTest::newRow("malformed numbers") << QByteArray("[Table1]\r\nName=t\r\nLeft=x\r\nTop=\r\nWidth=1.5\r\nHeight=0x20\r\n")
                                       << "t" << 145 << 100 << 121 << 32 << "";
    QTest::newRow("negative place") << QByteArray("[Table1]\r\nName=t\r\nLeft=-20\r\nTop=-5\r\n")
                                    << "t" << -20 << -5 << 121 << 180 << "";
    QTest::newRow("empty name stays empty") << QByteArray("[Table1]\r\nName=\r\n") << "" << 145 << 100
                                            << 121 << 180 << "";
    QTest::newRow("missing item keys")
        << QByteArray("[Table1]\r\nName=t\r\nItemCount=3\r\nText0=a\r\nChecked0=1\r\nChecked1=1\r\nText2=c\r\n")
        << "t" << 145 << 100 << 121 << 180 << "a:1,:1,c:0";
    QTest::newRow("checked as integers")
        << QByteArray("[Table1]\r\nItemCount=4\r\nText0=a\r\nChecked0=2\r\nText1=b\r\nChecked1=yes\r\n"
                      "Text2=c\r\nChecked2=0x1\r\nText3=d\r\nChecked3=-1\r\n")
        << "NoTable" << 145 << 100 << 121 << 180 << "a:1,b:0,c:1,d:1";
    QTest::newRow("items beyond ItemCount unread")
        << QByteArray("[Table1]\r\nItemCount=1\r\nText0=a\r\nChecked0=1\r\nText1=b\r\nChecked1=1\r\n")
        << "NoTable" << 145 << 100 << 121 << 180 << "a:1";
    QTest::newRow("negative ItemCount") << QByteArray("[Table1]\r\nItemCount=-2\r\nText0=a\r\n")
                                        << "NoTable" << 145 << 100 << 121 << 180 << "";
    QTest::newRow("malformed ItemCount") << QByteArray("[Table1]\r\nItemCount=two\r\nText0=a\r\n")
                                         << "NoTable" << 145 << 100 << 121 << 180 << "";
    QTest::newRow("case of keys ignored")
        << QByteArray("[TABLE1]\r\nNAME=t\r\nitemcount=1\r\nTEXT0=a\r\nchecked0=1\r\nleft=1\r\nTOP=2\r\n")
        << "t" << 1 << 2 << 121 << 180 << "a:1";
}

void TestQueryDefinition::tableDefaults()
{
    QFETCH(QByteArray, section);
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, items);
    const QueryDefinition def = Read("[Tables]\r\nCount=1\r\n" + section);
    QCOMPARE(def.tables.size(), 1);
    const StoredTable &table = def.tables[0];
    QCOMPARE(table.name, name);
    QCOMPARE(table.left, left);
    QCOMPARE(table.top, top);
    QCOMPARE(table.width, width);
    QCOMPARE(table.height, height);
    QStringList texts;
    for (const auto &item : table.items)
        texts.append(item.first + (item.second ? ":1" : ":0"));
    QCOMPARE(texts.join(u','), items);
}

void TestQueryDefinition::counts_data()
{
    // The three counts as their lines hold them, or no line at all.
    QTest::addColumn<QByteArray>("tableCount");
    QTest::addColumn<QByteArray>("linkCount");
    QTest::addColumn<QByteArray>("rowCount");
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("links");
    QTest::addColumn<int>("conditions");

    QTest::newRow("no counts") << QByteArray() << QByteArray() << QByteArray() << 0 << 0 << 0;
    QTest::newRow("counts") << QByteArray("Count=2") << QByteArray("Count=1")
                            << QByteArray("ItemCount=2") << 2 << 1 << 2;
    QTest::newRow("hex counts") << QByteArray("Count=0x2") << QByteArray("Count=0X1")
                                << QByteArray("ItemCount=0x2") << 2 << 1 << 2;
    QTest::newRow("malformed counts") << QByteArray("Count=2a") << QByteArray("Count=")
                                      << QByteArray("ItemCount=x") << 0 << 0 << 0;
    QTest::newRow("negative counts") << QByteArray("Count=-1") << QByteArray("Count=-5")
                                     << QByteArray("ItemCount=-2") << 0 << 0 << 0;
    QTest::newRow("smaller counts") << QByteArray("Count=1") << QByteArray("Count=0")
                                    << QByteArray("ItemCount=1") << 1 << 0 << 1;
    // A count a little beyond what is there gives the spare tables and links their
    // defaults; list rows end with the last one the file holds.
    QTest::newRow("larger counts") << QByteArray("Count=3") << QByteArray("Count=2")
                                   << QByteArray("ItemCount=3") << 3 << 2 << 2;
}

void TestQueryDefinition::counts()
{
    QFETCH(QByteArray, tableCount);
    QFETCH(QByteArray, linkCount);
    QFETCH(QByteArray, rowCount);
    QFETCH(int, tables);
    QFETCH(int, links);
    QFETCH(int, conditions);
    const QByteArray file = "[Table1]\r\nName=a\r\n[Table2]\r\nName=b\r\n[Tables]\r\n" + tableCount
        + "\r\n[Link1]\r\nHint=h\r\n[Links]\r\n" + linkCount + "\r\n[Conditions]\r\n" + rowCount
        + "\r\n0_Item_Caption_=x\r\n1_Item_Caption_=y\r\n";
    const QueryDefinition def = Read(file);
    QCOMPARE(def.tables.size(), tables);
    QCOMPARE(def.links.size(), links);
    QCOMPARE(def.conditions.rows.size(), conditions);
    if (tables >= 2)
        QCOMPARE(def.tables[1].name, QString("b"));
    if (conditions >= 2)
        QCOMPARE(def.conditions.rows[1], (QStringList{"y", "", "", ""}));
    if (tables == 3) {
        QCOMPARE(def.tables[2].name, QString("NoTable"));
        QCOMPARE(def.links[1].hint, QString());
    }
}
void TestQueryDefinition::listRows_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<int>("defaultColumns");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QString>("rows");

    QTest::newRow("values") << QByteArray("ColumnCount=2\r\nItemCount=1\r\n0_Item_Caption_=Firm\r\n0_Item_SubItems_0='x'\r\n")
                            << 2 << 2 << "Firm|'x'";
    QTest::newRow("ColumnCount missing: the list's own")
        << QByteArray("ItemCount=1\r\n0_Item_Caption_=a\r\n0_Item_SubItems_0=b\r\n0_Item_SubItems_1=c\r\n0_Item_SubItems_2=d\r\n")
        << 4 << 4 << "a|b|c|d";
    QTest::newRow("ColumnCount malformed: the list's own")
        << QByteArray("ColumnCount=four\r\nItemCount=1\r\n0_Item_Caption_=a\r\n0_Item_SubItems_0=b\r\n")
        << 2 << 2 << "a|b";
    QTest::newRow("ColumnCount decides the sub-items")
        << QByteArray("ColumnCount=3\r\nItemCount=1\r\n0_Item_Caption_=a\r\n0_Item_SubItems_0=b\r\n0_Item_SubItems_1=c\r\n0_Item_SubItems_2=d\r\n")
        << 4 << 3 << "a|b|c";
    QTest::newRow("ColumnCount 1: caption only")
        << QByteArray("ColumnCount=1\r\nItemCount=1\r\n0_Item_Caption_=a\r\n0_Item_SubItems_0=b\r\n")
        << 2 << 1 << "a";
    QTest::newRow("ColumnCount negative: caption only")
        << QByteArray("ColumnCount=-3\r\nItemCount=1\r\n0_Item_Caption_=a\r\n0_Item_SubItems_0=b\r\n")
        << 2 << -3 << "a";
    QTest::newRow("missing keys empty")
        << QByteArray("ColumnCount=4\r\nItemCount=2\r\n0_Item_SubItems_1=v\r\n1_Item_Caption_=c\r\n")
        << 4 << 4 << "||v|;c|||";
    QTest::newRow("rows beyond ItemCount unread")
        << QByteArray("ColumnCount=2\r\nItemCount=1\r\n0_Item_Caption_=a\r\n1_Item_Caption_=b\r\n")
        << 2 << 2 << "a|";
    QTest::newRow("ItemCount 3 with two rows: the rows the file holds")
        << QByteArray("ColumnCount=2\r\nItemCount=3\r\n0_Item_Caption_=a\r\n0_Item_SubItems_0=Yes\r\n"
                      "1_Item_Caption_=b\r\n1_Item_SubItems_0=No\r\n")
        << 2 << 2 << "a|Yes;b|No";
    QTest::newRow("huge ItemCount with one row")
        << QByteArray("ColumnCount=4\r\nItemCount=2000000000\r\n0_Item_Caption_=Town\r\n"
                      "0_Item_SubItems_0=IS NULL\r\n0_Item_SubItems_1=\r\n0_Item_SubItems_2=AND\r\n")
        << 4 << 4 << "Town|IS NULL||AND";
    QTest::newRow("a gap inside the held rows stays")
        << QByteArray("ColumnCount=2\r\nItemCount=9\r\n0_Item_Caption_=a\r\n2_Item_SubItems_0=c\r\n")
        << 2 << 2 << "a|;|;|c";
    QTest::newRow("only a count") << QByteArray("ItemCount=2\r\n") << 2 << 2 << "";
    QTest::newRow("values untrimmed") << QByteArray("ItemCount=1\r\n0_Item_Caption_= a \r\n0_Item_SubItems_0=\r\n")
                                      << 2 << 2 << " a |";
}

void TestQueryDefinition::listRows()
{
    QFETCH(QByteArray, section);
    QFETCH(int, defaultColumns);
    QFETCH(int, columnCount);
    QFETCH(QString, rows);
    const StoredList list = ReadListSection(TProfileFile::FromBytes("[Sorting]\r\n" + section),
                                            "Sorting", defaultColumns);
    QCOMPARE(list.columnCount, columnCount);
    QCOMPARE(Rows(list), rows);
}

void TestQueryDefinition::queryType_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("type");
    QTest::newRow("missing") << QByteArray("[Session]\r\n") << 0;
    QTest::newRow("select") << QByteArray("[Query]\r\nType=0\r\n") << 0;
    QTest::newRow("delete") << QByteArray("[Query]\r\nType=3\r\n") << 3;
    QTest::newRow("out of range kept as stored") << QByteArray("[Query]\r\nType=7\r\n") << 7;
    QTest::newRow("negative kept as stored") << QByteArray("[Query]\r\nType=-1\r\n") << -1;
    QTest::newRow("malformed") << QByteArray("[Query]\r\nType=Update\r\n") << 0;
}

void TestQueryDefinition::queryType()
{
    QFETCH(QByteArray, file);
    QFETCH(int, type);
    QCOMPARE(Read(file).type, type);
}

void TestQueryDefinition::hostileCounts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("huge table count") << QByteArray("[Tables]\r\nCount=2000000000\r\n[Table1]\r\nName=a\r\n");
    QTest::newRow("huge link count") << QByteArray("[Links]\r\nCount=2147483647\r\n");
    QTest::newRow("huge item count") << QByteArray("[Tables]\r\nCount=1\r\n[Table1]\r\nItemCount=2000000000\r\nText0=a\r\nChecked0=1\r\n");
    QTest::newRow("huge row count") << QByteArray("[Conditions]\r\nItemCount=2000000000\r\n0_Item_Caption_=x\r\n");
    QTest::newRow("huge column count") << QByteArray("[Values]\r\nColumnCount=2000000000\r\nItemCount=1\r\n0_Item_Caption_=x\r\n");
    QTest::newRow("huge rows and columns") << QByteArray("[Sorting]\r\nColumnCount=0x7FFFFFFF\r\nItemCount=0x7FFFFFFF\r\n");
    QByteArray big("[Sorting]\r\nColumnCount=2000000000\r\nItemCount=2000000000\r\n");
    for (int i = 0; i < 5000; ++i)
        big += QByteArray::number(i) + "_Item_Caption_=c" + QByteArray::number(i) + "\r\n";
    QTest::newRow("huge rows and columns in a large section") << big;
    QByteArray manyTables("[Tables]\r\nCount=2000000000\r\n");
    for (int n = 1; n <= 300; ++n)
        manyTables += "[Table" + QByteArray::number(n) + "]\r\nItemCount=2000000000\r\n";
    QTest::newRow("many tables with huge item counts") << manyTables;
}

void TestQueryDefinition::hostileCounts()
{
    QFETCH(QByteArray, file);
    const TProfileFile profile = TProfileFile::FromBytes(file);
    const QueryDefinition def = ReadQueryDefinition(profile);

    qint64 keys = 0;
    for (const QString &section : profile.Sections())
        keys += profile.KeyCount(section);
    const qint64 sectionBound = profile.SectionCount() + CountSlack;
    QVERIFY(def.tables.size() <= sectionBound);
    QVERIFY(def.links.size() <= sectionBound);
    qint64 items = 0;
    for (const StoredTable &table : def.tables) {
        QVERIFY(table.items.size() <= keys + CountSlack);
        items += table.items.size();
    }
    QVERIFY(items <= keys + sectionBound * CountSlack);
    for (const StoredList *list : {&def.values, &def.conditions, &def.sorting}) {
        qint64 cells = 0;
        for (const QStringList &row : list->rows)
            cells += row.size();
        QVERIFY(list->rows.size() <= keys + CountSlack);
        QVERIFY(cells <= ListCellsPerKey * (keys + CountSlack));
    }
    // What the file does hold is still read.
    if (file.contains("Text0=a")) {
        QCOMPARE(def.tables.value(0).items.value(0), (QPair<QString, bool>("a", true)));
    }
    if (file.contains("0_Item_Caption_=x")) {
        const StoredList &list = file.contains("[Values]") ? def.values : def.conditions;
        QCOMPARE(list.rows.value(0).value(0), QString("x"));
    }
    if (file.contains("4999_Item_Caption_")) {
        QCOMPARE(def.sorting.rows.size(), 5000);
        QCOMPARE(def.sorting.rows.at(4999).value(0), QString("c4999"));
    }
}

void TestQueryDefinition::roundTrip()
{
    QueryDefinition def;
    def.sessionName = QString::fromUtf8("S\u00e9ssion");
    def.database = "pg:shop";
    def.type = 2;
    for (int n = 0; n < 30; ++n) {
        QList<QPair<QString, bool>> items;
        for (int j = 0; j < 40; ++j)
            items.append({QStringLiteral("field %1").arg(j), (j + n) % 3 == 0});
        def.tables.append(Table(QStringLiteral("t%1").arg(n), items, 10 * n - 50, 7 * n, 200, 300));
    }
    for (int m = 0; m < 12; ++m)
        def.links.append(Link(QStringLiteral("t%1").arg(m), QStringLiteral("t%1").arg(m + 1),
                              QStringLiteral("h = %1").arg(m), m, m + 1, m + 2, m + 3));
    def.links[3].overText = "over";
    def.values.rows = {{"Firm", "'=x='"}, {"City", ""}};
    def.conditions.rows = {{"a.b", "<> (not equal)", ":p", "OR"}, {"c.d", "=", "1", "AND"}};
    def.sorting.rows = {{"t1.f", "No"}};
    def.offset = 5;
    def.with = QStringLiteral("WITH w AS (SELECT 1 AS k)");
    def.tables[1].source = QStringLiteral("Derived");
    def.tables[1].query = QStringLiteral("SELECT 1 AS \"field 0\"");
    def.conditions.columnCount = 6;
    def.conditions.rows = {{"a.b", "<> (not equal)", ":p", "OR", "NOT (", ""}, {"c.d", "=", "1", "AND", "", ")"}};
    def.columns.rows = {{"t1.f * 2", "twice", "No", "Yes"}, {"COUNT(*)", "", "No", "Yes"}};

    TProfileFile profile;
    WriteQueryDefinition(profile, def);
    QVERIFY(Read(profile.ToBytes()) == def);
}

// A classic design saved over one that used the newer keys reads as the classic design: the
// keys it no longer uses say so.
void TestQueryDefinition::extensionsOverOlderFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.vdq");
    QueryDefinition newer = ExampleDesign();
    newer.offset = 3;
    newer.with = QStringLiteral("WITH w AS (SELECT 1 AS k)");
    newer.tables[0].source = QStringLiteral("With");
    newer.columns.rows = {{"clients_db.Firm", "name", "No", "Yes"}};
    SaveQueryDefinitionFile(path, newer);
    QVERIFY(LoadQueryDefinitionFile(path) == newer);
    SaveQueryDefinitionFile(path, ExampleDesign());
    QVERIFY(LoadQueryDefinitionFile(path) == ExampleDesign());
    // A classic design's own file has none of them.
    TProfileFile classic;
    WriteQueryDefinition(classic, ExampleDesign());
    for (const char *key : {"Offset=", "With=", "Source=", "Query=", "[Columns]"})
        QVERIFY2(!classic.ToBytes().contains(key), key);
}

void TestQueryDefinition::latin1File()
{
    const QueryDefinition def = Read("[Tables]\r\nCount=1\r\n[Table1]\r\nName=ma\xEEtre.db\r\n"
                                     "ItemCount=1\r\nText0=Pr\xE9nom\r\nChecked0=1\r\n");
    QCOMPARE(def.tables.value(0).name, QString::fromUtf8("ma\u00eetre.db"));
    QCOMPARE(def.tables.value(0).items.value(0).first, QString::fromUtf8("Pr\u00e9nom"));
}

void TestQueryDefinition::applyStoredTicks_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("stored");  // "text:0" or "text:1"
    QTest::addColumn<QList<bool>>("ticks");

    QTest::newRow("same order") << QStringList{"A", "B"} << QStringList{"A:1", "B:0"}
                                << QList<bool>{true, false};
    QTest::newRow("fields reordered") << QStringList{"B", "C", "A"} << QStringList{"A:1", "B:0", "C:1"}
                                      << QList<bool>{false, true, true};
    QTest::newRow("case ignored") << QStringList{"ClientNo"} << QStringList{"CLIENTNO:1"}
                                  << QList<bool>{true};
    QTest::newRow("new field unticked") << QStringList{"A", "New"} << QStringList{"A:1"}
                                        << QList<bool>{true, false};
    QTest::newRow("lost field skipped") << QStringList{"A", "C"} << QStringList{"A:1", "B:1", "C:1"}
                                        << QList<bool>{true, true};
    QTest::newRow("first match only") << QStringList{"a", "A"} << QStringList{"A:1"}
                                      << QList<bool>{true, false};
    QTest::newRow("later pair wins") << QStringList{"A"} << QStringList{"A:1", "a:0"}
                                     << QList<bool>{false};
    QTest::newRow("empty text matches nothing") << QStringList{"A"} << QStringList{":1"}
                                                << QList<bool>{false};
    QTest::newRow("no fields") << QStringList{} << QStringList{"A:1"} << QList<bool>{};
}

void TestQueryDefinition::applyStoredTicks()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, stored);
    QFETCH(QList<bool>, ticks);
    QList<QPair<QString, bool>> pairs;
    for (const QString &entry : stored)
        pairs.append({entry.section(u':', 0, 0), entry.endsWith(u'1')});
    QCOMPARE(ApplyStoredTicks(fields, pairs), ticks);
}

void TestQueryDefinition::lostFieldTicks()
{
    // Table1 lists the tick of a field the table has since lost.
    QByteArray bytes = FileBytes(ExamplePath);
    bytes.replace("Text1=Firm", "Text1=Gone");
    const QueryDefinition def = ParseQueryDefinitionFile(bytes, "lost.vdq");
    const QStringList fields{"Firm", "ClientNo", "City"};
    QCOMPARE(def.tables.value(0).items.value(1), (QPair<QString, bool>("Gone", true)));
    QCOMPARE(ApplyStoredTicks(fields, def.tables.value(0).items), (QList<bool>{false, true, false}));
    QCOMPARE(ApplyStoredTicks({"SaleNo", "ClientNo"}, def.tables.value(1).items),
             (QList<bool>{true, false}));

    bytes = FileBytes(ExamplePath);
    bytes.replace("Text0=ClientNo", "Text0=Gone");
    const QueryDefinition other = ParseQueryDefinitionFile(bytes, "lost.vdq");
    QCOMPARE(ApplyStoredTicks(fields, other.tables.value(0).items), (QList<bool>{true, false, false}));
}

void TestQueryDefinition::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("NUL bytes") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\0", 11);
    QTest::newRow("NUL inside a definition") << FileBytes(ExamplePath) + QByteArray(1, '\0');
    QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0", 12);
    QTest::newRow("SQL text") << QByteArray("SELECT *\r\nFROM clients\r\n");
    QTest::newRow("keys without section") << QByteArray("Type=0\r\nCount=2\r\n");
}

void TestQueryDefinition::refusedFiles()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("not.vdq");
    WriteBytes(path, bytes);
    QVERIFY(!LooksLikeQueryDefinition(bytes));
    try {
        LoadQueryDefinitionFile(path);
        QFAIL("a file that is not a query definition was read");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("%1 is not a query definition file").arg(path));
    }
}

void TestQueryDefinition::acceptedEmptyFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blank lines") << QByteArray("\r\n  \r\n\t\n");
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("one empty section") << QByteArray("[Session]\r\n");
}

void TestQueryDefinition::acceptedEmptyFiles()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.vdq");
    WriteBytes(path, bytes);
    QVERIFY(LooksLikeQueryDefinition(bytes));
    QVERIFY(LoadQueryDefinitionFile(path) == QueryDefinition());
}

void TestQueryDefinition::lineEnds_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("CR CR LF") << QByteArray("\r\r\n");
}

void TestQueryDefinition::lineEnds()
{
    QFETCH(QByteArray, lineEnd);
    const QByteArray example = FileBytes(ExamplePath);
    QVERIFY(example.contains("\r\n"));
    const QueryDefinition expected = Read(example);
    QVERIFY(!expected.tables.isEmpty());
    QByteArray converted = example;
    converted.replace("\r\n", lineEnd);
    QTemporaryDir dir;
    const QString path = dir.filePath("ends.vdq");
    WriteBytes(path, converted);
    const QueryDefinition def = LoadQueryDefinitionFile(path);
    QCOMPARE(def.sessionName, expected.sessionName);
    QVERIFY(def == expected);
}

void TestQueryDefinition::overlongValueRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("long.vdq");
    WriteBytes(path, "[Conditions]\r\nItemCount=1\r\n0_Item_Caption_="
                         + QByteArray(TProfileFile::MaxValueLength + 1, 'x') + "\r\n");
    try {
        LoadQueryDefinitionFile(path);
        QFAIL("a value past the bound was read");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("%1 holds a value longer than %2 characters")
                                      .arg(path).arg(TProfileFile::MaxValueLength));
    }
}

void TestQueryDefinition::missingFileIsEmptyDesign()
{
    QTemporaryDir dir;
    const QueryDefinition def = LoadQueryDefinitionFile(dir.filePath("none.VDQ"));
    QVERIFY(def == QueryDefinition());
    QCOMPARE(def.type, 0);
    QVERIFY(def.tables.isEmpty());
    QCOMPARE(def.conditions.columnCount, 4);
}

void TestQueryDefinition::unreadableFileFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("folder.vdq");
    QVERIFY(QDir().mkdir(path));
    try {
        LoadQueryDefinitionFile(path);
        QFAIL("a directory was read as a query definition");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open file %1: Is a directory").arg(path));
    }
    try {
        SaveQueryDefinitionFile(path, ExampleDesign());
        QFAIL("a directory was written as a query definition");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to %1: Is a directory").arg(path));
    }
}

void TestQueryDefinition::saveOverNonDefinitionReplacesIt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("q.vdq");
    WriteBytes(path, QByteArray("binary\0junk\r\n[Session]\r\nDatabase=OLD\r\n", 38));
    SaveQueryDefinitionFile(path, ExampleDesign());
    QCOMPARE(FileBytes(path), FileBytes(ExamplePath));
}

void TestQueryDefinition::saveIntoMissingDirectoryFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/q.vdq");
    try {
        SaveQueryDefinitionFile(path, ExampleDesign());
        QFAIL("saved into a missing directory");
    } catch (const VdqError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to %1: %2").arg(path, QString::fromLocal8Bit(strerror(ENOENT))));
    }
    QVERIFY(!QFile::exists(path));
}

void TestQueryDefinition::saveKeepsOldFileWhenDirectoryNotWritable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("q.vdq");
    WriteBytes(path, "[Session]\r\nDatabase=OLD\r\n");
    QCOMPARE(chmod(QFile::encodeName(path).constData(), 0644), 0);
    QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);

    // The superuser may write anywhere; take the rights of an ordinary user meanwhile.
    const bool root = geteuid() == 0;
    if (root)
        QCOMPARE(seteuid(65534), 0);
    QString message;
    try {
        SaveQueryDefinitionFile(path, ExampleDesign());
    } catch (const VdqError &error) {
        message = error.message();
    }
    if (root)
        QCOMPARE(seteuid(0), 0);
    chmod(QFile::encodeName(dir.path()).constData(), 0700);

    QCOMPARE(message, QStringLiteral("Unable to write to %1: %2").arg(path, QString::fromLocal8Bit(strerror(EACCES))));
    QCOMPARE(FileBytes(path), QByteArray("[Session]\r\nDatabase=OLD\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"q.vdq"});
}

void TestQueryDefinition::fileExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("definition");
    QTest::newRow("vdq") << "q.vdq" << ".vdq" << true;
    QTest::newRow("VDQ") << "q.VDQ" << ".VDQ" << true;
    QTest::newRow("mixed case") << "/home/u/q.VdQ" << ".VdQ" << true;
    QTest::newRow("sql") << "q.sql" << ".sql" << false;
    QTest::newRow("no extension") << "q" << "" << false;
    QTest::newRow("last extension counts") << "report.vdq.txt" << ".txt" << false;
    QTest::newRow("two dots") << "a.b.vdq" << ".vdq" << true;
    QTest::newRow("trailing dot") << "q." << "." << false;
    QTest::newRow("dot in folder, backslash") << "C:\\my.dir\\q" << "" << false;
    QTest::newRow("dot in folder, slash") << "/home/my.vdq/q" << "" << false;
    QTest::newRow("drive colon after dot") << "a.b:c" << "" << false;
    QTest::newRow("windows path") << "C:\\designs\\q.vdq" << ".vdq" << true;
    QTest::newRow("hidden file") << "/home/u/.vdq" << ".vdq" << true;
    QTest::newRow("vdqx") << "q.vdqx" << ".vdqx" << false;
    QTest::newRow("empty") << "" << "" << false;
}

void TestQueryDefinition::fileExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(bool, definition);
    QCOMPARE(FileExtension(name), extension);
    QCOMPARE(IsQueryDefinitionFileName(name), definition);
}

QTEST_APPLESS_MAIN(TestQueryDefinition)
#include "tst_querydefinition.moc"
