// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"
#include "testsupport.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QImage>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// The query object on the embedded engine: results, field kinds, counts and errors.
class TestSqliteQuery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void fieldKinds_data();
    void fieldKinds();
    void declaredTypes_data();
    void declaredTypes();
    void recordCount_data();
    void recordCount();
    void values();
    void pictures();
    void displayText();
    void statementEndings_data();
    void statementEndings();
    void percentSignsInStatement();
    void duplicateColumnNames();
    void unwrappableStatement();
    void openErrors_data();
    void openErrors();
    void openDoesNotRunChanges();
    void pendingRunOutlivesAFailingReopen();
    void execSql();
    void execSqlErrors_data();
    void execSqlErrors();
    void namesOnlyWhileClosed();
    void activeSignal();
    void newStatementCloses();
    void closingTheDatabaseClosesTheQuery();
    void masterParameters();
    void rowsPastTheEnd();

private:
    TQuery *openQuery(const QString &sql, const QString &database = QStringLiteral("SHOP"));
    QTemporaryDir m_dir;
    QString m_aliasFile;
    std::unique_ptr<TQuery> m_query;
};

void TestSqliteQuery::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_aliasFile = m_dir.filePath(QStringLiteral("aliases.ini"));
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("shop.sqlite")), &error), qPrintable(error));
    // A database with the type spellings of other engines.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
    db.setDatabaseName(m_dir.filePath(QStringLiteral("types.sqlite")));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral(
        "CREATE TABLE kinds (a TEXT, b TEXT(20), c VARCHAR(30), d CLOB, e LONGTEXT, f MEDIUMTEXT,"
        " g TINYTEXT, h BLOB, i LONGBLOB, j MEDIUMBLOB, k INTEGER, l REAL, m NUMERIC(8,2), n DATE, o, p text,"
        " q TEXT, r)")));
    QVERIFY(q.exec(QStringLiteral(
        "INSERT INTO kinds (a, h, k, q, r) VALUES ('x', X'00FF', 1, 'two' || char(10) || 'lines', 'a' || char(10) || 'b')")));
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

void TestSqliteQuery::init()
{
    // A fresh copy per test, so that changes made by one test never reach another.
    const QString work = m_dir.filePath(QStringLiteral("work.sqlite"));
    QFile::remove(work);
    QVERIFY(QFile::copy(m_dir.filePath(QStringLiteral("shop.sqlite")), work));
    TestSupport::UseAliasFile(m_aliasFile, QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=work.sqlite\n"
                                                          "[TYPES]\nDriver=STANDARD\nPath=types.sqlite\n"));
    m_query = std::make_unique<TQuery>();
}

void TestSqliteQuery::cleanup()
{
    m_query.reset();
    Sessions().CloseAll();
}

TQuery *TestSqliteQuery::openQuery(const QString &sql, const QString &database)
{
    m_query->Close();
    m_query->SetDatabaseName(database);
    m_query->SetSQL(sql.split(u'\n'));
    m_query->Open();
    return m_query.get();
}

void TestSqliteQuery::fieldKinds_data()
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
    QTest::newRow("through a join, notes of one line")
        << "SELECT c.\"Firm\", c.\"Notes\", p.\"Picture\" FROM clients c, products p WHERE c.\"ClientNo\" = 1001"
        << QStringList{"Firm", "Notes", "Picture"} << QList<int>{other, other, graphic};
    QTest::newRow("through a join, notes of two lines")
        << "SELECT c.\"Firm\", c.\"Notes\", p.\"Picture\" FROM clients c, products p WHERE c.\"ClientNo\" = 1003"
        << QStringList{"Firm", "Notes", "Picture"} << QList<int>{other, memo, graphic};
    QTest::newRow("aliased columns keep their kind")
        << "SELECT \"Notes\" AS Remarks, \"Firm\" AS Name FROM clients"
        << QStringList{"Remarks", "Name"} << QList<int>{memo, other};
    QTest::newRow("expressions: memo by their values")
        << "SELECT \"Notes\" || '!' AS n, length(\"Firm\") FROM clients"
        << QStringList{"n", "length(\"Firm\")"} << QList<int>{memo, other};
}

void TestSqliteQuery::fieldKinds()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, kinds);
    TQuery *q = openQuery(sql);
    QCOMPARE(q->FieldCount(), names.size());
    QStringList gotNames;
    QList<int> gotKinds;
    for (const TFieldInfo &f : q->Fields()) {
        gotNames << f.name;
        gotKinds << int(f.kind);
    }
    QCOMPARE(gotNames, names);
    QCOMPARE(gotKinds, kinds);
    QCOMPARE(q->Field(0).name, names.first());
}

void TestSqliteQuery::declaredTypes_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("kind");
    const int other = int(TFieldKind::Other), memo = int(TFieldKind::Memo), graphic = int(TFieldKind::Graphic);
    // SQLite bounds no text type: a text is a memo by a line break in its values, not by
    // its declared type.
    QTest::newRow("TEXT") << "a" << other;
    QTest::newRow("TEXT(20)") << "b" << other;
    QTest::newRow("VARCHAR(30)") << "c" << other;
    QTest::newRow("CLOB") << "d" << other;
    QTest::newRow("LONGTEXT") << "e" << other;
    QTest::newRow("MEDIUMTEXT") << "f" << other;
    QTest::newRow("TINYTEXT") << "g" << other;
    QTest::newRow("BLOB") << "h" << graphic;
    QTest::newRow("LONGBLOB") << "i" << graphic;
    QTest::newRow("MEDIUMBLOB") << "j" << graphic;
    QTest::newRow("INTEGER") << "k" << other;
    QTest::newRow("REAL") << "l" << other;
    QTest::newRow("NUMERIC(8,2)") << "m" << other;
    QTest::newRow("DATE") << "n" << other;
    QTest::newRow("no type") << "o" << other;
    QTest::newRow("lower-case text") << "p" << other;
    QTest::newRow("TEXT with a line break") << "q" << memo;
    QTest::newRow("no type, a line break") << "r" << memo;
}

void TestSqliteQuery::declaredTypes()
{
    QFETCH(QString, column);
    QFETCH(int, kind);
    TQuery *q = openQuery(QStringLiteral("SELECT %1 FROM kinds").arg(column), QStringLiteral("TYPES"));
    QCOMPARE(q->FieldCount(), 1);
    QCOMPARE(int(q->Field(0).kind), kind);
}

void TestSqliteQuery::recordCount_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<qint64>("count");
    QTest::newRow("clients") << "SELECT * FROM clients" << qint64(30);
    QTest::newRow("products") << "SELECT * FROM products" << qint64(20);
    QTest::newRow("sales") << "SELECT * FROM sales" << qint64(48);
    QTest::newRow("order items") << "SELECT * FROM \"order items\"" << qint64(118);
    QTest::newRow("2003sales") << "SELECT * FROM \"2003sales\"" << qint64(39);
    QTest::newRow("join") << "SELECT s.\"SaleNo\", c.\"Firm\" FROM sales s, clients c WHERE c.\"ClientNo\" = s.\"ClientNo\""
                          << qint64(48);
    QTest::newRow("no rows") << "SELECT * FROM clients WHERE 1 = 0" << qint64(0);
    QTest::newRow("more than a block")
        << "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) SELECT i FROM n"
        << qint64(5000);
    QTest::newRow("exactly a block")
        << "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 256) SELECT i FROM n"
        << qint64(256);
    QTest::newRow("own limit") << "SELECT * FROM \"order items\" ORDER BY \"SaleNo\" LIMIT 7" << qint64(7);
    QTest::newRow("pragma, read without wrapping") << "PRAGMA table_info(clients)" << qint64(9);
}

void TestSqliteQuery::recordCount()
{
    QFETCH(QString, sql);
    QFETCH(qint64, count);
    TQuery *q = openQuery(sql);
    QCOMPARE(q->RecordCount(), count);
    if (count > 0) {
        QVERIFY(q->HasRow(count - 1));
        QVERIFY(q->Value(count - 1, 0).isValid());
    }
    QVERIFY(!q->HasRow(count));
}

void TestSqliteQuery::values()
{
    TQuery *q = openQuery(QStringLiteral(
        "SELECT \"ClientNo\", \"Firm\", \"Notes\", \"Town\" FROM clients ORDER BY \"ClientNo\""));
    QCOMPARE(q->Value(0, 0).toLongLong(), 1001);
    QCOMPARE(q->Value(0, 1).metaType().id(), QMetaType::QString);
    QCOMPARE(q->Value(0, 1).toString(), QStringLiteral("Alder & Finch Trading"));
    QCOMPARE(q->Value(2, 1).toString(), QString::fromUtf8("Caf\u00e9 Lumi\u00e8re"));
    QCOMPARE(q->Value(16, 1).toString(), QStringLiteral("Queen's Arms Hotel"));
    QVERIFY(q->Value(2, 2).toString().contains(u'\n'));
    QVERIFY(q->Value(1, 2).isNull());  // no notes
    QCOMPARE(q->Value(29, 3).toString(), QStringLiteral("Boulder"));
    QVERIFY(!q->Value(0, 4).isValid());
    QVERIFY(!q->Value(0, -1).isValid());
}

void TestSqliteQuery::pictures()
{
    TQuery *q = openQuery(QStringLiteral(
        "SELECT \"ProductNo\", \"Picture\" FROM products WHERE \"Picture\" IS NOT NULL ORDER BY \"ProductNo\""));
    QCOMPARE(q->RecordCount(), 8);
    for (qint64 row = 0; row < q->RecordCount(); ++row) {
        const QVariant v = q->Value(row, 1);
        QCOMPARE(v.metaType().id(), QMetaType::QByteArray);
        QVERIFY(v.toByteArray().startsWith("\x89PNG\r\n\x1a\n"));
        const QImage image = QImage::fromData(v.toByteArray(), "PNG");
        QCOMPARE(image.size(), QSize(24, 24));
        QCOMPARE(QImage::fromData(q->Picture(row, 1)).size(), QSize(24, 24));
    }
    QVERIFY(q->Picture(0, 0).isNull());  // a number is no picture
}

void TestSqliteQuery::displayText()
{
    TQuery *q = openQuery(QStringLiteral(
        "SELECT \"ProductNo\", \"Name\", \"Price\", \"Picture\", \"Description\" FROM products ORDER BY \"ProductNo\""));
    QCOMPARE(q->DisplayText(0, 0), QStringLiteral("1"));
    QCOMPARE(q->DisplayText(0, 1), QStringLiteral("Ethiopia Yirgacheffe"));
    QCOMPARE(q->DisplayText(0, 2), QStringLiteral("14.5"));
    QCOMPARE(q->DisplayText(0, 3), QStringLiteral("(Graphic)"));
    QCOMPARE(q->DisplayText(1, 3), QString());  // no picture
    QCOMPARE(q->DisplayText(0, 4), QStringLiteral("Washed Arabica from the Gedeo zone.\nFloral aroma, notes of bergamot and lemon."));
    QCOMPARE(q->WholeText(0, 4), q->DisplayText(0, 4));
    QCOMPARE(q->DisplayText(10, 4), QString());  // NULL description
    QCOMPARE(q->DisplayText(999, 0), QString());
}

void TestSqliteQuery::statementEndings_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("semicolon") << "SELECT \"Firm\" FROM clients;";
    QTest::newRow("semicolons and blanks") << "  SELECT \"Firm\" FROM clients ;  \n ; \n\t";
    QTest::newRow("trailing comment") << "SELECT \"Firm\" FROM clients -- all of them";
    QTest::newRow("several lines") << "SELECT \"Firm\"\nFROM clients\n\n";
    QTest::newRow("leading comment") << "-- the firms\nSELECT \"Firm\" FROM clients";
}

void TestSqliteQuery::statementEndings()
{
    QFETCH(QString, sql);
    TQuery *q = openQuery(sql);
    QCOMPARE(q->FieldCount(), 1);
    QCOMPARE(q->RecordCount(), 30);
    QCOMPARE(q->Field(0).name, QStringLiteral("Firm"));
}

void TestSqliteQuery::percentSignsInStatement()
{
    TQuery *q = openQuery(QStringLiteral("SELECT \"Firm\", '%1 %2' AS t FROM clients WHERE \"Firm\" LIKE '%a%' ORDER BY 1"));
    QVERIFY(q->RecordCount() > 0);
    QCOMPARE(q->Value(0, 1).toString(), QStringLiteral("%1 %2"));
}

void TestSqliteQuery::duplicateColumnNames()
{
    TQuery *q = openQuery(QStringLiteral(
        "SELECT c.\"ClientNo\", s.\"ClientNo\" FROM clients c JOIN sales s ON s.\"ClientNo\" = c.\"ClientNo\""));
    QCOMPARE(q->Field(0).name, QStringLiteral("ClientNo"));
    QCOMPARE(q->Field(1).name, QStringLiteral("ClientNo"));
    QCOMPARE(q->Value(0, 0), q->Value(0, 1));
}

void TestSqliteQuery::unwrappableStatement()
{
    // PRAGMA cannot stand in a sub-select: the rows are read from the statement itself.
    QSqlDatabase setup = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wide"));
    setup.setDatabaseName(m_dir.filePath(QStringLiteral("work.sqlite")));
    QVERIFY(setup.open());
    QStringList columns;
    for (int i = 0; i < 600; ++i)
        columns << QStringLiteral("c%1 INTEGER").arg(i);
    QVERIFY(QSqlQuery(setup).exec(QStringLiteral("CREATE TABLE wide (%1)").arg(columns.join(u','))));
    setup.close();
    setup = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("wide"));

    TQuery *q = openQuery(QStringLiteral("PRAGMA table_info(wide)"));
    QCOMPARE(q->Field(1).name, QStringLiteral("name"));
    QCOMPARE(q->Value(599, 1).toString(), QStringLiteral("c599"));
    QCOMPARE(q->Value(3, 1).toString(), QStringLiteral("c3"));  // back again: read anew
    QCOMPARE(q->Value(300, 1).toString(), QStringLiteral("c300"));
    QCOMPARE(q->RecordCount(), 600);
    QVERIFY(!q->Value(600, 1).isValid());
}

void TestSqliteQuery::openErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("syntax") << "SELEC * FROM clients" << "near \"SELEC\": syntax error";
    QTest::newRow("no table") << "SELECT * FROM customers" << "no such table: customers";
    QTest::newRow("no column") << "SELECT Nope FROM clients" << "no such column: Nope";
    QTest::newRow("empty") << "" << "No SQL statement available";
    QTest::newRow("blanks") << "  \n\t " << "No SQL statement available";
    QTest::newRow("semicolon only") << " ; " << "No SQL statement available";
    QTest::newRow("no rows") << "DELETE FROM clients WHERE 1 = 0" << "does not return rows";
    QTest::newRow("two statements") << "SELECT 1; SELECT 2" << "multiple statements";
}

void TestSqliteQuery::openErrors()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    m_query->SetDatabaseName(QStringLiteral("SHOP"));
    m_query->SetSQL(QStringList{sql});
    try {
        m_query->Open();
        QFAIL("the statement opened");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
    QVERIFY(!m_query->IsActive());
    QCOMPARE(m_query->FieldCount(), 0);
}

void TestSqliteQuery::openDoesNotRunChanges()
{
    m_query->SetDatabaseName(QStringLiteral("SHOP"));
    m_query->SetSQL(QStringList{QStringLiteral("DELETE FROM clients")});
    QVERIFY_THROWS_EXCEPTION(VdqError, m_query->Open());
    QCOMPARE(openQuery(QStringLiteral("SELECT * FROM clients"))->RecordCount(), 30);
}

void TestSqliteQuery::execSql()
{
    m_query->SetDatabaseName(QStringLiteral("SHOP"));
    m_query->SetSQL({QStringLiteral("UPDATE clients SET \"Town\" = 'Bristol'"),
                     QStringLiteral("WHERE \"ClientNo\" IN (1002, 1003);")});
    m_query->ExecSql();
    QVERIFY(!m_query->IsActive());
    QCOMPARE(openQuery(QStringLiteral("SELECT * FROM clients WHERE \"Town\" = 'Bristol'"))->RecordCount(), 4);
    m_query->Close();
    m_query->SetSQL({QStringLiteral("INSERT INTO \"2003sales\" (\"Cust No\", \"Firm\", \"Quarter\", \"Amount\")"
                                    " VALUES (1001, 'Alder & Finch Trading', 4, 10.5)")});
    m_query->ExecSql();
    QCOMPARE(openQuery(QStringLiteral("SELECT * FROM \"2003sales\""))->RecordCount(), 40);
}

void TestSqliteQuery::execSqlErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("syntax") << "UPDAT clients SET \"Town\" = 'x'" << "near \"UPDAT\": syntax error";
    QTest::newRow("no table") << "DELETE FROM customers" << "no such table: customers";
    QTest::newRow("constraint") << "INSERT INTO clients (\"ClientNo\", \"Firm\") VALUES (1001, 'Twice')"
                                << "UNIQUE constraint failed";
    QTest::newRow("empty") << "" << "No SQL statement available";
    QTest::newRow("blanks") << "   " << "No SQL statement available";
    QTest::newRow("a select") << "SELECT * FROM clients" << "returns rows";
}

void TestSqliteQuery::execSqlErrors()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    m_query->SetDatabaseName(QStringLiteral("SHOP"));
    m_query->SetSQL({sql});
    try {
        m_query->ExecSql();
        QFAIL("the statement ran");
    } catch (const VdqError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
}

void TestSqliteQuery::namesOnlyWhileClosed()
{
    openQuery(QStringLiteral("SELECT * FROM clients"));
    QVERIFY_THROWS_EXCEPTION(VdqError, m_query->SetDatabaseName(QStringLiteral("OTHER")));
    QVERIFY_THROWS_EXCEPTION(VdqError, m_query->SetSessionName(QStringLiteral("Other")));
    QCOMPARE(m_query->DatabaseName(), QStringLiteral("SHOP"));
    m_query->Close();
    m_query->SetDatabaseName(QStringLiteral("OTHER"));
    QCOMPARE(m_query->DatabaseName(), QStringLiteral("OTHER"));
    try {
        m_query->Open();
        QFAIL("opened on an alias that does not exist");
    } catch (const VdqError &e) {
        QCOMPARE(e.message(), QStringLiteral("Invalid alias name OTHER"));
    }
}

void TestSqliteQuery::activeSignal()
{
    QSignalSpy spy(m_query.get(), &TQuery::activeChanged);
    openQuery(QStringLiteral("SELECT * FROM sales"));
    QVERIFY(m_query->IsActive());
    m_query->Close();
    m_query->Close();
    QVERIFY(!m_query->IsActive());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QCOMPARE(m_query->RecordCount(), 0);
    QCOMPARE(m_query->FieldCount(), 0);
}

void TestSqliteQuery::newStatementCloses()
{
    openQuery(QStringLiteral("SELECT * FROM sales"));
    QSignalSpy spy(m_query.get(), &TQuery::activeChanged);
    m_query->SetSQL({QStringLiteral("SELECT * FROM clients")});
    QVERIFY(!m_query->IsActive());
    QCOMPARE(spy.count(), 1);
    m_query->Open();
    QCOMPARE(m_query->RecordCount(), 30);
}

void TestSqliteQuery::closingTheDatabaseClosesTheQuery()
{
    openQuery(QStringLiteral("SELECT * FROM sales"));
    TSession *s = Sessions().DefaultSession();
    QVERIFY(s->FindOpenDatabase(QStringLiteral("SHOP")));
    QCOMPARE(m_query->Database(), s->FindOpenDatabase(QStringLiteral("SHOP")));
    s->CloseDatabase(QStringLiteral("SHOP"));
    QVERIFY(!m_query->IsActive());
    QVERIFY(!m_query->Value(0, 0).isValid());
    openQuery(QStringLiteral("SELECT * FROM sales"));  // reconnects on demand
    QCOMPARE(m_query->RecordCount(), 48);
}

void TestSqliteQuery::masterParameters()
{
    TQuery master;
    master.SetDatabaseName(QStringLiteral("SHOP"));
    master.SetSQL({QStringLiteral("SELECT \"ClientNo\", \"Firm\" FROM clients ORDER BY \"ClientNo\"")});
    master.Open();
    TDataSource source;
    source.SetDataSet(&master);
    master.SetRecNo(2);  // 1003

    m_query->SetMasterDataSource(&source);
    openQuery(QStringLiteral("SELECT \"SaleNo\", \"ClientNo\" FROM sales WHERE \"ClientNo\" = :ClientNo"));
    QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    check.setDatabaseName(m_dir.filePath(QStringLiteral("work.sqlite")));
    QVERIFY(check.open());
    QSqlQuery count(check);
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM sales WHERE \"ClientNo\" = 1003")) && count.next());
    const qint64 expected = count.value(0).toLongLong();
    count = QSqlQuery();
    check.close();
    check = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    QVERIFY(expected > 0);
    QCOMPARE(m_query->RecordCount(), expected);
    for (qint64 row = 0; row < expected; ++row)
        QCOMPARE(m_query->Value(row, 1).toLongLong(), 1003);
    m_query->Close();
    m_query->SetMasterDataSource(nullptr);
}

void TestSqliteQuery::rowsPastTheEnd()
{
    TQuery *q = openQuery(QStringLiteral("SELECT \"Firm\" FROM clients"));
    QVERIFY(!q->Value(30, 0).isValid());
    QVERIFY(!q->Value(100000, 0).isValid());
    QVERIFY(!q->Value(-1, 0).isValid());
    QVERIFY(q->Value(29, 0).isValid());
    QCOMPARE(q->RecordCount(), 30);
}

// A slow SELECT waits for its first rows while the designer reopens its database, which
// fails (the file is gone): the run is closed with its database, never left with a freed one.
void TestSqliteQuery::pendingRunOutlivesAFailingReopen()
{
    m_query->SetDatabaseName(QStringLiteral("SHOP"));
    m_query->SetSQL({QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 20000000) "
                                    "SELECT MAX(x) FROM c")});
    QSignalSpy failed(m_query.get(), &TQuery::failed);
    m_query->Start();
    QVERIFY(!m_query->IsActive());
    QTest::qWait(500);  // the reader has its connection; the count takes seconds more
    QVERIFY(!m_query->IsActive());
    const QString work = m_dir.filePath(QStringLiteral("work.sqlite"));
    QVERIFY(QFile::rename(work, work + QStringLiteral(".away")));
    QVERIFY_THROWS_EXCEPTION(VdqError, Sessions().DefaultSession()->OpenDatabase(QStringLiteral("SHOP")));
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
    QVERIFY(!m_query->IsActive());
    // The file back, the same query runs on a database opened again.
    QVERIFY(QFile::rename(work + QStringLiteral(".away"), work));
    m_query->SetSQL({QStringLiteral("SELECT COUNT(*) FROM clients")});
    m_query->Open();
    QVERIFY(m_query->Value(0, 0).toLongLong() > 0);
}

QTEST_MAIN(TestSqliteQuery)
#include "tst_sqlitequery.moc"
