// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include <glib.h>
#include <sys/types.h>

// The command the runner runs: started with the runner's environment plus some variables,
// watched on the main loop, and killed when the runner goes away.
class ChildProcess
{
public:
    ~ChildProcess();

    // On failure, `exitCode` is what a shell would answer: 127 when the command is not
    // found, 126 when it cannot be run.
    bool start(const QStringList &command, const QStringList &environment, QString *error, int *exitCode);
    // Called once, on the main loop, with the exit code (128 + signal when killed).
    void onExit(std::function<void(int exitCode)> handler) { m_onExit = std::move(handler); }
    void signal(int signalNumber);
    bool isRunning() const { return m_pid > 0; }

private:
    static void onChildExited(GPid pid, gint waitStatus, gpointer self);

    GPid m_pid = 0;
    guint m_watch = 0;
    std::function<void(int)> m_onExit;
};
