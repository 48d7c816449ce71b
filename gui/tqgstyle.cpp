// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgstyle.h"

#include <QApplication>
#include <QColor>
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
    return QApplication::font();
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

QPalette FusionDarkPalette(const QPalette &light)
{
    QPalette dark = light;
    const QColor window(53, 53, 53);
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, window},           {QPalette::WindowText, Qt::white},
        {QPalette::Base, QColor(42, 42, 42)}, {QPalette::AlternateBase, window},
        {QPalette::Text, Qt::white},          {QPalette::Button, window},
        {QPalette::ButtonText, Qt::white},    {QPalette::ToolTipBase, window},
        {QPalette::ToolTipText, Qt::white},   {QPalette::Highlight, QColor(42, 130, 218)},
        {QPalette::HighlightedText, Qt::black}};
    for (const auto &[role, colour] : roles)
        dark.setColor(role, colour);
    return dark;
}
