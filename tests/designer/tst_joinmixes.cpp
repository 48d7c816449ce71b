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
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

// Designs whose links mix inner and outer joins, whose conditions hold an OR beside a link,
// and whose tables share a classic alias, run on every engine of the test run. Each gives the
// rows of a statement written by hand for the same question, in another form (subqueries, the
// other join direction), so that the generated text is checked against more than itself.
class TestJoinMixes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void sameRowsAsWrittenByHand_data();
    void sameRowsAsWrittenByHand();
};

namespace {

const QStringList Aliases = {"SHOP", "WAREHOUSE", "MARIADB", "ODBCPG", "ODBCSQLITE"};

// ta <- tb.aid, tb <- tc.bid, tc <- td.cid; every level has rows without a partner.
const QStringList Setup = {
    "CREATE TABLE ta (id INTEGER PRIMARY KEY, v INTEGER)",
    "CREATE TABLE tb (id INTEGER PRIMARY KEY, aid INTEGER)",
    "CREATE TABLE tc (id INTEGER PRIMARY KEY, bid INTEGER)",
    "CREATE TABLE td (id INTEGER PRIMARY KEY, cid INTEGER)",
    "INSERT INTO ta VALUES (1, 0), (2, 0), (3, 0), (4, 0)",
    "INSERT INTO tb VALUES (10, 1), (11, 1), (12, 2), (13, 9)",
    "INSERT INTO tc VALUES (100, 10), (101, 12), (102, 99), (103, 11)",
    "INSERT INTO td VALUES (1000, 100), (1001, 555), (1002, 101)",
};
const QStringList Tables = {"ta", "tb", "tc", "td"};
// Two tables whose names give the same classic alias, t_a.
const QStringList SameAliasTables = {"t a", "t_a"};

QString q(const QString &alias, const QString &name)
{
    return QuotedName(name, alias == QLatin1String("MARIADB") ? u'`' : u'"');
}

bool exec(QSqlQuery &query, const QString &sql, QString *error)
{
    if (query.exec(sql))
        return true;
    *error = sql + QStringLiteral("\n-> ") + query.lastError().text();
    return false;
}

// A link (from, to, type) between two of the four tables, by their key columns.
struct Link
{
    QString from, to;
    JoinType type;
};

// The key that links two tables: the child's parent column against the parent's id.
QPair<QString, QString> linkFields(const QString &from, const QString &to)
{
    const int a = int(Tables.indexOf(from)), b = int(Tables.indexOf(to));
    const QString parentColumn = QStringList{"", "aid", "bid", "cid"}.at(std::max(a, b));
    return a < b ? qMakePair(QStringLiteral("id"), parentColumn) : qMakePair(parentColumn, QStringLiteral("id"));
}

} // namespace

Q_DECLARE_METATYPE(Link)

void TestJoinMixes::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QString error;
    static QTemporaryDir dir;
    const QString sqlite = dir.filePath("shop.sqlite");
    QVERIFY2(TestSupport::MakeSampleSqlite(sqlite, &error), qPrintable(error));
    const QString aliases = TestSupport::FiveEngineAliases(sqlite);
    QVERIFY2(!aliases.isEmpty(), "the test servers or the ODBC data sources are not running");
    TestSupport::UseAliasFile(dir.filePath("aliases.ini"), aliases);
    // ODBCPG reaches WAREHOUSE's database.
    for (const QString &alias : {QStringLiteral("SHOP"), QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"),
                                 QStringLiteral("ODBCSQLITE")}) {
        QSqlQuery s(Sessions().DefaultSession()->OpenDatabase(alias)->Connection());
        for (const QString &t : Tables + SameAliasTables)
            QVERIFY2(exec(s, QStringLiteral("DROP TABLE IF EXISTS %1").arg(q(alias, t)), &error), qPrintable(error));
        for (const QString &sql : Setup)
            QVERIFY2(exec(s, sql, &error), qPrintable(error));
        for (const QString &t : SameAliasTables) {
            QVERIFY2(exec(s, QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, v INTEGER)").arg(q(alias, t)), &error),
                     qPrintable(error));
        }
        QVERIFY2(exec(s, QStringLiteral("INSERT INTO %1 VALUES (1, 5), (2, 6)").arg(q(alias, "t a")), &error),
                 qPrintable(error));
        QVERIFY2(exec(s, QStringLiteral("INSERT INTO %1 VALUES (2, 7), (3, 8)").arg(q(alias, "t_a")), &error),
                 qPrintable(error));
    }
}

void TestJoinMixes::cleanupTestCase()
{
    for (const QString &alias : {QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"), QStringLiteral("ODBCSQLITE")}) {
        try {
            QSqlQuery s(Sessions().DefaultSession()->OpenDatabase(alias)->Connection());
            for (const QString &t : Tables + SameAliasTables)
                s.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(q(alias, t)));
        } catch (const VdqError &) {
        }
    }
    Sessions().CloseAll();
}

void TestJoinMixes::sameRowsAsWrittenByHand_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QStringList>("tables");  // canvas order; each shows its id
    QTest::addColumn<QList<Link>>("links");
    QTest::addColumn<QStringList>("rowsBeside");  // Conditions rows beside the links: "tb.id = 10 OR"
    QTest::addColumn<QString>("byHand");
    QTest::addColumn<int>("rowCount");

    const JoinType I = JoinType::Inner, L = JoinType::Left, R = JoinType::Right, F = JoinType::Full;
    struct Case
    {
        const char *name;
        QStringList tables;
        QList<Link> links;
        QStringList rowsBeside;
        QString byHand;
        int rowCount;
    };
    const QList<Case> cases = {
        {"inner then right: every tc", {"ta", "tb", "tc"}, {{"ta", "tb", I}, {"tb", "tc", R}}, {},
         "SELECT x.aid, x.bid, tc.id FROM tc LEFT JOIN (SELECT ta.id AS aid, tb.id AS bid FROM ta, tb "
         "WHERE ta.id = tb.aid) x ON x.bid = tc.bid",
         4},
        {"right-kept table first on the canvas", {"tc", "ta", "tb"}, {{"ta", "tb", I}, {"tb", "tc", R}}, {},
         "SELECT tc.id, x.aid, x.bid FROM tc LEFT JOIN (SELECT ta.id AS aid, tb.id AS bid FROM ta, tb "
         "WHERE ta.id = tb.aid) x ON x.bid = tc.bid",
         4},
        {"left then inner: every ta", {"ta", "tb", "tc"}, {{"ta", "tb", L}, {"tb", "tc", I}}, {},
         "SELECT ta.id, x.bid, x.cid FROM ta LEFT JOIN (SELECT tb.id AS bid, tb.aid AS aid, tc.id AS cid FROM tb, tc "
         "WHERE tb.id = tc.bid) x ON ta.id = x.aid",
         5},
        {"left dragged from the kept side's partner", {"ta", "tb", "tc"}, {{"tb", "ta", R}, {"tc", "tb", I}}, {},
         "SELECT ta.id, x.bid, x.cid FROM ta LEFT JOIN (SELECT tb.id AS bid, tb.aid AS aid, tc.id AS cid FROM tb, tc "
         "WHERE tb.id = tc.bid) x ON ta.id = x.aid",
         5},
        {"left, left, inner over four tables", {"ta", "tb", "tc", "td"},
         {{"ta", "tb", L}, {"tb", "tc", L}, {"tc", "td", I}}, {},
         "SELECT ta.id, tb.id, x.cid, x.did FROM ta LEFT JOIN tb ON ta.id = tb.aid LEFT JOIN (SELECT tc.id AS cid, "
         "tc.bid AS bid, td.id AS did FROM tc, td WHERE tc.id = td.cid) x ON tb.id = x.bid",
         5},
        {"inner, full, inner over four tables", {"ta", "tb", "tc", "td"},
         {{"ta", "tb", I}, {"tb", "tc", F}, {"tc", "td", I}}, {},
         "SELECT x.aid, x.bid, y.cid, y.did FROM (SELECT ta.id AS aid, tb.id AS bid FROM ta, tb WHERE ta.id = tb.aid) x "
         "FULL JOIN (SELECT tc.id AS cid, tc.bid AS bid, td.id AS did FROM tc, td WHERE tc.id = td.cid) y "
         "ON x.bid = y.bid",
         3},
        {"inner link beside an OR", {"ta", "tb"}, {{"ta", "tb", I}}, {"tb.id = 10 OR", "tb.id = 12 AND"},
         "SELECT ta.id, tb.id FROM ta, tb WHERE ta.id = tb.aid AND (tb.id = 10 OR tb.id = 12)", 2},
        {"OR before the link row", {"ta", "tb"}, {{"ta", "tb", I}}, {"tb.id = 10 OR", "*", "tb.id = 12 AND"},
         "SELECT ta.id, tb.id FROM ta, tb WHERE ta.id = tb.aid AND (tb.id = 10 OR tb.id = 12)", 2},
        {"two inner links beside an OR", {"ta", "tb", "tc"}, {{"ta", "tb", I}, {"tb", "tc", I}},
         {"tc.id = 100 OR", "ta.id = 2 AND"},
         "SELECT ta.id, tb.id, tc.id FROM ta JOIN tb ON ta.id = tb.aid JOIN tc ON tb.id = tc.bid "
         "WHERE tc.id = 100 OR ta.id = 2",
         2},
        {"OR beside a left link", {"ta", "tb"}, {{"ta", "tb", L}}, {"ta.id = 1 OR", "ta.id = 4 AND"},
         "SELECT ta.id, tb.id FROM ta LEFT JOIN tb ON ta.id = tb.aid WHERE ta.id IN (1, 4)", 3},
    };
    for (const QString &alias : Aliases) {
        for (const Case &c : cases) {
            QTest::addRow("%s %s", qPrintable(alias), c.name)
                << alias << c.tables << c.links << c.rowsBeside << c.byHand << c.rowCount;
        }
        // Every window has an alias of its own: "t a" is t_a, the table t_a becomes t_a_1.
        QTest::addRow("%s two tables of one classic alias", qPrintable(alias))
            << alias << SameAliasTables << QList<Link>{{"t a", "t_a", I}} << QStringList()
            << QStringLiteral("SELECT x.id, y.id FROM %1 x, t_a y WHERE x.id = y.id").arg(q(alias, "t a")) << 1;
    }
}

void TestJoinMixes::sameRowsAsWrittenByHand()
{
    QFETCH(QString, alias);
    QFETCH(QStringList, tables);
    QFETCH(QList<Link>, links);
    QFETCH(QStringList, rowsBeside);
    QFETCH(QString, byHand);
    QFETCH(int, rowCount);
    TDatabase *database = Sessions().DefaultSession()->OpenDatabase(alias);
    QueryDesign design;
    design.style = database->Style();
    for (const QString &t : tables)
        design.tables << DesignTable{t, {"id", "v"}, {true, false}, {}};
    const QStringList aliases = TableAliases(design.tables);
    auto ref = [&](const QString &table, const QString &field) {
        return AliasFieldReference(aliases.at(tables.indexOf(table)), field, design.style);
    };
    QList<ConditionRow> linkRows;
    for (const Link &l : links) {
        const auto [f1, f2] = SameAliasTables.contains(l.from) ? qMakePair(QStringLiteral("id"), QStringLiteral("id"))
                                                                : linkFields(l.from, l.to);
        const ConditionRow row{ref(l.from, f1), "=", ref(l.to, f2), "AND"};
        linkRows << row;
        design.links << DesignLink{l.from, l.to, ConditionText(row), l.type};
    }
    // The user's rows go where "*" stands, or after the link rows.
    if (!rowsBeside.contains(QStringLiteral("*")))
        design.conditions = linkRows;
    for (const QString &text : rowsBeside) {
        if (text == QLatin1String("*")) {
            design.conditions << linkRows;
            continue;
        }
        const QStringList parts = text.split(u' ');  // "tb.id = 10 OR"
        const QStringList field = parts.at(0).split(u'.');
        design.conditions << ConditionRow{ref(field.at(0), field.at(1)), parts.at(1), parts.at(2), parts.at(3)};
    }

    QString statement;
    try {
        statement = GenerateSQLText(design);
    } catch (const VdqError &e) {
        QCOMPARE(database->Dialect(), SqlDialect::MySQL);  // FULL JOIN only
        QVERIFY2(e.message().contains(QLatin1String("FULL JOIN")), qPrintable(e.message()));
        return;
    }
    QSqlQuery generated(database->Connection()), hand(database->Connection());
    generated.setForwardOnly(true);
    hand.setForwardOnly(true);
    QString error;
    QVERIFY2(exec(generated, statement, &error), qPrintable(error));
    const QStringList got = TestSupport::SortedIntegerRows(generated);
    QVERIFY2(exec(hand, byHand, &error), qPrintable(error));
    const QStringList want = TestSupport::SortedIntegerRows(hand);
    QVERIFY2(got == want, qPrintable(statement + "\n-> " + got.join(u';') + "\nby hand -> " + want.join(u';')));
    QCOMPARE(got.size(), rowCount);
}

QTEST_MAIN(TestJoinMixes)
#include "tst_joinmixes.moc"
