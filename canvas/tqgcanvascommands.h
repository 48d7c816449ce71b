#pragma once

#include "tqgchecklistbox.h"
#include "tqgtablewindowhandlers.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class QAbstractItemView;
class QAction;
class QDragMoveEvent;
class QDropEvent;
class QMenu;
class TQGCanvasHost;
class TQGCheckListBox;
class TQGDataLink;
class TQGScrollBox;

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

    // Creates a table window on the canvas, filled with the table's fields (all ticked or
    // all unticked). Raises VdqError when the table cannot be opened; the window is then
    // taken off the canvas again.
    TQGCheckListBox *CreateTableWindow(const QString &tableName, const QRect &geometry, bool ticked);
    // Where a double click puts the index-th table placed since the design began: 145 apart
    // from (50, 40), in rows that wrap at the canvas's visible width.
    QPoint PlacementPosition(int index) const;
    // The file reader's creator: the window stays on the canvas, without rows, when the
    // table cannot be opened (the error is raised after it was shown).
    TQGCheckListBox *CreateStoredTableWindow(const QString &tableName, const QRect &geometry,
                                             const QString &storedAlias = QString());
    void LoadTableFields(TQGCheckListBox *window);
    // A join link between two windows, bounds computed, shown.
    TQGDataLink *CreateLink(TQGCheckListBox *from, TQGCheckListBox *to, const QString &hint);
    // The window of a caption and alias; without an alias the first window of the caption.
    TQGCheckListBox *FindTableWindow(const QString &name, const QString &alias = QString()) const;

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
    void AddFieldCondition1Click();
    void SetFieldValue1Click();
    // tag 0 "Ascending", 1 "Descending", -1 for a drop on the Sorting list.
    void Ascending1Click(int tag);
    void ParameterFill1Click();
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPopup();
    TQGCheckListBox *newWindow(const QString &tableName, const QRect &geometry, const QString &storedAlias);
    QString currentFieldReference() const;
    TQGCheckListBox *dragSource(const QDropEvent *event) const;

    TQGCanvasHost *m_host;
    QPointer<TQGCheckListBox> m_joinSourceTable;
    int m_joinSourceIndex = -1;
    QString m_joinSourceField;
    QMenu *m_popup = nullptr;
};
