// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "heartbeat.h"
#include "mainwindowprobe.h"
#include "processmetrics.h"
#include "transferaudit.h"
#include "virtualcontroller.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QThreadPool>
#include <QtTest>

#include <memory>

using Action = WindowDriver::Action;

namespace {

constexpr int DEFAULT_SECONDS = 60;
// Resident memory may wander a little with the heap's own bookkeeping; a leak per
// operation or per replug grows far beyond this over a run. AddressSanitizer keeps freed
// memory in a quarantine before reusing it; kept small (below), it fills up early in the
// run, and its allocator caches need some room besides. ThreadSanitizer's own records of
// accesses and locks grow with the run whatever the tool does, so under it resident memory
// is only reported: the plain and AddressSanitizer runs catch leaks.
#if defined(__SANITIZE_ADDRESS__)
constexpr long long RSS_GROWTH_LIMIT_KB = 8 * 1024;
#else
constexpr long long RSS_GROWTH_LIMIT_KB = 4 * 1024;
#endif
#if defined(__SANITIZE_THREAD__)
constexpr bool CHECK_RSS_GROWTH = false;
#else
constexpr bool CHECK_RSS_GROWTH = true;
#endif
// A command waits for a controller 10 s at most; a few of them may be queued.
constexpr int COMMAND_DRAIN_LIMIT_MS = 30000;

struct Controller {
    QString description;
    int id = -1;
};

struct Sample {
    qint64 atMs = 0;
    long long residentKb = 0;
    int descriptors = 0;
};

struct Counts {
    int selections = 0;
    int deselections = 0;
    int unplugs = 0;
    int unplugsMidTraffic = 0;
    int replugs = 0;
    QMap<QString, int> actions;
};

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

template<typename Value>
double meanOver(const QList<Sample> &samples, qint64 fromMs, qint64 toMs, Value value)
{
    double sum = 0;
    int count = 0;
    for (const Sample &sample : samples) {
        if (sample.atMs >= fromMs && sample.atMs < toMs) {
            sum += double(value(sample));
            ++count;
        }
    }
    return count ? sum / count : 0;
}

QString reportCounts(const QList<Transfer> &log)
{
    QMap<QString, int> perReport;
    int failed = 0;
    for (const Transfer &transfer : log) {
        ++perReport[QStringLiteral("%1 0x%2").arg(transfer.isSet() ? "SET" : "GET").arg(transfer.reportId(), 2, 16, QLatin1Char('0'))];
        failed += !transfer.succeeded();
    }
    QStringList parts;
    for (auto it = perReport.cbegin(); it != perReport.cend(); ++it)
        parts << QStringLiteral("%1: %2").arg(it.key()).arg(it.value());
    return parts.join(QStringLiteral(", ")) + QStringLiteral("; failed: %1").arg(failed);
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// With the default quarantine of 256 MB, resident memory would grow through the whole run
// and hide a leak. ASAN_OPTIONS still overrides this.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=4";
}
#endif

// Three controllers unplugged and plugged in again at random while a user reads, applies
// and saves on whichever is selected. Seeded (KESTROV_SOAK_SEED repeats the choices); runs for
// KESTROV_SOAK_SECONDS (60 by default).
class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controllersComingAndGoing();

private:
    void plugEvent();
    void userStep();
    void checkPermanentMemories(const TransferAudit &audit);
    void checkResources() const;
    void report(const QList<Transfer> &log, const TransferAudit &audit, qint64 ranMs) const;

    QTemporaryDir workingDirectory;
    VirtualController controller;
    QRandomGenerator random;
    quint32 seed = 0;
    int seconds = DEFAULT_SECONDS;
    QList<Controller> controllers{{QStringLiteral("joystick")}, {QStringLiteral("rudder")}, {QStringLiteral("wheel")}};
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindowProbe> probe;
    std::unique_ptr<WindowDriver> driver;
    Heartbeat heartbeat;
    QList<Sample> samples;
    QStringList descriptorsBefore;
    Counts counts;
};

void TestSoak::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
    seconds = environmentNumber("KESTROV_SOAK_SECONDS", DEFAULT_SECONDS);
    bool seedGiven = false;
    seed = qgetenv("KESTROV_SOAK_SEED").toUInt(&seedGiven);
    if (!seedGiven)
        seed = QRandomGenerator::system()->generate();
    random.seed(seed);
    qInfo("soak: %d s, seed %u (KESTROV_SOAK_SEED=%u makes the same random choices again)", seconds, seed, seed);
}

void TestSoak::plugEvent()
{
    Controller &target = controllers[random.bounded(int(controllers.size()))];
    if (!controller.isPlugged(target.id)) {
        QVERIFY(controller.set(target.id, QStringLiteral("unplug-after=0")));
        QVERIFY(controller.replug(target.id));
        ++counts.replugs;
    } else if (random.bounded(3) == 0) {
        // Leaves after a few more transfers: in the middle of a command when it is the
        // selected one, or at a later probe.
        QVERIFY(controller.set(target.id, QStringLiteral("unplug-after=%1").arg(random.bounded(1, 16))));
        ++counts.unplugsMidTraffic;
    } else {
        // A controller told earlier to leave after a few transfers may leave on its own
        // between the look and the unplug; that is no fault.
        QVERIFY(controller.unplug(target.id) || !controller.isPlugged(target.id));
        ++counts.unplugs;
    }
}

void TestSoak::userStep()
{
    if (window->currentProductId() == -1) {
        const QList<int> rows = probe->visibleRows();
        if (rows.isEmpty())
            return;
        probe->pick(rows.at(random.bounded(int(rows.size()))));
        ++counts.selections;
        return;
    }
    if (random.bounded(40) == 0) {
        // Picking the selected row again lets it go.
        probe->pick(probe->devices()->currentIndex());
        ++counts.deselections;
        return;
    }
    const auto action = Action(random.bounded(6));
    if (!WindowDriver::isRead(action)) {
        const bool effects = WindowDriver::isEffects(action);
        driver->setEditedValue(effects, random.bounded(driver->editedValueMaximum(effects) + 1));
    }
    driver->press(action, 1 + random.bounded(WindowDriver::HARDWARE_PAGES));
    ++counts.actions[WindowDriver::name(action)];
}

void TestSoak::controllersComingAndGoing()
{
    QVERIFY(controller.reset());
    for (Controller &each : controllers) {
        each.id = controller.plug(each.description);
        QVERIFY(each.id > 0);
    }
    descriptorsBefore = ProcessMetrics::openDescriptorTargets();
    window = std::make_unique<MainWindow>();
    probe = std::make_unique<MainWindowProbe>(*window);
    driver = std::make_unique<WindowDriver>(*window);
    window->show();
    QTRY_COMPARE_WITH_TIMEOUT(probe->visibleRows(), (QList<int>{1, 2, 3}), 3000);

    const qint64 durationMs = qint64(seconds) * 1000;
    QElapsedTimer clock;
    clock.start();
    qint64 nextPlugEventMs = random.bounded(500, 2500);
    qint64 nextSampleMs = 0;
    heartbeat.start();
    while (clock.elapsed() < durationMs) {
        const qint64 now = clock.elapsed();
        // The test's own reads of /proc and calls to the runner block this thread; they are
        // not the tool's pauses.
        if (now >= nextSampleMs) {
            samples << heartbeat.leaveOut([now] {
                return Sample{now, ProcessMetrics::residentKilobytes(), ProcessMetrics::openFileDescriptors()};
            });
            nextSampleMs += 1000;
        }
        if (now >= nextPlugEventMs) {
            heartbeat.leaveOut([this] { plugEvent(); });
            if (QTest::currentTestFailed())
                return;
            nextPlugEventMs = now + random.bounded(300, 2500);
        }
        userStep();
        QTest::qWait(random.bounded(20, 400)); // a user's pause between steps
        // A command that is waiting for its controller shows the wait cursor; it must end.
        QVERIFY2(QTest::qWaitFor([] { return !QGuiApplication::overrideCursor(); }, COMMAND_DRAIN_LIMIT_MS),
                 "the wait cursor stayed");
    }
    heartbeat.stop();
    const qint64 ranMs = clock.elapsed();

    // Closing the window lets the worker finish every command asked for before it stops.
    driver.reset();
    probe.reset();
    window.reset();
    QThreadPool::globalInstance()->waitForDone(); // its idle threads keep a wake-up descriptor

    const QList<Transfer> log = controller.transfers();
    const TransferAudit audit(log);
    report(log, audit, ranMs);
    QVERIFY2(audit.problems().isEmpty(), qPrintable(audit.problems().mid(0, 20).join(QLatin1Char('\n'))));
    checkPermanentMemories(audit);
    checkResources();
}

// Every save the controller acknowledged is in its permanent memory, unless a later write
// of the same record was made permanent after it.
void TestSoak::checkPermanentMemories(const TransferAudit &audit)
{
    int checked = 0;
    for (const Controller &each : std::as_const(controllers)) {
        for (int command : {TransferAudit::EFFECT_BLOCK, TransferAudit::HARDWARE_BLOCK}) {
            const QList<QByteArray> candidates = audit.permanentCandidates(each.id, command);
            if (candidates.isEmpty())
                continue;
            const QString kind = command == TransferAudit::EFFECT_BLOCK ? QStringLiteral("effect") : QStringLiteral("hardware");
            const QByteArray permanent = controller.readRecord(each.id, kind, true);
            QVERIFY2(candidates.contains(permanent),
                     qPrintable(QStringLiteral("%1: the %2 record in permanent memory is not the one last saved")
                                    .arg(each.description, kind)));
            ++checked;
        }
    }
    QVERIFY2(checked > 0, "no save was acknowledged: the run proved nothing about permanent memory");
}

void TestSoak::checkResources() const
{
    QVERIFY2(samples.size() >= 3, "too few samples");
    const qint64 endMs = samples.last().atMs + 1;
    const qint64 thirdMs = endMs / 3;
    const double firstRss = meanOver(samples, 0, thirdMs, [](const Sample &s) { return s.residentKb; });
    const double lastRss = meanOver(samples, endMs - thirdMs, endMs, [](const Sample &s) { return s.residentKb; });
    const double firstFds = meanOver(samples, 0, thirdMs, [](const Sample &s) { return s.descriptors; });
    const double lastFds = meanOver(samples, endMs - thirdMs, endMs, [](const Sample &s) { return s.descriptors; });
    qInfo("resident memory, mean of the first and last third: %.0f kB -> %.0f kB; descriptors %.1f -> %.1f",
          firstRss, lastRss, firstFds, lastFds);
    if (CHECK_RSS_GROWTH)
        QVERIFY2(lastRss - firstRss <= RSS_GROWTH_LIMIT_KB,
                 qPrintable(QStringLiteral("resident memory grew by %1 kB").arg(lastRss - firstRss)));
    // How many descriptors are open depends on what is plugged, selected and shown (a node and
    // the emulation's socket per open controller, more for the live view), so only a closed
    // window is compared: it must hold nothing it did not hold before it opened.
    QStringList leftOver = ProcessMetrics::openDescriptorTargets();
    for (const QString &target : descriptorsBefore)
        leftOver.removeOne(target);
    leftOver.removeIf([](const QString &target) { return target.startsWith(QLatin1String("/proc/")); }); // the heartbeat's
    QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("still open after the window closed: ") + leftOver.join(QLatin1String(", "))));
}

void TestSoak::report(const QList<Transfer> &log, const TransferAudit &audit, qint64 ranMs) const
{
    int operations = counts.selections + counts.deselections;
    QStringList actions;
    for (auto it = counts.actions.cbegin(); it != counts.actions.cend(); ++it) {
        actions << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
        operations += it.value();
    }
    qInfo("ran %.1f s: %d operations (%d selections, %d deselections, %s)", ranMs / 1000.0, operations,
          counts.selections, counts.deselections, qPrintable(actions.join(QStringLiteral(", "))));
    qInfo("%d unplugs, %d unplugs after a few transfers, %d replugs", counts.unplugs, counts.unplugsMidTraffic,
          counts.replugs);
    qInfo("transfers %lld (%s)", qlonglong(log.size()), qPrintable(reportCounts(log)));
    qInfo("block writes %lld, saves %lld, acknowledged %d, protocol problems %lld", qlonglong(audit.writes().size()),
          qlonglong(audit.saves().size()), audit.acknowledgedSaves(), qlonglong(audit.problems().size()));
    if (!samples.isEmpty())
        qInfo("resident memory %lld kB -> %lld kB, descriptors %d -> %d, longest GUI pause %lld ms (%lld ms with "
              "waits for a processor)",
              samples.first().residentKb, samples.last().residentKb, samples.first().descriptors,
              samples.last().descriptors, heartbeat.longestPauseMs(), heartbeat.longestWallPauseMs());
}

int main(int argc, char **argv)
{
    // QtTest ends a test function after five minutes unless told otherwise; a soak runs as
    // long as it is asked to.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
        const int limitSeconds = environmentNumber("KESTROV_SOAK_SECONDS", DEFAULT_SECONDS) + 300;
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(qint64(limitSeconds) * 1000));
    }
    QApplication application(argc, argv);
    TestSoak test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soak.moc"
