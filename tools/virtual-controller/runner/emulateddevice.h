// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "axisstream.h"
#include "controlendpoint.h"
#include "emulatedcontroller.h"
#include "inputreport.h"
#include "kerneldriverhost.h"
#include "mockusbbus.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <glib.h>

class EvdevDevice;
class HidrawDevice;
class NodeAccess;
class TransferLog;
class UsbfsDevice;

// One emulated controller as the runner keeps it: the controller model, its place on the
// bus with its usbfs node and, while the kernel's HID driver holds it, its hidraw node and
// input device with the event node; its joystick report and axes streamed through it; its
// timers (unplug at a time, come back after a reboot), the logging of its transfers and the
// access to its nodes. Everything but the ControlEndpoint and KernelDriverHost calls runs on
// the main thread; those run on the ioctl thread, and what they change on the bus (a
// controller leaving by itself on reboot, DFU or the unplug-after fault; a client detaching
// or attaching the kernel driver) is done on the main thread afterwards.
class EmulatedDevice : public ControlEndpoint, public KernelDriverHost
{
public:
    // Called on the ioctl thread; must run `task` on the main thread with the device of that
    // id, or with nullptr when there is none any more.
    using MainThreadPoster = std::function<void(int id, std::function<void(EmulatedDevice *)> task)>;

    EmulatedDevice(int id, std::unique_ptr<EmulatedController> controller, MockUsbBus &bus, TransferLog &log,
                   NodeAccess &access, MainThreadPoster poster);
    ~EmulatedDevice() override;

    int id() const { return m_id; }
    bool isPlugged() const { return m_address.has_value(); }

    bool plug(QString *error);
    // False when the device was not plugged.
    bool unplug();
    // Plugs the device in again (pulling it first if it is plugged), working memory
    // reloaded from permanent as after a power cycle.
    bool replug(QString *error);

    bool set(const QString &assignments, QString *error);
    // "plugged=0|1 busy=0|1 pid=N type=N firmware=N[ hidraw=NODE event=NODE]"
    QString info();
    // The controller's joystick report: an axis by its kernel name ("ABS_RX") within its
    // logical range, a button by its number (1 to 32). Each change sends the whole report.
    bool setAxis(const QString &name, int value, QString *error);
    bool setButton(int number, bool pressed, QString *error);
    // Streams the axis through its range at `hz` reports a second; 0 stops it.
    bool streamAxis(const QString &name, int hz, QString *error);
    QByteArray read(RecordKind kind, bool permanent);
    bool write(RecordKind kind, const QByteArray &record, QString *error);

    int transferDelayMs() override;
    ControlResult transfer(const ControlSetup &setup, const QByteArray &sent, HostPath path) override;
    void transferLost(const ControlSetup &setup, const QByteArray &sent, int error, HostPath path) override;
    void kernelDriverDetached(std::function<void()> done) override;
    void kernelDriverAttached(std::function<void()> done) override;

private:
    void onLeftBus(quint64 plugSerial, BusEvent event);
    bool isCurrentPlug(quint64 plugSerial);
    void takeOffBus();
    bool bindHid(QString *error);
    void unbindHid();
    bool applyDriver(KernelDriver driver, QString *error);
    void updateAccess();
    void sendInputReport();
    void log(const ControlSetup &setup, const QByteArray &data, int result, HostPath path);
    void logEvent(const QString &event);
    void startUnplugTimer(int ms);
    void startComebackTimer(int ms);
    static void stopTimer(guint &source);

    const int m_id;
    MockUsbBus &m_bus;
    TransferLog &m_log;
    NodeAccess &m_access;
    const MainThreadPoster m_post;

    // Guards the controller and the plug serial, shared with the ioctl thread.
    std::mutex m_mutex;
    std::unique_ptr<EmulatedController> m_controller;
    const ControllerKind m_kind;
    quint64 m_plugSerial = 0;
    bool m_onBus = false;

    // Main thread only.
    std::optional<UsbAddress> m_address;
    UsbDeviceIdentity m_identity;
    // Empty while no HID driver holds the interface.
    QString m_hidrawNode;
    QString m_eventNode;
    InputReport m_inputReport;
    std::map<int, std::unique_ptr<AxisStream>> m_streams;
    // Current nodes' handlers last; earlier ones still answer handles opened before a replug.
    std::vector<std::shared_ptr<UsbfsDevice>> m_usbfs;
    std::vector<std::shared_ptr<HidrawDevice>> m_hidraw;
    std::vector<std::shared_ptr<EvdevDevice>> m_evdev;
    guint m_unplugTimer = 0;
    guint m_comebackTimer = 0;
};
