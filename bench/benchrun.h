#pragma once

#include "bench/benchoptions.h"
#include "bench/resulttable.h"

#include "virtualcontroller.h"

#include <QElapsedTimer>

struct CommandFigures;
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
    void addCommandRows(const CommandFigures &figures);
    void measureIdle(MainWindow &window);
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
