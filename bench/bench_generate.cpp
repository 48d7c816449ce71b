// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// Edits of large designs, each timed from the edit to the updated views and editor.
//
// 200 tables of 100 fields, all ticked as placed, 500 condition rows and 100 sort rows: the
// median time of an edit of one condition value (one undoable step, the lists and the
// statement brought up to date), and of a click on a tick box:
//
//   generate_ms=… tick_ms=…
//
// 60 tables of 100 fields joined by 80 links: a click on a tick box, a moved window, and
// the undo and redo of a step:
//
//   links60_tick_ms=… links60_move_ms=… links60_undo_ms=… links60_redo_ms=…
//
// On standard error it also gives the worst case: every other table with one field
// unticked, so that the column line lists some 10,000 fields on one line.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_generate

#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tquery.h"
#include "tsessionlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Tables = 200;
constexpr int Fields = 100;

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

void makeDatabase(const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("BEGIN"));
    for (int t = 0; t < Tables; ++t) {
        QStringList columns;
        for (int f = 0; f < Fields; ++f)
            columns << QStringLiteral("Field%1 INTEGER").arg(f);
        q.exec(QStringLiteral("CREATE TABLE table%1 (%2)").arg(t).arg(columns.join(QStringLiteral(", "))));
    }
    q.exec(QStringLiteral("COMMIT"));
    db.close();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.sqlite"));
    makeDatabase(path);
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    QFile aliases(dir.filePath(QStringLiteral("aliases.ini")));
    aliases.open(QIODevice::WriteOnly);
    aliases.write(QStringLiteral("[BENCH]\nDriver=STANDARD\nPath=%1\n").arg(path).toUtf8());
    aliases.close();
    Sessions().SetAliasFile(aliases.fileName());

    TQGQueryForm form;
    form.Query1()->SetSessionName(QStringLiteral("Default"));
    form.Query1()->SetDatabaseName(QStringLiteral("BENCH"));
    form.OpenDesignDatabase(QStringLiteral("Default"), QStringLiteral("BENCH"));
    form.SetQuoteIdentifiers(true);
    form.resize(1200, 800);
    form.show();
    for (int t = 0; t < Tables; ++t)
        form.Canvas()->CreateTableWindow(QStringLiteral("table%1").arg(t),
                                         QRect(10 + 130 * (t % 20), 10 + 190 * (t / 20), 121, 180), true);
    form.EditDesign(QStringLiteral("rows"), [](DesignState &d) {
        for (int i = 0; i < 500; ++i)
            d.conditions << QStringList{QStringLiteral("table%1.\"Field%2\"").arg(i % Tables).arg(i % Fields),
                                        QStringLiteral("= (Equals)"), QString::number(i), QStringLiteral("AND")};
        for (int i = 0; i < 100; ++i)
            d.sorting << QStringList{QStringLiteral("table%1.\"Field1\"").arg(i), QStringLiteral("Yes")};
    });
    QCoreApplication::processEvents();

    auto timeGenerate = [&form] {
        QList<double> times;
        for (int i = 0; i < 31; ++i) {
            QElapsedTimer t;
            t.start();
            form.EditDesign(QStringLiteral("value"), [i](DesignState &d) { d.conditions[250][2] = QString::number(1000 + i); });
            times << t.nsecsElapsed() / 1e6;
        }
        return median(times);
    };
    const double generate = timeGenerate();

    // A click on the tick box of a row of a table window.
    const auto timeTicks = [](TQGCheckListBox *w) {
        w->scrollToTop();
        QCoreApplication::processEvents();
        const QRect itemRect = w->visualItemRect(w->item(3));
        QStyleOptionViewItem option;
        option.initFrom(w);
        option.rect = itemRect;
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect check = w->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, w);
        const QPoint click = check.isValid() ? check.center() : QPoint(itemRect.left() + 8, itemRect.center().y());
        QList<double> tick;
        for (int i = 0; i < 31; ++i) {
            const bool before = w->Checked(3);
            QElapsedTimer t;
            t.start();
            QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, click);
            tick << t.nsecsElapsed() / 1e6;
            if (w->Checked(3) == before) {
                std::fprintf(stderr, "the click did not change the tick\n");
                return -1.0;
            }
        }
        return median(tick);
    };
    const double tick = timeTicks(form.ScrollBox1()->TableWindows().first());
    if (tick < 0)
        return 1;
    std::printf("generate_ms=%.2f tick_ms=%.2f\n", generate, tick);
    std::fflush(stdout);

    // 60 tables, 80 links.
    {
        TQGQueryForm linked;
        linked.Query1()->SetSessionName(QStringLiteral("Default"));
        linked.Query1()->SetDatabaseName(QStringLiteral("BENCH"));
        linked.OpenDesignDatabase(QStringLiteral("Default"), QStringLiteral("BENCH"));
        linked.resize(1200, 800);
        linked.show();
        QList<TQGCheckListBox *> windows;
        for (int t = 0; t < 60; ++t)
            windows << linked.Canvas()->CreateTableWindow(QStringLiteral("table%1").arg(t),
                                                          QRect(10 + 160 * (t % 10), 10 + 220 * (t / 10), 121, 180), true);
        for (int l = 0; l < 80; ++l) {
            TQGCheckListBox *from = windows.at(l % 60), *to = windows.at((l * 7 + 1) % 60);
            if (from == to)
                to = windows.at((l + 1) % 60);
            linked.Canvas()->CreateLink(from, to, QStringLiteral("%1.Field1 = %2.Field1").arg(from->Alias(), to->Alias()));
        }
        QCoreApplication::processEvents();
        const double linkedTick = timeTicks(windows.at(5));
        QList<double> move, undo, redo;
        for (int i = 0; i < 31; ++i) {
            QElapsedTimer t;
            t.start();
            const int id = TQGCanvasCommands::DesignId(windows.at(7));
            linked.EditDesign(QStringLiteral("move"), [&](DesignState &d) { d.table(id)->geometry.translate(i % 2 ? -5 : 5, 3); });
            QCoreApplication::processEvents();
            move << t.nsecsElapsed() / 1e6;
            t.restart();
            linked.UndoStack()->undo();
            undo << t.nsecsElapsed() / 1e6;
            t.restart();
            linked.UndoStack()->redo();
            redo << t.nsecsElapsed() / 1e6;
        }
        std::printf("links60_tick_ms=%.2f links60_move_ms=%.2f links60_undo_ms=%.2f links60_redo_ms=%.2f\n", linkedTick,
                    median(move), median(undo), median(redo));
        std::fflush(stdout);
    }

    form.EditDesign(QStringLiteral("ticks"), [](DesignState &d) {
        for (int t = 1; t < d.tables.size(); t += 2)
            d.tables[t].ticks[t % Fields] = false;
    });
    std::fprintf(stderr, "worst case, half the tables listing their fields: generate_ms=%.2f\n", timeGenerate());
    std::fprintf(stderr, "statement: %lld characters, %lld lines\n",
                 qlonglong(form.Memo1()->toPlainText().size()), qlonglong(form.Memo1()->Lines().size()));
    return 0;
}
