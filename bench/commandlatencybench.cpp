#include "bench/commandlatencybench.h"

#include "bench/eventwait.h"
#include "bench/protocolminimum.h"

#include "app/mainwindow.h"
#include "device/settingsuibackgroundthread.h"
#include "virtualcontroller.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>

#include <cstdio>

namespace {

constexpr int COMMAND_TIMEOUT_MS = 5000;
// Both the command and its reference start after this much idling. The heartbeat runs
// meanwhile and a little after the end, so a stall that straddles either edge (the click
// handler itself, the repaint the command causes) is caught whole.
constexpr int LEAD_MS = 20;
constexpr int TAIL_MS = 50;
constexpr int PAGE_SETTLE_MS = 200;
constexpr int DEVICE_INFO_REPORT = 0x25;
constexpr uint8_t EFFECT_SETTINGS_REPORT = 0x22;

} // namespace

CommandLatencyBench::CommandLatencyBench(MainWindow &window, SettingsUiBackgroundThread &worker,
                                         VirtualController &controller, int deviceId)
    : window(window)
    , controller(controller)
    , deviceId(deviceId)
{
    // Made after the window's own connections to the same signals, so each of these queued
    // calls runs right after the window has handled the signal.
    connect(&worker, &SettingsUiBackgroundThread::effectSettingsObtained, this,
            [this] { signalled(Signal::EffectRecord); }, Qt::QueuedConnection);
    connect(&worker, &SettingsUiBackgroundThread::hardwareSettingsObtained, this,
            [this] { signalled(Signal::HardwareRecord); }, Qt::QueuedConnection);
    connect(&worker, &SettingsUiBackgroundThread::busyWaitFinished, this,
            [this] { signalled(Signal::BusyWaitEnd); }, Qt::QueuedConnection);
    // The same signals as they are emitted, on the worker's thread: where the command ends
    // for the worker, before the hop back to the GUI thread.
    const auto workerEnded = [this] { workerEndedAtNs.store(sinceClick.nsecsElapsed()); };
    connect(&worker, &SettingsUiBackgroundThread::effectSettingsObtained, this, workerEnded, Qt::DirectConnection);
    connect(&worker, &SettingsUiBackgroundThread::hardwareSettingsObtained, this, workerEnded, Qt::DirectConnection);
    connect(&worker, &SettingsUiBackgroundThread::busyWaitFinished, this, workerEnded, Qt::DirectConnection);
}

void CommandLatencyBench::signalled(Signal signal)
{
    if (signal != awaited || seenCount >= awaitedCount)
        return;
    if (++seenCount == awaitedCount)
        endedAtNs = sinceClick.nsecsElapsed();
}

void CommandLatencyBench::expect(Signal signal, int count)
{
    awaited = signal;
    awaitedCount = count;
    seenCount = 0;
}

bool CommandLatencyBench::awaitExpected()
{
    const bool ended = EventWait::until([this] { return seenCount >= awaitedCount; }, COMMAND_TIMEOUT_MS);
    awaited = Signal::None;
    return ended;
}

bool CommandLatencyBench::pickDevice(int row)
{
    auto *devices = window.findChild<QComboBox *>(QStringLiteral("devices_combo_box"));
    if (!devices)
        return false;
    // Both records are read on selection; the hardware record comes second.
    expect(Signal::HardwareRecord, 1);
    devices->setCurrentIndex(row);
    emit devices->activated(row);
    return awaitExpected();
}

double CommandLatencyBench::protocolMinimum(const BenchCommand &command, ProtocolMinimum &minimum)
{
    EventWait::forMs(LEAD_MS);
    return referenceThread.run([&] {
        return command.isRead() ? minimum.readMs(command.recordReport)
                                : minimum.writeMs(command.recordReport, command.writeCommand, command.recordLength,
                                                  command.kind == BenchCommand::Save);
    });
}

CommandFigures CommandLatencyBench::measure(const BenchCommand &command, ProtocolMinimum &minimum, int repetitions)
{
    CommandFigures figures;
    figures.name = QString::fromLatin1(command.name);
    if (auto *pages = window.findChild<QTabWidget *>(QStringLiteral("main_tab_widget")))
        pages->setCurrentIndex(command.page);
    EventWait::forMs(PAGE_SETTLE_MS);

    for (int run = 0; run < repetitions; ++run) {
        const bool referenceFirst = run % 2 == 0;
        double reference = referenceFirst ? protocolMinimum(command, minimum) : 0;
        controller.clearLog();
        double latency = 0;
        const bool ended = runThroughWindow(command, latency);
        const int transfers = commandTransfersLogged();
        if (!referenceFirst)
            reference = protocolMinimum(command, minimum);
        if (!ended || reference <= 0) {
            ++figures.failures;
            continue;
        }
        if (transfers != command.transfers())
            ++figures.unexpectedTransfers;
        figures.latencyMs.add(latency);
        figures.workerMs.add(workerEndedAtNs.load() / 1e6);
        figures.minimumMs.add(reference);
        figures.ratio.add(latency / reference);
        figures.stallMs.add(heartbeat.longestGapMs());
        figures.ownStallMs.add(heartbeat.longestOwnGapMs());
        figures.busyMs.add(heartbeat.longestBusyMs());
        if (verbose)
            std::printf("%s, run %d: %.3f ms (worker done at %.3f ms), minimum %.3f ms; longest stall %.2f ms, "
                        "%.2f ms less CPU waits, busy %.2f ms\n",
                        command.name, run + 1, latency, workerEndedAtNs.load() / 1e6, reference,
                        heartbeat.longestGapMs(), heartbeat.longestOwnGapMs(), heartbeat.longestBusyMs());
    }
    return figures;
}

bool CommandLatencyBench::runThroughWindow(const BenchCommand &command, double &latencyMs)
{
    auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(command.buttonName));
    if (!button)
        return false;
    const Signal end = !command.isRead()                                 ? Signal::BusyWaitEnd
                       : command.recordReport == EFFECT_SETTINGS_REPORT ? Signal::EffectRecord
                                                                        : Signal::HardwareRecord;
    heartbeat.start();
    EventWait::forMs(LEAD_MS);
    expect(end, command.endSignals());
    sinceClick.start();
    button->click();
    const bool ended = awaitExpected();
    EventWait::forMs(TAIL_MS);
    heartbeat.stop();
    latencyMs = endedAtNs / 1e6;
    return ended;
}

int CommandLatencyBench::commandTransfersLogged() const
{
    // The poll's device-information probes run alongside and are not part of the command.
    int count = 0;
    for (const Transfer &transfer : controller.transfers())
        if (transfer.id == deviceId && transfer.reportId() != DEVICE_INFO_REPORT)
            ++count;
    return count;
}
