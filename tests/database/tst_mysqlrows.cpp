// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "spooledrows.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tquerymysql_p.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QtTest>

using namespace TQueryReading;

// MariaDB's rows read through the client library's unbuffered result spool the very bytes
// that Qt's driver's own values would: every column type the driver tells apart, nulls, the
// memo judgement, the precision policies, an empty result.
class TestMysqlRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void sameAsDriver_data();
    void sameAsDriver();
};

namespace {

const QString kConnection = QStringLiteral("mysqlrows");

// The statement's rows through the driver's values, or through the client library.
Spooled read(const QString &sql, QSql::NumericalPrecisionPolicy precision, bool direct)
{
    QSqlDatabase db = QSqlDatabase::database(kConnection);
    db.setNumericalPrecisionPolicy(precision);
    if (direct) {
        std::unique_ptr<MysqlRows> rows = MysqlRows::run(db, sql);
        if (!rows)
            return Spooled{{}, 0, QStringLiteral("no client library"), {}};
        return SpoolDirectRows(*rows, int(rows->fields().size()));
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return Spooled{{}, 0, TDatabase::ErrorText(q.lastError()), {}};
    return SpoolDriverRows(q);
}

} // namespace

void TestMysqlRows::initTestCase()
{
    const auto env = TestSupport::MariaDbEnv();
    QVERIFY2(!env.isEmpty(), "the MariaDB server of the test run is not running (fixture mariadb)");
    QSqlDatabase db = TestSupport::OpenMariaDbConnection(kConnection);
    QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
}

void TestMysqlRows::cleanupTestCase()
{
    QSqlDatabase::database(kConnection).close();
    QSqlDatabase::removeDatabase(kConnection);
}

void TestMysqlRows::sameAsDriver_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<qint64>("rows");
    const QList<QPair<QString, QString>> values{
        {QStringLiteral("TINYINT"), QStringLiteral("-128")},
        {QStringLiteral("TINYINT UNSIGNED"), QStringLiteral("255")},
        {QStringLiteral("SMALLINT"), QStringLiteral("-32768")},
        {QStringLiteral("MEDIUMINT UNSIGNED"), QStringLiteral("16777215")},
        {QStringLiteral("INT"), QStringLiteral("-2147483648")},
        {QStringLiteral("INT UNSIGNED"), QStringLiteral("4294967295")},
        {QStringLiteral("BIGINT"), QStringLiteral("-9223372036854775808")},
        {QStringLiteral("BIGINT UNSIGNED"), QStringLiteral("18446744073709551615")},
        {QStringLiteral("BIGINT UNSIGNED"), QStringLiteral("0")},
        {QStringLiteral("BIT(5)"), QStringLiteral("b'10101'")},
        {QStringLiteral("BIT(64)"), QStringLiteral("b'1000000000000000000000000000000000000000000000000000000000000001'")},
        {QStringLiteral("YEAR"), QStringLiteral("2024")},
        {QStringLiteral("FLOAT"), QStringLiteral("1.5")},
        {QStringLiteral("DOUBLE"), QStringLiteral("1e-300")},
        {QStringLiteral("DECIMAL(22,4)"), QStringLiteral("-12345678901234567.1234")},
        {QStringLiteral("DATE"), QStringLiteral("'2024-02-29'")},
        {QStringLiteral("TIME(3)"), QStringLiteral("'-838:59:58.5'")},
        {QStringLiteral("DATETIME(3)"), QStringLiteral("'2024-02-29 13:45:06.250'")},
        {QStringLiteral("TIMESTAMP"), QStringLiteral("'2024-02-29 13:45:06'")},
        {QStringLiteral("CHAR(5)"), QStringLiteral("'ab'")},
        {QStringLiteral("VARCHAR(20)"), QStringLiteral("'caf\u00e9 \u65e5\u672c'")},
        {QStringLiteral("VARCHAR(20)"), QStringLiteral("''")},
        {QStringLiteral("TEXT"), QStringLiteral("'first\\nsecond'")},
        {QStringLiteral("TEXT"), QStringLiteral("'Zo\u00eb\\nline'")},
        {QStringLiteral("VARCHAR(20) CHARACTER SET latin1"), QStringLiteral("'na\u00efve'")},
        {QStringLiteral("ENUM('a','b')"), QStringLiteral("'b'")},
        {QStringLiteral("SET('a','b')"), QStringLiteral("'a,b'")},
        {QStringLiteral("JSON"), QStringLiteral("'{\"a\": [1, 2]}'")},
        {QStringLiteral("VARBINARY(10)"), QStringLiteral("x'00ff805c0a00'")},
        {QStringLiteral("MEDIUMBLOB"), QStringLiteral("REPEAT(x'00ff9c', 30000)")},
        {QStringLiteral("TINYBLOB"), QStringLiteral("x''")},
    };
    for (const auto &[type, value] : values)
        QTest::newRow(qPrintable(type + u' ' + value.left(24))) << type << value << int(QSql::HighPrecision) << qint64(4);
    for (const auto policy : {QSql::LowPrecisionDouble, QSql::LowPrecisionInt64, QSql::LowPrecisionInt32}) {
        for (const QString &type : {QStringLiteral("DECIMAL(10,2)"), QStringLiteral("DOUBLE")})
            QTest::newRow(qPrintable(QStringLiteral("%1 policy %2").arg(type).arg(int(policy))))
                << type << QStringLiteral("-7.75") << int(policy) << qint64(4);
    }
    QTest::newRow("empty") << QStringLiteral("INT") << QString() << int(QSql::HighPrecision) << qint64(0);
}

void TestMysqlRows::sameAsDriver()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(int, precision);
    QFETCH(qint64, rows);
    // Four rows of the value, the third null (none without a value); a table of the
    // connection's own.
    QString error;
    QStringList setUp{QStringLiteral("DROP TEMPORARY TABLE IF EXISTS vals"),
                      QStringLiteral("CREATE TEMPORARY TABLE vals (id INT PRIMARY KEY, v %1)").arg(type)};
    if (!value.isEmpty())
        setUp << QStringLiteral("INSERT INTO vals VALUES (1, %1), (2, %1), (3, NULL), (4, %1)").arg(value);
    QVERIFY2(TestSupport::RunStatements(QSqlDatabase::database(kConnection), setUp, &error), qPrintable(error));
    const QString sql = QStringLiteral("SELECT v, id FROM vals ORDER BY id");
    const auto policy = QSql::NumericalPrecisionPolicy(precision);
    CompareSpooled(read(sql, policy, false), read(sql, policy, true), rows, false);
}

QTEST_GUILESS_MAIN(TestMysqlRows)
#include "tst_mysqlrows.moc"
