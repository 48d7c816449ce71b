// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// libFuzzer target for the scanner of a statement's named parameters: any text, read as most
// engines read it and as one engine does, gives names that each stand in the text after a
// colon, each once, made of letters, digits and "_".

#include "fuzzcheck.h"
#include "sqlparameters.h"

#include <QSet>

#include <cstdint>

namespace {

void checkNames(const QString &sql, const SqlLexOptions &options)
{
    const QStringList names = SqlParameterNames(sql, options);
    QSet<QString> seen;
    qsizetype length = 0;
    for (const QString &name : names) {
        Check(!name.isEmpty(), "an empty name");
        for (const QChar c : name)
            Check(c.isLetterOrNumber() || c == u'_', "a name holds a character no name has");
        Check(sql.contains(u':' + name), "a name that does not follow a colon");
        Check(!seen.contains(name.toCaseFolded()), "a name given twice");
        seen.insert(name.toCaseFolded());
        length += name.size() + 1;
    }
    Check(length <= sql.size(), "the names hold more than the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    checkNames(sql, SqlLexOptions::AnyEngine());
    // As one engine reads it, the first byte naming the engine and its backslash escapes.
    if (size > 0)
        checkNames(sql, SqlLexOptions(IdentifierStyle{false, SqlDialect(data[0] % 4), bool(data[0] & 4)}));
    return 0;
}
