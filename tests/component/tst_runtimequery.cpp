// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgdbselect.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"
#include "tvdruntimequery.h"
#include "tvdruntimequery_p.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace DesignFixture;

namespace {

// What the designer showed when it opened, read by the show hook.
struct Seen
{
    bool dialog = false;
    bool designer = false;
    QString dialogSession;
    QStringList dialogRows;
    QStringList status;
    QStringList tables;
    QString page;
    QString text;
    bool quote = false;
    bool maximized = false;
};

int topLevelDesigners()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<TQGQueryForm *>(w) || qobject_cast<TQGDBSelect *>(w) ? 1 : 0;
    return n;
}

} // namespace

class TestRunTimeQuery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void newComponent();
    void cancelSelectionDialog();
    void chooseInSelectionDialog();
    void sessionPreselected();
    void designerOpensOnDatabase();
    void startingText_data();
    void startingText();
    void saveAndExitReplacesSql_data();
    void saveAndExitReplacesSql();
    void fileNameAsText_data();
    void fileNameAsText();
    void missingFileRaisesAndReleases();
    void unknownAliasRaises();
    void databaseWithoutTables();

private:
    // Runs Execute; the hook records what the windows show and closes them with the results.
    void run(TVDRunTimeQuery &query, Seen &seen, int dialogResult, int designerResult,
             const std::function<void(TQGQueryForm *)> &edit = {});
    QTemporaryDir m_dir;
};

void TestRunTimeQuery::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm"}}, {"sales", {"SaleNo", "ClientNo"}}}));
    Sessions().CreateSession(QStringLiteral("Second"));
}

void TestRunTimeQuery::run(TVDRunTimeQuery &query, Seen &seen, int dialogResult, int designerResult,
                           const std::function<void(TQGQueryForm *)> &edit)
{
    SetShowHook(query, [&, dialogResult, designerResult, edit](QWidget *window) {
        if (auto *dialog = qobject_cast<TQGDBSelect *>(window)) {
            seen.dialog = true;
            seen.dialogSession = dialog->ComboBox1()->currentText();
            for (int i = 0; i < dialog->ListView1()->topLevelItemCount(); ++i)
                seen.dialogRows << dialog->ListView1()->topLevelItem(i)->text(0) + u'/'
                                       + dialog->ListView1()->topLevelItem(i)->text(1);
            QTimer::singleShot(0, dialog, [dialog, dialogResult] {
                if (dialogResult == QDialog::Accepted && dialog->ListView1()->topLevelItemCount() > 0)
                    dialog->ListView1()->topLevelItem(0)->setSelected(true);
                dialog->done(dialogResult);
            });
        } else if (auto *form = qobject_cast<TQGQueryForm *>(window)) {
            seen.designer = true;
            seen.status = {form->StatusText(0), form->StatusText(1), form->StatusText(2)};
            seen.tables = form->ListView1()->Captions();
            seen.page = form->PageControl981()->currentWidget()->objectName();
            seen.text = form->Memo1()->toPlainText();
            seen.quote = form->QuoteIdentifiers();
            seen.maximized = form->windowState() & Qt::WindowMaximized;
            QTimer::singleShot(0, form, [form, designerResult, edit] {
                if (edit)
                    edit(form);
                form->done(designerResult);
            });
        }
    });
    query.Execute();
}

void TestRunTimeQuery::newComponent()
{
    TVDRunTimeQuery query;
    QVERIFY(query.DatabaseName().isEmpty());
    QVERIFY(query.SessionName().isEmpty());
    QVERIFY(query.FileName().isEmpty());
    QVERIFY(query.SQL().isEmpty());
    // The four properties are published.
    for (const char *p : {"DatabaseName", "SQL", "SessionName", "FileName"})
        QVERIFY2(query.metaObject()->indexOfProperty(p) >= 0, p);
    QStringList lines{"a", "b"};
    query.SetSQL(lines);
    lines << "c";
    QCOMPARE(query.SQL(), QStringList({"a", "b"}));
}

void TestRunTimeQuery::cancelSelectionDialog()
{
    TVDRunTimeQuery query;
    query.SetSQL({"keep me"});
    Seen seen;
    run(query, seen, QDialog::Rejected, TQGQueryForm::mrOk);
    QVERIFY(seen.dialog);
    QVERIFY(!seen.designer);
    QCOMPARE(seen.dialogSession, QStringLiteral("Default"));
    QCOMPARE(seen.dialogRows, QStringList({"SHOP/STANDARD"}));
    QCOMPARE(query.SQL(), QStringList({"keep me"}));
    QCOMPARE(topLevelDesigners(), 0);
}

void TestRunTimeQuery::chooseInSelectionDialog()
{
    TVDRunTimeQuery query;
    Seen seen;
    run(query, seen, QDialog::Accepted, TQGQueryForm::mrCancel);
    QVERIFY(seen.dialog);
    QVERIFY(seen.designer);
    QCOMPARE(seen.status, QStringList({"Session: Default", "Database: SHOP", "2 Table(s)"}));
    // The choice is for this call only.
    QVERIFY(query.DatabaseName().isEmpty());
    QCOMPARE(topLevelDesigners(), 0);
}

void TestRunTimeQuery::sessionPreselected()
{
    TVDRunTimeQuery query;
    query.SetSessionName(QStringLiteral("second"));
    Seen seen;
    run(query, seen, QDialog::Rejected, 0);
    QCOMPARE(seen.dialogSession, QStringLiteral("Second"));
}

void TestRunTimeQuery::designerOpensOnDatabase()
{
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    Seen seen;
    run(query, seen, 0, TQGQueryForm::mrCancel);
    QVERIFY(!seen.dialog);
    QVERIFY(seen.designer);
    // No session name means the default session, which the panel names.
    QCOMPARE(seen.status, QStringList({"Session: Default", "Database: SHOP", "2 Table(s)"}));
    QCOMPARE(seen.tables, QStringList({"clients", "sales"}));
    QCOMPARE(seen.page, QStringLiteral("TabSheet1"));
    QVERIFY(seen.text.isEmpty());
    QVERIFY(seen.quote);
    QVERIFY(seen.maximized);
    QVERIFY(query.SQL().isEmpty());
}

void TestRunTimeQuery::startingText_data()
{
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QStringList() << "TabSheet1" << "";
    QTest::newRow("two lines") << QStringList({"SELECT *", "FROM clients"}) << "TabSheet2" << "SELECT *\nFROM clients";
    QTest::newRow("one empty line counts") << QStringList({""}) << "TabSheet2" << "";
}

void TestRunTimeQuery::startingText()
{
    QFETCH(QStringList, sql);
    QFETCH(QString, page);
    QFETCH(QString, text);
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL(sql);
    Seen seen;
    run(query, seen, 0, TQGQueryForm::mrCancel);
    QCOMPARE(seen.page, page);
    QCOMPARE(seen.text, text);
    QCOMPARE(query.SQL(), sql);
}

void TestRunTimeQuery::saveAndExitReplacesSql_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("save and exit") << int(TQGQueryForm::mrOk) << QStringList({"SELECT 1", "-- edited"});
    QTest::newRow("cancel and exit") << int(TQGQueryForm::mrCancel) << QStringList({"old"});
    QTest::newRow("closed by the window") << 0 << QStringList({"old"});
}

void TestRunTimeQuery::saveAndExitReplacesSql()
{
    QFETCH(int, result);
    QFETCH(QStringList, expected);
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL({"old"});
    Seen seen;
    run(query, seen, 0, result, [](TQGQueryForm *form) { form->Memo1()->setPlainText("SELECT 1\n-- edited\n"); });
    QCOMPARE(query.SQL(), expected);
}

void TestRunTimeQuery::fileNameAsText_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("sql") << "start.sql";
    QTest::newRow("no extension") << "start";
    QTest::newRow("vdq inside the name") << "report.vdq.txt";
    QTest::newRow("dot in a folder name") << "dir.vdq/start";
}

void TestRunTimeQuery::fileNameAsText()
{
    QFETCH(QString, name);
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("SELECT *\r\nFROM clients\r\n");
    f.close();
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetFileName(path);
    Seen seen;
    run(query, seen, 0, TQGQueryForm::mrOk);
    QCOMPARE(seen.text, QStringLiteral("SELECT *\nFROM clients\n"));
    // The file does not change the page.
    QCOMPARE(seen.page, QStringLiteral("TabSheet1"));
    QCOMPARE(query.SQL(), QStringList({"SELECT *", "FROM clients"}));
}

void TestRunTimeQuery::missingFileRaisesAndReleases()
{
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL({"unchanged"});
    const QString missing = m_dir.filePath(QStringLiteral("nowhere.sql"));
    query.SetFileName(missing);
    Seen seen;
    QString message;
    try {
        run(query, seen, 0, TQGQueryForm::mrOk);
    } catch (const VdqError &e) {
        message = e.message();
    }
    // The fixed text, then the system's reason.
    QCOMPARE(message, QStringLiteral("Cannot open file %1: %2").arg(missing, QString::fromLocal8Bit(strerror(ENOENT))));
    QVERIFY(!seen.designer);
    QCOMPARE(query.SQL(), QStringList({"unchanged"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(topLevelDesigners(), 0);
    QVERIFY(!QApplication::overrideCursor());
}

void TestRunTimeQuery::unknownAliasRaises()
{
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("NOSUCH"));
    Seen seen;
    QString message;
    try {
        run(query, seen, 0, TQGQueryForm::mrOk);
    } catch (const VdqError &e) {
        message = e.message();
    }
    QVERIFY2(message.contains(QStringLiteral("NOSUCH")), qPrintable(message));
    QVERIFY(!seen.designer);
    QCOMPARE(topLevelDesigners(), 0);
}

void TestRunTimeQuery::databaseWithoutTables()
{
    QTemporaryDir dir;
    QVERIFY(MakeDatabase(dir.path(), {}, QStringLiteral("EMPTY")));
    TVDRunTimeQuery query;
    query.SetDatabaseName(QStringLiteral("EMPTY"));
    Seen seen;
    run(query, seen, 0, TQGQueryForm::mrCancel);
    QCOMPARE(seen.status.value(2), QStringLiteral("0 Table(s)"));
    QVERIFY(seen.tables.isEmpty());
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm"}}, {"sales", {"SaleNo", "ClientNo"}}}));
}

QTEST_MAIN(TestRunTimeQuery)
#include "tst_runtimequery.moc"
