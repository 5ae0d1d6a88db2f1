// SPDX-License-Identifier: GPL-3.0-or-later
#include "mockusbbus.h"

#include "sysfsdescription.h"

#include <QFile>

#include <umockdev.h>

#include <unistd.h>

namespace {

constexpr int ADDRESSES_PER_BUS = 126;  // 1 is the root hub's
constexpr int BUSES = 16;
constexpr int HIDRAW_MINORS = 64;
// evdev's own range of minors.
constexpr int EVDEV_MINORS = 32;

QByteArray sysPath(const QString &sysfsPath)
{
    return QByteArray("/sys") + sysfsPath.toUtf8();
}

} // namespace

MockUsbBus::MockUsbBus()
    : m_testbed(umockdev_testbed_new())
{
    gchar *sysDir = umockdev_testbed_get_sys_dir(m_testbed);
    m_sysDir = QString::fromLocal8Bit(sysDir);
    g_free(sysDir);
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
    // The handler goes first: adding the device announces it, and a client that opens the
    // node before its handler is there is ended by the preload.
    if (!attach(address.devNode, handler, error) || !add(SysfsDescription::usbDevice(identity, address), error))
        return std::nullopt;
    m_pluggedNodes.insert(address.devNode);
    if (!add(SysfsDescription::usbInterface(identity, address), error)) {
        unplug(address);
        return std::nullopt;
    }
    return address;
}

std::optional<HidBinding> MockUsbBus::bindHid(const UsbDeviceIdentity &identity, const UsbAddress &address,
                                              UMockdevIoctlBase *handler, const InputBinding &input, QString *error)
{
    if (m_hidNodes.contains(address.devNode)) {
        *error = QStringLiteral("interface 0 of %1 already has its HID driver").arg(address.devNode);
        return std::nullopt;
    }
    int minor = 0;
    HidNodes nodes;
    nodes.devNode = nextFreeHidrawNode(&minor);
    if (nodes.devNode.isEmpty()) {
        *error = QStringLiteral("no free hidraw minor");
        return std::nullopt;
    }
    // Numbered on, never reused, as the HID core does.
    const int sequence = m_nextHidSequence++;
    nodes.hidPath = SysfsDescription::hidPath(identity, address, sequence);
    nodes.hidrawPath = SysfsDescription::hidrawPath(identity, address, sequence, minor);
    if (!attach(nodes.devNode, handler, error) || !add(SysfsDescription::hidDevice(identity, address, sequence), error))
        return std::nullopt;
    // hid_connect(): hid-input first, then hidraw.
    if (!addInput(nodes.hidPath, input, &nodes, error)) {
        remove(nodes.hidPath);
        return std::nullopt;
    }
    if (!add(SysfsDescription::hidrawDevice(identity, address, sequence, minor), error)) {
        remove(nodes.eventPath);
        remove(nodes.inputPath);
        m_pluggedNodes.remove(nodes.eventNode);
        remove(nodes.hidPath);
        return std::nullopt;
    }
    m_pluggedNodes.insert(nodes.devNode);
    m_hidNodes.insert(address.devNode, nodes);
    setInterfaceDriver(address, QStringLiteral("usbhid"));
    umockdev_testbed_uevent(m_testbed, sysPath(SysfsDescription::interfacePath(address)).constData(), "bind");
    return HidBinding{nodes.devNode, nodes.eventNode};
}

bool MockUsbBus::addInput(const QString &hidPath, const InputBinding &input, HidNodes *nodes, QString *error)
{
    int minor = 0;
    nodes->eventNode = nextFreeEventNode(&minor);
    if (nodes->eventNode.isEmpty()) {
        *error = QStringLiteral("no free evdev minor");
        return false;
    }
    // Input devices are numbered on; event nodes take the lowest free minor.
    const int number = m_nextInputNumber++;
    nodes->inputPath = InputDescription::inputPath(hidPath, number);
    nodes->eventPath = InputDescription::eventPath(hidPath, number, minor);
    if (!attach(nodes->eventNode, input.handler, error)
        || !add(InputDescription::inputDevice(hidPath, number, input.identity, *input.capabilities), error))
        return false;
    if (!add(InputDescription::eventDevice(hidPath, number, minor), error)) {
        remove(nodes->inputPath);
        return false;
    }
    m_pluggedNodes.insert(nodes->eventNode);
    return true;
}

void MockUsbBus::unbindHid(const UsbAddress &address)
{
    const auto found = m_hidNodes.constFind(address.devNode);
    if (found == m_hidNodes.constEnd())
        return;
    const HidNodes nodes = *found;
    m_hidNodes.erase(found);
    // hid_disconnect(): hid-input's devices first, then hidraw.
    remove(nodes.eventPath);
    remove(nodes.inputPath);
    m_pluggedNodes.remove(nodes.eventNode);
    remove(nodes.hidrawPath);
    remove(nodes.hidPath);
    m_pluggedNodes.remove(nodes.devNode);
    setInterfaceDriver(address, QString());
    umockdev_testbed_uevent(m_testbed, sysPath(SysfsDescription::interfacePath(address)).constData(), "unbind");
}

void MockUsbBus::unplug(const UsbAddress &address)
{
    if (!m_pluggedNodes.remove(address.devNode))
        return;
    unbindHid(address);
    remove(SysfsDescription::interfacePath(address));
    remove(address.sysfsPath);
}

bool MockUsbBus::attach(const QString &devNode, UMockdevIoctlBase *handler, QString *error)
{
    const QByteArray node = devNode.toUtf8();
    // A node used before keeps the handler of its earlier device until it is reused; handles
    // opened on it before stay with that handler.
    if (m_attachedNodes.remove(devNode))
        umockdev_testbed_detach_ioctl(m_testbed, node.constData(), nullptr);
    GError *failure = nullptr;
    if (!umockdev_testbed_attach_ioctl(m_testbed, node.constData(), handler, &failure)) {
        *error = QString::fromUtf8(failure->message);
        g_error_free(failure);
        return false;
    }
    m_attachedNodes.insert(devNode);
    return true;
}

bool MockUsbBus::add(const QString &description, QString *error)
{
    GError *failure = nullptr;
    if (!umockdev_testbed_add_from_string(m_testbed, description.toUtf8().constData(), &failure)) {
        *error = QString::fromUtf8(failure->message);
        g_error_free(failure);
        return false;
    }
    return true;
}

void MockUsbBus::remove(const QString &sysfsPath)
{
    QFile number(m_sysDir + sysfsPath + QStringLiteral("/dev"));
    const QByteArray deviceNumber = number.open(QIODevice::ReadOnly) ? number.readAll().trimmed() : QByteArray();
    // libudev hears of the removal only while the sysfs entry is still there.
    const QByteArray path = sysPath(sysfsPath);
    umockdev_testbed_uevent(m_testbed, path.constData(), "remove");
    umockdev_testbed_remove_device(m_testbed, path.constData());
    // The testbed leaves the device number's link behind, and refuses to add a device with
    // that number again while it is there; hidraw minors are reused.
    if (!deviceNumber.isEmpty())
        ::unlink((m_sysDir + QStringLiteral("/dev/char/")).toLocal8Bit() + deviceNumber);
}

void MockUsbBus::setInterfaceDriver(const UsbAddress &address, const QString &driver)
{
    const QString directory = m_sysDir + SysfsDescription::interfacePath(address);

    QFile uevent(directory + QStringLiteral("/uevent"));
    QByteArrayList lines;
    if (uevent.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : uevent.readAll().split('\n'))
            if (!line.isEmpty() && !line.startsWith("DRIVER="))
                lines << line;
        uevent.close();
    }
    if (!driver.isEmpty())
        lines.insert(qMin<qsizetype>(lines.size(), 2), "DRIVER=" + driver.toUtf8());
    if (uevent.open(QIODevice::WriteOnly | QIODevice::Truncate))
        uevent.write(lines.join('\n') + '\n');

    const QString link = directory + QStringLiteral("/driver");
    QFile::remove(link);
    if (!driver.isEmpty())
        QFile::link(SysfsDescription::driverLink(SysfsDescription::interfacePath(address), QStringLiteral("usb"), driver),
                    link);
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

QString MockUsbBus::nextFreeHidrawNode(int *minor) const
{
    // The lowest free minor, as the hidraw driver takes it.
    for (int candidate = 0; candidate < HIDRAW_MINORS; ++candidate) {
        const QString node = QStringLiteral("/dev/hidraw%1").arg(candidate);
        if (!m_pluggedNodes.contains(node)) {
            *minor = candidate;
            return node;
        }
    }
    return QString();
}

QString MockUsbBus::nextFreeEventNode(int *minor) const
{
    for (int candidate = 0; candidate < EVDEV_MINORS; ++candidate) {
        const QString node = InputDescription::eventNode(candidate);
        if (!m_pluggedNodes.contains(node)) {
            *minor = candidate;
            return node;
        }
    }
    return QString();
}
