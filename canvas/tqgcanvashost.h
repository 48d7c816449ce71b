// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "foreignkey.h"
#include "sqldialect.h"

#include <QStringList>

#include <functional>

class QMenu;
class QPoint;
class QWidget;
class TQGDataLink;
class TQGCheckListBox;
class TQGScrollBox;
struct DesignState;

// What the canvas commands need of the designer window that owns the canvas.
class TQGCanvasHost
{
public:
    enum class Page { Values, Conditions, Sorting };

    // Shown when a design of another type than Select would get a second table.
    // Translated in the context "TQGCanvasHost".
    static constexpr const char SingleTableMessage[] =
        QT_TRANSLATE_NOOP("TQGCanvasHost",
                          "You are only allowed to have one table with the builder for INSERT, UPDATE and DELETE "
                          "queries. For more detailed queries, use the SQL text editor along with the SQL Templates.");

    virtual ~TQGCanvasHost() = default;

    virtual QWidget *HostWindow() = 0;          // owner of table windows and links; parent of messages
    virtual TQGScrollBox *ScrollBox1() const = 0;
    virtual QWidget *Panel4() const = 0;        // the hidden holder
    virtual QMenu *PopupMenu1() const = 0;      // the table popup
    virtual QStringList SelectedTableNames() const = 0;  // table list, selected rows in list order
    virtual bool CanAddTable() const = 0;
    virtual bool PageShown(Page page) const = 0;
    virtual int PlacedTableCount() const = 0;
    virtual void SetPlacedTableCount(int count) = 0;
    virtual TQGCheckListBox *CurrentTable() const = 0;
    virtual void SetCurrentTable(TQGCheckListBox *table) = 0;
    virtual IdentifierStyle Style() const = 0;
    // Field names of a table in the designer's session and database; raises VdqError.
    virtual QStringList TableFields(const QString &tableName) = 0;
    // The foreign keys declared between a table and any table of that database (both
    // directions); raises VdqError.
    virtual QList<ForeignKey> ForeignKeys(const QString &tableName) = 0;
    // Whether placing a table joins it by its keys to the tables already placed.
    virtual bool JoinsByForeignKeys() const = 0;
    // Asks which of several keys joins the two tables: the key's index, or -1 for none.
    virtual int ChooseForeignKey(const QString &table, const QString &other, const QList<ForeignKey> &keys) = 0;
    // The design the canvas shows, and the one way to change it: an edit of a copy of it,
    // pushed as one undoable step named text. False when the edit changed nothing.
    virtual const DesignState &Design() const = 0;
    virtual bool EditDesign(const QString &text, const std::function<void(DesignState &)> &edit) = 0;
    // The list commands a field command leads to (they open their dialogs).
    virtual void AddFieldCondition(const QString &fieldReference) = 0;
    virtual void SetFieldValue(const QString &fieldName) = 0;
    virtual void AddSortRow(const QString &fieldReference, bool ascending) = 0;
    virtual void ParameterFill() = 0;
    // A right click and a double click on a join link.
    virtual void ShowLinkPopup(TQGDataLink *link, const QPoint &globalPos) = 0;
    virtual void EditJoinProperties(TQGDataLink *link) = 0;
};
