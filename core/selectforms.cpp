// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "selectforms.h"

#include "naming.h"
#include "querydefinition.h"
#include "vdqerror.h"


namespace {

const char *const JoinNames[] = {"INNER", "LEFT", "RIGHT", "FULL"};
const char *const TotalNames[] = {"", "GROUP", "COUNT", "SUM", "AVG", "MIN", "MAX"};
const char *const AggregatePrefixes[] = {"COUNT(", "SUM(", "AVG(", "MIN(", "MAX("};

// The table a link names: the window of its caption and alias, or without an alias the
// first of its caption.
int tableIndex(const QueryDesign &design, const QStringList &aliases, const QString &caption, const QString &alias)
{
    for (int i = 0; i < design.tables.size(); ++i) {
        if (design.tables.at(i).caption == caption && (alias.isEmpty() || aliases.at(i) == alias))
            return i;
    }
    return -1;
}

// A link as the FROM part uses it: its two tables and the condition row it owns.
struct LinkRow
{
    int from = -1;  // the table the drag started from
    int to = -1;
    int row = -1;
    JoinType type = JoinType::Inner;

    bool ties(int t, const QList<bool> &placed) const
    {
        return (from == t && placed.at(to)) || (to == t && placed.at(from));
    }
};

// Every link whose two tables are on the canvas and whose condition row is still there;
// each row is owned by one link at most.
QList<LinkRow> linkRows(const QueryDesign &design, const QStringList &aliases)
{
    QList<LinkRow> links;
    QList<bool> taken(design.conditions.size(), false);
    QStringList texts;  // each row's text once, not once per link
    texts.reserve(design.conditions.size());
    for (const ConditionRow &row : design.conditions)
        texts << ConditionText(row);
    for (const DesignLink &link : design.links) {
        LinkRow l{tableIndex(design, aliases, link.table1, link.alias1),
                  tableIndex(design, aliases, link.table2, link.alias2), -1, link.joinType};
        if (l.from < 0 || l.to < 0 || l.from == l.to)
            continue;
        for (int r = 0; r < design.conditions.size(); ++r) {
            if (!taken.at(r) && texts.at(r) == link.condition) {
                l.row = r;
                taken[r] = true;
                break;
            }
        }
        if (l.row >= 0)
            links << l;
    }
    return links;
}

// The join keyword as seen from the tables placed before: a link dragged from the new table
// keeps the new table's rows, which is a RIGHT join from the placed side.
QString joinKeyword(JoinType type, bool newTableIsFrom)
{
    switch (type) {
    case JoinType::Left:
        return newTableIsFrom ? QStringLiteral("RIGHT JOIN ") : QStringLiteral("LEFT JOIN ");
    case JoinType::Right:
        return newTableIsFrom ? QStringLiteral("LEFT JOIN ") : QStringLiteral("RIGHT JOIN ");
    case JoinType::Full:
        return QStringLiteral("FULL JOIN ");
    case JoinType::Inner:
        break;
    }
    return QStringLiteral("INNER JOIN ");
}

// Writes the FROM part of a design with outer links. Tables tied by inner links form a group
// that is joined as one: within it each table comes by INNER JOIN; a group reached by an
// outer link comes whole, in parentheses when it has several tables, so that its inner
// conditions cannot drop the rows the outer link keeps.
class JoinWriter
{
public:
    JoinWriter(const QueryDesign &design, const QStringList &aliases, QList<bool> *used)
        : m_design(design), m_aliases(aliases), m_links(linkRows(design, aliases)), m_used(used),
          m_placed(design.tables.size(), false), m_group(design.tables.size())
    {
        for (int t = 0; t < m_group.size(); ++t)
            m_group[t] = t;
        for (const LinkRow &l : std::as_const(m_links)) {
            if (l.type != JoinType::Inner)
                continue;
            const int from = m_group.at(l.from), to = m_group.at(l.to);
            for (int &g : m_group) {
                if (g == to)
                    g = from;
            }
        }
    }

    bool hasOuterLinks() const
    {
        for (const LinkRow &l : m_links) {
            if (l.type != JoinType::Inner)
                return true;
        }
        return false;
    }

    const QList<LinkRow> &links() const { return m_links; }

    QStringList lines()
    {
        QStringList lines = groupLines(0);
        for (int t = int(m_placed.indexOf(false)); t >= 0; t = int(m_placed.indexOf(false))) {
            // The first table in canvas order that an outer link ties to one placed before,
            // so that every ON names only tables already in the FROM part.
            int next = -1;
            for (int c = 0; c < m_placed.size() && next < 0; ++c) {
                for (const LinkRow &l : std::as_const(m_links)) {
                    if (!m_placed.at(c) && l.ties(c, m_placed)) {
                        next = c;
                        break;
                    }
                }
            }
            if (next < 0) {
                // Nothing ties it: a cross join, whose inner joins may follow it unnested.
                QStringList group = groupLines(t);
                group.first().prepend(QStringLiteral("CROSS JOIN "));
                lines << group;
                continue;
            }
            QString keyword;
            QStringList on;
            for (const LinkRow &l : std::as_const(m_links)) {
                const bool fromNew = m_group.at(l.from) == m_group.at(next) && m_placed.at(l.to);
                if (!fromNew && !(m_group.at(l.to) == m_group.at(next) && m_placed.at(l.from)))
                    continue;
                if (keyword.isEmpty())
                    keyword = joinKeyword(l.type, fromNew);
                on << take(l);
            }
            QStringList group = groupLines(next);
            const QString onText = QStringLiteral(" ON ") + on.join(QStringLiteral(" AND "));
            if (group.size() == 1) {
                lines << keyword + group.first() + onText;
                continue;
            }
            lines << keyword + u'(' + group.first();
            for (qsizetype i = 1; i < group.size(); ++i)
                lines << u' ' + group.at(i) + (i + 1 == group.size() ? u')' + onText : QString());
        }
        return lines;
    }

private:
    QString take(const LinkRow &l)
    {
        (*m_used)[l.row] = true;
        return ConditionText(m_design.conditions.at(l.row));
    }

    QString tableText(int t) const
    {
        return TableSourceText(m_design.tables.at(t), m_design.style.dialect) + u' ' + m_aliases.at(t);
    }

    // The tables of first's group: first, then each table an inner link ties to one placed
    // before, with every link inside the group that it completes in its ON.
    QStringList groupLines(int first)
    {
        const int group = m_group.at(first);
        QStringList lines{tableText(first)};
        m_placed[first] = true;
        for (;;) {
            int next = -1;
            for (int t = 0; t < m_placed.size() && next < 0; ++t) {
                if (m_placed.at(t) || m_group.at(t) != group)
                    continue;
                for (const LinkRow &l : std::as_const(m_links)) {
                    if (l.type == JoinType::Inner && l.ties(t, m_placed)) {
                        next = t;
                        break;
                    }
                }
            }
            if (next < 0)
                return lines;
            QStringList on;
            for (const LinkRow &l : std::as_const(m_links)) {
                if (m_group.at(l.from) == group && m_group.at(l.to) == group && l.ties(next, m_placed))
                    on << take(l);
            }
            m_placed[next] = true;
            lines << QStringLiteral("INNER JOIN ") + tableText(next) + QStringLiteral(" ON ")
                         + on.join(QStringLiteral(" AND "));
        }
    }

    const QueryDesign &m_design;
    const QStringList &m_aliases;
    const QList<LinkRow> m_links;
    QList<bool> *m_used;
    QList<bool> m_placed;
    QList<int> m_group;  // per table, the group of tables its inner links tie it to
};

} // namespace

QString JoinTypeName(JoinType type)
{
    return QString::fromLatin1(JoinNames[int(type)]);
}

JoinType JoinTypeFromName(const QString &name)
{
    for (int i = 0; i < 4; ++i) {
        if (name.compare(QLatin1String(JoinNames[i]), Qt::CaseInsensitive) == 0)
            return JoinType(i);
    }
    return JoinType::Inner;
}

QString TotalKindName(TotalKind kind)
{
    return QString::fromLatin1(TotalNames[int(kind)]);
}

TotalKind TotalKindFromName(const QString &name)
{
    for (int i = 1; i < 7; ++i) {
        if (name.compare(QLatin1String(TotalNames[i]), Qt::CaseInsensitive) == 0)
            return TotalKind(i);
    }
    return TotalKind::None;
}

bool HasTotals(const QueryDesign &design)
{
    for (const DesignTable &table : design.tables) {
        for (TotalKind kind : table.totals) {
            if (kind != TotalKind::None)
                return true;
        }
    }
    return false;
}

QString TotalExpression(TotalKind kind, const QString &fieldReference)
{
    if (kind == TotalKind::None || kind == TotalKind::Group)
        return fieldReference;
    return TotalKindName(kind) + u'(' + fieldReference + u')';
}

bool IsAggregateField(const QString &fieldName)
{
    const QStringView text = QStringView(fieldName).trimmed();
    for (const char *prefix : AggregatePrefixes) {
        if (text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString ConditionText(const ConditionRow &row)
{
    const qsizetype cut = row.condition.indexOf(QLatin1String(" ("));
    return row.fieldName + u' ' + (cut < 0 ? row.condition : row.condition.left(cut)) + u' ' + row.value;
}

QString LimitLine(int limit, SqlDialect dialect, int offset)
{
    if (offset <= 0) {
        if (limit <= 0)
            return QString();
        if (dialect == SqlDialect::ODBC)
            return QStringLiteral("FETCH FIRST %1 ROWS ONLY").arg(limit);
        return QStringLiteral("LIMIT %1").arg(limit);
    }
    if (dialect == SqlDialect::ODBC) {
        const QString skip = QStringLiteral("OFFSET %1 ROWS").arg(offset);
        return limit > 0 ? skip + QStringLiteral(" FETCH FIRST %1 ROWS ONLY").arg(limit) : skip;
    }
    if (limit > 0)
        return QStringLiteral("LIMIT %1 OFFSET %2").arg(limit).arg(offset);
    switch (dialect) {
    case SqlDialect::PostgreSQL:
        return QStringLiteral("OFFSET %1").arg(offset);
    case SqlDialect::MySQL:
        return QStringLiteral("LIMIT 18446744073709551615 OFFSET %1").arg(offset);
    default:
        return QStringLiteral("LIMIT -1 OFFSET %1").arg(offset);
    }
}

QString TableSourceText(const DesignTable &table, SqlDialect dialect)
{
    switch (table.source) {
    case TableSource::Derived:
        return u'(' + table.query + u')';
    case TableSource::With:
        return table.caption;
    case TableSource::Table:
        break;
    }
    return SqlTableName(table.caption, dialect);
}

bool HasOuterLinks(const QueryDesign &design)
{
    for (const DesignLink &link : design.links) {
        if (link.joinType != JoinType::Inner)
            return true;
    }
    return false;
}

QList<bool> LinkConditionRows(const QueryDesign &design, const QStringList &aliases)
{
    QList<bool> owned(design.conditions.size(), false);
    for (const LinkRow &l : linkRows(design, aliases))
        owned[l.row] = true;
    return owned;
}

QStringList JoinedTableLines(const QueryDesign &design, const QStringList &aliases, QList<bool> *usedConditions)
{
    usedConditions->fill(false, design.conditions.size());
    JoinWriter writer(design, aliases, usedConditions);
    if (!writer.hasOuterLinks())
        return {};
    if (design.style.dialect == SqlDialect::MySQL) {
        for (const LinkRow &l : writer.links()) {
            if (l.type == JoinType::Full)
                throw VdqError(QStringLiteral("MySQL and MariaDB have no FULL JOIN: the link between %1 and %2 cannot "
                                              "keep every row of both tables. Choose another join type for it.")
                                   .arg(design.tables.at(l.from).caption, design.tables.at(l.to).caption));
        }
    }
    return writer.lines();
}

QList<TotalKind> ApplyStoredTotals(const QStringList &fields, const QList<QPair<QString, QString>> &stored)
{
    QStringList names;
    names.reserve(stored.size());
    for (const auto &entry : stored)
        names << entry.first;
    // Matched as the ticks are.
    const QList<qsizetype> found = StoredItemFields(fields, names);
    QList<TotalKind> totals(fields.size(), TotalKind::None);
    bool any = false;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const TotalKind kind = TotalKindFromName(stored.at(i).second);
        if (found.at(i) >= 0) {
            totals[found.at(i)] = kind;
            any = any || kind != TotalKind::None;
        }
    }
    return any ? totals : QList<TotalKind>();
}
