// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/usbcontrollers.h"

#include <QByteArray>
#include <QString>

#include <libudev.h>

namespace UsbControllers {

namespace {

// "045b" as sysfs gives idVendor and idProduct; -1 when absent.
int hexAttribute(udev_device *device, const char *name)
{
    bool ok = false;
    const int value = QByteArray(udev_device_get_sysattr_value(device, name)).trimmed().toInt(&ok, 16);
    return ok ? value : -1;
}

bool belongsTo(udev_device *eventDevice, int vendorId, int productId)
{
    // The parent is owned by the child: no unref.
    udev_device *usb = udev_device_get_parent_with_subsystem_devtype(eventDevice, "usb", "usb_device");
    return usb && hexAttribute(usb, "idVendor") == vendorId && hexAttribute(usb, "idProduct") == productId;
}

// Calls `visit` with each device of the subsystem that has a node, its sysname matching
// `sysname` (a pattern; null for any) and, when `devtype` is given, of that DEVTYPE.
template<typename Visit>
void forEachNode(const char *subsystem, const char *devtype, const char *sysname, Visit visit)
{
    udev *context = udev_new();
    if (!context)
        return;
    if (udev_enumerate *enumerate = udev_enumerate_new(context)) {
        udev_enumerate_add_match_subsystem(enumerate, subsystem);
        if (devtype)
            udev_enumerate_add_match_property(enumerate, "DEVTYPE", devtype);
        if (sysname)
            udev_enumerate_add_match_sysname(enumerate, sysname);
        udev_enumerate_scan_devices(enumerate);
        udev_list_entry *entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            udev_device *device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
            if (!device)
                continue;
            if (const char *node = udev_device_get_devnode(device))
                visit(device, QString::fromLocal8Bit(node));
            udev_device_unref(device);
        }
        udev_enumerate_unref(enumerate);
    }
    udev_unref(context);
}

} // namespace

QMap<int, QStringList> nodesByProduct(int vendorId)
{
    QMap<int, QStringList> found;
    forEachNode("usb", "usb_device", nullptr, [&](udev_device *device, const QString &node) {
        if (hexAttribute(device, "idVendor") == vendorId)
            found[hexAttribute(device, "idProduct")].append(node);
    });
    return found;
}

QString eventNodeFor(int vendorId, int productId)
{
    QString found;
    forEachNode("input", nullptr, "event*", [&](udev_device *device, const QString &node) {
        if (found.isEmpty() && belongsTo(device, vendorId, productId))
            found = node;
    });
    return found;
}

} // namespace UsbControllers
