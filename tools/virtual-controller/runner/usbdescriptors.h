#pragma once

#include <QByteArray>

// The descriptors a controller shows on the bus: one configuration with one HID interface
// and its interrupt IN endpoint, as the kernel exposes them in sysfs ("descriptors").
namespace UsbDescriptors {

constexpr int VENDOR_ID = 0x045B;

QByteArray forController(int productId);

} // namespace UsbDescriptors
