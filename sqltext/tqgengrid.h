#pragma once

#include <QTableView>

// The result grid: a read-only table view whose data rows are LinesPerRow text lines high.
class TQGenGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(int LinesPerRow READ LinesPerRow WRITE SetLinesPerRow)
public:
    explicit TQGenGrid(QWidget *parent = nullptr);

    int LinesPerRow() const { return m_linesPerRow; }
    // Setting the value it already has does not run the layout again.
    void SetLinesPerRow(int lines);

    // How often the row-height layout ran (the layout is cheap, but it must not run twice
    // for one change).
    int LayoutRuns() const { return m_layoutRuns; }

protected:
    void LayoutChanged();
    void changeEvent(QEvent *event) override;

private:
    int m_linesPerRow = 1;
    int m_layoutRuns = 0;
};
