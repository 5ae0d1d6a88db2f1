#include "deviceregistry.h"

#include "clock.h"
#include "deviceoptions.h"

#include <glib.h>

namespace {

struct LeaveNotice {
    DeviceRegistry *registry;
    int id;
    quint64 plugSerial;
    BusEvent event;
};

} // namespace

DeviceRegistry::DeviceRegistry(MockUsbBus &bus, TransferLog &log, const Clock &clock, const QStringList &defaults)
    : m_bus(bus)
    , m_log(log)
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
    // Notices come from the ioctl thread and are handled on the main loop, where the device
    // is looked up again: by then it may have been replugged or forgotten.
    auto notify = [this](int deviceId, quint64 plugSerial, BusEvent event) {
        g_main_context_invoke_full(
            nullptr, G_PRIORITY_DEFAULT,
            [](gpointer data) -> gboolean {
                const auto *notice = static_cast<LeaveNotice *>(data);
                notice->registry->deviceLeftBus(notice->id, notice->plugSerial, notice->event);
                return G_SOURCE_REMOVE;
            },
            new LeaveNotice{this, deviceId, plugSerial, event},
            [](gpointer data) { delete static_cast<LeaveNotice *>(data); });
    };
    auto device = std::make_unique<EmulatedDevice>(id, std::move(controller), m_bus, m_log, notify);
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

void DeviceRegistry::deviceLeftBus(int id, quint64 plugSerial, BusEvent event)
{
    if (EmulatedDevice *device = find(id))
        device->onLeftBus(plugSerial, event);
}
