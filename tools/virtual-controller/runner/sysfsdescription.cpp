// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysfsdescription.h"

#include "mockusbbus.h"
#include "usbdescriptors.h"

namespace SysfsDescription {

namespace {

constexpr int USB_DEVICE_MAJOR = 189;
constexpr int FULL_SPEED_MBPS = 12;
constexpr int BUS_USB = 3;
constexpr int HID_GROUP_GENERIC = 1;
constexpr int DEVICE_RELEASE = UsbDescriptors::DEVICE_RELEASE;
constexpr const char *HOST_CONTROLLER = "0000:00:14.0";

QString attribute(const QString &name, const QString &value)
{
    return QStringLiteral("A: %1=%2\\n\n").arg(name, value);
}

QString property(const QString &name, const QString &value)
{
    return QStringLiteral("E: %1=%2\n").arg(name, value);
}

QString hex(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

// "1-4" for the device, the name sysfs gives it.
QString deviceName(const UsbAddress &address)
{
    return address.sysfsPath.section(QLatin1Char('/'), -1);
}

} // namespace

QString usbDevice(const UsbDeviceIdentity &identity, const UsbAddress &address)
{
    const QString busNumber = QStringLiteral("%1").arg(address.bus, 3, 10, QLatin1Char('0'));
    const QString deviceNumber = QStringLiteral("%1").arg(address.device, 3, 10, QLatin1Char('0'));
    const int minor = (address.bus - 1) * 128 + address.device - 1;
    QString text = QStringLiteral("P: %1\nN: bus/usb/%2/%3\n").arg(address.sysfsPath, busNumber, deviceNumber);
    text += property(QStringLiteral("SUBSYSTEM"), QStringLiteral("usb"));
    text += property(QStringLiteral("DEVTYPE"), QStringLiteral("usb_device"));
    text += property(QStringLiteral("DEVNAME"), address.devNode);
    text += property(QStringLiteral("BUSNUM"), busNumber);
    text += property(QStringLiteral("DEVNUM"), deviceNumber);
    text += attribute(QStringLiteral("busnum"), QString::number(address.bus));
    text += attribute(QStringLiteral("devnum"), QString::number(address.device));
    text += attribute(QStringLiteral("speed"), QString::number(FULL_SPEED_MBPS));
    text += attribute(QStringLiteral("dev"), QStringLiteral("%1:%2").arg(USB_DEVICE_MAJOR).arg(minor));
    text += attribute(QStringLiteral("bConfigurationValue"), QStringLiteral("1"));
    text += attribute(QStringLiteral("idVendor"), hex(UsbDescriptors::VENDOR_ID, 4).toLower());
    text += attribute(QStringLiteral("idProduct"), hex(identity.productId, 4).toLower());
    text += attribute(QStringLiteral("bcdDevice"), hex(DEVICE_RELEASE, 4));
    text += attribute(QStringLiteral("manufacturer"), identity.manufacturer);
    text += attribute(QStringLiteral("product"), identity.product);
    text += attribute(QStringLiteral("serial"), identity.serial);
    text += QStringLiteral("H: descriptors=%1\n")
                .arg(QString::fromLatin1(UsbDescriptors::forController(identity.productId, identity.kind).toHex().toUpper()));
    return text;
}

QString usbInterface(const UsbDeviceIdentity &identity, const UsbAddress &address)
{
    QString text = QStringLiteral("P: %1\n").arg(interfacePath(address));
    text += property(QStringLiteral("SUBSYSTEM"), QStringLiteral("usb"));
    text += property(QStringLiteral("DEVTYPE"), QStringLiteral("usb_interface"));
    text += property(QStringLiteral("PRODUCT"), QStringLiteral("%1/%2/%3")
                                                    .arg(UsbDescriptors::VENDOR_ID, 0, 16)
                                                    .arg(identity.productId, 0, 16)
                                                    .arg(DEVICE_RELEASE, 0, 16));
    text += property(QStringLiteral("TYPE"), QStringLiteral("0/0/0"));
    text += property(QStringLiteral("INTERFACE"), QStringLiteral("3/0/0"));
    text += property(QStringLiteral("MODALIAS"), QStringLiteral("usb:v%1p%2d%3dc00dsc00dp00ic03isc00ip00in00")
                                                     .arg(hex(UsbDescriptors::VENDOR_ID, 4), hex(identity.productId, 4),
                                                          hex(DEVICE_RELEASE, 4)));
    text += attribute(QStringLiteral("bInterfaceNumber"), QStringLiteral("00"));
    text += attribute(QStringLiteral("bAlternateSetting"), QStringLiteral(" 0"));
    text += attribute(QStringLiteral("bNumEndpoints"), QStringLiteral("01"));
    text += attribute(QStringLiteral("bInterfaceClass"), QStringLiteral("03"));
    text += attribute(QStringLiteral("bInterfaceSubClass"), QStringLiteral("00"));
    text += attribute(QStringLiteral("bInterfaceProtocol"), QStringLiteral("00"));
    return text;
}

QString hidDevice(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence)
{
    const QString path = hidPath(identity, address, sequence);
    QString text = QStringLiteral("P: %1\n").arg(path);
    text += property(QStringLiteral("SUBSYSTEM"), QStringLiteral("hid"));
    text += property(QStringLiteral("DRIVER"), QStringLiteral("hid-generic"));
    text += property(QStringLiteral("HID_ID"), QStringLiteral("%1:%2:%3").arg(hex(BUS_USB, 4),
                                                                             hex(UsbDescriptors::VENDOR_ID, 8),
                                                                             hex(identity.productId, 8)));
    text += property(QStringLiteral("HID_NAME"), hidName(identity));
    text += property(QStringLiteral("HID_PHYS"), hidPhys(address));
    text += property(QStringLiteral("HID_UNIQ"), identity.serial);
    text += property(QStringLiteral("MODALIAS"), QStringLiteral("hid:b%1g%2v%3p%4")
                                                     .arg(hex(BUS_USB, 4), hex(HID_GROUP_GENERIC, 4),
                                                          hex(UsbDescriptors::VENDOR_ID, 8), hex(identity.productId, 8)));
    text += QStringLiteral("L: driver=%1\n").arg(driverLink(path, QStringLiteral("hid"), QStringLiteral("hid-generic")));
    text += QStringLiteral("H: report_descriptor=%1\n")
                .arg(QString::fromLatin1(UsbDescriptors::hidReport(identity.kind).toHex().toUpper()));
    return text;
}

QString hidrawDevice(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence, int minor)
{
    const QString name = QStringLiteral("hidraw%1").arg(minor);
    QString text = QStringLiteral("P: %1\nN: %2=00\n").arg(hidrawPath(identity, address, sequence, minor), name);
    text += property(QStringLiteral("SUBSYSTEM"), QStringLiteral("hidraw"));
    text += property(QStringLiteral("DEVNAME"), QStringLiteral("/dev/") + name);
    text += property(QStringLiteral("MAJOR"), QString::number(HIDRAW_MAJOR));
    text += property(QStringLiteral("MINOR"), QString::number(minor));
    text += attribute(QStringLiteral("dev"), QStringLiteral("%1:%2").arg(HIDRAW_MAJOR).arg(minor));
    // hidapi reads the hid device's uevent through this link.
    text += QStringLiteral("L: device=../../../%1\n").arg(hidPath(identity, address, sequence).section(QLatin1Char('/'), -1));
    return text;
}

QString interfacePath(const UsbAddress &address)
{
    return QStringLiteral("%1/%2:1.0").arg(address.sysfsPath, deviceName(address));
}

QString hidPath(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence)
{
    return QStringLiteral("%1/%2:%3:%4.%5")
        .arg(interfacePath(address), hex(BUS_USB, 4), hex(UsbDescriptors::VENDOR_ID, 4), hex(identity.productId, 4),
             hex(sequence, 4));
}

QString hidrawPath(const UsbDeviceIdentity &identity, const UsbAddress &address, int sequence, int minor)
{
    return QStringLiteral("%1/hidraw/hidraw%2").arg(hidPath(identity, address, sequence)).arg(minor);
}

QString driverLink(const QString &sysfsPath, const QString &bus, const QString &driver)
{
    // One ".." per component of the path, which starts with a slash.
    return QStringLiteral("../").repeated(sysfsPath.count(QLatin1Char('/')))
           + QStringLiteral("bus/%1/drivers/%2").arg(bus, driver);
}

QString hidName(const UsbDeviceIdentity &identity)
{
    return identity.manufacturer + QLatin1Char(' ') + identity.product;
}

QString hidPhys(const UsbAddress &address)
{
    return QStringLiteral("usb-%1-%2/input0").arg(QLatin1String(HOST_CONTROLLER), deviceName(address).section(QLatin1Char('-'), 1));
}

} // namespace SysfsDescription
