// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "profilefile.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The query definition file (".VDQ") as plain values: the designer fills a
// QueryDefinition from its windows and lists to save it, and builds its windows and lists
// from one that was read. Numbers default to what a reader takes for a missing key.

struct StoredTable
{
    QString name;
    QList<QPair<QString, bool>> items;  // (field name, tick), in the window's row order
    QStringList totals;  // "Total<j>" per item (GROUP, COUNT, ...), empty text for none
    int itemCount = 0;  // read: "ItemCount" as stored; the writer stores items.size()
    int left = 145;     // canvas coordinates, independent of scrolling
    int top = 100;
    int width = 121;
    int height = 180;
    // "Alias": the window's alias where it is not TableAlias(name) (a second table with the
    // same alias); empty otherwise, and then not stored.
    QString alias{};
    // "Source": "Derived" for a query in FROM, "With" for a query the WITH clause names; empty
    // for a table, and then not stored. "Query": a derived table's query. The items of such
    // a window are its columns as the engine gave them when the query was read.
    QString source{};
    QString query{};

    friend bool operator==(const StoredTable &a, const StoredTable &b);
    friend bool operator!=(const StoredTable &a, const StoredTable &b) { return !(a == b); }
};

struct StoredLink
{
    QString field1Table;  // caption of the drag source's window
    QString field2Table;  // caption of the drop target's window
    QString hint;         // the join text
    QString overText;
    QString joinType;  // "JoinType": INNER, LEFT, RIGHT or FULL; empty when not stored
    // Stored for the record only: a link's place follows from its two windows.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // "Field1Alias", "Field2Alias": the windows' aliases where they are not the classic alias
    // of their captions; empty otherwise, and then not stored.
    QString field1Alias{};
    QString field2Alias{};

    friend bool operator==(const StoredLink &a, const StoredLink &b);
    friend bool operator!=(const StoredLink &a, const StoredLink &b) { return !(a == b); }
};

struct StoredList
{
    int columnCount = 0;     // read: "ColumnCount" as stored, or the list's own default
    QList<QStringList> rows;  // each row: caption, then its sub-items

    friend bool operator==(const StoredList &a, const StoredList &b);
    friend bool operator!=(const StoredList &a, const StoredList &b) { return !(a == b); }
};

struct QueryDefinition
{
    QString sessionName;
    QString database;
    int type = 0;  // as stored; only 0 to 3 name a query type
    bool distinct = false;  // "Distinct=1"
    int limit = 0;          // "Limit", 0 when absent
    int offset = 0;         // "Offset", 0 when absent
    QString with;           // "With": the WITH clause, empty when absent
    QList<StoredTable> tables;  // canvas child order
    QList<StoredLink> links;
    StoredList values{2, {}};
    StoredList conditions{4, {}};
    StoredList sorting{2, {}};
    // "Columns": the SELECT's own columns (expression, name, grouped, shown), stored only for
    // a design that holds them.
    StoredList columns{4, {}};

    friend bool operator==(const QueryDefinition &a, const QueryDefinition &b);
    friend bool operator!=(const QueryDefinition &a, const QueryDefinition &b) { return !(a == b); }
};

// Counts read from a file never go beyond what the file holds, so that a hostile count
// ("Count=2000000000") neither loops nor allocates:
// - "Count" of "Tables" and "Links": at most the number of sections in the file plus
//   CountSlack;
// - "ItemCount" of a table or list, and the sub-items per row that "ColumnCount" asks
//   for: at most the number of keys in that section plus CountSlack;
// - a list's texts (rows times columns): at most ListCellsPerKey times (keys in its
//   section plus CountSlack); past that, each row keeps fewer sub-items.
// A written file always holds what its counts cover, so its reading is the same as an
// unbounded one. Rows and table items past the last one the file holds a key of are not
// read: a count too large gives no blank rows.
constexpr int CountSlack = 16;
constexpr int ListCellsPerKey = 16;

// Writes the design in the writer's order: Session, Query, Table1..n, Tables,
// Link1..m, Links, Values, Conditions, Sorting, and Columns where the design has them.
// Existing keys are updated in place.
void WriteQueryDefinition(TProfileFile &file, const QueryDefinition &def);
// "ColumnCount", "ItemCount", then each row's caption and one key per sub-item it holds.
void WriteListSection(TProfileFile &file, const StoredList &list, const QString &section);

// Every key has its default; a missing or malformed count reads 0, a negative one
// nothing; counts are bounded as above.
QueryDefinition ReadQueryDefinition(const TProfileFile &file);
StoredList ReadListSection(const TProfileFile &file, const QString &section, int defaultColumnCount);

// Merges into the existing file (its surplus sections and keys stay) and replaces it
// atomically: a failure leaves the old file whole. An existing file that is not a query
// definition is replaced, not merged into, so that what is saved can be opened again.
// VdqError "Unable to write to %1".
void SaveQueryDefinitionFile(const QString &fileName, const QueryDefinition &def);
// A missing file reads as an empty design. The whole file is checked before anything is
// returned: VdqError "Cannot open file %1" when it cannot be read, "%1 is not a query
// definition file" when it holds a NUL byte or, not being blank, no section, and the
// profile's message when a value is longer than it reads.
QueryDefinition LoadQueryDefinitionFile(const QString &fileName);
// The check and the reading of LoadQueryDefinitionFile on the file's contents; fileName
// only names the file in the message.
QueryDefinition ParseQueryDefinitionFile(const QByteArray &contents, const QString &fileName);
// True when the contents can be a query definition: no NUL byte, and a section header
// unless the contents are blank.
bool LooksLikeQueryDefinition(const QByteArray &contents);

// From the last "." to the end when no path separator ("\", ":" or "/") follows it,
// else empty.
QString FileExtension(const QString &fileName);
bool IsQueryDefinitionFileName(const QString &fileName);

// The ticks of a table window's rows from the stored (text, checked) pairs: each pair, in
// order, ticks or unticks the first field equal to its text ignoring case; a text that no
// field carries is skipped. Fields without a pair stay unticked.
QList<bool> ApplyStoredTicks(const QStringList &fields, const QList<QPair<QString, bool>> &stored);
// For each stored item text, the first field equal to it ignoring case, or -1.
QList<qsizetype> StoredItemFields(const QStringList &fields, const QStringList &names);
