// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designwords.h"

QString SortWord(bool ascending)
{
    return ascending ? QString(SortAscendingWord) : QString(SortDescendingWord);
}

bool IsAscendingWord(const QString &word)
{
    return word == SortAscendingWord;
}

QString BooleanOperatorWord(bool orOperator)
{
    return orOperator ? QString(OrWord) : QString(AndWord);
}

bool IsNullComparison(const QString &comparison)
{
    return comparison == QLatin1String("IS NULL") || comparison == QLatin1String("IS NOT NULL");
}

QString JoinText(const QString &sourceField, const QString &targetField)
{
    return sourceField + QLatin1String(" = ") + targetField;
}

QString NormalizeLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
