// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QList>
#include <QObject>
#include <functional>

class QDialog;
struct DesignState;
class QRadioButton;
class TQGQueryForm;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QMenu;
class QWidget;

// The Values, Conditions and Sorting lists on the inner pages of the "Query Generator" page,
// with their side buttons, popups and radio strips.
class TQGDesignLists : public QObject
{
    Q_OBJECT
public:
    // Builds the three pages into the page control: "Values", "Conditions", "Sorting".
    TQGDesignLists(QTabWidget *pageControl, TQGQueryForm *form);

    QTreeWidget *Values() const { return m_values; }          // ListView5
    QTreeWidget *Conditions() const { return m_conditions; }  // ListView2
    QTreeWidget *Sorting() const { return m_sorting; }        // ListView3
    QWidget *ValuesPage() const { return m_valuesPage; }          // TabSheet6
    QWidget *ConditionsPage() const { return m_conditionsPage; }  // TabSheet3
    QWidget *SortingPage() const { return m_sortingPage; }        // TabSheet4
    // The SELECT's columns: those the ticks give (greyed) until the design holds its own.
    QTreeWidget *Columns() const { return m_columns; }            // ColumnsList
    QWidget *ColumnsPage() const { return m_columnsPage; }

    // Rows as plain text columns (caption, then sub-items), as the file format stores them.
    static QList<QStringList> Rows(const QTreeWidget *list);
    static void AppendRow(QTreeWidget *list, const QStringList &columns);

    // Shows the design's rows, changing only the rows that differ.
    void ShowDesign(const DesignState &design);

    // Shows which Conditions rows are link conditions (one flag per row, as
    // LinkConditionRows gives them): in italics, with a tooltip saying that they bind their
    // two tables whatever the other rows say.
    void MarkLinkRows(const QList<bool> &linkRows);

    // Row creation; each is one step of the design, the dialog's answer included.
    void AddConditionRow(const QString &field, const QString &comparison, const QString &value);
    void AddRow(QTreeWidget *list, const QStringList &columns);
    void AddFieldConditionRow(const QString &fieldReference);  // appends, selects, edits
    void New2Click();
    void AddValueRow(const QString &fieldName);                // appends, selects, edits
    void AddSortRow(const QString &fieldReference, bool ascending);
    void FillParameters(const QStringList &fieldNames);        // replaces the Values rows

    // Row editing through the dialogs (the selected row; nothing without one).
    void ListView2DblClick();
    void ListView5DblClick();
    void ListView3DblClick();

    // The Columns list: a calculated field added or edited through its dialog, a column moved
    // (from and to are rows; a drop on the list moves the dragged row there), and back to the
    // columns the ticks give. The first change of a design whose columns the ticks give
    // makes it hold them.
    void AddColumnClick();
    void EditColumnClick();
    void MoveColumn(int from, int to);
    void ColumnsFromTicksClick();

    // Grouping of the selected Conditions row: one more "(" before it or ")" after it, NOT
    // before it (again: taken away), or no grouping.
    void OpenParenthesisClick();
    void CloseParenthesisClick();
    void NegateClick();
    void ClearGroupingClick();

    // Order and removal, on any of the three lists.
    void MoveItemUp(QTreeWidget *list);
    void MoveItemDown(QTreeWidget *list);
    void RemoveItem(QTreeWidget *list);

    // Operators and directions.
    void ChangeBooleanOperator(int tag);
    void ListView2Change();
    void RadioButton3Click(int tag);
    void ListView3Change();

    static int SelectedRow(const QTreeWidget *list);
    static void SelectRow(QTreeWidget *list, int row);

    // How the dialogs are run; tests replace it to answer a dialog without a modal loop.
    std::function<int(QDialog *)> ExecDialog;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void editGrouping(const QString &text, const std::function<void(QString &open, QString &close)> &edit);
    QList<QStringList> &rowsOf(DesignState &design, const QTreeWidget *list) const;
    bool editRows(QTreeWidget *list, const QString &text, const std::function<void(QList<QStringList> &rows)> &edit);
    void showRows(QTreeWidget *list, const QList<QStringList> &rows);
    void addAndEdit(QTreeWidget *list, const QString &text, const QStringList &row);
    // The list's popup and its Move Up, Move Down and Remove side buttons (the first three).
    void wireList(QTreeWidget *list, const char *popupName, bool withNew, const QList<QToolButton *> &sideButtons);
    QWidget *makePage(QTabWidget *pageControl, const char *pageName, const QString &title,
                      QTreeWidget *list, QWidget *sidePanel, QWidget *strip);

    QTreeWidget *m_values;
    QTreeWidget *m_conditions;
    QTreeWidget *m_sorting;
    QWidget *m_valuesPage;
    QWidget *m_conditionsPage;
    QWidget *m_sortingPage;
    QTreeWidget *m_columns;
    QWidget *m_columnsViewport;  // whose drops the filter takes
    QWidget *m_columnsPage;
    TQGQueryForm *m_form;
    QRadioButton *m_radio[4] = {nullptr, nullptr, nullptr, nullptr};
    QList<QToolButton *> m_conditionButtons;  // the Conditions page's side buttons
    bool m_conditionsChanged = false;
    bool m_settingOperator = false;
};
