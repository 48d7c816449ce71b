#pragma once

#include <QTableView>

class TQGCellDelegate;
class TQGIndicatorHeader;

// The result grid: a read-only data grid with a title row, a record indicator column,
// column and row lines and resizable columns, whose data rows are LinesPerRow text lines
// high. Cells draw pictures stretched, memo text wrapped and other values on one line.
class TQGenGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(int LinesPerRow READ LinesPerRow WRITE SetLinesPerRow STORED true)
public:
    explicit TQGenGrid(QWidget *parent = nullptr);

    int LinesPerRow() const { return m_linesPerRow; }
    // Setting the value it already has does not run the layout again.
    void SetLinesPerRow(int lines);

    // The figures of the last layout: one text line of a data row, a data row, the
    // title row, and how many grid rows (title row included) fit the control's height.
    int LineHeight() const { return m_lineHeight; }
    int RowHeight() const { return m_rowHeight; }
    int TitleHeight() const { return m_titleHeight; }
    int GridRowCount() const;

    // How often the row-height layout ran.
    int LayoutRuns() const { return m_layoutRuns; }

    // Gives every column a width for its title and the values of the rows in view (only
    // those: the rows below are not read).
    void FitColumns();

    void setModel(QAbstractItemModel *model) override;
    // No incremental search: it would read the result row by row up to the match.
    void keyboardSearch(const QString &search) override;

protected:
    void LayoutChanged();
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void alignTopRow();

    int m_linesPerRow = 1;
    int m_layoutRuns = 0;
    int m_lineHeight = 0;
    int m_rowHeight = 0;
    int m_titleHeight = 0;
    TQGIndicatorHeader *m_indicator;
    TQGCellDelegate *m_delegate;
};
