#include "designfromdefinition.h"

#include "naming.h"
#include "selectforms.h"

QList<ConditionRow> ConditionRowsOf(const StoredList &list)
{
    QList<ConditionRow> rows;
    rows.reserve(list.rows.size());
    for (const QStringList &r : list.rows)
        rows << ConditionRow{r.value(0), r.value(1), r.value(2), r.value(3)};
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
    QueryDesign design;
    design.queryType = definition.type >= 0 && definition.type <= 3 ? QueryType(definition.type) : QueryType::Select;
    design.style = style;
    QStringList aliases;
    for (const StoredTable &stored : definition.tables) {
        DesignTable table;
        table.caption = stored.name;
        table.alias = WindowAlias(stored.name, stored.alias, aliases);
        aliases << table.alias;
        table.fields = tableFields(stored.name);
        table.checked = ApplyStoredTicks(table.fields, stored.items);
        table.totals = ApplyStoredTotals(table.fields, StoredTotals(stored));
        design.tables << table;
    }
    for (const StoredLink &link : definition.links)
        design.links << DesignLink{link.field1Table, link.field2Table, link.hint, JoinTypeFromName(link.joinType),
                                   link.field1Alias, link.field2Alias};
    design.distinct = definition.distinct;
    design.limit = definition.limit;
    design.conditions = ConditionRowsOf(definition.conditions);
    design.values = ValueRowsOf(definition.values);
    design.sorting = SortRowsOf(definition.sorting);
    return design;
}
