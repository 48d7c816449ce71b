// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "limitedwrite.h"
#include "querydefinition.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdesignlists.h"
#include "tqgfilecommands.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"

#include <QFileDialog>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace DesignFixture;
using Rows = QList<QStringList>;

class TestDefinitionFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void exampleWrittenByteForByte();
    void exampleReadBack();
    void emptyDesign();
    void threeLinks();
    void savingSmallerDesignOverLarger();
    void linkKeepsItsWindow();
    void scrolledCanvas();
    void lostFieldTickIgnored();
    void otherDatabaseSwitchesTableList();
    void badFileLeavesDesign_data();
    void badFileLeavesDesign();
    void missingVdqGivesEmptyDesign();
    void tableThatCannotBeOpenedStopsReader();

    void fileKindByName_data();
    void fileKindByName();
    void saveDialogAddsDefaultExtension();
    void openSqlTextKeepsPage();
    void rtfContentTakenAsText();
    void textFileErrors();
    void fullDiskKeepsOldFile_data();
    void fullDiskKeepsOldFile();
    void specialFilesRefused_data();
    void specialFilesRefused();
    void dialogs();

private:
    void buildExample(TQGQueryForm *form);
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QTemporaryDir m_other;
    std::unique_ptr<TQGQueryForm> m_form;
};

void TestDefinitionFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_other.path(), {{"warehouse", {"Bin", "Qty"}}}, QStringLiteral("STORE")));
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients.db", {"ClientNo", "Firm"}}, {"sales.db", {"SaleNo", "ClientNo"}},
                                        {"products", {"ProductNo", "Name", "Price"}}}));
    TestSupport::UseAliasFile(path("aliases.ini"),
                              QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=%1\n\n[STORE]\nDriver=STANDARD\nPath=%2\n")
                                  .arg(path("shop.sqlite"), m_other.filePath("store.sqlite")));
}

void TestDefinitionFile::init()
{
    m_form = OpenForm();
    m_form->SetQuoteIdentifiers(false);
    m_form->resize(1000, 700);
    m_form->show();
}

void TestDefinitionFile::cleanup()
{
    m_form.reset();
}

void TestDefinitionFile::buildExample(TQGQueryForm *form)
{
    TQGCanvasCommands *canvas = form->Canvas();
    TQGCheckListBox *clients = canvas->CreateTableWindow("clients.db", QRect(50, 40, 121, 180), true);
    TQGCheckListBox *sales = canvas->CreateTableWindow("sales.db", QRect(300, 140, 121, 180), true);
    form->Canvas()->SetFieldTicked(sales, 1, false);
    canvas->CreateLink(clients, sales, "clients_db.ClientNo = sales_db.ClientNo");
    form->AddConditionRow("clients_db.ClientNo", "=", "sales_db.ClientNo");
    form->Lists()->AddRow(form->ListView3(), {"sales_db.SaleNo", "Yes"});
}

void TestDefinitionFile::exampleWrittenByteForByte()
{
    buildExample(m_form.get());
    m_form->SaveQueryDefinition(path("example.vdq"));
    QFile written(path("example.vdq"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QFile expected(QStringLiteral(VDQ_SOURCE_DIR "/tests/core/data/example.vdq"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), expected.readAll());
}

void TestDefinitionFile::exampleReadBack()
{
    m_form->LoadQueryDefinition(QStringLiteral(VDQ_SOURCE_DIR "/tests/core/data/example.vdq"));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows.at(0)->Caption(), QStringLiteral("clients.db"));
    QCOMPARE(windows.at(0)->geometry(), QRect(50, 40, 121, 180));
    QCOMPARE(windows.at(1)->geometry(), QRect(300, 140, 121, 180));
    QCOMPARE(windows.at(0)->Ticks(), QList<bool>({true, true}));
    QCOMPARE(windows.at(1)->Ticks(), QList<bool>({true, false}));
    const QList<TQGDataLink *> links = m_form->ScrollBox1()->Links();
    QCOMPARE(links.size(), 1);
    QCOMPARE(links.first()->Field1ListBox(), windows.at(0));
    QCOMPARE(links.first()->Field2ListBox(), windows.at(1));
    QCOMPARE(links.first()->Hint(), QStringLiteral("clients_db.ClientNo = sales_db.ClientNo"));
    QCOMPARE(links.first()->geometry(), QRect(171, 60, 129, 100));
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView2()),
             Rows({{"clients_db.ClientNo", "=", "sales_db.ClientNo", "AND"}}));
    QCOMPARE(TQGDesignLists::Rows(m_form->ListView3()), Rows({{"sales_db.SaleNo", "Yes"}}));
    QCOMPARE(m_form->ListView5()->topLevelItemCount(), 0);
    QCOMPARE(m_form->GetQueryType(), QueryType::Select);
    QCOMPARE(m_form->CurrentTable(), windows.at(1));
    // The file's database is a local desktop-table one: its statements quote names. The
    // worked example is written with quoting off.
    QVERIFY(m_form->QuoteIdentifiers());
    QCOMPARE(m_form->Memo1()->Lines().first(), QStringLiteral("SELECT clients_db.*, sales_db.\"SaleNo\" FROM"));
    m_form->SetQuoteIdentifiers(false);
    QCOMPARE(m_form->Memo1()->Lines(), QStringList({"SELECT clients_db.*, sales_db.SaleNo FROM",
                                                    "\"clients.db\" clients_db, \"sales.db\" sales_db", "WHERE ",
                                                    " clients_db.ClientNo = sales_db.ClientNo ", "ORDER BY ",
                                                    " sales_db.SaleNo"}));
}

void TestDefinitionFile::emptyDesign()
{
    m_form->SaveQueryDefinition(path("empty.vdq"));
    const TProfileFile file = TProfileFile::Load(path("empty.vdq"));
    QCOMPARE(file.ReadString("Tables", "Count", "x"), QStringLiteral("0"));
    QCOMPARE(file.ReadString("Links", "Count", "x"), QStringLiteral("0"));
    QCOMPARE(file.KeyCount("Values"), 2);
    buildExample(m_form.get());
    m_form->LoadQueryDefinition(path("empty.vdq"));
    QCOMPARE(m_form->TableCount(), 0);
    QVERIFY(m_form->Memo1()->toPlainText().isEmpty());
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 0);
}

void TestDefinitionFile::threeLinks()
{
    TQGCanvasCommands *canvas = m_form->Canvas();
    TQGCheckListBox *a = canvas->CreateTableWindow("clients.db", QRect(10, 10, 121, 180), true);
    TQGCheckListBox *b = canvas->CreateTableWindow("sales.db", QRect(300, 10, 121, 180), true);
    TQGCheckListBox *c = canvas->CreateTableWindow("products", QRect(600, 200, 121, 180), true);
    canvas->CreateLink(a, b, "1");
    canvas->CreateLink(b, c, "2");
    canvas->CreateLink(c, a, "3");
    m_form->SaveQueryDefinition(path("three.vdq"));
    std::unique_ptr<TQGQueryForm> other = OpenForm();
    other->LoadQueryDefinition(path("three.vdq"));
    QStringList hints;
    for (TQGDataLink *l : other->ScrollBox1()->Links())
        hints << l->Hint() + u':' + l->Field1ListBox()->Caption() + u'>' + l->Field2ListBox()->Caption();
    QCOMPARE(hints, QStringList({"1:clients.db>sales.db", "2:sales.db>products", "3:products>clients.db"}));
}

void TestDefinitionFile::savingSmallerDesignOverLarger()
{
    TQGCanvasCommands *canvas = m_form->Canvas();
    for (const char *t : {"clients.db", "sales.db", "products"})
        canvas->CreateTableWindow(QLatin1String(t), QRect(10, 10, 121, 180), true);
    m_form->SaveQueryDefinition(path("shrink.vdq"));
    m_form->SpeedButton15Click();
    canvas->CreateTableWindow("sales.db", QRect(10, 10, 121, 180), true);
    canvas->CreateTableWindow("clients.db", QRect(200, 10, 121, 180), true);
    m_form->SaveQueryDefinition(path("shrink.vdq"));
    const TProfileFile file = TProfileFile::Load(path("shrink.vdq"));
    QVERIFY(file.SectionExists("Table3"));  // the older file's surplus stays
    m_form->LoadQueryDefinition(path("shrink.vdq"));
    QStringList captions;
    for (TQGCheckListBox *w : m_form->ScrollBox1()->TableWindows())
        captions << w->Caption();
    QCOMPARE(captions, QStringList({"sales.db", "clients.db"}));
}

void TestDefinitionFile::linkKeepsItsWindow()
{
    TQGCanvasCommands *canvas = m_form->Canvas();
    TQGCheckListBox *first = canvas->CreateTableWindow("clients.db", QRect(10, 10, 121, 180), true);
    TQGCheckListBox *second = canvas->CreateTableWindow("clients.db", QRect(200, 10, 121, 180), true);
    TQGCheckListBox *sales = canvas->CreateTableWindow("sales.db", QRect(400, 100, 121, 180), true);
    QCOMPARE(first->Alias(), QStringLiteral("clients_db"));
    QCOMPARE(second->Alias(), QStringLiteral("clients_db_1"));
    canvas->CreateLink(sales, second, "x");
    m_form->SaveQueryDefinition(path("twice.vdq"));
    // Only the alias that is not the table's own is stored.
    const TProfileFile file = TProfileFile::Load(path("twice.vdq"));
    QVERIFY(!file.KeyExists("Table1", "Alias"));
    QCOMPARE(file.ReadString("Table2", "Alias", QString()), QStringLiteral("clients_db_1"));
    QVERIFY(!file.KeyExists("Link1", "Field1Alias"));
    QCOMPARE(file.ReadString("Link1", "Field2Alias", QString()), QStringLiteral("clients_db_1"));
    m_form->LoadQueryDefinition(path("twice.vdq"));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.at(1)->Alias(), QStringLiteral("clients_db_1"));
    QCOMPARE(m_form->ScrollBox1()->Links().first()->Field2ListBox(), windows.at(1));
}

void TestDefinitionFile::scrolledCanvas()
{
    TQGCanvasCommands *canvas = m_form->Canvas();
    canvas->CreateTableWindow("clients.db", QRect(1500, 900, 121, 180), true);
    TQGScrollBox *box = m_form->ScrollBox1();
    box->horizontalScrollBar()->setValue(400);
    box->verticalScrollBar()->setValue(300);
    QVERIFY(box->HorzScrollPosition() > 0);
    m_form->SaveQueryDefinition(path("scrolled.vdq"));
    const TProfileFile file = TProfileFile::Load(path("scrolled.vdq"));
    QCOMPARE(file.ReadInteger("Table1", "Left", 0), 1500);
    QCOMPARE(file.ReadInteger("Table1", "Top", 0), 900);
    std::unique_ptr<TQGQueryForm> other = OpenForm();
    other->resize(1000, 700);
    other->show();
    other->LoadQueryDefinition(path("scrolled.vdq"));
    QCOMPARE(other->ScrollBox1()->TableWindows().first()->pos(), QPoint(1500, 900));
}

void TestDefinitionFile::lostFieldTickIgnored()
{
    QFile f(path("lost.vdq"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n[Table1]\r\nName=products\r\n"
            "Text0=Gone\r\nChecked0=1\r\nText1=price\r\nChecked1=1\r\nText2=ProductNo\r\nChecked2=0\r\n"
            "ItemCount=3\r\n[Tables]\r\nCount=1\r\n");
    f.close();
    m_form->LoadQueryDefinition(path("lost.vdq"));
    TQGCheckListBox *w = m_form->ScrollBox1()->TableWindows().first();
    QCOMPARE(w->Fields(), QStringList({"ProductNo", "Name", "Price"}));
    QCOMPARE(w->Ticks(), QList<bool>({false, false, true}));  // matched without regard to case
    QCOMPARE(w->geometry(), QRect(145, 100, 121, 180));       // the defaults
}

void TestDefinitionFile::otherDatabaseSwitchesTableList()
{
    QFile f(path("store.vdq"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Session]\r\nSessionName=Default\r\nDatabase=STORE\r\n[Query]\r\nType=1\r\n");
    f.close();
    buildExample(m_form.get());
    m_form->LoadQueryDefinition(path("store.vdq"));
    QCOMPARE(m_form->StatusText(1), QStringLiteral("Database: STORE"));
    QCOMPARE(m_form->StatusText(2), QStringLiteral("1 Table(s)"));
    QCOMPARE(m_form->ListView1()->Captions(), QStringList({"warehouse"}));
    QCOMPARE(m_form->GetQueryType(), QueryType::Insert);
    QVERIFY(m_form->PageShown(TQGCanvasHost::Page::Values));
    QCOMPARE(m_form->TableCount(), 0);
}

void TestDefinitionFile::badFileLeavesDesign_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("no section") << QByteArray("just some words\r\nand more\r\n");
    QTest::newRow("unknown database") << QByteArray("[Session]\r\nSessionName=Default\r\nDatabase=NOWHERE\r\n");
    QTest::newRow("unknown session") << QByteArray("[Session]\r\nSessionName=Nobody\r\nDatabase=SHOP\r\n");
}

void TestDefinitionFile::badFileLeavesDesign()
{
    QFETCH(QByteArray, contents);
    QFile f(path("bad.vdq"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contents);
    f.close();
    buildExample(m_form.get());
    const QString before = m_form->Memo1()->toPlainText();
    MessageLog log;
    m_form->Files()->RunDialog = [&](QFileDialog *) { return path("bad.vdq"); };
    m_form->Files()->ImportSQL1Click();
    QCOMPARE(log.messages.size(), 1);
    QVERIFY(!log.last().isEmpty());
    QCOMPARE(m_form->TableCount(), 2);
    QCOMPARE(m_form->ScrollBox1()->Links().size(), 1);
    QCOMPARE(m_form->ListView2()->topLevelItemCount(), 1);
    QCOMPARE(m_form->Memo1()->toPlainText(), before);
    QCOMPARE(m_form->StatusText(1), QStringLiteral("Database: SHOP"));
}

void TestDefinitionFile::missingVdqGivesEmptyDesign()
{
    buildExample(m_form.get());
    m_form->Files()->OpenFile(path("does-not-exist.vdq"));
    QCOMPARE(m_form->TableCount(), 0);
    QCOMPARE(m_form->StatusText(1), QStringLiteral("Database: SHOP"));
    QCOMPARE(m_form->ListView1()->RowCount(), 3);
}

void TestDefinitionFile::tableThatCannotBeOpenedStopsReader()
{
    QFile f(path("ghost.vdq"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n[Table1]\r\nName=products\r\nItemCount=0\r\n"
            "[Table2]\r\nLeft=10\r\n[Table3]\r\nName=clients.db\r\n[Tables]\r\nCount=3\r\n");
    f.close();
    m_form->Memo1()->setPlainText(QStringLiteral("marker"));
    QString message;
    try {
        m_form->LoadQueryDefinition(path("ghost.vdq"));
    } catch (const VdqError &e) {
        message = e.message();
    }
    QVERIFY2(message.contains(QStringLiteral("NoTable")), qPrintable(message));
    const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
    QCOMPARE(windows.size(), 2);  // the window of the table that failed stays, shown, without rows
    QCOMPARE(windows.at(1)->Caption(), QStringLiteral("NoTable"));
    QVERIFY(windows.at(1)->isVisible());
    QCOMPARE(windows.at(1)->count(), 0);
    // No statement of the partial design: the editor holds what the emptied design gave.
    QVERIFY(m_form->Memo1()->toPlainText().isEmpty());
}

void TestDefinitionFile::fileKindByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("definition");
    QTest::newRow("upper") << "q.VDQ" << true;
    QTest::newRow("lower") << "q.vdq" << true;
    QTest::newRow("mixed") << "q.Vdq" << true;
    QTest::newRow("sql") << "q.sql" << false;
    QTest::newRow("no extension") << "q" << false;
    QTest::newRow("last extension counts") << "report.vdq.txt" << false;
}

void TestDefinitionFile::fileKindByName()
{
    QFETCH(QString, name);
    QFETCH(bool, definition);
    buildExample(m_form.get());
    m_form->Files()->SaveFile(path(name));
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    if (definition) {
        QVERIFY(bytes.startsWith("[Session]\r\n"));
    } else {
        QCOMPARE(bytes, (m_form->Memo1()->Lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        // Opened again, the text goes into the editor and the design stays.
        m_form->Memo1()->setPlainText(QStringLiteral("other"));
        m_form->Files()->OpenFile(path(name));
        QCOMPARE(m_form->Memo1()->Lines().value(0), QStringLiteral("SELECT clients_db.*, sales_db.SaleNo FROM"));
        QCOMPARE(m_form->TableCount(), 2);
        // One edit: Undo brings the text before the Open back.
        m_form->Memo1()->undo();
        QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("other"));
    }
}

void TestDefinitionFile::saveDialogAddsDefaultExtension()
{
    buildExample(m_form.get());
    QStringList chosen;
    m_form->Files()->RunDialog = [&](QFileDialog *dialog) {
        dialog->setDirectory(m_dir.path());
        dialog->selectFile(QStringLiteral("q"));
        chosen = dialog->selectedFiles();
        return chosen.value(0);
    };
    m_form->Files()->Saveas1Click();
    QCOMPARE(chosen, QStringList({path("q.sql")}));
    QVERIFY(QFile::exists(path("q.sql")));
    // Every Save asks again.
    chosen.clear();
    m_form->findChild<QAction *>("Save1")->trigger();
    QCOMPARE(chosen.size(), 1);
    // Cancelling does nothing.
    m_form->Files()->RunDialog = [](QFileDialog *) { return QString(); };
    QFile::remove(path("q.sql"));
    m_form->Files()->Saveas1Click();
    QVERIFY(!QFile::exists(path("q.sql")));
}

void TestDefinitionFile::openSqlTextKeepsPage()
{
    QFile f(path("report.vdq.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("SELECT 1\r\nFROM products\r\n");
    f.close();
    QCOMPARE(m_form->PageControl981()->currentWidget(), m_form->TabSheet1());
    m_form->Files()->RunDialog = [&](QFileDialog *) { return path("report.vdq.txt"); };
    m_form->findChild<QAction *>("ImportSQLFile1")->trigger();
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT 1\nFROM products\n"));
    QCOMPARE(m_form->PageControl981()->currentWidget(), m_form->TabSheet1());
    // The next change of the design regenerates the text.
    m_form->Canvas()->CreateTableWindow("products", QRect(10, 10, 121, 180), true);
    QCOMPARE(m_form->Memo1()->Lines().value(0), QStringLiteral("SELECT products.* FROM"));
}

void TestDefinitionFile::rtfContentTakenAsText()
{
    QFile f(path("rich.sql"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20 SELECT *\\par FROM caf\\'e9s\\par}");
    f.close();
    m_form->Files()->OpenFile(path("rich.sql"));
    QCOMPARE(m_form->Memo1()->toPlainText(), QString::fromUtf8("SELECT *\nFROM caf\u00e9s"));
    QFile broken(path("broken.sql"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\\rtf1\\ansi {unbalanced");
    broken.close();
    MessageLog log;
    m_form->Files()->RunDialog = [&](QFileDialog *) { return path("broken.sql"); };
    m_form->Files()->ImportSQL1Click();
    QCOMPARE(log.last(), QStringLiteral("Failed to Load Stream"));
    QCOMPARE(m_form->Memo1()->toPlainText(), QString::fromUtf8("SELECT *\nFROM caf\u00e9s"));
}

void TestDefinitionFile::textFileErrors()
{
    // Each message starts with its fixed text and ends with the system's reason.
    const QString reason = QStringLiteral(": ") + QString::fromLocal8Bit(strerror(ENOENT));
    MessageLog log;
    m_form->Memo1()->setPlainText(QStringLiteral("kept"));
    m_form->Files()->RunDialog = [&](QFileDialog *) { return path("nowhere/missing.sql"); };
    m_form->Files()->ImportSQL1Click();
    QCOMPARE(log.last(), QStringLiteral("Cannot open file %1").arg(path("nowhere/missing.sql")) + reason);
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("kept"));
    m_form->Files()->Saveas1Click();
    QCOMPARE(log.last(), QStringLiteral("Cannot create file %1").arg(path("nowhere/missing.sql")) + reason);
    m_form->Files()->RunDialog = [&](QFileDialog *) { return path("nowhere/missing.vdq"); };
    m_form->Files()->Saveas1Click();
    QCOMPARE(log.last(), QStringLiteral("Unable to write to %1").arg(path("nowhere/missing.vdq")) + reason);
}

void TestDefinitionFile::fullDiskKeepsOldFile_data()
{
    // Both sizes: below a write buffer the failure shows only when the buffer is flushed.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lines");
    QTest::newRow("design, small") << "full.vdq" << "Unable to write to %1" << 60;
    QTest::newRow("design, large") << "full.vdq" << "Unable to write to %1" << 3000;
    QTest::newRow("sql text, small") << "full.sql" << "Cannot create file %1" << 60;
    QTest::newRow("sql text, large") << "full.sql" << "Cannot create file %1" << 3000;
}

void TestDefinitionFile::fullDiskKeepsOldFile()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(int, lines);
    buildExample(m_form.get());
    const QString file = path(name);
    m_form->Files()->SaveFile(file);
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray old = saved.readAll();
    saved.close();
    QVERIFY(!old.isEmpty());

    // A longer text and design than the limit lets through.
    for (int i = 0; i < lines; ++i)
        m_form->Lists()->AddRow(m_form->ListView3(), {QStringLiteral("clients_db.\"Firm%1\"").arg(i), "No"});
    QVERIFY(m_form->Memo1()->toPlainText().toUtf8().size() > old.size());
    const rlim_t limit = rlim_t(old.size()) + 16;
    const QString got = LimitedWrite::MessageOf(limit, [&] { m_form->Files()->SaveFile(file); });
    QCOMPARE(got, message.arg(file) + QStringLiteral(": ") + QString::fromLocal8Bit(strerror(EFBIG)));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), old);
    QCOMPARE(QDir(m_dir.path()).entryList({name + u'*'}, QDir::Files), QStringList{name});
}

void TestDefinitionFile::specialFilesRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");
    QTest::newRow("design as a FIFO") << "pipe.vdq" << "fifo";
    QTest::newRow("design linked to /dev/zero") << "zero.vdq" << "/dev/zero";
    QTest::newRow("sql text as a FIFO") << "pipe.sql" << "fifo";
    QTest::newRow("sql text linked to /dev/zero") << "zero.sql" << "/dev/zero";
}

void TestDefinitionFile::specialFilesRefused()
{
    // Neither opening nor saving may hang on a FIFO or read without end; the design and
    // the text stay as they were.
    QFETCH(QString, name);
    QFETCH(QString, target);
    const QString file = path(name);
    QFile::remove(file);
    if (target == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(target, file));
    buildExample(m_form.get());
    const QString before = m_form->Memo1()->toPlainText();
    MessageLog log;
    m_form->Files()->RunDialog = [&](QFileDialog *) { return file; };
    m_form->Files()->ImportSQL1Click();
    QCOMPARE(log.last(), QStringLiteral("Cannot open file %1: Not a regular file").arg(file));
    QCOMPARE(m_form->TableCount(), 2);
    QCOMPARE(m_form->Memo1()->toPlainText(), before);
    if (target != QLatin1String("fifo"))
        return;
    m_form->Files()->Saveas1Click();
    const QString start = name.endsWith(QLatin1String(".vdq")) ? QStringLiteral("Unable to write to %1")
                                                                : QStringLiteral("Cannot create file %1");
    QCOMPARE(log.last(), start.arg(file) + QStringLiteral(": Not a regular file"));
    struct stat st{};
    QCOMPARE(stat(QFile::encodeName(file).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void TestDefinitionFile::dialogs()
{
    QFileDialog *od = m_form->findChild<QFileDialog *>("OD1");
    QFileDialog *sd = m_form->findChild<QFileDialog *>("SD1");
    QVERIFY(od && sd);
    QCOMPARE(od->windowTitle(), QStringLiteral("Open SQL File"));
    QCOMPARE(sd->windowTitle(), QStringLiteral("Save SQL File"));
    const QStringList filters({"SQL Files (*.sql)", "Vendrel Query (*.vdq)", "All Files (*)"});
    QCOMPARE(od->nameFilters(), filters);
    QCOMPARE(sd->nameFilters(), filters);
    QCOMPARE(sd->defaultSuffix(), QStringLiteral("sql"));
    QVERIFY(sd->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(od->fileMode(), QFileDialog::AnyFile);
}

QTEST_MAIN(TestDefinitionFile)
#include "tst_definitionfile.moc"
