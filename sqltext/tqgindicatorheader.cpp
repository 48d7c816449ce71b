// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgindicatorheader.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QPainterPath>

TQGIndicatorHeader::TQGIndicatorHeader(QWidget *parent)
    : QHeaderView(Qt::Vertical, parent)
{
    setObjectName(QStringLiteral("Indicator"));
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setFixedWidth(IndicatorWidth);
}

QSize TQGIndicatorHeader::sizeHint() const
{
    return QSize(IndicatorWidth, defaultSectionSize());
}

void TQGIndicatorHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect, logicalIndex);
    const QItemSelectionModel *selection = selectionModel();
    if (!selection || selection->currentIndex().row() != logicalIndex)
        return;
    // A solid arrow pointing at the current record.
    const int size = qMin(8, qMin(rect.width() - 4, rect.height() - 2));
    if (size < 4)
        return;
    const QPointF centre = QRectF(rect).center();
    QPainterPath arrow;
    arrow.moveTo(centre.x() - size / 4.0, centre.y() - size / 2.0);
    arrow.lineTo(centre.x() + size / 4.0 + 1, centre.y());
    arrow.lineTo(centre.x() - size / 4.0, centre.y() + size / 2.0);
    arrow.closeSubpath();
    painter->save();
    // The base class leaves an empty clip region behind when the painter had none.
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(arrow, palette().color(QPalette::ButtonText));
    painter->restore();
}
