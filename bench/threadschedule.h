#pragma once

#include <QtGlobal>

// The scheduler's account of the thread that creates it: how long it has run on a CPU, and
// how long it has waited, runnable, for a CPU that other threads or processes held. Time the
// thread sleeps in a call is in neither.
class ThreadSchedule
{
public:
    struct Totals {
        qint64 runNs = 0;
        qint64 waitNs = 0;
    };

    ThreadSchedule();
    ~ThreadSchedule();
    ThreadSchedule(const ThreadSchedule &) = delete;
    ThreadSchedule &operator=(const ThreadSchedule &) = delete;

    // Since the thread started; zeros when the kernel keeps no such account.
    Totals totals() const;

private:
    int file = -1;
};
