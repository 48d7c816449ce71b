// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgglyphpainter.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QPen>

#include <cmath>

namespace {

// One pixel up to 16 px, two at 32, three at 48; past that the outline grows at about
// two thirds of the size so that large icons do not look heavy.
int OutlineWidth(int extent)
{
    const qreal scale = extent / 16.0;
    const qreal width = scale <= 3.0 ? std::floor(scale + 0.3) : 3.0 + (scale - 3.0) * 0.6;
    return qMax(1, int(std::lround(width)));
}

} // namespace

TQGGlyphPainter::TQGGlyphPainter(QPainter &painter, const QRect &deviceSquare)
    : m_painter(painter),
      m_origin(deviceSquare.topLeft()),
      m_extent(qMin(deviceSquare.width(), deviceSquare.height())),
      m_unit(m_extent / 16.0),
      m_lineWidth(OutlineWidth(m_extent))
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
}

qreal TQGGlyphPainter::map(qreal c, qreal origin) const
{
    const qreal lo = std::floor(c);
    const qreal frac = c - lo;
    const qreal half = m_lineWidth / 2.0;
    const qreal a = origin + std::round(lo * m_unit) + half;
    if (frac == 0)
        return a;
    const qreal b = origin + std::round((lo + 1) * m_unit) + half;
    return a + (b - a) * frac;
}

qreal TQGGlyphPainter::mapX(qreal c) const
{
    return map(c, m_origin.x());
}

qreal TQGGlyphPainter::mapY(qreal c) const
{
    return map(c, m_origin.y());
}

void TQGGlyphPainter::frame(qreal x0, qreal y0, qreal x1, qreal y1, const QColor &fill,
                            const QColor &line, qreal radius) const
{
    QPainterPath shape;
    const QRectF rect(p(x0, y0), p(x1, y1));
    if (radius > 0)
        shape.addRoundedRect(rect, len(radius), len(radius));
    else
        shape.addRect(rect);
    path(shape, fill, line);
}

qreal TQGGlyphPainter::lineStartX(qreal c) const
{
    return std::round(mapX(c) - m_lineWidth / 2.0);
}

qreal TQGGlyphPainter::lineStartY(qreal c) const
{
    return std::round(mapY(c) - m_lineWidth / 2.0);
}

QRectF TQGGlyphPainter::blockRect(qreal x0, qreal y0, qreal x1, qreal y1) const
{
    return QRectF(QPointF(lineStartX(x0), lineStartY(y0)),
                  QPointF(lineStartX(x1) + m_lineWidth, lineStartY(y1) + m_lineWidth));
}

void TQGGlyphPainter::block(qreal x0, qreal y0, qreal x1, qreal y1, const QColor &color) const
{
    m_painter.fillRect(blockRect(x0, y0, x1, y1), color);
}

void TQGGlyphPainter::inside(qreal x0, qreal y0, qreal x1, qreal y1, const QColor &color) const
{
    const QRectF rect(QPointF(lineStartX(x0) + m_lineWidth, lineStartY(y0) + m_lineWidth),
                      QPointF(lineStartX(x1), lineStartY(y1)));
    m_painter.fillRect(rect, color);
}

void TQGGlyphPainter::hline(qreal x0, qreal x1, qreal y, const QColor &color, bool thin) const
{
    const qreal top = lineStartY(y);
    const QRectF rect(QPointF(lineStartX(x0), top),
                      QPointF(lineStartX(x1) + m_lineWidth, top + (thin ? thinWidth() : m_lineWidth)));
    m_painter.fillRect(rect, color);
}

void TQGGlyphPainter::vline(qreal x, qreal y0, qreal y1, const QColor &color, bool thin) const
{
    const qreal left = lineStartX(x);
    const QRectF rect(QPointF(left, lineStartY(y0)),
                      QPointF(left + (thin ? thinWidth() : m_lineWidth), lineStartY(y1) + m_lineWidth));
    m_painter.fillRect(rect, color);
}

QPainterPath TQGGlyphPainter::polygonPath(const QVector<QPointF> &cells) const
{
    QPainterPath shape;
    for (int i = 0; i < cells.size(); ++i) {
        const QPointF point = p(cells[i].x(), cells[i].y());
        if (i == 0)
            shape.moveTo(point);
        else
            shape.lineTo(point);
    }
    shape.closeSubpath();
    return shape;
}

QPainterPath TQGGlyphPainter::ellipsePath(qreal cx, qreal cy, qreal rx, qreal ry) const
{
    QPainterPath shape;
    const qreal dx = (mapX(cx + rx) - mapX(cx - rx)) / 2;
    const qreal dy = (mapY(cy + ry) - mapY(cy - ry)) / 2;
    shape.addEllipse(p(cx, cy), dx, dy);
    return shape;
}

void TQGGlyphPainter::path(const QPainterPath &devicePath, const QColor &fill, const QColor &line,
                           qreal widthFactor) const
{
    m_painter.save();
    if (fill.alpha() > 0)
        m_painter.fillPath(devicePath, fill);
    if (line.alpha() > 0) {
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(line, m_lineWidth * widthFactor, Qt::SolidLine, Qt::SquareCap,
                              Qt::MiterJoin));
        m_painter.drawPath(devicePath);
    }
    m_painter.restore();
}

void TQGGlyphPainter::polygon(const QVector<QPointF> &cells, const QColor &fill,
                              const QColor &line, qreal widthFactor) const
{
    path(polygonPath(cells), fill, line, widthFactor);
}

QPainterPath TQGGlyphPainter::polylineStroke(const QVector<QPointF> &cells, qreal widthFactor,
                                             bool roundEnds) const
{
    QPainterPath line;
    for (int i = 0; i < cells.size(); ++i) {
        const QPointF point = p(cells[i].x(), cells[i].y());
        if (i == 0)
            line.moveTo(point);
        else
            line.lineTo(point);
    }
    QPainterPathStroker stroker;
    stroker.setWidth(m_lineWidth * widthFactor);
    stroker.setCapStyle(roundEnds ? Qt::RoundCap : Qt::FlatCap);
    stroker.setJoinStyle(roundEnds ? Qt::RoundJoin : Qt::MiterJoin);
    return stroker.createStroke(line).simplified();
}

void TQGGlyphPainter::polyline(const QVector<QPointF> &cells, const QColor &color,
                               qreal widthFactor, bool roundEnds) const
{
    m_painter.save();
    m_painter.fillPath(polylineStroke(cells, widthFactor, roundEnds), color);
    m_painter.restore();
}

void TQGGlyphPainter::ellipse(qreal cx, qreal cy, qreal rx, qreal ry, const QColor &fill,
                              const QColor &line, qreal widthFactor) const
{
    path(ellipsePath(cx, cy, rx, ry), fill, line, widthFactor);
}

void TQGGlyphPainter::knockout(const QPainterPath &devicePath, qreal gapCells) const
{
    QPainterPathStroker stroker;
    stroker.setWidth(2 * qMax<qreal>(1.0, len(gapCells)));
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath area = stroker.createStroke(devicePath).united(devicePath);
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Clear);
    m_painter.fillPath(area, Qt::black);
    m_painter.restore();
}
