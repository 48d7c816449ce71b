// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgcelldelegate.h"

#include "tqgengrid.h"
#include "tqgresultmodel.h"
#include "tquery.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

TQGCellDelegate::TQGCellDelegate(TQGenGrid *grid)
    : QStyledItemDelegate(grid), m_grid(grid)
{
}

void TQGCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_grid->LinesPerRow() == 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Active
                                                                               : QPalette::Inactive;
    const QColor brush = selected ? option.palette.color(group, QPalette::Highlight)
                                  : option.palette.color(group, QPalette::Base);
    const QColor text = selected ? option.palette.color(group, QPalette::HighlightedText)
                                 : option.palette.color(group, QPalette::Text);

    painter->save();
    painter->fillRect(option.rect, brush);
    const QRect inner = option.rect.adjusted(Margin, Margin, -Margin, -Margin);
    if (inner.isValid()) {
        painter->setClipRect(inner);
        painter->setPen(text);
        painter->setFont(option.font);
        // Without Qt::TextShowMnemonic, drawText shows "&" as it is.
        switch (TFieldKind(index.data(TQGResultModel::FieldKindRole).toInt())) {
        case TFieldKind::Graphic: {
            const QPixmap picture = index.data(TQGResultModel::PictureRole).value<QPixmap>();
            if (!picture.isNull()) {
                painter->setRenderHint(QPainter::SmoothPixmapTransform);
                painter->drawPixmap(inner, picture);
            }
            break;
        }
        case TFieldKind::Memo: {
            // Only whole lines: a line cut through its glyphs reads as garbage.
            const int spacing = qMax(1, QFontMetrics(option.font).lineSpacing());
            QRect lines = inner;
            lines.setHeight(qMax(spacing, inner.height() / spacing * spacing));
            painter->setClipRect(lines.intersected(inner));
            painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                              index.data(TQGResultModel::WholeTextRole).toString());
            break;
        }
        case TFieldKind::Other:
            // A value cut at the cell's edge would read as another value: it ends in "…".
            painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              QFontMetrics(option.font).elidedText(index.data(Qt::DisplayRole).toString(),
                                                                   Qt::ElideRight, inner.width()));
            break;
        }
    }
    painter->restore();
}
