// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

// The sample database builder and the script it reads.
class TestMkSample : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void scriptIsText();
    void rowCounts_data();
    void rowCounts();
    void pictures();
    void notes();
    void usage_data();
    void usage();
    void faultyScript();
    void existingFileReplaced();

private:
    int run(const QStringList &args, QString *errors = nullptr);
    qint64 scalar(const QString &sql);
    QTemporaryDir m_dir;
    QString m_shop;
};

int TestMkSample::run(const QStringList &args, QString *errors)
{
    QProcess p;
    p.start(TestSupport::MkSampleProgram(), args);
    if (!p.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

qint64 TestMkSample::scalar(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("sample")));
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

void TestMkSample::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_shop = m_dir.filePath(QStringLiteral("shop.sqlite"));
    QString errors;
    QCOMPARE(run({QStringLiteral("--no-big"), QStringLiteral("--sqlite"), m_shop, QStringLiteral(VDQ_SAMPLE_SQL)}, &errors), 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    QVERIFY(!QFile::exists(m_shop + QStringLiteral(".building")));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sample"));
    db.setDatabaseName(m_shop);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QVERIFY(db.open());
}

void TestMkSample::cleanupTestCase()
{
    QSqlDatabase::database(QStringLiteral("sample")).close();
    QSqlDatabase::removeDatabase(QStringLiteral("sample"));
}

void TestMkSample::scriptIsText()
{
    QFile script(QStringLiteral(VDQ_SAMPLE_SQL));
    QVERIFY(script.open(QIODevice::ReadOnly));
    const QByteArray text = script.readAll();
    QVERIFY(!text.contains('\0'));
    QVERIFY(text.contains("CREATE TABLE clients"));
    QVERIFY(text.contains("CREATE TABLE \"order items\""));
    QVERIFY(text.contains("CREATE TABLE \"2003sales\""));
    QVERIFY(!text.contains("INSERT INTO ledger"));  // generated when the database is built
}

void TestMkSample::rowCounts_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<qint64>("rows");
    QTest::newRow("clients") << "clients" << qint64(30);
    QTest::newRow("products") << "products" << qint64(20);
    QTest::newRow("sales") << "sales" << qint64(48);
    QTest::newRow("order items") << "\"order items\"" << qint64(118);
    QTest::newRow("2003sales") << "\"2003sales\"" << qint64(39);
    QTest::newRow("ledger left out") << "ledger" << qint64(0);
}

void TestMkSample::rowCounts()
{
    QFETCH(QString, table);
    QFETCH(qint64, rows);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)), rows);
}

void TestMkSample::pictures()
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("sample")));
    QVERIFY(q.exec(QStringLiteral("SELECT \"Picture\" FROM products WHERE \"Picture\" IS NOT NULL")));
    int count = 0;
    QSet<QByteArray> distinct;
    while (q.next()) {
        const QByteArray png = q.value(0).toByteArray();
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage image = QImage::fromData(png, "PNG");
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(24, 24));
        distinct.insert(QCryptographicHash::hash(png, QCryptographicHash::Sha1));
        ++count;
    }
    QCOMPARE(count, 8);
    QCOMPARE(distinct.size(), 5);
    // Every sale joins a client, every order item a sale and a product.
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM sales s JOIN clients c ON c.\"ClientNo\" = s.\"ClientNo\"")), 48);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM \"order items\" i JOIN sales s ON s.\"SaleNo\" = i.\"SaleNo\""
                                   " JOIN products p ON p.\"ProductNo\" = i.\"ProductNo\"")), 118);
}

void TestMkSample::notes()
{
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM clients WHERE instr(\"Notes\", char(10)) > 0")), 1);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM clients WHERE \"Firm\" = 'Queen''s Arms Hotel'")), 1);
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("sample")));
    QVERIFY(q.exec(QStringLiteral("SELECT * FROM \"2003sales\" WHERE 1 = 0")));
    QCOMPARE(q.record().fieldName(0), QStringLiteral("Cust No"));
}

void TestMkSample::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("no arguments") << QStringList() << 2 << "usage:";
    QTest::newRow("unknown target") << QStringList{"--oracle", "x", "y"} << 2 << "usage:";
    QTest::newRow("missing script") << QStringList{"--sqlite", "out.sqlite", "/nonexistent/shop.sql"} << 1
                                    << "cannot read /nonexistent/shop.sql";
    QTest::newRow("missing folder") << QStringList{"--sqlite", "/nonexistent/dir/out.sqlite", VDQ_SAMPLE_SQL}
                                    << 1 << "does not exist";
}

void TestMkSample::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QString errors;
    QCOMPARE(run(args, &errors), code);
    QVERIFY2(errors.contains(message), qPrintable(errors));
}

void TestMkSample::faultyScript()
{
    const QString script = m_dir.filePath(QStringLiteral("faulty.sql"));
    QFile f(script);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("-- two good statements, then a bad one\n"
            "CREATE TABLE t (a INTEGER);\n"
            "INSERT INTO t VALUES (1);\n"
            "\n"
            "INSERT INTO t VALUES ('it''s; fine');\n"
            "INSERT INTO nowhere\n  VALUES (2);\n");
    f.close();
    const QString out = m_dir.filePath(QStringLiteral("faulty.sqlite"));
    QString errors;
    QCOMPARE(run({QStringLiteral("--sqlite"), out, script}, &errors), 1);
    QVERIFY2(errors.contains(script + QStringLiteral(":6: ")), qPrintable(errors));
    QVERIFY2(errors.contains(QStringLiteral("no such table: nowhere")), qPrintable(errors));
    QVERIFY(!QFile::exists(out));
    QVERIFY(!QFile::exists(out + QStringLiteral(".building")));
}

void TestMkSample::existingFileReplaced()
{
    const QString out = m_dir.filePath(QStringLiteral("again.sqlite"));
    QFile f(out);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old contents");
    f.close();
    QCOMPARE(run({QStringLiteral("--no-big"), QStringLiteral("--sqlite"), out, QStringLiteral(VDQ_SAMPLE_SQL)}), 0);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(16).startsWith("SQLite format 3"));
}

QTEST_GUILESS_MAIN(TestMkSample)
#include "tst_mksample.moc"
