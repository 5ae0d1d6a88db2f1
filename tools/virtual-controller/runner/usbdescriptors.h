#pragma once

#include <QByteArray>

// The descriptors a controller shows on the bus: one configuration with one HID interface
// and its interrupt IN endpoint, as the kernel exposes them in sysfs ("descriptors"), and
// the interface's HID report descriptor.
namespace UsbDescriptors {

constexpr int VENDOR_ID = 0x045B;

QByteArray forController(int productId);
// The HID report descriptor of interface 0: the vendor-defined feature reports 0x20 (command
// and block packets), 0x21 and 0x22 (the settings records), 0x24 (busy status) and 0x25
// (device information), each with the report id in front.
QByteArray hidReport();

} // namespace UsbDescriptors
