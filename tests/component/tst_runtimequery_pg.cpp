// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgsqleditor.h"
#include "tvdruntimequery.h"
#include "tvdruntimequery_p.h"

#include <QtTest>

// The component against the test run's PostgreSQL server: an SQL-server database leaves
// identifiers unquoted.
class TestRunTimeQueryPg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void serverDatabaseDoesNotQuote();

private:
    QTemporaryDir m_dir;
};

void TestRunTimeQueryPg::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL test server is not running");
    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"), TestSupport::PgAliasSection(QStringLiteral("WAREHOUSE")));
}

void TestRunTimeQueryPg::serverDatabaseDoesNotQuote()
{
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("WAREHOUSE"));
    bool quote = true;
    int tables = -1;
    SqlDialect dialect = SqlDialect::SQLite;
    QString status;
    SetShowHook(query, [&](QWidget *w) {
        if (auto *designer = qobject_cast<TQGQueryForm *>(w)) {
            quote = designer->QuoteIdentifiers();
            dialect = designer->Dialect();
            tables = designer->ListView1()->RowCount();
            status = designer->StatusText(1);
            QTimer::singleShot(0, designer, [designer] { designer->SpeedButton31Click(); });
        }
    });
    query.Execute();
    QVERIFY(!quote);
    QCOMPARE(dialect, SqlDialect::PostgreSQL);
    QVERIFY(tables >= 5);
    QCOMPARE(status, QStringLiteral("Database: WAREHOUSE"));
}

QTEST_MAIN(TestRunTimeQueryPg)
#include "tst_runtimequery_pg.moc"
