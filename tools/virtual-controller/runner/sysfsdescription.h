// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct UsbAddress;
struct UsbDeviceIdentity;

// The devices the kernel puts into sysfs for a controller, as umockdev descriptions: the USB
// device, its interface 0 and, while the HID driver holds that interface, the hid device
// with its hidraw class device. Attribute values end in a newline, as the kernel writes them.
namespace SysfsDescription {

constexpr int HIDRAW_MAJOR = 244;

QString usbDevice(const UsbDeviceIdentity &identity, const UsbAddress &address);
QString usbInterface(const UsbDeviceIdentity &identity, const UsbAddress &address);
QString hidDevice(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence);
QString hidrawDevice(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence, int minor);

QString interfacePath(const UsbAddress &address);
QString hidPath(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence);
QString hidrawPath(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence, int minor);
// Relative link from a device's directory to a driver under /sys/bus.
QString driverLink(const QString &sysfsPath, const QString &bus, const QString &driver);

// What the HID driver calls the device: "manufacturer product", and where it sits
// ("usb-<host controller>-<port>/input0").
QString hidName(const UsbDeviceIdentity &identity);
QString hidPhys(const UsbAddress &address);

} // namespace SysfsDescription
