#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignlists.h"
#include "tqgsqleditor.h"
#include "valuetext.h"
#include "naming.h"

#include <QSqlError>
#include <QTreeWidget>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace DesignFixture;

// Every statement the designer generates from the sample database runs, on SQLite and on
// PostgreSQL: each table alone in the four query types, and every pair of tables joined in
// a SELECT. Each statement runs inside a transaction that is rolled back.
class TestStatementsRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void statements_data();
    void statements();

private:
    QTemporaryDir m_dir;
};

namespace {

const QStringList SampleTables = {"clients", "products", "sales", "order items", "2003sales", "ledger"};

// The field whose value a copied row must change to stay unique (the key, or its free part).
QString keyField(const QString &table)
{
    static const QMap<QString, QString> keys = {{"clients", "ClientNo"}, {"products", "ProductNo"},
                                                {"sales", "SaleNo"}, {"order items", "ItemNo"},
                                                {"ledger", "EntryNo"}};
    return keys.value(table);
}

// One row of the table as SQL literals, the key moved out of the way.
QList<QPair<QString, QString>> literalRow(const QSqlDatabase &db, const QString &table, SqlDialect dialect)
{
    QList<QPair<QString, QString>> row;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT * FROM %1").arg(SqlTableName(table, dialect))) || !q.next())
        return row;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        const QVariant v = rec.value(i);
        QString text;
        if (rec.fieldName(i) == keyField(table))
            text = QString::number(v.toLongLong() + 1000000);
        else if (v.isNull() || v.typeId() == QMetaType::QByteArray)
            text = QStringLiteral("NULL");
        else
            text = StringValueText(v.toString());
        row << qMakePair(rec.fieldName(i), text);
    }
    return row;
}

} // namespace

void TestStatementsRun::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QString error;
    const QString sqlite = m_dir.filePath("shop.sqlite");
    QVERIFY2(TestSupport::MakeSampleSqlite(sqlite, &error), qPrintable(error));
    QVERIFY2(!TestSupport::PgEnv().isEmpty(), "the PostgreSQL test server is not running");
    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"),
                              QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=%1\n\n").arg(sqlite)
                                  + TestSupport::PgAliasSection(QStringLiteral("WAREHOUSE")));
}

void TestStatementsRun::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestStatementsRun::statements_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<int>("type");
    for (const QString alias : {QStringLiteral("SHOP"), QStringLiteral("WAREHOUSE")}) {
        for (const QString &t : SampleTables) {
            for (int type = 0; type < 4; ++type)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2 type %3").arg(alias, t).arg(type)))
                    << alias << QStringList{t} << type;
        }
        for (int i = 0; i < SampleTables.size(); ++i) {
            for (int j = i + 1; j < SampleTables.size(); ++j)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2 + %3").arg(alias, SampleTables[i], SampleTables[j])))
                    << alias << QStringList{SampleTables[i], SampleTables[j]} << 0;
        }
    }
}

void TestStatementsRun::statements()
{
    QFETCH(QString, alias);
    QFETCH(QStringList, tables);
    QFETCH(int, type);
    std::unique_ptr<TQGQueryForm> form = OpenForm(alias);
    QSqlDatabase db = Sessions().DefaultSession()->FindOpenDatabase(alias)->Connection();
    const IdentifierStyle style = form->Style();
    TQGCanvasCommands *canvas = form->Canvas();
    QList<TQGCheckListBox *> windows;
    for (const QString &t : tables)
        windows << canvas->CreateTableWindow(t, QRect(10 + 200 * windows.size(), 10, 121, 180), true);
    TQGCheckListBox *first = windows.first();
    const QString firstField = first->Fields().first();
    const QString key = FieldReference(first->Caption(), firstField, style);
    if (type == 0) {
        if (first->count() > 1)
            first->SetChecked(first->count() - 1, false);
        if (windows.size() == 2) {
            // Join on a field both tables have, as a user would draw it.
            for (const QString &f : first->Fields()) {
                if (windows[1]->Fields().contains(f)) {
                    form->AddConditionRow(key.left(key.indexOf(u'.') + 1) + QuoteIdentifier(f, style), "=",
                                          FieldReference(windows[1]->Caption(), f, style));
                    break;
                }
            }
        }
        form->AddConditionRow(key, "IS NOT NULL", QString());
        TQGDesignLists::AppendRow(form->ListView3(), {key, "No"});
    } else {
        QList<QPair<QString, QString>> row = literalRow(db, first->Caption(), form->Dialect());
        if (row.isEmpty())  // an empty table (the big one in a small sample): its key alone
            row << qMakePair(keyField(first->Caption()), QStringLiteral("1000000"));
        for (const auto &[field, value] : row) {
            if (type == 1 || field != firstField)
                TQGDesignLists::AppendRow(form->ListView5(), {field, value});
        }
        if (type != 1)
            form->AddConditionRow(key, "= (Equals)", QStringLiteral("-1"));
        if (type == 2 && form->ListView5()->topLevelItemCount() == 0)
            TQGDesignLists::AppendRow(form->ListView5(), {first->Fields().last(), "NULL"});
    }
    form->DefineQueryType(type);
    const QString statement = form->Memo1()->toPlainText();
    QVERIFY(!statement.isEmpty());
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok = false;
    if (type == 0 && alias == QLatin1String("WAREHOUSE")) {
        // A cursor runs the SELECT on the server without bringing a cross join of the big
        // table to the client.
        ok = q.exec(QStringLiteral("DECLARE vdq_run CURSOR FOR ") + statement)
             && q.exec(QStringLiteral("FETCH 1 FROM vdq_run"));
    } else {
        ok = q.exec(statement);
        if (ok && type == 0)
            q.next();
    }
    const QString error = q.lastError().text();
    q.finish();
    db.rollback();
    QVERIFY2(ok, qPrintable(statement + QStringLiteral("\n-> ") + error));
}

QTEST_MAIN(TestStatementsRun)
#include "tst_statementsrun.moc"
