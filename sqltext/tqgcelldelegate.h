// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QStyledItemDelegate>

class TQGenGrid;

// Draws the result grid's cells: pictures stretched into the cell, memo text wrapped,
// other values on one line; "&" is always a plain character.
class TQGCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit TQGCellDelegate(TQGenGrid *grid);

    // The margin between the cell's edge and what it shows.
    static constexpr int Margin = 2;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TQGenGrid *m_grid;
};
