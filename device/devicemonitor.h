// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class QSocketNotifier;
class QTimer;
struct udev;
struct udev_device;
struct udev_monitor;

// Hears the desktop's device events (udev) for the vendor's controllers and announces each
// burst of them once. One plug is several events within milliseconds (USB device, interface,
// hid device, hidraw node, driver bound) and a hub brings several controllers at once, so a
// burst ends only after a short quiet spell, and not before every USB device added in it is
// ready: its hidraw node is there or a driver has bound to it. Probing a controller earlier
// would find no hidraw node yet and go through USB instead, in the way of the kernel's HID
// driver. A removal counts only for a node the worker watches. Lives on the thread that made
// it; where udev gives no events nothing is announced and the worker's poll finds everything.
class DeviceMonitor : public QObject
{
    Q_OBJECT

public:
    // A burst ends after this much quiet...
    static constexpr int QUIET_MS = 20;
    // ...once every USB device added in it is ready, or this long after the last was added
    // (no driver binds to a controller without a kernel HID driver on some systems)...
    static constexpr int READY_WAIT_MS = 60;
    // ...and at the latest this long after its first event, so a steady stream still gets cycles.
    static constexpr int LONGEST_BURST_MS = 150;

    explicit DeviceMonitor(int vendorId, QObject *parent = nullptr);
    ~DeviceMonitor() override;
    DeviceMonitor(const DeviceMonitor &) = delete;
    DeviceMonitor &operator=(const DeviceMonitor &) = delete;

    // False when the system gives no device events: no udev, or its monitor could not be set up.
    bool isListening() const { return m_notifier != nullptr; }

    // A removal is only news for a node the worker has open or could not open: the remove
    // event names the node but often no longer its vendor.
    void watchRemovalOf(const QSet<QString> &nodes) { m_watchedNodes = nodes; }

signals:
    // Once per burst; `arrived` when a controller was added in it.
    void controllersChanged(bool arrived);

private:
    enum class Event { Other, Added, Ready, Removed };

    void readEvents();
    // What the event means for the vendor's controllers; `usbPath` is the syspath of the USB
    // device it belongs to.
    Event classify(udev_device *device, QString &usbPath) const;
    void note(Event event, const QString &usbPath);
    void quietEnded();
    void endBurst();

    int m_vendorId;
    udev *m_context = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_quiet;
    QTimer *m_readyWait;
    QTimer *m_longest;
    bool m_burstArrived = false;
    QSet<QString> m_notReady;
    QSet<QString> m_watchedNodes;
};
