#include "tqgdatalink.h"

#include "tqgchecklistbox.h"

#include <QPainter>

namespace {
// The least extent of a link rectangle in which its 2-pixel line still shows.
constexpr int MinimumExtent = 2;
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
    setToolTip(hint);
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
    const QRect a = link->m_field1->geometry();
    const QRect b = link->m_field2->geometry();
    const QRect &l = a.left() < b.left() ? a : b;
    const QRect &r = a.left() < b.left() ? b : a;
    Direction direction = r.top() < l.top() ? Rising : (r.top() > l.top() ? Falling : Horizontal);
    const int x1 = l.left() + l.width();
    const int x2 = r.left();
    if (x1 == x2)
        direction = Vertical;
    link->m_direction = direction;
    const int width = qMax(qAbs(x2 - x1), MinimumExtent);
    const int height = qMax(qAbs(l.top() - r.top()), MinimumExtent);
    link->setGeometry(x1, qMin(l.top(), r.top()) + 20, width, height);
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
    p.drawLine(LineGeometry());
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
