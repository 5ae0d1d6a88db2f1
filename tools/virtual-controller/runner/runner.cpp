// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner.h"

#include "childprocess.h"
#include "controlcommands.h"
#include "controlserver.h"
#include "deviceregistry.h"
#include "mockusbbus.h"
#include "nodeaccess.h"
#include "steadyclock.h"
#include "transferlog.h"

#include <QDir>
#include <QFileInfo>

#include <glib-unix.h>

#include <csignal>

namespace {

constexpr int USAGE_ERROR = 2;
constexpr int SETUP_ERROR = 125;
// How long a command gets to end after the runner passed it a signal.
constexpr guint KILL_GRACE_MS = 5000;

struct SignalHandler {
    Runner *runner;
    int signalNumber;
};

void complain(const QString &message)
{
    g_printerr("virtual-controller: %s\n", qPrintable(message));
}

} // namespace

Runner::Runner(const RunnerOptions &options)
    : m_options(options)
    , m_loop(g_main_loop_new(nullptr, FALSE))
{
}

Runner::~Runner()
{
    if (m_killTimer != 0)
        g_source_remove(m_killTimer);
    g_main_loop_unref(m_loop);
    if (!m_tempDir.isEmpty())
        QDir(m_tempDir).removeRecursively();
}

int Runner::run()
{
    GError *failure = nullptr;
    gchar *tempDir = g_dir_make_tmp("virtual-controller-XXXXXX", &failure);
    if (!tempDir) {
        complain(QString::fromUtf8(failure->message));
        g_error_free(failure);
        return SETUP_ERROR;
    }
    m_tempDir = QString::fromLocal8Bit(tempDir);
    g_free(tempDir);
    return runWithEmulation();
}

int Runner::runWithEmulation()
{
    QString error;
    const QString logPath = m_options.logFile.isEmpty() ? m_tempDir + QStringLiteral("/transfers.log")
                                                        : m_options.logFile;
    TransferLog log(logPath);
    if (!log.open(&error)) {
        complain(error);
        return SETUP_ERROR;
    }

    MockUsbBus bus;
    if (!bus.isMocked()) {
        complain(QStringLiteral("not running under libumockdev-preload"));
        return SETUP_ERROR;
    }
    NodeAccess access(m_tempDir + QStringLiteral("/denied-nodes"));
    if (!access.open(&error)) {
        complain(error);
        return SETUP_ERROR;
    }
    SteadyClock clock;
    DeviceRegistry devices(bus, log, access, clock, m_options.deviceDefaults);
    for (const QString &description : m_options.devices) {
        if (!devices.plug(description, &error)) {
            complain(QStringLiteral("--device %1: %2").arg(description, error));
            return USAGE_ERROR;
        }
    }

    ControlCommands commands(devices, log);
    ControlServer server(commands);
    const QString socketPath = m_tempDir + QStringLiteral("/control.sock");
    if (!server.listen(socketPath, &error)) {
        complain(error);
        return SETUP_ERROR;
    }

    ChildProcess child;
    child.onExit([this](int exitCode) {
        m_exitCode = exitCode;
        g_main_loop_quit(m_loop);
    });
    const QStringList environment{QStringLiteral("VIRTUAL_CONTROLLER_SOCKET=") + socketPath,
                                  QStringLiteral("VIRTUAL_CONTROLLER_LOG=") + QFileInfo(logPath).absoluteFilePath(),
                                  QStringLiteral("VIRTUAL_CONTROLLER_DENIED_NODES=") + access.path()};
    int failureCode = 0;
    if (!child.start(m_options.command, environment, &error, &failureCode)) {
        complain(error);
        return failureCode;
    }
    m_child = &child;

    std::vector<guint> signalSources;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        auto *handler = new SignalHandler{this, signalNumber};
        signalSources.push_back(g_unix_signal_add_full(G_PRIORITY_HIGH, signalNumber, onSignal, handler,
                                                       [](gpointer data) { delete static_cast<SignalHandler *>(data); }));
    }
    g_main_loop_run(m_loop);
    for (guint source : signalSources)
        g_source_remove(source);
    m_child = nullptr;
    return m_exitCode;
}

gboolean Runner::onSignal(gpointer data)
{
    const auto *handler = static_cast<SignalHandler *>(data);
    handler->runner->forwardSignal(handler->signalNumber);
    return G_SOURCE_CONTINUE;
}

void Runner::forwardSignal(int signalNumber)
{
    if (!m_child)
        return;
    // The first interruption is passed on; a second one, or a command that ignores it,
    // gets the command killed.
    if (++m_interruptions > 1) {
        m_child->signal(SIGKILL);
        return;
    }
    m_child->signal(signalNumber);
    m_killTimer = g_timeout_add(KILL_GRACE_MS, [](gpointer self) -> gboolean {
        auto *runner = static_cast<Runner *>(self);
        runner->m_killTimer = 0;
        if (runner->m_child)
            runner->m_child->signal(SIGKILL);
        return G_SOURCE_REMOVE;
    }, this);
}
