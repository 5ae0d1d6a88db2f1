// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/proberate.h"

#include <QMap>

#include <algorithm>

namespace {

constexpr int DEVICE_INFO_REPORT = 0x25;

} // namespace

ProbeRate ProbeRate::of(const QList<Transfer> &transfers)
{
    QMap<int, QList<double>> probeTimes;
    for (const Transfer &transfer : transfers)
        if (!transfer.isSet() && transfer.reportId() == DEVICE_INFO_REPORT)
            probeTimes[transfer.id].append(transfer.timeMs);

    ProbeRate rate;
    rate.controllers = int(probeTimes.size());
    int periods = 0;
    double spanMs = 0;
    for (const QList<double> &times : std::as_const(probeTimes)) {
        rate.probes += int(times.size());
        periods += int(times.size()) - 1;
        const auto [first, last] = std::minmax_element(times.cbegin(), times.cend());
        spanMs += *last - *first;
    }
    if (spanMs > 0)
        rate.perControllerPerMinute = periods * 60000.0 / spanMs;
    return rate;
}
