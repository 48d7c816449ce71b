// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "querydefinition.h"
#include "vdqerror.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"

#include <QDirIterator>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

// The way from a statement back to a design, through vdqsql on every engine of the suite:
// the statement of each test design reads back to a design whose statement is the same,
// byte for byte; and a statement written by hand gives a design whose statement returns
// the same rows.
namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

const char *const kDatabase = "vdq_roundtrip";

// The test designs: the query definition files among the tests that name a database.
QStringList testDesigns()
{
    QStringList files;
    QDirIterator it(QStringLiteral(VDQ_SOURCE_DIR "/tests"), {QStringLiteral("*.vdq")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// Every table the test designs name, with the fields they list.
QMap<QString, QStringList> designTables()
{
    QMap<QString, QStringList> tables;
    for (const QString &file : testDesigns()) {
        QueryDefinition def;
        try {
            def = LoadQueryDefinitionFile(file);
        } catch (const VdqError &) {
            continue;
        }
        if (def.database.isEmpty())
            continue;
        for (const StoredTable &t : def.tables) {
            QStringList &fields = tables[t.name];
            for (const auto &item : t.items) {
                if (!item.first.isEmpty() && !fields.contains(item.first, Qt::CaseInsensitive))
                    fields << item.first;
            }
            if (fields.isEmpty())
                fields << QStringLiteral("Id");
        }
    }
    return tables;
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString quoted(const QString &name, QChar quote)
{
    QString doubled = name;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}

bool createTables(QSqlDatabase db, QChar quote, QString *error)
{
    const QMap<QString, QStringList> tables = designTables();
    for (auto t = tables.cbegin(); t != tables.cend(); ++t) {
        QStringList columns;
        for (const QString &f : t.value())
            columns << quoted(f, quote) + QStringLiteral(" VARCHAR(40)");
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(t.key(), quote), columns.join(u", ")))) {
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

class TestDesignRoundTrip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void designsReadBack_data();
    void designsReadBack();
    void handWrittenGivesSameRows_data();
    void handWrittenGivesSameRows();
    void handWrittenTotalsGiveSameRows_data();
    void handWrittenTotalsGiveSameRows();
    void handWrittenRealQueryGivesSameRows_data() { handWrittenGivesSameRows_data(); }
    void handWrittenRealQueryGivesSameRows();
    void refusedStatement();
    void deleteReadAsTheEngineReads_data();
    void deleteReadAsTheEngineReads();

private:
    int rowsLeftAfter(const QString &alias, const QString &sql);
    void compareRows(const QString &engine, const QString &handWritten);
    Run vdqsql(const QStringList &args) const;
    QList<QStringList> rowsOf(const QString &alias, const QString &sql);
    QTemporaryDir m_dir;
    QString m_aliases;
    QString m_odbcIni;
};

void TestDesignRoundTrip::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const auto pg = TestSupport::PgEnv();
    const auto my = TestSupport::MariaDbEnv();
    const auto odbc = TestSupport::OdbcEnv();
    QVERIFY2(!pg.isEmpty() && !my.isEmpty() && !odbc.isEmpty(), "the test servers and data sources are not running");
    QString error;

    // The tables of the test designs, in a database of this test's own on every engine.
    const QString sqliteFile = m_dir.filePath("designs.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rt_sqlite"));
        db.setDatabaseName(sqliteFile);
        QVERIFY(db.open());
        QVERIFY2(createTables(db, u'"', &error), qPrintable(error));
        db.close();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("rt_pg"));
        db.setHostName(pg.value("PGHOST"));
        db.setPort(pg.value("PGPORT").toInt());
        db.setUserName(pg.value("PGUSER"));
        db.setDatabaseName(QStringLiteral("postgres"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(kDatabase));
        QVERIFY2(q.exec(QStringLiteral("CREATE DATABASE %1").arg(kDatabase)), qPrintable(q.lastError().text()));
        db.close();
        db.setDatabaseName(QLatin1String(kDatabase));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QVERIFY2(createTables(db, u'"', &error), qPrintable(error));
        db.close();
    }
    {
        // The server's administrator on its socket makes the database and lets the test's user in.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("rt_my"));
        db.setUserName(QStringLiteral("root"));
        db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(my.value("MYSOCKET")));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(kDatabase));
        QVERIFY2(q.exec(QStringLiteral("CREATE DATABASE %1").arg(kDatabase)), qPrintable(q.lastError().text()));
        QVERIFY(q.exec(QStringLiteral("GRANT ALL ON %1.* TO '%2'@'%'").arg(kDatabase, my.value("MYUSER"))));
        QVERIFY(q.exec(QStringLiteral("USE %1").arg(kDatabase)));
        QVERIFY2(createTables(db, u'`', &error), qPrintable(error));
        db.close();
    }
    // Data sources of this test's own: the drivers of the fixture, the databases above.
    m_odbcIni = m_dir.filePath("odbc.ini");
    QFile ini(m_odbcIni);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[RT_ODBC_SQLITE]\nDriver=VDQ SQLite3\nDatabase=%1\nTimeout=5000\n\n"
                             "[RT_ODBC_PG]\nDriver=VDQ PostgreSQL\nServername=%2\nPort=%3\nDatabase=%4\nUsername=%5\n\n")
                  .arg(sqliteFile, pg.value("PGHOST"), pg.value("PGPORT"), QLatin1String(kDatabase), pg.value("PGUSER"))
                  .toUtf8());
    QFile sample(odbc.value("ODBCINI", QString::fromLocal8Bit(qgetenv("ODBCINI"))));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    ini.write(sample.readAll());
    ini.close();
    qputenv("ODBCINI", QFile::encodeName(m_odbcIni));

    const QString sampleFile = m_dir.filePath("shop.sqlite");
    QVERIFY(TestSupport::MakeSampleSqlite(sampleFile, &error));
    m_aliases = m_dir.filePath("aliases.ini");
    TestSupport::UseAliasFile(
        m_aliases,
        QStringLiteral("[D_SQLITE]\nDriver=STANDARD\nPath=%1\n\n[S_SQLITE]\nDriver=STANDARD\nPath=%2\n\n").arg(sqliteFile, sampleFile)
            + TestSupport::PgAliasSection(QStringLiteral("D_PG"), QLatin1String(kDatabase))
            + TestSupport::PgAliasSection(QStringLiteral("S_PG"))
            + TestSupport::MariaDbAliasSection(QStringLiteral("D_MARIADB"), my.value("MYPASSWORD"), QLatin1String(kDatabase))
            + TestSupport::MariaDbAliasSection(QStringLiteral("S_MARIADB"), my.value("MYPASSWORD"))
            + TestSupport::OdbcAliasSection(QStringLiteral("D_ODBC_SQLITE"), QStringLiteral("RT_ODBC_SQLITE"))
            + TestSupport::OdbcAliasSection(QStringLiteral("D_ODBC_PG"), QStringLiteral("RT_ODBC_PG"))
            + TestSupport::OdbcAliasSection(QStringLiteral("S_ODBC_SQLITE"), odbc.value("ODBCSQLITEDSN"))
            + TestSupport::OdbcAliasSection(QStringLiteral("S_ODBC_PG"), odbc.value("ODBCPGDSN")));
}

Run TestDesignRoundTrip::vdqsql(const QStringList &args) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("ODBCINI"), m_odbcIni);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VDQSQL), QStringList{QStringLiteral("--aliases"), m_aliases} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

const char *const kEngines[] = {"SQLITE", "PG", "MARIADB", "ODBC_SQLITE", "ODBC_PG"};

void TestDesignRoundTrip::designsReadBack_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("design");
    for (const char *engine : kEngines) {
        for (const QString &file : testDesigns())
            QTest::addRow("%s %s", engine, qPrintable(QDir(QStringLiteral(VDQ_SOURCE_DIR)).relativeFilePath(file)))
                << QString::fromLatin1(engine) << file;
    }
}

void TestDesignRoundTrip::designsReadBack()
{
    QFETCH(QString, engine);
    QFETCH(QString, design);
    const QString alias = QStringLiteral("D_") + engine;
    const Run first = vdqsql({QStringLiteral("--database"), alias, design});
    // A file that is no design, or names nothing the database has, gives no statement to read:
    // vdqsql says so and exits 1. Anything else (a crash, a sanitizer's report) is a failure.
    QVERIFY2(first.exitCode == 0 || first.exitCode == 1, first.err.constData());
    if (first.exitCode != 0 || first.out.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no statement: %1").arg(QString::fromUtf8(first.err.trimmed()))));
    const QString sqlFile = m_dir.filePath(QStringLiteral("%1.sql").arg(QTest::currentDataTag()).replace(u'/', u'_'));
    writeFile(sqlFile, first.out);

    const Run toDesign = vdqsql({QStringLiteral("--to-design"), QStringLiteral("--database"), alias, sqlFile});
    QVERIFY2(toDesign.exitCode == 0, toDesign.err.constData());
    QCOMPARE(toDesign.err, QByteArray());
    QVERIFY(toDesign.out.startsWith("[Session]\r\n"));
    QVERIFY(!toDesign.out.contains("\n\n") && toDesign.out.count('\n') == toDesign.out.count("\r\n"));
    const QString designFile = sqlFile + QStringLiteral(".vdq");
    writeFile(designFile, toDesign.out);

    const Run second = vdqsql({designFile});
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.out, first.out);
}

void TestDesignRoundTrip::handWrittenGivesSameRows_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("quote");
    QTest::newRow("SQLite") << "SQLITE" << "";
    QTest::newRow("PostgreSQL") << "PG" << "\"";
    QTest::newRow("MariaDB") << "MARIADB" << "`";
    QTest::newRow("ODBC to SQLite") << "ODBC_SQLITE" << "";
    QTest::newRow("ODBC to PostgreSQL") << "ODBC_PG" << "\"";
}

QList<QStringList> TestDesignRoundTrip::rowsOf(const QString &alias, const QString &sql)
{
    TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
    QSqlQuery q(db->Connection());
    if (!q.exec(sql))
        return {{QStringLiteral("error: ") + q.lastError().text()}};
    QList<QStringList> rows;
    while (q.next()) {
        // Column order follows the design's table order, so each row is compared as a set of values.
        QStringList row;
        for (int c = 0; c < q.record().count(); ++c)
            row << q.value(c).toString();
        row.sort();
        rows << row;
    }
    return rows;
}

void TestDesignRoundTrip::handWrittenGivesSameRows()
{
    QFETCH(QString, engine);
    QFETCH(QString, quote);
    // Names as each engine reads them: PostgreSQL folds bare names to lower case.
    const auto n = [&](const char *name) { return quote + QLatin1String(name) + quote; };
    const QString handWritten =
        QStringLiteral("select c.%1 as firm, s.%2 as sale, s.%3\n"
                       "  from clients c\n"
                       "  join sales as s on s.%4 = c.%4\n"
                       "  join %5 i on i.%2 = s.%2\n"
                       " where s.%3 > 100 and i.%6 >= 1 -- the larger sales\n"
                       " order by s.%2 asc, c.%1 desc;\n")
            .arg(n("Firm"), n("SaleNo"), n("Total"), n("ClientNo"),
                 quote.isEmpty() ? QStringLiteral("\"order items\"") : quote + QStringLiteral("order items") + quote,
                 n("Qty"));
    compareRows(engine, handWritten);
}

void TestDesignRoundTrip::compareRows(const QString &engine, const QString &handWritten)
{
    const QString alias = QStringLiteral("S_") + engine;
    const QString sqlFile = m_dir.filePath(QStringLiteral("hand_%1_%2.sql").arg(engine).arg(qHash(handWritten)));
    writeFile(sqlFile, handWritten.toUtf8());
    const Run toDesign = vdqsql({QStringLiteral("--to-design"), QStringLiteral("--database"), alias, sqlFile});
    QVERIFY2(toDesign.exitCode == 0, toDesign.err.constData());
    const QString designFile = sqlFile + QStringLiteral(".vdq");
    writeFile(designFile, toDesign.out);
    const Run designed = vdqsql({designFile});
    QCOMPARE(designed.exitCode, 0);
    const QString statement = QString::fromUtf8(designed.out);
    QVERIFY(statement.contains(QLatin1String("ORDER BY")));

    const QList<QStringList> expected = rowsOf(alias, handWritten);
    QVERIFY(expected.size() > 1);
    QVERIFY2(!expected.constFirst().constFirst().startsWith(QLatin1String("error:")), qPrintable(expected.constFirst().constFirst()));
    QCOMPARE(rowsOf(alias, statement), expected);
}

void TestDesignRoundTrip::handWrittenTotalsGiveSameRows_data()
{
    handWrittenGivesSameRows_data();
}

// Every client with the number of their sales, clients without sales included.
void TestDesignRoundTrip::handWrittenTotalsGiveSameRows()
{
    QFETCH(QString, engine);
    QFETCH(QString, quote);
    const auto n = [&](const char *name) { return quote + QLatin1String(name) + quote; };
    compareRows(engine, QStringLiteral("select c.%1 as firm, count(s.%2) as sales\n"
                                       "  from clients c left join sales s on s.%3 = c.%3\n"
                                       " group by c.%1\n"
                                       " having count(s.%2) >= 0\n"
                                       " order by c.%1 asc\n")
                            .arg(n("Firm"), n("SaleNo"), n("ClientNo")));
}

// A WITH query, calculated fields with names, a scalar subquery, CASE, a negated group and
// EXISTS: the design keeps them, and the WITH query's window has the columns the engine gives.
void TestDesignRoundTrip::handWrittenRealQueryGivesSameRows()
{
    QFETCH(QString, engine);
    QFETCH(QString, quote);
    const auto n = [&](const char *name) { return quote + QLatin1String(name) + quote; };
    compareRows(engine, QStringLiteral("with totals as (select s.%1 as client, sum(s.%2) as spent from sales s group by s.%1)\n"
                                       "select c.%3 as firm, t.spent * 2 as doubled,\n"
                                       "       (select count(*) from sales x where x.%1 = c.%1) as n,\n"
                                       "       case when t.spent > 100 then 'big' else 'small' end as size\n"
                                       "  from clients c join totals t on t.client = c.%1\n"
                                       " where not (c.%3 like 'Z%' or c.%3 is null)\n"
                                       "   and exists (select 1 from sales y where y.%1 = c.%1)\n"
                                       " order by firm\n")
                            .arg(n("ClientNo"), n("Total"), n("Firm")));
}

void TestDesignRoundTrip::refusedStatement()
{
    const QString sqlFile = m_dir.filePath(QStringLiteral("union.sql"));
    QFile f(sqlFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("SELECT * FROM clients\nUNION SELECT * FROM clients\n");
    f.close();
    for (const char *engine : kEngines) {
        const Run run = vdqsql({QStringLiteral("--to-design"), QStringLiteral("--database"), QStringLiteral("S_") + QLatin1String(engine), sqlFile});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.contains("a UNION (line 2, column 1)"), run.err.constData());
    }
}

// Five victims, then the statement: how many are left, or -1 when the engine refused it.
int TestDesignRoundTrip::rowsLeftAfter(const QString &alias, const QString &sql)
{
    TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
    QSqlQuery q(db->Connection());
    q.exec(QStringLiteral("DELETE FROM victims"));
    for (int id = 1; id <= 5; ++id)
        q.exec(QStringLiteral("INSERT INTO victims (id, name) VALUES (%1, '%2')").arg(id).arg(QChar(u'a' + id - 1)));
    const bool ran = q.exec(sql);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM victims")) || !q.next())
        return -2;
    return ran ? q.value(0).toInt() : -1;
}

void TestDesignRoundTrip::deleteReadAsTheEngineReads_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("left");
    const QString nested = QStringLiteral("DELETE FROM victims WHERE id = 1 /* /* */ OR 1 = 1 --*/");
    QTest::newRow("PostgreSQL nested comment") << "PG" << nested << 4;
    QTest::newRow("SQLite nested comment") << "SQLITE" << nested << 0;
    QTest::newRow("MariaDB nested comment") << "MARIADB" << nested << -1;
    QTest::newRow("PostgreSQL E-string") << "PG" << "DELETE FROM victims WHERE name = E'a\\' OR id > 0 --'" << 5;
    QTest::newRow("PostgreSQL dollar quote") << "PG" << "DELETE FROM victims WHERE name = $$b' OR 'x' = 'x$$" << 5;
    QTest::newRow("MariaDB -- before a digit") << "MARIADB" << "DELETE FROM victims WHERE id = 3 --1\n OR id = 2" << 3;
    QTest::newRow("MariaDB # comment") << "MARIADB" << "DELETE FROM victims WHERE id = 3 # OR 1 = 1" << 4;
}

// The design of a DELETE either is refused or deletes on the engine exactly what the text it
// was read from deletes there.
void TestDesignRoundTrip::deleteReadAsTheEngineReads()
{
    QFETCH(QString, engine);
    QFETCH(QString, statement);
    QFETCH(int, left);
    const QString alias = QStringLiteral("D_") + engine;
    {
        TDatabase *db = Sessions().DefaultSession()->OpenDatabase(alias);
        QSqlQuery q(db->Connection());
        q.exec(QStringLiteral("DROP TABLE IF EXISTS victims"));
        QVERIFY2(q.exec(QStringLiteral("CREATE TABLE victims (id INTEGER, name VARCHAR(10))")), qPrintable(q.lastError().text()));
    }
    QCOMPARE(rowsLeftAfter(alias, statement), left);

    const QString sqlFile = m_dir.filePath(QStringLiteral("victims_%1.sql").arg(qHash(QTest::currentDataTag())));
    writeFile(sqlFile, statement.toUtf8());
    const Run toDesign = vdqsql({QStringLiteral("--to-design"), QStringLiteral("--database"), alias, sqlFile});
    if (toDesign.exitCode == 1) {
        QVERIFY2(toDesign.err.contains("(line "), toDesign.err.constData());
        return;
    }
    QVERIFY2(toDesign.exitCode == 0, toDesign.err.constData());
    const QString designFile = sqlFile + QStringLiteral(".vdq");
    writeFile(designFile, toDesign.out);
    const Run designed = vdqsql({designFile});
    QCOMPARE(designed.exitCode, 0);
    QCOMPARE(rowsLeftAfter(alias, QString::fromUtf8(designed.out)), left);
}

QTEST_MAIN(TestDesignRoundTrip)
#include "tst_designroundtrip.moc"
