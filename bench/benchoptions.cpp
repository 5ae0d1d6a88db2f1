// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchoptions.h"

#include "bench/startupprobe.h"

const QStringList BenchOptions::SECTIONS{QStringLiteral("startup"), QStringLiteral("commands"), QStringLiteral("live-view"),
                                         QStringLiteral("hotplug"), QStringLiteral("idle")};

BenchOptions BenchOptions::parse(int argc, char **argv)
{
    BenchOptions options;
    bool runsGiven = false;
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--quick")) {
            options.quick = true;
        } else if (argument == QLatin1String(StartupProbe::ARGUMENT)) {
            options.startupProbe = true;
        } else if (argument == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (argument == QLatin1String("--runs")) {
            runsGiven = true;
            runs = i + 1 < argc ? QString::fromLocal8Bit(argv[++i]).toInt() : 0;
        } else if (argument == QLatin1String("--only")) {
            const QString section = i + 1 < argc ? QString::fromLocal8Bit(argv[++i]) : QString();
            if (SECTIONS.contains(section))
                options.only << section;
            else
                options.error = QStringLiteral("--only needs one of: ") + SECTIONS.join(QStringLiteral(", "));
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else {
            options.error = QStringLiteral("unknown argument: ") + argument;
        }
    }
    if (options.quick) {
        options.readRepetitions = 20;
        options.writeRepetitions = 5;
        options.startupRuns = 3;
        options.hotplugRepetitions = 5;
        options.idleLongSeconds = 10;
        options.idleShortSeconds = 5;
    }
    if (runsGiven && runs <= 0)
        options.error = QStringLiteral("--runs needs a number of runs above 0");
    if (runs > 0) {
        options.readRepetitions = runs;
        options.writeRepetitions = runs;
    }
    return options;
}

QString BenchOptions::usage()
{
    return QStringLiteral(
        "Usage: virtual-controller -- kestrov-bench [--quick] [--runs N] [--only SECTION]... [--verbose]\n"
        "Measures Kestrov Setup's main window against emulated controllers and prints one table.\n"
        "  --quick    20 runs of each read and 5 of each apply or save (instead of 100 and 20),\n"
        "             3 start-ups (instead of 10), 5 plugs on each path (instead of 20),\n"
        "             idle periods of 10 s and 5 s (instead of 60 s and 30 s)\n"
        "  --runs N   N runs of every command\n"
        "  --only SECTION  measure only startup, commands, live-view, hotplug or idle (repeatable)\n"
        "  --verbose  also print every command run: time through the window, protocol minimum, stalls\n"
        "Normally started by scripts/bench, which builds it and runs it under the virtual controller.\n");
}
