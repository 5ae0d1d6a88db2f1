// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/samples.h"

#include <QString>

class MainWindow;
class VirtualController;

struct HotplugFigures {
    Samples listedMs;         // plug command answered to the controller's row shown
    Samples goneMs;           // unplug command answered to its row hidden (0 when hidden before)
    Samples plugCommandMs;    // the virtual controller's own time for the command, sent to answered
    Samples unplugCommandMs;
    int failures = 0;         // plugs or unplugs the list did not follow within the timeout
};

// Plugs a controller into the running window and pulls it again, timing each change from
// the virtual controller's answer to the device list showing it. The plugs are spread over
// the poll's period, so a list that waited for the poll would show every delay up to a period.
class HotplugBench
{
public:
    HotplugBench(const MainWindow &window, VirtualController &controller);

    // `description` is a device as the virtual controller plugs it ("rudder,driver=none").
    HotplugFigures measure(const QString &description, int repetitions);

private:
    bool timedUntilShown(int count, Samples &samples);

    const MainWindow &window;
    VirtualController &controller;
};
