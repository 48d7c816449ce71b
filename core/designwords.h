// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

// The words the design's lists store and the builders and files read back. They are data,
// never captions: a translated window shows its own words beside them but stores these.

// The Sorting list's Ascending column.
inline constexpr QLatin1String SortAscendingWord("Yes");
inline constexpr QLatin1String SortDescendingWord("No");

// The Conditions list's boolean Operator column.
inline constexpr QLatin1String AndWord("AND");
inline constexpr QLatin1String OrWord("OR");

// The Condition column of a new row, and of a row a join adds.
inline constexpr QLatin1String NewRowComparison("=");

// The Condition column as the comparison dialog writes it, one per comparison; the builders
// write the text before the first " (".
inline constexpr QLatin1String StoredComparisons[] = {
    QLatin1String("= (Equals)"),
    QLatin1String("<= (Less Than or Equals)"),
    QLatin1String("< (Less Than)"),
    QLatin1String("like "),
    QLatin1String("> (Greater Than)"),
    QLatin1String("<> (Not Equal)"),
    QLatin1String(">= (Greater Than or Equals)"),
    QLatin1String("IS NULL"),
    QLatin1String("IS NOT NULL"),
};

// The Ascending column's word for a direction, and the direction a stored word gives: only
// exactly "Yes" is ascending.
QString SortWord(bool ascending);
bool IsAscendingWord(const QString &word);

// The Columns list's Group By and Show columns: "Yes" or "No"; an empty cell is the column's
// default (not grouped, shown).
inline QString YesNoWord(bool yes)
{
    return yes ? QString(SortAscendingWord) : QString(SortDescendingWord);
}
inline bool IsYesWord(const QString &word)
{
    return word == SortAscendingWord;
}
inline bool IsNoWord(const QString &word)
{
    return word == SortDescendingWord;
}

// The boolean Operator column's word for a choice, and whether a stored word is AND.
QString BooleanOperatorWord(bool orOperator);

// True for a comparison that has no right-hand side ("IS NULL", "IS NOT NULL").
bool IsNullComparison(const QString &comparison);

// The text a join link shows and stores: the dragged field's reference, " = ", the target's.
QString JoinText(const QString &sourceField, const QString &targetField);

// CR LF and a lone CR become one line feed, the only line break the editor keeps.
QString NormalizeLineBreaks(QString text);
