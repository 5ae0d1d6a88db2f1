#include "emulateddevice.h"

#include "controllerkind.h"
#include "transferlog.h"
#include "usbfsdevice.h"

#include <atomic>
#include <cerrno>

namespace {

// Unique across the runner's life, so that a late notice of an earlier plug never hits a
// later one, even of another device under a reused id.
std::atomic<quint64> lastPlugSerial = 0;

} // namespace

EmulatedDevice::EmulatedDevice(int id, std::unique_ptr<EmulatedController> controller, MockUsbBus &bus,
                               TransferLog &log, LeaveNotifier notifier)
    : m_id(id)
    , m_bus(bus)
    , m_log(log)
    , m_notifier(std::move(notifier))
    , m_controller(std::move(controller))
{
}

EmulatedDevice::~EmulatedDevice()
{
    unplug();
    stopTimer(m_unplugTimer);
    stopTimer(m_comebackTimer);
    for (const std::shared_ptr<UsbfsDevice> &usbfs : m_usbfs)
        usbfs->detach();
}

bool EmulatedDevice::plug(QString *error)
{
    if (isPlugged())
        return true;
    stopTimer(m_comebackTimer);
    UsbDeviceIdentity identity;
    int unplugAtMs = 0;
    {
        std::lock_guard lock(m_mutex);
        const DeviceOptions &options = m_controller->options();
        identity.productId = options.productId;
        identity.product = ControllerKinds::productName(options.kind);
        unplugAtMs = options.faults.unplugAtMs;
        m_plugSerial = ++lastPlugSerial;
        m_onBus = true;
    }
    identity.manufacturer = QStringLiteral("Kestrov");
    identity.serial = QStringLiteral("VC%1").arg(m_id, 6, 10, QLatin1Char('0'));

    std::shared_ptr<UsbfsDevice> usbfs = UsbfsDevice::create(this);
    m_address = m_bus.plug(identity, usbfs->ioctlHandler(), error);
    if (!m_address) {
        usbfs->detach();
        std::lock_guard lock(m_mutex);
        m_onBus = false;
        return false;
    }
    m_usbfs.push_back(usbfs);
    if (unplugAtMs > 0)
        startUnplugTimer(unplugAtMs);
    return true;
}

bool EmulatedDevice::unplug()
{
    stopTimer(m_unplugTimer);
    stopTimer(m_comebackTimer);
    if (!m_address)
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_onBus = false;
        m_plugSerial = 0;
    }
    // Announced and removed first, so that by the time transfers fail the device is
    // already gone from the client's device list.
    m_bus.unplug(*m_address);
    m_address.reset();
    m_usbfs.back()->disconnect();
    return true;
}

bool EmulatedDevice::replug(QString *error)
{
    unplug();
    {
        std::lock_guard lock(m_mutex);
        m_controller->restart();
    }
    return plug(error);
}

void EmulatedDevice::onLeftBus(quint64 plugSerial, BusEvent event)
{
    int rebootMs = 0;
    bool comesBack = false;
    {
        std::lock_guard lock(m_mutex);
        if (plugSerial != m_plugSerial || !m_address)
            return;
        m_plugSerial = 0;
        rebootMs = m_controller->options().rebootMs;
        comesBack = event == BusEvent::Reboot && !m_controller->options().faults.noComeback;
    }
    stopTimer(m_unplugTimer);
    m_bus.unplug(*m_address);
    m_address.reset();
    if (comesBack)
        startComebackTimer(rebootMs);
}

bool EmulatedDevice::set(const QString &assignments, QString *error)
{
    int unplugAtMs = -1;
    {
        std::lock_guard lock(m_mutex);
        if (!m_controller->setOptions(assignments, error))
            return false;
        // The unplug time counts from the moment it is given.
        if (DeviceOptions::assignedKeys(assignments).contains(QLatin1String("unplug-at-ms")))
            unplugAtMs = m_controller->options().faults.unplugAtMs;
    }
    if (unplugAtMs == 0)
        stopTimer(m_unplugTimer);
    else if (unplugAtMs > 0 && isPlugged())
        startUnplugTimer(unplugAtMs);
    return true;
}

QString EmulatedDevice::info()
{
    std::lock_guard lock(m_mutex);
    const DeviceOptions &options = m_controller->options();
    return QStringLiteral("plugged=%1 busy=%2 pid=%3 type=%4 firmware=%5")
        .arg(isPlugged() ? 1 : 0)
        .arg(m_controller->isBusy() ? 1 : 0)
        .arg(options.productId)
        .arg(options.deviceType)
        .arg(options.firmwareVersion);
}

QByteArray EmulatedDevice::read(RecordKind kind, bool permanent)
{
    std::lock_guard lock(m_mutex);
    return m_controller->record(kind, permanent);
}

bool EmulatedDevice::write(RecordKind kind, const QByteArray &record, QString *error)
{
    std::lock_guard lock(m_mutex);
    if (!m_controller->writeRecord(kind, record, error))
        return false;
    *error = m_controller->stateFileError();
    return error->isEmpty();
}

int EmulatedDevice::transferDelayMs()
{
    std::lock_guard lock(m_mutex);
    return m_controller->options().faults.delayMs;
}

ControlResult EmulatedDevice::transfer(const ControlSetup &setup, const QByteArray &sent)
{
    std::lock_guard lock(m_mutex);
    if (!m_onBus) {
        log(setup, sent, -ENODEV);
        return {-ENODEV, {}, BusEvent::None};
    }
    const ControlResult result = m_controller->handleControl(setup, sent);
    log(setup, setup.isDeviceToHost() ? result.reply : sent, result.status);
    if (result.busEvent != BusEvent::None) {
        m_onBus = false;
        m_notifier(m_id, m_plugSerial, result.busEvent);
    }
    return result;
}

void EmulatedDevice::transferLost(const ControlSetup &setup, const QByteArray &sent, int error)
{
    std::lock_guard lock(m_mutex);
    log(setup, sent, error);
}

void EmulatedDevice::log(const ControlSetup &setup, const QByteArray &data, int result)
{
    TransferRecord record;
    record.deviceId = m_id;
    record.productId = m_controller->options().productId;
    record.setup = setup;
    record.data = result < 0 && setup.isDeviceToHost() ? QByteArray() : data;
    record.result = result;
    m_log.append(record);
}

void EmulatedDevice::startUnplugTimer(int ms)
{
    stopTimer(m_unplugTimer);
    m_unplugTimer = g_timeout_add(guint(ms), [](gpointer self) -> gboolean {
        auto *device = static_cast<EmulatedDevice *>(self);
        device->m_unplugTimer = 0;
        {
            // A one-shot fault, like unplug-after: a replug must not start it again.
            std::lock_guard lock(device->m_mutex);
            QString ignored;
            device->m_controller->setOptions(QStringLiteral("unplug-at-ms=0"), &ignored);
        }
        device->unplug();
        return G_SOURCE_REMOVE;
    }, this);
}

void EmulatedDevice::startComebackTimer(int ms)
{
    stopTimer(m_comebackTimer);
    m_comebackTimer = g_timeout_add(guint(ms), [](gpointer self) -> gboolean {
        auto *device = static_cast<EmulatedDevice *>(self);
        device->m_comebackTimer = 0;
        QString error;
        if (!device->replug(&error))
            g_printerr("virtual-controller: device %d did not come back: %s\n", device->m_id, qPrintable(error));
        return G_SOURCE_REMOVE;
    }, this);
}

void EmulatedDevice::stopTimer(guint &source)
{
    if (source != 0)
        g_source_remove(source);
    source = 0;
}
