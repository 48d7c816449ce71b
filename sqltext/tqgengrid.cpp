// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgengrid.h"

#include "resulttext.h"
#include "tqgcelldelegate.h"
#include "tqgexportresults.h"
#include "tqgindicatorheader.h"
#include "tqgresultmodel.h"
#include "tqgrowwindow.h"
#include "tquery.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace {

// Widths in average characters of the grid's font. The rows further down may hold longer
// values than the first ones, so a column gets some room beyond them.
constexpr int kMinTextChars = 8;
constexpr int kSlackChars = 3;
constexpr int kMaxTextChars = 40;
constexpr int kMemoChars = 28;

int textHeight(const QFont &font)
{
    return QFontMetrics(font).size(Qt::TextSingleLine, QStringLiteral("Wg")).height();
}

} // namespace

TQGenGrid::TQGenGrid(QWidget *parent)
    : QTableView(parent),
      m_window(new TQGRowWindow(this)),
      m_rowBar(new QScrollBar(Qt::Vertical)),
      m_popupMenu(new QMenu(this)),
      m_indicator(new TQGIndicatorHeader(this)),
      m_delegate(new TQGCellDelegate(this))
{
    setObjectName(QStringLiteral("QGenGrid1"));
    setAccessibleName(tr("Result rows"));
    setVerticalHeader(m_indicator);
    QTableView::setModel(m_window);
    // The bar the user sees stands in the place of the view's own, which spans only the
    // window and stays hidden in the same container (shown exactly when the window scrolls).
    m_rowBar->setObjectName(QStringLiteral("RowScrollBar"));
    addScrollBarWidget(m_rowBar, Qt::AlignTop);
    verticalScrollBar()->hide();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TQGenGrid::viewScrolled);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &TQGenGrid::syncRowBar);
    connect(m_rowBar, &QScrollBar::valueChanged, this, &TQGenGrid::rowBarMoved);
    connect(m_window, &QAbstractItemModel::modelReset, this, [this] {
        m_currentRow = -1;
        syncRowBar();
    });
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Blocks and rows are selected for copying them.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setCornerButtonEnabled(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setTabKeyNavigation(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    // Fitting a column to its contents looks at the rows in view only.
    horizontalHeader()->setResizeContentsPrecision(0);
    m_linesPerRow = 1;
    LayoutChanged();

    m_popupMenu->setObjectName(QStringLiteral("GridPopupMenu"));
    QAction *copy = m_popupMenu->addAction(tr("&Copy"), this, &TQGenGrid::CopySelection);
    copy->setObjectName(QStringLiteral("GridCopy1"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_popupMenu->addSeparator();
    QAction *exportResults = m_popupMenu->addAction(tr("Export Results..."), this, &TQGenGrid::ExportResults);
    exportResults->setObjectName(QStringLiteral("ExportResults2"));
    connect(m_popupMenu, &QMenu::aboutToShow, this, [this, copy, exportResults] {
        copy->setEnabled(HasSelectedCells());
        const auto *result = qobject_cast<TQGResultModel *>(SourceModel());
        exportResults->setEnabled(result && result->Query() && result->Query()->IsActive());
    });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popupMenu->popup(viewport()->mapToGlobal(pos)); });
}

bool TQGenGrid::HasSelectedCells() const
{
    return selectionModel() && selectionModel()->hasSelection();
}

QString TQGenGrid::SelectedText() const
{
    const QModelIndexList cells = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (cells.isEmpty())
        return QString();
    // The bounding block, its columns in the order the user sees them.
    int top = cells.first().row(), bottom = top;
    QList<int> columns;
    for (const QModelIndex &cell : cells) {
        top = qMin(top, cell.row());
        bottom = qMax(bottom, cell.row());
        if (!columns.contains(cell.column()))
            columns.append(cell.column());
    }
    const QHeaderView *header = horizontalHeader();
    std::sort(columns.begin(), columns.end(),
              [header](int a, int b) { return header->visualIndex(a) < header->visualIndex(b); });
    QStringList names;
    for (int column : std::as_const(columns))
        names.append(model()->headerData(column, Qt::Horizontal).toString());
    QList<QStringList> rows(bottom - top + 1, QStringList(columns.size(), QString()));
    for (const QModelIndex &cell : cells)
        rows[cell.row() - top][columns.indexOf(cell.column())] = cell.data().toString();
    return TabSeparatedText(names, rows);
}

void TQGenGrid::CopySelection()
{
    if (!HasSelectedCells())
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(SelectedText());
}

void TQGenGrid::ExportResults()
{
    if (auto *result = qobject_cast<TQGResultModel *>(SourceModel()))
        TQGExportResults::ExportResults1Click(this, result->Query());
}

// Ctrl+C copies the cells even where a window's Copy item has the same shortcut.
bool TQGenGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void TQGenGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TQGenGrid::SetLinesPerRow(int lines)
{
    if (lines == m_linesPerRow)
        return;
    m_linesPerRow = lines;
    LayoutChanged();
}

void TQGenGrid::LayoutChanged()
{
    ++m_layoutRuns;
    const int lineWidth = showGrid() ? 1 : 0;
    m_lineHeight = textHeight(font()) + 3 + lineWidth;
    m_titleHeight = textHeight(horizontalHeader()->font()) + 4 + lineWidth;
    // Below one line the drawing falls back to the standard one; the rows keep one line
    // so that they stay visible.
    m_rowHeight = m_lineHeight * qMax(1, m_linesPerRow);

    // Every data row has the same height: the header's default section size is the one
    // figure a view of any length needs.
    QHeaderView *rows = verticalHeader();
    rows->setMinimumSectionSize(qMin(m_rowHeight, m_lineHeight));
    rows->setDefaultSectionSize(m_rowHeight);
    horizontalHeader()->setFixedHeight(m_titleHeight);
    viewport()->update();
}

int TQGenGrid::GridRowCount() const
{
    return m_rowHeight > 0 ? (height() - m_titleHeight) / m_rowHeight + 1 : 1;
}

void TQGenGrid::setModel(QAbstractItemModel *newModel)
{
    if (QAbstractItemModel *old = SourceModel())
        disconnect(old, nullptr, this, nullptr);
    m_window->SetSource(newModel);
    if (newModel) {
        connect(newModel, &QAbstractItemModel::modelReset, this, &TQGenGrid::FitColumns);
        // More rows lengthen the bar even when the window is full.
        connect(newModel, &QAbstractItemModel::rowsInserted, this, [this] {
            syncRowBar();
            if (m_followEnd)
                followEnd();
        });
        connect(newModel, &QAbstractItemModel::modelReset, this, [this] { m_followEnd = false; });
    }
    syncRowBar();
    FitColumns();
}

QAbstractItemModel *TQGenGrid::SourceModel() const
{
    return m_window->Source();
}

int TQGenGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_window->Base() + current.row() : -1;
}

QModelIndex TQGenGrid::ViewIndex(const QModelIndex &sourceIndex) const
{
    return m_window->FromSource(sourceIndex);
}

void TQGenGrid::SetCurrentRow(int row, int column)
{
    const int rows = m_window->SourceRows();
    if (rows == 0)
        return;
    row = qBound(0, row, rows - 1);
    if (column < 0)
        column = qMax(0, currentIndex().column());
    if (row < m_window->Base() || row >= m_window->Base() + m_window->rowCount())
        centreOn(row);
    const QModelIndex index = m_window->index(row - m_window->Base(), column);
    setCurrentIndex(index);
    scrollTo(index);
}

void TQGenGrid::ScrollToRow(int row)
{
    const int rows = m_window->SourceRows();
    if (rows == 0)
        return;
    row = qBound(0, row, rows - 1);
    centreOn(row);
    scrollTo(m_window->index(row - m_window->Base(), qMax(0, currentIndex().column())), PositionAtTop);
}

int TQGenGrid::RowAt(int y) const
{
    const int row = rowAt(y);
    return row < 0 ? -1 : m_window->Base() + row;
}

bool TQGenGrid::centreOn(int row, int top)
{
    const int before = m_window->Base();
    QScrollBar *inner = verticalScrollBar();
    if (top < 0)
        top = before + inner->value();
    const int column = qMax(0, currentIndex().column());
    const int current = CurrentRow();
    m_moving = true;
    const bool scroll = hasAutoScroll();
    setAutoScroll(false);
    m_window->MoveTo(row - m_window->Capacity() / 2);
    const int base = m_window->Base();
    const bool moved = base != before;
    if (moved) {
        // The top row stays; a current row the window left behind becomes the top row in
        // view, as when a data grid's thumb is dragged.
        inner->setValue(top - base);
        if (current >= 0) {
            const int rows = m_window->rowCount();
            const int at = current >= base && current < base + rows ? current - base
                                                                    : qBound(0, inner->value(), rows - 1);
            selectionModel()->setCurrentIndex(m_window->index(at, column), QItemSelectionModel::ClearAndSelect);
        }
    }
    setAutoScroll(scroll);
    m_moving = false;
    syncRowBar();
    return moved;
}

// Within a quarter of the window from an end that has rows beyond it.
bool TQGenGrid::nearEdge(int row) const
{
    const int margin = m_window->Capacity() / 4;
    const int base = m_window->Base();
    const int end = base + m_window->rowCount();
    return (row - base < margin && base > 0) || (end - row < margin && end < m_window->SourceRows());
}

void TQGenGrid::viewScrolled(int value)
{
    if (m_moving)
        return;
    const int top = m_window->Base() + value;
    if (nearEdge(top) || nearEdge(top + verticalScrollBar()->pageStep()))
        centreOn(top);
    syncRowBar();
}

void TQGenGrid::rowBarMoved(int top)
{
    if (m_moving)
        return;
    QScrollBar *inner = verticalScrollBar();
    if (top < m_window->Base() || top + inner->pageStep() > m_window->Base() + m_window->rowCount())
        centreOn(top, top);
    inner->setValue(top - m_window->Base());
}

void TQGenGrid::syncRowBar()
{
    const QScrollBar *inner = verticalScrollBar();
    const int base = m_window->Base();
    const int beyond = qMax(0, m_window->SourceRows() - (base + m_window->rowCount()));
    const QSignalBlocker block(m_rowBar);
    m_rowBar->setRange(0, base + inner->maximum() + beyond);
    m_rowBar->setPageStep(inner->pageStep());
    m_rowBar->setSingleStep(inner->singleStep());
    m_rowBar->setValue(base + inner->value());
}

QModelIndex TQGenGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    m_followEnd = false;
    const bool toEnd = cursorAction == MoveEnd && (modifiers & Qt::ControlModifier);
    if (toEnd && SourceModel() && SourceModel()->canFetchMore(QModelIndex())) {
        // The result's last rows are read ahead where the query can; the current row
        // follows the end until they (or the last row read in order) are there.
        if (auto *result = qobject_cast<TQGResultModel *>(SourceModel()))
            result->FetchEnd();
        m_followEnd = true;
    }
    if ((cursorAction == MoveHome || toEnd) && (modifiers & Qt::ControlModifier))
        centreOn(cursorAction == MoveHome ? 0 : m_window->SourceRows() - 1);
    else if (const int current = CurrentRow(); current >= 0 && nearEdge(current))
        centreOn(current);
    return QTableView::moveCursor(cursorAction, modifiers);
}

void TQGenGrid::followEnd()
{
    m_following = true;
    SetCurrentRow(m_window->SourceRows() - 1);
    m_following = false;
    if (!SourceModel()->canFetchMore(QModelIndex()))
        m_followEnd = false;
}

void TQGenGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    const int row = CurrentRow();
    // The user put the current row elsewhere: it no longer follows the end.
    if (m_followEnd && !m_following && !m_moving && row != m_window->SourceRows() - 1)
        m_followEnd = false;
    if (row != m_currentRow) {
        m_currentRow = row;
        Q_EMIT CurrentRowChanged(row);
    }
}

void TQGenGrid::FitColumns()
{
    QAbstractItemModel *m = model();
    if (!m)
        return;
    const QFontMetrics fm(font());
    const QFontMetrics titleFm(horizontalHeader()->font());
    const int charWidth = qMax(1, fm.averageCharWidth());
    const int padding = 2 * TQGCellDelegate::Margin + 4;
    // The rows a first look shows: the title row does not hold one.
    const int rowsInView = qMin(m->rowCount(), qMax(1, GridRowCount() - 1));
    for (int column = 0; column < m->columnCount(); ++column) {
        const QString title = m->headerData(column, Qt::Horizontal).toString();
        int width = titleFm.horizontalAdvance(title) + 12;
        switch (TFieldKind(m->index(0, column).data(TQGResultModel::FieldKindRole).toInt())) {
        case TFieldKind::Graphic:
            width = qMax(width, m_rowHeight * 3 / 2);
            break;
        case TFieldKind::Memo:
            width = qMax(width, kMemoChars * charWidth + padding);
            break;
        case TFieldKind::Other: {
            // The declared length says how long the values may get; the rows in view say
            // how long they are. A longer value ends in an ellipsis.
            int text = 0;
            const int declared = m->index(0, column).data(TQGResultModel::FieldSizeRole).toInt();
            if (declared > 0)
                text = declared * charWidth;
            for (int row = 0; row < rowsInView; ++row)
                text = qMax(text, fm.horizontalAdvance(m->index(row, column).data().toString()));
            text = qBound(kMinTextChars * charWidth, text + kSlackChars * charWidth, kMaxTextChars * charWidth);
            width = qMax(width, text + padding);
            break;
        }
        }
        horizontalHeader()->resizeSection(column, width);
    }
}

void TQGenGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    alignTopRow();
}

void TQGenGrid::updateGeometries()
{
    QTableView::updateGeometries();
    alignTopRow();
}

// At the end of the scroll range the view would put the last row at the very bottom and
// cut the top row in half; the top row stays whole, the last one is the lowest in view.
void TQGenGrid::alignTopRow()
{
    const QScrollBar *bar = verticalScrollBar();
    QHeaderView *rows = verticalHeader();
    if (verticalScrollMode() != ScrollPerItem || bar->maximum() <= 0 || bar->value() != bar->maximum())
        return;
    const int top = rows->sectionPosition(rows->logicalIndex(bar->value()));
    if (top >= 0 && rows->offset() != top) {
        rows->setOffset(top);
        viewport()->update();
    }
}

void TQGenGrid::keyboardSearch(const QString &)
{
}

void TQGenGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        LayoutChanged();
}
