// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controllerkind.h"

#include <QByteArray>

// The descriptors a controller shows on the bus: one configuration with one HID interface
// and its interrupt IN endpoint, as the kernel exposes them in sysfs ("descriptors"), and
// the interface's HID report descriptor.
namespace UsbDescriptors {

constexpr int VENDOR_ID = 0x045B;
constexpr int DEVICE_RELEASE = 0x0100;
// The joystick input report's id.
constexpr int INPUT_REPORT_ID = 0x01;

QByteArray forController(int productId, ControllerKind kind);
// The HID report descriptor of interface 0: a vendor-defined collection with the feature
// reports 0x20 (command and block packets), 0x21 and 0x22 (the settings records), 0x24
// (busy status) and 0x25 (device information), each with the report id in front; then a
// joystick collection with input report 0x01: the force axes X (and Y for a joystick or a
// generic controller), -32768 to 32767, the analog axes Rx, Ry and Rz, 0 to 32767, all 16
// bits, and 32 one-bit buttons.
QByteArray hidReport(ControllerKind kind);

} // namespace UsbDescriptors
