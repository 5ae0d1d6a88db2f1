#pragma once

#include "bench/threadschedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Beats every millisecond on the thread it lives on; the longest gap between two beats is
// the longest time that thread's event loop did not get round to its timers. On a loaded
// machine part of a gap can be time the thread waited for a CPU held by other processes;
// that part is kept apart, as is the time the thread actually ran within a gap.
class Heartbeat : public QObject
{
    Q_OBJECT

public:
    // Create it on the thread to watch.
    explicit Heartbeat(QObject *parent = nullptr);

    void start();
    void stop();

    // All since the last start(), over single gaps between two beats.
    double longestGapMs() const { return longestGapNs / 1e6; }
    // A gap less the time the thread waited for a CPU within it.
    double longestOwnGapMs() const { return longestOwnGapNs / 1e6; }
    // The time the thread ran within a gap.
    double longestBusyMs() const { return longestBusyNs / 1e6; }

private:
    void beat();

    QTimer timer;
    QElapsedTimer clock;
    ThreadSchedule schedule;
    qint64 lastBeatNs = 0;
    ThreadSchedule::Totals lastTotals;
    qint64 longestGapNs = 0;
    qint64 longestOwnGapNs = 0;
    qint64 longestBusyNs = 0;
};
