// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deviceevent.h"
#include "transfer.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// A test's handle on the virtual controller it runs under (virtual-controller -- TEST):
// plugs, unplugs and configures emulated controllers through the runner's control channel
// and reads back the transfers they saw. Device descriptions and options are those of the runner
// ("joystick,firmware=241200", "stall=0x22,short=10").
class VirtualController
{
public:
    VirtualController();
    ~VirtualController();
    VirtualController(const VirtualController &) = delete;
    VirtualController &operator=(const VirtualController &) = delete;

    // True when running under the virtual controller (VIRTUAL_CONTROLLER_SOCKET is set).
    static bool available();

    // Sends one raw command line; returns the text after "ok"/"error", `ok` tells which.
    QString command(const QString &line, bool *ok = nullptr);

    // "KIND[,key=value...]"; the new device's id, -1 on error.
    int plug(const QString &description);
    bool unplug(int id);
    bool replug(int id);
    bool set(int id, const QString &options);
    // `which` is "effect" or "hardware"; written to working and permanent memory.
    bool writeRecord(int id, const QString &which, const QByteArray &bytes);
    QByteArray readRecord(int id, const QString &which, bool permanent);
    bool isPlugged(int id);
    bool isBusy(int id);
    // The device's hidraw node ("/dev/hidraw0"), empty while no HID driver holds it.
    QString hidrawNode(int id);
    // Its input event node ("/dev/input/event0"), likewise.
    QString eventNode(int id);
    // The controller's joystick report: an axis by kernel name ("ABS_RX"), a button by its
    // number from 1; streaming moves the axis through its range at `hz` reports a second
    // (0 stops).
    bool setAxis(int id, const QString &axis, int value);
    bool setButton(int id, int number, bool pressed);
    bool streamAxis(int id, const QString &axis, int hz);
    // Unplugs and forgets every device and clears the log; ids start again at 1.
    bool reset();
    bool clearLog();

    // The entries of the log of that kind, in order: control transfers by default, or the
    // force-feedback requests.
    QList<Transfer> transfers(Transfer::Kind kind = Transfer::Kind::Control) const;
    // The device events of the log (a driver detached or attached), in order. A tool that
    // leaves the kernel's driver alone causes none.
    QList<DeviceEvent> events() const;

private:
    QList<QJsonObject> logEntries() const;
    bool connectToRunner();
    bool sendLine(const QByteArray &line);
    bool readLine(QByteArray *line);
    QString infoValue(int id, const QString &key);

    int m_socket = -1;
    QByteArray m_received;
};
