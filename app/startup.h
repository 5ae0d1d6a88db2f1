// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startupoptions.h"

#include <QString>
#include <QStringList>
#include <QTranslator>

// What happens before the window opens: the options from the command line and "config.ini",
// and the translations they ask for, installed for as long as this object lives.
class Startup
{
public:
    Startup(const QStringList &arguments, const QString &workingDirectory);
    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

    const StartupOptions &options() const { return m_options; }

private:
    StartupOptions m_options;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
};
