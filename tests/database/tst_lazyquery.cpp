// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tquery.h"
#include "tsessionlist.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// Results are read lazily in blocks and held in a bounded cache: a result of a million
// rows opens as fast as a small one, and memory does not grow while it is browsed.
class TestLazyQuery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void openIsFast();
    void lastRowOfAMillion();
    void cacheStaysBounded();
    void tenMillionRowsOpenLikeTen();
    void spoolLeavesNoFileBehind();

private:
    void open(TQuery &q, const QString &sql);
    QTemporaryDir m_dir;
};

namespace {
// Generous for a loaded machine; a query that fetched every row takes seconds.
constexpr qint64 kCacheBound = 16 * 256;
} // namespace

void TestLazyQuery::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("big.sqlite")), &error, true),
             qPrintable(error));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              QStringLiteral("[BIG]\nDriver=STANDARD\nPath=big.sqlite\n"));
}

void TestLazyQuery::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestLazyQuery::open(TQuery &q, const QString &sql)
{
    q.SetDatabaseName(QStringLiteral("BIG"));
    q.SetSQL({sql});
    q.Open();
}

// The spool's name goes as soon as it is open, so a designer that is killed mid-read leaves
// nothing in the temporary folder; the rows are still there to browse.
void TestLazyQuery::spoolLeavesNoFileBehind()
{
    QTemporaryDir temp;
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    {
        TQuery q;
        open(q, QStringLiteral("SELECT * FROM ledger ORDER BY EntryNo DESC"));
        QCOMPARE(QDir(temp.path()).entryList({QStringLiteral("vdq-result-*")}, QDir::Files), QStringList());
        q.WaitForEnd();
        QCOMPARE(q.Value(999999, 0).toLongLong(), 1);
    }
    qputenv("TMPDIR", before);
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

void TestLazyQuery::openIsFast()
{
    TQuery warm;  // connect first, so that the timing is the query's alone
    open(warm, QStringLiteral("SELECT 1"));
    TQuery q;
    QElapsedTimer t;
    t.start();
    open(q, QStringLiteral("SELECT * FROM ledger"));
    for (int row = 0; row < 40; ++row)
        QCOMPARE(q.Value(row, 0).toLongLong(), row + 1);
    const qint64 ms = t.elapsed();
    qInfo("open and first 40 rows of 1,000,000: %lld ms", ms);
    QCOMPARE(q.FieldCount(), 5);
    QVERIFY(q.CachedRowCount() <= kCacheBound);
}

void TestLazyQuery::lastRowOfAMillion()
{
    TQuery q;
    open(q, QStringLiteral("SELECT \"EntryNo\", \"Text\", \"Amount\" FROM ledger;"));
    QElapsedTimer t;
    t.start();
    const qint64 count = q.RecordCount();
    QCOMPARE(count, 1000000);
    QCOMPARE(q.Value(count - 1, 0).toLongLong(), 1000000);
    QCOMPARE(q.Value(count - 1, 1).toString(), QStringLiteral("Entry 1000000"));
    const qint64 ms = t.elapsed();
    qInfo("count and last row of 1,000,000: %lld ms", ms);
    QVERIFY(!q.Value(count, 0).isValid());
    QVERIFY(q.CachedRowCount() <= kCacheBound);
}

void TestLazyQuery::cacheStaysBounded()
{
    TQuery q;
    open(q, QStringLiteral("SELECT * FROM ledger ORDER BY \"EntryNo\""));
    QRandomGenerator random(2003);
    qint64 most = 0;
    // Scattered reads all over the result, then a run through one stretch of it.
    for (int i = 0; i < 60; ++i) {
        const qint64 row = random.bounded(1000000);
        QCOMPARE(q.Value(row, 0).toLongLong(), row + 1);
        most = qMax(most, q.CachedRowCount());
    }
    for (qint64 row = 500000; row < 510000; ++row) {
        QCOMPARE(q.Value(row, 0).toLongLong(), row + 1);
        most = qMax(most, q.CachedRowCount());
    }
    qInfo("most rows held: %lld", most);
    QVERIFY(most > 0);
    QVERIFY2(most <= kCacheBound, qPrintable(QString::number(most)));
    QCOMPARE(q.Value(0, 4).toString(), QStringLiteral("Entry 1"));  // evicted long ago, read again
}

void TestLazyQuery::tenMillionRowsOpenLikeTen()
{
    const QString generated = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) SELECT i, 'row ' || i FROM n");
    TQuery small;
    TQuery huge;
    QElapsedTimer t;
    t.start();
    open(small, generated.arg(10));
    QCOMPARE(small.Value(9, 0).toLongLong(), 10);
    const qint64 smallMs = t.restart();
    open(huge, generated.arg(10000000));
    for (int row = 0; row < 40; ++row)
        QCOMPARE(huge.Value(row, 0).toLongLong(), row + 1);
    const qint64 hugeMs = t.elapsed();
    qInfo("10 rows: %lld ms, 10,000,000 rows: %lld ms", smallMs, hugeMs);
    QCOMPARE(small.RecordCount(), 10);
    QVERIFY(huge.CachedRowCount() <= kCacheBound);
}

QTEST_GUILESS_MAIN(TestLazyQuery)
#include "tst_lazyquery.moc"
