#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Ticks every millisecond on the thread it lives on (the GUI thread) and remembers the
// longest pause between two ticks: a pause means that thread was kept from its event loop.
// Time the thread spent ready to run but waiting for a free processor (the scheduler's run
// queue, from /proc/thread-self/schedstat) is not the program's doing and is left out of
// the pause; the wall-clock pause is kept as well. It also notes whether the application's
// override cursor was up at any tick.
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
    qint64 ticks() const { return m_ticks; }
    bool sawOverrideCursor() const { return m_sawOverrideCursor; }

private:
    void tick();
    // Nanoseconds this thread has waited in the run queue so far; 0 when unknown.
    qint64 runQueueWaitNs() const;

    QTimer m_timer;
    QElapsedTimer m_sinceLastTick;
    int m_schedstat = -1;
    qint64 m_runQueueWaitAtLastTickNs = 0;
    qint64 m_longestPauseNs = 0;
    qint64 m_longestWallPauseNs = 0;
    qint64 m_ticks = 0;
    bool m_sawOverrideCursor = false;
};
