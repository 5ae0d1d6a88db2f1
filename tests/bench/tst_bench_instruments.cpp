// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchcommand.h"
#include "bench/eventwait.h"
#include "bench/devicelistrows.h"
#include "bench/firstframewatch.h"
#include "bench/hotplugbench.h"
#include "bench/processclock.h"
#include "bench/processusage.h"
#include "bench/startupbench.h"
#include "bench/workerlocatingapplication.h"

#include "app/mainwindow.h"
#include "device/settingsuibackgroundthread.h"
#include "virtualcontroller.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QThread>
#include <QtTest>

namespace {

constexpr int JOYSTICK = 22777;

void spinFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
    }
}

} // namespace

class TestBenchInstruments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void workerIsKnownOnceTheWindowExists();
    void commandButtonsAreTheWindowsOwn();
    void hotplugTimesEveryChangeAndLeavesTheListAsFound();

    void eventWaitEndsOnConditionOrTimeout();

    void firstFrameIsNotedOnce();
    void processStartComesFromTheParent();
    void processUsageReadsThisProcess();

    void startupProbeReportsBothMoments();
    void probeWithoutReportCountsAsFailure();

private:
    VirtualController controller;
};

void TestBenchInstruments::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(qobject_cast<WorkerLocatingApplication *>(QCoreApplication::instance()));
}

void TestBenchInstruments::init()
{
    QVERIFY(controller.reset());
}

void TestBenchInstruments::workerIsKnownOnceTheWindowExists()
{
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    auto *application = static_cast<WorkerLocatingApplication *>(QCoreApplication::instance());
    MainWindow window;
    SettingsUiBackgroundThread *worker = application->worker();
    QVERIFY(worker);

    // It is the window's worker: what it publishes is what the window lists.
    QList<int> published;
    connect(worker, &SettingsUiBackgroundThread::connectedDevices, &window,
            [&](const QMap<int, DeviceInfoTypeDef> &devices) { published = devices.keys(); }, Qt::QueuedConnection);
    QTRY_COMPARE(published, QList<int>{JOYSTICK});
    QVERIFY(worker->thread() != QThread::currentThread());
}

void TestBenchInstruments::commandButtonsAreTheWindowsOwn()
{
    MainWindow window;
    const auto *pages = window.findChild<QTabWidget *>(QStringLiteral("main_tab_widget"));
    QVERIFY(pages);
    for (const BenchCommand &command : BenchCommand::all()) {
        auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(command.buttonName));
        QVERIFY2(button, command.buttonName);
        // The button sits on the page the benchmark shows while the command runs.
        QVERIFY2(pages->widget(command.page)->isAncestorOf(button), command.buttonName);
    }
}

void TestBenchInstruments::hotplugTimesEveryChangeAndLeavesTheListAsFound()
{
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    MainWindow window;
    QTRY_COMPARE(DeviceListRows::shown(window), 1);

    const HotplugFigures figures = HotplugBench(window, controller).measure(QStringLiteral("rudder"), 2);
    QCOMPARE(figures.failures, 0);
    QCOMPARE(figures.listedMs.count(), 2);
    QCOMPARE(figures.goneMs.count(), 2);
    QCOMPARE(DeviceListRows::shown(window), 1);
    // Each plug is a controller of its own, pulled again.
    QVERIFY(!controller.isPlugged(2));
    QVERIFY(!controller.isPlugged(3));
}

void TestBenchInstruments::eventWaitEndsOnConditionOrTimeout()
{
    bool fired = false;
    QTimer::singleShot(10, this, [&] { fired = true; });
    QVERIFY(EventWait::until([&] { return fired; }, 5000));
    QVERIFY(!EventWait::until([] { return false; }, 20));
}

void TestBenchInstruments::firstFrameIsNotedOnce()
{
    QWidget widget;
    widget.resize(200, 100);
    FirstFrameWatch watch(widget);
    int frames = 0;
    connect(&watch, &FirstFrameWatch::firstFrame, this, [&] { ++frames; });
    QVERIFY(!watch.framed());
    const qint64 before = ProcessClock::nowNs();
    widget.show();
    QTRY_VERIFY(watch.framed());
    QVERIFY(watch.frameEnd() >= before);
    QVERIFY(watch.frameEnd() <= ProcessClock::nowNs());

    widget.hide();
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    EventWait::forMs(50);
    QCOMPARE(frames, 1);
}

void TestBenchInstruments::processStartComesFromTheParent()
{
    const qint64 now = ProcessClock::nowNs();
    const qint64 kernelStart = ProcessClock::processStartNs();
    QVERIFY(kernelStart <= now);
    // This test process started within the last hour, well after the monotonic clock's zero.
    QVERIFY(kernelStart > now - qint64(3600) * 1000000000);

    qputenv(ProcessClock::SPAWNED_AT_VARIABLE, QByteArray::number(now - 12345));
    QCOMPARE(ProcessClock::processStartNs(), now - 12345);
    qunsetenv(ProcessClock::SPAWNED_AT_VARIABLE);
}

void TestBenchInstruments::processUsageReadsThisProcess()
{
    QVERIFY(ProcessUsage::residentMegabytes() > 1);
    const double before = ProcessUsage::cpuSeconds();
    spinFor(30);
    QVERIFY(ProcessUsage::cpuSeconds() > before);
}

void TestBenchInstruments::startupProbeReportsBothMoments()
{
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    const StartupFigures figures = StartupBench(QStringLiteral(KESTROV_BENCH_PROGRAM)).run(1);
    QVERIFY2(figures.failures == 0, qPrintable(figures.lastError));
    QCOMPARE(figures.shownMs.count(), 1);
    QVERIFY(figures.shownMs.median() > 0);
    QVERIFY(figures.firstControllerMs.median() > 0);
    QVERIFY(figures.beyondShownMs.median() >= 0);
    QVERIFY(figures.beyondShownMs.median() <= figures.firstControllerMs.median());
}

void TestBenchInstruments::probeWithoutReportCountsAsFailure()
{
    const StartupFigures figures = StartupBench(QStringLiteral("/bin/true")).run(2);
    QCOMPARE(figures.failures, 2);
    QVERIFY(figures.shownMs.isEmpty());
    QVERIFY(!figures.lastError.isEmpty());
}

int main(int argc, char *argv[])
{
    // The worker is found only by this application class.
    WorkerLocatingApplication application(argc, argv);
    TestBenchInstruments test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bench_instruments.moc"
