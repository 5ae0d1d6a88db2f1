// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/liveviewbench.h"

#include "bench/eventwait.h"
#include "bench/processusage.h"

#include "app/mainwindow.h"
#include "inputs/axisbar.h"

#include "virtualcontroller.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTabWidget>

namespace {

const QString AXIS = QStringLiteral("ABS_RX");
constexpr int ANALOG_AXES_PAGE = 4;
constexpr int PAINT_TIMEOUT_MS = 1000;
// Values far enough apart that the kernel's fuzz filter never holds one back.
constexpr int VALUE_STEP = 4000;
constexpr int VALUE_RANGE = 32767;
constexpr int SETTLE_MS = 300;

} // namespace

LiveViewBench::LiveViewBench(MainWindow &window, VirtualController &controller, int deviceId)
    : m_window(window)
    , m_controller(controller)
    , m_deviceId(deviceId)
{
}

bool LiveViewBench::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar && event->type() == QEvent::Paint && m_bar->hasValue() && m_bar->value() == m_awaitedValue)
        m_painted = true;
    return false;
}

LiveViewFigures LiveViewBench::measure(int streamSeconds, int streamHz, int latencyRuns)
{
    LiveViewFigures figures;
    auto *pages = m_window.findChild<QTabWidget *>(QStringLiteral("main_tab_widget"));
    m_bar = m_window.findChild<AxisBar *>(QStringLiteral("analogAxisBar_1"));
    if (!pages || !m_bar)
        return figures;
    pages->setCurrentIndex(ANALOG_AXES_PAGE);
    EventWait::forMs(SETTLE_MS);

    // CPU time first, without the heartbeat, whose own ticks would count; then the stall.
    if (!m_controller.streamAxis(m_deviceId, AXIS, streamHz))
        return figures;
    QElapsedTimer streaming;
    streaming.start();
    const double cpuBefore = ProcessUsage::cpuSeconds();
    const double guiBefore = ProcessUsage::threadCpuSeconds();
    EventWait::forMs(streamSeconds * 1000);
    const double cpuSeconds = ProcessUsage::cpuSeconds() - cpuBefore;
    const double guiSeconds = ProcessUsage::threadCpuSeconds() - guiBefore;
    figures.streamedSeconds = streaming.elapsed() / 1000.0;
    figures.cpuPercent = 100.0 * cpuSeconds / figures.streamedSeconds;
    figures.cpuGuiThreadPercent = 100.0 * guiSeconds / figures.streamedSeconds;

    // The same stream with a page that shows no inputs: nothing should be read then.
    if (QWidget *hardware = m_window.findChild<QWidget *>(QStringLiteral("hardware_tab"))) {
        pages->setCurrentWidget(hardware);
        EventWait::forMs(SETTLE_MS);
        QElapsedTimer hidden;
        hidden.start();
        const double hiddenBefore = ProcessUsage::cpuSeconds();
        EventWait::forMs(streamSeconds * 500);
        figures.cpuHiddenPercent = 100.0 * (ProcessUsage::cpuSeconds() - hiddenBefore) / (hidden.nsecsElapsed() / 1e9);
        pages->setCurrentIndex(ANALOG_AXES_PAGE);
        EventWait::forMs(SETTLE_MS);
    }

    Heartbeat heartbeat;
    heartbeat.start();
    EventWait::forMs(streamSeconds * 1000);
    heartbeat.leaveOut([&] { m_controller.streamAxis(m_deviceId, AXIS, 0); });
    heartbeat.stop();
    figures.longestStall = heartbeat.longestPauses();
    figures.stallBreakdown = heartbeat.longestPauseBreakdown();
    EventWait::forMs(SETTLE_MS);

    m_bar->installEventFilter(this);
    for (int run = 0; run < latencyRuns; ++run) {
        m_awaitedValue = (run + 1) * VALUE_STEP % VALUE_RANGE;
        if (m_bar->value() == m_awaitedValue)
            m_awaitedValue = (m_awaitedValue + VALUE_STEP / 2) % VALUE_RANGE;
        m_painted = false;
        QElapsedTimer sinceSet;
        sinceSet.start();
        if (!m_controller.setAxis(m_deviceId, AXIS, m_awaitedValue) || !EventWait::until([this] { return m_painted; }, PAINT_TIMEOUT_MS)) {
            ++figures.missed;
            continue;
        }
        figures.latencyMs.add(sinceSet.nsecsElapsed() / 1e6);
        // Apart, as a hand moves a stick now and then rather than all the time.
        EventWait::forMs(50);
    }
    m_bar->removeEventFilter(this);
    return figures;
}
