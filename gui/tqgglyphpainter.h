// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QVector>

class QPainter;

// Draws a glyph on a square of device pixels from a design grid of 16 by 16 cells.
// Cell coordinates name outline cells: a stroke at cell c
// covers the device pixels from round(c * unit) on, lineWidth() wide, so straight
// outlines always fall on whole pixels and stay sharp at 16, 25, 32 px and at any device
// pixel ratio. Fractional cells interpolate between their neighbours.
class TQGGlyphPainter
{
public:
    TQGGlyphPainter(QPainter &painter, const QRect &deviceSquare);

    QPainter &painter() const { return m_painter; }
    int extent() const { return m_extent; }
    qreal unit() const { return m_unit; }
    // The outline width in device pixels: one pixel at 16 px, growing with the size
    // but more slowly than it once the glyph is large.
    int lineWidth() const { return m_lineWidth; }
    // Width of the inner lines of detailed glyphs: half the outline, at least a pixel.
    int thinWidth() const { return qMax(1, m_lineWidth / 2); }

    // Device coordinate of the centre line of the outline cell c.
    qreal mapX(qreal c) const;
    qreal mapY(qreal c) const;
    QPointF p(qreal cx, qreal cy) const { return QPointF(mapX(cx), mapY(cy)); }
    // A length in cells as device pixels, for radii and free-form strokes.
    qreal len(qreal cells) const { return cells * m_unit; }

    // Rectangle whose outline runs on cells x0, x1 (columns) and y0, y1 (rows).
    void frame(qreal x0, qreal y0, qreal x1, qreal y1, const QColor &fill,
               const QColor &line, qreal radius = 0) const;
    // First device pixel of a line on cell c (where an outline on that cell begins).
    qreal lineStartX(qreal c) const;
    qreal lineStartY(qreal c) const;

    // Solid block covering the outline cells x0..x1 and y0..y1 inclusive.
    QRectF blockRect(qreal x0, qreal y0, qreal x1, qreal y1) const;
    void block(qreal x0, qreal y0, qreal x1, qreal y1, const QColor &color) const;
    // Solid area between outlines on cells x0, x1 and y0, y1 (the inside of a frame).
    void inside(qreal x0, qreal y0, qreal x1, qreal y1, const QColor &color) const;
    // Lines covering the cells x0..x1 (y0..y1) inclusive, outline wide or thin.
    void hline(qreal x0, qreal x1, qreal y, const QColor &color, bool thin = false) const;
    void vline(qreal x, qreal y0, qreal y1, const QColor &color, bool thin = false) const;

    // Closed shape through cell points: filled, then outlined (no outline when line is
    // transparent).
    void polygon(const QVector<QPointF> &cells, const QColor &fill, const QColor &line,
                 qreal widthFactor = 1.0) const;
    // Open stroke through cell points, widthFactor times the outline width.
    void polyline(const QVector<QPointF> &cells, const QColor &color, qreal widthFactor = 1.0,
                  bool roundEnds = false) const;
    void ellipse(qreal cx, qreal cy, qreal rx, qreal ry, const QColor &fill,
                 const QColor &line, qreal widthFactor = 1.0) const;
    void path(const QPainterPath &devicePath, const QColor &fill, const QColor &line,
              qreal widthFactor = 1.0) const;

    QPainterPath polygonPath(const QVector<QPointF> &cells) const;
    QPainterPath polylineStroke(const QVector<QPointF> &cells, qreal widthFactor,
                                bool roundEnds = false) const;
    QPainterPath ellipsePath(qreal cx, qreal cy, qreal rx, qreal ry) const;
    // Makes the shape and a margin of gapCells around it transparent, so a badge drawn
    // there afterwards stands clear of what lies beneath on any background.
    void knockout(const QPainterPath &devicePath, qreal gapCells = 1.0) const;

private:
    qreal map(qreal c, qreal origin) const;

    QPainter &m_painter;
    QPointF m_origin;
    int m_extent;
    qreal m_unit;
    int m_lineWidth;
};
