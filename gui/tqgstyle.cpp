#include "tqgstyle.h"

QString ItemGridStyleSheet(const QString &viewClass)
{
    return QStringLiteral("%1::item { border-right: 1px solid palette(midlight); border-bottom: 1px solid palette(midlight); }"
                          "%1::item:selected { background: palette(highlight); color: palette(highlighted-text); }")
        .arg(viewClass);
}
