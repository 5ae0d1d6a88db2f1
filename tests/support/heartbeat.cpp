#include "heartbeat.h"

#include <QGuiApplication>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

Heartbeat::Heartbeat(QObject *parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &Heartbeat::tick);
}

Heartbeat::~Heartbeat()
{
    if (m_schedstat >= 0)
        ::close(m_schedstat);
}

void Heartbeat::start()
{
    if (m_schedstat < 0)
        m_schedstat = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
    m_longestPauseNs = 0;
    m_longestWallPauseNs = 0;
    m_ticks = 0;
    m_sawOverrideCursor = QGuiApplication::overrideCursor() != nullptr;
    skipPause();
    m_timer.start();
}

void Heartbeat::stop()
{
    // The stretch since the last tick counts as well: a pause that lasts until the end
    // would otherwise go unseen.
    tick();
    m_timer.stop();
}

void Heartbeat::skipPause()
{
    m_sinceLastTick.start();
    m_runQueueWaitAtLastTickNs = runQueueWaitNs();
}

qint64 Heartbeat::runQueueWaitNs() const
{
    // "<time on a processor> <time waiting in the run queue> <timeslices>", in nanoseconds.
    char text[96] = {};
    if (m_schedstat < 0 || ::pread(m_schedstat, text, sizeof text - 1, 0) <= 0)
        return 0;
    char *afterFirst = nullptr;
    std::strtoll(text, &afterFirst, 10);
    return std::strtoll(afterFirst, nullptr, 10);
}

void Heartbeat::tick()
{
    const qint64 wallNs = m_sinceLastTick.nsecsElapsed();
    const qint64 waitNow = runQueueWaitNs();
    const qint64 pauseNs = wallNs - (waitNow - m_runQueueWaitAtLastTickNs);
    m_longestWallPauseNs = qMax(m_longestWallPauseNs, wallNs);
    m_longestPauseNs = qMax(m_longestPauseNs, pauseNs);
    m_sinceLastTick.start();
    m_runQueueWaitAtLastTickNs = waitNow;
    ++m_ticks;
    if (QGuiApplication::overrideCursor())
        m_sawOverrideCursor = true;
}
