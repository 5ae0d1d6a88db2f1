// SPDX-License-Identifier: GPL-3.0-or-later
#include "preload.h"
#include "runner.h"
#include "runneroptions.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QString error;
    const std::optional<RunnerOptions> options = RunnerOptions::parse(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "virtual-controller: %s\n\n%s", qPrintable(error), qPrintable(RunnerOptions::usage()));
        return 2;
    }
    if (options->help) {
        std::fputs(qPrintable(RunnerOptions::usage()), stdout);
        return 0;
    }
    if (!Preload::isLoaded()) {
        const std::string failure = Preload::restartUnderPreload(argv);
        std::fprintf(stderr, "virtual-controller: %s\n", failure.c_str());
        return 125;
    }
    Runner runner(*options);
    return runner.run();
}
