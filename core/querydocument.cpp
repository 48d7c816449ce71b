// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "querydocument.h"

#include "designfromdefinition.h"
#include "designwords.h"
#include "naming.h"
#include "selectforms.h"
#include "sqllexer.h"
#include "vdqerror.h"

#include <QHash>

#include <algorithm>

bool operator==(const DocumentLink &a, const DocumentLink &b)
{
    return a.id == b.id && a.from == b.from && a.to == b.to && a.hint == b.hint && a.overText == b.overText
           && a.joinType == b.joinType;
}

bool operator==(const DesignState &a, const DesignState &b)
{
    return QueryDocument::Difference(a, b) == QueryDocument::Changes() && a.nextId == b.nextId;
}

// --- The state --------------------------------------------------------------------------

qsizetype DesignState::tableIndex(int id) const
{
    for (qsizetype i = 0; i < tables.size(); ++i) {
        if (tables.at(i).id == id)
            return i;
    }
    return -1;
}

const DocumentTable *DesignState::table(int id) const
{
    const qsizetype i = tableIndex(id);
    return i < 0 ? nullptr : &tables.at(i);
}

DocumentTable *DesignState::table(int id)
{
    const qsizetype i = tableIndex(id);
    return i < 0 ? nullptr : &tables[i];
}

const DocumentTable *DesignState::findTable(const QString &caption, const QString &alias) const
{
    for (const DocumentTable &t : tables) {
        if (t.caption == caption && (alias.isEmpty() || t.alias == alias))
            return &t;
    }
    return nullptr;
}

DocumentTable &DesignState::addTable(const QString &caption, const QStringList &fields, bool ticked,
                                     const QRect &geometry, const QString &storedAlias)
{
    // Every table has an alias of its own, so that two tables whose names give the same
    // alias stay apart in the statement and in the lists.
    QStringList taken;
    taken.reserve(tables.size());
    for (const DocumentTable &t : std::as_const(tables))
        taken << t.alias;
    DocumentTable t;
    t.id = nextId++;
    t.caption = caption;
    t.alias = WindowAlias(caption, storedAlias, taken);
    t.fields = fields;
    t.ticks = QList<bool>(fields.size(), ticked);
    t.totals = QList<TotalKind>(fields.size(), TotalKind::None);
    t.geometry = geometry;
    tables << t;
    return tables.last();
}

DocumentLink &DesignState::addLink(int from, int to, const QString &hint)
{
    DocumentLink link;
    link.id = nextId++;
    link.from = from;
    link.to = to;
    link.hint = hint;
    links << link;
    return links.last();
}

DocumentLink &DesignState::addFieldLink(int from, int to, const QString &fromReference, const QString &toReference)
{
    conditions << QStringList{fromReference, QString(NewRowComparison), toReference, QString(AndWord)};
    return addLink(from, to, JoinText(fromReference, toReference));
}

void DesignState::removeTable(int id)
{
    const qsizetype index = tableIndex(id);
    if (index < 0)
        return;
    const QString alias = tables.at(index).alias;
    tables.removeAt(index);
    links.removeIf([id](const DocumentLink &l) { return l.from == id || l.to == id; });
    // The Values rows belong to the design's one table; the other lists lose what names it.
    values.clear();
    conditions.removeIf([&alias](const QStringList &row) {
        return RefersToAlias(alias, row.value(0)) || RefersToAlias(alias, row.value(2));
    });
    sorting.removeIf([&alias](const QStringList &row) { return RefersToAlias(alias, row.value(0)); });
    columns.removeIf([&alias](const QStringList &row) { return RefersToAlias(alias, row.value(0)); });
}

LinkPlace PlaceLink(const QRect &a, const QRect &b, JoinType type)
{
    constexpr int minimumExtent = 2;  // a straight line still has a pixel to be hovered
    constexpr int markedExtent = 14;  // room for an outer join's end marks
    const QRect &l = a.left() < b.left() ? a : b;
    const QRect &r = a.left() < b.left() ? b : a;
    LinkPlace place;
    place.direction = r.top() < l.top()   ? LinkSlope::Rising
                      : r.top() > l.top() ? LinkSlope::Falling
                                          : LinkSlope::Horizontal;
    const int x1 = l.left() + l.width();
    const int x2 = r.left();
    if (x1 == x2)
        place.direction = LinkSlope::Vertical;
    const int least = type == JoinType::Inner ? minimumExtent : markedExtent;
    place.bounds = QRect(x1, qMin(l.top(), r.top()) + 20, qMax(qAbs(x2 - x1), least), qMax(qAbs(l.top() - r.top()), least));
    return place;
}

namespace {

// The text with each reference "old." (a bare name, not behind another ".") made "alias.".
QString renamedReferences(const QString &text, const QString &old, const QString &alias, const SqlLexOptions &options)
{
    QList<SqlToken> tokens;
    TokenizeSqlLine(text, LexNormal, options, &tokens);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const SqlToken &t = tokens.at(i);
        const QStringView piece = QStringView(text).mid(t.start, t.length);
        const auto symbolAt = [&](qsizetype k, QChar c) {
            return k >= 0 && k < tokens.size() && tokens.at(k).kind == SqlTokenKind::Symbol && text.at(tokens.at(k).start) == c;
        };
        const bool reference = t.kind == SqlTokenKind::Word && piece == old && symbolAt(i + 1, u'.') && !symbolAt(i - 1, u'.');
        out += reference ? QStringView(alias) : piece;
    }
    return out;
}

} // namespace

QString DesignState::renameAlias(int id, const QString &alias, const IdentifierStyle &style)
{
    DocumentTable *t = table(id);
    if (!t || t->alias == alias)
        return QString();
    if (!IsPlainAlias(alias))
        return QObject::tr("%1 cannot be an alias: use letters, digits and \"_\", not a leading digit or a reserved "
                           "word").arg(alias);
    for (const DocumentTable &other : std::as_const(tables)) {
        if (other.id != id && other.alias.compare(alias, Qt::CaseInsensitive) == 0)
            return QObject::tr("The alias %1 is taken by the table %2").arg(alias, other.caption);
    }
    const QString old = t->alias;
    t->alias = alias;
    const SqlLexOptions options(style);
    for (DocumentLink &l : links)
        l.hint = renamedReferences(l.hint, old, alias, options);
    for (QStringList &row : conditions) {
        for (qsizetype c = 0; c < row.size() && c < 3; c += 2)
            row[c] = renamedReferences(row.at(c), old, alias, options);
    }
    for (QList<QStringList> *list : {&sorting, &columns}) {
        for (QStringList &row : *list) {
            if (!row.isEmpty())
                row[0] = renamedReferences(row.at(0), old, alias, options);
        }
    }
    return QString();
}

namespace {

// True when a column's expression is the field alone, however the statement quoted it.
bool isFieldColumn(const QString &expression, const QString &alias, const QString &field, const IdentifierStyle &style)
{
    if (!expression.startsWith(alias + u'.'))
        return false;
    const QStringView name = QStringView(expression).mid(alias.size() + 1);
    return name == QuoteIdentifier(field, style) || name.compare(field, Qt::CaseInsensitive) == 0
           || name == QuotedName(field, u'"') || name == QuotedName(field, IdentifierQuote(style.dialect));
}

} // namespace

void DesignState::tickField(int id, int field, bool ticked, const IdentifierStyle &style)
{
    DocumentTable *t = table(id);
    if (!t || field < 0 || field >= t->ticks.size() || t->ticks.at(field) == ticked)
        return;
    t->ticks[field] = ticked;
    if (columns.isEmpty())
        return;
    if (ticked) {
        columns << OutputColumnRow(OutputColumn{AliasFieldReference(t->alias, t->fields.at(field), style), QString(),
                                                false, true});
    } else {
        columns.removeIf([&](const QStringList &row) {
            return isFieldColumn(row.value(0), t->alias, t->fields.at(field), style);
        });
        // A star over the field's table becomes the fields that stay ticked.
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QString expression = columns.at(c).value(0);
            if (expression != QLatin1String("*") && expression != t->alias + QStringLiteral(".*"))
                continue;
            QList<QStringList> fields;
            for (const DocumentTable &other : std::as_const(tables)) {
                if (expression != QLatin1String("*") && other.id != id)
                    continue;
                for (qsizetype f = 0; f < other.fields.size(); ++f) {
                    if (other.ticks.value(f))
                        fields << OutputColumnRow(OutputColumn{AliasFieldReference(other.alias, other.fields.at(f), style),
                                                               QString(), false, true});
                }
            }
            columns.removeAt(c);
            for (qsizetype k = 0; k < fields.size(); ++k)
                columns.insert(c + k, fields.at(k));
            break;
        }
    }
}

void DesignState::tickColumnFields(const IdentifierStyle &style)
{
    if (columns.isEmpty())
        return;
    QStringList expressions;
    for (const QStringList &row : std::as_const(columns))
        expressions << row.value(0);
    const bool all = expressions.contains(QStringLiteral("*"));
    for (DocumentTable &t : tables) {
        const bool star = all || expressions.contains(t.alias + QStringLiteral(".*"));
        for (qsizetype f = 0; f < t.fields.size() && f < t.ticks.size(); ++f) {
            t.ticks[f] = star || std::any_of(expressions.cbegin(), expressions.cend(), [&](const QString &e) {
                             return isFieldColumn(e, t.alias, t.fields.at(f), style);
                         });
        }
    }
}

QList<QStringList> DesignState::columnsFromTicks(const IdentifierStyle &style) const
{
    QList<QStringList> rows;
    for (const DocumentTable &t : tables) {
        for (qsizetype f = 0; f < t.fields.size(); ++f) {
            if (!t.ticks.value(f))
                continue;
            const QString reference = AliasFieldReference(t.alias, t.fields.at(f), style);
            const TotalKind kind = totals ? t.totals.value(f, TotalKind::None) : TotalKind::None;
            const bool grouped = totals && (kind == TotalKind::None || kind == TotalKind::Group);
            rows << OutputColumnRow(OutputColumn{TotalExpression(kind, reference), QString(), grouped, true});
        }
    }
    return rows;
}

void DesignState::Renumber(int first)
{
    QHash<int, int> ids;
    int next = first;
    for (DocumentTable &t : tables) {
        ids.insert(t.id, next);
        t.id = next++;
    }
    for (DocumentLink &l : links) {
        l.id = next++;
        l.from = ids.value(l.from);
        l.to = ids.value(l.to);
    }
    nextId = next;
}

// --- Conversions ------------------------------------------------------------------------

namespace {

// The alias a file keeps for a table: only one that is not the classic alias of its name,
// so that a classic design gives the classic file.
QString storedAlias(const DocumentTable &t)
{
    return t.alias == TableAlias(t.caption) ? QString() : t.alias;
}

QList<QStringList> listRows(const QList<QStringList> &cells, int columns)
{
    QList<QStringList> rows;
    rows.reserve(cells.size());
    for (const QStringList &r : cells)
        rows << ListRow(r, columns);
    return rows;
}

// A ticked field without a function of its own is grouped.
TotalKind fieldTotal(const DocumentTable &t, qsizetype i)
{
    if (!t.ticks.value(i))
        return TotalKind::None;
    const TotalKind kind = t.totals.value(i, TotalKind::None);
    return kind == TotalKind::None ? TotalKind::Group : kind;
}

QList<TotalKind> shownTotals(const DocumentTable &t, bool totals)
{
    if (!totals)
        return {};
    QList<TotalKind> shown;
    shown.reserve(t.fields.size());
    for (qsizetype i = 0; i < t.fields.size(); ++i)
        shown << fieldTotal(t, i);
    return shown;
}

} // namespace

QueryDesign DesignOf(const DesignState &state, const IdentifierStyle &style)
{
    QueryDesign design;
    design.queryType = state.queryType;
    design.tables.reserve(state.tables.size());
    for (const DocumentTable &t : state.tables)
        design.tables << DesignTable{t.caption, t.fields, t.ticks, shownTotals(t, state.totals), t.alias, t.source, t.query};
    for (const DocumentLink &l : state.links) {
        const DocumentTable *from = state.table(l.from);
        const DocumentTable *to = state.table(l.to);
        if (from && to)
            design.links << DesignLink{from->caption, to->caption, l.hint, l.joinType, from->alias, to->alias};
    }
    design.conditions = ConditionRowsOf(StoredList{DesignState::ConditionColumns, state.conditions});
    design.values = ValueRowsOf(StoredList{DesignState::ValueColumns, state.values});
    design.sorting = SortRowsOf(StoredList{DesignState::SortColumns, state.sorting});
    design.columns.reserve(state.columns.size());
    for (const QStringList &row : state.columns)
        design.columns << OutputColumnOf(row);
    design.with = state.with;
    design.distinct = state.distinct;
    design.limit = state.limit;
    design.offset = state.offset;
    design.style = style;
    return design;
}

QueryDefinition DefinitionOf(const DesignState &state)
{
    QueryDefinition def;
    def.sessionName = state.sessionName;
    def.database = state.database;
    def.type = int(state.queryType);
    def.distinct = state.distinct;
    def.limit = state.limit;
    def.offset = state.offset;
    def.with = state.with;
    for (const DocumentTable &t : state.tables) {
        StoredTable stored;
        stored.name = t.caption;
        stored.alias = storedAlias(t);
        stored.source = TableSourceName(t.source);
        stored.query = t.query;
        for (qsizetype i = 0; i < t.fields.size(); ++i)
            stored.items << qMakePair(t.fields.at(i), t.ticks.value(i));
        // With totals on, every ticked field says its total, so the file says totals are on.
        if (state.totals) {
            for (qsizetype i = 0; i < t.fields.size(); ++i)
                stored.totals << (t.ticks.value(i) ? TotalKindName(fieldTotal(t, i)) : QString());
        }
        stored.itemCount = int(t.fields.size());
        stored.left = t.geometry.x();
        stored.top = t.geometry.y();
        stored.width = t.geometry.width();
        stored.height = t.geometry.height();
        def.tables << stored;
    }
    for (const DocumentLink &l : state.links) {
        const DocumentTable *from = state.table(l.from);
        const DocumentTable *to = state.table(l.to);
        if (!from || !to)
            continue;
        // A link's place follows from its two windows; the file keeps a record of it.
        const QRect bounds = PlaceLink(from->geometry, to->geometry, l.joinType).bounds;
        def.links << StoredLink{from->caption, to->caption, l.hint, l.overText,
                                l.joinType == JoinType::Inner ? QString() : JoinTypeName(l.joinType),
                                bounds.x(), bounds.y(), bounds.width(), bounds.height(),
                                storedAlias(*from), storedAlias(*to)};
    }
    def.values = StoredList{DesignState::ValueColumns, state.values};
    // Grouping cells only where a row is grouped, so that an ungrouped design gives the classic list.
    const int conditionColumns = HasGroupedRows(state.conditions) ? DesignState::GroupedConditionColumns : DesignState::ConditionColumns;
    def.conditions = StoredList{conditionColumns, listRows(state.conditions, conditionColumns)};
    def.sorting = StoredList{DesignState::SortColumns, state.sorting};
    def.columns = StoredList{DesignState::OutputColumns, state.columns};
    return def;
}

QString TableSourceName(TableSource source)
{
    switch (source) {
    case TableSource::Derived:
        return QStringLiteral("Derived");
    case TableSource::With:
        return QStringLiteral("With");
    case TableSource::Table:
        break;
    }
    return QString();
}

TableSource TableSourceFromName(const QString &name)
{
    if (name.compare(QLatin1String("Derived"), Qt::CaseInsensitive) == 0)
        return TableSource::Derived;
    if (name.compare(QLatin1String("With"), Qt::CaseInsensitive) == 0)
        return TableSource::With;
    return TableSource::Table;
}

bool HasGroupedRows(const QList<QStringList> &conditions)
{
    return std::any_of(conditions.cbegin(), conditions.cend(),
                       [](const QStringList &row) { return !row.value(4).isEmpty() || !row.value(5).isEmpty(); });
}

OutputColumn OutputColumnOf(const QStringList &row)
{
    return OutputColumn{row.value(0), row.value(1), IsYesWord(row.value(2)), !IsNoWord(row.value(3))};
}

QStringList OutputColumnRow(const OutputColumn &column)
{
    return {column.expression, column.name, YesNoWord(column.grouped), YesNoWord(column.shown)};
}

QStringList ListRow(const QStringList &cells, int columns)
{
    QStringList row = cells.mid(0, columns);
    while (row.size() < columns)
        row << QString();
    return row;
}


DesignState StateFromDefinition(const QueryDefinition &definition,
                                const std::function<QStringList(const QString &)> &tableFields, QString *error)
{
    DesignState state;
    state.sessionName = definition.sessionName;
    state.database = definition.database;
    if (const std::optional<QueryType> type = QueryTypeFromTag(definition.type))
        state.queryType = *type;
    for (const StoredTable &t : definition.tables)
        state.totals = state.totals || std::any_of(t.totals.cbegin(), t.totals.cend(),
                                                   [](const QString &k) { return !k.isEmpty(); });
    state.distinct = definition.distinct;
    state.limit = qMax(0, definition.limit);
    state.offset = qMax(0, definition.offset);
    state.with = definition.with;
    for (const StoredTable &stored : definition.tables) {
        QStringList fields;
        QString failure;
        const TableSource source = TableSourceFromName(stored.source);
        if (source != TableSource::Table) {
            // A query's columns are the ones it had when it was read.
            for (const auto &item : stored.items)
                fields << item.first;
        } else {
            try {
                fields = tableFields(stored.name);
            } catch (const VdqError &e) {
                failure = e.message();
            }
        }
        DocumentTable &t = state.addTable(stored.name, fields, false,
                                          QRect(stored.left, stored.top, stored.width, stored.height), stored.alias);
        t.source = source;
        t.query = source == TableSource::Derived ? stored.query : QString();
        if (!failure.isEmpty()) {
            // The table stays, without rows, and nothing after it is read.
            if (!error)
                throw VdqError(failure);
            *error = failure;
            return state;
        }
        t.ticks = ApplyStoredTicks(t.fields, stored.items);
        const QList<TotalKind> totals = ApplyStoredTotals(t.fields, StoredTotals(stored));
        for (qsizetype i = 0; i < totals.size() && i < t.totals.size(); ++i)
            t.totals[i] = totals.at(i);
    }
    for (const StoredLink &l : definition.links) {
        const DocumentTable *from = state.findTable(l.field1Table, l.field1Alias);
        const DocumentTable *to = state.findTable(l.field2Table, l.field2Alias);
        // A link needs both its tables; one whose table is not in the design is dropped.
        if (!from || !to)
            continue;
        DocumentLink &link = state.addLink(from->id, to->id, l.hint);
        link.overText = l.overText;
        link.joinType = JoinTypeFromName(l.joinType);
    }
    state.values = listRows(definition.values.rows, DesignState::ValueColumns);
    state.conditions = listRows(definition.conditions.rows, definition.conditions.columnCount
                                                                 >= DesignState::GroupedConditionColumns
                                                             ? DesignState::GroupedConditionColumns
                                                             : DesignState::ConditionColumns);
    state.sorting = listRows(definition.sorting.rows, DesignState::SortColumns);
    state.columns = listRows(definition.columns.rows, DesignState::OutputColumns);
    return state;
}

// --- The document -----------------------------------------------------------------------

QueryDocument::QueryDocument(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("QueryDocument"));
}

QueryDocument::Changes QueryDocument::Difference(const DesignState &a, const DesignState &b)
{
    Changes what;
    if (a.tables.size() != b.tables.size()) {
        what |= Tables | Geometry;
    } else {
        for (qsizetype i = 0; i < a.tables.size(); ++i) {
            const DocumentTable &x = a.tables.at(i);
            const DocumentTable &y = b.tables.at(i);
            if (x.id != y.id || x.caption != y.caption || x.alias != y.alias || x.fields != y.fields
                || x.ticks != y.ticks || x.totals != y.totals || x.source != y.source || x.query != y.query)
                what |= Tables;
            if (x.geometry != y.geometry)
                what |= Geometry;
        }
    }
    if (a.links != b.links)
        what |= Links;
    if (a.values != b.values)
        what |= Values;
    if (a.conditions != b.conditions)
        what |= Conditions;
    if (a.sorting != b.sorting)
        what |= Sorting;
    if (a.queryType != b.queryType)
        what |= Type;
    if (a.columns != b.columns || a.with != b.with)
        what |= Columns;
    if (a.totals != b.totals || a.distinct != b.distinct || a.limit != b.limit || a.offset != b.offset)
        what |= Options;
    if (a.sessionName != b.sessionName || a.database != b.database)
        what |= Database;
    return what;
}

void QueryDocument::setState(const DesignState &state)
{
    const Changes what = Difference(m_state, state);
    m_state = state;
    if (what)
        emit changed(what);
}

void QueryDocument::setStyle(const IdentifierStyle &style)
{
    if (style.quoteIdentifiers == m_style.quoteIdentifiers && style.dialect == m_style.dialect
        && style.backslashEscapes == m_style.backslashEscapes)
        return;
    m_style = style;
    emit changed(Style);
}
