// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;
class QToolButton;
class QWidget;
class QRect;

// The tool-bar and list glyphs of the designer, drawn in code so that they are sharp at
// every size and device pixel ratio.
enum class TQGGlyph {
    NewQuery, OpenQuery, SaveQuery, PrintQuery, Cut, Copy, Paste, Delete,
    SelectQuery, InsertQuery, UpdateQuery, DeleteQuery, ExecuteQuery, SaveAndExit, CancelAndExit,
    LargeIcons, SmallIcons, ListStyle, ReportStyle, MoveUp, MoveDown, Remove, FillParameters,
    Table, TableLarge, Field, Database, Session, Comparison, SortOrder, FieldValue, About,
    NavFirst, NavPrior, NavNext, NavLast, NavRefresh, AppIcon
};

constexpr int TQGGlyphCount = int(TQGGlyph::AppIcon) + 1;

// The desktop theme's name for a generic command's icon (document-open, edit-copy, ...), or
// empty for the designer's own glyphs.
QString GlyphThemeName(TQGGlyph glyph);

// The desktop theme's icon for a generic command where the theme has one; otherwise, and for
// the designer's own glyphs, an icon that paints the glyph at whatever size and device pixel
// ratio it is asked for:
// greyed in Disabled mode, a little lighter in Active (hovered) mode, and with a light
// halo in Selected mode so that it stays readable on the selection colour.
QIcon Glyph(TQGGlyph glyph);

// The glyph as a pixmap of logicalSize by logicalSize device-independent pixels.
QPixmap GlyphPixmap(TQGGlyph glyph, int logicalSize, qreal devicePixelRatio = 1.0);
QPixmap GlyphPixmap(TQGGlyph glyph, int logicalSize, qreal devicePixelRatio, QIcon::Mode mode);

// Paints the glyph in Normal mode into the square of device pixels at the top left of
// deviceRect; the painter must have no scaling transform for the outlines to stay sharp.
void PaintGlyph(QPainter &painter, const QRect &deviceRect, TQGGlyph glyph);

// An auto-raised tool button showing the glyph, named for code (objectName) and for people:
// the hint is its tooltip and its accessible name, so a screen reader says what it does.
QToolButton *GlyphButton(QWidget *parent, const char *name, TQGGlyph glyph, const QString &hint, int iconSize);

// The enumerator's name ("NewQuery"), for tests and diagnostics.
QString GlyphName(TQGGlyph glyph);
