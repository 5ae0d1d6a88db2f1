// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What a benchmark run measures and for how long. The full run is the default; --quick
// shortens every measurement for a first look.
struct BenchOptions {
    bool quick = false;
    bool startupProbe = false;
    bool help = false;
    bool verbose = false;
    QString error;
    QStringList only;             // sections to measure; empty for all

    static const QStringList SECTIONS;
    bool measures(const QString &section) const { return only.isEmpty() || only.contains(section); }

    int readRepetitions = 100;    // reads are short, so their figures need more runs to settle
    int writeRepetitions = 20;
    int startupRuns = 10;
    int hotplugRepetitions = 20;  // plugs and unplugs of a controller on each path
    int idleLongSeconds = 60;
    int idleShortSeconds = 30;

    static BenchOptions parse(int argc, char **argv);
    static QString usage();
};
