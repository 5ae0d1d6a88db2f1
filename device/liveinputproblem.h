// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

// Why the live view of a controller's axes and buttons (or its force test) cannot use the
// kernel's input device, worded with the fix.
struct LiveInputProblem {
    enum Kind : int {
        None,
        // No kernel HID driver holds the controller, so the kernel made no input device.
        NoInputDevice,
        // The event node is not open to this user: the udev rule is missing.
        NoPermission,
        // The controller left while being read.
        Gone,
        // Anything else the system said; `systemError` tells what.
        OpenFailed,
    };

    Kind kind = None;
    QString node;
    int systemError = 0;

    static LiveInputProblem forOpenError(const QString &node, int error);
    // In the user's words (the "LiveInputProblem" context), empty for None.
    QString describe() const;
    friend bool operator==(const LiveInputProblem &, const LiveInputProblem &) = default;
};

Q_DECLARE_METATYPE(LiveInputProblem)
