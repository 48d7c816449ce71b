// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QPointer>
#include <QWidget>

// A splitter bar that sits beside a panel of fixed width and sets that width by dragging,
// as a splitter control between two aligned panels does. It stays in place while the
// panel is hidden, unlike a QSplitter handle, which hides with its widget.
class TQGPanelSplitter : public QWidget
{
    Q_OBJECT
public:
    TQGPanelSplitter(QWidget *panel, int minimumWidth, QWidget *parent = nullptr);

    QWidget *Panel() const { return m_panel; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointer<QWidget> m_panel;
    int m_minimumWidth;
    int m_pressX = -1;
    int m_pressWidth = 0;
};
