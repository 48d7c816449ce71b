// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QCoreApplication>
#include <QString>
#include <utility>

// A message kept in a constant and translated where it is used, not where it is defined: a
// constant is made before any translator is installed, and in whatever language was current
// then. Mark the text with QT_TRANSLATE_NOOP(context, text) so that lupdate finds it.
struct TranslatedText
{
    const char *context;
    const char *source;

    QString text() const { return QCoreApplication::translate(context, source); }
    operator QString() const { return text(); }
    template <typename... Args> QString arg(Args &&...args) const { return text().arg(std::forward<Args>(args)...); }
};
