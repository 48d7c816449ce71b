// Statement generation on a large design: 200 tables of 100 fields on the canvas, all
// ticked as placed, 500 condition rows and 100 sort rows. Prints the median time of one
// GenerateSQL after a change of a condition value, including the editor update, and of
// one tick change from the click to the updated editor:
//
//   generate_ms=… tick_ms=…
//
// On standard error it also gives the worst case: every other table with one field
// unticked, so that the column line lists some 10,000 fields on one line.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_generate

#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdesignlists.h"
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
#include <QTreeWidget>
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
    for (int t = 0; t < Tables; ++t) {
        TQGCheckListBox *w = form.Canvas()->CreateTableWindow(QStringLiteral("table%1").arg(t),
                                                              QRect(10 + 130 * (t % 20), 10 + 190 * (t / 20), 121, 180),
                                                              true);
        Q_UNUSED(w);
    }
    for (int i = 0; i < 500; ++i)
        form.AddConditionRow(QStringLiteral("table%1.\"Field%2\"").arg(i % Tables).arg(i % Fields), QStringLiteral("= (Equals)"),
                             QString::number(i));
    for (int i = 0; i < 100; ++i)
        TQGDesignLists::AppendRow(form.ListView3(), {QStringLiteral("table%1.\"Field1\"").arg(i), QStringLiteral("Yes")});
    QCoreApplication::processEvents();

    auto timeGenerate = [&form] {
        QList<double> times;
        QTreeWidgetItem *row = form.ListView2()->topLevelItem(250);
        for (int i = 0; i < 31; ++i) {
            row->setText(2, QString::number(1000 + i));
            QElapsedTimer t;
            t.start();
            form.GenerateSQL();
            times << t.nsecsElapsed() / 1e6;
        }
        return median(times);
    };
    const double generate = timeGenerate();

    // A click on the tick box of a row in the first table window.
    TQGCheckListBox *w = form.ScrollBox1()->TableWindows().first();
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
            return 1;
        }
    }
    std::printf("generate_ms=%.2f tick_ms=%.2f\n", generate, median(tick));
    std::fflush(stdout);
    const QList<TQGCheckListBox *> windows = form.ScrollBox1()->TableWindows();
    for (int t = 1; t < windows.size(); t += 2)
        windows.at(t)->SetChecked(t % Fields, false);
    form.GenerateSQL();
    std::fprintf(stderr, "worst case, half the tables listing their fields: generate_ms=%.2f\n", timeGenerate());
    std::fprintf(stderr, "statement: %lld characters, %lld lines\n",
                 qlonglong(form.Memo1()->toPlainText().size()), qlonglong(form.Memo1()->Lines().size()));
    return 0;
}
