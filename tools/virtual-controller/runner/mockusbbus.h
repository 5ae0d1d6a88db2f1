#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

// What a device tells about itself in sysfs.
struct UsbDeviceIdentity {
    int productId = 0;
    QString manufacturer;
    QString product;
    QString serial;
};

// Where a plugged device sits on the emulated bus.
struct UsbAddress {
    int bus = 0;
    int device = 0;
    QString sysfsPath;
    QString devNode;
};

// The emulated USB bus: a umockdev testbed in which every plugged device gets its sysfs
// entries (device and interface 0), its usbfs node and an ioctl handler that answers for it;
// while the HID driver holds the interface, also a hid device with its hidraw node and
// handler. Devices come and go with the uevents and in the order the kernel gives. Lives on
// the main thread.
class MockUsbBus
{
public:
    MockUsbBus();
    ~MockUsbBus();
    MockUsbBus(const MockUsbBus &) = delete;
    MockUsbBus &operator=(const MockUsbBus &) = delete;

    // Whether this process runs under the umockdev preload, without which the testbed's
    // uevents and nodes are not seen.
    bool isMocked() const;

    // Adds the device and its interface, announces them and routes the usbfs node's ioctls
    // to `handler`.
    std::optional<UsbAddress> plug(const UsbDeviceIdentity &identity, UMockdevIoctlBase *handler, QString *error);
    // The HID driver takes interface 0: adds the hid device and its hidraw node, whose ioctls
    // go to `handler`. The node's path, e.g. "/dev/hidraw0".
    std::optional<QString> bindHid(const UsbDeviceIdentity &identity, const UsbAddress &address,
                                   UMockdevIoctlBase *handler, QString *error);
    // The HID driver lets go of interface 0: its hidraw node and hid device go away.
    void unbindHid(const UsbAddress &address);
    // Announces the removal and takes the device off the bus, its HID devices first. Handlers
    // stay attached, so that handles still open reach them and learn that the device is gone.
    void unplug(const UsbAddress &address);

private:
    struct HidNodes {
        QString hidPath;
        QString hidrawPath;
        QString devNode;
    };

    UsbAddress nextFreeAddress();
    QString nextFreeHidrawNode(int *minor) const;
    bool attach(const QString &devNode, UMockdevIoctlBase *handler, QString *error);
    bool add(const QString &description, QString *error);
    void remove(const QString &sysfsPath);
    void setInterfaceDriver(const UsbAddress &address, const QString &driver);

    UMockdevTestbed *m_testbed = nullptr;
    // The testbed's own sysfs directory, for what its API cannot change.
    QString m_sysDir;
    int m_nextSlot = 0;
    int m_nextHidSequence = 1;
    QSet<QString> m_pluggedNodes;
    QSet<QString> m_attachedNodes;
    // By the usbfs node of the device whose interface the HID driver holds.
    QHash<QString, HidNodes> m_hidNodes;
};
