// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/hotplugbench.h"

#include "bench/devicelistrows.h"
#include "bench/eventwait.h"

#include "device/settingsuibackgroundthread.h"
#include "virtualcontroller.h"

#include <QElapsedTimer>

namespace {

// Beyond a poll period, so that a change the events missed still counts, with its delay.
constexpr int CHANGE_TIMEOUT_MS = 3 * SettingsUiBackgroundThread::POLL_INTERVAL_MS;
// Idling before each plug and unplug: at least this long, so the last change has settled,
// plus a share of the poll period that differs from one change to the next.
constexpr int SETTLE_MS = 150;
constexpr int PLUG_PHASE_STEP_MS = 379;
constexpr int UNPLUG_PHASE_STEP_MS = 613;

int phaseMs(int run, int step)
{
    return SETTLE_MS + run * step % SettingsUiBackgroundThread::POLL_INTERVAL_MS;
}

} // namespace

HotplugBench::HotplugBench(const MainWindow &window, VirtualController &controller)
    : window(window)
    , controller(controller)
{
}

HotplugFigures HotplugBench::measure(const QString &description, int repetitions)
{
    HotplugFigures figures;
    const int before = DeviceListRows::shown(window);
    for (int run = 0; run < repetitions; ++run) {
        EventWait::forMs(phaseMs(run, PLUG_PHASE_STEP_MS));
        // A new device each time, as a controller plugged in again is one to the system.
        QElapsedTimer command;
        command.start();
        const int id = controller.plug(description);
        figures.plugCommandMs.add(command.nsecsElapsed() / 1e6);
        if (id < 0 || !timedUntilShown(before + 1, figures.listedMs)) {
            ++figures.failures;
            if (id > 0)
                controller.unplug(id);
            EventWait::until([&] { return DeviceListRows::shown(window) == before; }, CHANGE_TIMEOUT_MS);
            continue;
        }
        EventWait::forMs(phaseMs(run, UNPLUG_PHASE_STEP_MS));
        command.start();
        const bool unplugged = controller.unplug(id);
        figures.unplugCommandMs.add(command.nsecsElapsed() / 1e6);
        if (!unplugged || !timedUntilShown(before, figures.goneMs))
            ++figures.failures;
    }
    return figures;
}

bool HotplugBench::timedUntilShown(int count, Samples &samples)
{
    // From the moment the virtual controller has answered: the device and its events are there.
    QElapsedTimer sinceChange;
    sinceChange.start();
    if (!EventWait::until([&] { return DeviceListRows::shown(window) == count; }, CHANGE_TIMEOUT_MS))
        return false;
    samples.add(sinceChange.nsecsElapsed() / 1e6);
    return true;
}
