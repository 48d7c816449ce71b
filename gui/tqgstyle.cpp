#include "tqgstyle.h"

#include <QFontDatabase>
#include <QFontInfo>

QString ItemGridStyleSheet(const QString &viewClass)
{
    return QStringLiteral("%1::item { border-right: 1px solid palette(midlight); border-bottom: 1px solid palette(midlight); }"
                          "%1::item:selected { background: palette(highlight); color: palette(highlighted-text); }")
        .arg(viewClass);
}

QFont WindowFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont FixedPitchFont(const QString &family, int pointSize)
{
    QFont font(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (pointSize > 0)
        fixed.setPointSize(pointSize);
    return fixed;
}
