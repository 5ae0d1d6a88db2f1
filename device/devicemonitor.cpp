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
    , vendorId(vendorId)
    , quiet(new QTimer(this))
    , readyWait(new QTimer(this))
    , longest(new QTimer(this))
{
    for (QTimer *timer : {quiet, readyWait, longest}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(quiet, &QTimer::timeout, this, &DeviceMonitor::quietEnded);
    connect(readyWait, &QTimer::timeout, this, [this] {
        if (!quiet->isActive())
            endBurst();
    });
    connect(longest, &QTimer::timeout, this, &DeviceMonitor::endBurst);

    context = udev_new();
    // udev's own events, not the kernel's: they come once udev has set up the node and its
    // permissions, so a controller announced can be opened.
    monitor = context ? udev_monitor_new_from_netlink(context, "udev") : nullptr;
    if (!monitor)
        return;
    udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", nullptr);
    udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr);
    if (udev_monitor_enable_receiving(monitor) < 0)
        return;
    notifier = new QSocketNotifier(qintptr(udev_monitor_get_fd(monitor)), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &DeviceMonitor::readEvents);
}

DeviceMonitor::~DeviceMonitor()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

void DeviceMonitor::readEvents()
{
    while (udev_device *device = udev_monitor_receive_device(monitor)) {
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
        return node && watchedNodes.contains(QString::fromLocal8Bit(node)) ? Event::Removed : Event::Other;
    }
    const bool added = std::strcmp(action, "add") == 0;
    const bool bound = std::strcmp(action, "bind") == 0;
    const bool hidraw = std::strcmp(subsystem, "hidraw") == 0;
    if (!added && !bound)
        return Event::Other;

    const bool ownUsbDevice = isUsbDevice(device);
    udev_device *usb = ownUsbDevice ? device : udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (usb) {
        if (usbVendor(usb) != vendorId)
            return Event::Other;
        usbPath = QString::fromLocal8Bit(udev_device_get_syspath(usb));
    } else {
        udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
        if (!hid || hidVendor(hid) != vendorId)
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
    if (!longest->isActive())
        longest->start(LONGEST_BURST_MS);
    quiet->start(QUIET_MS);
    if (event == Event::Added) {
        notReady.insert(usbPath);
        readyWait->start(READY_WAIT_MS);
    } else if (event == Event::Ready) {
        notReady.remove(usbPath);
    }
    burstArrived = burstArrived || event == Event::Added || event == Event::Ready;
}

void DeviceMonitor::quietEnded()
{
    if (notReady.isEmpty() || !readyWait->isActive())
        endBurst();
}

void DeviceMonitor::endBurst()
{
    quiet->stop();
    readyWait->stop();
    longest->stop();
    notReady.clear();
    const bool arrived = burstArrived;
    burstArrived = false;
    emit controllersChanged(arrived);
}
