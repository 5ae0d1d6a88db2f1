// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The runner's command line:
//   virtual-controller [--device KIND[,key=value...]]... [--log FILE] [--KEY=VALUE]... -- COMMAND [ARGS]
// where --KEY=VALUE is any device option, given to every device the run creates.
struct RunnerOptions {
    bool help = false;
    QStringList devices;
    QString logFile;
    QStringList deviceDefaults;
    QStringList command;

    static std::optional<RunnerOptions> parse(const QStringList &arguments, QString *error);
    static QString usage();
};
