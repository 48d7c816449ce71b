// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// A third-party host built against the installed package, from its headers alone: it hands the
// designer connections of its own (a database in memory and a file), embeds the designer
// widget in its window and follows the statement by signal, opens the designer window without
// blocking, runs the classic component, and prints OK when all went as a host expects.
#include <tvdruntimequery.h>
#include <vdqdesignerwidget.h>
#include <vdqerror.h>
#include <vdqquerydesigner.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QJsonArray>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

QStringList designQuery(QWidget *parent, const QStringList &currentSql);  // the README's example

namespace {

int failures = 0;

void check(bool ok, const QString &what)
{
    if (!ok) {
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
        ++failures;
    }
}

bool makeTables(QSqlDatabase db)
{
    QSqlQuery q(db);
    const bool ok = q.exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, title TEXT)"))
                    && q.exec(QStringLiteral("INSERT INTO items (title) VALUES ('first')"))
                    && q.exec(QStringLiteral("CREATE TABLE secrets (id INTEGER PRIMARY KEY, word TEXT)"));
    if (!ok)
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
    return ok;
}

// The designer's "Save and Exit" tool button, pressed once the window shows.
void saveAndExitSoon(QWidget *window)
{
    QTimer::singleShot(0, window, [window] {
        if (auto *saveAndExit = window->findChild<QToolButton *>(QStringLiteral("SpeedButton30")))
            saveAndExit->click();
    });
}

// A design of the items table with its title ticked, as a host would keep it.
QJsonObject itemsDesign()
{
    const QJsonArray fields{QJsonObject{{QStringLiteral("name"), QStringLiteral("id")}},
                            QJsonObject{{QStringLiteral("name"), QStringLiteral("title")}, {QStringLiteral("ticked"), true}}};
    const QJsonObject table{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("items")},
                            {QStringLiteral("fields"), fields}, {QStringLiteral("left"), 10}, {QStringLiteral("top"), 10},
                            {QStringLiteral("width"), 120}, {QStringLiteral("height"), 100}};
    return QJsonObject{{QStringLiteral("tables"), QJsonArray{table}}};
}

void embeddedWidget(QSqlDatabase memory)
{
    QMainWindow window;
    auto *designer = new VdqDesignerWidget(&window);
    window.setCentralWidget(designer);
    window.show();
    QString received;
    QObject::connect(designer, &VdqDesignerWidget::sqlChanged, [&received](const QString &sql) { received = sql; });
    designer->setTableFilter([](const QString &table) { return table != QLatin1String("secrets"); });
    check(designer->setDatabase(memory, QStringLiteral("Memory")), QStringLiteral("setDatabase: ") + designer->errorString());
    check(designer->databaseName() == QLatin1String("Memory"), QStringLiteral("databaseName ") + designer->databaseName());
    check(designer->setDesign(itemsDesign()), QStringLiteral("setDesign: ") + designer->errorString());
    check(received.contains(QLatin1String("title")) && received.simplified().contains(QLatin1String("FROM items")),
          QStringLiteral("sqlChanged after setDesign: ") + received);
    check(designer->design().value(QLatin1String("tables")).toArray().size() == 1, QStringLiteral("design() has the table"));
    // Data that is no design is refused, and the design stays.
    QJsonObject bad = itemsDesign();
    bad.insert(QStringLiteral("queryType"), QStringLiteral("truncate"));
    check(!designer->setDesign(bad) && !designer->errorString().isEmpty(), QStringLiteral("a bad design is refused"));
    check(designer->design().value(QLatin1String("tables")).toArray().size() == 1, QStringLiteral("the design stayed"));
    int result = -1;
    QObject::connect(designer, &VdqDesignerWidget::finished, [&result](int r) { result = r; });
    if (auto *saveAndExit = designer->findChild<QToolButton *>(QStringLiteral("SpeedButton30")))
        saveAndExit->click();
    check(result == QDialog::Accepted, QStringLiteral("finished(Accepted) after Save and Exit: %1").arg(result));
    check(designer->isVisible(), QStringLiteral("the embedded designer stays in the host's window"));
    QSqlQuery run(memory);
    check(run.exec(received) && run.next() && run.value(0).toString() == QLatin1String("first"),
          QStringLiteral("the received statement runs on the host's connection"));
    check(!designer->setDatabase(QSqlDatabase()), QStringLiteral("an invalid connection is refused"));
}

void windowDesigner(QSqlDatabase memory)
{
    VdqQueryDesigner designer;
    designer.setDatabase(memory);
    designer.setSql(QStringLiteral("SELECT title FROM items"));
    QEventLoop loop;
    int result = -1;
    QObject::connect(&designer, &VdqQueryDesigner::finished, [&](int r) {
        result = r;
        loop.quit();
    });
    check(designer.open(), QStringLiteral("open: ") + designer.errorString());
    check(designer.window() && designer.window()->isVisible(), QStringLiteral("open() shows the window"));
    saveAndExitSoon(designer.window());
    loop.exec();
    check(result == QDialog::Accepted, QStringLiteral("finished(Accepted): %1").arg(result));
    check(designer.sql() == QLatin1String("SELECT title FROM items"), QStringLiteral("sql() ") + designer.sql());
    check(designer.window() == nullptr, QStringLiteral("the window goes after finished"));
}

void classicComponent(const QString &file)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("thirdparty"));
    db.setDatabaseName(file);
    check(db.open() && makeTables(db), QStringLiteral("the SQLite file"));
    QString error;
    check(VdqQueryDesigner::addDatabase(db, QStringLiteral("HOSTDB"), QStringLiteral("ThirdParty"), &error),
          QStringLiteral("addDatabase: ") + error);
    TVDRunTimeQuery query;
    query.setProperty("DatabaseName", QStringLiteral("HOSTDB"));
    query.setProperty("SessionName", QStringLiteral("ThirdParty"));
    query.setProperty("SQL", QStringList{QStringLiteral("SELECT title"), QStringLiteral("FROM items")});
    check(query.DatabaseName() == QLatin1String("HOSTDB") && query.SessionName() == QLatin1String("ThirdParty")
              && query.property("SQL").toStringList().size() == 2,
          QStringLiteral("the classic properties"));
    // The designer is modal: a timer looks for it once it shows and leaves it.
    QString caption;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window || !window->isVisible())
            return;
        poll.stop();
        caption = window->windowTitle();
        saveAndExitSoon(window);
    });
    poll.start(10);
    try {
        query.Execute();
        // German on a German locale (the install test's second run sets LANGUAGE=de).
        const bool german = qEnvironmentVariable("LANGUAGE").startsWith(QLatin1String("de"));
        check(caption == (german ? QStringLiteral("SQL-Abfragegenerator") : QStringLiteral("SQL Query Generator")),
              QStringLiteral("designer caption: ") + caption);
        check(query.SQL() == QStringList({QStringLiteral("SELECT title"), QStringLiteral("FROM items")}),
              QStringLiteral("SQL after Save and Exit: ") + query.SQL().join(QLatin1Char('|')));
    } catch (const VdqError &e) {
        check(false, QStringLiteral("Execute on HOSTDB raised: ") + e.message());
    }
    // A database nobody configured: Execute raises and leaves SQL alone.
    query.SetSessionName(QString());
    query.SetDatabaseName(QStringLiteral("NOSUCHDB"));
    bool raised = false;
    try {
        query.Execute();
    } catch (const VdqError &e) {
        raised = e.message().contains(QLatin1String("NOSUCHDB"));
    }
    check(raised, QStringLiteral("Execute on NOSUCHDB raised no VdqError naming it"));
    check(query.SQL().size() == 2, QStringLiteral("SQL kept after the failed Execute"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    // No alias file: the host's own databases are all there is.
    VdqQueryDesigner::setAliasFile(dir.filePath(QStringLiteral("aliases.ini")));

    QSqlDatabase memory = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("memory"));
    memory.setDatabaseName(QStringLiteral(":memory:"));
    if (!dir.isValid() || !memory.open() || !makeTables(memory)) {
        std::fprintf(stderr, "FAIL: cannot make the SQLite databases\n");
        return 1;
    }
    embeddedWidget(memory);
    windowDesigner(memory);
    classicComponent(dir.filePath(QStringLiteral("items.db")));
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("--readme"))
        (void)&designQuery;  // linked: the README's example compiles and links as it stands
    check(memory.isOpen(), QStringLiteral("the host's connection stays open"));
    if (failures)
        return 1;
    std::printf("OK\n");
    return 0;
}
