// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// libFuzzer target for the query definition reader: any bytes at all must be read
// without a crash, without a count running beyond what the bytes hold, within a small
// multiple of their size in memory, and so that writing back and reading again gives the
// same. (Time per input is bounded by the fuzzer's -timeout.)

#include "fuzzcheck.h"
#include "profilefile.h"
#include "querydefinition.h"
#include "vdqerror.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// What the writer makes of a text: line breaks and NUL would break the file's lines.
QString OneLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            c = u' ';
    }
    return text;
}

void NormaliseList(StoredList &list)
{
    for (QStringList &row : list.rows) {
        for (QString &cell : row)
            cell = OneLine(cell);
    }
    // Rows come with as many cells as the reader took; the writer then stores all of them.
    if (!list.rows.isEmpty())
        list.columnCount = int(list.rows.first().size());
}

// The design as it reads back after the writer stored it in a fresh file.
QueryDefinition Normalised(QueryDefinition def)
{
    def.sessionName = OneLine(def.sessionName);
    def.database = OneLine(def.database);
    for (StoredTable &table : def.tables) {
        table.name = OneLine(table.name);
        for (auto &item : table.items)
            item.first = OneLine(item.first);
        table.itemCount = int(table.items.size());
    }
    for (StoredLink &link : def.links) {
        link.field1Table = OneLine(link.field1Table);
        link.field2Table = OneLine(link.field2Table);
        link.hint = OneLine(link.hint);
        link.overText = OneLine(link.overText);
    }
    NormaliseList(def.values);
    NormaliseList(def.conditions);
    NormaliseList(def.sorting);
    return def;
}

void CheckBounds(const TProfileFile &profile, const QueryDefinition &def)
{
    qint64 keys = 0;
    for (const QString &section : profile.Sections())
        keys += profile.KeyCount(section);
    const qint64 sections = qint64(profile.SectionCount()) + CountSlack;
    Check(def.tables.size() <= sections, "more tables than sections");
    Check(def.links.size() <= sections, "more links than sections");
    for (const StoredTable &table : def.tables)
        Check(table.items.size() <= keys + CountSlack, "more items than keys");
    for (const StoredList *list : {&def.values, &def.conditions, &def.sorting}) {
        qint64 cells = 0;
        for (const QStringList &row : list->rows)
            cells += row.size();
        Check(list->rows.size() <= keys + CountSlack, "more rows than keys");
        Check(cells <= ListCellsPerKey * (keys + CountSlack), "more list texts than keys allow");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    HeapWatch::Start();
    const TProfileFile profile = TProfileFile::FromBytes(bytes);
    const QueryDefinition def = ReadQueryDefinition(profile);
    CheckHeap(HeapWatch::Stop(), size, "fuzz_queryfile");
    CheckBounds(profile, def);

    // The loader's check: refused exactly when the bytes are no query definition.
    const bool definition = LooksLikeQueryDefinition(bytes);
    try {
        Check(ParseQueryDefinitionFile(bytes, QStringLiteral("fuzz.vdq")) == def, "loader reads differently");
        Check(definition, "a refused file was read");
    } catch (const VdqError &) {
        Check(!definition, "a query definition was refused");
    }

    // The profile written out parses to the same profile.
    const QByteArray written = profile.ToBytes();
    const TProfileFile again = TProfileFile::FromBytes(written);
    Check(again.ToBytes() == written, "profile bytes change on a second pass");
    Check(again.Sections() == profile.Sections(), "sections change on a second pass");
    Check(ReadQueryDefinition(again) == def, "design changes on a second pass");

    // The design written into a fresh file reads back as it was (given as many columns
    // as its rows hold, the one thing a bounded reading may have cut).
    const QueryDefinition expected = Normalised(def);
    TProfileFile fresh;
    WriteQueryDefinition(fresh, expected);
    Check(ReadQueryDefinition(TProfileFile::FromBytes(fresh.ToBytes())) == expected,
          "design changes through the writer");

    // Writing it over the file it came from: every key written reads back.
    TProfileFile merged = profile;
    WriteQueryDefinition(merged, def);
    const TProfileFile mergedAgain = TProfileFile::FromBytes(merged.ToBytes());
    Check(mergedAgain.ReadString(QStringLiteral("Session"), QStringLiteral("Database"), QString())
              == expected.database,
          "merged write lost a key");
    Check(mergedAgain.ReadInteger(QStringLiteral("Tables"), QStringLiteral("Count"), -1)
              == int(def.tables.size()),
          "merged write lost the table count");

    (void)IsQueryDefinitionFileName(QString::fromLatin1(bytes.left(64)));
    return 0;
}
