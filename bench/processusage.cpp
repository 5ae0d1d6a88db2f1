// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/processusage.h"

#include <QFile>

#include <sys/resource.h>

namespace ProcessUsage {

namespace {

double cpuSecondsOf(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &time) { return double(time.tv_sec) + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

double cpuSeconds()
{
    return cpuSecondsOf(RUSAGE_SELF);
}

double threadCpuSeconds()
{
    return cpuSecondsOf(RUSAGE_THREAD);
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // Files in /proc report no size, so they are read whole rather than line by line.
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024 / 1e6;
    return -1;
}

} // namespace ProcessUsage
