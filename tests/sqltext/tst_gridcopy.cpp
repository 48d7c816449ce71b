// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tqgeditcommands.h"
#include "tqgengrid.h"
#include "tqgresultmodel.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tsessionlist.h"

#include <QAction>
#include <QClipboard>
#include <QHBoxLayout>
#include <QMenu>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

// Copying the result grid's selected cells: tab-separated with a header line, as spreadsheets
// read it back, through Ctrl+C and through the Edit menu's Copy while the grid has the focus.
class TestGridCopy : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void selectedText_data();
    void selectedText();
    void ctrlCCopies();
    void editCopyFollowsTheFocus();
    void popupMenu();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TQuery> m_query;
    std::unique_ptr<TQGResultModel> m_model;
    std::unique_ptr<TQGenGrid> m_grid;
};

using Blocks = QList<QRect>;  // x: column, y: row

void TestGridCopy::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
    db.setDatabaseName(m_dir.filePath(QStringLiteral("copy.sqlite")));
    QVERIFY(db.open());
    QString error;
    QVERIFY2(TestSupport::RunStatements(
                 db,
                 {QStringLiteral("CREATE TABLE t (Id INTEGER, Name VARCHAR(30), Note VARCHAR(30))"),
                  QStringLiteral("INSERT INTO t VALUES (1, 'Anna', 'tab' || char(9) || 'in')"),
                  QStringLiteral("INSERT INTO t VALUES (2, 'Bo \"B\"', 'two' || char(10) || 'lines')"),
                  QStringLiteral("INSERT INTO t VALUES (3, NULL, NULL)"),
                  QStringLiteral("INSERT INTO t VALUES (4, 'a,b', 'O''Neill')")},
                 &error),
             qPrintable(error));
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              QStringLiteral("[COPY]\nDriver=STANDARD\nPath=copy.sqlite\n"));
    QVERIFY(QGuiApplication::clipboard());
}

void TestGridCopy::init()
{
    m_query = std::make_unique<TQuery>();
    m_query->SetDatabaseName(QStringLiteral("COPY"));
    m_query->SetSQL({QStringLiteral("SELECT Id, Name, Note FROM t ORDER BY Id")});
    m_query->Open();
    m_query->WaitForEnd();
    QCoreApplication::processEvents();
    m_model = std::make_unique<TQGResultModel>();
    m_model->SetQuery(m_query.get());
    m_grid = std::make_unique<TQGenGrid>();
    m_grid->setModel(m_model.get());
    m_grid->resize(500, 300);
    QCOMPARE(m_grid->model()->rowCount(), 4);
    QGuiApplication::clipboard()->clear();
}

void TestGridCopy::cleanup()
{
    m_grid.reset();
    m_model.reset();
    m_query.reset();
    Sessions().CloseAll();
}

void TestGridCopy::selectedText_data()
{
    QTest::addColumn<Blocks>("blocks");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << Blocks{} << QString();
    QTest::newRow("one cell") << Blocks{QRect(1, 0, 1, 1)} << "Name\nAnna\n";
    QTest::newRow("a tab is quoted") << Blocks{QRect(2, 0, 1, 1)} << "Note\n\"tab\tin\"\n";
    QTest::newRow("block with a line break and quotes")
        << Blocks{QRect(1, 1, 2, 1)} << "Name\tNote\n\"Bo \"\"B\"\"\"\t\"two\nlines\"\n";
    QTest::newRow("NULLs are empty") << Blocks{QRect(0, 2, 3, 1)} << "Id\tName\tNote\n3\t\t\n";
    QTest::newRow("whole rows") << Blocks{QRect(0, 2, 3, 2)} << "Id\tName\tNote\n3\t\t\n4\ta,b\tO'Neill\n";
    QTest::newRow("cells apart: their bounding block")
        << Blocks{QRect(0, 0, 1, 1), QRect(2, 3, 1, 1)} << "Id\tNote\n1\t\n\t\n\t\n\tO'Neill\n";
}

void TestGridCopy::selectedText()
{
    QFETCH(Blocks, blocks);
    QFETCH(QString, text);
    QAbstractItemModel *model = m_grid->model();
    for (const QRect &b : std::as_const(blocks))
        m_grid->selectionModel()->select(QItemSelection(model->index(b.top(), b.left()),
                                                        model->index(b.bottom(), b.right())),
                                         QItemSelectionModel::Select);
    QCOMPARE(m_grid->SelectedText(), text);
    m_grid->CopySelection();
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

void TestGridCopy::ctrlCCopies()
{
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    m_grid->selectRow(3);
    QTest::keyClick(m_grid.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Id\tName\tNote\n4\ta,b\tO'Neill\n"));
}

void TestGridCopy::editCopyFollowsTheFocus()
{
    // A window with the editor and the grid, and the Edit menu's Copy with its shortcut.
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *editor = new TQGSqlEditor;
    layout->addWidget(editor);
    // The window owns the grid from here.
    TQGenGrid *grid = m_grid.release();
    layout->addWidget(grid);
    TQGEditCommands commands(editor, &window);
    QAction copy(QStringLiteral("Copy"));
    copy.setShortcut(QKeySequence::Copy);
    window.addAction(&copy);
    commands.AddAction(TQGEditCommands::Copy, &copy);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    editor->setPlainText(QStringLiteral("SELECT 1"));
    editor->selectAll();
    editor->setFocus();
    QTRY_VERIFY(copy.isEnabled());
    copy.trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("SELECT 1"));

    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
    grid->clearSelection();
    commands.Edit1Click();
    QVERIFY(!copy.isEnabled());
    grid->selectionModel()->select(grid->model()->index(0, 0), QItemSelectionModel::Select);
    commands.Edit1Click();
    QVERIFY(copy.isEnabled());
    // The window's shortcut meets the grid's own Ctrl+C: the cells are copied either way.
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Id\n1\n"));
    QGuiApplication::clipboard()->clear();
    copy.trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Id\n1\n"));
}

void TestGridCopy::popupMenu()
{
    QMenu *menu = m_grid->PopupMenu();
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QStringLiteral("GridPopupMenu"));
    auto *copy = menu->findChild<QAction *>(QStringLiteral("GridCopy1"));
    auto *exportResults = menu->findChild<QAction *>(QStringLiteral("ExportResults2"));
    QVERIFY(copy);
    QVERIFY(exportResults);
    Q_EMIT menu->aboutToShow();
    QVERIFY(!copy->isEnabled());
    QVERIFY(exportResults->isEnabled());
    m_grid->selectRow(0);
    Q_EMIT menu->aboutToShow();
    QVERIFY(copy->isEnabled());
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Id\tName\tNote\n1\tAnna\t\"tab\tin\"\n"));
}

QTEST_MAIN(TestGridCopy)
#include "tst_gridcopy.moc"
