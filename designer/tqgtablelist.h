// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tqgscrollbox.h"

#include <QStringList>
#include <QWidget>

class QAbstractItemView;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QStyledItemDelegate;
class QStandardItemModel;
class QTreeView;
class QItemSelectionModel;
class QKeyEvent;

// The designer's table list: rows sorted by caption with an empty "Information" column, in
// one of four view styles (large icons, small icons, list, report). Several rows may be
// selected; dragging them starts a table drag onto the canvas. A filter box above the list
// (TableFilterEdit) shows only the tables whose name holds its text: Escape clears it, Down
// moves into the list, Enter places the selected (else the first shown) table as a double
// click does.
class TQGTableList : public QWidget
{
    Q_OBJECT
public:
    enum ViewStyle { LargeIcons = 0, SmallIcons = 1, List = 2, Report = 3 };
    static constexpr const char *TablesMime = TQGScrollBox::TablesMime;

    explicit TQGTableList(QWidget *parent = nullptr);

    void Clear();
    void AddRow(const QString &caption);  // keeps the rows sorted
    // Every row at once, sorted (the table list of a database: thousands of rows, one reset).
    void SetRows(const QStringList &captions);
    int RowCount() const;
    QString Caption(int row) const;
    QStringList Captions() const;
    bool IsSelected(int row) const;
    void SetSelected(int row, bool selected);
    QStringList SelectedCaptions() const;  // list order

    ViewStyle Style() const { return m_style; }
    void SetViewStyle(ViewStyle style);
    void SetPopupMenu(QMenu *menu) { m_popup = menu; }

    QAbstractItemView *CurrentView() const;

    QLineEdit *FilterEdit() const { return m_filter; }
    // Shows only the rows whose caption holds the text (any case); the rows hidden lose their
    // selection. An empty text shows every row.
    void SetFilterText(const QString &text);
    bool IsRowShown(int row) const;
    int ShownRowCount() const;

Q_SIGNALS:
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFilter();
    bool filterKey(QKeyEvent *event);
    // Enter: the selected rows shown, else the first row shown, placed as a double click does.
    void placeSelected();

    QStandardItemModel *m_model;
    QLineEdit *m_filter;
    QItemSelectionModel *m_selection;
    QStackedWidget *m_stack;
    QListView *m_iconView;
    QStyledItemDelegate *m_delegate;  // sizes the rows of the list styles
    QTreeView *m_reportView;
    ViewStyle m_style = List;
    QMenu *m_popup = nullptr;
    QList<bool> m_hidden;  // per row, as the filter leaves it
};
