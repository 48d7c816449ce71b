// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The design builder: from the parsed statement to the design, its windows placed, its links
// drawn, its lists filled and its totals chosen. Names are looked up in sqldesignnames.cpp.

#include "sqldesignbuilder_p.h"

#include "designwords.h"
#include "querydocument.h"
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
        fail(offset, tr("a value longer than %1 characters").arg(TProfileFile::MaxValueLength));
    return text;
}

void DesignBuilder::checkFlattenable(const BoolNode &node) const
{
    for (const BoolNode &kid : node.kids) {
        if (node.kind == BoolNode::And && kid.kind == BoolNode::Or)
            fail(kid.parenPos >= 0 ? kid.parenPos : kid.pos, tr("conditions grouped by parentheses"));
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

void DesignBuilder::groupedRows(const BoolNode &node, bool root, QList<Row> &rows)
{
    const qsizetype first = rows.size();
    if (node.kind == BoolNode::Pred) {
        rows << Row{node.pred, {}, {}, true, root && !node.negated};
    } else {
        for (int k = 0; k < node.kids.size(); ++k) {
            const BoolNode &kid = node.kids.at(k);
            const qsizetype at = rows.size();
            groupedRows(kid, false, rows);
            // The terms of the outermost AND may be links.
            rows[at].topLevel = root && node.kind == BoolNode::And && !node.negated && kid.kind == BoolNode::Pred
                                && !kid.negated;
            if (k + 1 < node.kids.size())
                rows.last().andAfter = node.kind == BoolNode::And;
        }
        if (node.negated || (node.parenPos >= 0 && !root)) {
            rows[first].open.prepend(u'(');
            rows.last().close += u')';
        }
    }
    if (node.negated)
        rows[first].open.prepend(QStringLiteral("NOT "));
}

QueryDefinition DesignBuilder::design(const Statement &st)
{
    m_st = &st;
    resolveTables(st);
    // The columns JOIN ... USING names: a bare one is the first table's.
    for (int j = 0; j < st.joins.size(); ++j) {
        for (const NamePart &column : st.joins.at(j).usingColumns) {
            for (int k = 0; k <= j; ++k) {
                if (fieldIndex(m_tables.at(k), column) >= 0) {
                    m_usingFields.insert(column.text.toCaseFolded(), k);
                    break;
                }
            }
        }
    }
    QueryDefinition def;
    def.type = int(st.type);
    def.distinct = st.distinct;
    def.limit = st.limit;
    def.offset = st.offset;
    def.with = bounded(m_with, 0);

    Ticks ticks;
    Totals totals;
    for (const Table &t : m_tables) {
        // INSERT, UPDATE and DELETE tables come up as a double click places them.
        ticks << QList<bool>(t.fields.size(), st.type != QueryType::Select);
        totals << QList<TotalKind>(t.fields.size(), TotalKind::None);
    }
    bool anyTotal = !st.groupBy.isEmpty();
    QHash<QString, Expr> columnAliases;
    // The ticks give the column list where they give it as the statement has it; else the
    // design keeps the statement's columns.
    bool own = st.type == QueryType::Select && !classicColumns(st);
    if (st.type == QueryType::Select && !own) {
        const Ticks noTicks = ticks;
        const Totals noTotals = totals;
        try {
            selectColumns(st, ticks, totals, anyTotal, columnAliases);
            if (anyTotal)
                checkGroups(st, ticks, totals);
        } catch (const VdqError &) {
            own = true;
            ticks = noTicks;
            totals = noTotals;
            columnAliases.clear();
        }
    }
    if (own) {
        anyTotal = false;
        ownColumns(st, ticks, def);
    }

    joinConditions(st, def);
    if (st.where)
        whereConditions(st, def);
    if (st.having)
        havingConditions(st, def);

    for (const SortItem &item : st.orderBy)
        def.sorting.rows << QStringList{bounded(own ? ownSortField(st, item.expr, def)
                                                    : sortField(st, item.expr, columnAliases),
                                                item.expr.pos),
                                        SortWord(item.ascending)};
    // Grouping cells only where a row is grouped: an ungrouped design has the classic list.
    def.conditions.columnCount = HasGroupedRows(def.conditions.rows) ? DesignState::GroupedConditionColumns
                                                                     : DesignState::ConditionColumns;
    for (QStringList &row : def.conditions.rows)
        row.resize(def.conditions.columnCount);

    if (st.type == QueryType::Insert)
        insertValues(st, def);
    if (st.type == QueryType::Update)
        updateValues(st, def);

    placeTables(def, ticks, totals, anyTotal);
    return def;
}

// The rows and links of the JOIN ... ON and USING conditions.
void DesignBuilder::joinConditions(const Statement &st, QueryDefinition &def) const
{
    StoredList &conditions = def.conditions;
    for (int j = 0; j < st.joins.size(); ++j) {
        const Join &join = st.joins.at(j);
        if (!join.usingColumns.isEmpty()) {
            usingConditions(st, j, def);
        }
        if (!join.on)
            continue;
        const Flat f = flat(*join.on);
        for (const auto &op : f.ops) {
            if (!op.first)
                fail(op.second, tr("a join condition that is not an equality of two fields"));
        }
        for (int idx : f.preds) {
            const Predicate &p = st.preds.at(idx);
            if (p.writtenOperator != u"=" || p.left.kind != Expr::Field || !p.rightIsField)
                fail(p.pos, tr("a join condition that is not an equality of two fields"));
            const FieldAt a = resolveField(p.left.ref, p.left.refPos);
            const Expr rightField = m_st->fieldOf(p.value);
            const FieldAt b = resolveField(rightField.ref, rightField.refPos);
            if (a.table == b.table)
                fail(p.pos, tr("a join condition that is not an equality of two fields"));
            const int joined = j + 1;
            if (a.table != joined && b.table != joined)
                fail(p.pos, tr("a join condition that does not name the table it joins"));
            // LEFT keeps every row of the link's first table, RIGHT of its second.
            JoinType type = JoinType::Inner;
            if (join.kind == JoinKind::Left)
                type = a.table == joined ? JoinType::Right : JoinType::Left;
            else if (join.kind == JoinKind::Right)
                type = a.table == joined ? JoinType::Left : JoinType::Right;
            else if (join.kind == JoinKind::Full)
                type = JoinType::Full;
            const QString left = fieldNameText(p.left);
            const QString right = fieldNameText(rightField);
            conditions.rows << QStringList{left, NewRowComparison, right, AndWord};
            addLink(def, a.table, b.table, JoinText(left, right), type);
        }
    }
}

// JOIN ... USING (a, b): a link and a row for each column, from the first table before the
// join that has it.
void DesignBuilder::usingConditions(const Statement &st, int j, QueryDefinition &def) const
{
    const Join &join = st.joins.at(j);
    const int joined = j + 1;
    for (const NamePart &column : join.usingColumns) {
        const int f2 = fieldIndex(m_tables.at(joined), column);
        int k = 0;
        while (k < joined && fieldIndex(m_tables.at(k), column) < 0)
            ++k;
        if (f2 < 0 || k == joined)
            fail(join.pos, tr("the USING column %1, which the tables do not both have").arg(column.text.left(80)));
        const QString left = reference({k, fieldIndex(m_tables.at(k), column)});
        const QString right = reference({joined, f2});
        const JoinType type = join.kind == JoinKind::Left    ? JoinType::Left
                              : join.kind == JoinKind::Right ? JoinType::Right
                              : join.kind == JoinKind::Full  ? JoinType::Full
                                                             : JoinType::Inner;
        def.conditions.rows << QStringList{left, NewRowComparison, right, AndWord};
        addLink(def, k, joined, JoinText(left, right), type);
    }
}

// The rows of WHERE, with their grouping; an equality of fields of two tables that is a term
// of the outermost AND is a link as well.
void DesignBuilder::whereConditions(const Statement &st, QueryDefinition &def) const
{
    QList<Row> rows;
    groupedRows(*st.where, true, rows);
    // A link's condition holds for every row whatever the other rows say, so an equality
    // beside an OR stays a row of its own: as a link it would change the statement's rows.
    for (int k = 0; k < rows.size(); ++k) {
        const Row &row = rows.at(k);
        const Predicate &p = st.preds.at(row.pred);
        const bool onlyAnd = row.topLevel;
        if (p.left.kind == Expr::Aggregate || (p.left.kind == Expr::Other && IsAggregateField(render(p.left.pieces))))
            fail(p.pos, tr("a total in WHERE"));
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
        const QString &op = boolWord(k + 1 == rows.size() || row.andAfter);
        def.conditions.rows << QStringList{bounded(fieldName, p.pos), comparisonCaption(p.comparison, link),
                                           bounded(value, valuePos(p)), op, row.open, row.close};
        if (link)
            addLink(def, a.table, b.table, JoinText(fieldName, value), JoinType::Inner);
    }
}

void DesignBuilder::havingConditions(const Statement &st, QueryDefinition &def) const
{
    QList<Row> rows;
    groupedRows(*st.having, true, rows);
    for (int k = 0; k < rows.size(); ++k) {
        const Row &row = rows.at(k);
        const Predicate &p = st.preds.at(row.pred);
        const QString field = p.left.kind == Expr::Aggregate ? fieldNameText(p.left) : render(p.left.pieces);
        // The design tells HAVING's rows from WHERE's by the total they start with.
        if (!IsAggregateField(field))
            fail(p.pos, tr("a HAVING condition that does not start with a total"));
        const QString &op = boolWord(k + 1 == rows.size() || row.andAfter);
        def.conditions.rows << QStringList{bounded(field, p.pos), comparisonCaption(p.comparison, false),
                                           bounded(render(p.value), valuePos(p)), op, row.open, row.close};
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
        stored.alias = t.alias == TableAlias(t.caption) ? QString() : t.alias;
        stored.source = TableSourceName(t.source);
        stored.query = t.query;
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
    link.field1Alias = m_tables.at(a).alias == TableAlias(link.field1Table) ? QString() : m_tables.at(a).alias;
    link.field2Alias = m_tables.at(b).alias == TableAlias(link.field2Table) ? QString() : m_tables.at(b).alias;
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
        if (!a && t.name == link.field1Table && t.alias == link.field1Alias)
            a = &t;
        if (!b && t.name == link.field2Table && t.alias == link.field2Alias)
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
            fail(pos,
                 tr("the field %1 a second time in the column list").arg(m_tables.at(table).fields.at(field).left(80)));
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
                fail(e.pos,
                     tr("the unknown table or alias %1").arg(writtenName(e.ref, m_source.style.dialect).left(80)));
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

// True when a * stands among the first n columns, so that a column's number is not its item's.
static bool starUpTo(const Statement &st, int n)
{
    for (int k = 0; k < n && k < st.columns.size(); ++k) {
        if (st.columns.at(k).expr.kind == Expr::Star || st.columns.at(k).expr.kind == Expr::TableStar)
            return true;
    }
    return false;
}

// True when ticks give the column list as the statement writes it: fields, totals of fields
// written as the design writes them, and stars, in table and field order, each once, without
// names.
bool DesignBuilder::classicColumns(const Statement &st) const
{
    QPair<int, int> last(-1, -1);
    auto next = [&](int table, int field) {
        const QPair<int, int> at(table, field);
        if (!(last < at))
            return false;
        last = at;
        return true;
    };
    auto all = [&](int table) {
        for (int f = 0; f < m_tables.at(table).fields.size(); ++f) {
            if (!next(table, f))
                return false;
        }
        return true;
    };
    for (const SelectItem &item : st.columns) {
        const Expr &e = item.expr;
        if (item.alias || e.keptText)
            return false;
        switch (e.kind) {
        case Expr::Star:
            if (!m_usingFields.isEmpty())
                fail(e.pos, tr("a * over a join with USING"));
            for (int k = 0; k < m_tables.size(); ++k) {
                if (!all(k))
                    return false;
            }
            break;
        case Expr::TableStar: {
            const int k = tableOfQualifier(e.ref);
            if (k < 0 || !all(k))
                return false;
            break;
        }
        case Expr::Aggregate:
            // A total's column is named by its text on some engines: the design's text must be the statement's.
            if (fieldNameText(e) != st.written(e.pieces))
                return false;
            Q_FALLTHROUGH();
        case Expr::Field: {
            const FieldAt at = resolveField(e.ref, e.refPos);
            if (!next(at.table, at.field))
                return false;
            break;
        }
        case Expr::Other:
            return false;
        }
    }
    return true;
}

QString DesignBuilder::columnNameText(const NamePart &name) const
{
    // PostgreSQL folds a bare name to lower case; the others keep it as written.
    return m_source.style.dialect == SqlDialect::PostgreSQL && !name.quoted ? name.text.toLower() : name.text;
}

// The statement's columns in their order with their names, and GROUP BY's items: a column
// it names is grouped, any other item is a column that is not shown.
void DesignBuilder::ownColumns(const Statement &st, Ticks &ticks, QueryDefinition &def) const
{
    StoredList &columns = def.columns;
    columns.columnCount = 4;
    QStringList names;  // case-folded, per column
    for (const SelectItem &item : st.columns) {
        const Expr &e = item.expr;
        QString expression;
        switch (e.kind) {
        case Expr::Star:
            if (!m_usingFields.isEmpty())
                fail(e.pos, tr("a * over a join with USING"));
            expression = QStringLiteral("*");
            for (QList<bool> &t : ticks)
                t.fill(true);
            break;
        case Expr::TableStar: {
            const int k = tableOfQualifier(e.ref);
            if (k < 0)
                fail(e.pos,
                     tr("the unknown table or alias %1").arg(writtenName(e.ref, m_source.style.dialect).left(80)));
            expression = m_tables.at(k).alias + QStringLiteral(".*");
            ticks[k].fill(true);
            break;
        }
        case Expr::Field: {
            const FieldAt at = resolveField(e.ref, e.refPos);
            ticks[at.table][at.field] = true;
            expression = fieldNameText(e);
            break;
        }
        case Expr::Aggregate:  // as written: SQLite and MySQL name the column by its text
        case Expr::Other:
            expression = render(e.pieces);
            break;
        }
        const QString name = item.alias ? columnNameText(*item.alias) : QString();
        names << name.toCaseFolded();
        columns.rows << QStringList{bounded(expression, e.pos), bounded(name, item.aliasPos), YesNoWord(false),
                                    YesNoWord(true)};
    }
    const qsizetype shown = columns.rows.size();
    for (const Expr &e : st.groupBy) {
        qsizetype c = -1;
        int a = -1, b = -1;
        const bool bare = e.kind == Expr::Field && e.ref.size() == 1;
        if (bare && tablesWithField(e.ref.constFirst(), &a, &b) == 0)
            c = names.indexOf(columnNameText(e.ref.constFirst()).toCaseFolded());
        bool isNumber = false;
        const int n = e.pieces.size() == 1 && !e.pieces.constFirst().isRef() ? st.text(e.pieces.constFirst()).toInt(&isNumber) : 0;
        if (isNumber && n >= 1 && n <= shown) {
            if (starUpTo(st, n))
                fail(e.pos, tr("a column number after a *"));
            c = n - 1;
        }
        if (c >= 0) {
            columns.rows[c][2] = YesNoWord(true);
            continue;
        }
        if (isNumber || (bare && tablesWithField(e.ref.constFirst(), &a, &b) == 0))
            fail(e.pos, tr("a GROUP BY item that is neither a field nor a column"));
        const QString text = e.kind == Expr::Field ? fieldNameText(e) : render(e.pieces);
        for (qsizetype k = 0; k < columns.rows.size() && c < 0; ++k) {
            if (columns.rows.at(k).at(0) == text)
                c = k;
        }
        if (c >= 0)
            columns.rows[c][2] = YesNoWord(true);
        else
            columns.rows << QStringList{bounded(text, e.pos), QString(), YesNoWord(true), YesNoWord(false)};
    }
}

// A sort row's field in a design of its own columns: a column's name stays a name, a
// column's number is its name or its expression, anything else is written as the design
// writes it.
QString DesignBuilder::ownSortField(const Statement &st, const Expr &e, const QueryDefinition &def) const
{
    const QList<QStringList> &columns = def.columns.rows;
    auto columnText = [&](const QStringList &row) {
        return row.at(1).isEmpty() ? row.at(0) : BareOrQuotedName(row.at(1), m_source.style.dialect);
    };
    if (e.kind == Expr::Field && e.ref.size() == 1) {
        const QString name = columnNameText(e.ref.constFirst()).toCaseFolded();
        for (const QStringList &row : columns) {
            if (!row.at(1).isEmpty() && row.at(1).toCaseFolded() == name && IsYesWord(row.at(3)))
                return columnText(row);
        }
    }
    if (e.pieces.size() == 1 && !e.pieces.constFirst().isRef()) {
        bool ok = false;
        const int n = st.text(e.pieces.constFirst()).toInt(&ok);
        if (ok && n >= 1 && n <= st.columns.size()) {
            if (starUpTo(st, n))
                fail(e.pos, tr("a column number after a *"));
            return columnText(columns.at(n - 1));
        }
    }
    return e.kind == Expr::Field || e.kind == Expr::Aggregate ? fieldNameText(e) : render(e.pieces);
}

// With totals, every ticked field without a function is grouped, and nothing else is.
void DesignBuilder::checkGroups(const Statement &st, const Ticks &ticks, Totals &totals) const
{
    QSet<QPair<int, int>> grouped;
    for (const Expr &e : st.groupBy) {
        const FieldAt at = resolveField(e.ref, e.refPos);
        if (!ticks.at(at.table).at(at.field) || totals.at(at.table).at(at.field) != TotalKind::None)
            fail(e.pos, tr("a GROUP BY field that is not a plain field of the column list"));
        grouped.insert(qMakePair(at.table, at.field));
    }
    for (int k = 0; k < m_tables.size(); ++k) {
        for (int f = 0; f < m_tables.at(k).fields.size(); ++f) {
            if (!ticks.at(k).at(f) || totals.at(k).at(f) != TotalKind::None)
                continue;
            if (!grouped.contains(qMakePair(k, f)))
                fail(
                    columnPos(st, k, f),
                    tr("the field %1, which is neither grouped nor a total").arg(m_tables.at(k).fields.at(f).left(80)));
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
    fail(e.pos, tr("an ORDER BY item that is not a field or a total of a field"));
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
            fail(st.insertColumnPositions.at(c), tr("the unknown field %1").arg(st.insertColumns.at(c).text.left(80)));
        fields << f;
    }
    if (fields.size() != st.insertValues.size())
        fail(st.valuesPos, tr("a number of values other than the number of fields"));
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
            fail(a.pos,
                 tr("the unknown table or alias %1")
                     .arg(writtenName(a.target.mid(0, a.target.size() - 1), m_source.style.dialect).left(80)));
        const int f = fieldIndex(t, a.target.constLast());
        if (f < 0)
            fail(a.pos, tr("the unknown field %1").arg(a.target.constLast().text.left(80)));
        def.values.rows << QStringList{t.fields.at(f), bounded(render(a.value.pieces), a.value.pos)};
    }
}

} // namespace SqlDesign
