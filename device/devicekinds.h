// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/deviceinfo.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// One kind of controller of the family: the DeviceType code its device information record
// reports (also its row in the device list), the USB product id it is looked for under, the
// name it is listed with, its name on kestrov-ctl's command line, and how many axis pages
// the settings panels show for it.
struct DeviceKind {
    DeviceType code;
    int productId;
    const char *displayName;
    const char *commandLineName;
    // 0: the kind decides nothing about the axes, so the pages stay as they are.
    int axisPages;
};

namespace DeviceKinds {

// In code order, which is the order of the device list.
inline constexpr std::array<DeviceKind, 5> ALL{{
    {Generic, 22000, "Kestrov Generic", "generic", 0},
    {Joystick, 22777, "Kestrov Joystick", "joystick", 2},
    {Rudder, 22888, "Kestrov Rudder", "rudder", 1},
    {Wheel, 22999, "Kestrov Wheel PRO", "wheel", 1},
    {Collective, 22001, "Kestrov Collective", "collective", 1},
}};

// The kind of a DeviceType code, of a product id, or of a command-line name (in any case);
// null for none of the family.
const DeviceKind *byCode(int code);
const DeviceKind *byProductId(int productId);
const DeviceKind *byCommandLineName(QStringView name);

// Product ids and display names keyed by code.
QMap<int, int> productIds();
QMap<int, QString> displayNames();
QStringList commandLineNames();

// Compatible means exactly the tool's own version; older and newer alike are a mismatch.
bool isCompatibleFirmware(quint32 firmwareVersion);

} // namespace DeviceKinds
