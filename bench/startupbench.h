// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/samples.h"

#include <QString>

struct StartupFigures {
    Samples shownMs;              // process start to the window's first frame
    Samples firstControllerMs;    // process start to the first controller in the device list
    Samples beyondShownMs;        // the difference of the two
    int failures = 0;
    QString lastError;
};

// Starts the benchmark binary afresh as a startup probe, `runs` times one after another,
// and collects what each probe reports.
class StartupBench
{
public:
    explicit StartupBench(const QString &program);

    StartupFigures run(int runs) const;

private:
    bool runOnce(StartupFigures &figures) const;

    QString program;
};
