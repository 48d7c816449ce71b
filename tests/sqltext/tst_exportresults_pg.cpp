// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tqgexportresults.h"
#include "tquery.h"
#include "tsessionlist.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// Export Results on SQLite and PostgreSQL: the CSV against the engine's own CSV of the same
// statement, the JSON's values and types, the whole of a result still being read, and a
// cancelled export that leaves no file.
class TestExportResults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void csvAsTheEngineWritesIt_data();
    void csvAsTheEngineWritesIt();
    void jsonValues_data();
    void jsonValues();
    void wholeResultWhileReading();
    void cancelLeavesNoFile();
    void filterChoosesTheFormat();

private:
    void open(TQuery &query, const QString &alias, const QString &sql);
    QByteArray exported(TQuery &query, TResultExport::Format format);

    QTemporaryDir m_dir;
};

namespace {

const QString kPgDatabase = QStringLiteral("vdq_export");
const QString kStatement = QStringLiteral("SELECT id, name, note, amount FROM export_rows ORDER BY id");

// The rows, with values that need quoting and NULLs; amounts whose text the engines and the
// export write alike.
const QStringList kSetup = {
    QStringLiteral("CREATE TABLE export_rows (id INTEGER, name VARCHAR(40), note TEXT, amount NUMERIC)"),
    QStringLiteral("INSERT INTO export_rows VALUES (1, 'plain', NULL, 2.5)"),
    QStringLiteral("INSERT INTO export_rows VALUES (2, 'comma, here', 'say \"hi\"', -0.125)"),
    QStringLiteral("INSERT INTO export_rows VALUES (3, '', 'two' || char(10) || 'lines', NULL)"),
    QStringLiteral("INSERT INTO export_rows VALUES (4, 'tab' || char(9) || 'here', 'cr' || char(13) || char(10) || 'lf', 10.75)"),
    QStringLiteral("INSERT INTO export_rows VALUES (5, NULL, 'Gr\u00fc\u00dfe \u20ac', 0.001)"),
};

// RFC 4180 records; an unquoted empty field (NULL) is a null string, a quoted one empty.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false, inQuotes = false;
    const auto endField = [&] {
        record.append(quoted || !field.isEmpty() ? field : QString());
        field = QString();
        field.clear();
        quoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            inQuotes = quoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endField();
            records.append(record);
            record.clear();
        } else {
            field += c;
        }
    }
    return records;
}

} // namespace

void TestExportResults::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL test server is not running");
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("shop.sqlite")), &error, true),
             qPrintable(error));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(m_dir.filePath(QStringLiteral("export.sqlite")));
        QVERIFY(db.open());
        QVERIFY2(TestSupport::RunStatements(db, kSetup, &error), qPrintable(error));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    {
        // A database of its own: the other tests list the sample's tables.
        QSqlDatabase server = TestSupport::OpenPgConnection(QStringLiteral("pgserver"));
        QVERIFY(server.isOpen());
        QSqlQuery(server).exec(QStringLiteral("CREATE DATABASE ") + kPgDatabase);
        server.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pgserver"));
    {
        QSqlDatabase pg = TestSupport::OpenPgConnection(QStringLiteral("pgsetup"), kPgDatabase);
        QVERIFY(pg.isOpen());
        QStringList statements = kSetup;
        for (QString &s : statements)
            s.replace(QLatin1String("char("), QLatin1String("chr("));
        statements.prepend(QStringLiteral("DROP TABLE IF EXISTS export_rows"));
        QVERIFY2(TestSupport::RunStatements(pg, statements, &error), qPrintable(error));
        pg.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pgsetup"));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              QStringLiteral("[EXPORT]\nDriver=STANDARD\nPath=export.sqlite\n\n"
                                             "[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n\n")
                                  + TestSupport::PgAliasSection(QStringLiteral("WAREHOUSE"), kPgDatabase));
}

void TestExportResults::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestExportResults::open(TQuery &query, const QString &alias, const QString &sql)
{
    query.SetDatabaseName(alias);
    query.SetSQL({sql});
    query.Open();
    query.WaitForEnd();
    QCoreApplication::processEvents();
}

QByteArray TestExportResults::exported(TQuery &query, TResultExport::Format format)
{
    const QString name = m_dir.filePath(format == TResultExport::Format::Csv ? QStringLiteral("out.csv")
                                                                             : QStringLiteral("out.json"));
    TQGExportResults exporter(&query, nullptr);
    if (!exporter.Export(name, format)) {
        qWarning() << exporter.ErrorString();
        return {};
    }
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestExportResults::csvAsTheEngineWritesIt_data()
{
    QTest::addColumn<QString>("alias");
    QTest::newRow("sqlite") << "EXPORT";
    QTest::newRow("postgresql") << "WAREHOUSE";
}

void TestExportResults::csvAsTheEngineWritesIt()
{
    QFETCH(QString, alias);
    TQuery query;
    open(query, alias, kStatement);
    const QByteArray csv = exported(query, TResultExport::Format::Csv);

    // Quotes only where needed, CRLF between the records.
    QVERIFY(csv.startsWith("id,name,note,amount\r\n1,plain,,2.5\r\n2,\"comma, here\",\"say \"\"hi\"\"\",-0.125\r\n"));
    QVERIFY(csv.contains("\r\n3,\"\",\"two\nlines\",\r\n"));
    QVERIFY(csv.contains("\r\n5,,Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac,0.001\r\n"));
    QVERIFY(csv.endsWith("\r\n"));

    QProcess engine;
    if (alias == QLatin1String("EXPORT")) {
        engine.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), QStringLiteral("-header"),
                                                 m_dir.filePath(QStringLiteral("export.sqlite")), kStatement});
    } else {
        const auto env = TestSupport::PgEnv();
        engine.start(QStringLiteral("psql"),
                     {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"), env.value(QStringLiteral("PGHOST")),
                      QStringLiteral("-p"), env.value(QStringLiteral("PGPORT")), QStringLiteral("-U"),
                      env.value(QStringLiteral("PGUSER")), QStringLiteral("-d"), kPgDatabase,
                      QStringLiteral("-c"), QStringLiteral("\\copy (%1) to stdout csv header").arg(kStatement)});
    }
    QVERIFY2(engine.waitForFinished(30000) && engine.exitCode() == 0, engine.readAllStandardError().constData());
    const QByteArray own = engine.readAllStandardOutput();
    QList<QStringList> expected = parseCsv(own);
    QList<QStringList> records = parseCsv(csv);
    if (alias == QLatin1String("EXPORT")) {
        // The shell writes an empty text as it writes NULL.
        for (QList<QStringList> *list : {&expected, &records})
            for (QStringList &record : *list)
                for (QString &field : record)
                    if (field.isEmpty())
                        field = QString();
    }
    QCOMPARE(records.size(), 6);
    QCOMPARE(records, expected);
}

void TestExportResults::jsonValues_data()
{
    csvAsTheEngineWritesIt_data();
}

void TestExportResults::jsonValues()
{
    QFETCH(QString, alias);
    TQuery query;
    open(query, alias, kStatement);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(exported(query, TResultExport::Format::Json), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QJsonArray rows = doc.array();
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows.at(0).toObject().keys(), QStringList({"amount", "id", "name", "note"}));
    const QJsonObject first = rows.at(0).toObject();
    QVERIFY(first.value("id").isDouble());
    QCOMPARE(first.value("id").toInt(), 1);
    QVERIFY(first.value("note").isNull());
    QVERIFY(first.value("amount").isDouble());
    QCOMPARE(first.value("amount").toDouble(), 2.5);
    QCOMPARE(rows.at(1).toObject().value("note").toString(), QStringLiteral("say \"hi\""));
    QCOMPARE(rows.at(2).toObject().value("name").toString(), QString(""));
    QVERIFY(rows.at(2).toObject().value("name").isString());
    QVERIFY(rows.at(2).toObject().value("amount").isNull());
    QCOMPARE(rows.at(3).toObject().value("note").toString(), QStringLiteral("cr\r\nlf"));
    QVERIFY(rows.at(4).toObject().value("name").isNull());
    QCOMPARE(rows.at(4).toObject().value("note").toString(), QStringLiteral("Gr\u00fc\u00dfe \u20ac"));
    QCOMPARE(rows.at(4).toObject().value("amount").toDouble(), 0.001);
}

void TestExportResults::wholeResultWhileReading()
{
    // Started and exported at once: the file gets the rows read later too.
    TQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL({QStringLiteral("SELECT * FROM ledger")});
    query.Start();
    QTRY_VERIFY(query.IsActive());
    const qint64 before = query.RowsRead();
    const QByteArray csv = exported(query, TResultExport::Format::Csv);
    QVERIFY(!query.IsReading());
    QVERIFY(before < query.RowsRead());
    QCOMPARE(csv.count("\r\n"), query.RowsRead() + 1);
    QCOMPARE(query.RowsRead(), 1000000);
}

void TestExportResults::cancelLeavesNoFile()
{
    TQuery query;
    open(query, QStringLiteral("SHOP"), QStringLiteral("SELECT * FROM ledger"));
    QDir dir(m_dir.filePath(QStringLiteral("cancel")));
    QVERIFY(dir.mkpath(QStringLiteral(".")));
    TQGExportResults exporter(&query, nullptr);
    qint64 progressed = 0;
    connect(&exporter, &TQGExportResults::Progressed, &exporter, [&](qint64 rows) {
        progressed = rows;
        exporter.Cancel();
    });
    QVERIFY(!exporter.Export(dir.filePath(QStringLiteral("ledger.csv")), TResultExport::Format::Csv));
    QVERIFY(exporter.WasCancelled());
    QVERIFY(progressed > 0 && progressed < 1000000);
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestExportResults::filterChoosesTheFormat()
{
    const QStringList filters = TQGExportResults::Filters();
    QCOMPARE(filters.size(), 2);
    QCOMPARE(TQGExportResults::FormatOfFilter(filters.at(0)), TResultExport::Format::Csv);
    QCOMPARE(TQGExportResults::FormatOfFilter(filters.at(1)), TResultExport::Format::Json);
}

QTEST_MAIN(TestExportResults)
#include "tst_exportresults_pg.moc"
