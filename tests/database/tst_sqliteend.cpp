// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "spooledrows.h"
#include "tquerysqlite_p.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using namespace TQueryReading;

// The last rows of a SQLite result read ahead, on the connection of the statement being read,
// are the very rows its own reading gets to later, in the same bytes, whatever another
// connection writes meanwhile; a statement whose rows could come otherwise a second time is
// not read ahead.
class TestSqliteEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void endAsForward_data();
    void endAsForward();
};

namespace {

const QString kReader = QStringLiteral("end-reader");
const QString kWriter = QStringLiteral("end-writer");
constexpr int kRows = 5000;
constexpr int kFirst = 10;  // rows read before the end is asked for
constexpr int kEnd = 100;

} // namespace

void TestSqliteEnd::initTestCase()
{
    static QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("end.sqlite"));
    for (const QString &name : {kWriter, kReader}) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        QVERIFY(db.open());
    }
    QSqlDatabase writer = QSqlDatabase::database(kWriter);
    QSqlQuery q(writer);
    // WAL: the writer commits while the reader's statement is open.
    QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode=WAL")));
    QVERIFY(q.exec(QStringLiteral("CREATE TABLE big(id INTEGER PRIMARY KEY, t TEXT, x REAL, b BLOB)")));
    QVERIFY(writer.transaction());
    QVERIFY(q.prepare(QStringLiteral("INSERT INTO big VALUES (?, ?, ?, ?)")));
    for (int i = 1; i <= kRows; ++i) {
        q.addBindValue(i);
        q.addBindValue(i % 7 == 0 ? QVariant() : QVariant(QStringLiteral("row %1 caf\u00e9").arg(i)));
        q.addBindValue((i * 37 % 101) / 100.0);
        q.addBindValue(i % 5 == 0 ? QVariant(QByteArray(i % 50, '\x9c')) : QVariant(i));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
    QVERIFY(writer.commit());
}

void TestSqliteEnd::cleanupTestCase()
{
    for (const QString &name : {kReader, kWriter}) {
        QSqlDatabase::database(name).close();
        QSqlDatabase::removeDatabase(name);
    }
}

void TestSqliteEnd::endAsForward_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("readAhead");
    QTest::newRow("plain") << "SELECT * FROM big" << true;
    QTest::newRow("filtered") << "SELECT id, t FROM big WHERE x > 0.5" << true;
    QTest::newRow("by the key") << "SELECT * FROM big ORDER BY id DESC" << true;
    QTest::newRow("comment at the end") << "SELECT * FROM big -- all of it" << true;
    // Ties among the sorted rows may come in either order.
    QTest::newRow("sorted") << "SELECT * FROM big ORDER BY x" << false;
    QTest::newRow("join") << "SELECT a.id, b.t FROM big a JOIN big b ON b.id = a.id" << false;
    QTest::newRow("distinct") << "SELECT DISTINCT x, id FROM big" << false;
    QTest::newRow("random") << "SELECT id, random() FROM big" << false;
    QTest::newRow("now") << "SELECT id, datetime('now') FROM big" << false;
    QTest::newRow("parameter") << "SELECT * FROM big WHERE id > ?" << false;
    QTest::newRow("near the end") << "SELECT * FROM big WHERE id > 4950" << false;
}

void TestSqliteEnd::endAsForward()
{
    QFETCH(QString, sql);
    QFETCH(bool, readAhead);
    QSqlDatabase reader = QSqlDatabase::database(kReader);
    QSqlQuery q(reader);
    q.setForwardOnly(true);
    QVERIFY(q.prepare(sql));
    if (sql.contains(u'?'))
        q.addBindValue(0);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    SqliteRows rows(q, sqliteStatement(q));
    ForwardReading<SqliteRows> forward{rows, sqlite3_column_count(sqliteStatement(q)), {}, {}};
    forward.readTo(kFirst);
    QCOMPARE(forward.starts.size(), kFirst);
    // Written and committed elsewhere after the statement started: in neither reading.
    QSqlQuery write(QSqlDatabase::database(kWriter));
    QVERIFY2(write.exec(QStringLiteral("INSERT INTO big VALUES (NULL, 'later', 0.9, NULL)")),
             qPrintable(write.lastError().text()));

    EndRows end;
    const bool got = readSqliteEnd(sqliteStatement(q), q.numericalPrecisionPolicy(), kFirst, kEnd, end);
    forward.readTo(std::numeric_limits<qint64>::max());
    QVERIFY(write.exec(QStringLiteral("DELETE FROM big WHERE t = 'later'")));
    forward.compareEnd(got, readAhead, end, kEnd);
}

QTEST_GUILESS_MAIN(TestSqliteEnd)
#include "tst_sqliteend.moc"
