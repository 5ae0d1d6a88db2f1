#pragma once

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
// entry, its usbfs node and an ioctl handler that answers for it. Lives on the main thread.
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

    // Adds the device, announces it and routes its node's ioctls to `handler`.
    std::optional<UsbAddress> plug(const UsbDeviceIdentity &identity, UMockdevIoctlBase *handler,
                                   QString *error);
    // Announces the removal and takes the device off the bus. Its handler stays attached,
    // so that handles still open reach it and learn that the device is gone.
    void unplug(const UsbAddress &address);

private:
    UsbAddress nextFreeAddress();

    UMockdevTestbed *m_testbed = nullptr;
    int m_nextSlot = 0;
    QSet<QString> m_pluggedNodes;
    QSet<QString> m_attachedNodes;
};
