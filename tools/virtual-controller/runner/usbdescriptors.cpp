// SPDX-License-Identifier: GPL-3.0-or-later
#include "usbdescriptors.h"

#include <utility>

namespace UsbDescriptors {

namespace {

void append(QByteArray &bytes, std::initializer_list<int> values)
{
    for (int value : values)
        bytes.append(char(value));
}

int lo(int value)
{
    return value & 0xFF;
}

int hi(int value)
{
    return value >> 8 & 0xFF;
}

constexpr int DEVICE_DESCRIPTOR = 1;
constexpr int CONFIGURATION_DESCRIPTOR = 2;
constexpr int INTERFACE_DESCRIPTOR = 4;
constexpr int ENDPOINT_DESCRIPTOR = 5;
constexpr int HID_DESCRIPTOR = 0x21;
constexpr int HID_REPORT_DESCRIPTOR = 0x22;
constexpr int CLASS_HID = 3;
constexpr int CONFIGURATION_LENGTH = 9 + 9 + 9 + 7;

// Short items of the HID report descriptor: tag and type in the high bits, data size (1 or
// 2 bytes here) in the low ones.
constexpr int USAGE_PAGE = 0x05;
constexpr int USAGE_PAGE_16 = 0x06;
constexpr int USAGE_MINIMUM = 0x19;
constexpr int USAGE_MAXIMUM = 0x29;
constexpr int LOGICAL_MINIMUM_16 = 0x16;
constexpr int LOGICAL_MAXIMUM = 0x25;
constexpr int REPORT_COUNT = 0x95;
constexpr int INPUT = 0x81;
constexpr int GENERIC_DESKTOP_PAGE = 0x01;
constexpr int BUTTON_PAGE = 0x09;
constexpr int JOYSTICK = 0x04;
constexpr int USAGE_X = 0x30;
constexpr int USAGE_Y = 0x31;
constexpr int USAGE_RX = 0x33;
constexpr int USAGE_RY = 0x34;
constexpr int USAGE_RZ = 0x35;
constexpr int USAGE = 0x09;
constexpr int COLLECTION = 0xA1;
constexpr int END_COLLECTION = 0xC0;
constexpr int LOGICAL_MINIMUM = 0x15;
constexpr int LOGICAL_MAXIMUM_16 = 0x26;
constexpr int REPORT_SIZE = 0x75;
constexpr int REPORT_ID = 0x85;
constexpr int REPORT_COUNT_16 = 0x96;
constexpr int FEATURE = 0xB1;
constexpr int APPLICATION = 0x01;
constexpr int DATA_VARIABLE_ABSOLUTE = 0x02;
constexpr int VENDOR_PAGE = 0xFF00;

constexpr int BUTTONS = 32;

// Report id and bytes after it.
constexpr std::pair<int, int> FEATURE_REPORTS[] = {{0x20, 64}, {0x21, 512}, {0x22, 384}, {0x24, 1}, {0x25, 64}};

} // namespace

QByteArray forController(int productId, ControllerKind kind)
{
    QByteArray bytes;
    append(bytes, {18, DEVICE_DESCRIPTOR, 0x00, 0x02, // USB 2.0
                   0, 0, 0,                         // class given per interface
                   64,                              // endpoint 0 packet size
                   lo(VENDOR_ID), hi(VENDOR_ID), lo(productId), hi(productId),
                   lo(DEVICE_RELEASE), hi(DEVICE_RELEASE),
                   1, 2, 3,                         // manufacturer, product, serial strings
                   1});                             // configurations
    append(bytes, {9, CONFIGURATION_DESCRIPTOR, lo(CONFIGURATION_LENGTH), hi(CONFIGURATION_LENGTH),
                   1,                               // interfaces
                   1,                               // configuration value
                   0, 0x80, 250});                  // bus powered, 500 mA
    append(bytes, {9, INTERFACE_DESCRIPTOR, 0, 0, 1, CLASS_HID, 0, 0, 0});
    const int reportLength = int(hidReport(kind).size());
    append(bytes, {9, HID_DESCRIPTOR, 0x11, 0x01, 0, 1, HID_REPORT_DESCRIPTOR, lo(reportLength), hi(reportLength)});
    append(bytes, {7, ENDPOINT_DESCRIPTOR, 0x81, 0x03, 64, 0, 1}); // interrupt IN, 1 ms
    return bytes;
}

QByteArray hidReport(ControllerKind kind)
{
    QByteArray bytes;
    append(bytes, {USAGE_PAGE_16, lo(VENDOR_PAGE), hi(VENDOR_PAGE), USAGE, 0x01, COLLECTION, APPLICATION,
                   LOGICAL_MINIMUM, 0, LOGICAL_MAXIMUM_16, 0xFF, 0x00, REPORT_SIZE, 8});
    for (const auto &[id, count] : FEATURE_REPORTS)
        append(bytes, {REPORT_ID, id, REPORT_COUNT_16, lo(count), hi(count), USAGE, id, FEATURE,
                       DATA_VARIABLE_ABSOLUTE});
    append(bytes, {END_COLLECTION});

    const bool twoForceAxes = kind == ControllerKind::Joystick || kind == ControllerKind::Generic;
    append(bytes, {USAGE_PAGE, GENERIC_DESKTOP_PAGE, USAGE, JOYSTICK, COLLECTION, APPLICATION,
                   REPORT_ID, INPUT_REPORT_ID, USAGE, USAGE_X});
    if (twoForceAxes)
        append(bytes, {USAGE, USAGE_Y});
    append(bytes, {LOGICAL_MINIMUM_16, 0x00, 0x80, LOGICAL_MAXIMUM_16, 0xFF, 0x7F, REPORT_SIZE, 16,
                   REPORT_COUNT, twoForceAxes ? 2 : 1, INPUT, DATA_VARIABLE_ABSOLUTE});
    append(bytes, {USAGE, USAGE_RX, USAGE, USAGE_RY, USAGE, USAGE_RZ, LOGICAL_MINIMUM, 0, LOGICAL_MAXIMUM_16, 0xFF,
                   0x7F, REPORT_SIZE, 16, REPORT_COUNT, 3, INPUT, DATA_VARIABLE_ABSOLUTE});
    append(bytes, {USAGE_PAGE, BUTTON_PAGE, USAGE_MINIMUM, 1, USAGE_MAXIMUM, BUTTONS, LOGICAL_MINIMUM, 0,
                   LOGICAL_MAXIMUM, 1, REPORT_SIZE, 1, REPORT_COUNT, BUTTONS, INPUT,
                   DATA_VARIABLE_ABSOLUTE});
    append(bytes, {END_COLLECTION});
    return bytes;
}

} // namespace UsbDescriptors
