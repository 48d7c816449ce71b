// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgbrace.h"

#include <QPainter>
#include <QPainterPath>

TQGBrace::TQGBrace(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TQGBrace::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal pen = 2.0;
    const qreal top = pen, bottom = height() - pen;
    const qreal right = width() - pen, spine = width() / 2.0, tip = pen;
    const qreal middle = (top + bottom) / 2.0;
    const qreal r = qMin<qreal>(width() / 2.0, (bottom - top) / 6.0);

    QPainterPath brace;
    brace.moveTo(right, top);
    brace.quadTo(spine, top, spine, top + r);
    brace.lineTo(spine, middle - r);
    brace.quadTo(spine, middle, tip, middle);
    brace.quadTo(spine, middle, spine, middle + r);
    brace.lineTo(spine, bottom - r);
    brace.quadTo(spine, bottom, right, bottom);

    p.setPen(QPen(palette().color(QPalette::WindowText), pen, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(brace);
}
