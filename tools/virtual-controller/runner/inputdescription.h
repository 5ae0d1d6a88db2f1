// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class InputCapabilities;

// The input device hid-input registers for a bound controller and its evdev class device,
// as umockdev descriptions: `<hid device>/input/inputN` with its identity and capability
// attributes and the properties udev's input_id gives a joystick, and `inputN/eventM` with
// the node /dev/input/eventM.
namespace InputDescription {

constexpr int INPUT_MAJOR = 13;
constexpr int EVDEV_MINOR_BASE = 64;

struct Identity {
    QString name;
    QString phys;
    QString uniq;
    int vendorId = 0;
    int productId = 0;
    int version = 0;
};

QString inputPath(const QString &hidPath, int number);
QString eventPath(const QString &hidPath, int number, int minor);
QString eventNode(int minor);
QString inputDevice(const QString &hidPath, int number, const Identity &identity, const InputCapabilities &capabilities);
QString eventDevice(const QString &hidPath, int number, int minor);

} // namespace InputDescription
