// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "spooledrows.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tquerypostgres_p.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QtTest>

using namespace TQueryReading;

// PostgreSQL's rows read on through libpq spool the very bytes that the driver's own values
// would: every kind of value the driver tells apart, nulls, the memo judgement, the end, an
// empty result and a failure in the middle of the rows.
class TestPgRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void sameAsDriver_data();
    void sameAsDriver();
};

namespace {

const QString kConnection = QStringLiteral("pgrows");

// Runs the statement as the run does (forward only; prepared when it has values) and spools
// its rows, through the driver's values or libpq.
Spooled read(const QString &sql, const Binds &binds, QSql::NumericalPrecisionPolicy precision, bool direct)
{
    QSqlDatabase db = QSqlDatabase::database(kConnection);
    db.setNumericalPrecisionPolicy(precision);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    Spooled out;
    if (!exec(q, sql, binds)) {
        out.error = TDatabase::ErrorText(q.lastError());
        return out;
    }
    PostgresRows rows(q, postgresHandle(db));
    return SpoolRows(q, rows, direct);
}

} // namespace

void TestPgRows::initTestCase()
{
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    QVERIFY(TestSupport::OpenPgConnection(kConnection).isOpen());
}

void TestPgRows::cleanupTestCase()
{
    QSqlDatabase::removeDatabase(kConnection);
}

void TestPgRows::sameAsDriver_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<Binds>("binds");
    QTest::addColumn<int>("precision");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<bool>("fails");
    // Four rows each, the third null: the first is the driver's, the others libpq's.
    const QString four = QStringLiteral("SELECT CASE WHEN g = 3 THEN NULL ELSE %1 END AS v, g FROM "
                                        "generate_series(1, 4) AS g");
    const QList<QPair<const char *, QString>> values{
        {"int2", QStringLiteral("(-32768)::int2")},
        {"int4", QStringLiteral("2147483647::int4")},
        {"int8 max", QStringLiteral("9223372036854775807::int8")},
        {"int8 min", QStringLiteral("(-9223372036854775807 - 1)::int8")},
        {"int8 zero", QStringLiteral("0::int8")},
        {"oid big", QStringLiteral("4294967295::oid")},
        {"float4", QStringLiteral("1.5::float4")},
        {"float8", QStringLiteral("(1.0 / 3)::float8")},
        {"float8 tiny", QStringLiteral("5e-324::float8")},
        {"float8 nan", QStringLiteral("'NaN'::float8")},
        {"float8 infinity", QStringLiteral("'-Infinity'::float8")},
        {"numeric", QStringLiteral("12345678901234567890.123456789::numeric")},
        {"numeric negative", QStringLiteral("(-0.5)::numeric")},
        {"numeric nan", QStringLiteral("'NaN'::numeric")},
        {"bool true", QStringLiteral("g > 1")},
        {"bool false", QStringLiteral("false")},
        {"text", QStringLiteral("'plain text'::text")},
        {"text empty", QStringLiteral("''::text")},
        {"text line", QStringLiteral("E'first\\nsecond'::text")},
        {"text unicode", QStringLiteral("U&'caf\\00e9 \\65e5\\672c \\+01F600'::text")},
        {"varchar", QStringLiteral("'abc'::varchar(10)")},
        {"bpchar", QStringLiteral("'ab'::char(5)")},
        {"name", QStringLiteral("'a name'::name")},
        {"uuid", QStringLiteral("'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'::uuid")},
        {"json", QStringLiteral("'{\"a\": [1, 2]}'::json")},
        {"bytea", QStringLiteral("'\\x00ff805c0a00'::bytea")},
        {"bytea empty", QStringLiteral("''::bytea")},
        {"bytea big", QStringLiteral("decode(repeat('00ff9c', 30000), 'hex')")},
        {"date", QStringLiteral("'2024-02-29'::date")},
        {"date infinity", QStringLiteral("'infinity'::date")},
        {"date bc", QStringLiteral("'0044-03-15 BC'::date")},
        {"time", QStringLiteral("'23:59:58.123'::time")},
        {"timetz", QStringLiteral("'12:00:00+02'::timetz")},
        {"timestamp", QStringLiteral("'2024-02-29 13:14:15.678'::timestamp")},
        {"timestamptz", QStringLiteral("'2024-02-29 13:14:15+05'::timestamptz")},
        {"interval", QStringLiteral("'1 day 02:00'::interval")},
    };
    for (const auto &[name, expr] : values)
        QTest::newRow(name) << four.arg(expr) << Binds() << int(QSql::LowPrecisionDouble) << qint64(4) << false;
    const QString numbers = QStringLiteral("SELECT (g * 1.75)::numeric AS n, g::float8 / 3 AS f FROM "
                                           "generate_series(-3, 3) AS g");
    for (const auto policy : {QSql::HighPrecision, QSql::LowPrecisionInt64, QSql::LowPrecisionInt32})
        QTest::newRow(qPrintable(QStringLiteral("numbers %1").arg(int(policy)))) << numbers << Binds() << int(policy)
                                                                                << qint64(7) << false;
    QTest::newRow("empty") << QStringLiteral("SELECT 1 AS v WHERE false") << Binds() << int(QSql::LowPrecisionDouble)
                           << qint64(0) << false;
    QTest::newRow("one row") << QStringLiteral("SELECT 'x'::text AS v") << Binds() << int(QSql::LowPrecisionDouble)
                             << qint64(1) << false;
    QTest::newRow("bound values") << QStringLiteral("SELECT g, :label::text AS l FROM generate_series(1, :n) AS g")
                                  << Binds{{QStringLiteral("label"), QStringLiteral("caf\u00e9")},
                                           {QStringLiteral("n"), 5}}
                                  << int(QSql::LowPrecisionDouble) << qint64(5) << false;
    // The division fails when the third row is computed: the rows before it are sent.
    const QString failing = QStringLiteral("SELECT 10 / (3 - g) AS v FROM generate_series(1, 5) AS g");
    QTest::newRow("fails mid-way") << failing << Binds() << int(QSql::LowPrecisionDouble) << qint64(2) << true;
    QTest::newRow("fails at once") << QStringLiteral("SELECT 1 / (g - 1) FROM generate_series(1, 5) AS g") << Binds()
                                   << int(QSql::LowPrecisionDouble) << qint64(0) << true;
}

void TestPgRows::sameAsDriver()
{
    QFETCH(QString, sql);
    QFETCH(Binds, binds);
    QFETCH(int, precision);
    QFETCH(qint64, rows);
    QFETCH(bool, fails);
    const auto policy = QSql::NumericalPrecisionPolicy(precision);
    CompareSpooled(read(sql, binds, policy, false), read(sql, binds, policy, true), rows, fails);
}

QTEST_GUILESS_MAIN(TestPgRows)
#include "tst_pgrows.moc"
