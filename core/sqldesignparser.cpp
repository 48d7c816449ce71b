// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "sqldesignparser.h"

#include "designfromdefinition.h"
#include "literaltext.h"
#include "sqlbuilders.h"
#include "sqldesignbuilder_p.h"
#include "sqldesignreader_p.h"
#include "vdqerror.h"

#include <algorithm>

namespace {

// The statement's text read, then its design built: either step may refuse it.
QueryDefinition readDesign(const QString &sql, const SqlDesignSource &source)
{
    const SqlDesign::Statement st = SqlDesign::StatementReader(sql, SqlLexOptions(source.style)).read();
    QueryDefinition def = SqlDesign::DesignBuilder(sql, source).design(st);
    // The lists hold literals in the standard form; a server that reads backslash escapes
    // wrote them its own way.
    ToStandardLiterals(def, source.style);
    return def;
}

QString statementOf(const QueryDefinition &def, const SqlDesignSource &source)
{
    QueryDesign design = DesignFromDefinition(def, source.tableFields, source.style);
    design.distinct = def.distinct;
    design.limit = def.limit;
    return GenerateSQLText(design);
}

} // namespace

QueryDefinition DesignFromSql(const QString &sql, const SqlDesignSource &source)
{
    const QueryDefinition def = readDesign(sql, source);
    // The design stands for the statement only if its own statement reads back to itself; a
    // text kept as written that the next reading would take apart otherwise does not.
    QString once;
    try {
        once = statementOf(def, source);
    } catch (const VdqError &) {
        return def;  // the builder's own message comes when the statement is written
    }
    if (once.isEmpty())
        return def;
    bool same = false;
    try {
        same = statementOf(readDesign(once, source), source) == once;
    } catch (const VdqError &) {
    }
    if (!same) {
        const auto first = std::find_if(sql.cbegin(), sql.cend(), [](QChar c) { return !c.isSpace(); });
        SqlDesign::failAt(
            sql, int(first - sql.cbegin()),
            QCoreApplication::translate("SqlDesign", "this statement: its values would be read otherwise"));
    }
    return def;
}
