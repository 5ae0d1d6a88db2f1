// SPDX-License-Identifier: GPL-3.0-or-later
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

} // namespace

CommandLatencyBench::CommandLatencyBench(MainWindow &window, SettingsUiBackgroundThread &worker,
                                         VirtualController &controller, int deviceId)
    : window(window)
    , controller(controller)
    , deviceId(deviceId)
{
    // Every command ends with its outcome, after its records (and, for apply and save, the
    // verifying read). Made after the window's own connection, so this queued call runs
    // right after the window has shown the record or the outcome.
    connect(&worker, &SettingsUiBackgroundThread::commandFinished, this, &CommandLatencyBench::commandEnded,
            Qt::QueuedConnection);
    // The same signal as it is emitted, on the worker's thread: where the command ends for
    // the worker, before the hop back to the GUI thread.
    connect(&worker, &SettingsUiBackgroundThread::commandFinished, this,
            [this] { workerEndedAtNs.store(sinceClick.nsecsElapsed()); }, Qt::DirectConnection);
}

void CommandLatencyBench::commandEnded()
{
    if (!awaiting || ended)
        return;
    ended = true;
    endedAtNs = sinceClick.nsecsElapsed();
}

void CommandLatencyBench::expectEnd()
{
    awaiting = true;
    ended = false;
}

bool CommandLatencyBench::awaitExpected()
{
    const bool done = EventWait::until([this] { return ended; }, COMMAND_TIMEOUT_MS);
    awaiting = false;
    return done;
}

bool CommandLatencyBench::pickDevice(int row)
{
    auto *devices = window.findChild<QComboBox *>(QStringLiteral("devices_combo_box"));
    if (!devices)
        return false;
    // Both records are read on selection; the hardware record comes second.
    devices->setCurrentIndex(row);
    emit devices->activated(row);
    return EventWait::until([this] { return window.pendingCommands() == 0; }, COMMAND_TIMEOUT_MS);
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
        const int transfers = commandTransfersLogged(figures.paths);
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
        const Heartbeat::Pauses &stalls = heartbeat.longestPauses();
        figures.stallMs.add(stalls.wallNs / 1e6);
        figures.ownStallMs.add(stalls.unqueuedNs / 1e6);
        figures.busyMs.add(stalls.runningNs / 1e6);
        if (verbose)
            std::printf("%s, run %d: %.3f ms (worker done at %.3f ms), minimum %.3f ms; longest stall %.2f ms, "
                        "%.2f ms less CPU waits, busy %.2f ms\n",
                        command.name, run + 1, latency, workerEndedAtNs.load() / 1e6, reference,
                        stalls.wallNs / 1e6, stalls.unqueuedNs / 1e6, stalls.runningNs / 1e6);
    }
    return figures;
}

bool CommandLatencyBench::runThroughWindow(const BenchCommand &command, double &latencyMs)
{
    auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(command.buttonName));
    if (!button)
        return false;
    heartbeat.start();
    EventWait::forMs(LEAD_MS);
    expectEnd();
    sinceClick.start();
    button->click();
    const bool ended = awaitExpected();
    EventWait::forMs(TAIL_MS);
    heartbeat.stop();
    latencyMs = endedAtNs / 1e6;
    return ended;
}

int CommandLatencyBench::commandTransfersLogged(QStringList &paths) const
{
    // The poll's device-information probes run alongside and are not part of the command.
    int count = 0;
    for (const Transfer &transfer : controller.transfers()) {
        if (transfer.id != deviceId || transfer.reportId() == DEVICE_INFO_REPORT)
            continue;
        ++count;
        if (!paths.contains(transfer.path))
            paths.append(transfer.path);
    }
    return count;
}
