// libFuzzer target for the scanner of a statement's named parameters: any text gives names
// that each stand in the text after a colon, each once, made of letters, digits and "_".

#include "fuzzcheck.h"
#include "sqlparameters.h"

#include <QSet>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList names = SqlParameterNames(sql);
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
    return 0;
}
