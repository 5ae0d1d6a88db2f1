// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/processclock.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <ctime>
#include <unistd.h>

namespace ProcessClock {

namespace {

qint64 clockNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Field 22 of /proc/self/stat: start time in clock ticks since boot. The command name in
// field 2 may hold spaces, so fields are counted after its closing parenthesis.
qint64 kernelStartSinceBootNs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int STARTTIME_AFTER_NAME = 22 - 3;
    if (fields.size() <= STARTTIME_AFTER_NAME)
        return -1;
    const qint64 ticks = fields[STARTTIME_AFTER_NAME].toLongLong();
    return ticks * 1000000000 / sysconf(_SC_CLK_TCK);
}

} // namespace

qint64 nowNs()
{
    return clockNs(CLOCK_MONOTONIC);
}

qint64 processStartNs()
{
    bool given = false;
    const qint64 spawnedAt = qgetenv(SPAWNED_AT_VARIABLE).toLongLong(&given);
    if (given)
        return spawnedAt;
    const qint64 sinceBoot = kernelStartSinceBootNs();
    if (sinceBoot < 0)
        return nowNs();
    return nowNs() - (clockNs(CLOCK_BOOTTIME) - sinceBoot);
}

} // namespace ProcessClock
