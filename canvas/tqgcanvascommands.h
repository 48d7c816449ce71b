// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tqgchecklistbox.h"
#include "tqgtablewindowhandlers.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

class QAbstractItemView;
class QAction;
class QDragMoveEvent;
class QDropEvent;
class QMenu;
class TQGCanvasHost;
class TQGCheckListBox;
class TQGDataLink;
class TQGScrollBox;
struct DesignState;
struct DocumentTable;

// The commands of the design canvas: placing tables from the table list, the table popup,
// the handlers every table window is wired to, joins drawn between two windows, and the
// field drops on the three lists.
class TQGCanvasCommands : public QObject, public TQGTableWindowHandlers
{
    Q_OBJECT
public:
    enum class ListKind { Conditions, Values, Sorting };
    static constexpr const char *FieldMime = TQGCheckListBox::FieldMime;

    TQGCanvasCommands(TQGCanvasHost *host, QObject *parent);

    // Wires a (new) canvas to the drop handlers below.
    void ConnectCanvas(TQGScrollBox *box);
    // Makes a list a drop target for fields dragged from table windows.
    void InstallListDropTarget(QAbstractItemView *list, ListKind kind);

    // Shows the design: creates, updates and removes table windows and links so that the
    // canvas holds exactly the design's tables and links. Windows that leave go to Panel4.
    void ShowDesign(const DesignState &design);
    // Forgets every window (the canvas was replaced by an empty one).
    void ForgetWindows();
    // The window and the link that show the design's table or link of this id, or null.
    TQGCheckListBox *Window(int id) const;
    TQGDataLink *Link(int id) const;
    // The id of the design's table or link a window or link shows; 0 for none.
    static int DesignId(const QObject *view);

    // Places a table, with its fields (all ticked or all unticked), as one step. Raises
    // VdqError when the table cannot be opened; the design is then unchanged.
    TQGCheckListBox *CreateTableWindow(const QString &tableName, const QRect &geometry, bool ticked);
    // Where a double click puts the index-th table placed since the design began: 145 apart
    // from (50, 40), in rows that wrap at the canvas's visible width.
    QPoint PlacementPosition(int index) const;
    // A join link between two windows, as one step.
    TQGDataLink *CreateLink(TQGCheckListBox *from, TQGCheckListBox *to, const QString &hint);
    // The window of a caption and alias; without an alias the first window of the caption.
    TQGCheckListBox *FindTableWindow(const QString &name, const QString &alias = QString()) const;
    // A tick and a total function of one field, each as one step.
    void SetFieldTicked(TQGCheckListBox *window, int row, bool ticked);
    void SetFieldTotal(TQGCheckListBox *window, int row, TotalKind kind);
    // The geometry a table of these fields needs while totals show: at least as wide as its
    // fields and their total boxes side by side. It never shrinks; the user sized it.
    QRect WidenedForTotals(const QRect &geometry, const QStringList &fields);

    // Table placement.
    bool ScrollBox1DragOver(QDragMoveEvent *event) const;
    void ScrollBox1DragDrop(QDropEvent *event, const QPoint &pos);
    void ListView1DblClick();
    void InsertTables(const QStringList &names, const QPoint &dropPos);  // a drop at pos

    // The table popup.
    void PopupMenu1Popup();
    void SelectAllFields1Click();
    void HideAllFields1Click();
    void RemoveTable1Click();
    void RemoveTableWindow(TQGCheckListBox *window);
    // Places the tables the current window's table references by its foreign keys and that
    // the canvas does not hold yet, joined by those keys, as one step.
    void AddRelatedTables1Click();
    void AddFieldCondition1Click();
    void SetFieldValue1Click();
    // tag 0 "Ascending", 1 "Descending", -1 for a drop on the Sorting list.
    void Ascending1Click(int tag);
    void ParameterFill1Click();
    // Asks for a new alias of the current table and renames it, its references with it.
    void RenameAlias1Click();
    // The rename as one step; the message why not, or empty.
    QString RenameAlias(TQGCheckListBox *window, const QString &alias);
    QAction *PopupItem(const char *name) const;

    // Field drops on the lists.
    bool ListView2DragOver(QDragMoveEvent *event) const;
    void ListView2DragDrop() { AddFieldCondition1Click(); }
    void ListView5DragDrop() { SetFieldValue1Click(); }
    void ListView3DragDrop() { Ascending1Click(-1); }

    // The last drag from a table window.
    TQGCheckListBox *JoinSourceTable() const { return m_joinSourceTable; }
    int JoinSourceIndex() const { return m_joinSourceIndex; }
    QString JoinSourceField() const { return m_joinSourceField; }

    // TQGTableWindowHandlers
    void TableStartDrag(TQGCheckListBox *window, const QPoint &pressPos) override;
    bool TableDragOver(TQGCheckListBox *target, QDragMoveEvent *event) override;
    void TableDragDrop(TQGCheckListBox *target, QDropEvent *event) override;
    void TableFieldListChanged(TQGCheckListBox *window) override;
    void TableEnter(TQGCheckListBox *window) override;
    void TableExit(TQGCheckListBox *window) override;
    void TableRemove(TQGCheckListBox *window) override;
    void TableMoved(TQGCheckListBox *window) override;
    void TableGeometryChanged(TQGCheckListBox *window) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPopup();
    TQGCheckListBox *newWindow(int id);
    TQGDataLink *newLink(int id, TQGCheckListBox *from, TQGCheckListBox *to);
    // Places tables with the fields the database gives them, as one step named text; a table
    // that cannot be opened ends the placing, and the tables before it stay. With joinByKeys
    // each table is joined by its foreign keys to the tables placed before it.
    void placeTables(const QStringList &names, const std::function<QRect(int k)> &geometry, bool joinByKeys,
                     const QString &text = QString());
    // Joins each table of ids to the windows before it by the keys between their tables,
    // asking which where two tables are related by more than one.
    void joinByForeignKeys(DesignState &design, const QList<int> &ids);
    bool editTable(TQGCheckListBox *window, const QString &text, const std::function<void(DocumentTable &)> &edit);
    QString currentFieldReference() const;
    TQGCheckListBox *dragSource(const QDropEvent *event) const;

    TQGCanvasHost *m_host;
    QPointer<TQGCheckListBox> m_joinSourceTable;
    int m_joinSourceIndex = -1;
    QString m_joinSourceField;
    QMenu *m_popup = nullptr;
    QHash<int, QPointer<TQGCheckListBox>> m_windows;
    QHash<int, QPointer<TQGDataLink>> m_links;
    QPointer<TQGCheckListBox> m_measure;  // a hidden window that measures widths for totals
};
