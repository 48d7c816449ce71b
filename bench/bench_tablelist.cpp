// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The table list of a database with many tables: a SQLite file of 10,000 tables (or --tables N)
// opened in the designer, and its filter box typed into. Prints one line:
//   tables=10000 list_ms=... filter_median_ms=... filter_max_ms=... keystrokes=...
// list_ms: from opening the database in the designer until the list shows its rows (painted);
// filter_*_ms: from a keystroke in the filter box (TableFilterEdit) until the narrowed list is
// painted, over a typed word, Backspaces and a clearing Escape. The median of --runs runs
// (default 3) each.
//   cmake --build BUILD --target bench_tablelist && BUILD/bench/bench_tablelist

#include "tqgqueryform.h"
#include "tqgtablelist.h"
#include "tsessionlist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "bench_tablelist: %s\n", qPrintable(message));
    std::exit(1);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

void makeTables(const QString &path, int tables)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("maker"));
    db.setDatabaseName(path);
    if (!db.open())
        fail(db.lastError().text());
    QSqlQuery q(db);
    q.exec(QStringLiteral("BEGIN"));
    // Names as a large schema has them: a few prefixes, numbered.
    const QStringList prefixes{QStringLiteral("Customer"), QStringLiteral("order_line"), QStringLiteral("Stock"),
                               QStringLiteral("audit_log"), QStringLiteral("Invoice")};
    for (int i = 0; i < tables; ++i) {
        if (!q.exec(QStringLiteral("CREATE TABLE \"%1_%2\" (id INTEGER PRIMARY KEY, name TEXT)")
                        .arg(prefixes.at(i % prefixes.size()))
                        .arg(i, 5, 10, QLatin1Char('0'))))
            fail(q.lastError().text());
    }
    q.exec(QStringLiteral("COMMIT"));
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
}

// Until the view has laid out and painted what it shows now.
void painted(QAbstractItemView *view)
{
    QCoreApplication::processEvents();
    view->viewport()->repaint();
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int tables = 10000;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--tables") && i + 1 < args.size())
            tables = qMax(1, args.at(++i).toInt());
        else if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = qMax(1, args.at(++i).toInt());
        else
            fail(QStringLiteral("unknown argument %1").arg(args.at(i)));
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("many.sqlite"));
    makeTables(file, tables);
    const QString aliases = dir.filePath(QStringLiteral("aliases.ini"));
    QFile ini(aliases);
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[MANY]\nDriver=STANDARD\nPath=many.sqlite\n") < 0)
        fail(ini.errorString());
    ini.close();
    Sessions().SetAliasFile(aliases);

    QList<double> listMs, keyMs;
    int keystrokes = 0;
    for (int run = 0; run < runs; ++run) {
        Sessions().CloseAll();
        TQGQueryForm form;
        form.resize(1000, 700);
        form.show();
        QCoreApplication::processEvents();
        TQGTableList *list = form.ListView1();
        QElapsedTimer timer;
        timer.start();
        form.OpenDesignDatabase(QStringLiteral("Default"), QStringLiteral("MANY"));
        painted(list->CurrentView());
        listMs.append(double(timer.nsecsElapsed()) / 1e6);
        if (list->RowCount() != tables)
            fail(QStringLiteral("the list shows %1 tables, not %2").arg(list->RowCount()).arg(tables));

        QLineEdit *edit = list->findChild<QLineEdit *>(QStringLiteral("TableFilterEdit"));
        if (!edit)
            fail(QStringLiteral("no TableFilterEdit"));
        edit->setFocus();
        const auto key = [&](Qt::Key k, char c = 0) {
            timer.restart();
            if (c)
                QTest::keyClick(edit, c);
            else
                QTest::keyClick(edit, k);
            painted(list->CurrentView());
            keyMs.append(double(timer.nsecsElapsed()) / 1e6);
            if (qEnvironmentVariableIsSet("BENCH_TRACE"))
                std::fprintf(stderr, "key %d %c: %.1f ms, %d shown\n", int(k), c ? c : '-', keyMs.constLast(), list->ShownRowCount());
            ++keystrokes;
        };
        for (const char c : QByteArrayLiteral("order_line_00121"))
            if (c)
                key(Qt::Key_unknown, c);
        if (list->ShownRowCount() != 1)
            fail(QStringLiteral("the filter shows %1 tables, not 1").arg(list->ShownRowCount()));
        for (int i = 0; i < 5; ++i)
            key(Qt::Key_Backspace);
        key(Qt::Key_Escape);
        if (list->ShownRowCount() != tables)
            fail(QStringLiteral("Escape left %1 tables shown").arg(list->ShownRowCount()));
    }
    std::sort(keyMs.begin(), keyMs.end());
    std::printf("tables=%d list_ms=%.1f filter_median_ms=%.2f filter_max_ms=%.2f keystrokes=%d\n", tables,
                median(listMs), median(keyMs), keyMs.isEmpty() ? -1.0 : keyMs.constLast(), keystrokes);
    return 0;
}
