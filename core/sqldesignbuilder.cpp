// The design builder: from the parsed statement to the design, its windows placed, its links
// drawn, its lists filled and its totals chosen. Names are looked up in sqldesignnames.cpp.

#include "sqldesignbuilder_p.h"

#include "designwords.h"
#include "profilefile.h"
#include "selectforms.h"

#include <QSet>

namespace SqlDesign {

namespace {

// Where a table goes when a double click places it: the k-th at left 50 + 145 k, top 40.
constexpr int PlacementLeft = 50;
constexpr int PlacementStep = 145;
constexpr int PlacementTop = 40;
constexpr int WindowWidth = 121;
constexpr int WindowHeight = 180;
// A link's line starts 20 pixels below the upper window's top and is never thinner than this.
constexpr int LinkMinimumExtent = 3;

// The Condition column for a comparison: the comparison dialog's stored text where it has
// one. A drawn join's row holds the bare "=".
// The texts come from one list each, so that a design of many rows holds each text once.
QString comparisonCaption(const QString &written, bool join)
{
    static const QString joinRow(NewRowComparison);
    static const QList<QPair<QString, QString>> captions = [] {
        QList<QPair<QString, QString>> list;
        for (const QLatin1String stored : StoredComparisons) {
            const qsizetype cut = stored.indexOf(QLatin1String(" ("));
            list << qMakePair(QString(cut < 0 ? stored.trimmed() : stored.left(cut)), QString(stored));
        }
        return list;
    }();
    if (join)
        return joinRow;
    for (const auto &caption : captions) {
        if (caption.first == written)
            return caption.second;
    }
    return written;
}

const QString &boolWord(bool isAnd)
{
    static const QString words[] = {QString(OrWord), QString(AndWord)};
    return words[isAnd ? 1 : 0];
}

QString joinTypeText(JoinType type)
{
    // An inner link is the classic one, stored without the key.
    return type == JoinType::Inner ? QString() : JoinTypeName(type);
}

} // namespace

const QString &DesignBuilder::bounded(const QString &text, int offset) const
{
    // The file's reader refuses a longer value, so the design could be saved but not opened.
    if (text.size() > TProfileFile::MaxValueLength)
        fail(offset, QStringLiteral("a value longer than %1 characters").arg(TProfileFile::MaxValueLength));
    return text;
}

void DesignBuilder::checkFlattenable(const BoolNode &node) const
{
    for (const BoolNode &kid : node.kids) {
        if (node.kind == BoolNode::And && kid.kind == BoolNode::Or)
            fail(kid.parenPos >= 0 ? kid.parenPos : kid.pos,
                 QStringLiteral("conditions grouped by parentheses"));
        checkFlattenable(kid);
    }
}

void DesignBuilder::flatten(const BoolNode &node, QList<int> &preds, QList<QPair<bool, int>> &ops)
{
    if (node.kind == BoolNode::Pred) {
        preds << node.pred;
        return;
    }
    for (int k = 0; k < node.kids.size(); ++k) {
        if (k > 0)
            ops << qMakePair(node.kind == BoolNode::And, node.opPositions.at(k - 1));
        flatten(node.kids.at(k), preds, ops);
    }
}

DesignBuilder::Flat DesignBuilder::flat(const BoolNode &node) const
{
    checkFlattenable(node);
    Flat f;
    flatten(node, f.preds, f.ops);
    return f;
}

QueryDefinition DesignBuilder::design(const Statement &st)
{
    m_st = &st;
    resolveTables(st);
    QueryDefinition def;
    def.type = int(st.type);
    def.distinct = st.distinct;
    def.limit = st.limit;

    Ticks ticks;
    Totals totals;
    for (const Table &t : m_tables) {
        // INSERT, UPDATE and DELETE tables come up as a double click places them.
        ticks << QList<bool>(t.fields.size(), st.type != QueryType::Select);
        totals << QList<TotalKind>(t.fields.size(), TotalKind::None);
    }
    bool anyTotal = !st.groupBy.isEmpty();
    QHash<QString, Expr> columnAliases;
    if (st.type == QueryType::Select)
        selectColumns(st, ticks, totals, anyTotal, columnAliases);
    if (anyTotal)
        checkGroups(st, ticks, totals);

    const bool innerJoinRows = joinConditions(st, def);
    if (st.where)
        whereConditions(st, innerJoinRows, def);
    if (st.having)
        havingConditions(st, def);

    for (const SortItem &item : st.orderBy)
        def.sorting.rows << QStringList{bounded(sortField(st, item.expr, columnAliases), item.expr.pos),
                                        SortWord(item.ascending)};

    if (st.type == QueryType::Insert)
        insertValues(st, def);
    if (st.type == QueryType::Update)
        updateValues(st, def);

    placeTables(def, ticks, totals, anyTotal);
    return def;
}

// The rows and links of the JOIN ... ON conditions; true when one of them is an inner join.
bool DesignBuilder::joinConditions(const Statement &st, QueryDefinition &def) const
{
    StoredList &conditions = def.conditions;
    bool innerJoinRows = false;
    for (int j = 0; j < st.joins.size(); ++j) {
        const Join &join = st.joins.at(j);
        if (!join.on)
            continue;
        const Flat f = flat(*join.on);
        for (const auto &op : f.ops) {
            if (!op.first)
                fail(op.second, QStringLiteral("a join condition that is not an equality of two fields"));
        }
        for (int idx : f.preds) {
            const Predicate &p = st.preds.at(idx);
            if (p.writtenOperator != u"=" || p.left.kind != Expr::Field || !p.rightIsField)
                fail(p.pos, QStringLiteral("a join condition that is not an equality of two fields"));
            const FieldAt a = resolveField(p.left.ref, p.left.refPos);
            const Expr rightField = m_st->fieldOf(p.value);
            const FieldAt b = resolveField(rightField.ref, rightField.refPos);
            if (a.table == b.table)
                fail(p.pos, QStringLiteral("a join condition that is not an equality of two fields"));
            const int joined = j + 1;
            if (a.table != joined && b.table != joined)
                fail(p.pos, QStringLiteral("a join condition that does not name the table it joins"));
            // LEFT keeps every row of the link's first table, RIGHT of its second.
            JoinType type = JoinType::Inner;
            if (join.kind == JoinKind::Left)
                type = a.table == joined ? JoinType::Right : JoinType::Left;
            else if (join.kind == JoinKind::Right)
                type = a.table == joined ? JoinType::Left : JoinType::Right;
            else if (join.kind == JoinKind::Full)
                type = JoinType::Full;
            innerJoinRows = innerJoinRows || type == JoinType::Inner;
            const QString left = fieldNameText(p.left);
            const QString right = fieldNameText(rightField);
            conditions.rows << QStringList{left, NewRowComparison, right, AndWord};
            addLink(def, a.table, b.table, JoinText(left, right), type);
        }
    }
    return innerJoinRows;
}

// The rows of WHERE; an equality of fields of two tables in a WHERE of conditions joined by
// AND only is a link as well.
void DesignBuilder::whereConditions(const Statement &st, bool innerJoinRows, QueryDefinition &def) const
{
    const Flat f = flat(*st.where);
    if (innerJoinRows) {
        for (const auto &op : f.ops) {
            if (!op.first)
                fail(op.second, QStringLiteral("an OR beside the conditions of a JOIN ... ON"));
        }
    }
    // A link's condition holds for every row whatever the other rows say, so an equality
    // beside an OR stays a row of its own: as a link it would change the statement's rows.
    bool onlyAnd = true;
    for (const auto &op : f.ops)
        onlyAnd = onlyAnd && op.first;
    for (int k = 0; k < f.preds.size(); ++k) {
        const Predicate &p = st.preds.at(f.preds.at(k));
        if (p.left.kind == Expr::Aggregate)
            fail(p.pos, QStringLiteral("a total in WHERE"));
        const bool joinsTables = st.type == QueryType::Select && p.writtenOperator == u"="
                                 && p.left.kind == Expr::Field && p.rightIsField;
        QString fieldName;
        if (p.left.kind == Expr::Field)
            fieldName = fieldNameText(p.left);
        else
            fieldName = render(p.left.pieces);
        const FieldAt a = joinsTables ? tryResolve(p.left.ref) : FieldAt();
        const Expr rightField = joinsTables ? m_st->fieldOf(p.value) : Expr();
        const FieldAt b = joinsTables ? tryResolve(rightField.ref) : FieldAt();
        const bool link = a.table >= 0 && b.table >= 0 && a.table != b.table && onlyAnd;
        const QString value = link ? fieldNameText(rightField) : render(p.value);
        const QString &op = boolWord(k + 1 == f.preds.size() || f.ops.at(k).first);
        def.conditions.rows << QStringList{bounded(fieldName, p.pos), comparisonCaption(p.comparison, link),
                                           bounded(value, valuePos(p)), op};
        if (link)
            addLink(def, a.table, b.table, JoinText(fieldName, value), JoinType::Inner);
    }
}

void DesignBuilder::havingConditions(const Statement &st, QueryDefinition &def) const
{
    const Flat f = flat(*st.having);
    for (int k = 0; k < f.preds.size(); ++k) {
        const Predicate &p = st.preds.at(f.preds.at(k));
        if (p.left.kind != Expr::Aggregate)
            fail(p.pos, QStringLiteral("a HAVING condition that is not on a total of a field"));
        const QString &op = boolWord(k + 1 == f.preds.size() || f.ops.at(k).first);
        def.conditions.rows << QStringList{fieldNameText(p.left), comparisonCaption(p.comparison, false),
                                           bounded(render(p.value), valuePos(p)), op};
    }
}

// Each table's window where a double click places it, then the links between them.
void DesignBuilder::placeTables(QueryDefinition &def, const Ticks &ticks, const Totals &totals,
                                bool anyTotal) const
{
    for (int k = 0; k < m_tables.size(); ++k) {
        const Table &t = m_tables.at(k);
        StoredTable stored;
        stored.name = t.caption;
        for (int f = 0; f < t.fields.size(); ++f) {
            stored.items << qMakePair(t.fields.at(f), bool(ticks.at(k).at(f)));
            if (anyTotal)
                stored.totals << TotalKindName(totals.at(k).at(f));
        }
        stored.itemCount = int(t.fields.size());
        stored.left = PlacementLeft + PlacementStep * k;
        stored.top = PlacementTop;
        stored.width = WindowWidth;
        stored.height = WindowHeight;
        def.tables << stored;
    }
    for (StoredLink &link : def.links) {
        placeLink(def, link);
    }
}

void DesignBuilder::addLink(QueryDefinition &def, int a, int b, const QString &hint, JoinType type) const
{
    StoredLink link;
    link.field1Table = m_tables.at(a).caption;
    link.field2Table = m_tables.at(b).caption;
    link.hint = hint;
    link.joinType = joinTypeText(type);
    def.links << link;
}

// Where the canvas draws a link between its two windows: from the right edge of the
// window further left to the left edge of the other, 20 pixels below the upper top.
void DesignBuilder::placeLink(const QueryDefinition &def, StoredLink &link)
{
    const StoredTable *a = nullptr, *b = nullptr;
    for (const StoredTable &t : def.tables) {
        if (!a && t.name == link.field1Table)
            a = &t;
        if (!b && t.name == link.field2Table)
            b = &t;
    }
    if (!a || !b)
        return;
    const StoredTable &l = a->left < b->left ? *a : *b;
    const StoredTable &r = a->left < b->left ? *b : *a;
    const int x1 = l.left + l.width;
    link.left = x1;
    link.top = qMin(l.top, r.top) + 20;
    link.width = qMax(qAbs(r.left - x1), LinkMinimumExtent);
    link.height = qMax(qAbs(l.top - r.top), LinkMinimumExtent);
}

void DesignBuilder::selectColumns(const Statement &st, Ticks &ticks, Totals &totals, bool &anyTotal,
                                  QHash<QString, Expr> &columnAliases) const
{
    QSet<QPair<int, int>> seen;
    auto tick = [&](int table, int field, int pos) {
        if (seen.contains(qMakePair(table, field)))
            fail(pos, QStringLiteral("the field %1 a second time in the column list")
                          .arg(m_tables.at(table).fields.at(field).left(80)));
        seen.insert(qMakePair(table, field));
        ticks[table][field] = true;
    };
    for (const SelectItem &item : st.columns) {
        const Expr &e = item.expr;
        switch (e.kind) {
        case Expr::Star:
            for (int k = 0; k < m_tables.size(); ++k) {
                for (int f = 0; f < m_tables.at(k).fields.size(); ++f)
                    tick(k, f, e.pos);
            }
            break;
        case Expr::TableStar: {
            const int k = tableOfQualifier(e.ref);
            if (k < 0)
                fail(e.pos, QStringLiteral("the unknown table or alias %1").arg(writtenName(e.ref, m_source.style.dialect).left(80)));
            for (int f = 0; f < m_tables.at(k).fields.size(); ++f)
                tick(k, f, e.pos);
            break;
        }
        case Expr::Field:
        case Expr::Aggregate: {
            const FieldAt at = resolveField(e.ref, e.refPos);
            tick(at.table, at.field, e.pos);
            if (e.kind == Expr::Aggregate) {
                totals[at.table][at.field] = aggregateKind(e.function);
                anyTotal = true;
            }
            break;
        }
        case Expr::Other:
            break;
        }
        if (item.alias)
            columnAliases.insert(item.alias->text.toLower(), e);
    }
}

// With totals, every ticked field without a function is grouped, and nothing else is.
void DesignBuilder::checkGroups(const Statement &st, const Ticks &ticks, Totals &totals) const
{
    QSet<QPair<int, int>> grouped;
    for (const Expr &e : st.groupBy) {
        const FieldAt at = resolveField(e.ref, e.refPos);
        if (!ticks.at(at.table).at(at.field) || totals.at(at.table).at(at.field) != TotalKind::None)
            fail(e.pos, QStringLiteral("a GROUP BY field that is not a plain field of the column list"));
        grouped.insert(qMakePair(at.table, at.field));
    }
    for (int k = 0; k < m_tables.size(); ++k) {
        for (int f = 0; f < m_tables.at(k).fields.size(); ++f) {
            if (!ticks.at(k).at(f) || totals.at(k).at(f) != TotalKind::None)
                continue;
            if (!grouped.contains(qMakePair(k, f)))
                fail(columnPos(st, k, f), QStringLiteral("the field %1, which is neither grouped nor a total")
                                              .arg(m_tables.at(k).fields.at(f).left(80)));
            totals[k][f] = TotalKind::Group;
        }
    }
}

int DesignBuilder::columnPos(const Statement &st, int table, int field) const
{
    for (const SelectItem &item : st.columns) {
        if (item.expr.kind == Expr::Star)
            return item.expr.pos;
        if (item.expr.kind == Expr::TableStar && tableOfQualifier(item.expr.ref) == table)
            return item.expr.pos;
        if (item.expr.kind == Expr::Field) {
            const FieldAt at = resolveField(item.expr.ref, item.expr.refPos);
            if (at.table == table && at.field == field)
                return item.expr.pos;
        }
    }
    return st.columns.isEmpty() ? 0 : st.columns.constFirst().expr.pos;
}

QString DesignBuilder::sortField(const Statement &st, const Expr &e, const QHash<QString, Expr> &columnAliases) const
{
    // A column's own name, or its number in the column list.
    if (e.kind == Expr::Field && e.ref.size() == 1) {
        const auto alias = columnAliases.constFind(e.ref.constFirst().text.toLower());
        if (alias != columnAliases.cend())
            return fieldNameText(*alias);
    }
    if (e.pieces.size() == 1 && !e.pieces.constFirst().isRef()) {
        bool ok = false;
        const int n = st.text(e.pieces.constFirst()).toInt(&ok);
        if (ok && n >= 1 && n <= st.columns.size()) {
            const Expr &column = st.columns.at(n - 1).expr;
            if (column.kind == Expr::Field || column.kind == Expr::Aggregate)
                return fieldNameText(column);
        }
    }
    if (e.kind == Expr::Field || e.kind == Expr::Aggregate)
        return fieldNameText(e);
    fail(e.pos, QStringLiteral("an ORDER BY item that is not a field or a total of a field"));
}

void DesignBuilder::insertValues(const Statement &st, QueryDefinition &def) const
{
    const Table &t = m_tables.constFirst();
    QList<int> fields;
    if (st.insertColumns.isEmpty()) {
        for (int f = 0; f < t.fields.size(); ++f)
            fields << f;
    }
    for (int c = 0; c < st.insertColumns.size(); ++c) {
        const int f = fieldIndex(t, st.insertColumns.at(c));
        if (f < 0)
            fail(st.insertColumnPositions.at(c),
                 QStringLiteral("the unknown field %1").arg(st.insertColumns.at(c).text.left(80)));
        fields << f;
    }
    if (fields.size() != st.insertValues.size())
        fail(st.valuesPos, QStringLiteral("a number of values other than the number of fields"));
    for (int c = 0; c < fields.size(); ++c) {
        // The values of an INSERT name no field: their text stays as written.
        QString value;
        for (const Piece &p : st.insertValues.at(c).pieces) {
            if (p.space && !value.isEmpty())
                value += u' ';
            value += st.text(p);
        }
        def.values.rows << QStringList{t.fields.at(fields.at(c)), bounded(value, st.insertValues.at(c).pos)};
    }
}

void DesignBuilder::updateValues(const Statement &st, QueryDefinition &def) const
{
    const Table &t = m_tables.constFirst();
    for (const Assignment &a : st.assignments) {
        if (a.target.size() > 1 && tableOfQualifier(a.target.mid(0, a.target.size() - 1)) != 0)
            fail(a.pos, QStringLiteral("the unknown table or alias %1")
                            .arg(writtenName(a.target.mid(0, a.target.size() - 1), m_source.style.dialect).left(80)));
        const int f = fieldIndex(t, a.target.constLast());
        if (f < 0)
            fail(a.pos, QStringLiteral("the unknown field %1").arg(a.target.constLast().text.left(80)));
        def.values.rows << QStringList{t.fields.at(f), bounded(render(a.value.pieces), a.value.pos)};
    }
}

} // namespace SqlDesign
