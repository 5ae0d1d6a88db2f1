#include "bench/heartbeat.h"

#include <algorithm>

Heartbeat::Heartbeat(QObject *parent)
    : QObject(parent)
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    connect(&timer, &QTimer::timeout, this, &Heartbeat::beat);
}

void Heartbeat::start()
{
    longestGapNs = 0;
    longestOwnGapNs = 0;
    longestBusyNs = 0;
    clock.start();
    lastBeatNs = 0;
    lastTotals = schedule.totals();
    timer.start();
}

void Heartbeat::stop()
{
    timer.stop();
    // A stall that is still going on when the measurement ends counts as well.
    beat();
}

void Heartbeat::beat()
{
    const qint64 now = clock.nsecsElapsed();
    const ThreadSchedule::Totals totals = schedule.totals();
    const qint64 gap = now - lastBeatNs;
    longestGapNs = std::max(longestGapNs, gap);
    longestOwnGapNs = std::max(longestOwnGapNs, gap - (totals.waitNs - lastTotals.waitNs));
    longestBusyNs = std::max(longestBusyNs, totals.runNs - lastTotals.runNs);
    lastBeatNs = now;
    lastTotals = totals;
}
