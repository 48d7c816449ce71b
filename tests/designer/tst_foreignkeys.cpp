// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "designwords.h"
#include "foreignkey.h"
#include "querydocument.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignoptions.h"
#include "tqgforeignkeyform.h"
#include "tqgsqleditor.h"
#include "vdqerror.h"

#include <QListWidget>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUndoStack>
#include <QtTest>

using namespace DesignFixture;

// Declared foreign keys on every engine of the test run, natively and through ODBC: the keys
// read from each catalogue (single, multi-column, self-referencing, two to one table), the
// links and Conditions rows that placing tables draws from them, and the rows the generated
// statement gives against a join written by hand. Then the public Chinook sample.
class TestForeignKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void keysRead_data();
    void keysRead();
    void placingJoins_data();
    void placingJoins();
    void chinookInvoiceLine_data();
    void chinookInvoiceLine();
};

namespace {

const QStringList Aliases = TestSupport::EngineAliasNames();
// The databases behind the aliases: ODBCPG shares WAREHOUSE's, ODBCMARIADB MARIADB's.
const QStringList OwnDatabases = {"SHOP", "WAREHOUSE", "MARIADB", "ODBCSQLITE"};
const QStringList Tables = {"fk_line", "fk_part", "fk_orders", "fk_customer", "fk_address"};  // dropped in this order

const QStringList Schema = {
    "CREATE TABLE fk_address (id INTEGER PRIMARY KEY, town VARCHAR(20))",
    "CREATE TABLE fk_customer (id INTEGER PRIMARY KEY, name VARCHAR(20), manager INTEGER, "
    "CONSTRAINT fk_customer_manager FOREIGN KEY (manager) REFERENCES fk_customer (id))",
    "CREATE TABLE fk_orders (id INTEGER PRIMARY KEY, customer INTEGER, bill_to INTEGER, ship_to INTEGER, "
    "CONSTRAINT fk_orders_customer FOREIGN KEY (customer) REFERENCES fk_customer (id), "
    "CONSTRAINT fk_orders_bill FOREIGN KEY (bill_to) REFERENCES fk_address (id), "
    "CONSTRAINT fk_orders_ship FOREIGN KEY (ship_to) REFERENCES fk_address (id))",
    "CREATE TABLE fk_part (maker INTEGER, code INTEGER, name VARCHAR(20), PRIMARY KEY (maker, code))",
    "CREATE TABLE fk_line (orders INTEGER, maker INTEGER, code INTEGER, qty INTEGER, "
    "CONSTRAINT fk_line_orders FOREIGN KEY (orders) REFERENCES fk_orders (id), "
    "CONSTRAINT fk_line_part FOREIGN KEY (maker, code) REFERENCES fk_part (maker, code))",
    "INSERT INTO fk_address VALUES (1, 'Bath'), (2, 'Leeds'), (3, 'York')",
    "INSERT INTO fk_customer VALUES (1, 'Ann', NULL), (2, 'Bob', 1)",
    "INSERT INTO fk_orders VALUES (10, 1, 1, 2), (11, 2, 3, 3), (12, 2, 2, 1)",
    "INSERT INTO fk_part VALUES (1, 1, 'bolt'), (1, 2, 'nut'), (2, 1, 'gear')",
    "INSERT INTO fk_line VALUES (10, 1, 1, 5), (10, 1, 2, 1), (11, 2, 1, 7), (12, 1, 1, 2)"};

void dropTables(TDatabase *db)
{
    QSqlQuery s(db->Connection());
    for (const QString &t : Tables)
        s.exec(QStringLiteral("DROP TABLE IF EXISTS ") + t);
}

// A result's rows as "a|b|c", sorted.
QStringList sortedRows(QSqlQuery &q)
{
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            cells << (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
        rows << cells.join(u'|');
    }
    rows.sort();
    return rows;
}

QStringList rowsOf(TDatabase *db, const QString &sql)
{
    QSqlQuery q(db->Connection());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return {QStringLiteral("failed: ") + sql + u' ' + q.lastError().text()};
    return sortedRows(q);
}

// Places the tables one after another, as a double click in the table list does.
void place(TQGQueryForm *form, const QStringList &tables)
{
    for (const QString &t : tables) {
        SelectTables(form, {t});
        form->Canvas()->ListView1DblClick();
    }
}

// "table.field = table.field" as the designer writes the join in this style.
QString joinText(const QString &link, const IdentifierStyle &style)
{
    const QStringList sides = link.split(QLatin1String(" = "));
    const auto reference = [&](const QString &side) {
        return AliasFieldReference(side.section(u'.', 0, 0), side.section(u'.', 1), style);
    };
    return JoinText(reference(sides.value(0)), reference(sides.value(1)));
}

QStringList linkHints(const DesignState &d)
{
    QStringList hints;
    for (const DocumentLink &l : d.links)
        hints << l.hint;
    return hints;
}

} // namespace

void TestForeignKeys::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    static QTemporaryDir dir;
    QString error;
    const QString sqlite = dir.filePath("shop.sqlite");
    QVERIFY2(TestSupport::MakeSampleSqlite(sqlite, &error), qPrintable(error));
    QString aliases = TestSupport::EngineAliases(sqlite);
    QVERIFY2(!aliases.isEmpty(), "the test servers or the ODBC data sources are not running");
    const auto chinook = TestSupport::ChinookEnv(QStringLiteral(VDQ_CHINOOK_ENV_FILE));
    QVERIFY2(chinook.value("CHINOOK") == QLatin1String("present"), "the Chinook sample of the test run is missing");
    TestSupport::UseAliasFile(dir.filePath("aliases.ini"), aliases + TestSupport::ChinookAliasSections(chinook));
    for (const QString &alias : OwnDatabases) {
        TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
        dropTables(db);
        QSqlQuery s(db->Connection());
        for (const QString &sql : Schema)
            QVERIFY2(s.exec(sql), qPrintable(alias + ": " + sql + "\n-> " + s.lastError().text()));
    }
    // The tables are new to the data sources' own connections too.
    Sessions().CloseAll();
}

void TestForeignKeys::cleanupTestCase()
{
    for (const QString &alias : OwnDatabases) {
        try {
            dropTables(Sessions().DefaultSession()->OpenDatabase(alias));
        } catch (const VdqError &) {
        }
    }
    Sessions().CloseAll();
}

void TestForeignKeys::keysRead_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("keys");  // "name: text", sorted; SQLite names none
    const QString orders = "fk_orders (customer) -> fk_customer (id)", bill = "fk_orders (bill_to) -> fk_address (id)",
                  ship = "fk_orders (ship_to) -> fk_address (id)", line = "fk_line (orders) -> fk_orders (id)",
                  part = "fk_line (maker, code) -> fk_part (maker, code)", self = "fk_customer (manager) -> fk_customer (id)";
    const QList<std::tuple<const char *, QStringList>> cases = {
        {"fk_orders", {"fk_line_orders: " + line, "fk_orders_bill: " + bill, "fk_orders_customer: " + orders,
                       "fk_orders_ship: " + ship}},
        {"fk_customer", {"fk_customer_manager: " + self, "fk_orders_customer: " + orders}},
        {"fk_line", {"fk_line_orders: " + line, "fk_line_part: " + part}},
        {"fk_part", {"fk_line_part: " + part}},
        {"fk_address", {"fk_orders_bill: " + bill, "fk_orders_ship: " + ship}},
    };
    for (const QString &alias : Aliases) {
        for (const auto &[table, keys] : cases)
            QTest::addRow("%s %s", qPrintable(alias), table) << alias << QString(table) << keys;
    }
}

void TestForeignKeys::keysRead()
{
    QFETCH(QString, alias);
    QFETCH(QString, table);
    QFETCH(QStringList, keys);
    TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
    const bool named = db->Dialect() != SqlDialect::SQLite;
    QStringList read;
    for (const ForeignKey &key : db->ForeignKeys(table))
        read << (named ? key.name : QStringLiteral("?")) + QStringLiteral(": ") + ForeignKeyText(key);
    read.sort();
    if (!named) {
        for (QString &key : keys)
            key = QStringLiteral("?") + key.mid(key.indexOf(u':'));
        keys.sort();
    }
    QCOMPARE(read, keys);
}

void TestForeignKeys::placingJoins_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QStringList>("tables");  // placed one after another
    QTest::addColumn<bool>("joinByKeys");
    QTest::addColumn<QString>("answer");      // the chooser's row holding this text; "-" Do Not Join; "" not asked
    QTest::addColumn<bool>("addRelated");     // then Add Related Tables on the first window
    QTest::addColumn<QStringList>("links");   // the links' join texts, also the Conditions rows
    QTest::addColumn<QString>("byHand");
    const QList<std::tuple<const char *, QStringList, bool, QString, bool, QStringList, const char *>> cases = {
        {"single key", {"fk_customer", "fk_orders"}, true, "", false, {"fk_orders.customer = fk_customer.id"},
         "SELECT c.*, o.* FROM fk_customer c JOIN fk_orders o ON o.customer = c.id"},
        {"referenced table placed second", {"fk_orders", "fk_customer"}, true, "", false,
         {"fk_orders.customer = fk_customer.id"}, "SELECT o.*, c.* FROM fk_orders o JOIN fk_customer c ON o.customer = c.id"},
        {"multi-column key", {"fk_part", "fk_line"}, true, "", false,
         {"fk_line.maker = fk_part.maker", "fk_line.code = fk_part.code"},
         "SELECT p.*, l.* FROM fk_part p JOIN fk_line l ON l.maker = p.maker AND l.code = p.code"},
        {"two keys, shipping chosen", {"fk_address", "fk_orders"}, true, "(ship_to)", false,
         {"fk_orders.ship_to = fk_address.id"}, "SELECT a.*, o.* FROM fk_address a JOIN fk_orders o ON o.ship_to = a.id"},
        {"two keys, none chosen", {"fk_address", "fk_orders"}, true, "-", false, {},
         "SELECT a.*, o.* FROM fk_address a CROSS JOIN fk_orders o"},
        {"self-referencing key", {"fk_customer"}, true, "", false, {}, "SELECT * FROM fk_customer"},
        {"option off", {"fk_customer", "fk_orders"}, false, "", false, {},
         "SELECT c.*, o.* FROM fk_customer c CROSS JOIN fk_orders o"},
        {"add related tables", {"fk_line"}, false, "", true,
         {"fk_line.orders = fk_orders.id", "fk_line.maker = fk_part.maker", "fk_line.code = fk_part.code"},
         "SELECT l.*, o.*, p.* FROM fk_line l JOIN fk_orders o ON l.orders = o.id "
         "JOIN fk_part p ON l.maker = p.maker AND l.code = p.code"},
    };
    for (const QString &alias : Aliases) {
        for (const auto &[name, tables, on, answer, related, links, byHand] : cases)
            QTest::addRow("%s %s", qPrintable(alias), name) << alias << tables << on << answer << related << links
                                                            << QString(byHand);
    }
}

void TestForeignKeys::placingJoins()
{
    QFETCH(QString, alias);
    QFETCH(QStringList, tables);
    QFETCH(bool, joinByKeys);
    QFETCH(QString, answer);
    QFETCH(bool, addRelated);
    QFETCH(QStringList, links);
    QFETCH(QString, byHand);
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    for (QString &link : links)
        link = joinText(link, form->Style());
    QVERIFY(form->Options()->JoinByForeignKeys());
    form->Options()->SetJoinByForeignKeys(joinByKeys);
    const auto answered = TestSupport::AnswerModal(QStringLiteral("TQGForeignKeyForm"), [answer](QWidget *w) {
        auto *dialog = static_cast<TQGForeignKeyForm *>(w);
        const QList<QListWidgetItem *> rows = dialog->KeyList()->findItems(answer, Qt::MatchContains);
        if (answer == QLatin1String("-") || rows.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->SetChoice(dialog->KeyList()->row(rows.first()));
        dialog->accept();
    });
    place(form.get(), tables);
    const int steps = form->UndoStack()->count();
    if (addRelated) {
        form->SetCurrentTable(form->Canvas()->FindTableWindow(tables.first()));
        form->Canvas()->AddRelatedTables1Click();
        QCOMPARE(form->UndoStack()->count(), steps + 1);
    }
    QCOMPARE(*answered, answer.isEmpty() ? 0 : 1);
    const DesignState &d = form->Design();
    QCOMPARE(linkHints(d), links);
    QStringList rows;
    for (const QStringList &row : d.conditions)
        rows << row.value(0) + u' ' + row.value(1) + u' ' + row.value(2) + u' ' + row.value(3);
    QStringList expectedRows;
    for (const QString &link : links)
        expectedRows << link + u' ' + QString(AndWord);
    QCOMPARE(rows, expectedRows);
    // Every link has its windows on the canvas, drawn.
    for (const DocumentLink &l : d.links)
        QVERIFY(form->Canvas()->Link(l.id));

    form->DefineQueryType(0);
    TDatabase *db = Sessions().DefaultSession()->FindOpenDatabase(alias);
    const QString statement = form->Memo1()->toPlainText();
    const QStringList generated = rowsOf(db, statement);
    QVERIFY2(!generated.isEmpty(), qPrintable(statement));
    QCOMPARE(generated, rowsOf(db, byHand));

    // Placing and its joins are one step.
    if (addRelated) {
        form->UndoStack()->undo();
        QCOMPARE(form->Design().tables.size(), tables.size());
        QVERIFY(form->Design().links.isEmpty());
    }
}

void TestForeignKeys::chinookInvoiceLine_data()
{
    QTest::addColumn<QString>("alias");
    for (const char *alias : {"CH_SQLITE", "CH_PG", "CH_MARIADB", "CH_ODBCPG", "CH_ODBCMARIADB", "CH_ODBCSQLITE"})
        QTest::newRow(alias) << QString(alias);
}

void TestForeignKeys::chinookInvoiceLine()
{
    QFETCH(QString, alias);
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    const SqlDialect dialect = Sessions().DefaultSession()->FindOpenDatabase(alias)->Dialect();
    const auto name = [dialect](const char *pascal) { return TestSupport::ChinookName(dialect, QLatin1String(pascal)); };
    // Employee's ReportsTo names its own table: one window of it joins nothing.
    place(form.get(), {name("Employee")});
    QCOMPARE(form->Design().links.size(), 0);
    bool selfKey = false;
    for (const ForeignKey &key : Sessions().DefaultSession()->ListForeignKeys(alias, name("Employee")))
        selfKey |= key.selfReferencing() && key.columns == QStringList{name("ReportsTo")};
    QVERIFY(selfKey);

    place(form.get(), {name("Invoice"), name("InvoiceLine")});
    const QString line = AliasFieldReference(name("InvoiceLine"), name("InvoiceId"), form->Style()),
                  invoice = AliasFieldReference(name("Invoice"), name("InvoiceId"), form->Style());
    QCOMPARE(linkHints(form->Design()), QStringList{JoinText(line, invoice)});
    QCOMPARE(form->Design().conditions,
             (QList<QStringList>{{line, QString(NewRowComparison), invoice, QString(AndWord)}}));
}

QTEST_MAIN(TestForeignKeys)
#include "tst_foreignkeys.moc"
