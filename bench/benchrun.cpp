// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchrun.h"

#include "bench/benchcommand.h"
#include "bench/commandlatencybench.h"
#include "bench/devicelistrows.h"
#include "bench/eventwait.h"
#include "bench/hotplugbench.h"
#include "bench/liveviewbench.h"
#include "bench/machineinfo.h"
#include "bench/processusage.h"
#include "bench/proberate.h"
#include "bench/protocolminimum.h"
#include "bench/startupbench.h"
#include "bench/workerlocatingapplication.h"

#include "app/mainwindow.h"
#include "device/settingsuibackgroundthread.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QTextStream>

namespace {

constexpr uint16_t VENDOR_ID = 0x045B;
constexpr uint16_t JOYSTICK_PRODUCT_ID = 22777;
// A joystick of a product id the tool does not know, so it never opens it: the protocol
// minimum's own on the USB path, where only one handle at a time may make requests to the
// controller's interface, and the tool's is the one there.
constexpr uint16_t TWIN_PRODUCT_ID = 22778;
constexpr int JOYSTICK_ROW = 1;
// Never busy after a write or a save, so every busy wait is one status request and one sleep.
const QString BENCH_JOYSTICK = QStringLiteral("joystick,write-busy-ms=0,save-busy-ms=0");
// Without the kernel's HID driver: no hidraw node, the tool uses USB control transfers.
const QString WITHOUT_DRIVER = QStringLiteral(",driver=none");
const QString HOTPLUG_CONTROLLER = QStringLiteral("rudder");
const QStringList OTHER_KINDS{QStringLiteral("generic"), QStringLiteral("rudder"), QStringLiteral("wheel"),
                              QStringLiteral("collective")};

constexpr double LATENCY_RATIO_TARGET = 1.10;
constexpr double STALL_TARGET_MS = 16;
constexpr double FIRST_CONTROLLER_TARGET_MS = 150;
constexpr double STARTUP_TARGET_MS = 300;
constexpr double MEMORY_TARGET_MB = 80;
constexpr double IDLE_CPU_TARGET_PERCENT = 0.10;
constexpr double HOTPLUG_TARGET_MS = 100;
constexpr double LIVE_VIEW_STALL_TARGET_MS = 16;
constexpr double LIVE_VIEW_CPU_TARGET_PERCENT = 3;
constexpr double LIVE_VIEW_LATENCY_TARGET_MS = 20;
constexpr int LIVE_VIEW_STREAM_HZ = 1000;
// One probe of each controller per poll period; a timer may fire a little early or late.
constexpr double PROBES_PER_MINUTE_TARGET = 60000.0 / SettingsUiBackgroundThread::POLL_INTERVAL_MS;
constexpr int PROBE_RATE_SLACK_PERCENT = 1;

constexpr int LIST_TIMEOUT_MS = 5000;
// Lets the poll open newly plugged controllers and the window settle before idling is timed.
constexpr int IDLE_SETTLE_MS = 2000;

QString ms(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : 1) + QStringLiteral(" ms");
}

bool waitForListed(const MainWindow &window, int count)
{
    return EventWait::until([&] { return DeviceListRows::shown(window) == count; }, LIST_TIMEOUT_MS);
}

QString pathsOf(const QStringList &paths)
{
    return paths.isEmpty() ? QStringLiteral("no transfer") : paths.join(QLatin1Char('+'));
}

} // namespace

BenchRun::BenchRun(WorkerLocatingApplication &application, const BenchOptions &options)
    : application(application)
    , options(options)
{
}

void BenchRun::fail(const QString &what)
{
    complete = false;
    table.note(what);
}

int BenchRun::exec()
{
    QTextStream out(stdout);
    out << "Kestrov Setup benchmark (" << (options.quick ? "quick" : "full") << " run)\n"
        << MachineInfo::describe() << "\nLoad average at the start: " << MachineInfo::loadAverage() << "\n\n";
    out.flush();
    QElapsedTimer runTime;
    runTime.start();

    controller.reset();
    joystickId = controller.plug(BENCH_JOYSTICK);
    if (joystickId < 0) {
        out << "The virtual controller did not plug the joystick.\n";
        return 1;
    }

    if (options.measures(QStringLiteral("startup")))
        measureStartup();

    MainWindow window;
    SettingsUiBackgroundThread *worker = application.worker();
    window.show();
    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);
    if (!worker)
        fail(QStringLiteral("the window's device worker was not found; no command was measured"));
    else if (options.measures(QStringLiteral("commands")))
        measureCommands(window, *worker);
    else if (!selectJoystick(window, *worker))
        fail(QStringLiteral("the joystick could not be selected"));
    if (options.measures(QStringLiteral("live-view")))
        measureLiveView(window);
    if (options.measures(QStringLiteral("hotplug")))
        measureHotplug(window);
    if (options.measures(QStringLiteral("idle")))
        measureIdle(window);

    table.note(QStringLiteral("the tool runs under the virtual controller's umockdev preload, so every USB figure "
                              "includes the emulation's cost; the protocol minimum pays it alike"));
    table.print(out);
    out << "Run time: " << QString::number(runTime.elapsed() / 1000.0, 'f', 1)
        << " s; load average at the end: " << MachineInfo::loadAverage() << '\n';
    return complete ? 0 : 1;
}

void BenchRun::measureStartup()
{
    const StartupFigures figures = StartupBench(QCoreApplication::applicationFilePath()).run(options.startupRuns);
    if (figures.failures > 0)
        fail(QStringLiteral("%1 of %2 start-up probes failed: %3")
                 .arg(figures.failures)
                 .arg(options.startupRuns)
                 .arg(figures.lastError));
    if (figures.shownMs.isEmpty()) {
        table.add(QStringLiteral("Start-up to window shown"), QString(), ms(STARTUP_TARGET_MS),
                  ResultTable::Verdict::NotMeasured);
        return;
    }
    table.add(QStringLiteral("Start-up to window shown (median of %1 processes)").arg(figures.shownMs.count()),
              QStringLiteral("%1 (max %2)").arg(ms(figures.shownMs.median()), ms(figures.shownMs.max())),
              QStringLiteral("< ") + ms(STARTUP_TARGET_MS), figures.shownMs.median() < STARTUP_TARGET_MS);
    table.add(QStringLiteral("First controller listed, beyond window shown"),
              QStringLiteral("%1 (max %2; %3 after process start)")
                  .arg(ms(figures.beyondShownMs.median()), ms(figures.beyondShownMs.max()),
                       ms(figures.firstControllerMs.median())),
              QStringLiteral("< ") + ms(FIRST_CONTROLLER_TARGET_MS),
              figures.beyondShownMs.median() < FIRST_CONTROLLER_TARGET_MS);
}

void BenchRun::measureCommands(MainWindow &window, SettingsUiBackgroundThread &worker)
{
    // The desktop's way: the kernel's HID driver holds the joystick, the tool uses its hidraw node.
    if (measureCommandsOn(window, worker, joystickId, JOYSTICK_PRODUCT_ID))
        sinceSelection.start();

    // The same joystick without a kernel driver, reached with USB control transfers. Its row
    // is the same as the first one's, so that has to go first.
    if (!controller.unplug(joystickId) || !waitForListed(window, 0))
        fail(QStringLiteral("the joystick did not leave the list"));
    const int usbJoystick = controller.plug(BENCH_JOYSTICK + WITHOUT_DRIVER);
    const int twin = controller.plug(BENCH_JOYSTICK + WITHOUT_DRIVER + QStringLiteral(",pid=%1").arg(TWIN_PRODUCT_ID));
    if (usbJoystick < 0 || twin < 0)
        fail(QStringLiteral("the joystick without a kernel driver could not be plugged; the USB path was not measured"));
    else
        measureCommandsOn(window, worker, usbJoystick, TWIN_PRODUCT_ID);
    controller.unplug(usbJoystick);
    controller.unplug(twin);
    table.note(QStringLiteral("on the usbfs path the protocol minimum runs on a twin joystick the tool does not open: "
                              "only one handle at a time may make requests to the controller's interface"));

    // Back to the desktop's joystick, selected, for the figures that follow.
    if (!waitForListed(window, 0) || !controller.replug(joystickId) || !selectJoystick(window, worker))
        fail(QStringLiteral("the joystick could not be selected again after the USB path"));
}

bool BenchRun::selectJoystick(MainWindow &window, SettingsUiBackgroundThread &worker)
{
    if (!waitForListed(window, 1) || !CommandLatencyBench(window, worker, controller, joystickId).pickDevice(JOYSTICK_ROW))
        return false;
    sinceSelection.start();
    return true;
}

bool BenchRun::measureCommandsOn(MainWindow &window, SettingsUiBackgroundThread &worker, int deviceId,
                                 uint16_t minimumProductId)
{
    CommandLatencyBench bench(window, worker, controller, deviceId);
    bench.setVerbose(options.verbose);
    if (!waitForListed(window, 1) || !bench.pickDevice(JOYSTICK_ROW)) {
        fail(QStringLiteral("the joystick could not be selected; no command was measured on this path"));
        return false;
    }
    ProtocolMinimum minimum;
    if (!minimum.open(VENDOR_ID, minimumProductId)) {
        fail(QStringLiteral("the joystick could not be opened for the protocol minimum; no command was measured "
                            "on this path"));
        return false;
    }
    QList<CommandFigures> all;
    for (const BenchCommand &command : BenchCommand::all())
        all.append(bench.measure(command, minimum,
                                 command.isRead() ? options.readRepetitions : options.writeRepetitions));
    for (const CommandFigures &figures : std::as_const(all))
        addCommandRows(figures);
    return true;
}

void BenchRun::addCommandRows(const CommandFigures &figures)
{
    // Named by the node the transfers went through, as the virtual controller logged it.
    const QString path = pathsOf(figures.paths);
    const QString latencyFigure = QStringLiteral("Latency / protocol minimum, %1: %2").arg(path, figures.name);
    const QString stallFigure = QStringLiteral("Longest GUI stall, %1: %2").arg(path, figures.name);
    if (figures.failures > 0)
        fail(QStringLiteral("%1, %2: %3 of %4 runs did not complete")
                 .arg(path, figures.name)
                 .arg(figures.failures)
                 .arg(figures.failures + figures.ratio.count()));
    if (figures.unexpectedTransfers > 0)
        table.note(QStringLiteral("%1, %2: %3 runs sent other transfers than the protocol minimum")
                       .arg(path, figures.name)
                       .arg(figures.unexpectedTransfers));
    if (figures.ratio.isEmpty()) {
        table.add(latencyFigure, QString(), QString(), ResultTable::Verdict::NotMeasured);
        table.add(stallFigure, QString(), QString(), ResultTable::Verdict::NotMeasured);
        return;
    }
    table.add(latencyFigure,
              QStringLiteral("%1 (max %2; %3 vs %4, worker done at %5; n=%6)")
                  .arg(figures.ratio.median(), 0, 'f', 3)
                  .arg(figures.ratio.max(), 0, 'f', 3)
                  .arg(ms(figures.latencyMs.median()), ms(figures.minimumMs.median()), ms(figures.workerMs.median()))
                  .arg(figures.ratio.count()),
              QStringLiteral("<= %1").arg(LATENCY_RATIO_TARGET, 0, 'f', 2), figures.ratio.median() <= LATENCY_RATIO_TARGET);
    // A gap the thread spent waiting for a CPU held by other processes is the machine's
    // load, not the window's; the wall-clock gap and the thread's own running time are
    // shown beside it.
    table.add(stallFigure,
              QStringLiteral("%1 (median %2; wall clock %3; GUI thread ran %4)")
                  .arg(ms(figures.ownStallMs.max()), ms(figures.ownStallMs.median()), ms(figures.stallMs.max()),
                       ms(figures.busyMs.max())),
              QStringLiteral("< ") + ms(STALL_TARGET_MS), figures.ownStallMs.max() < STALL_TARGET_MS);
}

void BenchRun::measureHotplug(const MainWindow &window)
{
    HotplugBench bench(window, controller);
    for (const QString &driver : {QString(), WITHOUT_DRIVER}) {
        const QString path = driver.isEmpty() ? QStringLiteral("hidraw") : QStringLiteral("usbfs");
        const HotplugFigures figures = bench.measure(HOTPLUG_CONTROLLER + driver, options.hotplugRepetitions);
        if (figures.failures > 0)
            fail(QStringLiteral("%1: %2 plugs or unplugs were not seen in the list within three poll periods")
                     .arg(path)
                     .arg(figures.failures));
        // Counted from the virtual controller's answer; its own time for the command is shown beside.
        const auto addRow = [&](const QString &figure, const Samples &samples, const Samples &command) {
            const QString name = QStringLiteral("%1, %2 (median of %3)").arg(figure, path).arg(samples.count());
            if (samples.isEmpty()) {
                table.add(name, QString(), QStringLiteral("< ") + ms(HOTPLUG_TARGET_MS), ResultTable::Verdict::NotMeasured);
                return;
            }
            table.add(name,
                      QStringLiteral("%1 (max %2; the command itself %3)")
                          .arg(ms(samples.median()), ms(samples.max()), ms(command.median())),
                      QStringLiteral("< %1, max too").arg(ms(HOTPLUG_TARGET_MS)),
                      samples.median() < HOTPLUG_TARGET_MS && samples.max() < HOTPLUG_TARGET_MS);
        };
        addRow(QStringLiteral("Plugged to listed"), figures.listedMs, figures.plugCommandMs);
        addRow(QStringLiteral("Unplugged to gone from the list"), figures.goneMs, figures.unplugCommandMs);
    }
}

double BenchRun::idleCpuPercent(int seconds)
{
    QElapsedTimer wall;
    const double cpuBefore = ProcessUsage::cpuSeconds();
    wall.start();
    EventWait::forMs(seconds * 1000);
    const double cpu = ProcessUsage::cpuSeconds() - cpuBefore;
    return 100 * cpu / (wall.nsecsElapsed() / 1e9);
}

void BenchRun::measureLiveView(MainWindow &window)
{
    const LiveViewFigures figures = LiveViewBench(window, controller, joystickId)
                                        .measure(options.quick ? 5 : 20, LIVE_VIEW_STREAM_HZ, options.quick ? 20 : 100);
    if (figures.cpuPercent < 0) {
        fail(QStringLiteral("the live view's axis could not be streamed; no live-view figure was taken"));
        return;
    }
    const QString streaming = QStringLiteral(", Rx streamed at %1 Hz for %2 s").arg(LIVE_VIEW_STREAM_HZ).arg(figures.streamedSeconds, 0, 'f', 1);
    const double ownStallMs = figures.longestStall.ownNs / 1e6;
    table.add(QStringLiteral("Live view: longest GUI stall") + streaming,
              QStringLiteral("%1 (wall clock %2)").arg(ms(ownStallMs), ms(figures.longestStall.wallNs / 1e6)),
              QStringLiteral("< ") + ms(LIVE_VIEW_STALL_TARGET_MS), ownStallMs < LIVE_VIEW_STALL_TARGET_MS);
    if (figures.cpuHiddenPercent >= 0)
        table.note(QStringLiteral("with the Hardware page shown, which shows no inputs, the same stream cost %1 % of one core")
                       .arg(figures.cpuHiddenPercent, 0, 'f', 2));
    if (options.verbose || ownStallMs >= LIVE_VIEW_STALL_TARGET_MS)
        table.note(QStringLiteral("the live view's longest stall: ") + figures.stallBreakdown);
    table.add(QStringLiteral("Live view: CPU") + streaming, QStringLiteral("%1 % of one core").arg(figures.cpuPercent, 0, 'f', 2),
              QStringLiteral("< %1 %").arg(LIVE_VIEW_CPU_TARGET_PERCENT), figures.cpuPercent < LIVE_VIEW_CPU_TARGET_PERCENT);
    // The rest is mostly the reader's thread, whose every read of the emulated event node is
    // a round trip to the emulation's process.
    table.note(QStringLiteral("of that CPU time, the GUI thread took %1 % of one core, the other threads %2 %")
                   .arg(figures.cpuGuiThreadPercent, 0, 'f', 2)
                   .arg(figures.cpuPercent - figures.cpuGuiThreadPercent, 0, 'f', 2));
    if (figures.latencyMs.isEmpty()) {
        table.add(QStringLiteral("Live view: axis set to bar painted"), QString(), QStringLiteral("< ") + ms(LIVE_VIEW_LATENCY_TARGET_MS),
                  ResultTable::Verdict::NotMeasured);
        return;
    }
    table.add(QStringLiteral("Live view: axis set to bar painted (median of %1)").arg(figures.latencyMs.count()),
              QStringLiteral("%1 (max %2; %3 never shown)")
                  .arg(ms(figures.latencyMs.median()), ms(figures.latencyMs.max()))
                  .arg(figures.missed),
              QStringLiteral("< ") + ms(LIVE_VIEW_LATENCY_TARGET_MS),
              figures.latencyMs.median() < LIVE_VIEW_LATENCY_TARGET_MS && figures.missed == 0);
}

void BenchRun::addIdleCpuRow(int controllers, int seconds, double percent)
{
    table.add(QStringLiteral("Idle CPU, %1 controller%2, %3 s").arg(controllers).arg(controllers > 1 ? "s" : "").arg(seconds),
              QStringLiteral("%1 % of one core").arg(percent, 0, 'f', 3),
              QStringLiteral("<= %1 %").arg(IDLE_CPU_TARGET_PERCENT, 0, 'f', 2), percent <= IDLE_CPU_TARGET_PERCENT);
}

void BenchRun::addProbeRateRow(const ProbeRate &rate, double seconds)
{
    table.add(QStringLiteral("Probes per controller and minute, %1 idle controllers").arg(rate.controllers),
              QStringLiteral("%1 (%2 probes in %3 s)")
                  .arg(rate.perControllerPerMinute, 0, 'f', 2)
                  .arg(rate.probes)
                  .arg(seconds, 0, 'f', 1),
              QStringLiteral("<= %1 (+%2 % timer slack)").arg(PROBES_PER_MINUTE_TARGET, 0, 'f', 0).arg(PROBE_RATE_SLACK_PERCENT),
              rate.controllers > 0
                  && rate.perControllerPerMinute <= PROBES_PER_MINUTE_TARGET * (1 + PROBE_RATE_SLACK_PERCENT / 100.0));
}

void BenchRun::measureIdle(MainWindow &window)
{
    QList<int> others;
    for (const QString &kind : OTHER_KINDS)
        others.append(controller.plug(kind));
    if (others.contains(-1) || !waitForListed(window, 1 + int(OTHER_KINDS.size()))) {
        fail(QStringLiteral("the five controllers were not listed; idle figures were not taken"));
        return;
    }
    const bool selected = window.currentProductId() == JOYSTICK_PRODUCT_ID;
    if (!selected)
        table.note(QStringLiteral("no controller was selected while idling"));
    EventWait::forMs(IDLE_SETTLE_MS);

    // The poll's probes while idling, from the transfer log.
    controller.clearLog();
    QElapsedTimer probing;
    probing.start();
    addIdleCpuRow(5, options.idleLongSeconds, idleCpuPercent(options.idleLongSeconds));
    addProbeRateRow(ProbeRate::of(controller.transfers()), probing.elapsed() / 1000.0);
    const double resident = ProcessUsage::residentMegabytes();
    table.add(QStringLiteral("Resident memory, controller selected for %1 s")
                  .arg(selected ? sinceSelection.elapsed() / 1000 : 0),
              QStringLiteral("%1 MB").arg(resident, 0, 'f', 1), QStringLiteral("< %1 MB").arg(MEMORY_TARGET_MB),
              resident > 0 && resident < MEMORY_TARGET_MB);
    addIdleCpuRow(5, options.idleShortSeconds, idleCpuPercent(options.idleShortSeconds));

    for (int id : std::as_const(others))
        controller.unplug(id);
    if (!waitForListed(window, 1)) {
        fail(QStringLiteral("the four extra controllers did not leave the list; the one-controller figure was not taken"));
        return;
    }
    EventWait::forMs(IDLE_SETTLE_MS);
    addIdleCpuRow(1, options.idleShortSeconds, idleCpuPercent(options.idleShortSeconds));
}
