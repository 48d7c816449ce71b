#include "tqgengrid.h"

#include "tqgcelldelegate.h"
#include "tqgindicatorheader.h"
#include "tqgresultmodel.h"
#include "tquery.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

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
    : QTableView(parent), m_indicator(new TQGIndicatorHeader(this)), m_delegate(new TQGCellDelegate(this))
{
    setObjectName(QStringLiteral("QGenGrid1"));
    setVerticalHeader(m_indicator);
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
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
    if (QAbstractItemModel *old = model())
        disconnect(old, nullptr, this, nullptr);
    QTableView::setModel(newModel);
    if (newModel)
        connect(newModel, &QAbstractItemModel::modelReset, this, &TQGenGrid::FitColumns);
    FitColumns();
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
