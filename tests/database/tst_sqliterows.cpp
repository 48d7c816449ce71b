// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "spooledrows.h"
#include "tdatabase.h"
#include "tquerysqlite_p.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using namespace TQueryReading;

// SQLite's rows read straight from the driver's statement spool the very bytes that the
// driver's own values would: every kind of value, the memo judgement, the end and a
// failure in the middle of the rows.
class TestSqliteRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void sameAsDriver_data();
    void sameAsDriver();
};

namespace {

const QString kConnection = QStringLiteral("rows");

// Runs the statement as the run does (prepared, forward only) and spools its rows, through
// the driver's values or the statement.
Spooled read(const QString &sql, QSql::NumericalPrecisionPolicy precision, bool direct)
{
    QSqlDatabase db = QSqlDatabase::database(kConnection);
    db.setNumericalPrecisionPolicy(precision);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    Spooled out;
    if (!q.prepare(sql) || !q.exec()) {
        out.error = q.lastError().text();
        return out;
    }
    SqliteRows rows(q, sqliteStatement(q));
    return SpoolRows(q, rows, direct);
}

} // namespace

void TestSqliteRows::initTestCase()
{
    static QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(dir.filePath(QStringLiteral("rows.sqlite")));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("CREATE TABLE vals(kind TEXT, v)")));
    const QList<QPair<QString, QVariant>> values{
        {QStringLiteral("zero"), qint64(0)},
        {QStringLiteral("int_max"), std::numeric_limits<qint64>::max()},
        {QStringLiteral("int_min"), std::numeric_limits<qint64>::min()},
        {QStringLiteral("int_53"), qint64(9007199254740993)},
        {QStringLiteral("real"), 1.0 / 3},
        {QStringLiteral("real_big"), 1e308},
        {QStringLiteral("real_tiny"), 5e-324},
        {QStringLiteral("real_negative_zero"), -0.0},
        {QStringLiteral("real_whole"), 2.0},
        {QStringLiteral("text_empty"), QStringLiteral("")},
        {QStringLiteral("text_ascii"), QStringLiteral("plain text")},
        {QStringLiteral("text_latin1"), QStringLiteral("caf\u00e9 \u00ff")},
        {QStringLiteral("text_utf8"), QStringLiteral("\u65e5\u672c \u20ac \U0001F600")},
        {QStringLiteral("text_nul"), QString::fromUtf16(u"a\0b\0\u00e9", 5)},
        {QStringLiteral("text_line"), QStringLiteral("first\nsecond")},
        {QStringLiteral("blob"), QByteArray("\x00\xff\x80\n", 4)},
        {QStringLiteral("blob_big"), QByteArray(100000, '\x9c')},
        {QStringLiteral("null"), QVariant()},
    };
    QVERIFY(q.prepare(QStringLiteral("INSERT INTO vals VALUES (?, ?)")));
    for (const auto &[kind, value] : values) {
        q.addBindValue(kind);
        q.addBindValue(value);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
    // What a driver cannot bind: an empty blob, and text that is no UTF-8.
    QVERIFY(q.exec(QStringLiteral("INSERT INTO vals VALUES ('blob_empty', X''), ('text_bad_utf8', "
                                  "CAST(X'41C3FF80E282F0' AS TEXT)), ('text_ascii_nul', CAST(X'610062' AS TEXT))")));
}

void TestSqliteRows::cleanupTestCase()
{
    QSqlDatabase::removeDatabase(kConnection);
}

void TestSqliteRows::sameAsDriver_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("precision");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<bool>("fails");
    // Three rows each: the first is the driver's, the others the statement's.
    const QString three = QStringLiteral("SELECT v, typeof(v), kind FROM vals, (SELECT 1 UNION ALL SELECT 2 UNION ALL "
                                         "SELECT 3) WHERE kind = '%1'");
    QStringList kinds;
    QSqlQuery q(QSqlDatabase::database(kConnection));
    QVERIFY(q.exec(QStringLiteral("SELECT kind FROM vals")));
    while (q.next())
        kinds.append(q.value(0).toString());
    for (const QString &kind : kinds)
        QTest::newRow(qPrintable(kind)) << three.arg(kind) << int(QSql::LowPrecisionDouble) << qint64(3) << false;
    const QString all = QStringLiteral("SELECT v, kind FROM vals, (SELECT 1 UNION ALL SELECT 2)");
    const qint64 allRows = 2 * kinds.size();
    QTest::newRow("all") << all << int(QSql::LowPrecisionDouble) << allRows << false;
    QTest::newRow("all high precision") << all << int(QSql::HighPrecision) << allRows << false;
    QTest::newRow("all as int64") << all << int(QSql::LowPrecisionInt64) << allRows << false;
    QTest::newRow("all as int32") << all << int(QSql::LowPrecisionInt32) << allRows << false;
    QTest::newRow("empty") << QStringLiteral("SELECT v FROM vals WHERE 0") << int(QSql::LowPrecisionDouble)
                           << qint64(0) << false;
    QTest::newRow("one row") << QStringLiteral("SELECT v FROM vals WHERE kind = 'text_utf8'")
                             << int(QSql::LowPrecisionDouble) << qint64(1) << false;
    // abs() of the smallest integer fails when the third row is computed.
    const QString counting = QStringLiteral("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 5) "
                                            "SELECT abs(CASE WHEN n > %1 THEN -9223372036854775807 - 1 ELSE n END) FROM c");
    QTest::newRow("fails mid-way") << counting.arg(2) << int(QSql::LowPrecisionDouble) << qint64(2) << true;
    QTest::newRow("fails at once") << counting.arg(0) << int(QSql::LowPrecisionDouble) << qint64(0) << true;
}

void TestSqliteRows::sameAsDriver()
{
    QFETCH(QString, sql);
    QFETCH(int, precision);
    QFETCH(qint64, rows);
    QFETCH(bool, fails);
    const auto policy = QSql::NumericalPrecisionPolicy(precision);
    CompareSpooled(read(sql, policy, false), read(sql, policy, true), rows, fails);
}

QTEST_GUILESS_MAIN(TestSqliteRows)
#include "tst_sqliterows.moc"
