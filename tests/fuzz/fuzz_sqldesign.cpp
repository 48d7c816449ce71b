// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// libFuzzer target for the reader that turns a statement into a design: any text, in any
// dialect, either gives a design whose rows are single lines and whose links join its own
// tables, and whose statement reads back to itself, or an error that names a line and column
// of the text; within 64 bytes of heap per byte of the input (and time per input bounded by
// the fuzzer's -timeout).

#include "designfromdefinition.h"
#include "fuzzcheck.h"
#include "sqlbuilders.h"
#include "sqldesignparser.h"
#include "vdqerror.h"

#include <QMap>
#include <QRegularExpression>

#include <cstdint>

namespace {

const QMap<QString, QStringList> &catalogue()
{
    static const QMap<QString, QStringList> tables = {
        {"clients", {"ClientNo", "Firm", "Town", "Cust No"}},
        {"sales", {"SaleNo", "ClientNo", "SaleDay", "Total"}},
        {"order items", {"SaleNo", "ItemNo"}},
        {"clients.db", {"ClientNo", "select"}}};
    return tables;
}

QStringList fieldsOf(const QString &table)
{
    if (!catalogue().contains(table))
        throw VdqError(QStringLiteral("no such table"));
    return catalogue().value(table);
}

void checkRows(const StoredList &list, int columns)
{
    for (const QStringList &row : list.rows) {
        Check(row.size() == columns, "a list row with another number of columns");
        for (const QString &text : row)
            Check(!text.contains(u'\n') && !text.contains(u'\r'), "a list text over more than one line");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const SqlDialect dialect = SqlDialect(data[0] % 4);
    const bool quote = (data[0] & 4) && dialect != SqlDialect::MySQL;
    const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    SqlDesignSource source;
    source.style = IdentifierStyle{quote, dialect};
    source.tableNames = [] { return catalogue().keys(); };
    source.tableFields = fieldsOf;
    QueryDefinition def;
    HeapWatch::Start();
    try {
        def = DesignFromSql(sql, source);
    } catch (const VdqError &e) {
        CheckHeap(HeapWatch::Stop(), size, "fuzz_sqldesign");
        static const QRegularExpression where(QStringLiteral("\\(line (\\d+), column (\\d+)\\)\\.$"));
        const QRegularExpressionMatch m = where.match(e.message());
        if (!m.hasMatch())
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        Check(m.hasMatch(), "an error without its line and column");
        Check(m.captured(1).toInt() >= 1 && m.captured(1).toInt() <= sql.count(u'\n') + 1, "an error on a line the text has not");
        Check(m.captured(2).toInt() >= 1 && m.captured(2).toInt() <= sql.size() + 1, "an error beyond the end of its line");
        return 0;
    }
    CheckHeap(HeapWatch::Stop(), size, "fuzz_sqldesign");
    Check(def.type >= 0 && def.type <= 3, "a query type outside 0 to 3");
    Check(def.limit >= 0, "a negative limit");
    QStringList names;
    for (const StoredTable &t : def.tables) {
        Check(catalogue().contains(t.name), "a table the database does not have");
        Check(!names.contains(t.name), "a table twice");
        Check(t.items.size() == catalogue().value(t.name).size(), "a table without all its fields");
        Check(t.totals.isEmpty() || t.totals.size() == t.items.size(), "totals for some fields only");
        names << t.name;
    }
    for (const StoredLink &l : def.links)
        Check(names.contains(l.field1Table) && names.contains(l.field2Table), "a link to a table not in the design");
    checkRows(def.values, 2);
    checkRows(def.conditions, 4);
    checkRows(def.sorting, 2);

    // The design's statement gives the same design's statement again.
    QueryDesign design = DesignFromDefinition(def, fieldsOf, source.style);
    design.distinct = def.distinct;
    design.limit = def.limit;
    const QString once = GenerateSQLText(design);
    if (once.isEmpty())
        return 0;
    QueryDefinition again;
    try {
        again = DesignFromSql(once, source);
    } catch (const VdqError &e) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(once), qPrintable(e.message()));
        Check(false, "a designed statement that does not read back");
    }
    QueryDesign second = DesignFromDefinition(again, fieldsOf, source.style);
    second.distinct = again.distinct;
    second.limit = again.limit;
    const QString twice = GenerateSQLText(second);
    if (twice != once)
        std::fprintf(stderr, "%s\n---\n%s\n", qPrintable(once), qPrintable(twice));
    Check(twice == once, "a designed statement that reads back to another");
    return 0;
}
