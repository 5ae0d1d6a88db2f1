// SPDX-License-Identifier: GPL-3.0-or-later
#include "heartbeat.h"

#include <QFile>
#include <QGuiApplication>

#include <fcntl.h>
#include <sys/syscall.h>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// The watcher sleeps this long between looks at the clock; a look that comes later than
// sleep plus slack (and not for want of a processor) marks a stall.
constexpr qint64 WATCH_SLEEP_NS = 1000000;
constexpr qint64 WATCH_SLACK_NS = 3000000;
// A watcher notes a stall once it is over, which may be after this thread's next tick: a
// stretch is judged once every watcher has looked after its end. stop() waits that long
// for the last ones at most.
constexpr int WATCHER_WAIT_LIMIT_MS = 100;
// A stretch without a tick this long has the first watcher look at where the thread is.
constexpr qint64 LOOK_AT_THREAD_NS = 8000000;

// ThreadSanitizer symbolizes a race's stacks on the thread that hit it, also to find the
// race suppressed, and its first symbolization reads the debug information of every module
// loaded: 130-300 ms on a processor, once per process, that would land in whichever pause
// met the first such race. It is done before any measuring instead. (The call takes a
// return address and looks one byte before it.)
void symbolizeOnce()
{
#if defined(__SANITIZE_THREAD__)
    static std::once_flag once;
    std::call_once(once, [] {
        char name[256];
        __sanitizer_symbolize_pc(reinterpret_cast<char *>(&symbolizeOnce) + 1, "%F", name, sizeof name);
    });
#endif
}

QString firstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readLine(200)).trimmed();
}

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

// Field `number` of "stat" (1-based, as proc(5) counts them), after the command name, which
// may hold spaces; -1 when unknown.
qint64 statField(int fd, int number)
{
    char text[1024] = {};
    if (fd < 0 || ::pread(fd, text, sizeof text - 1, 0) <= 0)
        return -1;
    const char *field = std::strrchr(text, ')'); // ends field 2
    for (int i = 2; field && i < number; ++i)
        field = std::strchr(field + 1, ' ');
    return field ? std::strtoll(field + 1, nullptr, 10) : -1;
}

constexpr int STAT_MAJOR_FAULTS = 12;
constexpr int STAT_PROCESSOR = 39;

// The processors this thread may run on.
std::vector<int> allowedProcessors()
{
    std::vector<int> processors;
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            if (CPU_ISSET(cpu, &set))
                processors.push_back(cpu);
    return processors;
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
    stopWatcher();
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
    m_threadId = pid_t(::syscall(SYS_gettid));
    symbolizeOnce();
    if (m_watchers.empty()) {
        {
            std::lock_guard lock(m_stallsMutex);
            m_stalls.clear();
        }
        m_watching = true;
        // One watcher kept on each processor, so that a processor that was away is told
        // from the thread's own sleep; one anywhere where the processors are not known.
        std::vector<int> processors = allowedProcessors();
        if (processors.empty())
            processors.push_back(-1);
        m_watcherLookedNs = std::make_unique<std::atomic<qint64>[]>(processors.size());
        for (size_t i = 0; i < processors.size(); ++i) {
            std::atomic<qint64> *lookedNs = &m_watcherLookedNs[i];
            m_watchers.emplace_back([this, processor = processors[i], lookedNs, first = i == 0] { watch(processor, lookedNs, first); });
        }
    }
    m_stretches.clear();
    m_longest = {};
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
    QElapsedTimer waited;
    waited.start();
    while (!m_watchers.empty() && watchersLookedNs() < m_lastTickNs && waited.elapsed() < WATCHER_WAIT_LIMIT_MS)
        std::this_thread::sleep_for(std::chrono::nanoseconds(WATCH_SLEEP_NS));
    judgeStretches(std::numeric_limits<qint64>::max());
    stopWatcher();
}

void Heartbeat::stopWatcher()
{
    m_watching = false;
    for (std::thread &watcher : m_watchers)
        watcher.join();
    m_watchers.clear();
}

qint64 Heartbeat::watchersLookedNs() const
{
    qint64 earliest = std::numeric_limits<qint64>::max();
    for (size_t i = 0; i < m_watchers.size(); ++i)
        earliest = std::min(earliest, m_watcherLookedNs[i].load());
    return earliest;
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
    times.majorFaults = std::max<qint64>(0, statField(m_stat, STAT_MAJOR_FAULTS));
    times.processor = int(statField(m_stat, STAT_PROCESSOR));
    return times;
}

void Heartbeat::tick()
{
    const qint64 nowNs = m_clock.nsecsElapsed();
    const ThreadTimes now = threadTimes();
    Stretch stretch{m_lastTickNs, nowNs, m_atLastTick, now, {}};
    {
        std::lock_guard lock(m_stallsMutex);
        if (m_seenInStretchFromNs == stretch.fromNs)
            stretch.seenIn = m_seenIn;
    }
    m_stretches.push_back(std::move(stretch));
    judgeStretches(m_watchers.empty() ? std::numeric_limits<qint64>::max() : watchersLookedNs());

    m_lastTickNs = nowNs;
    m_atLastTick = now;
    ++m_ticks;
    if (QGuiApplication::overrideCursor())
        m_sawOverrideCursor = true;
}

void Heartbeat::judgeStretches(qint64 watchersLookedNs)
{
    while (!m_stretches.empty() && m_stretches.front().toNs <= watchersLookedNs) {
        judge(m_stretches.front());
        m_stretches.pop_front();
    }
    // A stall that ended before the oldest stretch still to judge overlaps none.
    const qint64 oldestNs = m_stretches.empty() ? m_lastTickNs.load() : m_stretches.front().fromNs;
    std::lock_guard lock(m_stallsMutex);
    m_stalls.erase(std::remove_if(m_stalls.begin(), m_stalls.end(), [oldestNs](const Stall &stall) { return stall.toNs < oldestNs; }),
                   m_stalls.end());
}

void Heartbeat::judge(const Stretch &stretch)
{
    const qint64 wallNs = stretch.toNs - stretch.fromNs;
    const qint64 runningNs = std::clamp<qint64>(stretch.atTo.runningNs - stretch.atFrom.runningNs, 0, wallNs);
    const qint64 waitingNs = std::clamp<qint64>(stretch.atTo.waitingNs - stretch.atFrom.waitingNs, 0, wallNs - runningNs);
    const qint64 offNs = wallNs - runningNs - waitingNs;
    const qint64 faults = stretch.atTo.majorFaults - stretch.atFrom.majorFaults;
    // The thread slept on the processor it was on at the tick before and woke on this one.
    const qint64 stalledNs = processStallNs(stretch.fromNs, stretch.toNs, stretch.atFrom.processor, stretch.atTo.processor);
    const qint64 ownOffNs = faults == 0 ? std::max<qint64>(0, offNs - stalledNs) : 0;
    const qint64 pauseNs = runningNs + ownOffNs;

    m_longest.wallNs = std::max(m_longest.wallNs, wallNs);
    m_longest.unqueuedNs = std::max(m_longest.unqueuedNs, runningNs + offNs);
    m_longest.runningNs = std::max(m_longest.runningNs, runningNs);
    if (pauseNs > m_longest.ownNs) {
        m_longest.ownNs = pauseNs;
        m_longestBreakdown = QStringLiteral("%1 ms in all: %2 ms on a processor, %3 ms waiting for one, %4 ms off one "
                                            "(%5 major page faults; its processors away for %6 ms of it)")
                                 .arg(ms(wallNs), 0, 'f', 1)
                                 .arg(ms(runningNs), 0, 'f', 1)
                                 .arg(ms(waitingNs), 0, 'f', 1)
                                 .arg(ms(offNs), 0, 'f', 1)
                                 .arg(faults)
                                 .arg(ms(std::min(stalledNs, offNs)), 0, 'f', 1);
        if (!stretch.seenIn.isEmpty())
            m_longestBreakdown += QStringLiteral("; %1 ms into it the thread was in %2").arg(ms(LOOK_AT_THREAD_NS), 0, 'f', 0).arg(stretch.seenIn);
    }
}

void Heartbeat::lookAtThread(qint64 stretchFromNs)
{
    // "syscall" holds the number and arguments of the system call the thread is in (7 is
    // poll, 202 futex, the third argument of poll its timeout); "wchan" the kernel function.
    const QString task = QStringLiteral("/proc/self/task/%1/").arg(m_threadId);
    const QString seen = QStringLiteral("system call %1, in %2")
                             .arg(firstLine(task + QLatin1String("syscall")), firstLine(task + QLatin1String("wchan")));
    std::lock_guard lock(m_stallsMutex);
    m_seenIn = seen;
    m_seenInStretchFromNs = stretchFromNs;
}

void Heartbeat::watch(int processor, std::atomic<qint64> *lookedNsOut, bool looksAtThread)
{
    if (processor >= 0) {
        cpu_set_t set;
        CPU_ZERO(&set);
        CPU_SET(processor, &set);
        if (pthread_setaffinity_np(pthread_self(), sizeof set, &set) != 0)
            processor = -1;
    }
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
            m_stalls.push_back({nowNs - heldNs, nowNs, processor});
        }
        const qint64 stretchFromNs = m_lastTickNs.load();
        if (looksAtThread && nowNs - stretchFromNs > LOOK_AT_THREAD_NS) {
            bool looked = false;
            {
                std::lock_guard lock(m_stallsMutex);
                looked = m_seenInStretchFromNs == stretchFromNs;
            }
            if (!looked)
                lookAtThread(stretchFromNs);
        }
        lookedNs = nowNs;
        waitedBefore = waited;
        *lookedNsOut = nowNs;
    }
    if (schedstat >= 0)
        ::close(schedstat);
}

qint64 Heartbeat::processStallNs(qint64 fromNs, qint64 toNs, int processorBefore, int processorAfter)
{
    std::lock_guard lock(m_stallsMutex);
    if (m_stalls.empty())
        return 0; // the common tick: nothing to sort out
    std::vector<Stall> overlapping;
    for (const Stall &stall : m_stalls) {
        const bool concerned = stall.processor < 0 || stall.processor == processorBefore || stall.processor == processorAfter;
        if (concerned && stall.toNs > fromNs && stall.fromNs < toNs)
            overlapping.push_back({std::max(stall.fromNs, fromNs), std::min(stall.toNs, toNs), stall.processor});
    }
    // Both processors away at once (the whole process held up) counts once.
    std::sort(overlapping.begin(), overlapping.end(), [](const Stall &a, const Stall &b) { return a.fromNs < b.fromNs; });
    qint64 total = 0;
    qint64 coveredUntil = fromNs;
    for (const Stall &stall : overlapping) {
        total += std::max<qint64>(0, stall.toNs - std::max(stall.fromNs, coveredUntil));
        coveredUntil = std::max(coveredUntil, stall.toNs);
    }
    return total;
}
