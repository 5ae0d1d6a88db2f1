// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulateddevice.h"

#include "controllerkind.h"
#include "evdevdevice.h"
#include "hidrawdevice.h"
#include "inputcapabilities.h"
#include "nodeaccess.h"
#include "sysfsdescription.h"
#include "transferlog.h"
#include "usbdescriptors.h"
#include "usbfsdevice.h"

#include <atomic>
#include <cerrno>

namespace {

// Unique across the runner's life, so that a late notice of an earlier plug never hits a
// later one, even of another device under a reused id.
std::atomic<quint64> lastPlugSerial = 0;

constexpr const char *KERNEL_DRIVER = "usbhid";

} // namespace

EmulatedDevice::EmulatedDevice(int id, std::unique_ptr<EmulatedController> controller, MockUsbBus &bus,
                               TransferLog &log, NodeAccess &access, MainThreadPoster poster)
    : m_id(id)
    , m_bus(bus)
    , m_log(log)
    , m_access(access)
    , m_post(std::move(poster))
    , m_controller(std::move(controller))
    , m_kind(m_controller->options().kind)
{
}

EmulatedDevice::~EmulatedDevice()
{
    unplug();
    stopTimer(m_unplugTimer);
    stopTimer(m_comebackTimer);
    for (const std::shared_ptr<UsbfsDevice> &usbfs : m_usbfs)
        usbfs->detach();
    for (const std::shared_ptr<HidrawDevice> &hidraw : m_hidraw)
        hidraw->detach();
    for (const std::shared_ptr<EvdevDevice> &evdev : m_evdev)
        evdev->disconnect();
}

bool EmulatedDevice::plug(QString *error)
{
    if (isPlugged())
        return true;
    stopTimer(m_comebackTimer);
    int unplugAtMs = 0;
    KernelDriver driver = KernelDriver::Hid;
    {
        std::lock_guard lock(m_mutex);
        const DeviceOptions &options = m_controller->options();
        m_identity.kind = options.kind;
        m_identity.productId = options.productId;
        m_identity.product = ControllerKinds::productName(options.kind);
        unplugAtMs = options.faults.unplugAtMs;
        driver = options.driver;
        m_plugSerial = ++lastPlugSerial;
        m_onBus = true;
    }
    // The controller starts afresh: axes centred, buttons up.
    m_inputReport.clear();
    m_identity.manufacturer = QStringLiteral("Kestrov");
    m_identity.serial = QStringLiteral("VC%1").arg(m_id, 6, 10, QLatin1Char('0'));

    std::shared_ptr<UsbfsDevice> usbfs = UsbfsDevice::create(this, this, driver == KernelDriver::Hid);
    m_address = m_bus.plug(m_identity, usbfs->ioctlHandler(), error);
    if (!m_address) {
        usbfs->detach();
        std::lock_guard lock(m_mutex);
        m_onBus = false;
        return false;
    }
    m_usbfs.push_back(usbfs);
    if (driver == KernelDriver::Hid && !bindHid(error)) {
        unplug();
        return false;
    }
    updateAccess();
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
    takeOffBus();
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
    takeOffBus();
    if (comesBack)
        startComebackTimer(rebootMs);
}

bool EmulatedDevice::isCurrentPlug(quint64 plugSerial)
{
    std::lock_guard lock(m_mutex);
    return m_address && plugSerial == m_plugSerial;
}

// Announced and removed first, so that by the time transfers fail the device is already
// gone from the client's device list. Both nodes fail from then on, whichever of them the
// transfer that made the device leave came through.
void EmulatedDevice::takeOffBus()
{
    m_access.setGone(m_hidrawNode, true);
    m_access.setGone(m_eventNode, true);
    m_bus.unplug(*m_address);
    m_address.reset();
    m_usbfs.back()->disconnect();
    if (!m_hidrawNode.isEmpty()) {
        m_hidraw.back()->disconnect();
        m_evdev.back()->disconnect();
    }
    m_hidrawNode.clear();
    m_eventNode.clear();
    updateAccess();
}

bool EmulatedDevice::bindHid(QString *error)
{
    HidrawDevice::Identity identity;
    identity.vendorId = UsbDescriptors::VENDOR_ID;
    identity.productId = m_identity.productId;
    identity.name = SysfsDescription::hidName(m_identity).toUtf8();
    identity.phys = SysfsDescription::hidPhys(*m_address).toUtf8();
    identity.uniq = m_identity.serial.toUtf8();
    identity.reportDescriptor = UsbDescriptors::hidReport(m_kind);
    std::shared_ptr<HidrawDevice> hidraw = HidrawDevice::create(this, identity);

    bool forceFeedback = true;
    {
        std::lock_guard lock(m_mutex);
        forceFeedback = m_controller->options().forceFeedback;
    }
    // hid-input names the input device as the HID core names the device.
    InputBinding input;
    input.identity.name = QString::fromUtf8(identity.name);
    input.identity.phys = QString::fromUtf8(identity.phys);
    input.identity.uniq = QString::fromUtf8(identity.uniq);
    input.identity.vendorId = UsbDescriptors::VENDOR_ID;
    input.identity.productId = m_identity.productId;
    input.identity.version = UsbDescriptors::DEVICE_RELEASE;
    const InputCapabilities capabilities(m_kind, forceFeedback);
    input.capabilities = &capabilities;
    EvdevDevice::Identity evdevIdentity{identity.name, identity.phys, identity.uniq, UsbDescriptors::VENDOR_ID,
                                        m_identity.productId, UsbDescriptors::DEVICE_RELEASE};
    TransferLog &log = m_log;
    const int deviceId = m_id;
    const int productId = m_identity.productId;
    std::shared_ptr<EvdevDevice> evdev =
        EvdevDevice::create(evdevIdentity, capabilities, [&log, deviceId, productId](const ForceFeedbackOperation &op) {
            log.append(ForceFeedbackRecord{deviceId, productId, op.operation, op.effectId, op.effectType, op.length,
                                           op.value});
        });
    input.handler = evdev->ioctlHandler();

    const std::optional<HidBinding> nodes = m_bus.bindHid(m_identity, *m_address, hidraw->ioctlHandler(), input, error);
    if (!nodes) {
        hidraw->detach();
        evdev->disconnect();
        return false;
    }
    m_hidraw.push_back(hidraw);
    m_evdev.push_back(evdev);
    m_hidrawNode = nodes->hidrawNode;
    m_eventNode = nodes->eventNode;
    m_access.setGone(m_hidrawNode, false);
    m_access.setGone(m_eventNode, false);
    updateAccess();
    return true;
}

void EmulatedDevice::unbindHid()
{
    if (m_hidrawNode.isEmpty())
        return;
    m_access.setGone(m_hidrawNode, true);
    m_access.setGone(m_eventNode, true);
    m_hidraw.back()->disconnect();
    m_evdev.back()->disconnect();
    m_bus.unbindHid(*m_address);
    m_hidrawNode.clear();
    m_eventNode.clear();
    updateAccess();
}

bool EmulatedDevice::set(const QString &assignments, QString *error)
{
    const QStringList keys = DeviceOptions::assignedKeys(assignments);
    int unplugAtMs = -1;
    std::optional<KernelDriver> driver;
    {
        std::lock_guard lock(m_mutex);
        DeviceOptions changed = m_controller->options();
        if (!changed.apply(assignments, DeviceOptions::Scope::Runtime, error))
            return false;
        if (keys.contains(QLatin1String("driver")))
            driver = changed.driver;
        if (driver == KernelDriver::Hid && isPlugged() && m_usbfs.back()->interface().isClaimed()) {
            *error = QStringLiteral("interface 0 of device %1 is claimed by a client").arg(m_id);
            return false;
        }
        if (!m_controller->setOptions(assignments, error))
            return false;
        // The unplug time counts from the moment it is given.
        if (keys.contains(QLatin1String("unplug-at-ms")))
            unplugAtMs = m_controller->options().faults.unplugAtMs;
    }
    if (unplugAtMs == 0)
        stopTimer(m_unplugTimer);
    else if (unplugAtMs > 0 && isPlugged())
        startUnplugTimer(unplugAtMs);
    if (driver && isPlugged() && !applyDriver(*driver, error))
        return false;
    updateAccess();
    return true;
}

// A run-time change of the driver, as binding or unbinding it by hand: no event is logged.
bool EmulatedDevice::applyDriver(KernelDriver driver, QString *error)
{
    if (driver == KernelDriver::None) {
        if (m_usbfs.back()->interface().unbindKernelDriver())
            unbindHid();
        return true;
    }
    if (!m_usbfs.back()->interface().bindKernelDriver())
        return true; // already bound
    if (bindHid(error))
        return true;
    m_usbfs.back()->interface().unbindKernelDriver();
    return false;
}

QString EmulatedDevice::info()
{
    std::lock_guard lock(m_mutex);
    const DeviceOptions &options = m_controller->options();
    QString text = QStringLiteral("plugged=%1 busy=%2 pid=%3 type=%4 firmware=%5")
                       .arg(isPlugged() ? 1 : 0)
                       .arg(m_controller->isBusy() ? 1 : 0)
                       .arg(options.productId)
                       .arg(options.deviceType)
                       .arg(options.firmwareVersion);
    if (!m_hidrawNode.isEmpty())
        text += QStringLiteral(" hidraw=") + m_hidrawNode + QStringLiteral(" event=") + m_eventNode;
    return text;
}

bool EmulatedDevice::setAxis(const QString &name, int value, QString *error)
{
    const std::optional<int> code = InputCapabilities::axisCode(name);
    const InputCapabilities capabilities(m_kind, false);
    const InputCapabilities::Axis *axis = code ? capabilities.axis(*code) : nullptr;
    if (!axis) {
        *error = QStringLiteral("device %1 has no axis '%2'").arg(m_id).arg(name);
        return false;
    }
    if (value < axis->minimum || value > axis->maximum) {
        *error = QStringLiteral("%1 takes %2 to %3").arg(name).arg(axis->minimum).arg(axis->maximum);
        return false;
    }
    m_inputReport.setAxis(*code, value);
    sendInputReport();
    return true;
}

bool EmulatedDevice::setButton(int number, bool pressed, QString *error)
{
    if (number < 1 || number > InputCapabilities::BUTTONS) {
        *error = QStringLiteral("buttons are 1 to %1").arg(InputCapabilities::BUTTONS);
        return false;
    }
    m_inputReport.setButton(number, pressed);
    sendInputReport();
    return true;
}

bool EmulatedDevice::streamAxis(const QString &name, int hz, QString *error)
{
    const std::optional<int> code = InputCapabilities::axisCode(name);
    const InputCapabilities capabilities(m_kind, false);
    const InputCapabilities::Axis *axis = code ? capabilities.axis(*code) : nullptr;
    if (!axis) {
        *error = QStringLiteral("device %1 has no axis '%2'").arg(m_id).arg(name);
        return false;
    }
    if (hz < 0 || hz > 1000) {
        *error = QStringLiteral("a stream runs at 1 to 1000 Hz, 0 stops it");
        return false;
    }
    m_streams.erase(*code);
    if (hz > 0)
        m_streams[*code] = std::make_unique<AxisStream>(axis->minimum, axis->maximum, hz, [this, code = *code](int value) {
            m_inputReport.setAxis(code, value);
            sendInputReport();
        });
    return true;
}

// The report reaches the host only while the HID driver holds the device.
void EmulatedDevice::sendInputReport()
{
    if (!m_eventNode.isEmpty())
        m_evdev.back()->receiveReport(m_inputReport);
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

ControlResult EmulatedDevice::transfer(const ControlSetup &setup, const QByteArray &sent, HostPath path)
{
    std::lock_guard lock(m_mutex);
    if (!m_onBus) {
        log(setup, sent, -ENODEV, path);
        return {-ENODEV, {}, BusEvent::None};
    }
    const ControlResult result = m_controller->handleControl(setup, sent);
    log(setup, setup.isDeviceToHost() ? result.reply : sent, result.status, path);
    if (result.busEvent != BusEvent::None) {
        m_onBus = false;
        const quint64 plugSerial = m_plugSerial;
        const BusEvent event = result.busEvent;
        m_post(m_id, [plugSerial, event](EmulatedDevice *device) {
            if (device)
                device->onLeftBus(plugSerial, event);
        });
    }
    return result;
}

void EmulatedDevice::transferLost(const ControlSetup &setup, const QByteArray &sent, int error, HostPath path)
{
    std::lock_guard lock(m_mutex);
    log(setup, sent, error, path);
}

void EmulatedDevice::kernelDriverDetached(std::function<void()> done)
{
    quint64 plugSerial = 0;
    {
        std::lock_guard lock(m_mutex);
        plugSerial = m_plugSerial;
        logEvent(QStringLiteral("detach"));
    }
    m_post(m_id, [plugSerial, done = std::move(done)](EmulatedDevice *device) {
        if (device && device->isCurrentPlug(plugSerial))
            device->unbindHid();
        done();
    });
}

void EmulatedDevice::kernelDriverAttached(std::function<void()> done)
{
    quint64 plugSerial = 0;
    {
        std::lock_guard lock(m_mutex);
        plugSerial = m_plugSerial;
        logEvent(QStringLiteral("attach"));
    }
    m_post(m_id, [plugSerial, done = std::move(done)](EmulatedDevice *device) {
        QString error;
        if (device && device->isCurrentPlug(plugSerial) && !device->bindHid(&error))
            g_printerr("virtual-controller: device %d: %s\n", device->m_id, qPrintable(error));
        done();
    });
}

void EmulatedDevice::updateAccess()
{
    bool denied = false;
    {
        std::lock_guard lock(m_mutex);
        denied = m_controller->options().accessDenied;
    }
    QStringList nodes;
    if (denied && m_address) {
        nodes << m_address->devNode;
        if (!m_hidrawNode.isEmpty())
            nodes << m_hidrawNode << m_eventNode;
    }
    m_access.setDenied(m_id, nodes);
}

void EmulatedDevice::log(const ControlSetup &setup, const QByteArray &data, int result, HostPath path)
{
    TransferRecord record;
    record.deviceId = m_id;
    record.productId = m_controller->options().productId;
    record.setup = setup;
    record.data = result < 0 && setup.isDeviceToHost() ? QByteArray() : data;
    record.result = result;
    record.path = path;
    m_log.append(record);
}

void EmulatedDevice::logEvent(const QString &event)
{
    DeviceEventRecord record;
    record.deviceId = m_id;
    record.productId = m_controller->options().productId;
    record.event = event;
    record.driver = QLatin1String(KERNEL_DRIVER);
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
