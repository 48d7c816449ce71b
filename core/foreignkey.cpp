// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "foreignkey.h"

#include "naming.h"
#include "querydocument.h"

#include <algorithm>
#include <utility>

bool operator==(const ForeignKey &a, const ForeignKey &b)
{
    return a.name == b.name && a.table == b.table && a.columns == b.columns && a.referencedTable == b.referencedTable
           && a.referencedColumns == b.referencedColumns;
}

QString ForeignKeyText(const ForeignKey &key)
{
    return QStringLiteral("%1 (%2) -> %3 (%4)")
        .arg(key.table, key.columns.join(QLatin1String(", ")), key.referencedTable,
             key.referencedColumns.join(QLatin1String(", ")));
}

namespace {

// The window's field a catalogue column names: the same name, else the one name that differs
// only in case (SQLite keeps a key's columns as its statement wrote them). Empty for none.
QString windowField(const DocumentTable &table, const QString &column)
{
    if (table.fields.contains(column))
        return column;
    QString found;
    for (const QString &field : table.fields) {
        if (field.compare(column, Qt::CaseInsensitive) == 0) {
            if (!found.isEmpty())
                return QString();
            found = field;
        }
    }
    return found;
}

// Each column of the key's referencing side paired with its referenced field, as the two
// windows name them; empty when a window lacks one of them.
QList<QPair<QString, QString>> fieldPairs(const DocumentTable &from, const DocumentTable &to, const ForeignKey &key)
{
    QList<QPair<QString, QString>> pairs;
    if (key.columns.isEmpty() || key.columns.size() != key.referencedColumns.size())
        return pairs;
    for (qsizetype i = 0; i < key.columns.size(); ++i) {
        const QString a = windowField(from, key.columns.at(i)), b = windowField(to, key.referencedColumns.at(i));
        if (a.isEmpty() || b.isEmpty())
            return {};
        pairs.append({a, b});
    }
    return pairs;
}

} // namespace

QList<KeyJoinChoice> KeyJoinChoices(const DesignState &design, int placed, const QList<ForeignKey> &keys)
{
    QList<KeyJoinChoice> choices;
    const DocumentTable *table = design.table(placed);
    if (!table || table->source != TableSource::Table)
        return choices;
    for (const ForeignKey &key : keys) {
        if (key.selfReferencing())
            continue;
        const bool referencing = key.table == table->caption;
        if (!referencing && key.referencedTable != table->caption)
            continue;
        const DocumentTable *other = design.findTable(referencing ? key.referencedTable : key.table);
        if (!other || other->id == placed || other->source != TableSource::Table)
            continue;
        if (fieldPairs(referencing ? *table : *other, referencing ? *other : *table, key).isEmpty())
            continue;
        auto it = std::find_if(choices.begin(), choices.end(), [&](const KeyJoinChoice &c) { return c.other == other->id; });
        if (it == choices.end())
            choices.append({other->id, {key}});
        else if (!it->keys.contains(key))
            it->keys.append(key);
    }
    return choices;
}

void AddKeyJoin(DesignState &design, int placed, int other, const ForeignKey &key, const IdentifierStyle &style)
{
    const DocumentTable *a = design.table(placed), *b = design.table(other);
    if (!a || !b)
        return;
    // The referencing window is the drag's source, as a user draws the join.
    if (key.table != a->caption)
        std::swap(a, b);
    const QString fromAlias = a->alias, toAlias = b->alias;
    const int from = a->id, to = b->id;
    for (const auto &[fromField, toField] : fieldPairs(*a, *b, key))
        design.addFieldLink(from, to, AliasFieldReference(fromAlias, fromField, style),
                            AliasFieldReference(toAlias, toField, style));
}
