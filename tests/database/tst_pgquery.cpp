// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tquery.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

// The query object on the PostgreSQL server of the test run.
class TestPgQuery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void fieldKinds_data();
    void fieldKinds();
    void recordCount_data();
    void recordCount();
    void values();
    void valuesOfEveryKindAsTheEngineGivesThem();
    void picturesMatchTheSqliteSample();
    void lastRowOfTheLedger();
    void cacheStaysBounded();
    void unwrappableStatement();
    void openErrors_data();
    void openErrors();
    void execSql();
    void execSqlErrors_data();
    void execSqlErrors();

private:
    TQuery *open(const QString &sql);
    void exec(const QString &sql);
    QTemporaryDir m_dir;
    std::unique_ptr<TQuery> m_query;
};

void TestPgQuery::initTestCase()
{
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("shop.sqlite")), &error), qPrintable(error));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              TestSupport::PgAliasSection(QStringLiteral("PGSHOP"))
                                  + QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n"));
    m_query = std::make_unique<TQuery>();
    // A table of the database, not a temporary one: a SELECT reads on a connection of its
    // own, which does not see the temporary tables of another. Dropped at the end.
    exec(QStringLiteral("DROP TABLE IF EXISTS vdq_scratch"));
    exec(QStringLiteral("CREATE TABLE vdq_scratch (id INTEGER PRIMARY KEY, label VARCHAR(20), body TEXT, data BYTEA)"));
}

void TestPgQuery::cleanupTestCase()
{
    exec(QStringLiteral("DROP TABLE IF EXISTS vdq_scratch"));
    m_query.reset();
    Sessions().CloseAll();
}

void TestPgQuery::cleanup()
{
    m_query->Close();
    m_query->SetDatabaseName(QStringLiteral("PGSHOP"));
}

TQuery *TestPgQuery::open(const QString &sql)
{
    m_query->Close();
    m_query->SetDatabaseName(QStringLiteral("PGSHOP"));
    m_query->SetSQL(sql.split(u'\n'));
    m_query->Open();
    return m_query.get();
}

void TestPgQuery::exec(const QString &sql)
{
    m_query->Close();
    m_query->SetDatabaseName(QStringLiteral("PGSHOP"));
    m_query->SetSQL({sql});
    m_query->ExecSql();
}

void TestPgQuery::fieldKinds_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("kinds");
    const int other = int(TFieldKind::Other), memo = int(TFieldKind::Memo), graphic = int(TFieldKind::Graphic);
    QTest::newRow("clients") << "SELECT \"ClientNo\", \"Firm\", \"Notes\" FROM clients"
                             << QStringList{"ClientNo", "Firm", "Notes"} << QList<int>{other, other, memo};
    QTest::newRow("products")
        << "SELECT * FROM products"
        << QStringList{"ProductNo", "Name", "Category", "Price", "InStock", "Picture", "Description"}
        << QList<int>{other, other, other, other, other, graphic, memo};
    QTest::newRow("expressions keep their type")
        << "SELECT \"Notes\" || '!' AS n, length(\"Firm\") AS l, decode('00ff', 'hex') AS b FROM clients"
        << QStringList{"n", "l", "b"} << QList<int>{memo, other, graphic};
    QTest::newRow("duplicate names")
        << "SELECT c.\"ClientNo\", s.\"ClientNo\" FROM clients c JOIN sales s ON s.\"ClientNo\" = c.\"ClientNo\""
        << QStringList{"ClientNo", "ClientNo"} << QList<int>{other, other};
}

void TestPgQuery::fieldKinds()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, kinds);
    TQuery *q = open(sql);
    QStringList gotNames;
    QList<int> gotKinds;
    for (const TFieldInfo &f : q->Fields()) {
        gotNames << f.name;
        gotKinds << int(f.kind);
    }
    QCOMPARE(gotNames, names);
    QCOMPARE(gotKinds, kinds);
}

void TestPgQuery::recordCount_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<qint64>("count");
    QTest::newRow("clients") << "SELECT * FROM clients" << qint64(30);
    QTest::newRow("order items") << "SELECT * FROM \"order items\";" << qint64(118);
    QTest::newRow("2003sales") << "SELECT \"Cust No\" FROM \"2003sales\"" << qint64(39);
    QTest::newRow("no rows") << "SELECT * FROM clients WHERE 1 = 0" << qint64(0);
    QTest::newRow("series") << "SELECT g FROM generate_series(1, 1000) AS g -- more than a block" << qint64(1000);
    QTest::newRow("ledger") << "SELECT * FROM ledger" << qint64(1000000);
}

void TestPgQuery::recordCount()
{
    QFETCH(QString, sql);
    QFETCH(qint64, count);
    TQuery *q = open(sql);
    QCOMPARE(q->RecordCount(), count);
    QVERIFY(!q->HasRow(count));
    if (count > 0)
        QVERIFY(q->HasRow(count - 1));
}

void TestPgQuery::values()
{
    TQuery *q = open(QStringLiteral("SELECT \"ClientNo\", \"Firm\", \"Notes\" FROM clients ORDER BY \"ClientNo\""));
    QCOMPARE(q->Value(0, 0).toInt(), 1001);
    QCOMPARE(q->Value(2, 1).metaType().id(), QMetaType::QString);
    QCOMPARE(q->Value(2, 1).toString(), QString::fromUtf8("Caf\u00e9 Lumi\u00e8re"));
    QCOMPARE(q->Value(16, 1).toString(), QStringLiteral("Queen's Arms Hotel"));
    QVERIFY(q->Value(1, 2).isNull());
    QCOMPARE(q->DisplayText(1, 2), QString());
    QCOMPARE(q->DisplayText(0, 2), QStringLiteral("Pays on delivery. Prefers morning deliveries to the back entrance."));
    QCOMPARE(q->DisplayText(0, 0), QStringLiteral("1001"));
    open(QStringLiteral("SELECT \"SaleDay\", \"Total\" FROM sales ORDER BY \"SaleNo\" LIMIT 1"));
    QVERIFY(q->DisplayText(0, 0).startsWith(QStringLiteral("2003-01-")));
}

// The rows are kept in a file in a form of their own; every kind of value comes back from it as
// the engine gave it.
void TestPgQuery::valuesOfEveryKindAsTheEngineGivesThem()
{
    const QString sql = QStringLiteral(
        "SELECT DATE '2003-01-15' AS d, TIME '13:45:30.123' AS t, TIMESTAMP '2003-01-15 13:45:30.5' AS ts,"
        " TIMESTAMPTZ '2003-01-15 13:45:30+02' AS tz, NULL::date AS nd, NULL::timestamp AS nts, 12.5::numeric AS n,"
        " true AS b, '\\x00ff'::bytea AS y, 'caf\u00e9' AS s, 42 AS i, 2.5::float8 AS f, INTERVAL '1 day' AS iv");
    const QMap<QString, QString> env = TestSupport::PgEnv();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("direct"));
    db.setHostName(env.value("PGHOST"));
    db.setPort(env.value("PGPORT").toInt());
    db.setUserName(env.value("PGUSER"));
    db.setDatabaseName(env.value("PGDATABASE"));
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);  // as the designer's connections: decimals exact
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    QSqlQuery direct(db);
    QVERIFY2(direct.exec(sql) && direct.next(), qPrintable(direct.lastError().text()));
    TQuery *q = open(sql);
    QCOMPARE(q->Fields().size(), direct.record().count());
    for (int i = 0; i < direct.record().count(); ++i) {
        const QVariant want = direct.value(i), got = q->Value(0, i);
        if (want.isNull()) {  // a NULL keeps no type
            QVERIFY(got.isNull());
            continue;
        }
        QVERIFY2(got == want && got.toString() == want.toString(),
                 qPrintable(QStringLiteral("%1: %2 (%3), not %4 (%5)")
                                .arg(direct.record().fieldName(i), got.toString(), QString::fromLatin1(got.typeName()),
                                     want.toString(), QString::fromLatin1(want.typeName()))));
        // Whole numbers come back as 64-bit ones.
        const bool whole = want.metaType().id() == QMetaType::Int && got.metaType().id() == QMetaType::LongLong;
        QVERIFY2(whole || got.metaType() == want.metaType(),
                 qPrintable(direct.record().fieldName(i) + QLatin1String(": ") + QLatin1String(got.typeName())));
    }
    direct = QSqlQuery();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("direct"));
}

void TestPgQuery::picturesMatchTheSqliteSample()
{
    const QString sql = QStringLiteral("SELECT \"ProductNo\", \"Picture\" FROM products ORDER BY \"ProductNo\"");
    TQuery sqlite;
    sqlite.SetDatabaseName(QStringLiteral("SHOP"));
    sqlite.SetSQL({sql});
    sqlite.Open();
    TQuery *pg = open(sql);
    QCOMPARE(pg->RecordCount(), sqlite.RecordCount());
    int pictures = 0;
    for (qint64 row = 0; row < pg->RecordCount(); ++row) {
        const QVariant a = pg->Value(row, 1);
        const QVariant b = sqlite.Value(row, 1);
        QCOMPARE(a.isNull(), b.isNull());
        if (a.isNull())
            continue;
        ++pictures;
        QCOMPARE(a.metaType().id(), QMetaType::QByteArray);
        QCOMPARE(a.toByteArray(), b.toByteArray());
        QCOMPARE(QImage::fromData(a.toByteArray()).size(), QSize(24, 24));
        QCOMPARE(pg->DisplayText(row, 1), QStringLiteral("(Graphic)"));
    }
    QCOMPARE(pictures, 8);
}

void TestPgQuery::lastRowOfTheLedger()
{
    QElapsedTimer t;
    t.start();
    TQuery *q = open(QStringLiteral("SELECT * FROM ledger ORDER BY \"EntryNo\""));
    QCOMPARE(q->Value(0, 0).toInt(), 1);
    const qint64 first = t.elapsed();
    const qint64 count = q->RecordCount();
    QCOMPARE(count, 1000000);
    QCOMPARE(q->Value(count - 1, 0).toInt(), 1000000);
    QCOMPARE(q->Value(count - 1, 4).toString(), QStringLiteral("Entry 1000000"));
    const qint64 last = t.elapsed();
    qInfo("first row %lld ms, count and last row %lld ms", first, last);
}

void TestPgQuery::cacheStaysBounded()
{
    TQuery *q = open(QStringLiteral("SELECT \"EntryNo\" FROM ledger ORDER BY \"EntryNo\""));
    QRandomGenerator random(7);
    qint64 most = 0;
    for (int i = 0; i < 40; ++i) {
        const qint64 row = random.bounded(1000000);
        QCOMPARE(q->Value(row, 0).toLongLong(), row + 1);
        most = qMax(most, q->CachedRowCount());
    }
    QVERIFY(most > 0);
    QVERIFY2(most <= 16 * 256, qPrintable(QString::number(most)));
}

void TestPgQuery::unwrappableStatement()
{
    // SHOW cannot stand in a sub-select; the statement's own rows are read instead.
    TQuery *q = open(QStringLiteral("SHOW search_path"));
    QCOMPARE(q->FieldCount(), 1);
    QCOMPARE(q->Field(0).name, QStringLiteral("search_path"));
    QVERIFY(q->Value(0, 0).toString().contains(QStringLiteral("public")));
    QCOMPARE(q->RecordCount(), 1);
}

void TestPgQuery::openErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("syntax") << "SELEC * FROM clients" << "syntax error at or near \"SELEC\"";
    QTest::newRow("no table") << "SELECT * FROM customers" << "relation \"customers\" does not exist";
    QTest::newRow("no column") << "SELECT \"Nope\" FROM clients" << "column \"Nope\" does not exist";
    QTest::newRow("empty") << "" << "No SQL statement available";
    QTest::newRow("no rows") << "SET search_path TO public" << "does not return rows";
}

void TestPgQuery::openErrors()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    try {
        open(sql);
        QFAIL("the statement opened");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
    QVERIFY(!m_query->IsActive());
}

void TestPgQuery::execSql()
{
    exec(QStringLiteral("DELETE FROM vdq_scratch"));
    exec(QStringLiteral("INSERT INTO vdq_scratch (id, label, body, data) VALUES (1, 'one', 'long text', '\\x89504e47'::bytea);"));
    exec(QStringLiteral("INSERT INTO vdq_scratch (id, label) VALUES (2, 'two')"));
    TQuery *q = open(QStringLiteral("SELECT * FROM vdq_scratch ORDER BY id"));
    QCOMPARE(q->RecordCount(), 2);
    QCOMPARE(q->Value(0, 3).toByteArray(), QByteArray("\x89PNG"));
    QCOMPARE(int(q->Field(2).kind), int(TFieldKind::Memo));
    QCOMPARE(int(q->Field(3).kind), int(TFieldKind::Graphic));
    exec(QStringLiteral("UPDATE vdq_scratch SET label = 'changed' WHERE id = 2"));
    QCOMPARE(open(QStringLiteral("SELECT label FROM vdq_scratch WHERE id = 2"))->Value(0, 0).toString(),
             QStringLiteral("changed"));
}

void TestPgQuery::execSqlErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("syntax") << "UPDAT vdq_scratch SET label = 'x'" << "syntax error at or near \"UPDAT\"";
    QTest::newRow("no table") << "DELETE FROM customers" << "relation \"customers\" does not exist";
    QTest::newRow("constraint") << "INSERT INTO clients (\"ClientNo\", \"Firm\") VALUES (1001, 'Twice')"
                                << "duplicate key value violates unique constraint";
    QTest::newRow("empty") << "" << "No SQL statement available";
    QTest::newRow("semicolons") << " ;; " << "No SQL statement available";
    QTest::newRow("a select") << "SELECT * FROM clients" << "returns rows";
}

void TestPgQuery::execSqlErrors()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    try {
        exec(sql);
        QFAIL("the statement ran");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
}

QTEST_MAIN(TestPgQuery)
#include "tst_pgquery.moc"
