#include "heartbeat.h"

#include <QGuiApplication>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The watcher sleeps this long between looks at the clock; a look that comes later than
// sleep plus slack (and not for want of a processor) marks a stall.
constexpr qint64 WATCH_SLEEP_NS = 1000000;
constexpr qint64 WATCH_SLACK_NS = 10000000;
// The watcher notes a stall once it is over, which may be after this thread's next tick; a
// pause longer than this waits (within a limit) for the watcher to look again.
constexpr qint64 LOOK_AGAIN_NS = 20000000;
constexpr int WATCHER_WAIT_LIMIT_MS = 100;

// "<time on a processor> <time waiting in the run queue> <timeslices>", in nanoseconds.
bool readSchedstat(int fd, qint64 *running, qint64 *waiting)
{
    char text[96] = {};
    if (fd < 0 || ::pread(fd, text, sizeof text - 1, 0) <= 0)
        return false;
    char *afterFirst = nullptr;
    *running = std::strtoll(text, &afterFirst, 10);
    *waiting = std::strtoll(afterFirst, nullptr, 10);
    return true;
}

// The thread's major page faults: the tenth field after the command name in "stat".
qint64 readMajorFaults(int fd)
{
    char text[512] = {};
    if (fd < 0 || ::pread(fd, text, sizeof text - 1, 0) <= 0)
        return 0;
    const char *field = std::strrchr(text, ')');
    for (int i = 0; field && i < 10; ++i)
        field = std::strchr(field + 1, ' ');
    return field ? std::strtoll(field + 1, nullptr, 10) : 0;
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

} // namespace

Heartbeat::Heartbeat(QObject *parent)
    : QObject(parent)
{
    m_clock.start();
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &Heartbeat::tick);
}

Heartbeat::~Heartbeat()
{
    m_watching = false;
    if (m_watcher.joinable())
        m_watcher.join();
    for (int fd : {m_schedstat, m_stat}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void Heartbeat::start()
{
    // /proc/thread-self is the thread that opens it: the watched one.
    if (m_schedstat < 0)
        m_schedstat = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
    if (m_stat < 0)
        m_stat = ::open("/proc/thread-self/stat", O_RDONLY | O_CLOEXEC);
    if (!m_watcher.joinable()) {
        m_watching = true;
        m_watcher = std::thread([this] { watch(); });
    }
    m_longestPauseNs = 0;
    m_longestWallPauseNs = 0;
    m_longestBreakdown.clear();
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
    m_lastTickNs = m_clock.nsecsElapsed();
    m_atLastTick = threadTimes();
}

QString Heartbeat::longestPauseBreakdown() const
{
    return m_longestBreakdown;
}

Heartbeat::ThreadTimes Heartbeat::threadTimes() const
{
    ThreadTimes times;
    readSchedstat(m_schedstat, &times.runningNs, &times.waitingNs);
    times.majorFaults = readMajorFaults(m_stat);
    return times;
}

void Heartbeat::tick()
{
    const qint64 nowNs = m_clock.nsecsElapsed();
    const ThreadTimes now = threadTimes();
    const qint64 wallNs = nowNs - m_lastTickNs;
    const qint64 runningNs = std::clamp<qint64>(now.runningNs - m_atLastTick.runningNs, 0, wallNs);
    const qint64 waitingNs = std::clamp<qint64>(now.waitingNs - m_atLastTick.waitingNs, 0, wallNs - runningNs);
    const qint64 offNs = wallNs - runningNs - waitingNs;
    const qint64 faults = now.majorFaults - m_atLastTick.majorFaults;
    qint64 stalledNs = processStallNs(m_lastTickNs, nowNs);
    const bool lookAgain = faults == 0 && runningNs + offNs - stalledNs > LOOK_AGAIN_NS;
    if (lookAgain) {
        QElapsedTimer waited;
        waited.start();
        while (m_watcherLookedNs.load() < nowNs && waited.elapsed() < WATCHER_WAIT_LIMIT_MS)
            std::this_thread::sleep_for(std::chrono::nanoseconds(WATCH_SLEEP_NS));
        stalledNs = processStallNs(m_lastTickNs, nowNs);
    }
    qint64 ownOffNs = 0;
    if (faults == 0)
        ownOffNs = std::max<qint64>(0, offNs - stalledNs);
    const qint64 pauseNs = runningNs + ownOffNs;

    m_longestWallPauseNs = std::max(m_longestWallPauseNs, wallNs);
    if (pauseNs > m_longestPauseNs) {
        m_longestPauseNs = pauseNs;
        m_longestBreakdown = QStringLiteral("%1 ms in all: %2 ms on a processor, %3 ms waiting for one, %4 ms off one "
                                            "(%5 major page faults; the whole process held up for %6 ms of it)")
                                 .arg(ms(wallNs), 0, 'f', 1)
                                 .arg(ms(runningNs), 0, 'f', 1)
                                 .arg(ms(waitingNs), 0, 'f', 1)
                                 .arg(ms(offNs), 0, 'f', 1)
                                 .arg(faults)
                                 .arg(ms(std::min(stalledNs, offNs)), 0, 'f', 1);
    }
    if (lookAgain) {
        skipPause(); // the moment spent waiting for the watcher is the heartbeat's own
    } else {
        m_lastTickNs = nowNs;
        m_atLastTick = now;
    }
    ++m_ticks;
    if (QGuiApplication::overrideCursor())
        m_sawOverrideCursor = true;
}

void Heartbeat::watch()
{
    const int schedstat = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
    qint64 running = 0;
    qint64 waitedBefore = 0;
    readSchedstat(schedstat, &running, &waitedBefore);
    qint64 lookedNs = m_clock.nsecsElapsed();
    while (m_watching) {
        std::this_thread::sleep_for(std::chrono::nanoseconds(WATCH_SLEEP_NS));
        const qint64 nowNs = m_clock.nsecsElapsed();
        qint64 waited = waitedBefore;
        readSchedstat(schedstat, &running, &waited);
        const qint64 heldNs = nowNs - lookedNs - WATCH_SLEEP_NS - (waited - waitedBefore);
        if (heldNs > WATCH_SLACK_NS) {
            std::lock_guard lock(m_stallsMutex);
            m_stalls.push_back({nowNs - heldNs, nowNs});
        }
        lookedNs = nowNs;
        waitedBefore = waited;
        m_watcherLookedNs = nowNs;
    }
    if (schedstat >= 0)
        ::close(schedstat);
}

qint64 Heartbeat::processStallNs(qint64 fromNs, qint64 toNs)
{
    std::lock_guard lock(m_stallsMutex);
    qint64 total = 0;
    for (const Stall &stall : m_stalls)
        total += std::max<qint64>(0, std::min(stall.toNs, toNs) - std::max(stall.fromNs, fromNs));
    // Stalls that ended before this stretch can't overlap a later one.
    m_stalls.erase(std::remove_if(m_stalls.begin(), m_stalls.end(),
                                  [fromNs](const Stall &stall) { return stall.toNs < fromNs; }),
                   m_stalls.end());
    return total;
}
