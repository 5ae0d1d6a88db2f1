// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

Startup::Startup(const QStringList &arguments, const QString &workingDirectory)
    : m_options(StartupOptions::fromArguments(arguments, workingDirectory))
{
    // Numbers (the gains' decimal separator) follow the window's language, where one is set.
    if (!m_options.language.isEmpty())
        QLocale::setDefault(QLocale(m_options.language));
    if (!m_options.wantsTranslation())
        return;
    // Installed even when no file was found: the built-in English texts then stay.
    (void)m_translator.load(m_options.translationFile());
    QCoreApplication::installTranslator(&m_translator);
    // Qt's own texts (standard buttons, context menus) in the same language as the tool's.
    if (m_qtTranslator.load(QStringLiteral("qtbase_") + m_options.language,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
}
