// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/benchcommand.h"
#include "bench/referencethread.h"
#include "bench/samples.h"

#include "heartbeat.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>

class MainWindow;
class ProtocolMinimum;
class SettingsUiBackgroundThread;
class VirtualController;

struct CommandFigures {
    QString name;
    Samples latencyMs;
    Samples workerMs;               // click to the worker's end of the command, on its thread
    Samples minimumMs;
    Samples ratio;
    Samples stallMs;                // longest gap of the GUI thread's event loop
    Samples ownStallMs;             // the same less the time the thread waited for a CPU
    Samples busyMs;                 // the longest time the GUI thread ran between two beats
    int failures = 0;               // runs in which the command or its reference did not complete
    int unexpectedTransfers = 0;    // runs whose transfers were not exactly the protocol's
    QStringList paths;              // the nodes the commands' transfers went through, as logged
};

// Clicks the window's command buttons and times each command from the click to its end as
// the window sees it: for a read, the record has been handed to the page; for apply and save,
// the last busy wait has ended. Every run is paired with the protocol minimum measured next
// to it (before and after in turn, so a drifting machine load favours neither; both after the
// same idle spell, since a transfer after idling is slower than one right after another), and
// a 1 ms heartbeat on the GUI thread records how long the window stopped responding meanwhile.
class CommandLatencyBench : public QObject
{
    Q_OBJECT

public:
    CommandLatencyBench(MainWindow &window, SettingsUiBackgroundThread &worker, VirtualController &controller,
                        int deviceId);

    // Picks a row of the device list as a user does and waits until both records are shown.
    bool pickDevice(int row);
    CommandFigures measure(const BenchCommand &command, ProtocolMinimum &minimum, int repetitions);
    // Prints every run as it is measured.
    void setVerbose(bool on) { verbose = on; }

private:
    void commandEnded();
    void expectEnd();
    bool awaitExpected();
    bool runThroughWindow(const BenchCommand &command, double &latencyMs);
    double protocolMinimum(const BenchCommand &command, ProtocolMinimum &minimum);
    // The command's transfers in the log; adds the nodes they went through to `paths`.
    int commandTransfersLogged(QStringList &paths) const;

    MainWindow &window;
    VirtualController &controller;
    int deviceId;
    Heartbeat heartbeat;
    ReferenceThread referenceThread;
    QElapsedTimer sinceClick;
    bool awaiting = false;
    bool ended = false;
    qint64 endedAtNs = 0;
    std::atomic<qint64> workerEndedAtNs{0};
    bool verbose = false;
};
