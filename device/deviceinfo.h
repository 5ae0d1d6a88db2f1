// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QMetaType>

#include <cstddef>
#include <cstdint>

// The tool's own version; a controller is compatible when its firmware reports exactly this.
constexpr quint32 SETUP_VERSION = 241123;

// USB vendor id shared by every controller of the family.
constexpr int KESTROV_VENDOR_ID = 0x045B;

// Kind of controller, as reported in byte 4 of the device information record. The code is
// also the controller's row in the device list.
enum DeviceType : int {
    Generic = 0,
    Joystick = 1,
    Rudder = 2,
    Wheel = 3,
    Collective = 4,
};

#pragma pack(push, 1)
// Reply to GET feature report 0x25: what firmware the controller runs and what kind it is.
struct DeviceInfoTypeDef {
    uint32_t firmwareVersion = 0;
    uint8_t deviceType = 0;
    uint8_t reserved[59] = {};
};
#pragma pack(pop)

static_assert(sizeof(DeviceInfoTypeDef) == 64);
static_assert(offsetof(DeviceInfoTypeDef, firmwareVersion) == 0);
static_assert(offsetof(DeviceInfoTypeDef, deviceType) == 4);

Q_DECLARE_METATYPE(DeviceInfoTypeDef)
