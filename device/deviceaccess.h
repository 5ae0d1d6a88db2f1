// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// A controller that is on the bus but cannot be used, and why. The window words it, with
// the fix, so that such a controller is never simply invisible.
struct DeviceAccessIssue {
    enum Problem : int {
        // The device node is not open to this user: the udev rule is missing.
        NoPermission,
        // Another program holds the controller exclusively.
        InUse,
        // Anything else the system said; `systemError` tells what.
        OpenFailed,
    };

    int productId = 0;
    Problem problem = OpenFailed;
    // The node that could not be opened, as the system names it.
    QString node;
    // The errno of the failed open, or 0 where the library did not tell.
    int systemError = 0;

    static Problem problemForError(int error);
    // What is wrong and the fix, in the user's words (the "DeviceAccessIssue" context), for the
    // window and kestrov-ctl alike. The node stands on a line of its own, so that no line
    // wrapping splits it at a '/'.
    QString describe(const QString &controllerName) const;
    friend bool operator==(const DeviceAccessIssue &, const DeviceAccessIssue &) = default;
};

using DeviceAccessIssues = QList<DeviceAccessIssue>;
Q_DECLARE_METATYPE(DeviceAccessIssue)
Q_DECLARE_METATYPE(DeviceAccessIssues)
