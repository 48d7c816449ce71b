// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct DesignState;
struct IdentifierStyle;

// A foreign key as the engine's catalogue declares it: the referencing table's columns in
// key order, each paired with the referenced table's column at the same place. Table names
// are written as the table list shows them.
struct ForeignKey
{
    QString name;  // the constraint's name; SQLite keeps none
    QString table;
    QStringList columns;
    QString referencedTable;
    QStringList referencedColumns;

    bool selfReferencing() const { return table == referencedTable; }
    friend bool operator==(const ForeignKey &a, const ForeignKey &b);
    friend bool operator!=(const ForeignKey &a, const ForeignKey &b) { return !(a == b); }
};

// The key as the chooser lists it, by its columns: "orders (bill_to) -> address (id)".
QString ForeignKeyText(const ForeignKey &key);

// The keys by which a table window just placed can be joined to one window placed before
// it (the first window of that table), in either direction.
struct KeyJoinChoice
{
    int other = 0;
    QList<ForeignKey> keys;  // more than one: the user chooses which, if any
};

// Per other window of the design, the keys between its table and the placed window's.
// Self-referencing keys are left out (a table placed once has one window of it), and so
// are keys whose columns a window does not show.
QList<KeyJoinChoice> KeyJoinChoices(const DesignState &design, int placed, const QList<ForeignKey> &keys);

// Joins the windows placed and other by the key, as a field drop joins them: per column
// pair one link from the referencing field to the referenced one, with its Conditions row.
void AddKeyJoin(DesignState &design, int placed, int other, const ForeignKey &key, const IdentifierStyle &style);
