// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "spooledrows.h"
#include "testsupport.h"
#include "tquerypostgres_p.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <limits>

using namespace TQueryReading;

// The last rows of a PostgreSQL result read ahead, on a connection of their own in the snapshot
// the reading's transaction exported, are the very rows its own reading gets to later, in the
// same bytes, whatever another connection writes meanwhile; a statement whose rows could come
// in another order or otherwise a second time is not read ahead.
class TestPgEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void endAsForward_data();
    void endAsForward();
};

namespace {

const QString kReader = QStringLiteral("pgend-reader");
const QString kWriter = QStringLiteral("pgend-writer");
const QString kEnd = QStringLiteral("pgend-end");
constexpr int kFirst = 10;  // rows read before the end is asked for
constexpr int kTail = 100;

} // namespace

void TestPgEnd::initTestCase()
{
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL server of the test run is not running (fixture pg)");
    for (const QString &name : {kReader, kWriter, kEnd})
        QVERIFY(TestSupport::OpenPgConnection(name).isOpen());
    QString error;
    QVERIFY2(TestSupport::RunStatements(
                 QSqlDatabase::database(kWriter),
                 {QStringLiteral("DROP TABLE IF EXISTS end_rows"),
                  QStringLiteral("CREATE TABLE end_rows (id int, t text, x float8, b bytea)"),
                  QStringLiteral("INSERT INTO end_rows SELECT g, CASE WHEN g % 7 = 0 THEN NULL ELSE 'row ' || g || "
                                 "' caf\u00e9' END, (g * 37 % 101) / 100.0, decode(repeat('9c', g % 50), 'hex') "
                                 "FROM generate_series(1, 5000) AS g")},
                 &error),
             qPrintable(error));
}

void TestPgEnd::cleanupTestCase()
{
    QSqlQuery(QSqlDatabase::database(kWriter)).exec(QStringLiteral("DROP TABLE IF EXISTS end_rows"));
    for (const QString &name : {kReader, kWriter, kEnd}) {
        QSqlDatabase::database(name).close();
        QSqlDatabase::removeDatabase(name);
    }
}

void TestPgEnd::endAsForward_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("readAhead");
    QTest::newRow("plain") << "SELECT * FROM end_rows" << true;
    QTest::newRow("columns") << "SELECT t, id FROM end_rows" << true;
    QTest::newRow("comment at the end") << "SELECT * FROM end_rows -- all of it" << true;
    QTest::newRow("filtered") << "SELECT * FROM end_rows WHERE x > 0.5" << false;
    // Ties among the sorted rows may come in either order.
    QTest::newRow("sorted") << "SELECT * FROM end_rows ORDER BY x" << false;
    QTest::newRow("join") << "SELECT a.id, b.t FROM end_rows a JOIN end_rows b ON b.id = a.id" << false;
    QTest::newRow("computed") << "SELECT id + 1 AS n FROM end_rows" << false;
    QTest::newRow("random") << "SELECT id, random() FROM end_rows" << false;
    QTest::newRow("time of the transaction") << "SELECT id, CURRENT_TIMESTAMP FROM end_rows" << false;
    QTest::newRow("near the end") << "SELECT * FROM end_rows LIMIT 50" << false;
}

void TestPgEnd::endAsForward()
{
    QFETCH(QString, sql);
    QFETCH(bool, readAhead);
    // As the run reads: sequential scans from the first page, the plan asked for outside the
    // transaction, one snapshot for the transaction, exported.
    QSqlDatabase reader = QSqlDatabase::database(kReader);
    QString error;
    QVERIFY2(TestSupport::RunStatements(reader, {QStringLiteral("SET synchronize_seqscans = off")}, &error),
             qPrintable(error));
    QCOMPARE(postgresPlainScan(reader, sql), readAhead && !sql.contains(QLatin1String("LIMIT")));
    QVERIFY2(TestSupport::RunStatements(
                 reader, {QStringLiteral("START TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY")}, &error),
             qPrintable(error));
    const QString snapshot = postgresExportSnapshot(reader);
    QVERIFY(!snapshot.isEmpty());
    EndRows end;
    {
        QSqlQuery q(reader);
        q.setForwardOnly(true);
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
        PostgresRows rows(q, postgresHandle(reader));
        ForwardReading<PostgresRows> forward{rows, q.record().count(), {}, {}};
        forward.readTo(kFirst);
        QCOMPARE(forward.starts.size(), kFirst);
        // Written and committed elsewhere after the statement started: in neither reading.
        QSqlQuery write(QSqlDatabase::database(kWriter));
        QVERIFY2(write.exec(QStringLiteral("INSERT INTO end_rows VALUES (9999, 'later', 0.9, NULL)")),
                 qPrintable(write.lastError().text()));
        QSqlDatabase other = QSqlDatabase::database(kEnd);
        const bool got = readPostgresEnd(other, snapshot, sql, kFirst, kTail, end);
        QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
        forward.readTo(std::numeric_limits<qint64>::max());
        QVERIFY(write.exec(QStringLiteral("DELETE FROM end_rows WHERE id = 9999")));
        forward.compareEnd(got, readAhead, end, kTail);
    }
    QVERIFY(QSqlQuery(reader).exec(QStringLiteral("ROLLBACK")));
}

QTEST_GUILESS_MAIN(TestPgEnd)
#include "tst_pgend.moc"
