// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicemonitor.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QTimer>

#include <libudev.h>

#include <cstring>

namespace {

// "045b" (idVendor, ID_VENDOR_ID) or the first field of "45b/58f9/100" (PRODUCT); -1 when absent.
int hexBefore(const char *text, char end)
{
    if (!text)
        return -1;
    const char *stop = std::strchr(text, end);
    bool ok = false;
    const int value = QByteArray(text, stop ? int(stop - text) : int(std::strlen(text))).toInt(&ok, 16);
    return ok ? value : -1;
}

// The vendor of a USB device as the event tells it: the device's own attribute while it is
// in sysfs, else what the kernel (PRODUCT) or udev's rules (ID_VENDOR_ID) put into the event.
int usbVendor(udev_device *usbDevice)
{
    int vendor = hexBefore(udev_device_get_sysattr_value(usbDevice, "idVendor"), '\0');
    if (vendor < 0)
        vendor = hexBefore(udev_device_get_property_value(usbDevice, "PRODUCT"), '/');
    if (vendor < 0)
        vendor = hexBefore(udev_device_get_property_value(usbDevice, "ID_VENDOR_ID"), '\0');
    return vendor;
}

// HID_ID is "0003:0000045B:000058F9": bus, vendor, product.
int hidVendor(udev_device *hidDevice)
{
    const char *id = udev_device_get_property_value(hidDevice, "HID_ID");
    const char *vendor = id ? std::strchr(id, ':') : nullptr;
    return vendor ? hexBefore(vendor + 1, ':') : -1;
}

bool isUsbDevice(udev_device *device)
{
    const char *subsystem = udev_device_get_subsystem(device);
    const char *type = udev_device_get_devtype(device);
    return subsystem && type && std::strcmp(subsystem, "usb") == 0 && std::strcmp(type, "usb_device") == 0;
}

} // namespace

DeviceMonitor::DeviceMonitor(int vendorId, QObject *parent)
    : QObject(parent)
    , m_vendorId(vendorId)
    , m_quiet(new QTimer(this))
    , m_readyWait(new QTimer(this))
    , m_longest(new QTimer(this))
{
    for (QTimer *timer : {m_quiet, m_readyWait, m_longest}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(m_quiet, &QTimer::timeout, this, &DeviceMonitor::quietEnded);
    connect(m_readyWait, &QTimer::timeout, this, [this] {
        if (!m_quiet->isActive())
            endBurst();
    });
    connect(m_longest, &QTimer::timeout, this, &DeviceMonitor::endBurst);

    m_context = udev_new();
    // udev's own events, not the kernel's: they come once udev has set up the node and its
    // permissions, so a controller announced can be opened.
    m_monitor = m_context ? udev_monitor_new_from_netlink(m_context, "udev") : nullptr;
    if (!m_monitor)
        return;
    udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "usb", nullptr);
    udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr);
    if (udev_monitor_enable_receiving(m_monitor) < 0)
        return;
    m_notifier = new QSocketNotifier(qintptr(udev_monitor_get_fd(m_monitor)), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DeviceMonitor::readEvents);
}

DeviceMonitor::~DeviceMonitor()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_context)
        udev_unref(m_context);
}

void DeviceMonitor::readEvents()
{
    while (udev_device *device = udev_monitor_receive_device(m_monitor)) {
        QString usbPath;
        note(classify(device, usbPath), usbPath);
        udev_device_unref(device);
    }
}

DeviceMonitor::Event DeviceMonitor::classify(udev_device *device, QString &usbPath) const
{
    const char *action = udev_device_get_action(device);
    const char *subsystem = udev_device_get_subsystem(device);
    if (!action || !subsystem)
        return Event::Other;
    if (std::strcmp(action, "remove") == 0) {
        const char *node = udev_device_get_devnode(device);
        return node && m_watchedNodes.contains(QString::fromLocal8Bit(node)) ? Event::Removed : Event::Other;
    }
    const bool added = std::strcmp(action, "add") == 0;
    const bool bound = std::strcmp(action, "bind") == 0;
    const bool hidraw = std::strcmp(subsystem, "hidraw") == 0;
    if (!added && !bound)
        return Event::Other;

    const bool ownUsbDevice = isUsbDevice(device);
    udev_device *usb = ownUsbDevice ? device : udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (usb) {
        if (usbVendor(usb) != m_vendorId)
            return Event::Other;
        usbPath = QString::fromLocal8Bit(udev_device_get_syspath(usb));
    } else {
        udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
        if (!hid || hidVendor(hid) != m_vendorId)
            return Event::Other;
    }
    // The kernel binds a USB device once each of its interfaces has its driver; a hidraw node
    // or an interface's driver is as good a sign on systems that do not say so.
    if (ownUsbDevice)
        return added ? Event::Added : Event::Ready;
    return (hidraw && added) || bound ? Event::Ready : Event::Other;
}

void DeviceMonitor::note(Event event, const QString &usbPath)
{
    if (event == Event::Other)
        return;
    if (!m_longest->isActive())
        m_longest->start(LONGEST_BURST_MS);
    m_quiet->start(QUIET_MS);
    if (event == Event::Added) {
        m_notReady.insert(usbPath);
        m_readyWait->start(READY_WAIT_MS);
    } else if (event == Event::Ready) {
        m_notReady.remove(usbPath);
    }
    m_burstArrived = m_burstArrived || event == Event::Added || event == Event::Ready;
}

void DeviceMonitor::quietEnded()
{
    if (m_notReady.isEmpty() || !m_readyWait->isActive())
        endBurst();
}

void DeviceMonitor::endBurst()
{
    m_quiet->stop();
    m_readyWait->stop();
    m_longest->stop();
    m_notReady.clear();
    const bool arrived = m_burstArrived;
    m_burstArrived = false;
    emit controllersChanged(arrived);
}
