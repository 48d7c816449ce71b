// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// libFuzzer target for the alias file reader: any text is either refused with a message
// naming the line, or read into aliases that can each be found by their name.

#include "fuzzcheck.h"
#include "taliasconfig.h"
#include "vdqerror.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const TAliasConfig config = TAliasConfig::FromText(text, QStringLiteral("/base"));
        const QStringList names = config.Names();
        Check(names.size() <= text.count(u'['), "more aliases than sections");
        for (const QString &name : names) {
            const TAliasParams *params = config.Find(name);
            Check(params != nullptr, "an alias is not found by its name");
            Check(!params->driver.isEmpty(), "an alias without a driver was read");
            Check(params->driver == params->driver.toUpper(), "the driver name is not upper case");
        }
    } catch (const VdqError &e) {
        Check(e.message().startsWith(QLatin1String("Alias text, line ")), "a message without its line");
    }
    return 0;
}
