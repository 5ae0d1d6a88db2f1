// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controllerkind.h"
#include "faults.h"
#include "firmwareprotocol.h"

#include <QString>
#include <QStringList>

#include <optional>

enum class KernelDriver { Hid, None };

// How one emulated controller is set up: its identity, where its records come from, its
// timings and its faults. Given as "KIND[,key=value...]" when plugging and changed with
// "key=value[,key=value...]" at run time.
struct DeviceOptions {
    enum class Scope {
        Plug,     // every key
        Runtime,  // all but the record sources, which only matter when plugging
    };

    ControllerKind kind = ControllerKind::Generic;
    quint32 firmwareVersion = FirmwareProtocol::DEFAULT_FIRMWARE_VERSION;
    int deviceType = 0;
    int productId = 0;
    // Permanent memory kept across emulator runs (empty: kept in memory only).
    QString stateFile;
    // Raw records to start from instead of the kind's defaults.
    QString effectsFile;
    QString hardwareFile;
    int writeBusyMs = 20;
    int saveBusyMs = 150;
    int rebootMs = 1500;
    // Whether the kernel's HID driver holds interface 0 (and gives it a hidraw node), as on
    // a desktop, or nothing does.
    KernelDriver driver = KernelDriver::Hid;
    // Whether opening the device's nodes is refused, as without the udev rule.
    bool accessDenied = false;
    // Whether the input device the HID driver makes offers the kernel's force feedback
    // (a PID device) or not; taken when the driver binds.
    bool forceFeedback = true;
    Faults faults;

    // "KIND[,key=value...]": kind first, then `defaults` (assignments given for every
    // device), then the description's own assignments. Nothing, with a message in `error`,
    // when any part is wrong.
    static std::optional<DeviceOptions> parse(const QString &description, const QStringList &defaults,
                                              QString *error);
    // Applies comma-separated assignments; all of them or, on the first error, none.
    bool apply(const QString &assignments, Scope scope, QString *error);
    bool apply(const QString &key, const QString &value, Scope scope, QString *error);

    static bool isKey(const QString &key);
    // Keys of comma-separated assignments, in order.
    static QStringList assignedKeys(const QString &assignments);
    static QStringList keys();
};
