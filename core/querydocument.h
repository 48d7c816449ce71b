// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querydefinition.h"
#include "querymodel.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// A table placed on the canvas. The id names the placement for as long as the design lives
// (a table placed twice has two ids), so that views and links find it whatever its place.
struct DocumentTable
{
    int id = 0;
    QString caption;         // the table name as the database lists it
    QString alias;           // unique within the design
    QStringList fields;      // in table order
    QList<bool> ticks;       // one per field
    QList<TotalKind> totals; // one per field; None: grouped when ticked and totals are on
    QRect geometry;          // canvas coordinates
    TableSource source = TableSource::Table;
    QString query;           // a derived table's query; its fields are the query's columns
};

struct DocumentLink
{
    int id = 0;
    int from = 0;  // the table the drag started from (its id)
    int to = 0;    // the drop target's table
    QString hint;  // the join text
    QString overText;
    JoinType joinType = JoinType::Inner;

    friend bool operator==(const DocumentLink &a, const DocumentLink &b);
    friend bool operator!=(const DocumentLink &a, const DocumentLink &b) { return !(a == b); }
};

// The whole design as plain values. Lists hold their rows as the lists show them: caption,
// then sub-items (Values: field, value; Conditions: field, comparison, value, operator, and
// for a grouped row what opens before it and closes after it; Sorting: field, ascending;
// Columns: expression, name, grouped, shown).
struct DesignState
{
    static constexpr int ValueColumns = 2;
    static constexpr int ConditionColumns = 4;
    static constexpr int GroupedConditionColumns = 6;
    static constexpr int SortColumns = 2;
    static constexpr int OutputColumns = 4;

    QString sessionName;
    QString database;
    QueryType queryType = QueryType::Select;
    QList<DocumentTable> tables;  // canvas order
    QList<DocumentLink> links;    // canvas order
    QList<QStringList> values;
    QList<QStringList> conditions;
    QList<QStringList> sorting;
    // The SELECT's own columns in their order; empty: the ticked fields, as a classic design.
    QList<QStringList> columns;
    QString with;  // the WITH clause before SELECT, or empty
    bool totals = false;
    bool distinct = false;
    int limit = 0;
    int offset = 0;
    int nextId = 1;  // the id the next table or link gets

    const DocumentTable *table(int id) const;
    DocumentTable *table(int id);
    qsizetype tableIndex(int id) const;
    // The table of a caption and alias; without an alias the first table of the caption.
    const DocumentTable *findTable(const QString &caption, const QString &alias = QString()) const;

    // A new table with its fields all ticked or all unticked, an alias of its own, and an id.
    DocumentTable &addTable(const QString &caption, const QStringList &fields, bool ticked, const QRect &geometry,
                            const QString &storedAlias = QString());
    DocumentLink &addLink(int from, int to, const QString &hint);
    // A join from a field to a field as a drop draws it: the link, and its Conditions row.
    DocumentLink &addFieldLink(int from, int to, const QString &fromReference, const QString &toReference);
    // Takes a table off the design with its links, the Values rows, and the Conditions and
    // Sorting rows that name its alias.
    void removeTable(int id);
    // Gives a table a new alias, and every reference to the old one in the link texts and
    // the Conditions and Sorting rows the new one (names read as the engine reads them, so
    // a string or quoted name that holds the old text stays). The message why not, or empty:
    // the alias must be plain and no other table's alias may read the same.
    QString renameAlias(int id, const QString &alias, const IdentifierStyle &style);
    // Ticks or unticks a field. A design that holds its own columns gains the field's column
    // at the end, or loses the columns that are the field alone.
    void tickField(int id, int field, bool ticked, const IdentifierStyle &style);
    // In a design that holds its own columns, the ticks follow them: a field is ticked when a
    // column is the field alone, or a star over its table.
    void tickColumnFields(const IdentifierStyle &style);
    // The Columns rows the ticks give: each ticked field in canvas and table order, with its
    // total where totals are on (a grouped field grouped, a total written around it).
    QList<QStringList> columnsFromTicks(const IdentifierStyle &style) const;
    // Gives the tables and links ids from first on, keeping what refers to what.
    void Renumber(int first);

    friend bool operator==(const DesignState &a, const DesignState &b);
    friend bool operator!=(const DesignState &a, const DesignState &b) { return !(a == b); }
};

// Where a link between two windows lies: from the right edge of the left window (the drop
// target's on a tie) to the left edge of the right one, 20 below the higher top. An outer
// link keeps room for its end marks.
enum class LinkSlope : unsigned char { Falling = 0, Rising = 1, Horizontal = 2, Vertical = 3 };
struct LinkPlace
{
    QRect bounds;
    LinkSlope direction = LinkSlope::Falling;
};
LinkPlace PlaceLink(const QRect &from, const QRect &to, JoinType type);

// A list row as a list control holds it: the cells cut or padded to the list's columns.
QStringList ListRow(const QStringList &cells, int columns);

// The word a file stores for a window's source: "Derived", "With", empty for a table; and
// the source a stored word names, in any letter case.
QString TableSourceName(TableSource source);
TableSource TableSourceFromName(const QString &name);

// True when some Conditions row carries grouping cells: the list is stored with six columns.
bool HasGroupedRows(const QList<QStringList> &conditions);

// The cells of a Columns row, and the row of a column.
OutputColumn OutputColumnOf(const QStringList &row);
QStringList OutputColumnRow(const OutputColumn &column);

// The design as the statement builders see it.
QueryDesign DesignOf(const DesignState &state, const IdentifierStyle &style);
// The design as the file stores it.
QueryDefinition DefinitionOf(const DesignState &state);

// The design a query definition describes, each stored table with the fields the database
// gives it now (ticks and totals matched by name). tableFields raises VdqError for a table
// that cannot be opened; reading stops there, with that table placed without fields, and
// the message is returned in *error (or raised when error is null).
DesignState StateFromDefinition(const QueryDefinition &definition,
                                const std::function<QStringList(const QString &table)> &tableFields,
                                QString *error = nullptr);

// The design being edited: one state, replaced as a whole by each edit, and one change
// notification per edit naming what changed. The identifier style comes from the database
// and is no part of an edit.
class QueryDocument : public QObject
{
    Q_OBJECT
public:
    enum Change {
        Tables = 0x1,      // tables placed, removed, or their fields, ticks or totals
        Geometry = 0x2,    // tables moved or sized
        Links = 0x4,
        Values = 0x8,
        Conditions = 0x10,
        Sorting = 0x20,
        Type = 0x40,
        Options = 0x80,    // totals, distinct, limit
        Database = 0x100,  // session or database
        Style = 0x200,
        Columns = 0x400,  // the SELECT's own columns, or the WITH clause
    };
    Q_DECLARE_FLAGS(Changes, Change)
    Q_FLAG(Changes)

    explicit QueryDocument(QObject *parent = nullptr);

    const DesignState &state() const { return m_state; }
    // Replaces the design; emits changed() with what differs, nothing when nothing does.
    void setState(const DesignState &state);
    const IdentifierStyle &style() const { return m_style; }
    void setStyle(const IdentifierStyle &style);

    QueryDesign design() const { return DesignOf(m_state, m_style); }

    static Changes Difference(const DesignState &a, const DesignState &b);

signals:
    void changed(QueryDocument::Changes what);

private:
    DesignState m_state;
    IdentifierStyle m_style;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(QueryDocument::Changes)
