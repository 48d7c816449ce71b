// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "sqlbuilders.h"

#include "designwords.h"
#include "literaltext.h"
#include "naming.h"
#include "selectforms.h"

#include <QHash>

namespace {

const QString kListSeparator = QStringLiteral(", ");

bool allChecked(const DesignTable &table)
{
    for (qsizetype i = 0; i < table.fields.size(); ++i) {
        if (i >= table.checked.size() || !table.checked.at(i))
            return false;
    }
    return true;
}

bool isChecked(const DesignTable &table, qsizetype index)
{
    return index < table.checked.size() && table.checked.at(index);
}

void dropLastSeparator(QString &line, qsizetype lengthBeforeItems)
{
    if (line.size() > lengthBeforeItems)
        line.chop(kListSeparator.size());
}

// SQLite reads a table alias in UPDATE and DELETE only after AS; ANSI SQL writes AS there.
QString aliasSeparator(SqlDialect dialect, bool dataChange)
{
    return dataChange && (dialect == SqlDialect::SQLite || dialect == SqlDialect::ODBC)
               ? QStringLiteral(" AS ")
               : QStringLiteral(" ");
}

// Each table's name as the engine can read it, the separator and its alias, joined by ", ".
QString tableLine(const QueryDesign &design, const QStringList &aliases, bool dataChange)
{
    const QString separator = aliasSeparator(design.style.dialect, dataChange);
    QStringList names;
    names.reserve(design.tables.size());
    qsizetype length = 0;
    for (qsizetype i = 0; i < design.tables.size(); ++i) {
        names << TableSourceText(design.tables.at(i), design.style.dialect);
        length += names.constLast().size() + aliases.at(i).size();
    }
    QString line;
    line.reserve(length + design.tables.size() * (separator.size() + kListSeparator.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0)
            line += kListSeparator;
        line += names.at(i);
        line += separator;
        line += aliases.at(i);
    }
    return line;
}

// The column line of a design that holds its columns: each shown one in its order, with its
// name; grouped gets the grouped expressions, shown or not.
QString ownColumnLine(const QueryDesign &design, QStringList *grouped)
{
    QString line = design.distinct ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
    const qsizetype start = line.size();
    for (const OutputColumn &column : design.columns) {
        if (column.grouped)
            *grouped << column.expression;
        if (!column.shown)
            continue;
        line += column.expression;
        if (!column.name.isEmpty()) {
            line += QStringLiteral(" AS ");
            line += BareOrQuotedName(column.name, design.style.dialect);
        }
        line += kListSeparator;
    }
    dropLastSeparator(line, start);
    line += QStringLiteral(" FROM");
    return line;
}

// With totals, fills grouped with the grouped references and aggregates with reference -> aggregate.
QString columnLine(const QueryDesign &design, const QStringList &aliases, bool totals, QStringList *grouped,
                   QHash<QString, QString> *aggregates)
{
    const QString select = design.distinct ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
    static const QString allFields = QStringLiteral(".*, ");
    qsizetype estimate = select.size() + 5;
    for (qsizetype t = 0; t < design.tables.size(); ++t) {
        const DesignTable &table = design.tables.at(t);
        estimate += aliases.at(t).size() + allFields.size();
        for (const QString &field : table.fields)
            estimate += aliases.at(t).size() + field.size() + (totals ? 12 : 5);
    }
    QString line;
    line.reserve(estimate);
    line += select;
    for (qsizetype t = 0; t < design.tables.size(); ++t) {
        const DesignTable &table = design.tables.at(t);
        const QString &alias = aliases.at(t);
        // With totals every field is named: each is either grouped or aggregated.
        if (!totals && allChecked(table)) {
            line += alias;
            line += allFields;
            continue;
        }
        for (qsizetype f = 0; f < table.fields.size(); ++f) {
            if (!isChecked(table, f))
                continue;
            QString reference = alias + u'.' + QuoteIdentifier(table.fields.at(f), design.style);
            if (totals) {
                const TotalKind kind = table.totals.value(f, TotalKind::None);
                if (kind == TotalKind::None || kind == TotalKind::Group)
                    *grouped << reference;
                else {
                    QString aggregate = TotalExpression(kind, reference);
                    aggregates->insert(reference, aggregate);
                    reference = std::move(aggregate);
                }
            }
            line += reference;
            line += kListSeparator;
        }
    }
    dropLastSeparator(line, select.size());
    line += QStringLiteral(" FROM");
    return line;
}

// A heading line, then one line per item: " ", the item, and ", " unless it is the last.
QStringList listLines(const QString &heading, const QStringList &items)
{
    QStringList lines;
    if (items.isEmpty())
        return lines;
    lines << heading;
    for (qsizetype i = 0; i < items.size(); ++i)
        lines << u' ' + items.at(i) + (i + 1 < items.size() ? kListSeparator : QString());
    return lines;
}

QStringList sortLines(const QList<SortRow> &rows)
{
    QStringList lines;
    if (rows.isEmpty())
        return lines;
    lines.reserve(rows.size() + 1);
    lines << QStringLiteral("ORDER BY ");
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const SortRow &row = rows.at(i);
        QString line;
        line.reserve(row.fieldName.size() + 8);
        line += u' ';
        line += row.fieldName;
        if (!IsAscendingWord(row.ascending))
            line += QStringLiteral(" DESC");
        if (i + 1 < rows.size())
            line += kListSeparator;
        lines << line;
    }
    return lines;
}

// How many parentheses a grouping text opens or closes.
int parentheses(const QString &text)
{
    return int(text.count(u'('));
}

// True when some operator between the rows, outside the rows' own parentheses, is not AND,
// so that SQL's precedence could let a row escape the rows joined to it by AND.
bool hasOtherOperator(const QList<ConditionRow> &rows)
{
    int depth = 0;
    for (qsizetype i = 0; i + 1 < rows.size(); ++i) {
        depth += parentheses(rows.at(i).open) - int(rows.at(i).close.count(u')'));
        if (depth <= 0 && rows.at(i).booleanOperator.trimmed().compare(AndWord, Qt::CaseInsensitive) != 0)
            return true;
    }
    return false;
}

// The WHERE part of a SELECT. A link's condition binds its two tables whatever the user's
// rows say: when those hold an OR, the link rows come first, joined by AND, and the user's
// rows follow in parentheses, keeping SQL's precedence among them as written. Otherwise the
// rows stand in their order.
QStringList whereLines(const QList<ConditionRow> &rows, const QList<bool> &linkRow)
{
    QList<ConditionRow> links, own;
    for (qsizetype r = 0; r < rows.size(); ++r)
        (linkRow.at(r) ? links : own) << rows.at(r);
    if (links.isEmpty() || !hasOtherOperator(rows))
        return ConditionLines(rows);
    QStringList lines;
    lines.reserve(rows.size() + 1);
    lines << QStringLiteral("WHERE ");
    for (qsizetype i = 0; i < links.size(); ++i) {
        ConditionRow row = links.at(i);
        row.booleanOperator = AndWord;
        lines << ConditionLine(row, own.isEmpty() && i + 1 == links.size());
    }
    for (qsizetype i = 0; i < own.size(); ++i) {
        ConditionRow row = own.at(i);
        if (i == 0)
            row.open.prepend(u'(');
        if (i + 1 == own.size())
            row.close += u')';
        lines << ConditionLine(row, i + 1 == own.size());
    }
    return lines;
}

} // namespace

QStringList TableAliases(const QList<DesignTable> &tables)
{
    // A window's own alias stands; the others keep clear of every alias already given.
    QStringList taken;
    for (const DesignTable &table : tables) {
        if (!table.alias.isEmpty())
            taken << table.alias;
    }
    QStringList aliases;
    aliases.reserve(tables.size());
    for (const DesignTable &table : tables) {
        aliases << (table.alias.isEmpty() ? UniqueTableAlias(table.caption, taken) : table.alias);
        if (table.alias.isEmpty())
            taken << aliases.constLast();
    }
    return aliases;
}

QString DesignTableAlias(const DesignTable &table)
{
    return table.alias.isEmpty() ? TableAlias(table.caption) : table.alias;
}

QString ConditionLine(const ConditionRow &row, bool last)
{
    const qsizetype cut = row.condition.indexOf(QLatin1String(" ("));
    const QStringView comparison =
        cut < 0 ? QStringView(row.condition) : QStringView(row.condition).left(cut);
    QString line;
    line.reserve(row.open.size() + row.fieldName.size() + comparison.size() + row.value.size() + row.close.size()
                 + row.booleanOperator.size() + 5);
    line += u' ';
    // Spaced as the parentheses around a design's own rows beside its links are.
    if (!row.open.isEmpty()) {
        line += row.open;
        if (!row.open.endsWith(u' '))
            line += u' ';
    }
    line += row.fieldName;
    line += u' ';
    line += comparison;
    line += u' ';
    line += row.value;
    if (!row.close.isEmpty()) {
        line += u' ';
        line += row.close;
    }
    line += u' ';
    if (!last) {
        line += row.booleanOperator;
        line += u' ';
    }
    return line;
}

QStringList ConditionLines(const QList<ConditionRow> &rows)
{
    QStringList lines;
    if (rows.isEmpty())
        return lines;
    lines.reserve(rows.size() + 1);
    lines << QStringLiteral("WHERE ");
    for (qsizetype i = 0; i < rows.size(); ++i)
        lines << ConditionLine(rows.at(i), i + 1 == rows.size());
    return lines;
}

QStringList BuildSelectSQL(const QueryDesign &design)
{
    QStringList lines;
    if (design.tables.isEmpty())
        return lines;
    const QStringList aliases = TableAliases(design.tables);
    const bool totals = HasTotals(design);
    QStringList grouped;
    QHash<QString, QString> aggregates;
    lines.reserve(7 + design.conditions.size() + design.sorting.size());
    if (!design.with.isEmpty())
        lines << design.with;
    lines << (design.columns.isEmpty() ? columnLine(design, aliases, totals, &grouped, &aggregates)
                                       : ownColumnLine(design, &grouped));

    // Outer joins take their link's condition row into ON; aggregates go to HAVING.
    QList<bool> inJoin;
    const QStringList joins = HasOuterLinks(design) ? JoinedTableLines(design, aliases, &inJoin) : QStringList();
    if (joins.isEmpty())
        lines << tableLine(design, aliases, false);
    else
        lines << joins;
    const QList<bool> linkRow = LinkConditionRows(design, aliases);
    QList<ConditionRow> where, having;
    QList<bool> whereLinkRow;
    for (qsizetype r = 0; r < design.conditions.size(); ++r) {
        const ConditionRow &row = design.conditions.at(r);
        if (inJoin.value(r))
            continue;
        if (IsAggregateField(row.fieldName)) {
            having << row;
            continue;
        }
        where << row;
        whereLinkRow << linkRow.at(r);
    }
    lines << whereLines(where, whereLinkRow);
    lines << listLines(QStringLiteral("GROUP BY "), grouped);
    if (!having.isEmpty()) {
        QStringList havingLines = ConditionLines(having);
        havingLines.first() = QStringLiteral("HAVING ");
        lines << havingLines;
    }
    // Sorting on a field that is aggregated sorts on its aggregate: the bare field is not in
    // the grouped rows (PostgreSQL refuses it; SQLite would sort on any row's value).
    QList<SortRow> sorting = design.sorting;
    for (SortRow &row : sorting)
        row.fieldName = aggregates.value(row.fieldName, row.fieldName);
    lines << sortLines(sorting);
    const QString limit = LimitLine(design.limit, design.style.dialect, design.offset);
    if (!limit.isEmpty())
        lines << limit;
    return lines;
}

QStringList BuildInsertSQL(const QueryDesign &design)
{
    QStringList lines;
    if (design.tables.isEmpty() || design.values.isEmpty())
        return lines;

    QString first = QStringLiteral("INSERT INTO ");
    // Only one table reaches an INSERT design; should more be there, they follow
    // one another unseparated, as the design holds them.
    for (const DesignTable &table : design.tables) {
        first += design.style.quoteIdentifiers ? QuoteIdentifier(table.caption, design.style)
                                               : SqlTableName(table.caption, design.style.dialect);
    }
    QString second = QStringLiteral("VALUES (");
    qsizetype namesLength = 0, valuesLength = 0;
    for (const ValueRow &row : design.values) {
        namesLength += row.fieldName.size() + 4;
        valuesLength += row.value.size() + 2;
    }
    first.reserve(first.size() + namesLength + 4);
    second.reserve(second.size() + valuesLength + 3);

    first += QStringLiteral(" (");
    for (qsizetype i = 0; i < design.values.size(); ++i) {
        const ValueRow &row = design.values.at(i);
        if (i > 0) {
            first += kListSeparator;
            second += kListSeparator;
        }
        first += BareOrQuotedName(row.fieldName, design.style.dialect);
        second += row.value;
    }
    first += QStringLiteral(") ");
    second += QStringLiteral("); ");
    lines << first << second;
    return lines;
}

QStringList BuildUpdateSQL(const QueryDesign &design)
{
    QStringList lines;
    if (design.tables.isEmpty() || design.values.isEmpty())
        return lines;
    const QStringList aliases = TableAliases(design.tables);
    lines.reserve(3 + design.values.size() + design.conditions.size());
    lines << QStringLiteral("UPDATE ") + tableLine(design, aliases, true);
    lines << QStringLiteral("SET ");

    // Only MySQL reads a qualified SET target; ANSI SQL, SQLite and PostgreSQL reject it.
    const bool qualify = design.style.dialect == SqlDialect::MySQL;
    const QString &alias = aliases.constLast();
    for (qsizetype i = 0; i < design.values.size(); ++i) {
        const ValueRow &row = design.values.at(i);
        const QString target = QuoteIdentifier(row.fieldName, design.style);
        QString line;
        line.reserve(alias.size() + target.size() + row.value.size() + 7);
        line += u' ';
        if (qualify) {
            line += alias;
            line += u'.';
        }
        line += target;
        line += QStringLiteral(" = ");
        line += row.value;
        if (i + 1 < design.values.size())
            line += kListSeparator;
        lines << line;
    }
    lines << ConditionLines(design.conditions);
    return lines;
}

QStringList BuildDeleteSQL(const QueryDesign &design)
{
    QStringList lines;
    if (design.tables.isEmpty())
        return lines;
    const QStringList aliases = TableAliases(design.tables);
    lines.reserve(3 + design.conditions.size());
    // MySQL reads an alias in DELETE only in its multiple-table form, which names the
    // table whose rows go before FROM.
    if (design.style.dialect == SqlDialect::MySQL)
        lines << QStringLiteral("DELETE ") + aliases.constLast() + QStringLiteral(" FROM ");
    else
        lines << QStringLiteral("DELETE FROM ");
    lines << tableLine(design, aliases, true);
    lines << ConditionLines(design.conditions);
    return lines;
}

static QStringList statementLines(const QueryDesign &design)
{
    switch (design.queryType) {
    case QueryType::Select:
        return BuildSelectSQL(design);
    case QueryType::Insert:
        return BuildInsertSQL(design);
    case QueryType::Update:
        return BuildUpdateSQL(design);
    case QueryType::Delete:
        return BuildDeleteSQL(design);
    }
    return {};
}

QStringList GenerateSQLLines(const QueryDesign &design)
{
    return WithServerBackslashes(statementLines(design), design.style);
}

QString GenerateSQLText(const QueryDesign &design)
{
    return GenerateSQLLines(design).join(u'\n');
}
