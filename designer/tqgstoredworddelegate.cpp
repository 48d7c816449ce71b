// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgstoredworddelegate.h"

#include "designwords.h"

#include <QCoreApplication>

QString TQGStoredWordDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    if (value.userType() == QMetaType::QString)
        return Caption(value.toString());
    return QStyledItemDelegate::displayText(value, locale);
}

QString TQGStoredWordDelegate::Caption(const QString &word)
{
    if (word == SortAscendingWord)
        return tr("Yes");
    if (word == SortDescendingWord)
        return tr("No");
    // The comparisons are stored as the comparison dialog's English captions, so they show
    // as that dialog shows them.
    for (const QLatin1String &stored : StoredComparisons) {
        if (word == stored)
            return QCoreApplication::translate("TQGComparisonForm", stored.data());
    }
    return word;
}
