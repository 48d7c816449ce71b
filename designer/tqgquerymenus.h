// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;
class TQGDesignFromSql;
class TQGEditCommands;
class TQGQueryForm;
class TQGSqlEditor;

// The designer's commands as the user reaches them: the tool bar (Panel1), the main menu and
// the SQL editor's menu (PopupMenu6). Each is built from a table of rows; the controls run
// the window's handlers and show its state, they never hold it.
class TQGQueryMenus : public QObject
{
    Q_OBJECT
public:
    explicit TQGQueryMenus(TQGQueryForm *form);

    // Panel1 with its tool buttons; built first, as the window's top row.
    QWidget *BuildToolBar();
    // The main menu and the editor's menu, with the edit commands on the editor; the tool
    // bar's edit buttons join those commands.
    void BuildMenus(QMenuBar *menuBar, TQGSqlEditor *editor);

    // PopupMenu2, the table list's menu.
    QMenu *BuildTablePopup(const std::function<void()> &insertTables);

    // Marks the query type on its tool button and its menu radio item.
    void ShowQueryType(QueryType type);

    QWidget *Panel1() const { return m_panel1; }
    QToolButton *QueryTypeButton(QueryType type) const { return m_typeButtons[int(type)]; }
    QAction *ShowTableList() const { return m_showTableList; }
    QAction *Totals() const { return m_totals; }
    QAction *DistinctRows() const { return m_distinct; }
    QToolButton *TotalsButton() const { return m_totalsButton; }
    QMenu *PopupMenu6() const { return m_popupMenu6; }
    TQGEditCommands *EditCommands() const { return m_commands; }
    TQGDesignFromSql *DesignFromSql() const { return m_designFromSql; }
    QAction *Undo() const { return m_undo; }
    QAction *Redo() const { return m_redo; }

private:
    void showUndoState();
    // The commands that both a tool button and menu items run.
    void open();
    void save();
    void print();
    void execute();

    TQGQueryForm *m_form;
    TQGEditCommands *m_commands = nullptr;
    QWidget *m_panel1 = nullptr;
    QToolButton *m_typeButtons[4] = {nullptr, nullptr, nullptr, nullptr};
    QToolButton *m_editButtons[4] = {nullptr, nullptr, nullptr, nullptr};  // Cut, Copy, Paste, Delete
    QAction *m_typeActions[4] = {nullptr, nullptr, nullptr, nullptr};
    QAction *m_showTableList = nullptr;
    QAction *m_totals = nullptr;
    QAction *m_distinct = nullptr;
    QAction *m_joinByKeys = nullptr;
    QToolButton *m_totalsButton = nullptr;
    QMenu *m_popupMenu6 = nullptr;
    TQGDesignFromSql *m_designFromSql;
    QAction *m_undoDesignFromSql = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    QToolButton *m_undoButton = nullptr;
    QToolButton *m_redoButton = nullptr;
};
