#pragma once

#include <QString>

// Grid lines between the cells of a report-style list. The selected row keeps the palette's
// highlight: once items are styled, the style no longer paints it by itself.
QString ItemGridStyleSheet(const QString &viewClass);
