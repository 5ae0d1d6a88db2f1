#include "heartbeat.h"

#include <QThread>
#include <QTimer>
#include <QtTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int BLOCK_MS = 150;

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
};

// Asleep is neither on a processor nor waiting for one: unless the whole process was held
// up, that time is the program's.
void TestHeartbeat::blockedEventLoopCounts()
{
    Heartbeat heartbeat;
    heartbeat.start();
    QTimer::singleShot(5, this, [] { QThread::msleep(BLOCK_MS); });
    QTest::qWait(BLOCK_MS + 50);
    heartbeat.stop();
    QVERIFY2(heartbeat.longestPauseMs() >= BLOCK_MS * 9 / 10, qPrintable(heartbeat.longestPauseBreakdown()));
    QVERIFY(heartbeat.longestWallPauseMs() >= heartbeat.longestPauseMs());
    QVERIFY(heartbeat.ticks() > 0);
}

void TestHeartbeat::leftOutWorkDoesNotCount()
{
    Heartbeat heartbeat;
    heartbeat.start();
    QTest::qWait(20);
    heartbeat.leaveOut([] { QThread::msleep(BLOCK_MS); });
    QTest::qWait(20);
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
    QTest::qWait(BLOCK_MS + 100);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    heartbeat.stop();
    QVERIFY2(heartbeat.longestWallPauseMs() >= BLOCK_MS - 1, "the process was not stopped");
    QVERIFY2(heartbeat.longestPauseMs() < BLOCK_MS / 2, qPrintable(heartbeat.longestPauseBreakdown()));
}

QTEST_MAIN(TestHeartbeat)
#include "tst_heartbeat.moc"
