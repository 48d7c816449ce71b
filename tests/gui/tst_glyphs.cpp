// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgglyphpainter.h"
#include "tqgglyphs.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(TQGGlyph)

namespace {

QImage Pixels(const QPixmap &pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.0);
    return image;
}

int OpaquePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ++count;
    return count;
}

void AddGlyphRows(const char *suffix = "")
{
    for (int i = 0; i < TQGGlyphCount; ++i) {
        const TQGGlyph glyph = TQGGlyph(i);
        QTest::newRow(qPrintable(GlyphName(glyph) + QLatin1String(suffix))) << glyph;
    }
}

} // namespace

class TestGlyphs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rendersAtEverySize_data();
    void rendersAtEverySize();
    void doubleRatioDrawsAtDeviceResolution_data();
    void doubleRatioDrawsAtDeviceResolution();
    void iconPaintsLikePixmap_data();
    void iconPaintsLikePixmap();
    void modesDifferFromNormal_data();
    void modesDifferFromNormal();
    void glyphsAreDistinct();
    void outlinesFallOnWholePixels_data();
    void outlinesFallOnWholePixels();
};

void TestGlyphs::rendersAtEverySize_data()
{
    QTest::addColumn<TQGGlyph>("glyph");
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    for (int i = 0; i < TQGGlyphCount; ++i) {
        const TQGGlyph glyph = TQGGlyph(i);
        for (int size : {16, 25, 32, 64})
            for (qreal ratio : {1.0, 2.0})
                QTest::addRow("%s %d@%g", qPrintable(GlyphName(glyph)), size, ratio)
                    << glyph << size << ratio;
    }
}

void TestGlyphs::rendersAtEverySize()
{
    QFETCH(TQGGlyph, glyph);
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    const int device = int(size * ratio);

    const QPixmap direct = GlyphPixmap(glyph, size, ratio);
    QCOMPARE(direct.size(), QSize(device, device));
    QCOMPARE(direct.devicePixelRatio(), ratio);
    const QImage image = Pixels(direct);
    // A glyph covers a fair part of its square but never all of it.
    const int covered = OpaquePixels(image);
    QVERIFY2(covered >= device * device / 10, qPrintable(QString::number(covered)));
    QVERIFY2(covered < device * device, qPrintable(QString::number(covered)));

    // The icon hands out the same drawing, at device resolution, tagged with the ratio.
    const QPixmap fromIcon = Glyph(glyph).pixmap(QSize(size, size), ratio);
    QCOMPARE(fromIcon.size(), QSize(device, device));
    QCOMPARE(fromIcon.devicePixelRatio(), ratio);
    QCOMPARE(Pixels(fromIcon), image);
}

void TestGlyphs::doubleRatioDrawsAtDeviceResolution_data()
{
    QTest::addColumn<TQGGlyph>("glyph");
    AddGlyphRows();
}

void TestGlyphs::doubleRatioDrawsAtDeviceResolution()
{
    // At ratio 2 the 16 px glyph is drawn afresh on 32 device pixels, not enlarged from
    // the 16 px drawing: it matches the 32 px glyph, and where edges are round or slanted
    // it differs from the doubled 16 (square blocks alone would double exactly).
    QFETCH(TQGGlyph, glyph);
    const QImage sharp = Pixels(GlyphPixmap(glyph, 16, 2.0));
    QCOMPARE(sharp, Pixels(GlyphPixmap(glyph, 32, 1.0)));
    const QImage doubled = Pixels(GlyphPixmap(glyph, 16, 1.0)).scaled(32, 32);
    const bool rectilinear = glyph == TQGGlyph::LargeIcons || glyph == TQGGlyph::SmallIcons
        || glyph == TQGGlyph::ListStyle || glyph == TQGGlyph::ReportStyle
        || glyph == TQGGlyph::Table || glyph == TQGGlyph::TableLarge
        || glyph == TQGGlyph::Field || glyph == TQGGlyph::SelectQuery
        || glyph == TQGGlyph::InsertQuery || glyph == TQGGlyph::DeleteQuery;
    if (!rectilinear)
        QVERIFY(sharp != doubled);
}

void TestGlyphs::iconPaintsLikePixmap_data()
{
    QTest::addColumn<TQGGlyph>("glyph");
    AddGlyphRows();
}

void TestGlyphs::iconPaintsLikePixmap()
{
    // QIcon::paint, as tool buttons and item views use it, on a ratio-2 surface.
    QFETCH(TQGGlyph, glyph);
    QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(2.0);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        Glyph(glyph).paint(&painter, QRect(2, 2, 16, 16));
    }
    const QImage painted = canvas.copy(4, 4, 32, 32).convertToFormat(QImage::Format_ARGB32);
    QImage expected = Pixels(GlyphPixmap(glyph, 16, 2.0));
    QImage paintedPlain = painted;
    paintedPlain.setDevicePixelRatio(1.0);
    QCOMPARE(paintedPlain, expected);
    QCOMPARE(OpaquePixels(canvas.convertToFormat(QImage::Format_ARGB32)), OpaquePixels(expected));
}

void TestGlyphs::modesDifferFromNormal_data()
{
    QTest::addColumn<TQGGlyph>("glyph");
    QTest::addColumn<qreal>("ratio");
    for (int i = 0; i < TQGGlyphCount; ++i) {
        const TQGGlyph glyph = TQGGlyph(i);
        QTest::addRow("%s @1", qPrintable(GlyphName(glyph))) << glyph << 1.0;
        QTest::addRow("%s @2", qPrintable(GlyphName(glyph))) << glyph << 2.0;
    }
}

void TestGlyphs::modesDifferFromNormal()
{
    QFETCH(TQGGlyph, glyph);
    QFETCH(qreal, ratio);
    const QIcon icon = Glyph(glyph);
    const QImage normal = Pixels(icon.pixmap(QSize(16, 16), ratio, QIcon::Normal));

    const QPixmap disabledPixmap = icon.pixmap(QSize(16, 16), ratio, QIcon::Disabled);
    QCOMPARE(disabledPixmap.devicePixelRatio(), ratio);
    const QImage disabled = Pixels(disabledPixmap);
    QCOMPARE(disabled.size(), normal.size());
    QVERIFY(disabled != normal);
    // Greyed: same shape, no colour left, and never darker than the dark outlines.
    QCOMPARE(OpaquePixels(disabled), OpaquePixels(normal));
    for (int y = 0; y < disabled.height(); ++y) {
        for (int x = 0; x < disabled.width(); ++x) {
            const QRgb pixel = disabled.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QCOMPARE(qRed(pixel), qBlue(pixel));
            QCOMPARE(qGreen(pixel), qBlue(pixel));
            if (qAlpha(pixel) >= 128)
                QVERIFY2(qRed(pixel) >= 110, qPrintable(QString::number(qRed(pixel))));
        }
    }
    QCOMPARE(Pixels(GlyphPixmap(glyph, 16, ratio, QIcon::Disabled)), disabled);

    // Hovered: the same shape, lighter.
    const QImage active = Pixels(icon.pixmap(QSize(16, 16), ratio, QIcon::Active));
    QCOMPARE(active.size(), normal.size());
    QVERIFY(active != normal);
    QCOMPARE(OpaquePixels(active), OpaquePixels(normal));

    // Selected: the shape with a halo round it, so it covers more than the normal one.
    const QImage selected = Pixels(icon.pixmap(QSize(16, 16), ratio, QIcon::Selected));
    QCOMPARE(selected.size(), normal.size());
    QVERIFY(selected != normal);
    QVERIFY(OpaquePixels(selected) > OpaquePixels(normal));
}

void TestGlyphs::glyphsAreDistinct()
{
    QList<QImage> images;
    for (int i = 0; i < TQGGlyphCount; ++i)
        images << Pixels(GlyphPixmap(TQGGlyph(i), 16));
    for (int i = 0; i < TQGGlyphCount; ++i)
        for (int j = i + 1; j < TQGGlyphCount; ++j)
            QVERIFY2(images[i] != images[j],
                     qPrintable(GlyphName(TQGGlyph(i)) + " == " + GlyphName(TQGGlyph(j))));
}

void TestGlyphs::outlinesFallOnWholePixels_data()
{
    QTest::addColumn<int>("extent");
    for (int extent : {16, 20, 24, 25, 32, 40, 48, 64, 128})
        QTest::addRow("%d px", extent) << extent;
}

void TestGlyphs::outlinesFallOnWholePixels()
{
    // A frame on cells 1 and 14 gives outline rows and columns that are fully covered,
    // with fully clear pixels outside and fully filled ones inside: no blurred edge.
    QFETCH(int, extent);
    QImage image(extent, extent, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    int width = 0;
    {
        QPainter painter(&image);
        const TQGGlyphPainter g(painter, image.rect());
        width = g.lineWidth();
        g.frame(1, 1, 14, 14, Qt::white, Qt::black);
    }
    QVERIFY(width >= 1);
    QVERIFY(width <= qMax(1, extent / 10));
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int left = qRound(extent / 16.0);
    const int right = qRound(14 * extent / 16.0) + width; // first pixel past the outline
    const int middle = extent / 2;
    auto at = [&image, middle](int x) { return image.pixel(x, middle); };
    QCOMPARE(qAlpha(at(left - 1)), 0);
    for (int x = left; x < left + width; ++x)
        QCOMPARE(at(x), qRgba(0, 0, 0, 255));
    QCOMPARE(at(left + width), qRgba(255, 255, 255, 255));
    QCOMPARE(at(right - width - 1), qRgba(255, 255, 255, 255));
    for (int x = right - width; x < right; ++x)
        QCOMPARE(at(x), qRgba(0, 0, 0, 255));
    QCOMPARE(qAlpha(at(right)), 0);
}

QTEST_MAIN(TestGlyphs)
#include "tst_glyphs.moc"
