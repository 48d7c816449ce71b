// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "naming.h"
#include "selectforms.h"
#include "sqlbuilders.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// Designs on every engine of the test run give the rows of a statement written by hand for
// the same question in another form (subqueries, the other join direction), so that the
// generated text is checked against more than itself: links that mix inner and outer joins,
// an OR beside a link, tables that share a classic alias, a table placed twice. Over small
// tables of the test's own, and over the public Chinook sample (a schema this project did
// not write) where it is beside the project. PostgreSQL's Chinook names everything in snake
// case (invoice_line.track_id), the others in Pascal case (InvoiceLine.TrackId).
class TestHandWritten : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void smallTables_data();
    void smallTables() { sameRowsAsWrittenByHand(); }
    void chinook_data();
    void chinook();

private:
    void sameRowsAsWrittenByHand();
    QMap<QString, QString> m_chinook;
};

namespace {

// A design in the question's names (Pascal case): "Table" or "Table AS alias" in canvas
// order; "Table.Field" ticks, links and rows.
struct Question
{
    QStringList tables;
    QStringList ticked;  // in column order of the canvas
    struct Link
    {
        QString from, to;  // "Table.Field" (alias.Field for a second window)
        JoinType type;
    };
    QList<Link> links;
    QStringList rows;  // Conditions rows: "Table.Field|=|'Jazz'|OR"; "*" where the link rows go (else first)
};

const QStringList SmallAliases = TestSupport::EngineAliasNames();
const QStringList ChinookAliases = {"CH_SQLITE", "CH_PG", "CH_MARIADB", "CH_ODBCPG", "CH_ODBCMARIADB", "CH_ODBCSQLITE"};

// ta <- tb.aid, tb <- tc.bid, tc <- td.cid, every level with rows without a partner; and two
// tables whose names give the same classic alias, t_a.
const QStringList Setup = {
    "CREATE TABLE ta (id INTEGER PRIMARY KEY, v INTEGER)",  "CREATE TABLE tb (id INTEGER PRIMARY KEY, aid INTEGER)",
    "CREATE TABLE tc (id INTEGER PRIMARY KEY, bid INTEGER)", "CREATE TABLE td (id INTEGER PRIMARY KEY, cid INTEGER)",
    "INSERT INTO ta VALUES (1, 0), (2, 0), (3, 0), (4, 0)",  "INSERT INTO tb VALUES (10, 1), (11, 1), (12, 2), (13, 9)",
    "INSERT INTO tc VALUES (100, 10), (101, 12), (102, 99), (103, 11)",
    "INSERT INTO td VALUES (1000, 100), (1001, 555), (1002, 101)",
    "CREATE TABLE \"t a\" (id INTEGER PRIMARY KEY, v INTEGER)", "CREATE TABLE t_a (id INTEGER PRIMARY KEY, v INTEGER)",
    "INSERT INTO \"t a\" VALUES (1, 5), (2, 6)",           "INSERT INTO t_a VALUES (2, 7), (3, 8)"};
const QStringList SmallTables = {"ta", "tb", "tc", "td", "\"t a\"", "t_a"};

struct Case
{
    const char *name;
    Question question;
    const char *byHand;
    int rowCount;
};

void addRows(const QStringList &aliases, const QList<Case> &cases)
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<Question>("question");
    QTest::addColumn<QString>("byHand");
    QTest::addColumn<int>("rowCount");
    for (const QString &alias : aliases) {
        for (const Case &c : cases)
            QTest::addRow("%s %s", qPrintable(alias), c.name) << alias << c.question << QString(c.byHand) << c.rowCount;
    }
}

const JoinType I = JoinType::Inner, L = JoinType::Left, R = JoinType::Right, F = JoinType::Full;

} // namespace

Q_DECLARE_METATYPE(Question)

void TestHandWritten::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    static QTemporaryDir dir;
    QString error;
    const QString sqlite = dir.filePath("shop.sqlite");
    QVERIFY2(TestSupport::MakeSampleSqlite(sqlite, &error), qPrintable(error));
    QString aliases = TestSupport::EngineAliases(sqlite);
    QVERIFY2(!aliases.isEmpty(), "the test servers or the ODBC data sources are not running");
    m_chinook = TestSupport::ChinookEnv(QStringLiteral(VDQ_CHINOOK_ENV_FILE));
    QVERIFY2(!m_chinook.isEmpty(), "the Chinook set-up of the test run did not run");
    if (m_chinook.value("CHINOOK") == QLatin1String("present"))
        aliases += TestSupport::ChinookAliasSections(m_chinook);
    TestSupport::UseAliasFile(dir.filePath("aliases.ini"), aliases);
    // ODBCPG reaches WAREHOUSE's database, ODBCMARIADB MARIADB's.
    for (const QString &alias : {QStringLiteral("SHOP"), QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"),
                                 QStringLiteral("ODBCSQLITE")}) {
        TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
        QSqlQuery s(db->Connection());
        for (const QString &t : SmallTables)
            QVERIFY2(s.exec(TestSupport::WrittenFor(db->Dialect(), QStringLiteral("DROP TABLE IF EXISTS %1").arg(t))),
                     qPrintable(s.lastError().text()));
        for (const QString &sql : Setup)
            QVERIFY2(s.exec(TestSupport::WrittenFor(db->Dialect(), sql)), qPrintable(sql + "\n-> " + s.lastError().text()));
    }
}

void TestHandWritten::cleanupTestCase()
{
    for (const QString &alias : {QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"), QStringLiteral("ODBCSQLITE")}) {
        try {
            TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
            QSqlQuery s(db->Connection());
            for (const QString &t : SmallTables)
                s.exec(TestSupport::WrittenFor(db->Dialect(), QStringLiteral("DROP TABLE IF EXISTS %1").arg(t)));
        } catch (const VdqError &) {
        }
    }
    Sessions().CloseAll();
}

void TestHandWritten::smallTables_data()
{
    addRows(SmallAliases, {
        {"right-kept table first on the canvas",
         {{"tc", "ta", "tb"}, {"tc.id", "ta.id", "tb.id"}, {{"ta.id", "tb.aid", I}, {"tb.id", "tc.bid", R}}, {}},
         "SELECT tc.id, x.aid, x.bid FROM tc LEFT JOIN (SELECT ta.id AS aid, tb.id AS bid FROM ta, tb "
         "WHERE ta.id = tb.aid) x ON x.bid = tc.bid",
         4},
        {"left dragged from the kept side's partner",
         {{"ta", "tb", "tc"}, {"ta.id", "tb.id", "tc.id"}, {{"tb.aid", "ta.id", R}, {"tc.bid", "tb.id", I}}, {}},
         "SELECT ta.id, x.bid, x.cid FROM ta LEFT JOIN (SELECT tb.id AS bid, tb.aid AS aid, tc.id AS cid FROM tb, tc "
         "WHERE tb.id = tc.bid) x ON ta.id = x.aid",
         5},
        {"left, left, inner over four tables",
         {{"ta", "tb", "tc", "td"}, {"ta.id", "tb.id", "tc.id", "td.id"},
          {{"ta.id", "tb.aid", L}, {"tb.id", "tc.bid", L}, {"tc.id", "td.cid", I}}, {}},
         "SELECT ta.id, tb.id, x.cid, x.did FROM ta LEFT JOIN tb ON ta.id = tb.aid LEFT JOIN (SELECT tc.id AS cid, "
         "tc.bid AS bid, td.id AS did FROM tc, td WHERE tc.id = td.cid) x ON tb.id = x.bid",
         5},
        {"inner, full, inner over four tables",  // MySQL has no FULL JOIN: refused there
         {{"ta", "tb", "tc", "td"}, {"ta.id", "tb.id", "tc.id", "td.id"},
          {{"ta.id", "tb.aid", I}, {"tb.id", "tc.bid", F}, {"tc.id", "td.cid", I}}, {}},
         "SELECT x.aid, x.bid, y.cid, y.did FROM (SELECT ta.id AS aid, tb.id AS bid FROM ta, tb WHERE ta.id = tb.aid) x "
         "FULL JOIN (SELECT tc.id AS cid, tc.bid AS bid, td.id AS did FROM tc, td WHERE tc.id = td.cid) y "
         "ON x.bid = y.bid",
         3},
        {"an OR before the link row",
         {{"ta", "tb"}, {"ta.id", "tb.id"}, {{"ta.id", "tb.aid", I}}, {"tb.id|=|10|OR", "*", "tb.id|=|12|AND"}},
         "SELECT ta.id, tb.id FROM ta, tb WHERE ta.id = tb.aid AND (tb.id = 10 OR tb.id = 12)", 2},
        {"two inner links beside an OR",
         {{"ta", "tb", "tc"}, {"ta.id", "tb.id", "tc.id"}, {{"ta.id", "tb.aid", I}, {"tb.id", "tc.bid", I}},
          {"tc.id|=|100|OR", "ta.id|=|2|AND"}},
         "SELECT ta.id, tb.id, tc.id FROM ta JOIN tb ON ta.id = tb.aid JOIN tc ON tb.id = tc.bid "
         "WHERE tc.id = 100 OR ta.id = 2",
         2},
        // "t a" is t_a, and the table t_a becomes t_a_1.
        {"two tables of one classic alias",
         {{"t a", "t_a"}, {"t a.id", "t_a.id"}, {{"t a.id", "t_a.id", I}}, {}},
         "SELECT x.id, y.id FROM \"t a\" x, t_a y WHERE x.id = y.id", 1},
    });
}

void TestHandWritten::chinook_data()
{
    addRows(ChinookAliases, {
        {"Jazz or Blues tracks",
         {{"Track", "Genre"}, {"Track.TrackId"}, {{"Track.GenreId", "Genre.GenreId", I}},
          {"Genre.Name|= (Equals)|'Jazz'|OR", "Genre.Name|= (Equals)|'Blues'|AND"}},
         "SELECT {TrackId} FROM {Track} WHERE {GenreId} IN (SELECT {GenreId} FROM {Genre} WHERE {Name} IN "
         "('Jazz', 'Blues'))",
         211},
        {"every artist with the tracks of their albums",
         {{"Artist", "Album", "Track"}, {"Artist.ArtistId", "Track.TrackId"},
          {{"Artist.ArtistId", "Album.ArtistId", L}, {"Album.AlbumId", "Track.AlbumId", I}}, {}},
         "SELECT {Artist}.{ArtistId}, x.t FROM {Artist} LEFT JOIN (SELECT {Album}.{ArtistId} AS a, {Track}.{TrackId} "
         "AS t FROM {Album}, {Track} WHERE {Album}.{AlbumId} = {Track}.{AlbumId}) x ON x.a = {Artist}.{ArtistId}",
         3574},
        {"every track of a media type with its invoice lines",
         {{"InvoiceLine", "Track", "MediaType"}, {"InvoiceLine.InvoiceLineId", "Track.TrackId", "MediaType.MediaTypeId"},
          {{"InvoiceLine.TrackId", "Track.TrackId", R}, {"Track.MediaTypeId", "MediaType.MediaTypeId", I}}, {}},
         "SELECT {InvoiceLine}.{InvoiceLineId}, x.t, x.m FROM (SELECT {Track}.{TrackId} AS t, "
         "{MediaType}.{MediaTypeId} AS m FROM {Track} JOIN {MediaType} ON {Track}.{MediaTypeId} = "
         "{MediaType}.{MediaTypeId}) x LEFT JOIN {InvoiceLine} ON {InvoiceLine}.{TrackId} = x.t",
         3759},
        {"every employee with their manager: the table twice",
         {{"Employee", "Employee AS Employee_1"}, {"Employee.EmployeeId", "Employee_1.EmployeeId"},
          {{"Employee.ReportsTo", "Employee_1.EmployeeId", L}}, {}},
         "SELECT e.{EmployeeId}, (SELECT m.{EmployeeId} FROM {Employee} m WHERE m.{EmployeeId} = e.{ReportsTo}) "
         "FROM {Employee} e",
         8},
        {"customers of two countries with their invoices, an OR beside a left link",
         {{"Customer", "Invoice"}, {"Customer.CustomerId", "Invoice.InvoiceId"},
          {{"Customer.CustomerId", "Invoice.CustomerId", L}},
          {"Customer.Country|= (Equals)|'Brazil'|OR", "Customer.Country|= (Equals)|'Canada'|AND"}},
         "SELECT c.{CustomerId}, i.{InvoiceId} FROM {Customer} c, {Invoice} i WHERE i.{CustomerId} = c.{CustomerId} "
         "AND c.{Country} IN ('Brazil', 'Canada')",
         91},
    });
}

void TestHandWritten::chinook()
{
    if (m_chinook.value("CHINOOK") != QLatin1String("present"))
        QSKIP("the public Chinook sample is not beside the project (../shared/data/chinook)");
    sameRowsAsWrittenByHand();
}

void TestHandWritten::sameRowsAsWrittenByHand()
{
    QFETCH(QString, alias);
    QFETCH(Question, question);
    QFETCH(QString, byHand);
    QFETCH(int, rowCount);
    TSession *session = Sessions().DefaultSession();
    TDatabase *database = session->OpenDatabase(alias);
    const SqlDialect dialect = database->Dialect();
    QueryDesign design;
    design.style = database->Style();
    QStringList windows;  // as the question names them
    for (const QString &spec : question.tables) {
        const QStringList parts = spec.split(QStringLiteral(" AS "));
        const QString table = TestSupport::ChinookName(dialect, parts.at(0));
        const QStringList fields = session->ListTableFields(alias, table);
        DesignTable t{table, fields, QList<bool>(fields.size(), false), {}};
        if (parts.size() > 1)
            t.alias = TestSupport::ChinookName(dialect, parts.at(1));
        windows << parts.value(1, parts.at(0));
        design.tables << t;
    }
    const QStringList aliases = TableAliases(design.tables);
    // "Table.Field" of the question: the window's index and the field's name in this engine.
    auto locate = [&](const QString &name) {
        const qsizetype dot = name.lastIndexOf(u'.');
        return qMakePair(int(windows.indexOf(name.left(dot))), TestSupport::ChinookName(dialect, name.mid(dot + 1)));
    };
    auto ref = [&](const QString &name) {
        const auto [table, field] = locate(name);
        return AliasFieldReference(aliases.at(table), field, design.style);
    };
    for (const QString &tick : question.ticked) {
        const auto [table, field] = locate(tick);
        const qsizetype f = design.tables.at(table).fields.indexOf(field);
        QVERIFY2(f >= 0, qPrintable(tick));
        design.tables[table].checked[f] = true;
    }
    QList<ConditionRow> linkRows;
    for (const Question::Link &l : question.links) {
        const ConditionRow row{ref(l.from), "=", ref(l.to), "AND"};
        linkRows << row;
        const int from = locate(l.from).first, to = locate(l.to).first;
        design.links << DesignLink{design.tables.at(from).caption, design.tables.at(to).caption, ConditionText(row),
                                   l.type, aliases.at(from), aliases.at(to)};
    }
    if (!question.rows.contains(QStringLiteral("*")))
        design.conditions = linkRows;
    for (const QString &text : question.rows) {
        if (text == QLatin1String("*")) {
            design.conditions << linkRows;
            continue;
        }
        const QStringList parts = text.split(u'|');
        design.conditions << ConditionRow{ref(parts.at(0)), parts.at(1), parts.at(2), parts.at(3)};
    }

    QString statement;
    try {
        statement = GenerateSQLText(design);
    } catch (const VdqError &e) {
        QCOMPARE(dialect, SqlDialect::MySQL);  // FULL JOIN only
        QVERIFY2(e.message().contains(QLatin1String("FULL JOIN")), qPrintable(e.message()));
        return;
    }
    QSqlQuery generated(database->Connection()), hand(database->Connection());
    generated.setForwardOnly(true);
    hand.setForwardOnly(true);
    QVERIFY2(generated.exec(statement), qPrintable(statement + "\n-> " + generated.lastError().text()));
    const QStringList got = TestSupport::SortedIntegerRows(generated);
    const QString handText = TestSupport::WrittenFor(dialect, byHand);
    QVERIFY2(hand.exec(handText), qPrintable(handText + "\n-> " + hand.lastError().text()));
    const QStringList want = TestSupport::SortedIntegerRows(hand);
    QVERIFY2(got == want, qPrintable(QStringLiteral("%1\n-> %2\nby hand -> %3").arg(statement, got.join(u';'), want.join(u';'))));
    QCOMPARE(got.size(), rowCount);
}

QTEST_MAIN(TestHandWritten)
#include "tst_handwritten.moc"
