// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// A third-party host built against the installed package: it runs the component on a
// database of its own and on one that does not exist, and prints OK when all went as
// a host expects.
#include <tsession.h>
#include <tsessionlist.h>
#include <tvdruntimequery.h>
#include <vdqerror.h>

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QVariant>
#include <cstdio>

namespace {

int failures = 0;

void check(bool ok, const QString &what)
{
    if (!ok) {
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
        ++failures;
    }
}

bool makeDatabase(const QString &path)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("thirdparty"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, title TEXT)"))
                 && q.exec(QStringLiteral("INSERT INTO items (title) VALUES ('first')"));
            if (!ok)
                std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("thirdparty"));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);

    QTemporaryDir dir;
    if (!dir.isValid() || !makeDatabase(dir.filePath(QStringLiteral("items.db")))) {
        std::fprintf(stderr, "FAIL: cannot make the SQLite database\n");
        return 1;
    }
    // No alias file: the host's own databases are all there is.
    Sessions().SetAliasFile(dir.filePath(QStringLiteral("aliases.ini")));

    TVDRunTimeQuery query;
    check(query.DatabaseName().isEmpty() && query.SQL().isEmpty() && query.SessionName().isEmpty()
              && query.FileName().isEmpty(),
          QStringLiteral("a new component has empty properties"));
    query.setProperty("DatabaseName", QStringLiteral("HOSTDB"));
    query.setProperty("SessionName", QStringLiteral("ThirdParty"));
    query.setProperty("SQL", QStringList{QStringLiteral("SELECT title"), QStringLiteral("FROM items")});
    check(query.DatabaseName() == QLatin1String("HOSTDB"), QStringLiteral("DatabaseName property"));
    check(query.SessionName() == QLatin1String("ThirdParty"), QStringLiteral("SessionName property"));
    check(query.property("SQL").toStringList().size() == 2, QStringLiteral("SQL property"));
    query.SetFileName(QStringLiteral("start.vdq"));
    check(query.property("FileName").toString() == QLatin1String("start.vdq"), QStringLiteral("FileName property"));
    query.SetFileName(QString());

    TSession *session = Sessions().CreateSession(QStringLiteral("ThirdParty"));
    TAliasParams params;
    params.name = QStringLiteral("HOSTDB");
    params.driver = QStringLiteral("STANDARD");
    params.path = dir.filePath(QStringLiteral("items.db"));
    session->AddDatabase(params);

    QStringList names;
    Sessions().ListSessionNames(names);
    check(names == QStringList({QStringLiteral("Default"), QStringLiteral("ThirdParty")}),
          QStringLiteral("session names: ") + names.join(QLatin1Char(',')));
    QStringList databases;
    session->ListDatabaseNames(databases);
    check(databases.contains(QLatin1String("HOSTDB")), QStringLiteral("database names: ") + databases.join(QLatin1Char(',')));

    // The designer opens on the host's database; "Save and Exit" hands the text back.
    QString caption;
    query.SetShowHook([&caption](QWidget *window) {
        caption = window->windowTitle();
        QTimer::singleShot(0, window, [window] {
            if (auto *saveAndExit = window->findChild<QToolButton *>(QStringLiteral("SpeedButton30")))
                saveAndExit->click();
            else
                window->close();
        });
    });
    try {
        query.Execute();
        check(caption == QLatin1String("SQL Query Generator"), QStringLiteral("designer caption: ") + caption);
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
        raised = true;
        check(e.message().contains(QLatin1String("NOSUCHDB")), QStringLiteral("error message: ") + e.message());
    }
    check(raised, QStringLiteral("Execute on NOSUCHDB raised no VdqError"));
    check(query.SQL().size() == 2, QStringLiteral("SQL kept after the failed Execute"));

    Sessions().CloseAll();
    if (failures)
        return 1;
    std::printf("OK\n");
    return 0;
}
