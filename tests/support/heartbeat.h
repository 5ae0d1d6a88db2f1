// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <sys/types.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Ticks every millisecond on the thread it lives on (the GUI thread) and remembers the
// longest pause between two ticks: a pause means that thread was kept from its event loop.
// Some of a pause is not the program's doing and is left out:
// - time the thread was ready to run but waited for a free processor (the scheduler's run
//   queue, from /proc/thread-self/schedstat);
// - time it was off a processor while it waited for the disk to page in the program's own
//   code or data (a major page fault in the pause, as on a machine short of memory);
// - time it was off a processor while the processor it slept or woke on was away: an idle
//   watcher thread kept on that processor was held up as well, not for want of a processor
//   (a stall of the whole process, or a virtual machine's processor that its host did not
//   run; such a host reports no steal time, so a sleeping thread's timer just fires late).
// Time on a processor always counts. Beside that pause it keeps the wall-clock one, the one
// less only the waits for a processor, and the time on one (Pauses; the benchmark reports
// them). It also notes whether the application's override cursor was up at any tick.
class Heartbeat : public QObject
{
    Q_OBJECT

public:
    // The longest of each measure over the stretches between two ticks since start(); each
    // may come from a different stretch.
    struct Pauses {
        qint64 wallNs = 0;     // the stretch itself
        qint64 ownNs = 0;      // less what is not the program's doing, as above
        qint64 unqueuedNs = 0; // less only the time the thread waited for a free processor
        qint64 runningNs = 0;  // the time the thread spent on a processor
    };

    explicit Heartbeat(QObject *parent = nullptr);
    ~Heartbeat() override;

    // On the thread to watch. stop() ends the watcher thread as well, so that a heartbeat
    // kept between measurements (as the benchmark's) leaves the process alone.
    void start();
    void stop();
    // Forgets the time since the last tick, for pauses the test itself causes on purpose.
    void skipPause();
    // Runs the test's own `work` (reading logs, asking the runner) and leaves its time out
    // of the pauses, while the stretch before it still counts.
    template<typename Work>
    decltype(auto) leaveOut(Work &&work)
    {
        tick();
        struct Restart {
            Heartbeat &heartbeat;
            ~Restart() { heartbeat.skipPause(); }
        } restart{*this};
        return work();
    }

    const Pauses &longestPauses() const { return m_longest; }
    qint64 longestPauseMs() const { return m_longest.ownNs / 1000000; }
    qint64 longestWallPauseMs() const { return m_longest.wallNs / 1000000; }
    // How the longest pause was made up, for a message when it is too long.
    QString longestPauseBreakdown() const;
    qint64 ticks() const { return m_ticks; }
    bool sawOverrideCursor() const { return m_sawOverrideCursor; }

private:
    struct ThreadTimes {
        qint64 runningNs = 0;
        qint64 waitingNs = 0;
        qint64 majorFaults = 0;
        int processor = -1;
    };
    // A stretch in which the watcher kept on `processor` was held up (-1: on any processor).
    struct Stall {
        qint64 fromNs;
        qint64 toNs;
        int processor;
    };

    // The time between two ticks, measured at the second; judged once the watchers have
    // looked after its end.
    struct Stretch {
        qint64 fromNs = 0;
        qint64 toNs = 0;
        ThreadTimes atFrom; // the thread's totals at the tick that began it
        ThreadTimes atTo;
        QString seenIn; // where a watcher saw the thread, when it looked in this stretch
    };

    void tick();
    // Judges the stretches that ended by `watchersLookedNs`, into the longest pauses.
    void judgeStretches(qint64 watchersLookedNs);
    void judge(const Stretch &stretch);
    // This thread's totals so far; zeros when unknown.
    ThreadTimes threadTimes() const;
    void watch(int processor, std::atomic<qint64> *lookedNs, bool looksAtThread);
    void lookAtThread(qint64 stretchFromNs);
    void stopWatcher();
    qint64 watchersLookedNs() const;
    // Time within [fromNs, toNs] in which a watcher on either processor was held up.
    qint64 processStallNs(qint64 fromNs, qint64 toNs, int processorBefore, int processorAfter);

    QTimer m_timer;
    QElapsedTimer m_clock;
    std::atomic<qint64> m_lastTickNs = 0;
    pid_t m_threadId = 0;
    ThreadTimes m_atLastTick;
    int m_schedstat = -1;
    int m_stat = -1;

    std::vector<std::thread> m_watchers;
    std::unique_ptr<std::atomic<qint64>[]> m_watcherLookedNs;
    std::atomic<bool> m_watching = false;
    std::mutex m_stallsMutex;
    std::vector<Stall> m_stalls;
    std::deque<Stretch> m_stretches; // measured, not judged yet (GUI thread only)
    // Where the watched thread was, looked at once in a stretch without a tick: the system call
    // and kernel function it slept in, and the tick the stretch began with (under m_stallsMutex).
    QString m_seenIn;
    qint64 m_seenInStretchFromNs = -1;

    Pauses m_longest;
    QString m_longestBreakdown;
    qint64 m_ticks = 0;
    bool m_sawOverrideCursor = false;
};
