// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runneroptions.h"

#include <QString>

#include <glib.h>

class ChildProcess;

// One run: sets up the emulated bus, the devices of the command line, the transfer log and
// the control channel in a private temporary directory, runs the command and tears it all
// down when the command ends. Must run under the umockdev preload.
class Runner
{
public:
    explicit Runner(const RunnerOptions &options);
    ~Runner();
    Runner(const Runner &) = delete;
    Runner &operator=(const Runner &) = delete;

    // The command's exit code, or the runner's own when it could not run it.
    int run();

private:
    int runWithEmulation();
    void forwardSignal(int signalNumber);
    static gboolean onSignal(gpointer self);

    const RunnerOptions m_options;
    QString m_tempDir;
    GMainLoop *m_loop = nullptr;
    ChildProcess *m_child = nullptr;
    int m_exitCode = 0;
    int m_interruptions = 0;
    guint m_killTimer = 0;
};
