// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QStyledItemDelegate>

// Shows a list cell that holds a stored word ("Yes", "No", "= (Equals)") in the user's
// language. The cell keeps the stored word: the design, the files and the builders read it,
// so only what is painted is translated.
class TQGStoredWordDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant &value, const QLocale &locale) const override;

    // The caption of a stored word; any other text as it is.
    static QString Caption(const QString &word);
};
