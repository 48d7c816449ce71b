// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "querydefinition.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignlists.h"
#include "tqgsqleditor.h"

#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

using namespace DesignFixture;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// vdqsql without a display and without the test's alias environment unless given.
Run vdqsql(const QStringList &args, const QString &aliasesEnv = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (aliasesEnv.isEmpty())
        env.remove(QStringLiteral("VDQ_ALIASES"));
    else
        env.insert(QStringLiteral("VDQ_ALIASES"), aliasesEnv);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VDQSQL), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TestVdqsql : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameStatementAsTheDesigner_data();
    void sameStatementAsTheDesigner();
    void databaseOverride();
    void joinsTotalsDistinctLimit();
    void aliasesFromEnvironment();
    void help();
    void errors_data();
    void errors();

private:
    QString makeDesign(QueryType type, const QString &name);
    QTemporaryDir m_dir;
    QString m_aliases;
    QMap<QString, QString> m_designerText;
};

void TestVdqsql::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm", "Cust No"}}, {"sales", {"SaleNo", "ClientNo"}}}));
    m_aliases = m_dir.filePath("aliases.ini");
    // A second database with the same tables under another alias.
    QFile::copy(m_dir.filePath("shop.sqlite"), m_dir.filePath("copy.sqlite"));
    TestSupport::UseAliasFile(m_aliases, QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n\n"
                                                       "[COPY]\nDriver=STANDARD\nPath=copy.sqlite\n"));
}

QString TestVdqsql::makeDesign(QueryType type, const QString &name)
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    TQGCanvasCommands *canvas = form->Canvas();
    TQGCheckListBox *clients = canvas->CreateTableWindow("clients", QRect(10, 10, 121, 180), true);
    form->Canvas()->SetFieldTicked(clients, 1, false);
    if (type == QueryType::Select) {
        TQGCheckListBox *sales = canvas->CreateTableWindow("sales", QRect(300, 10, 121, 180), true);
        canvas->CreateLink(sales, clients, "x");
        form->AddConditionRow("sales.\"ClientNo\"", "=", "clients.\"ClientNo\"");
        form->Lists()->AddRow(form->ListView3(), {"clients.\"Firm\"", "No"});
    } else {
        form->Lists()->AddRow(form->ListView5(), {"Firm", "'North'"});
        form->Lists()->AddRow(form->ListView5(), {"Cust No", ":Cust_No"});
        form->AddConditionRow("clients.\"ClientNo\"", "= (Equals)", "7");
    }
    form->DefineQueryType(int(type));
    const QString file = m_dir.filePath(name);
    form->SaveQueryDefinition(file);
    m_designerText[name] = form->Memo1()->toPlainText();
    return file;
}

void TestVdqsql::sameStatementAsTheDesigner_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("select") << int(QueryType::Select);
    QTest::newRow("insert") << int(QueryType::Insert);
    QTest::newRow("update") << int(QueryType::Update);
    QTest::newRow("delete") << int(QueryType::Delete);
}

void TestVdqsql::sameStatementAsTheDesigner()
{
    QFETCH(int, type);
    const QString name = QStringLiteral("d%1.vdq").arg(type);
    const QString file = makeDesign(QueryType(type), name);
    // The designer that opens the file holds the same statement as the one that saved it.
    std::unique_ptr<TQGQueryForm> reopened = OpenForm();
    reopened->LoadQueryDefinition(file);
    QCOMPARE(reopened->Memo1()->toPlainText(), m_designerText.value(name));
    const Run run = vdqsql({QStringLiteral("--aliases"), m_aliases, file});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QByteArray expected;
    for (const QString &line : reopened->Memo1()->Lines())
        expected += line.toUtf8() + '\n';
    QVERIFY(!expected.isEmpty());
    QCOMPARE(run.out, expected);
}

void TestVdqsql::databaseOverride()
{
    const QString file = makeDesign(QueryType::Select, QStringLiteral("override.vdq"));
    const Run run = vdqsql({QStringLiteral("--database"), QStringLiteral("COPY"), QStringLiteral("--aliases"), m_aliases, file});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith("SELECT clients.\"ClientNo\", clients.\"Cust No\", sales.* FROM\n"));
}

// A file with an outer join, totals, HAVING, DISTINCT and a limit gives the statement with all of them.
void TestVdqsql::joinsTotalsDistinctLimit()
{
    QueryDefinition def;
    def.sessionName = QStringLiteral("Default");
    def.database = QStringLiteral("SHOP");
    def.distinct = true;
    def.limit = 5;
    StoredTable clients;
    clients.name = QStringLiteral("clients");
    clients.items = {{"ClientNo", false}, {"Firm", true}, {"Cust No", false}};
    clients.totals = {"", "GROUP", ""};
    StoredTable sales;
    sales.name = QStringLiteral("sales");
    sales.items = {{"SaleNo", true}, {"ClientNo", false}};
    sales.totals = {"COUNT", ""};
    def.tables = {clients, sales};
    const QString join = QStringLiteral("clients.\"ClientNo\" = sales.\"ClientNo\"");
    def.links = {StoredLink{"clients", "sales", join, QString(), QStringLiteral("LEFT")}};
    def.conditions.rows = {{"clients.\"ClientNo\"", "=", "sales.\"ClientNo\"", "AND"},
                           {"COUNT(sales.\"SaleNo\")", ">= (Greater Than or Equal)", "0", "AND"}};
    def.sorting.rows = {{"COUNT(sales.\"SaleNo\")", "No"}};
    const QString file = m_dir.filePath(QStringLiteral("extended.vdq"));
    SaveQueryDefinitionFile(file, def);
    const Run run = vdqsql({QStringLiteral("--aliases"), m_aliases, file});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("SELECT DISTINCT clients.\"Firm\", COUNT(sales.\"SaleNo\") FROM\nclients clients\n"
                                 "LEFT JOIN sales sales ON clients.\"ClientNo\" = sales.\"ClientNo\"\nGROUP BY \n"
                                 " clients.\"Firm\"\nHAVING \n COUNT(sales.\"SaleNo\") >= 0 \nORDER BY \n"
                                 " COUNT(sales.\"SaleNo\") DESC\nLIMIT 5\n"));
}

void TestVdqsql::aliasesFromEnvironment()
{
    const QString file = makeDesign(QueryType::Delete, QStringLiteral("env.vdq"));
    const Run run = vdqsql({file}, m_aliases);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("DELETE FROM \nclients AS clients\nWHERE \n clients.\"ClientNo\" = 7 \n"));
}

void TestVdqsql::help()
{
    // Asked for, the usage is an answer: standard output, status 0, whatever else is given.
    for (const QStringList &args : {QStringList{"--help"}, QStringList{"-h", "--to-design"}}) {
        const Run run = vdqsql(args, m_aliases);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith("usage: vdqsql"), run.out.constData());
    }
}

void TestVdqsql::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no design") << QStringList() << "usage: vdqsql";
    QTest::newRow("missing file") << QStringList({"--aliases", "ALIASES", "nowhere.vdq"}) << "Cannot open file nowhere.vdq";
    QTest::newRow("unknown alias") << QStringList({"--aliases", "ALIASES", "--database", "NOSUCH", "DESIGN"}) << "NOSUCH";
    QTest::newRow("not a definition") << QStringList({"--aliases", "ALIASES", "BINARY"}) << "BINARY";
    QTest::newRow("unknown option") << QStringList({"--frobnicate", "DESIGN"}) << "unknown argument --frobnicate";
    QTest::newRow("design from SQL without a database") << QStringList({"--to-design", "--aliases", "ALIASES", "DESIGN"})
                                                        << "--to-design needs --database ALIAS";
    QTest::newRow("design from a missing SQL file") << QStringList({"--to-design", "--aliases", "ALIASES", "--database", "SHOP", "nowhere.sql"})
                                                    << "Cannot open file nowhere.sql";
    QTest::newRow("option without value") << QStringList({"DESIGN", "--database"}) << "--database needs a value";
    // Special files are refused before anything waits on them or reads without end.
    QTest::newRow("aliases from a FIFO") << QStringList({"--aliases", "FIFO", "DESIGN"})
                                         << "Cannot read the alias file FIFO: Not a regular file";
    QTest::newRow("aliases from /dev/zero") << QStringList({"--aliases", "/dev/zero", "DESIGN"})
                                            << "Cannot read the alias file /dev/zero: Not a regular file";
    QTest::newRow("design from a FIFO") << QStringList({"--aliases", "ALIASES", "FIFO"})
                                        << "Cannot open file FIFO: Not a regular file";
    QTest::newRow("design linked to /dev/zero") << QStringList({"--aliases", "ALIASES", "ZEROLINK"})
                                                << "Cannot open file ZEROLINK: Not a regular file";
    // Control characters from a file never reach the terminal as they are.
    QTest::newRow("escapes in a name") << QStringList({"--aliases", "ALIASES", "ESCAPES"})
                                       << "Unknown session name \\x1b]2;pwned\\x07\\x1b[2J\\x9b";
}

void TestVdqsql::errors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const QString design = makeDesign(QueryType::Select, QStringLiteral("ok.vdq"));
    QFile binary(m_dir.filePath("binary.vdq"));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("\0\1\2\3garbage", 11));
    binary.close();
    const QString fifo = m_dir.filePath("pipe.vdq");
    if (!QFileInfo::exists(fifo))
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zeroLink = m_dir.filePath("zero.vdq");
    if (!QFileInfo::exists(zeroLink))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zeroLink));
    QFile escapes(m_dir.filePath("escapes.vdq"));
    QVERIFY(escapes.open(QIODevice::WriteOnly));
    escapes.write("[Session]\r\nSessionName=\x1b]2;pwned\x07\x1b[2J\xc2\x9b\r\nDatabase=SHOP\r\n");
    escapes.close();
    const QMap<QString, QString> placeholders = {{"ALIASES", m_aliases}, {"DESIGN", design},
                                                 {"BINARY", binary.fileName()}, {"FIFO", fifo},
                                                 {"ZEROLINK", zeroLink}, {"ESCAPES", escapes.fileName()}};
    for (QString &a : args)
        a = placeholders.value(a, a);
    for (auto p = placeholders.cbegin(); p != placeholders.cend(); ++p)
        message.replace(p.key(), p.value());
    const Run run = vdqsql(args);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    for (const char control : {'\x1b', '\x07'})
        QVERIFY(!run.err.contains(control));
    QVERIFY(!run.err.contains("\xc2\x9b"));
}

QTEST_MAIN(TestVdqsql)
#include "tst_vdqsql.moc"
