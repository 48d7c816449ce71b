#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignlists.h"
#include "tqgsqleditor.h"

#include <QProcess>
#include <QtTest>

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
    void aliasesFromEnvironment();
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
    clients->SetChecked(1, false);
    if (type == QueryType::Select) {
        TQGCheckListBox *sales = canvas->CreateTableWindow("sales", QRect(300, 10, 121, 180), true);
        canvas->CreateLink(sales, clients, "x");
        form->AddConditionRow("sales.\"ClientNo\"", "=", "clients.\"ClientNo\"");
        TQGDesignLists::AppendRow(form->ListView3(), {"clients.\"Firm\"", "No"});
    } else {
        TQGDesignLists::AppendRow(form->ListView5(), {"Firm", "'North'"});
        TQGDesignLists::AppendRow(form->ListView5(), {"Cust No", ":Cust_No"});
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

void TestVdqsql::aliasesFromEnvironment()
{
    const QString file = makeDesign(QueryType::Delete, QStringLiteral("env.vdq"));
    const Run run = vdqsql({file}, m_aliases);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("DELETE FROM \nclients AS clients\nWHERE \n clients.\"ClientNo\" = 7 \n"));
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
    QTest::newRow("option without value") << QStringList({"DESIGN", "--database"}) << "--database needs a value";
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
    for (QString &a : args) {
        if (a == QLatin1String("ALIASES"))
            a = m_aliases;
        else if (a == QLatin1String("DESIGN"))
            a = design;
        else if (a == QLatin1String("BINARY"))
            a = binary.fileName();
        message.replace(QStringLiteral("BINARY"), binary.fileName());
    }
    const Run run = vdqsql(args);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
}

QTEST_MAIN(TestVdqsql)
#include "tst_vdqsql.moc"
