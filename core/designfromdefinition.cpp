// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfromdefinition.h"

#include "querydocument.h"

QList<ConditionRow> ConditionRowsOf(const StoredList &list)
{
    QList<ConditionRow> rows;
    rows.reserve(list.rows.size());
    for (const QStringList &r : list.rows)
        rows << ConditionRow{r.value(0), r.value(1), r.value(2), r.value(3), r.value(4), r.value(5)};
    return rows;
}

QList<ValueRow> ValueRowsOf(const StoredList &list)
{
    QList<ValueRow> rows;
    rows.reserve(list.rows.size());
    for (const QStringList &r : list.rows)
        rows << ValueRow{r.value(0), r.value(1)};
    return rows;
}

QList<SortRow> SortRowsOf(const StoredList &list)
{
    QList<SortRow> rows;
    rows.reserve(list.rows.size());
    for (const QStringList &r : list.rows)
        rows << SortRow{r.value(0), r.value(1)};
    return rows;
}

QList<QPair<QString, QString>> StoredTotals(const StoredTable &table)
{
    QList<QPair<QString, QString>> totals;
    for (qsizetype j = 0; j < table.totals.size() && j < table.items.size(); ++j)
        totals << qMakePair(table.items.at(j).first, table.totals.at(j));
    return totals;
}

QueryDesign DesignFromDefinition(const QueryDefinition &definition,
                                 const std::function<QStringList(const QString &)> &tableFields,
                                 const IdentifierStyle &style)
{
    return DesignOf(StateFromDefinition(definition, tableFields), style);
}
