// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdbnavigator.h"
#include "tqgdesignlists.h"
#include "tqgengrid.h"
#include "tqgqueryexecution.h"
#include "tqgresultmodel.h"
#include "tqgsqleditor.h"

#include <QFile>
#include <QSqlQuery>
#include <QToolButton>
#include <QtTest>

using namespace DesignFixture;

// The designer on a read replica: the hot standby of the test run's PostgreSQL server. Its
// tables are listed, a Select Query runs and its rows are browsed; an Insert, Update or
// Delete gets the engine's own refusal, and the design stays as it was.
class TestReadReplica : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void listsTheTables();
    void selectBrowsesRows();
    void changesRefused_data();
    void changesRefused();

private:
    std::unique_ptr<TQGQueryForm> openForm();
    void run(TQGQueryForm *form);
    QTemporaryDir m_dir;
};

namespace {

const QString kReplica = QStringLiteral("REPLICA");
const QString kPrimary = QStringLiteral("WAREHOUSE");

qint64 count(const QString &alias, const QString &table)
{
    QSqlQuery q(Sessions().DefaultSession()->OpenDatabase(alias)->Connection());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + QuotedName(table, u'"')) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void TestReadReplica::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const auto env = TestSupport::PgEnv();
    QVERIFY2(!env.value(QStringLiteral("PGSTANDBYPORT")).isEmpty(), "the standby of the PostgreSQL test server is not running");
    QString replica = TestSupport::PgAliasSection(kReplica);
    replica.replace(QStringLiteral("\nPort=%1\n").arg(env.value(QStringLiteral("PGPORT"))),
                    QStringLiteral("\nPort=%1\n").arg(env.value(QStringLiteral("PGSTANDBYPORT"))));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              TestSupport::PgAliasSection(kPrimary) + replica);
    QSqlQuery recovery(Sessions().DefaultSession()->OpenDatabase(kReplica)->Connection());
    QVERIFY(recovery.exec(QStringLiteral("SELECT pg_is_in_recovery()")) && recovery.next());
    QVERIFY2(recovery.value(0).toBool(), "REPLICA is no standby");
}

void TestReadReplica::cleanupTestCase()
{
    Sessions().CloseAll();
}

std::unique_ptr<TQGQueryForm> TestReadReplica::openForm()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm(kReplica);
    form->resize(1000, 700);
    form->show();
    return form;
}

// Executes the editor's text as the query type says and waits until its rows are read.
void TestReadReplica::run(TQGQueryForm *form)
{
    form->Execution()->SpeedButton28Click();
    while (form->Execution()->IsRunning())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
}

void TestReadReplica::listsTheTables()
{
    QStringList primary, replica;
    Sessions().DefaultSession()->ListTableNames(kPrimary, QString(), true, false, primary);
    std::unique_ptr<TQGQueryForm> form = openForm();
    for (int i = 0; i < form->ListView1()->RowCount(); ++i)
        replica << form->ListView1()->Caption(i);
    QVERIFY(replica.contains(QStringLiteral("order items")));
    QVERIFY(replica.contains(QStringLiteral("ledger")));
    QCOMPARE(replica, primary);
}

void TestReadReplica::selectBrowsesRows()
{
    MessageLog log;
    std::unique_ptr<TQGQueryForm> form = openForm();
    TQGCheckListBox *window = form->Canvas()->CreateTableWindow(QStringLiteral("sales"), QRect(10, 10, 121, 180), true);
    QVERIFY(window);
    const QString key = FieldReference(QStringLiteral("sales"), QStringLiteral("SaleNo"), form->Style());
    form->Lists()->AddRow(form->ListView3(), {key, QStringLiteral("Yes")});
    form->DefineQueryType(0);
    run(form.get());
    QVERIFY2(log.messages.isEmpty(), qPrintable(log.last()));
    QVERIFY(!form->Panel9()->isHidden());
    const qint64 rows = count(kPrimary, QStringLiteral("sales"));
    QVERIFY(rows > 1);
    TQGResultModel *model = form->Execution()->ResultModel();
    QCOMPARE(model->rowCount(), rows);
    // The last row, then the first again, as the primary has them.
    QSqlQuery primary(Sessions().DefaultSession()->OpenDatabase(kPrimary)->Connection());
    QVERIFY(primary.exec(QStringLiteral("SELECT MIN(\"SaleNo\"), MAX(\"SaleNo\") FROM sales")) && primary.next());
    auto *navigator = form->findChild<TQGDBNavigator *>(QStringLiteral("DBNavigator1"));
    QVERIFY(navigator);
    const int column = window->Fields().indexOf(QStringLiteral("SaleNo"));
    QVERIFY(column >= 0);
    navigator->Last();
    QCOMPARE(form->Grid()->CurrentRow(), rows - 1);
    QCOMPARE(model->index(int(rows - 1), column).data().toLongLong(), primary.value(1).toLongLong());
    navigator->First();
    QCOMPARE(form->Grid()->CurrentRow(), 0);
    QCOMPARE(model->index(0, column).data().toLongLong(), primary.value(0).toLongLong());
}

void TestReadReplica::changesRefused_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("verb");
    QTest::newRow("Insert") << 1 << "INSERT";
    QTest::newRow("Update") << 2 << "UPDATE";
    QTest::newRow("Delete") << 3 << "DELETE";
}

// The engine refuses the change with its own message; the design, the text and the rows
// stay as they were.
void TestReadReplica::changesRefused()
{
    QFETCH(int, type);
    QFETCH(QString, verb);
    MessageLog log;
    std::unique_ptr<TQGQueryForm> form = openForm();
    QVERIFY(form->Canvas()->CreateTableWindow(QStringLiteral("clients"), QRect(10, 10, 121, 180), true));
    form->Lists()->AddRow(form->ListView5(), {QStringLiteral("ClientNo"), QStringLiteral("9901")});
    form->Lists()->AddRow(form->ListView5(), {QStringLiteral("Contact"), QStringLiteral("'replica'")});
    form->AddConditionRow(FieldReference(QStringLiteral("clients"), QStringLiteral("ClientNo"), form->Style()),
                          QStringLiteral("= (Equals)"), QStringLiteral("1"));
    form->DefineQueryType(type);
    const QString statement = form->Memo1()->toPlainText();
    QVERIFY2(statement.startsWith(verb), qPrintable(statement));
    const QString before = m_dir.filePath(QStringLiteral("before.vdq")), after = m_dir.filePath(QStringLiteral("after.vdq"));
    form->SaveQueryDefinition(before);
    const qint64 rows = count(kReplica, QStringLiteral("clients"));

    run(form.get());
    QCOMPARE(log.messages.size(), 1);
    QCOMPARE(log.messages.first().first, VdqMessages::Kind::Error);
    const QString refusal = QStringLiteral("cannot execute %1 in a read-only transaction").arg(verb);
    QVERIFY2(log.last().contains(refusal), qPrintable(log.last()));

    QCOMPARE(int(form->GetQueryType()), type);
    QVERIFY(form->QueryTypeButton(type)->isChecked());
    QCOMPARE(form->Memo1()->toPlainText(), statement);
    QCOMPARE(form->TableCount(), 1);
    form->SaveQueryDefinition(after);
    QCOMPARE(fileBytes(after), fileBytes(before));
    QCOMPARE(count(kReplica, QStringLiteral("clients")), rows);
    QCOMPARE(count(kPrimary, QStringLiteral("clients")), rows);
}

QTEST_MAIN(TestReadReplica)
#include "tst_readreplica.moc"
