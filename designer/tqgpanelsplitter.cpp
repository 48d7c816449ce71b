// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgpanelsplitter.h"

#include <QMouseEvent>

namespace {
// Room the drag always leaves to the right of the bar.
constexpr int RightRoom = 30;
} // namespace

TQGPanelSplitter::TQGPanelSplitter(QWidget *panel, int minimumWidth, QWidget *parent)
    : QWidget(parent), m_panel(panel), m_minimumWidth(minimumWidth)
{
    setFixedWidth(3);
    setCursor(Qt::SplitHCursor);
}

void TQGPanelSplitter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_panel || m_panel->isHidden()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressX = qRound(event->globalPosition().x());
    m_pressWidth = m_panel->width();
    event->accept();
}

void TQGPanelSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressX < 0 || !m_panel)
        return;
    int width = m_pressWidth + qRound(event->globalPosition().x()) - m_pressX;
    if (parentWidget())
        width = qMin(width, parentWidget()->width() - this->width() - RightRoom);
    m_panel->setFixedWidth(qMax(width, m_minimumWidth));
    event->accept();
}

void TQGPanelSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressX = -1;
    event->accept();
}
