// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The design builder's tables and fields: the tables a statement names, looked up in the
// database, and the fields its names stand for, written as the design writes them.

#include "sqldesignbuilder_p.h"

#include "naming.h"

#include <QSet>

#include <limits>

namespace SqlDesign {

namespace {

constexpr int None = std::numeric_limits<int>::max();
// Tables with more fields than this look their fields up in a hash of their own.
constexpr int FieldsScanned = 16;

void insertFirst(QHash<QString, int> &hash, const QString &key, int k)
{
    if (!hash.contains(key))
        hash.insert(key, k);
}

int first(const QHash<QString, int> &hash, const QString &key)
{
    return hash.value(key, None);
}

bool allBare(const QList<NamePart> &parts)
{
    for (const NamePart &p : parts) {
        if (p.quoted)
            return false;
    }
    return true;
}

} // namespace

QString DesignBuilder::resolveTableName(const TableRef &ref)
{
    const QString written = writtenName(ref.name, m_source.style.dialect);
    if (!m_source.tableNames)
        return written;
    if (!m_tableNamesRead) {
        m_tableNames = m_source.tableNames();
        m_tableNamesRead = true;
        for (int k = 0; k < m_tableNames.size(); ++k) {
            insertFirst(m_listed, m_tableNames.at(k), k);
            insertFirst(m_listedFolded, m_tableNames.at(k).toCaseFolded(), k);
        }
    }
    const QString last = writtenName(ref.name.mid(ref.name.size() - 1), m_source.style.dialect);
    const bool lastBare = !ref.name.constLast().quoted;
    // The name as written, then in another letter case where it was written bare, then
    // without its schema: a name on the search path is listed bare.
    int found = first(m_listed, written);
    bool anyBare = false;
    for (const NamePart &p : ref.name)
        anyBare = anyBare || !p.quoted;
    if (found == None && anyBare)
        found = first(m_listedFolded, written.toCaseFolded());
    if (found == None && ref.name.size() > 1) {
        found = first(m_listed, last);
        if (lastBare)
            found = qMin(found, first(m_listedFolded, last.toCaseFolded()));
    }
    if (found == None)
        fail(ref.pos, tr("the unknown table %1").arg(written.left(80)));
    return m_tableNames.at(found);
}

const WithQuery *DesignBuilder::withQueryOf(const TableRef &ref) const
{
    if (ref.name.size() != 1)
        return nullptr;
    const NamePart &name = ref.name.constFirst();
    for (const WithQuery &q : m_st->withQueries) {
        if (q.name.quoted || name.quoted ? q.name.text == name.text
                                         : q.name.text.compare(name.text, Qt::CaseInsensitive) == 0)
            return &q;
    }
    return nullptr;
}

QStringList DesignBuilder::queryFields(const QString &select, int pos) const
{
    if (!m_source.queryFields)
        fail(pos, tr("a query in FROM without the database to give its columns"));
    try {
        const QStringList fields = m_source.queryFields(select);
        if (fields.isEmpty())
            fail(pos, tr("a query in FROM that gives no columns"));
        return fields;
    } catch (const VdqError &e) {
        fail(pos, tr("a query in FROM that the database refuses: %1").arg(e.message().left(200)));
    }
}

void DesignBuilder::resolveTables(const Statement &st)
{
    m_with = st.written(st.with);
    const QString withPrefix = m_with.isEmpty() ? QString() : m_with + u' ';
    QStringList taken;  // the aliases given, case-folded: the engines read them so
    for (const TableRef &ref : st.tables) {
        Table t;
        if (!ref.query.isEmpty()) {
            t.source = TableSource::Derived;
            t.query = bounded(st.written(ref.query), ref.pos);
            t.caption = ref.alias->text;
            t.fields = queryFields(withPrefix + QStringLiteral("SELECT * FROM (") + t.query + QStringLiteral(") ")
                                       + TableAlias(t.caption) + QStringLiteral(" WHERE 1 = 0"),
                                   ref.pos);
        } else if (withQueryOf(ref)) {
            const NamePart &name = ref.name.constFirst();
            t.source = TableSource::With;
            t.caption = name.quoted ? QuotedName(name.text, IdentifierQuote(m_source.style.dialect)) : name.text;
            t.fields = queryFields(withPrefix + QStringLiteral("SELECT * FROM ") + t.caption
                                       + QStringLiteral(" WHERE 1 = 0"),
                                   ref.pos);
        } else {
            t.caption = bounded(resolveTableName(ref), ref.pos);
            try {
                t.fields = m_source.tableFields(t.caption);
            } catch (const VdqError &) {
                fail(ref.pos, tr("the unknown table %1").arg(t.caption.left(80)));
            }
        }
        // The statement's own alias stays, so that what is kept as written still finds its
        // tables; one the design cannot write bare, or one given twice, is the design's.
        const bool own = ref.alias && IsPlainAlias(ref.alias->text)
                         && !taken.contains(ref.alias->text.toCaseFolded());
        t.alias = own ? ref.alias->text : UniqueTableAlias(t.caption, taken);
        if (t.source == TableSource::Derived && !own)
            fail(ref.pos, tr("a query in FROM whose alias is not a plain name"));
        taken << t.alias.toCaseFolded();
        t.ref = &ref;
        m_tables << t;
        indexTable(int(m_tables.size()) - 1);
    }
}

void DesignBuilder::indexTable(int k)
{
    Table &t = m_tables[k];
    Index &x = m_index;
    if (t.ref->alias) {
        insertFirst(x.alias, t.ref->alias->text, k);
        if (!t.ref->alias->quoted)
            insertFirst(x.bareAlias, t.ref->alias->text.toCaseFolded(), k);
    } else {
        const QString written = writtenName(t.ref->name, m_source.style.dialect);
        insertFirst(x.written, written, k);
        insertFirst(x.bareWritten, written.toCaseFolded(), k);
        insertFirst(x.caption, t.caption, k);
        insertFirst(x.bareCaption, t.caption.toCaseFolded(), k);
        insertFirst(x.last, writtenName(t.ref->name.mid(t.ref->name.size() - 1), m_source.style.dialect), k);
    }
    insertFirst(x.designAlias, t.alias, k);
    insertFirst(x.designAlias, TableAlias(t.caption), k);
    QSet<QString> names;
    for (int f = 0; f < t.fields.size(); ++f) {
        const QString folded = t.fields.at(f).toCaseFolded();
        if (!names.contains(folded)) {
            names.insert(folded);
            x.tablesOfField[folded].append(k);
        }
        if (t.fields.size() > FieldsScanned) {
            insertFirst(t.exact, t.fields.at(f), f);
            insertFirst(t.folded, folded, f);
        }
    }
}

int DesignBuilder::fieldIndex(const Table &t, const NamePart &part) const
{
    if (t.fields.size() > FieldsScanned) {
        const int exact = t.exact.value(part.text, -1);
        return exact >= 0 || part.quoted ? exact : t.folded.value(part.text.toCaseFolded(), -1);
    }
    const int exact = int(t.fields.indexOf(part.text));
    if (exact >= 0 || part.quoted)
        return exact;
    for (int f = 0; f < t.fields.size(); ++f) {
        if (t.fields.at(f).compare(part.text, Qt::CaseInsensitive) == 0)
            return f;
    }
    return -1;
}

// The first two tables (in order) that have a field the name stands for; their count, up to 2.
int DesignBuilder::tablesWithField(const NamePart &part, int *first, int *second) const
{
    int count = 0;
    const auto candidates = m_index.tablesOfField.constFind(part.text.toCaseFolded());
    if (candidates == m_index.tablesOfField.cend())
        return 0;
    for (const int k : *candidates) {
        if (fieldIndex(m_tables.at(k), part) < 0)
            continue;
        (count == 0 ? *first : *second) = k;
        if (++count == 2)
            break;
    }
    return count;
}

// The table a qualifier names: its own alias, else its name as written or listed.
int DesignBuilder::tableOfQualifier(const QList<NamePart> &qualifier) const
{
    const Index &x = m_index;
    const bool bare = allBare(qualifier);
    if (qualifier.size() == 1) {
        const NamePart &q = qualifier.constFirst();
        const int k = qMin(first(x.alias, q.text), q.quoted ? None : first(x.bareAlias, q.text.toCaseFolded()));
        if (k != None)
            return k;
    }
    const QString written = writtenName(qualifier, m_source.style.dialect);
    int k = qMin(first(x.written, written), first(x.caption, written));
    if (qualifier.size() == 1)
        k = qMin(k, first(x.last, written));
    if (bare)
        k = qMin(k, qMin(first(x.bareWritten, written.toCaseFolded()), first(x.bareCaption, written.toCaseFolded())));
    if (k != None)
        return k;
    // The design's own alias of a table, which its statements qualify fields with.
    if (qualifier.size() == 1) {
        k = first(x.designAlias, qualifier.constFirst().text);
        if (k != None)
            return k;
    }
    return -1;
}

DesignBuilder::FieldAt DesignBuilder::resolveField(const QList<NamePart> &ref, int pos) const
{
    if (ref.size() == 1) {
        int a = -1, b = -1;
        const int count = tablesWithField(ref.constFirst(), &a, &b);
        if (count > 1) {
            // A column of JOIN ... USING is one column, the first table's.
            const auto joined = m_usingFields.constFind(ref.constFirst().text.toCaseFolded());
            if (joined != m_usingFields.cend())
                return {*joined, fieldIndex(m_tables.at(*joined), ref.constFirst())};
            fail(pos, tr("the field %1, which more than one table has").arg(ref.constFirst().text.left(80)));
        }
        if (count == 0)
            fail(pos, tr("the unknown field %1").arg(ref.constFirst().text.left(80)));
        return {a, fieldIndex(m_tables.at(a), ref.constFirst())};
    }
    const int table = tableOfQualifier(ref.mid(0, ref.size() - 1));
    if (table < 0)
        fail(pos,
             tr("the unknown table or alias %1")
                 .arg(writtenName(ref.mid(0, ref.size() - 1), m_source.style.dialect).left(80)));
    const int f = fieldIndex(m_tables.at(table), ref.constLast());
    if (f < 0)
        fail(pos, tr("the unknown field %1").arg(writtenName(ref, m_source.style.dialect).left(80)));
    return {table, f};
}

// The field a name stands for; table -1 where it names none or more than one.
DesignBuilder::FieldAt DesignBuilder::tryResolve(const QList<NamePart> &ref) const
{
    if (ref.size() > 1)
        return knownReference(ref) ? resolveField(ref, 0) : FieldAt();
    int a = -1, b = -1;
    return tablesWithField(ref.constFirst(), &a, &b) == 1 ? resolveField(ref, 0) : FieldAt();
}

QString DesignBuilder::reference(const FieldAt &at) const
{
    // One text per field, however many rows name it.
    const quint64 key = (quint64(quint32(at.table)) << 32) | quint32(at.field);
    auto known = m_references.constFind(key);
    if (known == m_references.cend()) {
        const Table &t = m_tables.at(at.table);
        known = m_references.insert(key, AliasFieldReference(t.alias, t.fields.at(at.field), m_source.style));
    }
    return *known;
}

// A field reference as the design writes it; one already qualified by the design's own
// alias of its table stays as written, so that a statement the design wrote reads back
// to the same text.
QString DesignBuilder::referenceText(const QList<NamePart> &ref, QStringView written, int pos) const
{
    const FieldAt at = resolveField(ref, pos);
    if (ref.size() == 2 && ref.constFirst().text == m_tables.at(at.table).alias && !ref.constFirst().quoted) {
        const QString designed = reference(at);
        return written == designed ? designed : written.toString();
    }
    return reference(at);
}

// The text of an expression: names that are fields are written as the design writes
// them when qualified, and stay as written when bare (a bare name reads the same in
// the design's statement); words that name no field are the language's own.
QString DesignBuilder::render(const QList<Piece> &pieces) const
{
    QString out;
    for (const Piece &p : pieces) {
        if (p.space && !out.isEmpty())
            out += u' ';
        const QStringView text = m_st->text(p);
        if (!p.isRef() || p.afterCast) {
            out += text;
            continue;
        }
        const QList<NamePart> &ref = m_st->refs.at(p.ref);
        if (ref.size() == 1) {
            int a = -1, b = -1;
            const int count = tablesWithField(ref.constFirst(), &a, &b);
            // A USING column is qualified: the design joins with ON, where both tables have it.
            if (count > 1 && m_usingFields.contains(ref.constFirst().text.toCaseFolded())) {
                out += reference(resolveField(ref, p.pos));
                continue;
            }
            if (count > 0)
                resolveField(ref, p.pos);  // refuses a name more than one table has
            out += text;
            continue;
        }
        if (knownReference(ref))
            out += referenceText(ref, text, p.pos);
        else
            out += text;
    }
    return out;
}

// True when a qualified name names a field of one of the tables.
bool DesignBuilder::knownReference(const QList<NamePart> &ref) const
{
    const int table = tableOfQualifier(ref.mid(0, ref.size() - 1));
    return table >= 0 && fieldIndex(m_tables.at(table), ref.constLast()) >= 0;
}

// A condition's or sort row's field: a field reference as the design writes it. A name
// no table has stays as written (the lists hold any text; the engine judges it when the
// statement runs).
QString DesignBuilder::fieldNameText(const Expr &e) const
{
    const QString written = m_st->text(e.pieces.value(e.kind == Expr::Aggregate ? 2 : 0)).toString();
    if (e.ref.size() > 1 && !knownReference(e.ref))
        return e.kind == Expr::Aggregate ? e.function + u'(' + written + u')' : written;
    QString ref = e.ref.size() == 1 ? reference(resolveField(e.ref, e.refPos))
                                    : referenceText(e.ref, written, e.refPos);
    if (e.kind == Expr::Aggregate)
        return e.function + u'(' + ref + u')';
    return ref;
}

} // namespace SqlDesign
