// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QFont>
#include <QPalette>
#include <QString>

// Grid lines between the cells of a report-style list. The selected row keeps the palette's
// highlight: once items are styled, the style no longer paints it by itself.
QString ItemGridStyleSheet(const QString &viewClass);

// The dark palette most programs set on Fusion: the main roles dark, the others (Mid, Light,
// Dark, Shadow) left as the light palette has them. Windows must stay readable under it.
QPalette FusionDarkPalette(const QPalette &light);

// The font of every window and dialog: the host program's (its application font), so the
// designer reads as the rest of the host does.
QFont WindowFont();

// The named fixed-pitch family where it exists and is fixed-pitch, otherwise the system's
// fixed font; pointSize 0 keeps the font's own size.
QFont FixedPitchFont(const QString &family, int pointSize = 0);
