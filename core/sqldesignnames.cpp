// The design builder's tables and fields: the tables a statement names, looked up in the
// database, and the fields its names stand for, written as the design writes them.

#include "sqldesignbuilder_p.h"

#include "naming.h"

namespace SqlDesign {

QString DesignBuilder::resolveTableName(const TableRef &ref)
{
    const QString written = writtenName(ref.name);
    if (!m_source.tableNames)
        return written;
    if (!m_tableNamesRead) {
        m_tableNames = m_source.tableNames();
        m_tableNamesRead = true;
    }
    bool anyBare = false;
    for (const NamePart &p : ref.name)
        anyBare = anyBare || !p.quoted;
    const QString last = ref.name.constLast().text;
    const bool lastBare = !ref.name.constLast().quoted;
    // The name as written, then in another letter case where it was written bare, then
    // without its schema: a name on the search path is listed bare.
    for (const QString &name : m_tableNames) {
        if (name == written)
            return name;
    }
    if (anyBare) {
        for (const QString &name : m_tableNames) {
            if (name.compare(written, Qt::CaseInsensitive) == 0)
                return name;
        }
    }
    if (ref.name.size() > 1) {
        for (const QString &name : m_tableNames) {
            if (name == last || (lastBare && name.compare(last, Qt::CaseInsensitive) == 0))
                return name;
        }
    }
    fail(ref.pos, QStringLiteral("the unknown table %1").arg(written.left(80)));
}

void DesignBuilder::resolveTables(const Statement &st)
{
    for (const TableRef &ref : st.tables) {
        Table t;
        t.caption = resolveTableName(ref);
        for (const Table &other : m_tables) {
            if (other.caption == t.caption)
                fail(ref.pos, QStringLiteral("the table %1 a second time").arg(t.caption.left(80)));
        }
        try {
            t.fields = m_source.tableFields(t.caption);
        } catch (const VdqError &) {
            fail(ref.pos, QStringLiteral("the unknown table %1").arg(t.caption.left(80)));
        }
        t.ref = &ref;
        m_tables << t;
    }
}

int DesignBuilder::fieldIndex(const Table &t, const NamePart &part) const
{
    const int exact = int(t.fields.indexOf(part.text));
    if (exact >= 0 || part.quoted)
        return exact;
    for (int f = 0; f < t.fields.size(); ++f) {
        if (t.fields.at(f).compare(part.text, Qt::CaseInsensitive) == 0)
            return f;
    }
    return -1;
}

// The table a qualifier names: its own alias, else its name as written or listed.
int DesignBuilder::tableOfQualifier(const QList<NamePart> &qualifier) const
{
    if (qualifier.size() == 1) {
        for (int k = 0; k < m_tables.size(); ++k) {
            const std::optional<NamePart> &alias = m_tables.at(k).ref->alias;
            if (alias && (alias->text == qualifier.constFirst().text
                          || (!alias->quoted && !qualifier.constFirst().quoted
                              && alias->text.compare(qualifier.constFirst().text, Qt::CaseInsensitive) == 0)))
                return k;
        }
    }
    const QString written = writtenName(qualifier);
    for (int k = 0; k < m_tables.size(); ++k) {
        const Table &t = m_tables.at(k);
        if (t.ref->alias)
            continue;
        const QString asWritten = writtenName(t.ref->name);
        if (written == asWritten || written == t.caption
            || (qualifier.size() == 1 && written == t.ref->name.constLast().text))
            return k;
        bool bare = true;
        for (const NamePart &p : qualifier)
            bare = bare && !p.quoted;
        if (bare && (written.compare(asWritten, Qt::CaseInsensitive) == 0
                     || written.compare(t.caption, Qt::CaseInsensitive) == 0))
            return k;
    }
    // The design's own alias of a table, which its statements qualify fields with.
    if (qualifier.size() == 1) {
        for (int k = 0; k < m_tables.size(); ++k) {
            if (TableAlias(m_tables.at(k).caption) == qualifier.constFirst().text)
                return k;
        }
    }
    return -1;
}

DesignBuilder::FieldAt DesignBuilder::resolveField(const QList<NamePart> &ref, int pos) const
{
    FieldAt at;
    if (ref.size() == 1) {
        for (int k = 0; k < m_tables.size(); ++k) {
            const int f = fieldIndex(m_tables.at(k), ref.constFirst());
            if (f < 0)
                continue;
            if (at.table >= 0)
                fail(pos, QStringLiteral("the field %1, which more than one table has").arg(ref.constFirst().text.left(80)));
            at = {k, f};
        }
        if (at.table < 0)
            fail(pos, QStringLiteral("the unknown field %1").arg(ref.constFirst().text.left(80)));
        return at;
    }
    const int table = tableOfQualifier(ref.mid(0, ref.size() - 1));
    if (table < 0)
        fail(pos, QStringLiteral("the unknown table or alias %1").arg(writtenName(ref.mid(0, ref.size() - 1)).left(80)));
    const int f = fieldIndex(m_tables.at(table), ref.constLast());
    if (f < 0)
        fail(pos, QStringLiteral("the unknown field %1").arg(writtenName(ref).left(80)));
    return {table, f};
}

// The field a name stands for; table -1 where it names none or more than one.
DesignBuilder::FieldAt DesignBuilder::tryResolve(const QList<NamePart> &ref) const
{
    if (ref.size() > 1)
        return knownReference(ref) ? resolveField(ref, 0) : FieldAt();
    int matches = 0;
    for (const Table &t : m_tables)
        matches += fieldIndex(t, ref.constFirst()) >= 0 ? 1 : 0;
    return matches == 1 ? resolveField(ref, 0) : FieldAt();
}

QString DesignBuilder::reference(const FieldAt &at) const
{
    const Table &t = m_tables.at(at.table);
    return FieldReference(t.caption, t.fields.at(at.field), m_source.style);
}

// A field reference as the design writes it; one already qualified by the design's own
// alias of its table stays as written, so that a statement the design wrote reads back
// to the same text.
QString DesignBuilder::referenceText(const QList<NamePart> &ref, QStringView written, int pos) const
{
    const FieldAt at = resolveField(ref, pos);
    if (ref.size() == 2 && ref.constFirst().text == TableAlias(m_tables.at(at.table).caption)
        && !ref.constFirst().quoted)
        return written.toString();
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
        if (!p.isRef || p.afterCast) {
            out += p.text;
            continue;
        }
        if (p.ref.size() == 1) {
            bool found = false;
            for (const Table &t : m_tables)
                found = found || fieldIndex(t, p.ref.constFirst()) >= 0;
            if (found)
                resolveField(p.ref, p.pos);  // refuses a name more than one table has
            out += p.text;
            continue;
        }
        out += knownReference(p.ref) ? referenceText(p.ref, p.text, p.pos) : p.text;
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
    const QString written = e.pieces.value(e.kind == Expr::Aggregate ? 2 : 0).text.toString();
    if (e.ref.size() > 1 && !knownReference(e.ref))
        return e.kind == Expr::Aggregate ? e.function + u'(' + written + u')' : written;
    QString ref = e.ref.size() == 1 ? reference(resolveField(e.ref, e.refPos))
                                    : referenceText(e.ref, written, e.refPos);
    if (e.kind == Expr::Aggregate)
        return e.function + u'(' + ref + u')';
    return ref;
}

} // namespace SqlDesign
