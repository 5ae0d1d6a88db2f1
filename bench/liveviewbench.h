// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/samples.h"

#include "heartbeat.h"

#include <QObject>

class AxisBar;
class MainWindow;
class VirtualController;

struct LiveViewFigures {
    Heartbeat::Pauses longestStall;   // while the axis streams
    QString stallBreakdown;           // how the longest stall was made up
    double cpuPercent = -1;           // of one core, the tool's process, while the axis streams
    double cpuGuiThreadPercent = -1;  // the part of it spent on the GUI thread
    double streamedSeconds = 0;
    double cpuHiddenPercent = -1;     // the same with the Hardware page shown
    Samples latencyMs;                // axis value set by the emulation to the bar painted with it
    int missed = 0;                   // values the bar never showed
};

// The live view on the Analog axes page, with the selected joystick's Rx axis moving: first
// streamed at a high report rate, for the process's CPU time and then the GUI thread's
// longest stall; then set to one value after another, each timed from the control command to the
// page's Rx bar painted with that value.
class LiveViewBench : public QObject
{
    Q_OBJECT

public:
    LiveViewBench(MainWindow &window, VirtualController &controller, int deviceId);

    LiveViewFigures measure(int streamSeconds, int streamHz, int latencyRuns);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MainWindow &m_window;
    VirtualController &m_controller;
    int m_deviceId;
    AxisBar *m_bar = nullptr;
    int m_awaitedValue = -1;
    bool m_painted = false;
};
