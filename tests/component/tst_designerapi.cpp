// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"
#include "vdqdesignerwidget.h"
#include "vdqquerydesigner.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

// The designer as a host program uses it: on the host's own connection to each engine, as a
// widget of the host's window and as a window of its own.
class TestDesignerApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostConnection_data();
    void hostConnection();
    void refusedDesign_data();
    void refusedDesign();
    void windowResult_data();
    void windowResult();

private:
    QTemporaryDir m_dir;
};

namespace {

// A design of one table with its first field ticked, as a host would write it.
QJsonObject oneTableDesign(const QString &table, const QStringList &fields)
{
    QJsonArray list;
    for (const QString &f : fields)
        list.append(QJsonObject{{QStringLiteral("name"), f}, {QStringLiteral("ticked"), list.isEmpty()}});
    const QJsonObject t{{QStringLiteral("id"), 1}, {QStringLiteral("name"), table}, {QStringLiteral("fields"), list},
                        {QStringLiteral("width"), 120}, {QStringLiteral("height"), 120}};
    return QJsonObject{{QStringLiteral("tables"), QJsonArray{t}}};
}

QSqlDatabase openHostConnection(const QString &engine, const QString &dir)
{
    const QString name = QStringLiteral("host-") + engine;
    if (engine == QLatin1String("memory") || engine == QLatin1String("file")) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        if (engine == QLatin1String("file")) {
            const QString path = dir + QStringLiteral("/host.sqlite");
            TestSupport::MakeSampleSqlite(path);
            db.setDatabaseName(path);
            db.open();
        } else {
            db.setDatabaseName(QStringLiteral(":memory:"));
            QString error;
            if (db.open())
                TestSupport::RunStatements(db, {QStringLiteral("CREATE TABLE clients (id INTEGER, name TEXT)"),
                                                QStringLiteral("INSERT INTO clients VALUES (1, 'Ann'), (2, 'Bo')"),
                                                QStringLiteral("CREATE TABLE ledger (entry INTEGER)")},
                                           &error);
        }
        return db;
    }
    if (engine == QLatin1String("postgresql"))
        return TestSupport::OpenPgConnection(name);
    return TestSupport::OpenMariaDbConnection(name);
}

int rowCount(QSqlQuery &q)
{
    int n = 0;
    while (q.next())
        ++n;
    return n;
}

} // namespace

void TestDesignerApi::initTestCase()
{
    QVERIFY(m_dir.isValid());
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")), QString());
}

void TestDesignerApi::hostConnection_data()
{
    QTest::addColumn<QString>("engine");
    for (const char *engine : {"memory", "file", "postgresql", "mariadb"})
        QTest::newRow(engine) << QString::fromLatin1(engine);
}

// The table list offers what the host's filter lets through, the design's statement comes by
// signal and gives on the host's connection the rows of the same hand-written statement, and
// the connection is still the host's, open, after the designer is gone.
void TestDesignerApi::hostConnection()
{
    QFETCH(QString, engine);
    QSqlDatabase db = openHostConnection(engine, m_dir.path());
    QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
    const QStringList fields = [&] {
        QStringList names;
        const QSqlRecord record = db.record(QStringLiteral("clients"));
        for (int i = 0; i < record.count(); ++i)
            names.append(record.fieldName(i));
        return names;
    }();
    QVERIFY(!fields.isEmpty());
    {
        VdqDesignerWidget designer;
        designer.setTableFilter([](const QString &table) { return table != QLatin1String("ledger"); });
        QSignalSpy sql(&designer, &VdqDesignerWidget::sqlChanged);
        QVERIFY2(designer.setDatabase(db, QStringLiteral("Mine")), qPrintable(designer.errorString()));
        auto *list = designer.findChild<TQGTableList *>(QStringLiteral("ListView1"));
        QVERIFY(list);
        QVERIFY2(list->Captions().contains(QLatin1String("clients")), qPrintable(list->Captions().join(u',')));
        QVERIFY(!list->Captions().contains(QLatin1String("ledger")));
        QVERIFY2(designer.setDesign(oneTableDesign(QStringLiteral("clients"), fields)), qPrintable(designer.errorString()));
        QVERIFY(!sql.isEmpty());
        const QString statement = sql.last().first().toString();
        QCOMPARE(statement, designer.sql());
        QSqlQuery designed(db), written(db);
        QVERIFY2(designed.exec(statement), qPrintable(statement + designed.lastError().text()));
        const QString field = db.driver()->escapeIdentifier(fields.first(), QSqlDriver::FieldName);
        QVERIFY2(written.exec(QStringLiteral("SELECT %1 FROM clients").arg(field)), qPrintable(written.lastError().text()));
        QCOMPARE(rowCount(designed), rowCount(written));
        QCOMPARE(designer.design().value(QLatin1String("tables")).toArray().size(), 1);
    }
    QVERIFY(QSqlDatabase::contains(db.connectionName()));
    QVERIFY(db.isOpen());
    QSqlQuery still(db);
    QVERIFY(still.exec(QStringLiteral("SELECT 1")) && still.next());
}

void TestDesignerApi::refusedDesign_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QJsonValue>("value");
    const QJsonObject table{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("clients")}};
    QTest::newRow("query type") << "queryType" << QJsonValue(QStringLiteral("truncate"));
    QTest::newRow("negative limit") << "limit" << QJsonValue(-1);
    QTest::newRow("fractional offset") << "offset" << QJsonValue(1.5);
    QTest::newRow("table without name") << "tables" << QJsonValue(QJsonArray{QJsonObject{{QStringLiteral("id"), 1}}});
    QTest::newRow("same alias twice") << "tables"
                                      << QJsonValue(QJsonArray{table, QJsonObject{{QStringLiteral("id"), 2},
                                                                                  {QStringLiteral("name"), QStringLiteral("CLIENTS")}}});
    QTest::newRow("link to no table") << "links"
                                      << QJsonValue(QJsonArray{QJsonObject{{QStringLiteral("id"), 5}, {QStringLiteral("from"), 1},
                                                                           {QStringLiteral("to"), 9}}});
    QTest::newRow("condition row too wide") << "conditions" << QJsonValue(QJsonArray{QJsonArray{"a", "=", "1", "AND", "(", ")", "x"}});
    QTest::newRow("unknown total") << "tables"
                                   << QJsonValue(QJsonArray{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("t")},
                                                                        {QStringLiteral("fields"), QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("f")}, {QStringLiteral("total"), QStringLiteral("median")}}}}}});
}

// Data that does not describe a design is refused with a message naming the member, and the
// design stays as it was.
void TestDesignerApi::refusedDesign()
{
    QFETCH(QString, member);
    QFETCH(QJsonValue, value);
    QSqlDatabase db = openHostConnection(QStringLiteral("memory"), m_dir.path());
    VdqDesignerWidget designer;
    QVERIFY(designer.setDatabase(db));
    QVERIFY(designer.setDesign(oneTableDesign(QStringLiteral("clients"), {QStringLiteral("id"), QStringLiteral("name")})));
    const QJsonObject before = designer.design();
    QJsonObject bad = oneTableDesign(QStringLiteral("clients"), {QStringLiteral("id")});
    bad.insert(member, value);
    QSignalSpy errors(&designer, &VdqDesignerWidget::errorOccurred);
    QVERIFY(!designer.setDesign(bad));
    QVERIFY2(designer.errorString().contains(member), qPrintable(designer.errorString()));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(designer.design(), before);
}

void TestDesignerApi::windowResult_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("sqlReplaced");
    QTest::newRow("Save and Exit") << "SpeedButton30" << int(QDialog::Accepted) << true;
    QTest::newRow("Exit without Saving") << "SpeedButton31" << int(QDialog::Rejected) << false;
}

// open() returns at once; the window's end comes by finished(), and only "Save and Exit"
// replaces the statement.
void TestDesignerApi::windowResult()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(bool, sqlReplaced);
    QSqlDatabase db = openHostConnection(QStringLiteral("memory"), m_dir.path());
    VdqQueryDesigner designer;
    designer.setDatabase(db);
    designer.setSql(QStringLiteral("SELECT 1"));
    QVERIFY2(designer.open(), qPrintable(designer.errorString()));
    auto *form = qobject_cast<TQGQueryForm *>(designer.window());
    QVERIFY(form && form->isVisible());
    QVERIFY(!designer.open());  // one window at a time
    QSignalSpy finished(&designer, &VdqQueryDesigner::finished);
    QSignalSpy sql(&designer, &VdqQueryDesigner::sqlChanged);
    form->Memo1()->setPlainText(QStringLiteral("SELECT 2"));
    form->findChild<QToolButton *>(button)->click();
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), result);
    QCOMPARE(designer.sql(), sqlReplaced ? QStringLiteral("SELECT 2") : QStringLiteral("SELECT 1"));
    QCOMPARE(sql.size(), sqlReplaced ? 1 : 0);
    QTRY_VERIFY(!designer.window());
}

QTEST_MAIN(TestDesignerApi)
#include "tst_designerapi.moc"
