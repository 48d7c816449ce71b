// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The SQL texts the value editors write into a box: literals the engine reads as values,
// never as identifiers.

// A number exactly as the user typed it (007 stays 007).
QString NumberValueText(const QString &typed);

// A string literal: the text between single quotes, each embedded single quote doubled.
QString StringValueText(const QString &text);

// A date literal 'YYYY-MM-DD', whatever the regional date format.
QString DateValueText(const QDate &date);

// A time literal 'HH:MM:SS', 24-hour, whatever the regional time format.
QString TimeValueText(const QTime &time);

// TRUE or FALSE.
QString LogicalValueText(bool value);

// A query parameter: ":" followed by the name, so an empty name gives ":" alone.
QString ParameterText(const QString &name);

// Leading spaces, an optional sign, then a non-empty run of digits with an optional
// full stop and digits and an optional exponent (E or e, optional sign, digits), and
// nothing after it. The full stop is the decimal separator whatever the locale.
bool IsValidNumber(const QString &text);
