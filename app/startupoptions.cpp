// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupoptions.h"

#include <QSettings>

StartupOptions StartupOptions::fromArguments(const QStringList &arguments, const QString &workingDirectory)
{
    StartupOptions options;
    if (arguments.size() > 1) {
        options.advancedMode = arguments.at(1) == QLatin1String("advanced");
        return options;
    }
    const QSettings config(workingDirectory + QLatin1String("/config.ini"), QSettings::IniFormat);
    options.language = config.value(QStringLiteral("UI/lang"), QString()).toString();
    return options;
}

bool StartupOptions::wantsTranslation() const
{
    return !language.isEmpty() && language != QLatin1String("en");
}

QString StartupOptions::translationFile() const
{
    return QLatin1String("i18n/hardware_settings_ui_") + language;
}
