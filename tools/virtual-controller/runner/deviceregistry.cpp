// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceregistry.h"

#include "clock.h"
#include "deviceoptions.h"

#include <glib.h>

namespace {

struct Task {
    const DeviceRegistry *registry;
    int id;
    std::function<void(EmulatedDevice *)> run;
};

} // namespace

DeviceRegistry::DeviceRegistry(MockUsbBus &bus, TransferLog &log, NodeAccess &access, const Clock &clock,
                               const QStringList &defaults)
    : m_bus(bus)
    , m_log(log)
    , m_access(access)
    , m_clock(clock)
    , m_defaults(defaults)
{
}

DeviceRegistry::~DeviceRegistry()
{
    reset();
}

std::optional<int> DeviceRegistry::plug(const QString &description, QString *error)
{
    const std::optional<DeviceOptions> options = DeviceOptions::parse(description, m_defaults, error);
    if (!options)
        return std::nullopt;
    std::unique_ptr<EmulatedController> controller = EmulatedController::create(*options, m_clock, error);
    if (!controller)
        return std::nullopt;

    const int id = m_nextId;
    auto post = [this](int deviceId, std::function<void(EmulatedDevice *)> task) {
        postToMainThread(deviceId, std::move(task));
    };
    auto device = std::make_unique<EmulatedDevice>(id, std::move(controller), m_bus, m_log, m_access, post);
    if (!device->plug(error))
        return std::nullopt;
    m_devices[id] = std::move(device);
    ++m_nextId;
    return id;
}

EmulatedDevice *DeviceRegistry::find(int id) const
{
    const auto found = m_devices.find(id);
    return found == m_devices.end() ? nullptr : found->second.get();
}

void DeviceRegistry::reset()
{
    m_devices.clear();
    m_nextId = 1;
}

// Tasks come from the ioctl thread and run on the main loop, where the device is looked up
// again: by then it may have been replugged or forgotten.
void DeviceRegistry::postToMainThread(int id, std::function<void(EmulatedDevice *)> task)
{
    g_main_context_invoke_full(
        nullptr, G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            const auto *task = static_cast<Task *>(data);
            task->run(task->registry->find(task->id));
            return G_SOURCE_REMOVE;
        },
        new Task{this, id, std::move(task)},
        [](gpointer data) { delete static_cast<Task *>(data); });
}
