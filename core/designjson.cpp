// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designjson.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <algorithm>
#include <optional>

namespace {

// Bounds on data from outside: far above any design a window can show.
constexpr int MaxTables = 1000;
constexpr int MaxFields = 4096;
constexpr int MaxRows = 10000;
constexpr int MaxText = 1 << 20;

template <typename Enum, std::size_t N>
QString wordOf(const std::pair<Enum, const char *> (&words)[N], Enum value)
{
    for (const auto &[e, word] : words) {
        if (e == value)
            return QLatin1String(word);
    }
    return QLatin1String(words[0].second);
}

template <typename Enum, std::size_t N>
std::optional<Enum> valueOf(const std::pair<Enum, const char *> (&words)[N], const QString &word)
{
    for (const auto &[e, w] : words) {
        if (word == QLatin1String(w))
            return e;
    }
    return std::nullopt;
}

const std::pair<QueryType, const char *> queryTypes[] = {
    {QueryType::Select, "select"}, {QueryType::Insert, "insert"}, {QueryType::Update, "update"}, {QueryType::Delete, "delete"}};
const std::pair<JoinType, const char *> joinTypes[] = {
    {JoinType::Inner, "inner"}, {JoinType::Left, "left"}, {JoinType::Right, "right"}, {JoinType::Full, "full"}};
const std::pair<TotalKind, const char *> totalKinds[] = {
    {TotalKind::None, "none"}, {TotalKind::Group, "group"}, {TotalKind::Count, "count"}, {TotalKind::Sum, "sum"},
    {TotalKind::Avg, "avg"},   {TotalKind::Min, "min"},     {TotalKind::Max, "max"}};
const std::pair<TableSource, const char *> tableSources[] = {
    {TableSource::Table, "table"}, {TableSource::Derived, "derived"}, {TableSource::With, "with"}};

QJsonArray rowsToJson(const QList<QStringList> &rows)
{
    QJsonArray array;
    for (const QStringList &row : rows)
        array.append(QJsonArray::fromStringList(row));
    return array;
}

// Reads the JSON and says what is wrong with it; every failure names the member.
class Reader
{
public:
    QString error;

    bool fail(const QString &what)
    {
        if (error.isEmpty())
            error = QCoreApplication::translate("DesignData", "The design data is not valid: %1").arg(what);
        return false;
    }

    bool text(const QJsonValue &value, QString &out, const QString &what)
    {
        if (value.isUndefined() || value.isNull()) {
            out.clear();
            return true;
        }
        if (!value.isString() || value.toString().size() > MaxText)
            return fail(what);
        out = value.toString();
        return true;
    }

    bool number(const QJsonValue &value, int &out, int low, int high, const QString &what)
    {
        if (value.isUndefined()) {
            out = std::max(low, 0);
            return true;
        }
        const double n = value.toDouble(-1e18);
        if (!value.isDouble() || n != double(qint64(n)) || n < low || n > high)
            return fail(what);
        out = int(n);
        return true;
    }

    bool rows(const QJsonValue &value, QList<QStringList> &out, int minColumns, int maxColumns, const QString &what)
    {
        out.clear();
        if (value.isUndefined())
            return true;
        const QJsonArray array = value.toArray();
        if (!value.isArray() || array.size() > MaxRows)
            return fail(what);
        for (const QJsonValue &row : array) {
            const QJsonArray cells = row.toArray();
            if (!row.isArray() || cells.size() < minColumns || cells.size() > maxColumns)
                return fail(what);
            QStringList line;
            for (const QJsonValue &cell : cells) {
                QString t;
                if (!cell.isString() || !text(cell, t, what))
                    return fail(what);
                line.append(t);
            }
            out.append(line);
        }
        return true;
    }

    template <typename Enum, std::size_t N>
    bool word(const QJsonValue &value, const std::pair<Enum, const char *> (&words)[N], Enum &out, const QString &what)
    {
        if (value.isUndefined()) {
            out = words[0].first;
            return true;
        }
        const std::optional<Enum> e = valueOf(words, value.toString());
        if (!e)
            return fail(what);
        out = *e;
        return true;
    }

    bool table(const QJsonObject &t, DocumentTable &table, int index)
    {
        const QString where = QStringLiteral("tables[%1]").arg(index);
        if (!number(t.value(QLatin1String("id")), table.id, 1, 1 << 30, where + QLatin1String(".id"))
            || !text(t.value(QLatin1String("name")), table.caption, where + QLatin1String(".name"))
            || !text(t.value(QLatin1String("alias")), table.alias, where + QLatin1String(".alias"))
            || !word(t.value(QLatin1String("source")), tableSources, table.source, where + QLatin1String(".source"))
            || !text(t.value(QLatin1String("query")), table.query, where + QLatin1String(".query")))
            return false;
        if (table.caption.isEmpty())
            return fail(where + QLatin1String(".name"));
        if (table.alias.isEmpty())
            table.alias = table.caption;
        const QJsonArray fields = t.value(QLatin1String("fields")).toArray();
        if (fields.size() > MaxFields)
            return fail(where + QLatin1String(".fields"));
        for (const QJsonValue &f : fields) {
            const QJsonObject field = f.toObject();
            QString name;
            TotalKind total = TotalKind::None;
            if (!f.isObject() || !text(field.value(QLatin1String("name")), name, where + QLatin1String(".fields"))
                || name.isEmpty()
                || !word(field.value(QLatin1String("total")), totalKinds, total, where + QLatin1String(".fields")))
                return fail(where + QLatin1String(".fields"));
            table.fields.append(name);
            table.ticks.append(field.value(QLatin1String("ticked")).toBool());
            table.totals.append(total);
        }
        int x = 0, y = 0, w = 0, h = 0;
        if (!number(t.value(QLatin1String("left")), x, -100000, 100000, where + QLatin1String(".left"))
            || !number(t.value(QLatin1String("top")), y, -100000, 100000, where + QLatin1String(".top"))
            || !number(t.value(QLatin1String("width")), w, 0, 100000, where + QLatin1String(".width"))
            || !number(t.value(QLatin1String("height")), h, 0, 100000, where + QLatin1String(".height")))
            return false;
        table.geometry = QRect(x, y, w, h);
        return true;
    }
};

} // namespace

QJsonObject DesignToJson(const DesignState &design)
{
    QJsonArray tables;
    for (const DocumentTable &t : design.tables) {
        QJsonArray fields;
        for (qsizetype i = 0; i < t.fields.size(); ++i) {
            fields.append(QJsonObject{{QStringLiteral("name"), t.fields[i]},
                                      {QStringLiteral("ticked"), t.ticks.value(i)},
                                      {QStringLiteral("total"), wordOf(totalKinds, t.totals.value(i))}});
        }
        QJsonObject table{{QStringLiteral("id"), t.id},
                          {QStringLiteral("name"), t.caption},
                          {QStringLiteral("alias"), t.alias},
                          {QStringLiteral("fields"), fields},
                          {QStringLiteral("left"), t.geometry.x()},
                          {QStringLiteral("top"), t.geometry.y()},
                          {QStringLiteral("width"), t.geometry.width()},
                          {QStringLiteral("height"), t.geometry.height()}};
        if (t.source != TableSource::Table) {
            table.insert(QStringLiteral("source"), wordOf(tableSources, t.source));
            table.insert(QStringLiteral("query"), t.query);
        }
        tables.append(table);
    }
    QJsonArray links;
    for (const DocumentLink &l : design.links) {
        links.append(QJsonObject{{QStringLiteral("id"), l.id},
                                 {QStringLiteral("from"), l.from},
                                 {QStringLiteral("to"), l.to},
                                 {QStringLiteral("join"), l.hint},
                                 {QStringLiteral("over"), l.overText},
                                 {QStringLiteral("type"), wordOf(joinTypes, l.joinType)}});
    }
    return QJsonObject{{QStringLiteral("session"), design.sessionName},
                       {QStringLiteral("database"), design.database},
                       {QStringLiteral("queryType"), wordOf(queryTypes, design.queryType)},
                       {QStringLiteral("tables"), tables},
                       {QStringLiteral("links"), links},
                       {QStringLiteral("values"), rowsToJson(design.values)},
                       {QStringLiteral("conditions"), rowsToJson(design.conditions)},
                       {QStringLiteral("sorting"), rowsToJson(design.sorting)},
                       {QStringLiteral("columns"), rowsToJson(design.columns)},
                       {QStringLiteral("with"), design.with},
                       {QStringLiteral("totals"), design.totals},
                       {QStringLiteral("distinct"), design.distinct},
                       {QStringLiteral("limit"), design.limit},
                       {QStringLiteral("offset"), design.offset},
                       {QStringLiteral("nextId"), design.nextId}};
}

bool DesignFromJson(const QJsonObject &data, DesignState &design, QString *error)
{
    Reader r;
    DesignState d;
    const QJsonArray tables = data.value(QLatin1String("tables")).toArray();
    const QJsonArray links = data.value(QLatin1String("links")).toArray();
    bool ok = r.text(data.value(QLatin1String("session")), d.sessionName, QStringLiteral("session"))
              && r.text(data.value(QLatin1String("database")), d.database, QStringLiteral("database"))
              && r.word(data.value(QLatin1String("queryType")), queryTypes, d.queryType, QStringLiteral("queryType"))
              && r.rows(data.value(QLatin1String("values")), d.values, 1, DesignState::ValueColumns, QStringLiteral("values"))
              && r.rows(data.value(QLatin1String("conditions")), d.conditions, 1, DesignState::GroupedConditionColumns,
                        QStringLiteral("conditions"))
              && r.rows(data.value(QLatin1String("sorting")), d.sorting, 1, DesignState::SortColumns, QStringLiteral("sorting"))
              && r.rows(data.value(QLatin1String("columns")), d.columns, 1, DesignState::OutputColumns, QStringLiteral("columns"))
              && r.text(data.value(QLatin1String("with")), d.with, QStringLiteral("with"))
              && r.number(data.value(QLatin1String("limit")), d.limit, 0, 1 << 30, QStringLiteral("limit"))
              && r.number(data.value(QLatin1String("offset")), d.offset, 0, 1 << 30, QStringLiteral("offset"));
    if (ok && (tables.size() > MaxTables || links.size() > MaxTables * 4))
        ok = r.fail(QStringLiteral("tables"));
    d.totals = data.value(QLatin1String("totals")).toBool();
    d.distinct = data.value(QLatin1String("distinct")).toBool();
    int nextId = 1;
    for (qsizetype i = 0; ok && i < tables.size(); ++i) {
        DocumentTable t;
        ok = r.table(tables[i].toObject(), t, int(i));
        const auto sameAlias = [&t](const DocumentTable &o) { return o.alias.compare(t.alias, Qt::CaseInsensitive) == 0; };
        if (ok && (d.table(t.id) || std::any_of(d.tables.cbegin(), d.tables.cend(), sameAlias)))
            ok = r.fail(QStringLiteral("tables[%1]").arg(i));
        nextId = std::max(nextId, t.id + 1);
        d.tables.append(t);
    }
    for (qsizetype i = 0; ok && i < links.size(); ++i) {
        const QJsonObject l = links[i].toObject();
        const QString where = QStringLiteral("links[%1]").arg(i);
        DocumentLink link;
        ok = r.number(l.value(QLatin1String("id")), link.id, 1, 1 << 30, where)
             && r.number(l.value(QLatin1String("from")), link.from, 1, 1 << 30, where)
             && r.number(l.value(QLatin1String("to")), link.to, 1, 1 << 30, where)
             && r.text(l.value(QLatin1String("join")), link.hint, where)
             && r.text(l.value(QLatin1String("over")), link.overText, where)
             && r.word(l.value(QLatin1String("type")), joinTypes, link.joinType, where);
        if (ok && (!d.table(link.from) || !d.table(link.to) || link.from == link.to || d.table(link.id)
                   || std::any_of(d.links.cbegin(), d.links.cend(), [&](const DocumentLink &o) { return o.id == link.id; })))
            ok = r.fail(where);
        nextId = std::max(nextId, link.id + 1);
        d.links.append(link);
    }
    if (!ok) {
        if (error)
            *error = r.error;
        return false;
    }
    int givenNext = 0;
    if (!r.number(data.value(QLatin1String("nextId")), givenNext, 0, 1 << 30, QStringLiteral("nextId"))) {
        if (error)
            *error = r.error;
        return false;
    }
    d.nextId = std::max(nextId, givenNext);
    design = d;
    return true;
}
