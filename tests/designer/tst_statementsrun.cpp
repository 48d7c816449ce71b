// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignlists.h"
#include "tqgsqleditor.h"
#include "valuetext.h"
#include "naming.h"
#include "selectforms.h"
#include "sqlbuilders.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QTreeWidget>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <algorithm>

using namespace DesignFixture;

// Every statement the designer generates runs on each engine the test run reaches: SQLite,
// PostgreSQL, MariaDB, and PostgreSQL, MariaDB and SQLite through ODBC. Each table alone in the four
// query types, every pair of sample tables joined in a SELECT, and tables and fields with
// odd names. The effect is checked (rows returned, inserted, changed, deleted) inside a
// transaction that is rolled back afterwards.
class TestStatementsRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void dialects_data();
    void dialects();
    void statements_data();
    void statements();
    void literals_data();
    void literals();
    void selectForms_data();
    void selectForms();

private:
    QTemporaryDir m_dir;
};

namespace {

const QStringList SampleTables = {"clients", "products", "sales", "order items", "2003sales", "ledger"};
const QStringList Aliases = TestSupport::EngineAliasNames();

// Tables with names an engine would misread bare: (table, key field, text field).
struct OddTable
{
    QString table, key, text;
};
const QList<OddTable> OddTables = {{"odd table", "id", "my field"},
                                   {"1st", "2nd", "select"},
                                   {"order", "id", "from"},
                                   {"MixedCase", "MixedKey", "MixedText"},
                                   {"it\"s", "id", "qu\"ote"}};
// Desktop databases named their tables with the file extension; SQLite keeps the dot.
const OddTable DottedTable = {"CLIENTS.DB", "ClientNo", "Town"};

bool isSqlite(const QString &alias)
{
    return alias == QLatin1String("SHOP") || alias == QLatin1String("ODBCSQLITE");
}

bool isMariaDb(const QString &alias)
{
    return alias == QLatin1String("MARIADB") || alias == QLatin1String("ODBCMARIADB");
}

QList<OddTable> oddTables(const QString &alias)
{
    QList<OddTable> tables = OddTables;
    if (isSqlite(alias))
        tables << DottedTable;
    return tables;
}

// The test's own quoting for its set-up and checks: always quoted, quote doubled.
QString q(const QString &alias, const QString &name)
{
    const QChar quote = isMariaDb(alias) ? u'`' : u'"';
    QString n = name;
    n.replace(quote, QString(2, quote));
    return quote + n + quote;
}

// The field whose value a copied row changes to stay unique, and a field an UPDATE changes
// with a literal of its type.
QString keyField(const QString &table)
{
    static const QMap<QString, QString> keys = {{"clients", "ClientNo"}, {"products", "ProductNo"},
                                                {"sales", "SaleNo"}, {"order items", "ItemNo"},
                                                {"2003sales", "Quarter"}, {"ledger", "EntryNo"}};
    for (const OddTable &t : OddTables + QList<OddTable>{DottedTable}) {
        if (t.table == table)
            return t.key;
    }
    return keys.value(table);
}

QPair<QString, QString> changedField(const QString &table)
{
    static const QMap<QString, QPair<QString, QString>> fields = {
        {"clients", {"Contact", "'changed'"}}, {"products", {"Category", "'changed'"}},
        {"sales", {"PaidBy", "'changed'"}}, {"order items", {"Qty", "77"}},
        {"2003sales", {"Firm", "'changed'"}}, {"ledger", {"Text", "'changed'"}}};
    for (const OddTable &t : OddTables + QList<OddTable>{DottedTable}) {
        if (t.table == table)
            return {t.text, QStringLiteral("'changed'")};
    }
    return fields.value(table);
}

qlonglong count(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery c(db);
    c.setForwardOnly(true);
    if (!c.exec(sql) || !c.next())
        return -1;
    return c.value(0).toLongLong();
}

// One row of the table as SQL literals, the key moved out of the way; only the key for an
// empty table. The names are the designer's field list (some drivers' records drop quotes).
QList<QPair<QString, QString>> literalRow(const QString &alias, const QSqlDatabase &db, const QString &table,
                                          const QStringList &fields)
{
    QList<QPair<QString, QString>> row;
    QSqlQuery r(db);
    r.setForwardOnly(true);
    if (r.exec(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(q(alias, table), q(alias, keyField(table))))
        && r.next()) {
        const QSqlRecord rec = r.record();
        for (int i = 0; i < rec.count() && i < fields.size(); ++i) {
            const QVariant v = rec.value(i);
            QString text;
            if (fields.at(i) == keyField(table))
                text = QString::number(v.toLongLong() + 1000000);
            else if (v.isNull() || v.typeId() == QMetaType::QByteArray)
                text = QStringLiteral("NULL");
            else
                text = StringValueText(v.toString());
            row << qMakePair(fields.at(i), text);
        }
    }
    if (row.isEmpty())
        row << qMakePair(keyField(table), QStringLiteral("1000000"));
    return row;
}

bool exec(QSqlQuery &query, const QString &sql, QString *error)
{
    if (query.exec(sql))
        return true;
    *error = sql + QStringLiteral("\n-> ") + query.lastError().text();
    return false;
}

} // namespace

void TestStatementsRun::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QString error;
    const QString sqlite = m_dir.filePath("shop.sqlite");
    QVERIFY2(TestSupport::MakeSampleSqlite(sqlite, &error), qPrintable(error));
    const QString aliases = TestSupport::EngineAliases(sqlite);
    QVERIFY2(!aliases.isEmpty(), "the test servers or the ODBC data sources are not running");
    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"), aliases);

    // Two small tables for the joins, totals, DISTINCT and the limit: rows without a partner
    // on each side, a town shared by three rows.
    for (const QString &alias : {QStringLiteral("SHOP"), QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"),
                                 QStringLiteral("ODBCSQLITE")}) {
        TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
        QSqlQuery s(db->Connection());
        for (const QString &sql : {QStringLiteral("DROP TABLE IF EXISTS jleft"), QStringLiteral("DROP TABLE IF EXISTS jright"),
                                   QStringLiteral("CREATE TABLE jleft (id INTEGER PRIMARY KEY, town VARCHAR(20))"),
                                   QStringLiteral("CREATE TABLE jright (id INTEGER PRIMARY KEY, lid INTEGER)"),
                                   QStringLiteral("INSERT INTO jleft VALUES (1, 'A'), (2, 'A'), (3, 'A'), (4, 'B')"),
                                   QStringLiteral("INSERT INTO jright VALUES (10, 1), (11, 1), (12, 9)")})
            QVERIFY2(exec(s, sql, &error), qPrintable(error));
    }

    // The odd tables, made with the test's own quoting; ODBCPG shares WAREHOUSE's database,
    // ODBCMARIADB MARIADB's.
    for (const QString &alias : {QStringLiteral("SHOP"), QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"),
                                 QStringLiteral("ODBCSQLITE")}) {
        TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
        QSqlQuery s(db->Connection());
        for (const OddTable &t : oddTables(alias)) {
            QVERIFY2(exec(s, QStringLiteral("DROP TABLE IF EXISTS %1").arg(q(alias, t.table)), &error), qPrintable(error));
            QVERIFY2(exec(s, QStringLiteral("CREATE TABLE %1 (%2 INTEGER PRIMARY KEY, %3 VARCHAR(200))")
                                 .arg(q(alias, t.table), q(alias, t.key), q(alias, t.text)),
                          &error),
                     qPrintable(error));
            QVERIFY2(exec(s, QStringLiteral("INSERT INTO %1 VALUES (1, 'one'), (2, 'two')").arg(q(alias, t.table)), &error),
                     qPrintable(error));
        }
    }
}

void TestStatementsRun::cleanupTestCase()
{
    // The shared servers and data sources go back to the sample alone.
    for (const QString &alias : {QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"), QStringLiteral("ODBCSQLITE")}) {
        try {
            TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
            QSqlQuery s(db->Connection());
            for (const OddTable &t : oddTables(alias))
                s.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(q(alias, t.table)));
            s.exec(QStringLiteral("DROP TABLE IF EXISTS jleft"));
            s.exec(QStringLiteral("DROP TABLE IF EXISTS jright"));
        } catch (const VdqError &) {
        }
    }
    Sessions().CloseAll();
}

// The dialect is the engine's, also when it is reached through ODBC.
void TestStatementsRun::dialects_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<int>("dialect");
    QTest::newRow("SQLite") << "SHOP" << int(SqlDialect::SQLite);
    QTest::newRow("PostgreSQL") << "WAREHOUSE" << int(SqlDialect::PostgreSQL);
    QTest::newRow("MariaDB") << "MARIADB" << int(SqlDialect::MySQL);
    QTest::newRow("ODBC to PostgreSQL") << "ODBCPG" << int(SqlDialect::PostgreSQL);
    QTest::newRow("ODBC to MariaDB") << "ODBCMARIADB" << int(SqlDialect::MySQL);
    QTest::newRow("ODBC to SQLite") << "ODBCSQLITE" << int(SqlDialect::SQLite);
}

void TestStatementsRun::dialects()
{
    QFETCH(QString, alias);
    QFETCH(int, dialect);
    TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
    QCOMPARE(int(db->Dialect()), dialect);
    QCOMPARE(int(OpenForm(alias)->Dialect()), dialect);
}

void TestStatementsRun::statements_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<int>("type");
    for (const QString &alias : Aliases) {
        QStringList tables = SampleTables;
        for (const OddTable &t : oddTables(alias))
            tables << t.table;
        for (const QString &t : tables) {
            for (int type = 0; type < 4; ++type)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2 type %3").arg(alias, t).arg(type)))
                    << alias << QStringList{t} << type;
        }
        for (int i = 0; i < SampleTables.size(); ++i) {
            for (int j = i + 1; j < SampleTables.size(); ++j)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2 + %3").arg(alias, SampleTables[i], SampleTables[j])))
                    << alias << QStringList{SampleTables[i], SampleTables[j]} << 0;
        }
        QTest::newRow(qPrintable(alias + QStringLiteral(" order + odd table")))
            << alias << QStringList{"order", "odd table"} << 0;
    }
}

void TestStatementsRun::statements()
{
    QFETCH(QString, alias);
    QFETCH(QStringList, tables);
    QFETCH(int, type);
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    TDatabase *database = Sessions().DefaultSession()->FindOpenDatabase(alias);
    QVERIFY(database);
    QSqlDatabase db = database->Connection();
    const IdentifierStyle style = form->Style();
    TQGCanvasCommands *canvas = form->Canvas();
    QList<TQGCheckListBox *> windows;
    for (const QString &t : tables)
        windows << canvas->CreateTableWindow(t, QRect(10 + 200 * windows.size(), 10, 121, 180), true);
    TQGCheckListBox *first = windows.first();
    QVERIFY2(!first->Fields().isEmpty(), "no fields listed");
    const QString table = first->Caption();
    QCOMPARE(table, tables.first());
    const QString firstField = first->Fields().first();
    const QString key = FieldReference(table, firstField, style);
    QVERIFY(db.transaction());
    QSqlQuery run(db);
    run.setForwardOnly(true);
    QString error;
    auto runStatement = [&](int queryType) {
        form->DefineQueryType(queryType);
        const QString statement = form->Memo1()->toPlainText();
        return !statement.isEmpty() && exec(run, statement, &error);
    };
    bool ok = true;
    QString failure;
    if (type == 0) {
        if (first->count() > 1)
            form->Canvas()->SetFieldTicked(first, first->count() - 1, false);
        if (windows.size() == 2) {
            // Join on a field both tables have, as a user would draw it.
            for (const QString &f : first->Fields()) {
                if (windows[1]->Fields().contains(f)) {
                    form->AddConditionRow(key.left(key.indexOf(u'.') + 1) + QuoteIdentifier(f, style), "=",
                                          FieldReference(windows[1]->Caption(), f, style));
                    break;
                }
            }
        }
        form->AddConditionRow(key, "IS NOT NULL", QString());
        form->Lists()->AddRow(form->ListView3(), {key, "No"});
        form->DefineQueryType(0);
        const QString statement = form->Memo1()->toPlainText();
        if (windows.size() == 1) {
            // Every row of the table comes back: counted by the engine, not fetched.
            const qlonglong rows = count(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(q(alias, table)));
            const qlonglong returned = count(db, QStringLiteral("SELECT COUNT(*) FROM (%1) vdq_rows").arg(statement));
            ok = rows >= 0 && returned == rows;
            failure = QStringLiteral("%1\n-> %2 rows, the table has %3").arg(statement).arg(returned).arg(rows);
        } else if (alias == QLatin1String("WAREHOUSE")) {
            // A cursor runs it on the server without bringing a cross join of the big table over.
            ok = exec(run, QStringLiteral("DECLARE vdq_run CURSOR FOR ") + statement, &error)
                 && exec(run, QStringLiteral("FETCH 1 FROM vdq_run"), &error);
            failure = error;
        } else {
            ok = exec(run, statement, &error);
            if (ok)
                run.next();
            failure = error;
        }
    } else {
        // A copy of the first row with the key moved is inserted; an UPDATE changes it and
        // a DELETE removes it again, both found by the moved key.
        QList<QPair<QString, QString>> row = literalRow(alias, db, table, first->Fields());
        const auto [changed, changedValue] = changedField(table);
        if (type == 2 && std::none_of(row.cbegin(), row.cend(), [&](const auto &p) { return p.first == changed; }))
            row << qMakePair(changed, QStringLiteral("NULL"));
        const QString keyName = keyField(table);
        QString movedKey;
        for (const auto &[field, value] : row) {
            form->Lists()->AddRow(form->ListView5(), {field, value});
            if (field == keyName)
                movedKey = value;
        }
        QVERIFY(!movedKey.isEmpty());
        const QString where = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = %3")
                                  .arg(q(alias, table), q(alias, keyName), movedKey);
        ok = runStatement(1) && run.numRowsAffected() == 1 && count(db, where) == 1;
        failure = QStringLiteral("INSERT: %1 (%2 rows)").arg(error).arg(run.numRowsAffected());
        if (ok && type > 1) {
            form->AddConditionRow(FieldReference(table, keyName, style), "= (Equals)", movedKey);
            if (type == 2) {
                form->EditDesign(QStringLiteral("value"), [&](DesignState &d) {
                    for (QStringList &r : d.values) {
                        if (r.value(0) == changed)
                            r[1] = changedValue;
                    }
                });
                ok = runStatement(2) && run.numRowsAffected() == 1
                     && count(db, where + QStringLiteral(" AND %1 = %2").arg(q(alias, changed), changedValue)) == 1;
            } else {
                ok = runStatement(3) && run.numRowsAffected() == 1 && count(db, where) == 0;
            }
            failure = QStringLiteral("%1\n%2 (%3 rows)").arg(form->Memo1()->toPlainText(), error).arg(run.numRowsAffected());
        }
    }
    run.finish();
    run = QSqlQuery();
    db.rollback();
    QVERIFY2(ok, qPrintable(failure));
}

// A string value goes in and comes back exactly, on every engine, also as a condition.
void TestStatementsRun::literals_data()
{
    TestSupport::AddTextRows(Aliases, {
        {"quote", QStringLiteral("it's")},
        {"backslashes", QStringLiteral("C:\\new\\table")},
        {"escaped quote attempt", QStringLiteral("x\\' OR 1=1 -- ")},
        {"trailing backslash", QStringLiteral("end\\")},
        {"percent and underscore", QStringLiteral("100% _done_")},
        {"newline", QStringLiteral("line one\nline two")},
        {"binary-looking", QStringLiteral("\\x00\\xff\\0\x01\x7f")},
        {"double quote and backtick", QStringLiteral("say \"hi\" `now`")}});
}

void TestStatementsRun::literals()
{
    QFETCH(QString, alias);
    QFETCH(QString, text);
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    QSqlDatabase db = Sessions().DefaultSession()->FindOpenDatabase(alias)->Connection();
    const IdentifierStyle style = form->Style();
    const OddTable &t = OddTables.first();
    form->Canvas()->CreateTableWindow(t.table, QRect(10, 10, 121, 180), true);
    const QString literal = StringValueText(text);
    form->Lists()->AddRow(form->ListView5(), {t.key, "99"});
    form->Lists()->AddRow(form->ListView5(), {t.text, literal});
    form->AddConditionRow(FieldReference(t.table, t.text, style), "= (Equals)", literal);
    QVERIFY(db.transaction());
    QString error;
    bool ok = false;
    QString back;
    qlonglong matches = -1;
    {
        QSqlQuery run(db);
        run.setForwardOnly(true);
        form->DefineQueryType(1);
        ok = exec(run, form->Memo1()->toPlainText(), &error);
        if (ok) {
            QSqlQuery read(db);
            read.setForwardOnly(true);
            ok = exec(read, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = 99")
                                .arg(q(alias, t.text), q(alias, t.table), q(alias, t.key)), &error)
                 && read.next();
            back = read.value(0).toString();
            // The designer's SELECT with the literal as a condition finds that row alone.
            form->DefineQueryType(0);
            matches = count(db, QStringLiteral("SELECT COUNT(*) FROM (%1) vdq_rows").arg(form->Memo1()->toPlainText()));
        }
    }
    db.rollback();
    QVERIFY2(ok, qPrintable(error));
    QCOMPARE(back, text);
    QCOMPARE(matches, 1);
}

// The forms beyond the comma join, each run on every engine and its rows compared, sorted,
// with the rows it must give. Rows are "a|b" texts, NULL for a null.
void TestStatementsRun::selectForms_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("rows");
    const QList<QPair<QString, QStringList>> forms = {
        {"left", {"1|10", "1|11", "2|NULL", "3|NULL", "4|NULL"}},
        {"right", {"1|10", "1|11", "NULL|12"}},
        {"left dragged the other way", {"1|10", "1|11", "NULL|12"}},
        {"full", {"1|10", "1|11", "2|NULL", "3|NULL", "4|NULL", "NULL|12"}},
        {"left with count", {"1|2", "2|0", "3|0", "4|0"}},
        {"left with count sorted on the counted field", {"1|2", "2|0", "3|0", "4|0"}},
        {"totals", {"1|B|4", "3|A|6"}},
        {"totals with having", {"3|A|6"}},
        {"distinct", {"A", "B"}},
        {"limit", {"3", "4"}}};
    for (const QString &alias : Aliases) {
        for (const auto &[form, rows] : forms)
            QTest::addRow("%s %s", qPrintable(alias), qPrintable(form)) << alias << form << rows;
    }
}

void TestStatementsRun::selectForms()
{
    QFETCH(QString, alias);
    QFETCH(QString, form);
    QFETCH(QStringList, rows);
    TDatabase *database = Sessions().DefaultSession()->OpenDatabase(alias);
    const IdentifierStyle style = database->Style();
    auto ref = [&](const QString &table, const QString &field) { return FieldReference(table, field, style); };
    QueryDesign design;
    design.style = style;
    design.tables = {DesignTable{"jleft", {"id", "town"}, {true, false}, {}},
                     DesignTable{"jright", {"id", "lid"}, {true, false}, {}}};
    const QString join = ref("jleft", "id") + QStringLiteral(" = ") + ref("jright", "lid");
    design.conditions = {{ref("jleft", "id"), "=", ref("jright", "lid"), "AND"}};
    design.links = {DesignLink{"jleft", "jright", join, JoinType::Inner}};
    if (form == QLatin1String("left") || form.startsWith(QLatin1String("left with count"))) {
        design.links[0].joinType = JoinType::Left;
    } else if (form == QLatin1String("right")) {
        design.links[0].joinType = JoinType::Right;
    } else if (form == QLatin1String("left dragged the other way")) {
        const QString back = ref("jright", "lid") + QStringLiteral(" = ") + ref("jleft", "id");
        design.conditions = {{ref("jright", "lid"), "=", ref("jleft", "id"), "AND"}};
        design.links = {DesignLink{"jright", "jleft", back, JoinType::Left}};
    } else if (form == QLatin1String("full")) {
        design.links[0].joinType = JoinType::Full;
    }
    if (form == QLatin1String("left with count")) {
        design.tables[0].totals = {TotalKind::Group, TotalKind::None};
        design.tables[1].totals = {TotalKind::Count, TotalKind::None};
        design.sorting = {{"COUNT(" + ref("jright", "id") + ")", "No"}};
    } else if (form == QLatin1String("left with count sorted on the counted field")) {
        // The sorting row names the field as dragged from its table window.
        design.tables[0].totals = {TotalKind::Group, TotalKind::None};
        design.tables[1].totals = {TotalKind::Count, TotalKind::None};
        design.sorting = {{ref("jright", "id"), "No"}};
    } else if (form.startsWith(QLatin1String("totals"))) {
        design.tables = {DesignTable{"jleft", {"id", "town"}, {true, true}, {TotalKind::Count, TotalKind::Group}}};
        design.tables[0].fields << QStringLiteral("id");  // the same field twice, summed
        design.tables[0].checked << true;
        design.tables[0].totals << TotalKind::Sum;
        design.conditions.clear();
        design.links.clear();
        if (form.endsWith(QLatin1String("having")))
            design.conditions = {{"COUNT(" + ref("jleft", "id") + ")", "> (Greater Than)", "1", "AND"}};
    } else if (form == QLatin1String("distinct")) {
        design.tables = {DesignTable{"jleft", {"id", "town"}, {false, true}, {}}};
        design.conditions.clear();
        design.links.clear();
        design.distinct = true;
    } else if (form == QLatin1String("limit")) {
        design.tables = {DesignTable{"jleft", {"id", "town"}, {true, false}, {}}};
        design.conditions.clear();
        design.links.clear();
        design.sorting = {{ref("jleft", "id"), "No"}};
        design.limit = 2;
    }

    QString statement;
    try {
        statement = GenerateSQLText(design);
    } catch (const VdqError &e) {
        // The one form an engine lacks is refused with its reason, never run.
        QCOMPARE(form, QStringLiteral("full"));
        QCOMPARE(database->Dialect(), SqlDialect::MySQL);
        QVERIFY2(e.message().contains(QLatin1String("FULL JOIN")), qPrintable(e.message()));
        return;
    }
    QVERIFY2(!(form == QLatin1String("full") && database->Dialect() == SqlDialect::MySQL), qPrintable(statement));
    QSqlQuery run(database->Connection());
    run.setForwardOnly(true);
    QString error;
    QVERIFY2(exec(run, statement, &error), qPrintable(error));
    QStringList got;
    while (run.next()) {
        QStringList cells;
        for (int i = 0; i < run.record().count(); ++i)
            cells << (run.isNull(i) ? QStringLiteral("NULL") : run.value(i).toString());
        got << cells.join(u'|');
    }
    if (form.startsWith(QLatin1String("left with count")))
        QCOMPARE(got.value(0), QStringLiteral("1|2"));  // sorted by the count, largest first
    std::sort(got.begin(), got.end());
    QVERIFY2(got == rows, qPrintable(statement + QStringLiteral("\n-> ") + got.join(u';')));
}

QTEST_MAIN(TestStatementsRun)
#include "tst_statementsrun.moc"
