// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tqgscrollbox.h"

#include <QStringList>
#include <QWidget>

class QAbstractItemView;
class QListView;
class QMenu;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;
class QItemSelectionModel;

// The designer's table list: rows sorted by caption with an empty "Information" column, in
// one of four view styles (large icons, small icons, list, report). Several rows may be
// selected; dragging them starts a table drag onto the canvas.
class TQGTableList : public QWidget
{
    Q_OBJECT
public:
    enum ViewStyle { LargeIcons = 0, SmallIcons = 1, List = 2, Report = 3 };
    static constexpr const char *TablesMime = TQGScrollBox::TablesMime;

    explicit TQGTableList(QWidget *parent = nullptr);

    void Clear();
    void AddRow(const QString &caption);  // keeps the rows sorted
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

Q_SIGNALS:
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStandardItemModel *m_model;
    QItemSelectionModel *m_selection;
    QStackedWidget *m_stack;
    QListView *m_iconView;
    QTreeView *m_reportView;
    ViewStyle m_style = List;
    QMenu *m_popup = nullptr;
};
