// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QTableView>

class QMenu;
class QScrollBar;
class TQGCellDelegate;
class TQGIndicatorHeader;
class TQGRowWindow;

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

    // The result's model; the view itself is given the window on it.
    void setModel(QAbstractItemModel *model) override;
    QAbstractItemModel *SourceModel() const;
    TQGRowWindow *Window() const { return m_window; }
    QScrollBar *RowScrollBar() const { return m_rowBar; }

    // The current row of the result, -1 for none.
    int CurrentRow() const;
    // Makes the row (bounded to the result) current and scrolls it into view; column -1
    // keeps the current column.
    void SetCurrentRow(int row, int column = -1);
    // Scrolls so that the row is the top one in view.
    void ScrollToRow(int row);
    // The result's row shown at the viewport's y, -1 below the last one.
    int RowAt(int y) const;
    QModelIndex ViewIndex(const QModelIndex &sourceIndex) const;
    // No incremental search: it would read the result row by row up to the match.
    void keyboardSearch(const QString &search) override;

    // The selected cells as tab-separated text, a header line of their columns' names first
    // (see TabSeparatedText): the bounding block of the selection, cells not selected in it
    // empty, NULL empty. Empty when nothing is selected.
    QString SelectedText() const;
    bool HasSelectedCells() const;
    // Puts SelectedText() on the clipboard (Ctrl+C, the Edit menu's Copy).
    void CopySelection();
    // Asks for a file and writes the whole result there (see TQGExportResults).
    void ExportResults();
    // The grid's own menu (GridPopupMenu): Copy and Export Results.
    QMenu *PopupMenu() const { return m_popupMenu; }

Q_SIGNALS:
    void CurrentRowChanged(int row);

protected:
    void LayoutChanged();
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void alignTopRow();
    void viewScrolled(int value);
    void rowBarMoved(int top);
    void syncRowBar();
    // Moves the window so that the result's row lies well inside it, with the row top
    // (-1: the present one) at the top of the view; returns whether the window moved.
    bool centreOn(int row, int top = -1);
    bool nearEdge(int row) const;
    // Ctrl+End while rows are still read: the current row follows the end until the last one
    // or until the user moves it.
    void followEnd();

    TQGRowWindow *m_window;
    QScrollBar *m_rowBar;
    bool m_moving = false;
    int m_currentRow = -1;
    bool m_followEnd = false;
    bool m_following = false;  // followEnd() moves the current row

    int m_linesPerRow = 1;
    int m_layoutRuns = 0;
    int m_lineHeight = 0;
    int m_rowHeight = 0;
    int m_titleHeight = 0;
    QMenu *m_popupMenu;
    TQGIndicatorHeader *m_indicator;
    TQGCellDelegate *m_delegate;
};
