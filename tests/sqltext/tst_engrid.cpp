// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"
#include "tqgdbnavigator.h"
#include "tqgengrid.h"
#include "tqgindicatorheader.h"
#include "tqgresultmodel.h"
#include "tqgrowwindow.h"
#include "tquery.h"
#include "tsessionlist.h"

#include <QBuffer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

// The result grid: its row-height layout, the drawing of memo, picture and plain cells,
// its laziness over a large result, and the record navigator bound to it.
class TestEnGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void defaults();
    void layoutFigures_data();
    void layoutFigures();
    void equalValueDoesNotRelayout();
    void fontChangeRelayouts();

    void cellDrawing_data();
    void cellDrawing();
    void memoTextWraps();
    void ampersandIsPlain_data();
    void ampersandIsPlain();
    void selectedCellUsesHighlight();
    void zeroLinesDrawsTheStandardWay();
    void picturesStretchedInTheGrid();
    void indicatorMarksTheCurrentRecord();

    void modelFollowsTheQuery();
    void onlyRowsInViewAreRead();
    void memoryStaysBoundedWhileScrolling();
    void windowMovesWithTheUser_data();
    void windowMovesWithTheUser();
    void ctrlEndWhileReading();

    void navigatorMovesTheCurrentRow();
    void navigatorButtonsFollowThePosition();
    void navigatorRefreshAsks();

private:
    void open(TQuery &query, const QString &alias, const QString &sql);
    QImage renderCell(TQGenGrid &grid, const QModelIndex &index, const QRect &rect, QStyle::State state) const;

    QTemporaryDir m_dir;
    QByteArray m_picture;  // a PNG: left half red, right half blue
};

namespace {

const QString kLongMemo = QStringLiteral(
    "Washed Arabica from the Gedeo zone with notes of bergamot, lemon and jasmine,\n"
    "roasted light for filter brewing");

QImage blank(const QSize &size, const QColor &fill)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// What a cell should look like: its brush, then the value inside the 2-pixel margin.
QImage expectedCell(const QRect &rect, const QColor &brush, const QColor &pen, const QFont &font,
                    const std::function<void(QPainter &, const QRect &)> &draw)
{
    QImage image = blank(rect.size() + QSize(rect.x(), rect.y()), Qt::transparent);
    QPainter p(&image);
    p.fillRect(rect, brush);
    const QRect inner = rect.adjusted(2, 2, -2, -2);
    p.setClipRect(inner);
    p.setPen(pen);
    p.setFont(font);
    draw(p, inner);
    p.end();
    return image;
}

} // namespace

void TestEnGrid::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QString error;
    QVERIFY2(TestSupport::MakeSampleSqlite(m_dir.filePath(QStringLiteral("shop.sqlite")), &error, true),
             qPrintable(error));

    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 8; ++y)
        for (int x = 4; x < 8; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    QBuffer buffer(&m_picture);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&buffer, "PNG"));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(m_dir.filePath(QStringLiteral("grid.sqlite")));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE items (Id INTEGER, Name VARCHAR(30), Notes TEXT, Picture BLOB)")));
        QVERIFY(q.prepare(QStringLiteral("INSERT INTO items VALUES (?, ?, ?, ?)")));
        const QStringList names{QStringLiteral("Salt & Pepper"), QStringLiteral("Line one\nline two"),
                                QStringLiteral("&Co")};
        const QStringList notes{kLongMemo, QStringLiteral("Fish && Chips &Co"), QString()};
        for (int i = 0; i < 3; ++i) {
            q.addBindValue(i + 1);
            q.addBindValue(names.at(i));
            q.addBindValue(notes.at(i).isNull() ? QVariant() : QVariant(notes.at(i)));
            q.addBindValue(i == 0 ? QVariant(m_picture) : QVariant());
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    TestSupport::UseAliasFile(m_dir.filePath(QStringLiteral("aliases.ini")),
                              QStringLiteral("[GRID]\nDriver=STANDARD\nPath=grid.sqlite\n\n"
                                             "[SHOP]\nDriver=STANDARD\nPath=shop.sqlite\n"));
}

void TestEnGrid::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestEnGrid::open(TQuery &query, const QString &alias, const QString &sql)
{
    query.SetDatabaseName(alias);
    query.SetSQL({sql});
    query.Open();
    // The rows come from a reader thread: all of them, and announced to a model.
    query.WaitForEnd();
    QCoreApplication::processEvents();
}

QImage TestEnGrid::renderCell(TQGenGrid &grid, const QModelIndex &index, const QRect &rect, QStyle::State state) const
{
    QStyleOptionViewItem option;
    option.initFrom(&grid);
    option.rect = rect;
    option.font = grid.font();
    option.state = state;
    option.widget = &grid;
    QImage image = blank(rect.size() + QSize(rect.x(), rect.y()), Qt::transparent);
    QPainter p(&image);
    grid.itemDelegate()->paint(&p, option, index);
    p.end();
    return image;
}

void TestEnGrid::defaults()
{
    TQGenGrid grid;
    QCOMPARE(grid.LinesPerRow(), 1);
    QCOMPARE(grid.property("LinesPerRow").toInt(), 1);
    QVERIFY(grid.metaObject()->property(grid.metaObject()->indexOfProperty("LinesPerRow")).isStored());
    // The data grid's standard options: title row, indicator column, lines, sizable columns.
    QVERIFY(grid.showGrid());
    QVERIFY(!grid.horizontalHeader()->isHidden());
    QVERIFY(qobject_cast<TQGIndicatorHeader *>(grid.verticalHeader()));
    QVERIFY(!grid.verticalHeader()->isHidden());
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items"));
    TQGResultModel model;
    model.SetQuery(&query);
    grid.setModel(&model);
    for (int column = 0; column < model.columnCount(); ++column)
        QCOMPARE(grid.horizontalHeader()->sectionResizeMode(column), QHeaderView::Interactive);
    QCOMPARE(grid.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

void TestEnGrid::layoutFigures_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("rowLines");
    QTest::newRow("one line") << 1 << true;
    QTest::newRow("three lines") << 3 << true;
    QTest::newRow("one line, no row lines") << 1 << false;
    QTest::newRow("three lines, no row lines") << 3 << false;
    QTest::newRow("five lines") << 5 << true;
}

void TestEnGrid::layoutFigures()
{
    QFETCH(int, lines);
    QFETCH(bool, rowLines);
    TQGenGrid grid;
    grid.setShowGrid(rowLines);
    grid.SetLinesPerRow(lines == 2 ? 4 : 2);  // a change, so the layout runs with the new setting
    grid.SetLinesPerRow(lines);
    grid.resize(400, 300);

    const int lineWidth = rowLines ? 1 : 0;
    const int h = QFontMetrics(grid.font()).size(Qt::TextSingleLine, QStringLiteral("Wg")).height() + 3 + lineWidth;
    const int t = QFontMetrics(grid.horizontalHeader()->font()).size(Qt::TextSingleLine, QStringLiteral("Wg")).height()
                  + 4 + lineWidth;
    QCOMPARE(grid.LineHeight(), h);
    QCOMPARE(grid.TitleHeight(), t);
    QCOMPARE(grid.RowHeight(), h * lines);
    QCOMPARE(grid.verticalHeader()->defaultSectionSize(), h * lines);
    QCOMPARE(grid.horizontalHeader()->height(), t);
    QCOMPARE(grid.GridRowCount(), (300 - t) / (h * lines) + 1);

    // Every data row of a result has that height.
    TQuery query;
    open(query, QStringLiteral("SHOP"), QStringLiteral("SELECT * FROM products"));
    TQGResultModel model;
    model.SetQuery(&query);
    grid.setModel(&model);
    QCOMPARE(model.rowCount(), 20);
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(grid.rowHeight(row), h * lines);
}

void TestEnGrid::equalValueDoesNotRelayout()
{
    TQGenGrid grid;
    const int runs = grid.LayoutRuns();
    QVERIFY(runs >= 1);  // the constructor lays out
    grid.SetLinesPerRow(1);
    QCOMPARE(grid.LayoutRuns(), runs);
    grid.SetLinesPerRow(3);
    QCOMPARE(grid.LayoutRuns(), runs + 1);
    QCOMPARE(grid.verticalHeader()->defaultSectionSize(), 3 * grid.LineHeight());
    grid.SetLinesPerRow(3);
    QVERIFY(grid.setProperty("LinesPerRow", 3));
    QCOMPARE(grid.LayoutRuns(), runs + 1);
    grid.SetLinesPerRow(1);
    QCOMPARE(grid.LayoutRuns(), runs + 2);
    QCOMPARE(grid.verticalHeader()->defaultSectionSize(), grid.LineHeight());
}

void TestEnGrid::fontChangeRelayouts()
{
    TQGenGrid grid;
    grid.SetLinesPerRow(3);
    QFont big = grid.font();
    big.setPointSize(big.pointSize() * 3);
    grid.setFont(big);
    const int h = QFontMetrics(big).size(Qt::TextSingleLine, QStringLiteral("Wg")).height() + 4;
    QCOMPARE(grid.LineHeight(), h);
    QCOMPARE(grid.verticalHeader()->defaultSectionSize(), 3 * h);
}

void TestEnGrid::cellDrawing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("kind");
    QTest::newRow("plain value") << 0 << 1 << "plain";
    QTest::newRow("plain value with a line break") << 1 << 1 << "plain";
    QTest::newRow("number") << 2 << 0 << "plain";
    QTest::newRow("memo") << 0 << 2 << "memo";
    QTest::newRow("empty memo") << 2 << 2 << "memo";
    QTest::newRow("picture") << 0 << 3 << "picture";
    QTest::newRow("no picture") << 1 << 3 << "picture";
}

void TestEnGrid::cellDrawing()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, kind);
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.SetLinesPerRow(3);
    const QModelIndex index = model.index(row, column);
    const QRect rect(3, 5, 150, grid.RowHeight() - 1);
    const QColor base = grid.palette().color(QPalette::Active, QPalette::Base);
    const QColor text = grid.palette().color(QPalette::Active, QPalette::Text);

    const QImage actual = renderCell(grid, index, rect, QStyle::State_Enabled | QStyle::State_Active);
    const QImage expected = expectedCell(rect, base, text, grid.font(), [&](QPainter &p, const QRect &inner) {
        if (kind == QLatin1String("plain")) {
            p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, query.DisplayText(row, column));
        } else if (kind == QLatin1String("memo")) {
            // Whole lines only: the last line that would be cut is not drawn.
            const int spacing = QFontMetrics(grid.font()).lineSpacing();
            QRect lines = inner;
            lines.setHeight(qMax(spacing, inner.height() / spacing * spacing));
            p.setClipRect(lines.intersected(inner));
            p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, query.WholeText(row, column));
        } else {
            const QPixmap picture = QPixmap::fromImage(QImage::fromData(query.Picture(row, column)));
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            if (!picture.isNull())
                p.drawPixmap(inner, picture);
        }
    });
    QCOMPARE(actual, expected);
    // Nothing but the brush in the 2-pixel margin.
    for (int x = rect.left(); x <= rect.right(); ++x) {
        QCOMPARE(QColor(actual.pixel(x, rect.top())), base);
        QCOMPARE(QColor(actual.pixel(x, rect.top() + 1)), base);
        QCOMPARE(QColor(actual.pixel(x, rect.bottom())), base);
    }
}

void TestEnGrid::memoTextWraps()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT Notes FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.SetLinesPerRow(3);
    const QRect rect(0, 0, 160, grid.RowHeight() - 1);
    const QImage actual = renderCell(grid, model.index(0, 0), rect, QStyle::State_Enabled | QStyle::State_Active);
    const QColor base = grid.palette().color(QPalette::Active, QPalette::Base);

    // Ink on the second and third text lines: the text went on below the first line.
    const int lineHeight = QFontMetrics(grid.font()).lineSpacing();
    const auto inkInBand = [&](int top, int bottom) {
        for (int y = top; y < bottom && y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                if (QColor(actual.pixel(x, y)) != base)
                    return true;
        return false;
    };
    QVERIFY(inkInBand(2, 2 + lineHeight));
    QVERIFY(inkInBand(2 + lineHeight, 2 + 2 * lineHeight));
    QVERIFY(inkInBand(2 + 2 * lineHeight, 2 + 3 * lineHeight));
    // ... and no ink right of the inner rectangle.
    for (int y = 0; y < actual.height(); ++y) {
        QCOMPARE(QColor(actual.pixel(rect.right(), y)), base);
        QCOMPARE(QColor(actual.pixel(rect.right() - 1, y)), base);
    }
}

void TestEnGrid::ampersandIsPlain_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("alignment");
    QTest::newRow("plain value") << 0 << 1 << int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    QTest::newRow("leading ampersand") << 2 << 1 << int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    QTest::newRow("memo") << 1 << 2 << int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void TestEnGrid::ampersandIsPlain()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, alignment);
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.SetLinesPerRow(3);
    const QString value = query.WholeText(row, column);
    QVERIFY(value.contains(u'&'));
    const QRect rect(0, 0, 200, grid.RowHeight() - 1);
    const QColor base = grid.palette().color(QPalette::Active, QPalette::Base);
    const QColor text = grid.palette().color(QPalette::Active, QPalette::Text);
    const QImage actual = renderCell(grid, model.index(row, column), rect, QStyle::State_Enabled | QStyle::State_Active);
    const auto drawn = [&](int flags) {
        return expectedCell(rect, base, text, grid.font(), [&](QPainter &p, const QRect &inner) {
            p.drawText(inner, flags, value);
        });
    };
    QCOMPARE(actual, drawn(alignment));
    QVERIFY(actual != drawn(alignment | Qt::TextShowMnemonic));
}

void TestEnGrid::selectedCellUsesHighlight()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    const QRect rect(0, 0, 120, grid.RowHeight() - 1);
    const QImage actual = renderCell(grid, model.index(0, 1), rect,
                                     QStyle::State_Enabled | QStyle::State_Active | QStyle::State_Selected);
    const QPalette palette = grid.palette();
    const QImage expected = expectedCell(rect, palette.color(QPalette::Active, QPalette::Highlight),
                                         palette.color(QPalette::Active, QPalette::HighlightedText), grid.font(),
                                         [&](QPainter &p, const QRect &inner) {
                                             p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                                        QStringLiteral("Salt & Pepper"));
                                         });
    QCOMPARE(actual, expected);
}

void TestEnGrid::zeroLinesDrawsTheStandardWay()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.SetLinesPerRow(0);
    QCOMPARE(grid.LinesPerRow(), 0);
    QVERIFY(grid.RowHeight() > 0);  // the rows stay visible
    for (int column = 0; column < model.columnCount(); ++column) {
        const QModelIndex index = model.index(0, column);
        const QRect rect(0, 0, 150, 40);
        QStyleOptionViewItem option;
        option.initFrom(&grid);
        option.rect = rect;
        option.font = grid.font();
        option.state = QStyle::State_Enabled | QStyle::State_Active;
        option.widget = &grid;
        QImage expected = blank(rect.size(), Qt::transparent);
        {
            QPainter p(&expected);
            QStyledItemDelegate().paint(&p, option, index);
        }
        QCOMPARE(renderCell(grid, index, rect, option.state), expected);
    }
}

void TestEnGrid::picturesStretchedInTheGrid()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT Id, Picture, Notes FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.SetLinesPerRow(3);
    grid.setColumnWidth(1, 90);
    grid.resize(400, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.clearSelection();
    grid.SetCurrentRow(2, 0);  // the picture cell is not the current one

    const QImage shot = grid.viewport()->grab().toImage();
    const QRect cell = grid.visualRect(grid.ViewIndex(model.index(0, 1)));  // the grid line is not part of it
    QCOMPARE(cell.height(), 3 * grid.LineHeight() - 1);
    const QRect inner = cell.adjusted(2, 2, -2, -2);
    const QColor red(Qt::red), blue(Qt::blue);
    const QColor base = grid.palette().color(QPalette::Active, QPalette::Base);
    // Left half red, right half blue, from corner to corner of the inner rectangle.
    const QPoint in(1, 1);
    QCOMPARE(QColor(shot.pixel(inner.topLeft() + in)), red);
    QCOMPARE(QColor(shot.pixel(inner.bottomLeft() + QPoint(1, -1))), red);
    QCOMPARE(QColor(shot.pixel(inner.left() + inner.width() / 4, inner.center().y())), red);
    QCOMPARE(QColor(shot.pixel(inner.topRight() + QPoint(-1, 1))), blue);
    QCOMPARE(QColor(shot.pixel(inner.bottomRight() - in)), blue);
    QCOMPARE(QColor(shot.pixel(inner.right() - inner.width() / 4, inner.center().y())), blue);
    for (const QPoint &corner : {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()})
        QVERIFY(QColor(shot.pixel(corner)) != base);
    // The 2-pixel margin keeps the brush.
    for (int d = 0; d < 2; ++d) {
        QCOMPARE(QColor(shot.pixel(cell.left() + d, cell.center().y())), base);
        QCOMPARE(QColor(shot.pixel(cell.right() - d, cell.center().y())), base);
        QCOMPARE(QColor(shot.pixel(cell.center().x(), cell.top() + d)), base);
        QCOMPARE(QColor(shot.pixel(cell.center().x(), cell.bottom() - d)), base);
    }
    // A row without a picture shows the brush only.
    const QRect empty = grid.visualRect(grid.ViewIndex(model.index(1, 1)));
    QCOMPARE(QColor(shot.pixel(empty.center())), base);
}

void TestEnGrid::indicatorMarksTheCurrentRecord()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.resize(400, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QHeaderView *indicator = grid.verticalHeader();
    QCOMPARE(indicator->width(), TQGIndicatorHeader::IndicatorWidth);
    const QColor arrow = indicator->palette().color(QPalette::ButtonText);
    const auto marked = [&](int row) {
        const QImage shot = indicator->viewport()->grab().toImage();
        const int y = indicator->sectionViewportPosition(row) + indicator->sectionSize(row) / 2;
        for (int x = 0; x < shot.width(); ++x)
            if (QColor(shot.pixel(x, y)) == arrow)
                return true;
        return false;
    };
    grid.SetCurrentRow(1, 0);
    QVERIFY(marked(1));
    QVERIFY(!marked(0));
    grid.SetCurrentRow(2, 1);
    QVERIFY(marked(2));
    QVERIFY(!marked(1));
}

void TestEnGrid::modelFollowsTheQuery()
{
    TQuery query;
    TQGResultModel model;
    model.SetQuery(&query);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Notes"));
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("Salt & Pepper"));
    QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("(Graphic)"));
    QCOMPARE(TFieldKind(model.index(0, 2).data(TQGResultModel::FieldKindRole).toInt()), TFieldKind::Memo);
    QCOMPARE(TFieldKind(model.index(0, 3).data(TQGResultModel::FieldKindRole).toInt()), TFieldKind::Graphic);
    QCOMPARE(TFieldKind(model.index(0, 1).data(TQGResultModel::FieldKindRole).toInt()), TFieldKind::Other);
    QCOMPARE(model.index(0, 2).data(TQGResultModel::WholeTextRole).toString(), kLongMemo);
    QCOMPARE(model.index(0, 3).data(TQGResultModel::PictureRole).value<QPixmap>().size(), QSize(8, 8));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model.canFetchMore());
    query.Close();
    QCOMPARE(resets.count(), 2);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
    QVERIFY(!model.index(0, 0).isValid());
}

void TestEnGrid::onlyRowsInViewAreRead()
{
    TQuery query;
    open(query, QStringLiteral("SHOP"), QStringLiteral("SELECT * FROM ledger"));
    TQGResultModel model;
    model.SetQuery(&query);
    QCOMPARE(model.rowCount(), 1000000);
    TQGenGrid grid;
    grid.resize(500, 300);
    grid.setModel(&model);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.viewport()->grab();
    const int inView = grid.GridRowCount();
    QVERIFY(model.HighestRowRead() >= 0);
    QVERIFY2(model.HighestRowRead() < inView, qPrintable(QString::number(model.HighestRowRead())));
    QCOMPARE(query.CachedRowCount(), 64);  // the first block only
    // Typing in the grid and fitting a column look at the rows in view only.
    grid.setFocus();
    QTest::keyClicks(&grid, QStringLiteral("Entry 9"));
    grid.resizeColumnToContents(4);
    QVERIFY2(model.HighestRowRead() < inView, qPrintable(QString::number(model.HighestRowRead())));
    QCOMPARE(query.CachedRowCount(), 64);

    grid.ScrollToRow(500000);
    grid.viewport()->grab();
    QVERIFY(model.HighestRowRead() >= 500000);
    QVERIFY(model.HighestRowRead() < 500000 + inView);
    QCOMPARE(grid.RowAt(1), 500000);
    QCOMPARE(model.index(500000, 4).data().toString(), QStringLiteral("Entry 500001"));
}

void TestEnGrid::memoryStaysBoundedWhileScrolling()
{
    TQuery query;
    open(query, QStringLiteral("SHOP"), QStringLiteral("SELECT * FROM ledger"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QScrollBar *bar = grid.RowScrollBar();
    QCOMPARE(bar->maximum() > 990000, true);
    for (int step = 0; step <= 40; ++step) {
        bar->setValue(int(qint64(bar->maximum()) * ((step * 7919) % 41) / 40));
        grid.viewport()->grab();
        QVERIFY2(query.CachedRowCount() <= 16 * 256, qPrintable(QString::number(query.CachedRowCount())));
    }
    bar->setValue(bar->maximum());
    grid.viewport()->grab();
    QCOMPARE(model.HighestRowRead(), 999999);
    QVERIFY(query.CachedRowCount() <= 16 * 256);
}

// The view sees a window of 100 rows of the million; every way of moving reaches the rows
// beyond it, and the row shown is always the result's row of that number.
void TestEnGrid::windowMovesWithTheUser_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("row");
    QTest::newRow("keys down") << "down" << 250;
    QTest::newRow("page down") << "pagedown" << -1;
    QTest::newRow("ctrl end") << "ctrlend" << 999999;
    QTest::newRow("bar to end") << "bar" << 999999;
    QTest::newRow("wheel") << "wheel" << -1;
    QTest::newRow("back from the end") << "back" << 999899;
}

void TestEnGrid::windowMovesWithTheUser()
{
    QFETCH(QString, how);
    QFETCH(int, row);
    TQuery query;
    open(query, QStringLiteral("SHOP"), QStringLiteral("SELECT * FROM ledger"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.Window()->SetCapacity(100);
    grid.setModel(&model);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.SetCurrentRow(0, 4);
    const int page = grid.GridRowCount() - 2;
    if (how == QLatin1String("down")) {
        for (int i = 0; i < row; ++i)
            QTest::keyClick(&grid, Qt::Key_Down);
    } else if (how == QLatin1String("pagedown")) {
        for (int i = 0; i < 30; ++i)
            QTest::keyClick(&grid, Qt::Key_PageDown);
        QVERIFY(grid.CurrentRow() >= 30 * page);
        row = grid.CurrentRow();
    } else if (how == QLatin1String("ctrlend")) {
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    } else if (how == QLatin1String("bar")) {
        grid.RowScrollBar()->setValue(grid.RowScrollBar()->maximum());
        QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.ViewIndex(model.index(999999, 4)))));
        QCOMPARE(grid.CurrentRow(), grid.RowAt(1));  // the current row came along
        grid.SetCurrentRow(999999);
    } else if (how == QLatin1String("wheel")) {
        for (int i = 0; i < 100; ++i) {
            QWheelEvent wheel(QPointF(50, 50), grid.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid.viewport(), &wheel);
        }
        QVERIFY(grid.RowAt(1) >= 250);
        grid.SetCurrentRow(grid.RowAt(1));
        row = grid.RowAt(1);
    } else {
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        for (int i = 0; i < 100; ++i)
            QTest::keyClick(&grid, Qt::Key_Up);
    }
    grid.viewport()->grab();
    QCOMPARE(grid.CurrentRow(), row);
    QCOMPARE(grid.currentIndex().data().toString(), QStringLiteral("Entry %1").arg(row + 1));
    QVERIFY(grid.viewport()->rect().intersects(grid.visualRect(grid.currentIndex())));
    QVERIFY(grid.verticalHeader()->count() <= 100);
    QCOMPARE(grid.RowScrollBar()->value(), grid.RowAt(1));
}

// Ctrl+End while the rows are still read goes to the result's last row (read ahead where the
// engine can), and the rows shown there are those the reading gets to itself.
void TestEnGrid::ctrlEndWhileReading()
{
    TQuery query;
    query.SetDatabaseName(QStringLiteral("SHOP"));
    query.SetSQL({QStringLiteral("SELECT * FROM ledger")});
    query.Open();
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.SetCurrentRow(0, 4);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QTRY_COMPARE(grid.CurrentRow(), 999999);
    QVERIFY(grid.viewport()->rect().intersects(grid.visualRect(grid.currentIndex())));
    const auto lastRows = [&] {
        QStringList texts;
        for (int row = 999000; row < 1000000; ++row)
            texts << model.index(row, 4).data().toString() + u' ' + model.index(row, 3).data().toString();
        return texts;
    };
    const QStringList shown = lastRows();
    QCOMPARE(shown.constLast().section(u' ', 0, 1), QStringLiteral("Entry 1000000"));
    query.WaitForEnd();
    QCoreApplication::processEvents();
    QCOMPARE(model.rowCount(), 1000000);
    QCOMPARE(lastRows(), shown);
}

void TestEnGrid::navigatorMovesTheCurrentRow()
{
    TQuery query;
    open(query, QStringLiteral("SHOP"), QStringLiteral("SELECT * FROM ledger"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    grid.resize(500, 300);
    TQGDBNavigator navigator;
    navigator.SetView(&grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.SetCurrentRow(0, 2);

    navigator.Button(QStringLiteral("NavNext"))->click();
    QCOMPARE(grid.CurrentRow(), 1);
    QCOMPARE(grid.currentIndex().column(), 2);  // the column stays
    navigator.Next();
    QCOMPARE(grid.CurrentRow(), 2);
    navigator.Button(QStringLiteral("NavPrior"))->click();
    QCOMPARE(grid.CurrentRow(), 1);
    navigator.Button(QStringLiteral("NavLast"))->click();
    QCOMPARE(grid.CurrentRow(), 999999);
    grid.viewport()->grab();
    QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex())));
    QCOMPARE(model.index(grid.CurrentRow(), 0).data().toString(), QStringLiteral("1000000"));
    navigator.Next();
    QCOMPARE(grid.CurrentRow(), 999999);
    navigator.Prior();
    QCOMPARE(grid.CurrentRow(), 999998);
    navigator.Button(QStringLiteral("NavFirst"))->click();
    QCOMPARE(grid.CurrentRow(), 0);
    navigator.Prior();
    QCOMPARE(grid.CurrentRow(), 0);
    QVERIFY(query.CachedRowCount() <= 16 * 256);
}

void TestEnGrid::navigatorButtonsFollowThePosition()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    TQGDBNavigator navigator;
    navigator.SetView(&grid);
    QCOMPARE(navigator.objectName(), QStringLiteral("DBNavigator1"));
    QCOMPARE(navigator.height(), 18);
    const auto enabled = [&](const char *name) { return navigator.Button(QLatin1String(name))->isEnabled(); };
    // Only the buttons of a read-only data set, and stop for a result still being read.
    QCOMPARE(navigator.findChildren<QToolButton *>().size(), 6);
    QVERIFY(!enabled("NavStop"));

    grid.SetCurrentRow(0, 0);
    QVERIFY(!enabled("NavFirst"));
    QVERIFY(!enabled("NavPrior"));
    QVERIFY(enabled("NavNext"));
    QVERIFY(enabled("NavLast"));
    QVERIFY(enabled("NavRefresh"));
    grid.SetCurrentRow(1, 0);  // moved by the grid itself
    QVERIFY(enabled("NavFirst"));
    QVERIFY(enabled("NavPrior"));
    QVERIFY(enabled("NavNext"));
    navigator.Last();
    QVERIFY(enabled("NavFirst"));
    QVERIFY(!enabled("NavNext"));
    QVERIFY(!enabled("NavLast"));

    query.Close();  // an empty grid: nothing to move to
    for (const char *name : {"NavFirst", "NavPrior", "NavNext", "NavLast", "NavRefresh"})
        QVERIFY2(!enabled(name), name);
    navigator.Next();
    QVERIFY(!grid.currentIndex().isValid());
}

void TestEnGrid::navigatorRefreshAsks()
{
    TQuery query;
    open(query, QStringLiteral("GRID"), QStringLiteral("SELECT * FROM items ORDER BY Id"));
    TQGResultModel model;
    model.SetQuery(&query);
    TQGenGrid grid;
    grid.setModel(&model);
    TQGDBNavigator navigator;
    navigator.SetView(&grid);
    QSignalSpy spy(&navigator, &TQGDBNavigator::refreshRequested);
    navigator.Button(QStringLiteral("NavRefresh"))->click();
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestEnGrid)
#include "tst_engrid.moc"
