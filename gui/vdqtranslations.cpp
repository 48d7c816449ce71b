// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "vdqtranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// True when an installed translator already gives a text for the source.
bool translated(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source) != QLatin1String(source);
}

void install(const QLocale &locale, const QString &name, const QString &directory)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), directory)
        && QCoreApplication::installTranslator(translator))
        return;
    delete translator;
}

} // namespace

void InstallDesignerTranslations()
{
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    const QLocale locale = QLocale::system();
    // The texts are written in English: an English user gets them as they are, even where a
    // later language in the list would have a translation.
    const QStringList languages = locale.uiLanguages();
    if (languages.isEmpty() || QLocale(languages.constFirst()).language() == QLocale::English)
        return;
    if (!translated("TQGQueryForm", "SQL Query Generator"))
        install(locale, QStringLiteral("vdqdesigner"), QStringLiteral(":/i18n"));
    if (!translated("QPlatformTheme", "Cancel"))
        install(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
