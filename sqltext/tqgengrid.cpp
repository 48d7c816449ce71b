#include "tqgengrid.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>

TQGenGrid::TQGenGrid(QWidget *parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("QGenGrid1"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
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
    const int h = QFontMetrics(font()).boundingRect(QStringLiteral("Wg")).height() + 3 + lineWidth;
    const int t = QFontMetrics(horizontalHeader()->font()).boundingRect(QStringLiteral("Wg")).height()
                  + 4 + lineWidth;
    const int rowHeight = h * qMax(1, m_linesPerRow);
    verticalHeader()->setMinimumSectionSize(qMin(rowHeight, h));
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setMinimumHeight(t);
}

void TQGenGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        LayoutChanged();
}
