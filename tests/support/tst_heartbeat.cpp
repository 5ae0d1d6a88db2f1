// SPDX-License-Identifier: GPL-3.0-or-later
#include "heartbeat.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int BLOCK_MS = 150;
// Short enough to spin through.
constexpr int SHORT_BLOCK_MS = 40;
constexpr qint64 NS_PER_MS = 1000000;

void spinFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
    }
}

// Runs `work` in the event loop, as a slot that blocks it would; true once the heartbeat has
// ticked after it, which measures the stretch.
template<typename Work>
bool blockEventLoop(QObject *context, const Heartbeat &heartbeat, Work work)
{
    qint64 ticksAfterWork = -1;
    QTimer::singleShot(5, context, [&] {
        work();
        ticksAfterWork = heartbeat.ticks();
    });
    return QTest::qWaitFor([&] { return ticksAfterWork >= 0 && heartbeat.ticks() > ticksAfterWork; }, 5000);
}

#if defined(__SANITIZE_THREAD__)
int racedOn = 0;
// Written from two threads with nothing ordering them, on purpose; tsan.supp exempts it.
__attribute__((noinline)) void heartbeatTestRace(int value)
{
    racedOn = value;
}
#endif

} // namespace

// The pause the reliability tests hold the window to: a GUI thread that blocks must show
// up in full, whatever the heartbeat leaves out as the machine's doing.
class TestHeartbeat : public QObject
{
    Q_OBJECT

private slots:
    void blockedEventLoopCounts();
    void leftOutWorkDoesNotCount();
    void wholeProcessStallIsLeftOut();
    void sleepingAndSpinningAreToldApart();
    void suppressedRaceIsNotAPause();
};

// Asleep is neither on a processor nor waiting for one: unless the whole process was held
// up, that time is the program's. A busy host may hold the whole process up (the watcher
// with it) during the block, which the heartbeat rightly leaves out; the block is tried
// again then, and a heartbeat that never counts it fails every try.
void TestHeartbeat::blockedEventLoopCounts()
{
    constexpr int TRIES = 3;
    QStringList breakdowns;
    for (int attempt = 0; attempt < TRIES; ++attempt) {
        Heartbeat heartbeat;
        heartbeat.start();
        QVERIFY(blockEventLoop(this, heartbeat, [] { QThread::msleep(BLOCK_MS); }));
        heartbeat.stop();
        QVERIFY(heartbeat.longestWallPauseMs() >= heartbeat.longestPauseMs());
        QVERIFY(heartbeat.longestWallPauseMs() >= BLOCK_MS);
        if (heartbeat.longestPauseMs() >= BLOCK_MS * 9 / 10) {
            // Where the thread slept is named: clock_nanosleep, system call 230 on x86-64.
            QVERIFY2(heartbeat.longestPauseBreakdown().contains(QLatin1String("the thread was in system call 230 ")),
                     qPrintable(heartbeat.longestPauseBreakdown()));
            return;
        }
        breakdowns << heartbeat.longestPauseBreakdown();
    }
    QFAIL(qPrintable(breakdowns.join(QLatin1String("; "))));
}

void TestHeartbeat::leftOutWorkDoesNotCount()
{
    Heartbeat heartbeat;
    heartbeat.start();
    QTRY_VERIFY(heartbeat.ticks() > 0);
    heartbeat.leaveOut([] { QThread::msleep(BLOCK_MS); });
    // A tick after the work, which measures the stretch since it.
    const qint64 ticksAfterWork = heartbeat.ticks();
    QTRY_VERIFY(heartbeat.ticks() > ticksAfterWork);
    heartbeat.stop();
    QVERIFY2(heartbeat.longestPauseMs() < BLOCK_MS / 2, qPrintable(heartbeat.longestPauseBreakdown()));
    QVERIFY(heartbeat.longestWallPauseMs() < BLOCK_MS / 2);
}

// The whole process stopped from outside, as when the machine pages or the virtual machine
// is paused: the GUI thread was held up, but not by the program.
void TestHeartbeat::wholeProcessStallIsLeftOut()
{
    Heartbeat heartbeat;
    heartbeat.start();
    // Fixed: the watcher thread must have taken its first look before the stop, and it
    // tells nobody when; 20 ms are twenty of its looks.
    QTest::qWait(20);
    const pid_t self = getpid();
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        kill(self, SIGSTOP);
        usleep(BLOCK_MS * 1000);
        kill(self, SIGCONT);
        _exit(0);
    }
    // Until the child has stopped and continued this process, then a tick after that.
    int status = 0;
    QVERIFY(QTest::qWaitFor([&] { return waitpid(child, &status, WNOHANG) == child; }, 5000));
    const qint64 ticksAfterStall = heartbeat.ticks();
    QTRY_VERIFY(heartbeat.ticks() > ticksAfterStall);
    heartbeat.stop();
    QVERIFY2(heartbeat.longestWallPauseMs() >= BLOCK_MS - 1, "the process was not stopped");
    QVERIFY2(heartbeat.longestPauseMs() < BLOCK_MS / 2, qPrintable(heartbeat.longestPauseBreakdown()));
}

// The benchmark's measures beside the pause: asleep, the thread neither ran nor waited for a
// processor; spinning, it ran the whole time.
void TestHeartbeat::sleepingAndSpinningAreToldApart()
{
    Heartbeat heartbeat;
    heartbeat.start();
    QVERIFY(blockEventLoop(this, heartbeat, [] { QThread::msleep(SHORT_BLOCK_MS); }));
    heartbeat.stop();
    const Heartbeat::Pauses asleep = heartbeat.longestPauses();

    heartbeat.start();
    QVERIFY(blockEventLoop(this, heartbeat, [] { spinFor(SHORT_BLOCK_MS); }));
    heartbeat.stop();
    const Heartbeat::Pauses spinning = heartbeat.longestPauses();

    for (const Heartbeat::Pauses &longest : {asleep, spinning}) {
        QVERIFY2(longest.wallNs >= SHORT_BLOCK_MS * NS_PER_MS, qPrintable(QString::number(longest.wallNs)));
        QVERIFY(longest.unqueuedNs <= longest.wallNs);
        QVERIFY(longest.runningNs <= longest.wallNs);
    }
    QVERIFY2(asleep.unqueuedNs >= SHORT_BLOCK_MS * NS_PER_MS, qPrintable(QString::number(asleep.unqueuedNs)));
    QVERIFY2(asleep.runningNs < SHORT_BLOCK_MS * NS_PER_MS / 2, qPrintable(QString::number(asleep.runningNs)));
    QVERIFY2(spinning.runningNs > asleep.runningNs,
             qPrintable(QStringLiteral("%1 %2").arg(spinning.runningNs).arg(asleep.runningNs)));
}

// ThreadSanitizer looks up a race's stacks on the thread that meets it, even to find it
// suppressed; the first look-up in a process reads every module's debug information. That
// time is the test build's, not the program's, and must not land in a measured pause.
void TestHeartbeat::suppressedRaceIsNotAPause()
{
#if !defined(__SANITIZE_THREAD__)
    QSKIP("only ThreadSanitizer looks races up");
#else
    // A relaxed flag orders nothing, so the second write below races with the first.
    std::atomic<bool> written = false;
    std::thread other([&] {
        heartbeatTestRace(1);
        written.store(true, std::memory_order_relaxed);
    });
    QVERIFY(QTest::qWaitFor([&] { return written.load(std::memory_order_relaxed); }, 5000));
    Heartbeat heartbeat;
    heartbeat.start();
    QVERIFY(blockEventLoop(this, heartbeat, [] { heartbeatTestRace(2); }));
    heartbeat.stop();
    other.join();
    QCOMPARE(racedOn, 2);
    QVERIFY2(heartbeat.longestPauseMs() < SHORT_BLOCK_MS, qPrintable(heartbeat.longestPauseBreakdown()));
#endif
}

QTEST_MAIN(TestHeartbeat)
#include "tst_heartbeat.moc"
