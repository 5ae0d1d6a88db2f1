#include "usbdescriptors.h"

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
constexpr int DEVICE_RELEASE = 0x0100;
// Length announced for the HID report descriptor, which the emulation never hands out.
constexpr int REPORT_DESCRIPTOR_LENGTH = 0;

} // namespace

QByteArray forController(int productId)
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
    append(bytes, {9, HID_DESCRIPTOR, 0x11, 0x01, 0, 1, HID_REPORT_DESCRIPTOR,
                   lo(REPORT_DESCRIPTOR_LENGTH), hi(REPORT_DESCRIPTOR_LENGTH)});
    append(bytes, {7, ENDPOINT_DESCRIPTOR, 0x81, 0x03, 64, 0, 1}); // interrupt IN, 1 ms
    return bytes;
}

} // namespace UsbDescriptors
