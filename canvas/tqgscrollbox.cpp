// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgscrollbox.h"

#include "tqgchecklistbox.h"
#include "tqgdatalink.h"

#include <QChildEvent>
#include <QDragEnterEvent>
#include <QScrollBar>

namespace {
constexpr int ExtentMargin = 20;
} // namespace

TQGScrollBox::TQGScrollBox(QWidget *parent)
    : QScrollArea(parent), m_content(new QWidget)
{
    setObjectName(QStringLiteral("ScrollBox1"));
    setAccessibleName(tr("Design canvas"));
    m_content->setObjectName(QStringLiteral("ScrollBox1Content"));
    m_content->setAutoFillBackground(true);
    m_content->setBackgroundRole(QPalette::Base);
    m_content->installEventFilter(this);
    setWidget(m_content);
    setWidgetResizable(false);
    // Drag events arrive at the viewport and reach the handlers below through viewportEvent.
    viewport()->setAcceptDrops(true);
    setBackgroundRole(QPalette::Base);
    m_content->resize(viewport()->size());
}

QList<TQGCheckListBox *> TQGScrollBox::TableWindows() const
{
    QList<TQGCheckListBox *> result;
    for (QObject *child : m_placed) {
        if (auto *box = qobject_cast<TQGCheckListBox *>(child))
            result << box;
    }
    return result;
}

QList<TQGDataLink *> TQGScrollBox::Links() const
{
    QList<TQGDataLink *> result;
    for (QObject *child : m_placed) {
        if (auto *link = qobject_cast<TQGDataLink *>(child))
            result << link;
    }
    return result;
}

int TQGScrollBox::HorzScrollPosition() const { return horizontalScrollBar()->value(); }
int TQGScrollBox::VertScrollPosition() const { return verticalScrollBar()->value(); }

void TQGScrollBox::UpdateExtent()
{
    if (m_updating)
        return;
    m_updating = true;
    QRect bounds(QPoint(0, 0), viewport()->size());
    for (QObject *child : m_content->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w && !w->isHidden())
            bounds |= w->geometry().adjusted(0, 0, ExtentMargin, ExtentMargin);
    }
    const QSize size(bounds.right() + 1, bounds.bottom() + 1);
    if (m_content->size() != size)
        m_content->resize(size);
    m_updating = false;
}

bool TQGScrollBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content) {
        switch (event->type()) {
        case QEvent::ChildAdded:
        case QEvent::ChildRemoved: {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (event->type() == QEvent::ChildAdded)
                m_placed.append(child);
            else
                m_placed.removeOne(child);
            if (auto *w = qobject_cast<QWidget *>(child))
                w->installEventFilter(this);
            UpdateExtent();
            break;
        }
        default:
            break;
        }
    } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize
               || event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        if (watched->parent() == m_content)
            UpdateExtent();
    }
    return QScrollArea::eventFilter(watched, event);
}

void TQGScrollBox::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    UpdateExtent();
}

void TQGScrollBox::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void TQGScrollBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (OnDragOver && OnDragOver(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TQGScrollBox::dropEvent(QDropEvent *event)
{
    if (!OnDragDrop)
        return;
    const QPoint pos = m_content->mapFrom(viewport(), event->position().toPoint());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    OnDragDrop(event, pos);
}
