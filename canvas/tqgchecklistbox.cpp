// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgchecklistbox.h"

#include "naming.h"

#include <QStyledItemDelegate>

#include "tqgtablewindowhandlers.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {
constexpr int MinimumWidth = 60;
constexpr int MinimumHeight = 40;
} // namespace

namespace {

// The chooser box's font: a little smaller than the row's.
QFont TotalFont(QFont f)
{
    f.setPointSizeF(f.pointSizeF() * 0.9);
    return f;
}

// Room left of the caption and right of it for the arrow.
constexpr int TotalTextLeft = 2;
constexpr int TotalTextRight = 11;

// Paints a row, then, while totals are shown, its function in a small box at its right end.
class TotalDelegate : public QStyledItemDelegate
{
public:
    explicit TotalDelegate(TQGCheckListBox *box) : QStyledItemDelegate(box), m_box(box) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!m_box->TotalsShown() || !m_box->Checked(index.row()))
            return;
        const QRect box = m_box->TotalRect(index.row()).adjusted(1, 1, -1, -1);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->setBrush(option.palette.color(QPalette::Button));
        painter->drawRect(box);
        painter->setPen(option.palette.color(QPalette::ButtonText));
        painter->setFont(TotalFont(painter->font()));
        painter->drawText(box.adjusted(TotalTextLeft, 0, -TotalTextRight, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          TQGCheckListBox::TotalCaption(m_box->Total(index.row())));
        // A small down arrow: the box is a chooser.
        const QPoint c(box.right() - 5, box.center().y());
        painter->setBrush(option.palette.color(QPalette::ButtonText));
        painter->drawPolygon(QPolygon({c + QPoint(-3, -1), c + QPoint(3, -1), c + QPoint(0, 2)}));
        painter->restore();
    }

private:
    TQGCheckListBox *m_box;
};

} // namespace

TQGCheckListBox::TQGCheckListBox(QWidget *parent)
    : QListWidget(parent)
{
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(BorderWidth, BorderWidth + CaptionHeight, BorderWidth, BorderWidth);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    viewport()->setAcceptDrops(true);
    setDefaultDropAction(Qt::LinkAction);
    setAutoFillBackground(true);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setGeometry(0, 0, DefaultWidth, DefaultHeight);
    setItemDelegate(new TotalDelegate(this));
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *changed) {
        const int r = row(changed);
        if (r >= 0 && r < m_ticks.size())
            m_ticks[r] = changed->checkState() == Qt::Checked;
        if (!m_programmatic && m_handlers)
            m_handlers->TableFieldListChanged(this);
    });
}

void TQGCheckListBox::SetCaption(const QString &caption)
{
    m_caption = caption;
    setAccessibleName(CaptionText());
    update();
}

void TQGCheckListBox::SetAlias(const QString &alias)
{
    m_alias = alias;
    setAccessibleName(CaptionText());
    update();
}

QString TQGCheckListBox::CaptionText() const
{
    return TableTitle(m_caption, m_alias);
}

void TQGCheckListBox::SetFields(const QStringList &fields, bool checked)
{
    m_programmatic = true;
    clear();
    m_fields = fields;
    m_ticks = QList<bool>(fields.size(), checked);
    m_totals = QList<TotalKind>(fields.size(), TotalKind::None);
    for (const QString &field : fields) {
        auto *item = new QListWidgetItem(field, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                       | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    m_programmatic = false;
    if (m_totalsShown)
        widenForTotals();
}

QStringList TQGCheckListBox::Fields() const
{
    return m_fields;
}

QList<bool> TQGCheckListBox::Ticks() const
{
    return m_ticks;
}

bool TQGCheckListBox::Checked(int row) const
{
    const QListWidgetItem *it = item(row);
    return it && it->checkState() == Qt::Checked;
}

void TQGCheckListBox::SetChecked(int row, bool checked)
{
    if (QListWidgetItem *it = item(row)) {
        m_programmatic = true;
        it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        m_programmatic = false;
    }
}

QByteArray TQGCheckListBox::DragId() const
{
    return QByteArray::number(quintptr(this), 16);
}

int TQGCheckListBox::RowAt(const QPoint &widgetPos) const
{
    return RowAtViewportPos(viewport()->mapFrom(this, widgetPos));
}

int TQGCheckListBox::RowAtViewportPos(const QPoint &viewportPos) const
{
    if (!viewport()->rect().contains(viewportPos))
        return -1;
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.row() : -1;
}

int TQGCheckListBox::hitTest(const QPoint &pos) const
{
    if (!rect().contains(pos))
        return None;
    int edges = None;
    const int grip = BorderWidth + 1;
    if (pos.x() < grip)
        edges |= Left;
    else if (pos.x() >= width() - grip)
        edges |= Right;
    if (pos.y() < grip)
        edges |= Top;
    else if (pos.y() >= height() - grip)
        edges |= Bottom;
    if (edges == None && pos.y() < BorderWidth + CaptionHeight)
        return Caption_;
    return edges;
}

void TQGCheckListBox::updateFrameCursor(int hit)
{
    switch (hit) {
    case Left | Top:
    case Right | Bottom:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case Right | Top:
    case Left | Bottom:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case Left:
    case Right:
        setCursor(Qt::SizeHorCursor);
        break;
    case Top:
    case Bottom:
        setCursor(Qt::SizeVerCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

bool TQGCheckListBox::frameMouse(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (event->button() != Qt::LeftButton)
            return false;
        m_dragEdges = hitTest(pos);
        if (m_dragEdges == None)
            return false;
        raise();
        setFocus(Qt::MouseFocusReason);
        m_dragStartGlobal = event->globalPosition().toPoint();
        m_dragStartGeometry = geometry();
        return true;
    case QEvent::MouseMove: {
        if (m_dragEdges == None) {
            updateFrameCursor(hitTest(pos));
            return false;
        }
        const QPoint delta = event->globalPosition().toPoint() - m_dragStartGlobal;
        QRect g = m_dragStartGeometry;
        if (m_dragEdges == Caption_) {
            g.moveTopLeft(QPoint(qMax(0, g.left() + delta.x()), qMax(0, g.top() + delta.y())));
        } else {
            if (m_dragEdges & Left)
                g.setLeft(qMin(qMax(0, g.left() + delta.x()), g.right() - MinimumWidth));
            if (m_dragEdges & Right)
                g.setRight(qMax(g.right() + delta.x(), g.left() + MinimumWidth));
            if (m_dragEdges & Top)
                g.setTop(qMin(qMax(0, g.top() + delta.y()), g.bottom() - MinimumHeight));
            if (m_dragEdges & Bottom)
                g.setBottom(qMax(g.bottom() + delta.y(), g.top() + MinimumHeight));
        }
        setGeometry(g);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragEdges == None)
            return false;
        m_dragEdges = None;
        // One step of the design per drag, however many moves it took.
        if (geometry() != m_dragStartGeometry && m_handlers)
            m_handlers->TableGeometryChanged(this);
        return true;
    default:
        return false;
    }
}

bool TQGCheckListBox::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint: {
        const bool done = QListWidget::event(event);
        paintFrame();
        return done;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (frameMouse(static_cast<QMouseEvent *>(event)))
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::Leave:
        if (m_dragEdges == None)
            unsetCursor();
        break;
    default:
        break;
    }
    return QListWidget::event(event);
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPair<QColor, QColor> TQGCheckListBox::CaptionColors(const QPalette &palette, bool active)
{
    // Each text on the background of its own pair of roles, so that it stays readable in
    // palettes that set some roles and leave others (a dark palette with a light Mid).
    QColor back = palette.color(QPalette::Inactive, active ? QPalette::Highlight : QPalette::Button);
    const QColor text = palette.color(QPalette::Inactive, active ? QPalette::HighlightedText : QPalette::ButtonText);
    // Some styles' own pairs fall short of 4.5:1 (Fusion's white on #308cc6 is 3.7:1): the
    // background moves away from the text, keeping its hue, until the caption reads.
    const bool lightText = text.lightnessF() > 0.5;
    for (int step = 0; step < 12 && ContrastRatio(back, text) < 4.5; ++step)
        back = lightText ? back.darker(112) : back.lighter(112);
    return {back, text};
}

void TQGCheckListBox::paintFrame()
{
    QPainter p(this);
    const QPalette pal = palette();
    const auto [captionColor, textColor] = CaptionColors(pal, hasFocus());
    // Sizing border.
    p.fillRect(QRect(0, 0, width(), BorderWidth + CaptionHeight), pal.color(QPalette::Window));
    p.fillRect(QRect(0, 0, BorderWidth, height()), pal.color(QPalette::Window));
    p.fillRect(QRect(width() - BorderWidth, 0, BorderWidth, height()), pal.color(QPalette::Window));
    p.fillRect(QRect(0, height() - BorderWidth, width(), BorderWidth), pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // Caption bar.
    const QRect captionRect(BorderWidth, BorderWidth, width() - 2 * BorderWidth, CaptionHeight - 1);
    p.fillRect(captionRect, captionColor);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(textColor);
    const QRect textRect = captionRect.adjusted(4, 0, -4, 0);
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
               QFontMetrics(f).elidedText(CaptionText(), Qt::ElideRight, textRect.width()));
}

void TQGCheckListBox::SetTotalsShown(bool shown)
{
    m_totalsShown = shown;
    if (!shown)
        m_totals.fill(TotalKind::None, m_fields.size());
    else
        widenForTotals();
    viewport()->update();
}

int TQGCheckListBox::TotalWidth() const
{
    const QFontMetrics fm(TotalFont(font()));
    int widest = 0;
    for (int k = int(TotalKind::Group); k <= int(TotalKind::Max); ++k)
        widest = qMax(widest, fm.horizontalAdvance(TotalCaption(TotalKind(k))));
    return widest + TotalTextLeft + TotalTextRight + 2;
}

// A box over the field names would hide what is being totalled: the window grows until the
// longest name and the box fit side by side. It never shrinks; the user sized it.
int TQGCheckListBox::WidthForTotals(const QStringList &fields) const
{
    const QFontMetrics fm(font());
    int widestName = 0;
    for (const QString &name : fields)
        widestName = qMax(widestName, fm.horizontalAdvance(name));
    const int check = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this)
                      + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 6;
    // From the margins, not the viewport: a hidden window's viewport keeps a stale size.
    const QMargins frame = contentsMargins() + viewportMargins();
    return widestName + check + TotalWidth() + frame.left() + frame.right() + 4;
}

void TQGCheckListBox::widenForTotals()
{
    const int needed = WidthForTotals(m_fields);
    if (width() >= needed)
        return;
    resize(needed, height());
    // A hidden window gets its resize event only when shown; its links must follow now.
    if (!isVisible() && m_handlers)
        m_handlers->TableMoved(this);
}

TotalKind TQGCheckListBox::Total(int row) const
{
    const TotalKind kind = m_totals.value(row, TotalKind::None);
    return kind == TotalKind::None ? TotalKind::Group : kind;
}

void TQGCheckListBox::SetTotal(int row, TotalKind kind)
{
    if (row < 0 || row >= m_fields.size())
        return;
    m_totals.resize(m_fields.size());
    m_totals[row] = kind;
    viewport()->update();
}

QString TQGCheckListBox::TotalCaption(TotalKind kind)
{
    switch (kind) {
    case TotalKind::None:
    case TotalKind::Group:
        return tr("Group By");
    case TotalKind::Count:
        return tr("Count");
    case TotalKind::Sum:
        return tr("Sum");
    case TotalKind::Avg:
        return tr("Avg");
    case TotalKind::Min:
        return tr("Min");
    case TotalKind::Max:
        return tr("Max");
    }
    return QString();
}

QRect TQGCheckListBox::TotalRect(int row) const
{
    const QRect r = visualRect(model()->index(row, 0));
    const int right = viewport()->width() - 1;
    const int w = TotalWidth();
    return QRect(right - w, r.top(), w, r.height());
}

QMenu *TQGCheckListBox::ShowTotalChooser(int row, const QPoint &globalPos)
{
    auto *chooser = new QMenu(this);
    chooser->setObjectName(QStringLiteral("TotalChooser"));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    const char *names[] = {"TotalGroup", "TotalCount", "TotalSum", "TotalAvg", "TotalMin", "TotalMax"};
    for (int k = int(TotalKind::Group); k <= int(TotalKind::Max); ++k) {
        QAction *a = chooser->addAction(TotalCaption(TotalKind(k)));
        a->setObjectName(QLatin1String(names[k - 1]));
        a->setCheckable(true);
        a->setChecked(Total(row) == TotalKind(k));
        connect(a, &QAction::triggered, this, [this, row, k] {
            SetTotal(row, TotalKind(k));
            if (m_handlers)
                m_handlers->TableFieldListChanged(this);
        });
    }
    chooser->popup(globalPos);
    return chooser;
}

void TQGCheckListBox::mousePressEvent(QMouseEvent *event)
{
    m_pressPos = viewport()->mapTo(this, event->position().toPoint());
    if (m_totalsShown && event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        const int row = indexAt(pos).row();
        if (row >= 0 && Checked(row) && TotalRect(row).contains(pos)) {
            event->accept();
            ShowTotalChooser(row, viewport()->mapToGlobal(TotalRect(row).bottomLeft()));
            return;
        }
    }
    QListWidget::mousePressEvent(event);
}

void TQGCheckListBox::mouseMoveEvent(QMouseEvent *event)
{
    QListWidget::mouseMoveEvent(event);
}

void TQGCheckListBox::keyReleaseEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) && m_handlers) {
        m_handlers->TableRemove(this);
        return;
    }
    QListWidget::keyReleaseEvent(event);
}

void TQGCheckListBox::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    update();
    if (m_handlers)
        m_handlers->TableEnter(this);
}

void TQGCheckListBox::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    update();
    // A popup menu, the menu bar or another window taking the focus leaves the window
    // current, as the table commands of the popup act on it.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason
        || reason == Qt::MenuBarFocusReason)
        return;
    if (m_handlers)
        m_handlers->TableExit(this);
}

void TQGCheckListBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popup)
        m_popup->popup(event->globalPos());
}

void TQGCheckListBox::startDrag(Qt::DropActions)
{
    if (m_handlers)
        m_handlers->TableStartDrag(this, m_pressPos);
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(FieldMime), DragId());
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
}

void TQGCheckListBox::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void TQGCheckListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_handlers && m_handlers->TableDragOver(this, event)) {
        event->setDropAction(Qt::LinkAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TQGCheckListBox::dropEvent(QDropEvent *event)
{
    if (m_handlers) {
        event->setDropAction(Qt::LinkAction);
        event->accept();
        m_handlers->TableDragDrop(this, event);
    }
}

void TQGCheckListBox::moveEvent(QMoveEvent *event)
{
    QListWidget::moveEvent(event);
    if (m_handlers)
        m_handlers->TableMoved(this);
}

void TQGCheckListBox::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    if (m_handlers)
        m_handlers->TableMoved(this);
}
