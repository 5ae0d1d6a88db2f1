// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The vendor's USB devices on the bus, whatever driver holds them, by product id: one entry
// per controller, however many hidraw nodes or interfaces it has, and their input devices.
// Read from udev's view of sysfs, so it never touches a controller and is up to date the
// moment udev announces one.
namespace UsbControllers {

// Product id to the usbfs nodes (/dev/bus/usb/BBB/DDD) of its controllers.
QMap<int, QStringList> nodesByProduct(int vendorId);

// The kernel's input event node of a controller: the event device whose sysfs ancestry
// reaches the USB device with these ids (the HID device's input/inputN/eventM). Empty when
// the kernel made none, as when no HID driver holds the controller.
QString eventNodeFor(int vendorId, int productId);

} // namespace UsbControllers
