// SPDX-License-Identifier: GPL-3.0-or-later
#include "childprocess.h"

#include <csignal>
#include <vector>

#include <sys/prctl.h>
#include <sys/wait.h>

namespace {

constexpr int NOT_FOUND = 127;
constexpr int NOT_EXECUTABLE = 126;

std::vector<QByteArray> toLocal8Bit(const QStringList &strings)
{
    std::vector<QByteArray> bytes;
    for (const QString &string : strings)
        bytes.push_back(string.toLocal8Bit());
    return bytes;
}

std::vector<char *> pointersTo(std::vector<QByteArray> &strings)
{
    std::vector<char *> pointers;
    for (QByteArray &string : strings)
        pointers.push_back(string.data());
    pointers.push_back(nullptr);
    return pointers;
}

void dieWithParent(gpointer)
{
    // A runner that is killed outright must not leave its command running against devices
    // that no longer exist.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
}

} // namespace

ChildProcess::~ChildProcess()
{
    if (m_watch != 0)
        g_source_remove(m_watch);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        g_spawn_close_pid(m_pid);
    }
}

bool ChildProcess::start(const QStringList &command, const QStringList &environment, QString *error, int *exitCode)
{
    std::vector<QByteArray> argvBytes = toLocal8Bit(command);
    std::vector<char *> argv = pointersTo(argvBytes);

    gchar **inherited = g_get_environ();
    for (const QString &variable : environment) {
        const QByteArray bytes = variable.toLocal8Bit();
        const qsizetype equals = bytes.indexOf('=');
        inherited = g_environ_setenv(inherited, bytes.left(equals).constData(), bytes.mid(equals + 1).constData(),
                                     TRUE);
    }

    GError *failure = nullptr;
    const bool started = g_spawn_async(
        nullptr, argv.data(), inherited,
        GSpawnFlags(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH | G_SPAWN_CHILD_INHERITS_STDIN), dieWithParent,
        nullptr, &m_pid, &failure);
    g_strfreev(inherited);
    if (!started) {
        *error = QString::fromUtf8(failure->message);
        *exitCode = g_error_matches(failure, G_SPAWN_ERROR, G_SPAWN_ERROR_NOENT) ? NOT_FOUND : NOT_EXECUTABLE;
        g_error_free(failure);
        m_pid = 0;
        return false;
    }
    m_watch = g_child_watch_add(m_pid, onChildExited, this);
    return true;
}

void ChildProcess::signal(int signalNumber)
{
    if (m_pid > 0)
        ::kill(m_pid, signalNumber);
}

void ChildProcess::onChildExited(GPid pid, gint waitStatus, gpointer self)
{
    auto *child = static_cast<ChildProcess *>(self);
    g_spawn_close_pid(pid);
    child->m_pid = 0;
    child->m_watch = 0;
    const int exitCode = WIFSIGNALED(waitStatus) ? 128 + WTERMSIG(waitStatus) : WEXITSTATUS(waitStatus);
    if (child->m_onExit)
        child->m_onExit(exitCode);
}
