// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgtablelist.h"

#include "tqgglyphs.h"
#include "tqgstyle.h"

#include <QContextMenuEvent>
#include <QHeaderView>
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
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (m_view->viewMode() == QListView::ListMode)
            size.setWidth(std::min(size.width(), std::max(24, m_view->viewport()->width() - 2 * m_view->spacing() - 2)));
        return size;
    }

private:
    QListView *m_view;
};

} // namespace

TQGTableList::TQGTableList(QWidget *parent)
    : QWidget(parent), m_model(new TableListModel(0, 2, this)),
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
    m_iconView->setItemDelegate(new FittingDelegate(m_iconView));
    m_reportView->setRootIsDecorated(false);
    m_reportView->setUniformRowHeights(true);
    m_reportView->setAllColumnsShowFocus(true);
    // The last column keeps its width rather than stretching to the list's edge.
    m_reportView->header()->setStretchLastSection(false);
    m_reportView->header()->resizeSection(0, 90);
    m_reportView->header()->resizeSection(1, 120);
    m_reportView->setStyleSheet(ItemGridStyleSheet(QStringLiteral("QTreeView")));
    m_iconView->setUniformItemSizes(false);

    m_stack->addWidget(m_iconView);
    m_stack->addWidget(m_reportView);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    SetViewStyle(List);
}

void TQGTableList::Clear()
{
    m_model->removeRows(0, m_model->rowCount());
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
    auto *name = new QStandardItem(Glyph(TQGGlyph::Table), caption);
    name->setData(caption, Qt::ToolTipRole);
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    auto *info = new QStandardItem;
    info->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    m_model->insertRow(lo, {name, info});
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
