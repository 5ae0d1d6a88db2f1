// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controllerkind.h"
#include "inputdescription.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

class InputCapabilities;

// What a device tells about itself in sysfs.
struct UsbDeviceIdentity {
    ControllerKind kind = ControllerKind::Generic;
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

// The input device hid-input registers when the HID driver binds, and its event node's
// handler.
struct InputBinding {
    InputDescription::Identity identity;
    const InputCapabilities *capabilities = nullptr;
    UMockdevIoctlBase *handler = nullptr;
};

// The nodes the HID driver gives a bound device.
struct HidBinding {
    QString hidrawNode;
    QString eventNode;
};

// The emulated USB bus: a umockdev testbed in which every plugged device gets its sysfs
// entries (device and interface 0), its usbfs node and an ioctl handler that answers for it;
// while the HID driver holds the interface, also a hid device with its input device, event
// node and hidraw node, each node with its handler. Devices come and go with the uevents and in the order the kernel gives. Lives on
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
    // The HID driver takes interface 0: adds the hid device, its input device with the event
    // node (handled by `input.handler`) and its hidraw node, whose ioctls go to `handler`, in
    // the kernel's order. The nodes' paths, e.g. "/dev/hidraw0" and "/dev/input/event0".
    std::optional<HidBinding> bindHid(const UsbDeviceIdentity &identity, const UsbAddress &address,
                                      UMockdevIoctlBase *handler, const InputBinding &input, QString *error);
    // The HID driver lets go of interface 0: its event node, input device, hidraw node and
    // hid device go away.
    void unbindHid(const UsbAddress &address);
    // Announces the removal and takes the device off the bus, its HID devices first. Handlers
    // stay attached, so that handles still open reach them and learn that the device is gone.
    void unplug(const UsbAddress &address);

private:
    struct HidNodes {
        QString hidPath;
        QString hidrawPath;
        QString devNode;
        QString inputPath;
        QString eventPath;
        QString eventNode;
    };

    UsbAddress nextFreeAddress();
    QString nextFreeHidrawNode(int *minor) const;
    QString nextFreeEventNode(int *minor) const;
    bool addInput(const QString &hidPath, const InputBinding &input, HidNodes *nodes, QString *error);
    bool attach(const QString &devNode, UMockdevIoctlBase *handler, QString *error);
    bool add(const QString &description, QString *error);
    void remove(const QString &sysfsPath);
    void setInterfaceDriver(const UsbAddress &address, const QString &driver);

    UMockdevTestbed *m_testbed = nullptr;
    // The testbed's own sysfs directory, for what its API cannot change.
    QString m_sysDir;
    int m_nextSlot = 0;
    int m_nextHidSequence = 1;
    int m_nextInputNumber = 0;
    QSet<QString> m_pluggedNodes;
    QSet<QString> m_attachedNodes;
    // By the usbfs node of the device whose interface the HID driver holds.
    QHash<QString, HidNodes> m_hidNodes;
};
