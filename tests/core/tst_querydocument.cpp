// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designedits.h"
#include "designfromdefinition.h"
#include "profilefile.h"
#include "querydefinition.h"
#include "designjson.h"
#include "querydocument.h"
#include "sqlbuilders.h"

#include <QFile>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

// The design document without any window: files read into it and written from it, the
// rules of its edits, and its steps on an undo stack.
class TestQueryDocument : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ticksFollowColumns_data();
    void ticksFollowColumns();
    void filesKeptWhole_data();
    void filesKeptWhole();
    void dataKeepsDesign_data() { filesKeptWhole_data(); }
    void dataKeepsDesign();
    void removeTable_data();
    void removeTable();
    void stepsUndoneAndRedone();
    void renameAlias_data();
    void renameAlias();
};

namespace {

QByteArray written(const QueryDefinition &def)
{
    TProfileFile file;
    WriteQueryDefinition(file, def);
    return file.ToBytes();
}

// The fields a table has: those its stored window lists, in their order.
std::function<QStringList(const QString &)> storedFields(const QueryDefinition &def)
{
    return [def](const QString &table) {
        for (const StoredTable &t : def.tables) {
            if (t.name == table) {
                QStringList fields;
                for (const auto &item : t.items)
                    fields << item.first;
                return fields;
            }
        }
        return QStringList();
    };
}

// clients and sales joined; rows naming each, and one naming neither.
DesignState joined()
{
    DesignState d;
    const int clients = d.addTable(QStringLiteral("clients"), {"ClientNo", "Town"}, true, QRect(10, 10, 121, 180)).id;
    const int sales = d.addTable(QStringLiteral("sales"), {"SaleNo", "ClientNo"}, true, QRect(300, 60, 121, 180)).id;
    d.addLink(clients, sales, QStringLiteral("clients.ClientNo = sales.ClientNo"));
    d.conditions << QStringList{"clients.ClientNo", "=", "sales.ClientNo", "AND"}
                 << QStringList{"clients.Town", "=", "'Leeds'", "AND"}
                 << QStringList{"sales.SaleNo", ">", "3", "OR"}
                 << QStringList{"1", "=", "1", "AND"};
    d.sorting << QStringList{"sales.SaleNo", "Yes"} << QStringList{"clients.Town", "No"};
    d.values << QStringList{"Town", "'York'"};
    return d;
}

} // namespace

void TestQueryDocument::filesKeptWhole_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"example", "insert", "update", "delete"})
        QTest::newRow(name) << QStringLiteral(VDQ_SOURCE_DIR "/tests/fuzz/corpus_queryfile/%1.vdq").arg(QLatin1String(name));
}

// What the file holds survives the document: read, placed in it and written again, a file
// the designer wrote gives the same bytes, links' recorded places included.
void TestQueryDocument::filesKeptWhole()
{
    QFETCH(QString, file);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QueryDefinition def = ParseQueryDefinitionFile(f.readAll(), file);
    const DesignState state = StateFromDefinition(def, storedFields(def));
    QCOMPARE(written(DefinitionOf(state)), written(def));
    // Its statement is the one the definition's design gives.
    QCOMPARE(GenerateSQLText(DesignOf(state, {})), GenerateSQLText(DesignFromDefinition(def, storedFields(def), {})));
}

// The design as a host's JSON data and back is the same design, every part of it.
void TestQueryDocument::dataKeepsDesign()
{
    QFETCH(QString, file);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QueryDefinition def = ParseQueryDefinitionFile(f.readAll(), file);
    for (DesignState state : {StateFromDefinition(def, storedFields(def)), joined()}) {
        state.tables.first().totals.first() = TotalKind::Sum;
        state.tables.first().source = TableSource::Derived;
        state.tables.first().query = QStringLiteral("SELECT 1 AS a");
        state.columns << QStringList{"SUM(a)", "total", "No", "Yes"};
        state.totals = state.distinct = true;
        state.limit = 10;
        state.offset = 20;
        state.with = QStringLiteral("w AS (SELECT 1)");
        if (!state.links.isEmpty())
            state.links.first().joinType = JoinType::Full;
        DesignState back;
        QString error;
        QVERIFY2(DesignFromJson(DesignToJson(state), back, &error), qPrintable(error));
        QCOMPARE(int(QueryDocument::Difference(state, back)), 0);
        QVERIFY(back == state);
    }
}

void TestQueryDocument::removeTable_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QStringList>("conditions");  // the first column of the rows left
    QTest::addColumn<QStringList>("sorting");
    QTest::newRow("clients") << 0 << QStringList{"sales.SaleNo", "1"} << QStringList{"sales.SaleNo"};
    QTest::newRow("sales") << 1 << QStringList{"clients.Town", "1"} << QStringList{"clients.Town"};
}

// A table leaves with its links, the Values rows and the rows that name its alias on
// either side; the other rows stay in their order.
void TestQueryDocument::removeTable()
{
    QFETCH(int, table);
    QFETCH(QStringList, conditions);
    QFETCH(QStringList, sorting);
    DesignState d = joined();
    d.removeTable(d.tables.at(table).id);
    QCOMPARE(d.tables.size(), 1);
    QCOMPARE(d.links.size(), 0);
    QCOMPARE(d.values.size(), 0);
    QStringList left;
    for (const QStringList &row : d.conditions)
        left << row.first();
    QCOMPARE(left, conditions);
    left.clear();
    for (const QStringList &row : d.sorting)
        left << row.first();
    QCOMPARE(left, sorting);
}

// Each step changes the document once, says what changed, and comes back whole; an edit
// that changes nothing is no step.
void TestQueryDocument::stepsUndoneAndRedone()
{
    QueryDocument doc;
    QUndoStack stack;
    QSignalSpy spy(&doc, &QueryDocument::changed);
    QVERIFY(PushDesignEdit(&stack, &doc, QStringLiteral("design"), [](DesignState &d) { d = joined(); }));
    const DesignState start = doc.state();
    QVERIFY(!PushDesignEdit(&stack, &doc, QStringLiteral("nothing"), [](DesignState &) {}));
    QCOMPARE(stack.count(), 1);
    const int sales = start.tables.at(1).id;
    const struct
    {
        QueryDocument::Changes what;
        std::function<void(DesignState &)> edit;
    } steps[] = {
        {QueryDocument::Geometry, [&](DesignState &d) { d.table(sales)->geometry.translate(40, 0); }},
        {QueryDocument::Tables, [&](DesignState &d) { d.table(sales)->ticks[0] = false; }},
        {QueryDocument::Links, [](DesignState &d) { d.links[0].joinType = JoinType::Left; }},
        {QueryDocument::Conditions, [](DesignState &d) { d.conditions.swapItemsAt(0, 1); }},
        {QueryDocument::Options, [](DesignState &d) { d.distinct = true; }},
        {QueryDocument::Type, [](DesignState &d) { d.queryType = QueryType::Delete; }},
        {QueryDocument::Tables | QueryDocument::Geometry | QueryDocument::Links | QueryDocument::Values
             | QueryDocument::Conditions | QueryDocument::Sorting,
         [&](DesignState &d) { d.removeTable(sales); }},
    };
    for (const auto &step : steps) {
        const DesignState before = doc.state();
        spy.clear();
        QVERIFY(PushDesignEdit(&stack, &doc, QStringLiteral("step"), step.edit));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<QueryDocument::Changes>(), step.what);
        const DesignState after = doc.state();
        stack.undo();
        QVERIFY(doc.state() == before);
        stack.redo();
        QVERIFY(doc.state() == after);
    }
    stack.setIndex(1);
    QVERIFY(doc.state() == start);
}

void TestQueryDocument::renameAlias_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("text");      // a Conditions value naming the first table
    QTest::addColumn<QString>("renamed");   // that value afterwards
    QTest::addColumn<bool>("refused");
    QTest::newRow("reference") << "boss" << "employee.ReportsTo" << "boss.ReportsTo" << false;
    QTest::newRow("in an expression") << "boss" << "(employee.Id + 1) * employee.Id" << "(boss.Id + 1) * boss.Id" << false;
    QTest::newRow("other table kept") << "boss" << "employee_1.Id" << "employee_1.Id" << false;
    QTest::newRow("string kept") << "boss" << "'employee.Id'" << "'employee.Id'" << false;
    QTest::newRow("quoted name kept") << "boss" << "\"employee\".Id" << "\"employee\".Id" << false;
    QTest::newRow("behind a schema kept") << "boss" << "hr.employee.Id" << "hr.employee.Id" << false;
    QTest::newRow("not plain") << "1boss" << "employee.Id" << "employee.Id" << true;
    QTest::newRow("reserved") << "select" << "employee.Id" << "employee.Id" << true;
    QTest::newRow("taken, other case") << "EMPLOYEE_1" << "employee.Id" << "employee.Id" << true;
}

// A table placed twice has two aliases; renaming one renames what refers to it, and only that.
void TestQueryDocument::renameAlias()
{
    QFETCH(QString, alias);
    QFETCH(QString, text);
    QFETCH(QString, renamed);
    QFETCH(bool, refused);
    DesignState d;
    const int first = d.addTable(QStringLiteral("employee"), {"Id", "ReportsTo"}, true, QRect()).id;
    const int second = d.addTable(QStringLiteral("employee"), {"Id", "ReportsTo"}, true, QRect()).id;
    QCOMPARE(d.table(second)->alias, QStringLiteral("employee_1"));
    d.addLink(first, second, QStringLiteral("employee.ReportsTo = employee_1.Id"));
    d.conditions << QStringList{"employee.ReportsTo", "=", text, "AND"};
    d.sorting << QStringList{"employee.Id", "Yes"};
    const QString why = d.renameAlias(first, alias, IdentifierStyle{});
    QCOMPARE(!why.isEmpty(), refused);
    const QString now = refused ? QStringLiteral("employee") : alias;
    QCOMPARE(d.table(first)->alias, now);
    QCOMPARE(d.conditions.at(0).at(2), renamed);
    QCOMPARE(d.conditions.at(0).at(0), now + QStringLiteral(".ReportsTo"));
    QCOMPARE(d.sorting.at(0).at(0), now + QStringLiteral(".Id"));
    QCOMPARE(d.links.at(0).hint, now + QStringLiteral(".ReportsTo = employee_1.Id"));
}

// A design of its own columns ticks the fields its columns are, however the statement quoted
// them; a tick appends the field's column and an untick takes the field's columns away.
void TestQueryDocument::ticksFollowColumns_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QList<bool>>("ticks");
    QTest::newRow("bare, quoted and other case") << QStringList{"c.Firm", "c.\"Town\"", "c.clientno"}
                                                 << QList<bool>{true, true, true};
    QTest::newRow("an expression ticks nothing") << QStringList{"c.Firm || c.Town", "COUNT(c.ClientNo)"}
                                                 << QList<bool>{false, false, false};
    QTest::newRow("a star over the table") << QStringList{"c.*"} << QList<bool>{true, true, true};
    QTest::newRow("another alias") << QStringList{"x.Firm"} << QList<bool>{false, false, false};
}

void TestQueryDocument::ticksFollowColumns()
{
    QFETCH(QStringList, columns);
    QFETCH(QList<bool>, ticks);
    const IdentifierStyle quoting{true, SqlDialect::SQLite, false};
    DesignState d;
    const int id = d.addTable(QStringLiteral("clients"), {"ClientNo", "Firm", "Town"}, false, QRect(), "c").id;
    for (const QString &c : columns)
        d.columns << OutputColumnRow(OutputColumn{c, QString(), false, true});
    d.tickColumnFields(quoting);
    QCOMPARE(d.table(id)->ticks, QList<bool>({ticks.at(2), ticks.at(0), ticks.at(1)}));
    const qsizetype before = d.columns.size();
    const bool star = columns.constFirst().endsWith(u'*');
    d.tickField(id, 1, !d.table(id)->ticks.at(1), quoting);
    QCOMPARE(d.columns.size(), star ? 2 : ticks.at(0) ? before - 1 : before + 1);  // a star: the two others
    if (!ticks.at(0))
        QCOMPARE(d.columns.constLast().constFirst(), QStringLiteral("c.\"Firm\""));
}

QTEST_MAIN(TestQueryDocument)
#include "tst_querydocument.moc"
