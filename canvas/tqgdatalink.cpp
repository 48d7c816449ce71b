// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgdatalink.h"

#include "querydocument.h"

#include "tqgchecklistbox.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {
// An outer join marks its kept end with an arrow head, which needs this much room.
constexpr double ArrowLength = 11.0;
constexpr double ArrowHalfWidth = 5.0;

// A filled arrow head with its tip at tip, pointing away from from.
QPainterPath arrowHead(QPointF from, QPointF tip)
{
    QPainterPath path;
    const double dx = tip.x() - from.x(), dy = tip.y() - from.y();
    const double length = qSqrt(dx * dx + dy * dy);
    if (length < 1.0)
        return path;
    const double ux = dx / length, uy = dy / length;
    const double len = qMin(ArrowLength, length / 2);
    const QPointF base(tip.x() - ux * len, tip.y() - uy * len);
    path.moveTo(tip);
    path.lineTo(base.x() - uy * ArrowHalfWidth, base.y() + ux * ArrowHalfWidth);
    path.lineTo(base.x() + uy * ArrowHalfWidth, base.y() - ux * ArrowHalfWidth);
    path.closeSubpath();
    return path;
}
} // namespace

TQGDataLink::TQGDataLink(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    resize(65, 65);
}

void TQGDataLink::watch(TQGCheckListBox *box)
{
    if (!box)
        return;
    // Synchronous: while the canvas deletes its children, Qt clears a child's slot when
    // another child deletes it, so no link outlives its window even for a moment.
    connect(box, &QObject::destroyed, this, [this] { delete this; });
}

void TQGDataLink::SetField1ListBox(TQGCheckListBox *box)
{
    if (box == m_field1)
        return;
    m_field1 = box;
    watch(box);
}

void TQGDataLink::SetField2ListBox(TQGCheckListBox *box)
{
    if (box == m_field2)
        return;
    m_field2 = box;
    watch(box);
}

void TQGDataLink::SetHint(const QString &hint)
{
    m_hint = hint;
    updateToolTip();
}

void TQGDataLink::SetJoinType(JoinType type)
{
    m_joinType = type;
    UpdateLinkBounds(this);
    updateToolTip();
    update();
}

QString TQGDataLink::JoinTypeText(JoinType type, const QString &table1, const QString &table2)
{
    switch (type) {
    case JoinType::Inner:
        return tr("Inner join: only the rows where both tables match");
    case JoinType::Left:
        return tr("Left join: every row of %1").arg(table1);
    case JoinType::Right:
        return tr("Right join: every row of %1").arg(table2);
    case JoinType::Full:
        return tr("Full join: every row of %1 and of %2").arg(table1, table2);
    }
    return QString();
}

void TQGDataLink::updateToolTip()
{
    // The classic link shows its join text alone; a screen reader says it is a join.
    setAccessibleName(tr("Join %1").arg(m_hint));
    if (m_joinType == JoinType::Inner || !m_field1 || !m_field2) {
        setToolTip(m_hint);
        setAccessibleDescription(QString());
        return;
    }
    const QString kept = JoinTypeText(m_joinType, m_field1->Caption(), m_field2->Caption());
    setToolTip(m_hint + u'\n' + kept);
    setAccessibleDescription(kept);
}

bool TQGDataLink::Field1AtLineStart() const
{
    if (!m_field1 || !m_field2)
        return true;
    if (m_direction == Vertical)
        return m_field1->y() <= m_field2->y();
    // UpdateLinkBounds takes Field2ListBox as the left window on a tie.
    return m_field1->x() < m_field2->x();
}

void TQGDataLink::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    Q_EMIT PopupRequested(event->globalPos());
}

void TQGDataLink::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT PropertiesRequested();
}

void TQGDataLink::SetPen(const QPen &pen)
{
    m_pen = pen;
    StyleChanged();
}

void TQGDataLink::SetBrush(const QBrush &brush)
{
    m_brush = brush;
    StyleChanged();
}

void TQGDataLink::UpdateLinkBounds(TQGDataLink *link)
{
    if (!link || !link->m_field1 || !link->m_field2)
        return;
    const LinkPlace place = PlaceLink(link->m_field1->geometry(), link->m_field2->geometry(), link->m_joinType);
    link->m_direction = Direction(place.direction);
    link->setGeometry(place.bounds);
    link->update();
}

QLine TQGDataLink::LineGeometry() const
{
    const int w = width();
    const int h = height();
    switch (m_direction) {
    case Falling:
        return QLine(0, 0, w, h);
    case Rising:
        return QLine(0, h, w, 0);
    case Horizontal:
        return QLine(0, h / 2, w, h / 2);
    case Vertical:
        return QLine(w / 2, 0, w / 2, h);
    }
    return QLine();
}

void TQGDataLink::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen = m_pen;
    pen.setColor(palette().color(m_mouseOver ? QPalette::Active : QPalette::Inactive,
                                 QPalette::Highlight));
    if (!m_mouseOver)
        pen.setColor(palette().color(QPalette::Inactive, QPalette::Mid).darker(115));
    pen.setWidth(2);
    p.setPen(pen);
    p.setBrush(m_brush);
    const QLine line = LineGeometry();
    p.drawLine(line);
    if (m_joinType == JoinType::Inner)
        return;
    // An arrow head on each side whose rows are all kept.
    const bool keep1 = m_joinType == JoinType::Left || m_joinType == JoinType::Full;
    const bool keep2 = m_joinType == JoinType::Right || m_joinType == JoinType::Full;
    const bool field1First = Field1AtLineStart();
    p.setBrush(pen.color());
    pen.setWidth(1);
    p.setPen(pen);
    if (field1First ? keep1 : keep2)
        p.drawPath(arrowHead(line.p2(), line.p1()));
    if (field1First ? keep2 : keep1)
        p.drawPath(arrowHead(line.p1(), line.p2()));
}

void TQGDataLink::enterEvent(QEnterEvent *)
{
    m_mouseOver = true;
    update();
}

void TQGDataLink::leaveEvent(QEvent *)
{
    m_mouseOver = false;
    update();
}
