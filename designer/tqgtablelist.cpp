// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgtablelist.h"

#include "tqgglyphs.h"
#include "tqgstyle.h"

#include <QContextMenuEvent>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>


namespace {

// The model hands out the selected captions as the drag's data; the canvas reads the
// selection of the table list itself, as the drop needs the list's order.
class TableListModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    QStringList mimeTypes() const override { return {QLatin1String(TQGTableList::TablesMime)}; }
    QMimeData *mimeData(const QModelIndexList &indexes) const override
    {
        QStringList names;
        for (const QModelIndex &index : indexes) {
            if (index.column() == 0)
                names << index.data().toString();
        }
        auto *mime = new QMimeData;
        mime->setData(QLatin1String(TQGTableList::TablesMime), names.join(u'\n').toUtf8());
        return mime;
    }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
};

// In the list styles a row is never wider than the list, so that a long name ends in an
// ellipsis instead of being cut at the edge (its tooltip gives it whole).
class FittingDelegate : public QStyledItemDelegate
{
public:
    explicit FittingDelegate(QListView *view) : QStyledItemDelegate(view), m_view(view) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (m_view->viewMode() != QListView::ListMode)
            return QStyledItemDelegate::sizeHint(option, index);
        // Each layout asks for every row shown; a filter lays out thousands of them per
        // keystroke, and measuring a caption costs more than looking it up.
        const QString caption = index.data().toString();
        auto known = m_sizes.constFind(caption);
        if (known == m_sizes.cend())
            known = m_sizes.insert(caption, QStyledItemDelegate::sizeHint(option, index));
        QSize size = *known;
        size.setWidth(std::min(size.width(), std::max(24, m_view->viewport()->width() - 2 * m_view->spacing() - 2)));
        return size;
    }
    // The icon size or the rows changed.
    void Forget() { m_sizes.clear(); }

private:
    QListView *m_view;
    mutable QHash<QString, QSize> m_sizes;
};

} // namespace

TQGTableList::TQGTableList(QWidget *parent)
    : QWidget(parent), m_model(new TableListModel(0, 2, this)), m_filter(new QLineEdit(this)),
      m_stack(new QStackedWidget(this)), m_iconView(new QListView), m_reportView(new QTreeView)
{
    setObjectName(QStringLiteral("ListView1"));
    m_model->setHorizontalHeaderLabels({tr("Table Name"), tr("Information")});
    m_selection = new QItemSelectionModel(m_model, this);

    m_iconView->setObjectName(QStringLiteral("ListView1Icons"));
    m_reportView->setObjectName(QStringLiteral("ListView1Report"));
    for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(m_iconView),
                                    static_cast<QAbstractItemView *>(m_reportView)}) {
        view->setModel(m_model);
        view->setSelectionModel(m_selection);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setDefaultDropAction(Qt::CopyAction);
        view->viewport()->installEventFilter(this);
        view->installEventFilter(this);
        view->setTextElideMode(Qt::ElideRight);
        view->setAccessibleName(tr("Tables"));
        connect(view, &QAbstractItemView::doubleClicked, this, [this] { Q_EMIT doubleClicked(); });
    }
    m_delegate = new FittingDelegate(m_iconView);
    m_iconView->setItemDelegate(m_delegate);
    m_reportView->setRootIsDecorated(false);
    m_reportView->setUniformRowHeights(true);
    m_reportView->setAllColumnsShowFocus(true);
    // The last column keeps its width rather than stretching to the list's edge.
    m_reportView->header()->setStretchLastSection(false);
    m_reportView->header()->resizeSection(0, 90);
    m_reportView->header()->resizeSection(1, 120);
    m_reportView->setStyleSheet(ItemGridStyleSheet(QStringLiteral("QTreeView")));
    m_iconView->setUniformItemSizes(false);

    m_filter->setObjectName(QStringLiteral("TableFilterEdit"));
    m_filter->setPlaceholderText(tr("Filter tables"));
    m_filter->setAccessibleName(tr("Filter tables"));
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    connect(m_filter, &QLineEdit::textChanged, this, &TQGTableList::applyFilter);

    m_stack->addWidget(m_iconView);
    m_stack->addWidget(m_reportView);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_filter);
    layout->addWidget(m_stack);
    SetViewStyle(List);
}

void TQGTableList::Clear()
{
    m_model->removeRows(0, m_model->rowCount());
    m_hidden.clear();
}

namespace {

QList<QStandardItem *> rowItems(const QString &caption)
{
    auto *name = new QStandardItem(Glyph(TQGGlyph::Table), caption);
    name->setData(caption, Qt::ToolTipRole);
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    auto *info = new QStandardItem;
    info->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    return {name, info};
}

} // namespace

void TQGTableList::SetRows(const QStringList &captions)
{
    QStringList sorted = captions;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    Clear();
    // Two columns appended whole: the views lay out once, not once a row.
    QList<QStandardItem *> names, infos;
    names.reserve(sorted.size());
    infos.reserve(sorted.size());
    for (const QString &caption : std::as_const(sorted)) {
        const QList<QStandardItem *> items = rowItems(caption);
        names.append(items.at(0));
        infos.append(items.at(1));
    }
    static_cast<FittingDelegate *>(m_delegate)->Forget();
    // The report's columns keep the widths they had.
    QHeaderView *header = m_reportView->header();
    const int widths[2] = {header->sectionSize(0), header->sectionSize(1)};
    m_model->setColumnCount(0);
    m_model->appendColumn(names);
    m_model->appendColumn(infos);
    m_model->setHorizontalHeaderLabels({tr("Table Name"), tr("Information")});
    header->resizeSection(0, widths[0]);
    header->resizeSection(1, widths[1]);
    m_hidden.clear();
    applyFilter();
}

void TQGTableList::SetFilterText(const QString &text)
{
    m_filter->setText(text);
}

bool TQGTableList::IsRowShown(int row) const
{
    return row >= 0 && row < m_model->rowCount() && !(row < m_hidden.size() && m_hidden.at(row));
}

int TQGTableList::ShownRowCount() const
{
    return int(m_model->rowCount() - m_hidden.count(true));
}

void TQGTableList::applyFilter()
{
    const QString text = m_filter->text().trimmed();
    const int rows = m_model->rowCount();
    m_hidden.resize(rows, false);
    QItemSelection lost;
    for (int row = 0; row < rows; ++row) {
        const bool hide = !text.isEmpty() && !m_model->item(row)->text().contains(text, Qt::CaseInsensitive);
        if (hide == m_hidden.at(row))
            continue;
        m_hidden[row] = hide;
        m_iconView->setRowHidden(row, hide);
        m_reportView->setRowHidden(row, QModelIndex(), hide);
        if (hide && m_selection->isRowSelected(row))
            lost.select(m_model->index(row, 0), m_model->index(row, 1));
    }
    if (!lost.isEmpty())
        m_selection->select(lost, QItemSelectionModel::Deselect);
}

void TQGTableList::placeSelected()
{
    bool any = false;
    for (int row = 0; row < m_model->rowCount() && !any; ++row)
        any = IsRowShown(row) && IsSelected(row);
    if (!any) {
        int first = 0;
        while (first < m_model->rowCount() && !IsRowShown(first))
            ++first;
        if (first >= m_model->rowCount())
            return;
        SetSelected(first, true);
    }
    Q_EMIT doubleClicked();
}

bool TQGTableList::filterKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // An empty box leaves Escape to the window.
        if (m_filter->text().isEmpty())
            return false;
        m_filter->clear();
        return true;
    case Qt::Key_Down: {
        // The list takes the focus with a shown table selected: the current one, else the first.
        QAbstractItemView *view = CurrentView();
        bool selected = false;
        int first = -1;
        for (int row = 0; row < m_model->rowCount() && !selected; ++row) {
            if (IsRowShown(row)) {
                selected = IsSelected(row);
                first = first < 0 ? row : first;
            }
        }
        if (!selected && first >= 0) {
            const int current = view->currentIndex().row();
            const int row = IsRowShown(current) ? current : first;
            m_selection->setCurrentIndex(m_model->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        view->setFocus(Qt::TabFocusReason);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        placeSelected();
        return true;
    default:
        return false;
    }
}

void TQGTableList::AddRow(const QString &caption)
{
    // Binary search for the sorted position (case-insensitive, as the list sorts by text).
    int lo = 0, hi = m_model->rowCount();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(m_model->item(mid)->text(), caption, Qt::CaseInsensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    m_model->insertRow(lo, rowItems(caption));
    m_hidden.insert(lo, false);
    const QString text = m_filter->text().trimmed();
    if (!text.isEmpty() && !caption.contains(text, Qt::CaseInsensitive)) {
        m_hidden[lo] = true;
        m_iconView->setRowHidden(lo, true);
        m_reportView->setRowHidden(lo, QModelIndex(), true);
    }
}

int TQGTableList::RowCount() const { return m_model->rowCount(); }

QString TQGTableList::Caption(int row) const
{
    const QStandardItem *item = m_model->item(row);
    return item ? item->text() : QString();
}

QStringList TQGTableList::Captions() const
{
    QStringList captions;
    for (int i = 0; i < m_model->rowCount(); ++i)
        captions << m_model->item(i)->text();
    return captions;
}

bool TQGTableList::IsSelected(int row) const
{
    // The icon and list styles select the caption only, the report style the whole row.
    return m_selection->isSelected(m_model->index(row, 0));
}

void TQGTableList::SetSelected(int row, bool selected)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    m_selection->select(index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
                                   | QItemSelectionModel::Rows);
}

QStringList TQGTableList::SelectedCaptions() const
{
    QStringList captions;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        if (IsSelected(i))
            captions << m_model->item(i)->text();
    }
    return captions;
}

void TQGTableList::SetViewStyle(ViewStyle style)
{
    m_style = style;
    static_cast<FittingDelegate *>(m_delegate)->Forget();
    switch (style) {
    case LargeIcons:
        m_iconView->setWordWrap(true);
        m_iconView->setTextElideMode(Qt::ElideRight);
        m_iconView->setViewMode(QListView::IconMode);
        m_iconView->setIconSize(QSize(32, 32));
        m_iconView->setGridSize(QSize(88, 64));
        m_iconView->setFlow(QListView::LeftToRight);
        m_iconView->setWrapping(true);
        m_iconView->setMovement(QListView::Static);
        m_iconView->setResizeMode(QListView::Adjust);
        m_stack->setCurrentWidget(m_iconView);
        break;
    case SmallIcons:
        m_iconView->setWordWrap(false);
        m_iconView->setViewMode(QListView::ListMode);
        m_iconView->setIconSize(QSize(16, 16));
        m_iconView->setGridSize(QSize());
        m_iconView->setFlow(QListView::LeftToRight);
        m_iconView->setWrapping(true);
        m_iconView->setResizeMode(QListView::Adjust);
        m_iconView->setSpacing(2);
        m_stack->setCurrentWidget(m_iconView);
        break;
    case List:
        m_iconView->setWordWrap(false);
        m_iconView->setViewMode(QListView::ListMode);
        m_iconView->setIconSize(QSize(16, 16));
        m_iconView->setGridSize(QSize());
        m_iconView->setFlow(QListView::TopToBottom);
        m_iconView->setWrapping(true);
        m_iconView->setResizeMode(QListView::Adjust);
        m_iconView->setSpacing(1);
        m_stack->setCurrentWidget(m_iconView);
        break;
    case Report:
        m_stack->setCurrentWidget(m_reportView);
        break;
    }
    // The drag mode of a list view is reset by setViewMode.
    m_iconView->setDragEnabled(true);
    m_iconView->setDragDropMode(QAbstractItemView::DragOnly);
}

QAbstractItemView *TQGTableList::CurrentView() const
{
    return m_style == Report ? static_cast<QAbstractItemView *>(m_reportView)
                             : static_cast<QAbstractItemView *>(m_iconView);
}

bool TQGTableList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_filter) {
        // Escape and Enter belong to the box, not to the window's default buttons.
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if ((key == Qt::Key_Escape && !m_filter->text().isEmpty()) || key == Qt::Key_Return || key == Qt::Key_Enter)
                event->accept();
            return false;
        }
        if (event->type() == QEvent::KeyPress && filterKey(static_cast<QKeyEvent *>(event)))
            return true;
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && watched != m_filter) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            placeSelected();
            return true;
        }
    }
    // Ctrl+A selects every table while the list has the focus, not the SQL text.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->matches(QKeySequence::SelectAll)) {
        event->accept();
        return false;
    }
    if (event->type() == QEvent::ContextMenu && m_popup) {
        m_popup->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
