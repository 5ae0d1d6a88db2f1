// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/benchoptions.h"
#include "bench/resulttable.h"

#include "virtualcontroller.h"

#include <QElapsedTimer>

struct CommandFigures;
struct ProbeRate;
class MainWindow;
class SettingsUiBackgroundThread;
class WorkerLocatingApplication;

// One benchmark run: plugs the emulated controllers, takes every figure in turn against the
// real main window and prints the table.
class BenchRun
{
public:
    BenchRun(WorkerLocatingApplication &application, const BenchOptions &options);

    // 0 when every figure could be taken (met or not), 1 otherwise.
    int exec();

private:
    void measureStartup();
    void measureCommands(MainWindow &window, SettingsUiBackgroundThread &worker);
    // Selects the desktop's joystick, once listed, for the figures that follow.
    bool selectJoystick(MainWindow &window, SettingsUiBackgroundThread &worker);
    // Every command against the controller `deviceId`, which the window lists as the joystick;
    // the protocol minimum is taken on the joystick with `minimumProductId`.
    bool measureCommandsOn(MainWindow &window, SettingsUiBackgroundThread &worker, int deviceId,
                           uint16_t minimumProductId);
    void addCommandRows(const CommandFigures &figures);
    void measureHotplug(const MainWindow &window);
    void measureLiveView(MainWindow &window);
    void measureIdle(MainWindow &window);
    void addProbeRateRow(const ProbeRate &rate, double seconds);
    double idleCpuPercent(int seconds);
    void addIdleCpuRow(int controllers, int seconds, double percent);
    void fail(const QString &what);

    WorkerLocatingApplication &application;
    BenchOptions options;
    VirtualController controller;
    ResultTable table;
    int joystickId = -1;
    QElapsedTimer sinceSelection;
    bool complete = true;
};
