#include "bench/benchrun.h"

#include "bench/benchcommand.h"
#include "bench/commandlatencybench.h"
#include "bench/eventwait.h"
#include "bench/machineinfo.h"
#include "bench/processusage.h"
#include "bench/protocolminimum.h"
#include "bench/startupbench.h"
#include "bench/workerlocatingapplication.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFont>
#include <QListView>
#include <QTextStream>

namespace {

constexpr uint16_t VENDOR_ID = 0x045B;
constexpr uint16_t JOYSTICK_PRODUCT_ID = 22777;
constexpr int JOYSTICK_ROW = 1;
// Never busy after a write or a save, so every busy wait is one status request and one sleep.
const QString BENCH_JOYSTICK = QStringLiteral("joystick,write-busy-ms=0,save-busy-ms=0");
const QStringList OTHER_KINDS{QStringLiteral("generic"), QStringLiteral("rudder"), QStringLiteral("wheel"),
                              QStringLiteral("collective")};

constexpr double LATENCY_RATIO_TARGET = 1.10;
constexpr double STALL_TARGET_MS = 16;
constexpr double FIRST_CONTROLLER_TARGET_MS = 150;
constexpr double STARTUP_TARGET_MS = 300;
constexpr double MEMORY_TARGET_MB = 80;
constexpr double IDLE_CPU_TARGET_PERCENT = 0.5;

constexpr int LIST_TIMEOUT_MS = 5000;
// Lets the poll open newly plugged controllers and the window settle before idling is timed.
constexpr int IDLE_SETTLE_MS = 2000;

QString ms(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : 1) + QStringLiteral(" ms");
}

int listedControllers(const MainWindow &window)
{
    const auto *devices = window.findChild<QComboBox *>(QStringLiteral("devices_combo_box"));
    const auto *view = devices ? qobject_cast<QListView *>(devices->view()) : nullptr;
    int listed = 0;
    for (int row = 0; view && row < devices->count(); ++row)
        listed += view->isRowHidden(row) ? 0 : 1;
    return listed;
}

bool waitForListed(const MainWindow &window, int count)
{
    return EventWait::until([&] { return listedControllers(window) == count; }, LIST_TIMEOUT_MS);
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

    measureStartup();

    MainWindow window;
    SettingsUiBackgroundThread *worker = application.worker();
    window.show();
    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);
    if (worker)
        measureCommands(window, *worker);
    else
        fail(QStringLiteral("the window's device worker was not found; no command was measured"));
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
    CommandLatencyBench bench(window, worker, controller, joystickId);
    bench.setVerbose(options.verbose);
    if (!waitForListed(window, 1) || !bench.pickDevice(JOYSTICK_ROW)) {
        fail(QStringLiteral("the joystick could not be selected; no command was measured"));
        return;
    }
    sinceSelection.start();
    ProtocolMinimum minimum;
    if (!minimum.open(VENDOR_ID, JOYSTICK_PRODUCT_ID)) {
        fail(QStringLiteral("the joystick could not be opened for the protocol minimum; no command was measured"));
        return;
    }
    QList<CommandFigures> all;
    for (const BenchCommand &command : BenchCommand::all())
        all.append(bench.measure(command, minimum,
                                 command.isRead() ? options.readRepetitions : options.writeRepetitions));
    for (const CommandFigures &figures : std::as_const(all))
        addCommandRows(figures);
}

void BenchRun::addCommandRows(const CommandFigures &figures)
{
    const QString latencyFigure = QStringLiteral("Latency / protocol minimum: ") + figures.name;
    const QString stallFigure = QStringLiteral("Longest GUI stall: ") + figures.name;
    if (figures.failures > 0)
        fail(QStringLiteral("%1: %2 of %3 runs did not complete")
                 .arg(figures.name)
                 .arg(figures.failures)
                 .arg(figures.failures + figures.ratio.count()));
    if (figures.unexpectedTransfers > 0)
        table.note(QStringLiteral("%1: %2 runs sent other transfers than the protocol minimum")
                       .arg(figures.name)
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

double BenchRun::idleCpuPercent(int seconds)
{
    QElapsedTimer wall;
    const double cpuBefore = ProcessUsage::cpuSeconds();
    wall.start();
    EventWait::forMs(seconds * 1000);
    const double cpu = ProcessUsage::cpuSeconds() - cpuBefore;
    return 100 * cpu / (wall.nsecsElapsed() / 1e9);
}

void BenchRun::addIdleCpuRow(int controllers, int seconds, double percent)
{
    table.add(QStringLiteral("Idle CPU, %1 controller%2, %3 s").arg(controllers).arg(controllers > 1 ? "s" : "").arg(seconds),
              QStringLiteral("%1 % of one core").arg(percent, 0, 'f', 3),
              QStringLiteral("< %1 %").arg(IDLE_CPU_TARGET_PERCENT), percent < IDLE_CPU_TARGET_PERCENT);
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

    addIdleCpuRow(5, options.idleLongSeconds, idleCpuPercent(options.idleLongSeconds));
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
