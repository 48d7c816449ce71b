// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgglyphengine.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>

#include <cmath>

namespace {

// Greyed and faded: dark outlines become mid grey, white stays nearly white, so the
// shape still reads but clearly looks unavailable on white and on a grey tool bar.
void Grey(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 0)
                continue;
            const int luma = (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000;
            const int grey = qMin(255, 118 + luma * 11 / 20);
            line[x] = qRgba(grey, grey, grey, (alpha * 4 + 4) / 5);
        }
    }
}

// The hovered look: colours lifted a little towards white.
void Lift(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) == 0)
                continue;
            auto up = [](int c) { return c + (255 - c) / 8; };
            line[x] = qRgba(up(qRed(pixel)), up(qGreen(pixel)), up(qBlue(pixel)), qAlpha(pixel));
        }
    }
}

// Selected items sit on the highlight colour, where blue shapes would sink into a blue
// selection: a light halo keeps the outline readable, and a faint wash of the highlight
// ties the glyph to the row, as the Qt styles do for their own selected icons.
void Select(QImage &image, const QColor &highlight)
{
    QImage glyph = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage silhouette = glyph;
    {
        QPainter painter(&silhouette);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(silhouette.rect(), QColor(255, 255, 255, 210));
    }
    QImage result(glyph.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    {
        QPainter painter(&result);
        const int reach = qMax(1, glyph.width() / 16);
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (dx != 0 || dy != 0)
                    painter.drawImage(dx, dy, silhouette);
        QPainter washer(&glyph);
        washer.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor wash = highlight;
        wash.setAlphaF(0.15);
        washer.fillRect(glyph.rect(), wash);
        washer.end();
        painter.drawImage(0, 0, glyph);
    }
    image = result.convertToFormat(QImage::Format_ARGB32);
}

QColor HighlightColor()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    return QColor(0x30, 0x8c, 0xc6);
}

} // namespace

TQGGlyphEngine::TQGGlyphEngine(TQGGlyph glyph)
    : m_glyph(glyph)
{
}

QPixmap TQGGlyphEngine::Render(TQGGlyph glyph, int deviceExtent, qreal devicePixelRatio,
                               QIcon::Mode mode)
{
    if (deviceExtent <= 0)
        return QPixmap();
    const QColor highlight = mode == QIcon::Selected ? HighlightColor() : QColor();
    const QString cacheKey = QStringLiteral("tqgglyph:%1:%2:%3:%4:%5")
                                 .arg(int(glyph))
                                 .arg(deviceExtent)
                                 .arg(devicePixelRatio)
                                 .arg(int(mode))
                                 .arg(highlight.rgba());
    QPixmap cached;
    if (QPixmapCache::find(cacheKey, &cached))
        return cached;

    QImage image(deviceExtent, deviceExtent, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        PaintGlyph(painter, image.rect(), glyph);
    }
    if (mode != QIcon::Normal) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        if (mode == QIcon::Disabled)
            Grey(image);
        else if (mode == QIcon::Active)
            Lift(image);
        else
            Select(image, highlight);
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(cacheKey, result);
    return result;
}

void TQGGlyphEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                           QIcon::State state)
{
    Q_UNUSED(state);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    const int extent = qMin(rect.width(), rect.height());
    const QPixmap glyph = Render(m_glyph, int(std::lround(extent * ratio)), ratio, mode);
    const QPointF topLeft(rect.x() + (rect.width() - extent) / 2.0,
                          rect.y() + (rect.height() - extent) / 2.0);
    painter->drawPixmap(topLeft, glyph);
}

QSize TQGGlyphEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    Q_UNUSED(mode);
    Q_UNUSED(state);
    const int extent = qMin(size.width(), size.height());
    return QSize(extent, extent);
}

QPixmap TQGGlyphEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap TQGGlyphEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                                     qreal scale)
{
    // QIcon asks in device pixels already; the scale only tags the result.
    Q_UNUSED(state);
    return Render(m_glyph, qMin(size.width(), size.height()), scale, mode);
}

QList<QSize> TQGGlyphEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    Q_UNUSED(mode);
    Q_UNUSED(state);
    // Any size can be drawn; these are the ones the glyphs are tuned for.
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64),
            QSize(128, 128), QSize(256, 256)};
}

QIconEngine *TQGGlyphEngine::clone() const
{
    return new TQGGlyphEngine(m_glyph);
}

QString TQGGlyphEngine::key() const
{
    return QStringLiteral("TQGGlyphEngine");
}

QString TQGGlyphEngine::iconName()
{
    return GlyphName(m_glyph);
}

bool TQGGlyphEngine::isNull()
{
    return false;
}

void TQGGlyphEngine::virtual_hook(int id, void *data)
{
    if (id == QIconEngine::ScaledPixmapHook) {
        auto *arg = static_cast<QIconEngine::ScaledPixmapArgument *>(data);
        arg->pixmap = scaledPixmap(arg->size, arg->mode, arg->state, arg->scale);
        return;
    }
    QIconEngine::virtual_hook(id, data);
}
