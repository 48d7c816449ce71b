// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QHeaderView>

// The record indicator column of the result grid: a narrow vertical header without
// texts that marks the current record with an arrow.
class TQGIndicatorHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit TQGIndicatorHeader(QWidget *parent = nullptr);

    static constexpr int IndicatorWidth = 12;

    // A fixed width: the base class would measure the header texts of many rows.
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};
