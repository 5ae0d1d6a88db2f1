#include "mockusbbus.h"

#include "usbdescriptors.h"

#include <umockdev.h>

namespace {

constexpr int USB_DEVICE_MAJOR = 189;
constexpr int ADDRESSES_PER_BUS = 126;  // 1 is the root hub's
constexpr int BUSES = 16;
constexpr int FULL_SPEED_MBPS = 12;

// Sysfs attribute values end in a newline, as the kernel writes them.
QString attribute(const QString &name, const QString &value)
{
    return QStringLiteral("A: %1=%2\\n\n").arg(name, value);
}

QString describe(const UsbDeviceIdentity &identity, const UsbAddress &address)
{
    const QString busNumber = QStringLiteral("%1").arg(address.bus, 3, 10, QLatin1Char('0'));
    const QString deviceNumber = QStringLiteral("%1").arg(address.device, 3, 10, QLatin1Char('0'));
    const int minor = (address.bus - 1) * 128 + address.device - 1;
    QString text = QStringLiteral("P: %1\nN: bus/usb/%2/%3\n").arg(address.sysfsPath, busNumber, deviceNumber);
    text += QStringLiteral("E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=%1\n").arg(address.devNode);
    text += QStringLiteral("E: BUSNUM=%1\nE: DEVNUM=%2\n").arg(busNumber, deviceNumber);
    text += attribute(QStringLiteral("busnum"), QString::number(address.bus));
    text += attribute(QStringLiteral("devnum"), QString::number(address.device));
    text += attribute(QStringLiteral("speed"), QString::number(FULL_SPEED_MBPS));
    text += attribute(QStringLiteral("dev"), QStringLiteral("%1:%2").arg(USB_DEVICE_MAJOR).arg(minor));
    text += attribute(QStringLiteral("bConfigurationValue"), QStringLiteral("1"));
    text += attribute(QStringLiteral("idVendor"), QStringLiteral("%1").arg(UsbDescriptors::VENDOR_ID, 4, 16, QLatin1Char('0')));
    text += attribute(QStringLiteral("idProduct"), QStringLiteral("%1").arg(identity.productId, 4, 16, QLatin1Char('0')));
    text += attribute(QStringLiteral("manufacturer"), identity.manufacturer);
    text += attribute(QStringLiteral("product"), identity.product);
    text += attribute(QStringLiteral("serial"), identity.serial);
    text += QStringLiteral("H: descriptors=%1\n")
                .arg(QString::fromLatin1(UsbDescriptors::forController(identity.productId).toHex().toUpper()));
    return text;
}

} // namespace

MockUsbBus::MockUsbBus()
    : m_testbed(umockdev_testbed_new())
{
}

MockUsbBus::~MockUsbBus()
{
    g_object_unref(m_testbed);
}

bool MockUsbBus::isMocked() const
{
    return umockdev_in_mock_environment();
}

std::optional<UsbAddress> MockUsbBus::plug(const UsbDeviceIdentity &identity, UMockdevIoctlBase *handler,
                                           QString *error)
{
    const UsbAddress address = nextFreeAddress();
    const QByteArray devNode = address.devNode.toUtf8();
    GError *failure = nullptr;
    // A node used before keeps the handler of its earlier device until it is reused.
    if (m_attachedNodes.remove(address.devNode))
        umockdev_testbed_detach_ioctl(m_testbed, devNode.constData(), nullptr);
    // The handler goes first: adding the device announces it, and a client that opens the
    // node before its handler is there is ended by the preload.
    if (!umockdev_testbed_attach_ioctl(m_testbed, devNode.constData(), handler, &failure)) {
        *error = QString::fromUtf8(failure->message);
        g_error_free(failure);
        return std::nullopt;
    }
    m_attachedNodes.insert(address.devNode);
    if (!umockdev_testbed_add_from_string(m_testbed, describe(identity, address).toUtf8().constData(), &failure)) {
        *error = QString::fromUtf8(failure->message);
        g_error_free(failure);
        return std::nullopt;
    }
    m_pluggedNodes.insert(address.devNode);
    return address;
}

void MockUsbBus::unplug(const UsbAddress &address)
{
    if (!m_pluggedNodes.remove(address.devNode))
        return;
    // libusb hears of the removal only while the sysfs entry is still there.
    const QByteArray sysfsPath = QByteArray("/sys") + address.sysfsPath.toUtf8();
    umockdev_testbed_uevent(m_testbed, sysfsPath.constData(), "remove");
    umockdev_testbed_remove_device(m_testbed, sysfsPath.constData());
}

UsbAddress MockUsbBus::nextFreeAddress()
{
    UsbAddress address;
    do {
        const int slot = m_nextSlot++ % (ADDRESSES_PER_BUS * BUSES);
        address.bus = 1 + slot / ADDRESSES_PER_BUS;
        address.device = 2 + slot % ADDRESSES_PER_BUS;
        address.devNode = QStringLiteral("/dev/bus/usb/%1/%2")
                              .arg(address.bus, 3, 10, QLatin1Char('0'))
                              .arg(address.device, 3, 10, QLatin1Char('0'));
    } while (m_pluggedNodes.contains(address.devNode));
    address.sysfsPath = QStringLiteral("/devices/pci0000:00/0000:00:14.0/usb%1/%1-%2")
                            .arg(address.bus)
                            .arg(address.device - 1);
    return address;
}
