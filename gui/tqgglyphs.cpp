// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgglyphs.h"

#include <QToolButton>

#include "tqgglyphengine.h"
#include "tqgglyphpainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtMath>

#include <cmath>

namespace {

// The palette of the whole set: dark slate outlines, white and light grey surfaces, one
// accent blue, green for run and confirm, red for delete and cancel.
const QColor Ink(0x3a, 0x43, 0x51);
const QColor InkSoft(0x8b, 0x95, 0xa3);
const QColor Paper(0xff, 0xff, 0xff);
const QColor Shade(0xe4, 0xe9, 0xef);
const QColor Metal(0xc4, 0xcc, 0xd6);
const QColor Blue(0x2f, 0x7d, 0xd5);
const QColor BlueDark(0x1e, 0x5a, 0xa6);
const QColor BlueMid(0x86, 0xb6, 0xea);
const QColor BlueLight(0xcd, 0xe2, 0xf8);
const QColor Green(0x2e, 0xa0, 0x50);
const QColor GreenDark(0x1d, 0x77, 0x39);
const QColor Red(0xdc, 0x3b, 0x3b);
const QColor RedDark(0xa9, 0x25, 0x25);
const QColor Clear(Qt::transparent);

using Cells = QVector<QPointF>;

// A page with its top right corner folded over.
void DrawPage(const TQGGlyphPainter &g, qreal x0, qreal y0, qreal x1, qreal y1, qreal fold,
              const QColor &fill, const QVector<qreal> &textRows = {})
{
    g.polygon({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}}, fill, Ink);
    for (qreal row : textRows)
        g.hline(x0 + 2, x1 - 2, row, InkSoft);
    g.polygon({{x1 - fold, y0}, {x1 - fold, y0 + fold}, {x1, y0 + fold}}, Shade, Ink);
}

// A table outline with a header band and column and row lines; the column numbered
// `highlight` (from 0, left to right) is drawn as the selected one.
struct TableShape {
    qreal x0, y0, x1, y1;
    qreal headerLine;
    QVector<qreal> columns;
    QVector<qreal> rows;
    bool thinLines = false;
};

void DrawGrid(const TQGGlyphPainter &g, const TableShape &s, const QColor &header,
              int highlight = -1)
{
    const int lw = g.lineWidth();
    const int inner = s.thinLines ? g.thinWidth() : lw;
    QPainter &p = g.painter();
    g.inside(s.x0, s.y0, s.x1, s.headerLine, header);
    g.inside(s.x0, s.headerLine, s.x1, s.y1, Paper);
    if (highlight >= 0 && highlight <= s.columns.size()) {
        const qreal left = highlight == 0 ? g.lineStartX(s.x0) + lw
                                          : g.lineStartX(s.columns[highlight - 1]) + inner;
        const qreal right = highlight == s.columns.size() ? g.lineStartX(s.x1)
                                                          : g.lineStartX(s.columns[highlight]);
        p.fillRect(QRectF(QPointF(left, g.lineStartY(s.y0) + lw),
                          QPointF(right, g.lineStartY(s.headerLine))), Blue);
        p.fillRect(QRectF(QPointF(left, g.lineStartY(s.headerLine) + lw),
                          QPointF(right, g.lineStartY(s.y1))), BlueLight);
    }
    for (qreal row : s.rows)
        g.hline(s.x0, s.x1, row, InkSoft, s.thinLines);
    for (qreal column : s.columns)
        g.vline(column, s.headerLine, s.y1, InkSoft, s.thinLines);
    g.hline(s.x0, s.x1, s.headerLine, Ink);
    g.frame(s.x0, s.y0, s.x1, s.y1, Clear, Ink);
}

// The table of the query-type glyphs, leaving room at the bottom right for a badge.
TableShape BadgedGrid()
{
    return {1, 1, 13, 13, 4, {5, 9}, {7, 10}};
}

TableShape FullGrid()
{
    return {1, 1, 14, 14, 5, {5, 10}, {8, 11}};
}

// Pencil from its point to the end of its cap, halfWidth cells either side of its axis.
void DrawPencil(const TQGGlyphPainter &g, QPointF tip, QPointF tail, qreal halfWidth,
                bool knockout)
{
    const QPointF along = tail - tip;
    const qreal length = std::hypot(along.x(), along.y());
    const QPointF d = along / length;
    const QPointF n(-d.y(), d.x());
    const qreal cone = halfWidth * 2.0;
    const qreal cap = halfWidth * 1.3;
    const QPointF c1 = tip + d * cone + n * halfWidth;
    const QPointF c2 = tip + d * cone - n * halfWidth;
    const QPointF e1 = tail - d * cap + n * halfWidth;
    const QPointF e2 = tail - d * cap - n * halfWidth;
    const QPointF t1 = tail + n * halfWidth;
    const QPointF t2 = tail - n * halfWidth;
    if (knockout)
        g.knockout(g.polygonPath({tip, c1, t1, t2, c2}), 1.0);
    g.polygon({c1, e1, e2, c2}, Blue, Ink);
    g.polygon({e1, t1, t2, e2}, Metal, Ink);
    g.polygon({tip, c1, c2}, Paper, Ink);
    const QPointF lead = tip + d * (cone * 0.45);
    g.polygon({tip, lead + n * (halfWidth * 0.45), lead - n * (halfWidth * 0.45)}, Ink, Ink);
}

void DrawPlusBadge(const TQGGlyphPainter &g)
{
    QPainterPath plus;
    plus.addRect(g.blockRect(9, 11, 14, 12));
    plus.addRect(g.blockRect(11, 9, 12, 14));
    g.knockout(plus.simplified(), 1.0);
    g.block(9, 11, 14, 12, Green);
    g.block(11, 9, 12, 14, Green);
}

void DrawMinusBadge(const TQGGlyphPainter &g)
{
    QPainterPath minus;
    minus.addRect(g.blockRect(9, 11, 14, 12));
    g.knockout(minus, 1.0);
    g.block(9, 11, 14, 12, Red);
}

void DrawCheckBadge(const TQGGlyphPainter &g)
{
    const Cells check{{8.6, 11.6}, {10.8, 13.8}, {14.6, 9.0}};
    g.knockout(g.polylineStroke(check, 2.0), 1.0);
    g.polyline(check, Green, 2.0);
}

void DrawCrossBadge(const TQGGlyphPainter &g)
{
    const Cells a{{9, 9}, {14, 14}};
    const Cells b{{14, 9}, {9, 14}};
    QPainterPath cross = g.polylineStroke(a, 2.0).united(g.polylineStroke(b, 2.0));
    g.knockout(cross, 1.0);
    g.polyline(a, Red, 2.0);
    g.polyline(b, Red, 2.0);
}

// Cylinder with its top at y0 and its bottom at y1; rows are the bands round its side.
void DrawCylinder(const TQGGlyphPainter &g, qreal x0, qreal y0, qreal x1, qreal y1, qreal depth,
                  const QVector<qreal> &bands)
{
    const qreal left = g.mapX(x0), right = g.mapX(x1);
    const qreal rx = (right - left) / 2;
    const qreal ry = (g.mapY(y0 + depth) - g.mapY(y0)) / 2;
    const qreal top = g.mapY(y0), bottom = g.mapY(y1);
    QPainterPath body;
    body.moveTo(left, top + ry);
    body.lineTo(left, bottom - ry);
    body.arcTo(QRectF(left, bottom - 2 * ry, 2 * rx, 2 * ry), 180, 180);
    body.lineTo(right, top + ry);
    body.arcTo(QRectF(left, top, 2 * rx, 2 * ry), 0, 180);
    body.closeSubpath();
    g.path(body, Blue, Clear);
    g.painter().save();
    g.painter().setClipPath(body);
    for (qreal band : bands) {
        const qreal y = g.mapY(band);
        QPainterPath arc;
        arc.moveTo(left, y - ry);
        arc.arcTo(QRectF(left, y - 2 * ry, 2 * rx, 2 * ry), 180, 180);
        g.path(arc, Clear, BlueDark);
    }
    g.painter().restore();
    QPainterPath lid;
    lid.addEllipse(QRectF(left, top, 2 * rx, 2 * ry));
    g.path(lid, BlueLight, Clear);
    g.path(body, Clear, Ink);
    g.path(lid, Clear, Ink);
}

void DrawNewQuery(const TQGGlyphPainter &g)
{
    DrawPage(g, 3, 1, 12, 14, 4, Paper);
}

void DrawOpenQuery(const TQGGlyphPainter &g)
{
    g.polygon({{1, 2}, {5, 2}, {7, 4}, {13, 4}, {13, 13}, {1, 13}}, BlueMid, Ink);
    g.polygon({{4, 7}, {15, 7}, {13, 13}, {1, 13}}, BlueLight, Ink);
}

void DrawSaveQuery(const TQGGlyphPainter &g)
{
    g.polygon({{1, 1}, {12, 1}, {14, 3}, {14, 14}, {1, 14}}, Blue, Ink);
    g.frame(4, 1, 11, 5, Metal, Ink);
    g.block(8, 2, 9, 4, Ink);
    g.frame(3, 8, 12, 14, Paper, Ink);
    g.hline(5, 10, 10, InkSoft);
    g.hline(5, 10, 12, InkSoft);
}

void DrawPrintQuery(const TQGGlyphPainter &g)
{
    g.frame(4, 1, 11, 6, Paper, Ink);
    g.frame(1, 5, 14, 11, Metal, Ink, 1.5);
    g.block(11, 7, 12, 7, Green);
    g.frame(4, 9, 11, 14, Paper, Ink);
    g.hline(6, 9, 11, InkSoft);
}

void DrawCut(const TQGGlyphPainter &g)
{
    // Blades taper from the rings to their points and cross at the pivot.
    auto blade = [&g](QPointF base, QPointF tip) {
        const QPointF along = tip - base;
        const qreal length = std::hypot(along.x(), along.y());
        const QPointF n(-along.y() / length, along.x() / length);
        g.polygon({base + n * 1.1, tip, base - n * 1.1}, Ink, Clear);
    };
    blade({6.2, 10.2}, {11.6, 0.6});
    blade({8.8, 10.2}, {3.4, 0.6});
    g.ellipse(7.5, 7.9, 0.7, 0.7, Paper, Clear);
    g.ellipse(4.3, 12, 2.3, 2.3, Clear, Blue, 1.5);
    g.ellipse(10.7, 12, 2.3, 2.3, Clear, Blue, 1.5);
}

void DrawCopy(const TQGGlyphPainter &g)
{
    g.frame(1, 1, 9, 11, Shade, Ink);
    DrawPage(g, 5, 4, 13, 14, 3, Paper, {8, 10, 12});
}

void DrawPaste(const TQGGlyphPainter &g)
{
    g.frame(1, 2, 11, 14, BlueMid, Ink, 1);
    g.frame(4, 1, 8, 4, Metal, Ink);
    DrawPage(g, 6, 6, 14, 15, 3, Paper, {9, 11, 13});
}

void DrawDelete(const TQGGlyphPainter &g)
{
    g.polyline({{3, 3}, {12, 12}}, Red, 2.3);
    g.polyline({{12, 3}, {3, 12}}, Red, 2.3);
}

void DrawSelectQuery(const TQGGlyphPainter &g)
{
    DrawGrid(g, FullGrid(), Shade, 1);
}

void DrawInsertQuery(const TQGGlyphPainter &g)
{
    DrawGrid(g, BadgedGrid(), Shade);
    DrawPlusBadge(g);
}

void DrawUpdateQuery(const TQGGlyphPainter &g)
{
    DrawGrid(g, BadgedGrid(), Shade);
    DrawPencil(g, {8.2, 14.8}, {14.8, 8.2}, 1.5, true);
}

void DrawDeleteQuery(const TQGGlyphPainter &g)
{
    DrawGrid(g, BadgedGrid(), Shade);
    DrawMinusBadge(g);
}

void DrawExecuteQuery(const TQGGlyphPainter &g)
{
    QPainterPath play = g.polygonPath({{4, 2}, {13.5, 7.5}, {4, 13}});
    g.painter().save();
    g.painter().setPen(QPen(GreenDark, g.lineWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.painter().setBrush(Green);
    g.painter().drawPath(play);
    g.painter().restore();
}

void DrawDoor(const TQGGlyphPainter &g)
{
    g.frame(2, 1, 11, 14, Ink, Ink);
    g.polygon({{2, 1}, {8, 3}, {8, 15}, {2, 14}}, BlueLight, Ink);
    g.block(6, 8, 6, 9, Ink);
}

void DrawSaveAndExit(const TQGGlyphPainter &g)
{
    DrawDoor(g);
    DrawCheckBadge(g);
}

void DrawCancelAndExit(const TQGGlyphPainter &g)
{
    DrawDoor(g);
    DrawCrossBadge(g);
}

void DrawLargeIcons(const TQGGlyphPainter &g)
{
    for (qreal y : {1, 9})
        for (qreal x : {1, 9})
            g.frame(x, y, x + 5, y + 5, BlueMid, Ink);
}

void DrawSmallIcons(const TQGGlyphPainter &g)
{
    for (qreal y : {1, 6, 11})
        for (qreal x : {1, 6, 11})
            g.frame(x, y, x + 3, y + 3, BlueMid, Ink);
}

void DrawListStyle(const TQGGlyphPainter &g)
{
    for (qreal y : {1, 6, 11}) {
        g.frame(1, y, 4, y + 3, BlueMid, Ink);
        g.block(6, y + 1, 14, y + 2, InkSoft);
    }
}

void DrawReportStyle(const TQGGlyphPainter &g)
{
    for (qreal x : {1, 6, 11})
        g.block(x, 1, x + 3, 3, Blue);
    for (qreal y : {6, 9, 12})
        for (qreal x : {1, 6, 11})
            g.block(x, y, x + 3, y + 1, InkSoft);
}

Cells UpArrow()
{
    return {{7.5, 1}, {14, 7.5}, {10, 7.5}, {10, 14}, {5, 14}, {5, 7.5}, {1, 7.5}};
}

void DrawMoveUp(const TQGGlyphPainter &g)
{
    g.polygon(UpArrow(), Blue, BlueDark);
}

void DrawMoveDown(const TQGGlyphPainter &g)
{
    Cells arrow = UpArrow();
    for (QPointF &point : arrow)
        point.setY(15 - point.y());
    g.polygon(arrow, Blue, BlueDark);
}

void DrawRemove(const TQGGlyphPainter &g)
{
    g.ellipse(7.5, 7.5, 6.5, 6.5, Red, RedDark);
    g.block(4, 7, 11, 8, Paper);
}

void DrawFillParameters(const TQGGlyphPainter &g)
{
    for (qreal y : {1, 9}) {
        g.block(1, y, 2, y + 1, Blue);
        g.block(1, y + 3, 2, y + 4, Blue);
        g.frame(4, y, 14, y + 5, Paper, Ink);
        g.block(6, y + 2, 9, y + 3, InkSoft);
    }
}

void DrawTable(const TQGGlyphPainter &g)
{
    DrawGrid(g, FullGrid(), Blue);
}

void DrawTableLarge(const TQGGlyphPainter &g)
{
    // Drawn for 32 px: inner lines half as thick as the outline, four rows of fields.
    TableShape shape{1, 2, 14, 13.5, 4.5, {5.5, 10}, {6.75, 9, 11.25}, true};
    DrawGrid(g, shape, Blue);
}

void DrawField(const TQGGlyphPainter &g)
{
    DrawGrid(g, {4, 1, 11, 14, 5, {}, {8, 11}}, Blue);
}

void DrawDatabase(const TQGGlyphPainter &g)
{
    DrawCylinder(g, 2, 1, 13, 14, 4, {6.5, 10});
}

void DrawSession(const TQGGlyphPainter &g)
{
    QPainterPath body;
    const qreal left = g.mapX(1.5), right = g.mapX(13.5);
    const qreal bottom = g.mapY(14), top = g.mapY(8.5);
    body.moveTo(left, bottom);
    body.lineTo(left, top + (right - left) / 2 * 0.6);
    body.cubicTo(left, top, right, top, right, top + (right - left) / 2 * 0.6);
    body.lineTo(right, bottom);
    body.closeSubpath();
    g.path(body, Blue, Ink);
    g.knockout(g.ellipsePath(7.5, 4.5, 3.3, 3.3), 0.7);
    g.ellipse(7.5, 4.5, 3.3, 3.3, BlueMid, Ink);
}

void DrawComparison(const TQGGlyphPainter &g)
{
    g.frame(1, 1, 14, 14, Paper, Ink, 2);
    g.block(4, 5, 11, 6, Blue);
    g.block(4, 9, 11, 10, Blue);
}

void DrawSortOrder(const TQGGlyphPainter &g)
{
    g.polyline({{1, 7}, {3.5, 1}, {6, 7}}, Ink, 1.2);
    g.hline(2, 5, 5, Ink);
    g.hline(1, 6, 9, Ink);
    g.polyline({{5.6, 9.8}, {1.4, 13.2}}, Ink, 1.3);
    g.hline(1, 6, 14, Ink);
    g.block(11, 1, 12, 10, Blue);
    g.polygon({{8.5, 9.5}, {14.5, 9.5}, {11.5, 14.5}}, Blue, Clear);
}

void DrawFieldValue(const TQGGlyphPainter &g)
{
    g.frame(1, 3, 13, 10, Paper, Ink, 1);
    g.block(3, 6, 6, 7, InkSoft);
    DrawPencil(g, {7.8, 14.6}, {14.6, 7.8}, 1.5, true);
}

void DrawAbout(const TQGGlyphPainter &g)
{
    g.ellipse(7.5, 7.5, 6.5, 6.5, Blue, BlueDark);
    g.block(7, 3, 8, 4, Paper);
    g.block(7, 6, 8, 11, Paper);
}

void DrawNavTriangle(const TQGGlyphPainter &g, bool forward, bool toEnd)
{
    auto x = [forward](qreal v) { return forward ? 15 - v : v; };
    if (toEnd) {
        g.frame(qMin(x(2), x(4)), 2, qMax(x(2), x(4)), 13, Blue, BlueDark);
        g.polygon({{x(6), 7.5}, {x(13.5), 2}, {x(13.5), 13}}, Blue, BlueDark);
    } else {
        g.polygon({{x(3.5), 7.5}, {x(12), 1.5}, {x(12), 13.5}}, Blue, BlueDark);
    }
}

void DrawNavRefresh(const TQGGlyphPainter &g)
{
    const QPointF centre = g.p(7.5, 7.5);
    const qreal r = (g.mapX(12.5) - g.mapX(2.5)) / 2;
    const qreal start = 60, sweep = 285;
    QPainterPath arc;
    arc.arcMoveTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), start);
    arc.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), start, sweep);
    g.path(arc, Clear, Blue, 2.0);
    // Head at the start of the arc, pointing along it against the sweep.
    const qreal a = qDegreesToRadians(start);
    const QPointF end(centre.x() + r * std::cos(a), centre.y() - r * std::sin(a));
    const QPointF tangent(std::sin(a), std::cos(a));
    const QPointF normal(std::cos(a), -std::sin(a));
    const qreal size = g.len(3.2);
    QPainterPath head;
    head.moveTo(end + tangent * size);
    head.lineTo(end - tangent * size * 0.15 + normal * size);
    head.lineTo(end - tangent * size * 0.15 - normal * size);
    head.closeSubpath();
    g.path(head, Blue, Clear);
}

void DrawAppIcon(const TQGGlyphPainter &g)
{
    DrawCylinder(g, 1, 1, 11, 13, 3.5, {5.5, 9});
    const qreal cx = 10.5, cy = 10, r = 3.6;
    QPainterPath lens = g.ellipsePath(cx, cy, r, r);
    const Cells handle{{12.9, 12.4}, {14.3, 13.8}};
    g.knockout(lens.united(g.polylineStroke(handle, 2.2)), 0.9);
    g.path(lens, QColor(255, 255, 255, 235), Clear);
    if (g.extent() >= 32) {
        // A small result grid inside the lens once there is room for it.
        const qreal step = r * 0.55;
        QPainter &p = g.painter();
        p.save();
        p.setClipPath(lens);
        QPen pen(InkSoft, g.thinWidth());
        p.setPen(pen);
        for (int i = -1; i <= 1; ++i) {
            p.drawLine(g.p(cx - r, cy + i * step), g.p(cx + r, cy + i * step));
            p.drawLine(g.p(cx + i * step, cy - r), g.p(cx + i * step, cy + r));
        }
        p.fillRect(QRectF(g.p(cx - r, cy - r), g.p(cx + r, cy - step)), BlueMid);
        p.restore();
    }
    g.path(lens, Clear, Ink, 1.4);
    g.polyline(handle, Ink, 2.2, true);
}

} // namespace

void PaintGlyph(QPainter &painter, const QRect &deviceRect, TQGGlyph glyph)
{
    painter.save();
    const TQGGlyphPainter g(painter, deviceRect);
    switch (glyph) {
    case TQGGlyph::NewQuery: DrawNewQuery(g); break;
    case TQGGlyph::OpenQuery: DrawOpenQuery(g); break;
    case TQGGlyph::SaveQuery: DrawSaveQuery(g); break;
    case TQGGlyph::PrintQuery: DrawPrintQuery(g); break;
    case TQGGlyph::Cut: DrawCut(g); break;
    case TQGGlyph::Copy: DrawCopy(g); break;
    case TQGGlyph::Paste: DrawPaste(g); break;
    case TQGGlyph::Delete: DrawDelete(g); break;
    case TQGGlyph::SelectQuery: DrawSelectQuery(g); break;
    case TQGGlyph::InsertQuery: DrawInsertQuery(g); break;
    case TQGGlyph::UpdateQuery: DrawUpdateQuery(g); break;
    case TQGGlyph::DeleteQuery: DrawDeleteQuery(g); break;
    case TQGGlyph::ExecuteQuery: DrawExecuteQuery(g); break;
    case TQGGlyph::SaveAndExit: DrawSaveAndExit(g); break;
    case TQGGlyph::CancelAndExit: DrawCancelAndExit(g); break;
    case TQGGlyph::LargeIcons: DrawLargeIcons(g); break;
    case TQGGlyph::SmallIcons: DrawSmallIcons(g); break;
    case TQGGlyph::ListStyle: DrawListStyle(g); break;
    case TQGGlyph::ReportStyle: DrawReportStyle(g); break;
    case TQGGlyph::MoveUp: DrawMoveUp(g); break;
    case TQGGlyph::MoveDown: DrawMoveDown(g); break;
    case TQGGlyph::Remove: DrawRemove(g); break;
    case TQGGlyph::FillParameters: DrawFillParameters(g); break;
    case TQGGlyph::Table: DrawTable(g); break;
    case TQGGlyph::TableLarge: DrawTableLarge(g); break;
    case TQGGlyph::Field: DrawField(g); break;
    case TQGGlyph::Database: DrawDatabase(g); break;
    case TQGGlyph::Session: DrawSession(g); break;
    case TQGGlyph::Comparison: DrawComparison(g); break;
    case TQGGlyph::SortOrder: DrawSortOrder(g); break;
    case TQGGlyph::FieldValue: DrawFieldValue(g); break;
    case TQGGlyph::About: DrawAbout(g); break;
    case TQGGlyph::NavFirst: DrawNavTriangle(g, false, true); break;
    case TQGGlyph::NavPrior: DrawNavTriangle(g, false, false); break;
    case TQGGlyph::NavNext: DrawNavTriangle(g, true, false); break;
    case TQGGlyph::NavLast: DrawNavTriangle(g, true, true); break;
    case TQGGlyph::NavRefresh: DrawNavRefresh(g); break;
    case TQGGlyph::AppIcon: DrawAppIcon(g); break;
    }
    painter.restore();
}

QString GlyphName(TQGGlyph glyph)
{
    static const char *const names[TQGGlyphCount] = {
        "NewQuery", "OpenQuery", "SaveQuery", "PrintQuery", "Cut", "Copy", "Paste", "Delete",
        "SelectQuery", "InsertQuery", "UpdateQuery", "DeleteQuery", "ExecuteQuery",
        "SaveAndExit", "CancelAndExit", "LargeIcons", "SmallIcons", "ListStyle", "ReportStyle",
        "MoveUp", "MoveDown", "Remove", "FillParameters", "Table", "TableLarge", "Field",
        "Database", "Session", "Comparison", "SortOrder", "FieldValue", "About", "NavFirst",
        "NavPrior", "NavNext", "NavLast", "NavRefresh", "AppIcon"};
    const int index = int(glyph);
    return index >= 0 && index < TQGGlyphCount ? QString::fromLatin1(names[index]) : QString();
}

QString GlyphThemeName(TQGGlyph glyph)
{
    // The generic commands, as the freedesktop icon naming names them; the designer's own
    // (query types, table list styles, the design lists) are drawn in every theme.
    static const std::pair<TQGGlyph, const char *> names[] = {
        {TQGGlyph::NewQuery, "document-new"},   {TQGGlyph::OpenQuery, "document-open"},
        {TQGGlyph::SaveQuery, "document-save"}, {TQGGlyph::PrintQuery, "document-print"},
        {TQGGlyph::Cut, "edit-cut"},            {TQGGlyph::Copy, "edit-copy"},
        {TQGGlyph::Paste, "edit-paste"},        {TQGGlyph::Delete, "edit-delete"},
        {TQGGlyph::MoveUp, "go-up"},            {TQGGlyph::MoveDown, "go-down"},
        {TQGGlyph::About, "help-about"},        {TQGGlyph::NavFirst, "go-first"},
        {TQGGlyph::NavPrior, "go-previous"},    {TQGGlyph::NavNext, "go-next"},
        {TQGGlyph::NavLast, "go-last"},         {TQGGlyph::NavRefresh, "view-refresh"}};
    for (const auto &[g, name] : names) {
        if (g == glyph)
            return QLatin1String(name);
    }
    return QString();
}

QIcon Glyph(TQGGlyph glyph)
{
    const QString themeName = GlyphThemeName(glyph);
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return QIcon(new TQGGlyphEngine(glyph));
}

QPixmap GlyphPixmap(TQGGlyph glyph, int logicalSize, qreal devicePixelRatio)
{
    return GlyphPixmap(glyph, logicalSize, devicePixelRatio, QIcon::Normal);
}

QPixmap GlyphPixmap(TQGGlyph glyph, int logicalSize, qreal devicePixelRatio, QIcon::Mode mode)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return TQGGlyphEngine::Render(glyph, int(std::lround(logicalSize * ratio)), ratio, mode);
}

QToolButton *GlyphButton(QWidget *parent, const char *name, TQGGlyph glyph, const QString &hint, int iconSize)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoRaise(true);
    b->setIcon(Glyph(glyph));
    b->setIconSize(QSize(iconSize, iconSize));
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    return b;
}
