// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/eventwait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace EventWait {

bool until(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    // Wakes the loop at the deadline even when nothing else happens.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void forMs(int milliseconds)
{
    until([] { return false; }, milliseconds);
}

} // namespace EventWait
