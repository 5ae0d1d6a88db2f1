// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer.h"

#include <QList>

// How often the poll probes each controller, from the device-information requests in a
// transfer log. Taken from each controller's first to its last probe, so the edges of the
// logged interval do not count a period too many or too few.
struct ProbeRate {
    int probes = 0;
    int controllers = 0;
    double perControllerPerMinute = 0;

    static ProbeRate of(const QList<Transfer> &transfers);
};
