#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
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
// - time it was off a processor while an idle watcher thread of the same process was held
//   up as well, not for want of a processor: a stall of the whole process or machine.
// Time on a processor always counts. The wall-clock pause is kept as well. It also notes
// whether the application's override cursor was up at any tick.
class Heartbeat : public QObject
{
    Q_OBJECT

public:
    explicit Heartbeat(QObject *parent = nullptr);
    ~Heartbeat() override;

    // On the thread to watch.
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

    qint64 longestPauseMs() const { return m_longestPauseNs / 1000000; }
    qint64 longestWallPauseMs() const { return m_longestWallPauseNs / 1000000; }
    // How the longest pause was made up, for a message when it is too long.
    QString longestPauseBreakdown() const;
    qint64 ticks() const { return m_ticks; }
    bool sawOverrideCursor() const { return m_sawOverrideCursor; }

private:
    struct ThreadTimes {
        qint64 runningNs = 0;
        qint64 waitingNs = 0;
        qint64 majorFaults = 0;
    };
    struct Stall {
        qint64 fromNs;
        qint64 toNs;
    };

    void tick();
    // This thread's totals so far; zeros when unknown.
    ThreadTimes threadTimes() const;
    void watch();
    // Time within [fromNs, toNs] in which the watcher was held up.
    qint64 processStallNs(qint64 fromNs, qint64 toNs);

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastTickNs = 0;
    ThreadTimes m_atLastTick;
    int m_schedstat = -1;
    int m_stat = -1;

    std::thread m_watcher;
    std::atomic<bool> m_watching = false;
    std::atomic<qint64> m_watcherLookedNs = 0;
    std::mutex m_stallsMutex;
    std::vector<Stall> m_stalls;

    qint64 m_longestPauseNs = 0;
    qint64 m_longestWallPauseNs = 0;
    QString m_longestBreakdown;
    qint64 m_ticks = 0;
    bool m_sawOverrideCursor = false;
};
