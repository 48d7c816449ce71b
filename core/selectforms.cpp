#include "selectforms.h"

#include "naming.h"
#include "vdqerror.h"

#include <QHash>

namespace {

const char *const JoinNames[] = {"INNER", "LEFT", "RIGHT", "FULL"};
const char *const TotalNames[] = {"", "GROUP", "COUNT", "SUM", "AVG", "MIN", "MAX"};
const char *const AggregatePrefixes[] = {"COUNT(", "SUM(", "AVG(", "MIN(", "MAX("};

int tableIndex(const QList<DesignTable> &tables, const QString &caption)
{
    for (int i = 0; i < tables.size(); ++i) {
        if (tables.at(i).caption == caption)
            return i;
    }
    return -1;
}

// A non-inner link as the FROM part uses it: its two tables and the condition row it owns.
struct OuterLink
{
    int from = -1;  // the table the drag started from
    int to = -1;
    int row = -1;
    JoinType type = JoinType::Inner;
};

QList<OuterLink> outerLinks(const QueryDesign &design)
{
    QList<OuterLink> links;
    QList<bool> taken(design.conditions.size(), false);
    for (const DesignLink &link : design.links) {
        if (link.joinType == JoinType::Inner)
            continue;
        OuterLink l{tableIndex(design.tables, link.table1), tableIndex(design.tables, link.table2), -1,
                    link.joinType};
        if (l.from < 0 || l.to < 0 || l.from == l.to)
            continue;
        for (int r = 0; r < design.conditions.size(); ++r) {
            if (!taken.at(r) && ConditionText(design.conditions.at(r)) == link.condition) {
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
    return QStringLiteral("JOIN ");
}

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

QString LimitLine(int limit, SqlDialect dialect)
{
    if (limit <= 0)
        return QString();
    if (dialect == SqlDialect::ODBC)
        return QStringLiteral("FETCH FIRST %1 ROWS ONLY").arg(limit);
    return QStringLiteral("LIMIT %1").arg(limit);
}

bool HasOuterLinks(const QueryDesign &design)
{
    for (const DesignLink &link : design.links) {
        if (link.joinType != JoinType::Inner)
            return true;
    }
    return false;
}

QStringList JoinedTableLines(const QueryDesign &design, const QStringList &aliases, QList<bool> *usedConditions)
{
    usedConditions->fill(false, design.conditions.size());
    QStringList lines;
    const QList<OuterLink> links = outerLinks(design);
    if (links.isEmpty())
        return lines;
    const SqlDialect dialect = design.style.dialect;
    for (const OuterLink &l : links) {
        if (l.type == JoinType::Full && dialect == SqlDialect::MySQL)
            throw VdqError(QStringLiteral("MySQL and MariaDB have no FULL JOIN: the link between %1 and %2 cannot keep "
                                          "every row of both tables. Choose another join type for it.")
                               .arg(design.tables.at(l.from).caption, design.tables.at(l.to).caption));
    }
    auto tableText = [&](int t) {
        return SqlTableName(design.tables.at(t).caption, dialect) + u' ' + aliases.at(t);
    };

    QList<bool> placed(design.tables.size(), false);
    placed[0] = true;
    lines << tableText(0);
    for (int done = 1; done < design.tables.size(); ++done) {
        // The first table in canvas order that a link ties to one placed before, so that
        // every ON names only tables already in the FROM part.
        int next = -1;
        for (int t = 0; t < design.tables.size() && next < 0; ++t) {
            if (placed.at(t))
                continue;
            for (const OuterLink &l : links) {
                if ((l.from == t && placed.at(l.to)) || (l.to == t && placed.at(l.from))) {
                    next = t;
                    break;
                }
            }
        }
        if (next < 0) {
            next = int(placed.indexOf(false));
            placed[next] = true;
            lines << QStringLiteral("CROSS JOIN ") + tableText(next);
            continue;
        }
        QString keyword;
        QStringList on;
        for (const OuterLink &l : links) {
            const bool fromNew = l.from == next && placed.at(l.to);
            if (!fromNew && !(l.to == next && placed.at(l.from)))
                continue;
            if (keyword.isEmpty())
                keyword = joinKeyword(l.type, fromNew);
            on << ConditionText(design.conditions.at(l.row));
            (*usedConditions)[l.row] = true;
        }
        placed[next] = true;
        lines << keyword + tableText(next) + QStringLiteral(" ON ") + on.join(QStringLiteral(" AND "));
    }
    return lines;
}

QList<TotalKind> ApplyStoredTotals(const QStringList &fields, const QList<QPair<QString, QString>> &stored)
{
    QHash<QString, qsizetype> firstField;
    firstField.reserve(fields.size());
    // From the back, so that of two equal names the first one is kept, as for the ticks.
    for (qsizetype i = fields.size() - 1; i >= 0; --i)
        firstField.insert(fields.at(i).toCaseFolded(), i);
    QList<TotalKind> totals(fields.size(), TotalKind::None);
    bool any = false;
    for (const auto &entry : stored) {
        const TotalKind kind = TotalKindFromName(entry.second);
        const auto found = firstField.constFind(entry.first.toCaseFolded());
        if (found != firstField.constEnd()) {
            totals[*found] = kind;
            any = any || kind != TotalKind::None;
        }
    }
    return any ? totals : QList<TotalKind>();
}
