// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the command line and "config.ini" decide at start-up. Only the first argument is
// looked at; any argument at all means the configuration file is not read.
struct StartupOptions
{
    bool advancedMode = false;
    // Language code from "config.ini"; empty when none is configured or the file is skipped.
    QString language;

    static StartupOptions fromArguments(const QStringList &arguments, const QString &workingDirectory);

    // The built-in texts are English; any other configured language needs a translation.
    bool wantsTranslation() const;
    QString translationFile() const;
};
