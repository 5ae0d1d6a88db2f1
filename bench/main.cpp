// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchoptions.h"
#include "bench/benchrun.h"
#include "bench/startupprobe.h"
#include "bench/workerlocatingapplication.h"

#include "virtualcontroller.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const BenchOptions options = BenchOptions::parse(argc, argv);
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(options.error));
        std::fprintf(options.help ? stdout : stderr, "%s", qPrintable(BenchOptions::usage()));
        return options.help ? 0 : 2;
    }
    if (!VirtualController::available()) {
        std::fprintf(stderr, "Run under the virtual controller (scripts/bench does).\n%s", qPrintable(BenchOptions::usage()));
        return 2;
    }
    if (options.startupProbe)
        return StartupProbe::run(argv[0]);

    // The window sees no arguments, as when the tool is started plainly.
    int applicationArgc = 1;
    char *applicationArgv[] = {argv[0], nullptr};
    WorkerLocatingApplication application(applicationArgc, applicationArgv);
    return BenchRun(application, options).exec();
}
