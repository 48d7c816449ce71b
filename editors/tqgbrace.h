// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QWidget>

// The large "{" that groups the comparison dialog's three boxes into one condition.
class TQGBrace : public QWidget
{
    Q_OBJECT
public:
    explicit TQGBrace(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
