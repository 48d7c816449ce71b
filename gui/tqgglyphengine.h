// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tqgglyphs.h"

#include <QIconEngine>

// Icon engine behind Glyph(): paints its glyph afresh for each size and device pixel
// ratio instead of scaling a stored bitmap, and derives the other icon modes from the
// Normal drawing.
class TQGGlyphEngine : public QIconEngine
{
public:
    explicit TQGGlyphEngine(TQGGlyph glyph);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    QString iconName() override;
    bool isNull() override;
    void virtual_hook(int id, void *data) override;

    // The glyph drawn on deviceExtent by deviceExtent device pixels, tagged with the
    // device pixel ratio, in the given mode. Results are kept in QPixmapCache.
    static QPixmap Render(TQGGlyph glyph, int deviceExtent, qreal devicePixelRatio,
                          QIcon::Mode mode);

private:
    TQGGlyph m_glyph;
};
