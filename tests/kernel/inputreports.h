// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// Input reports built from a HID report descriptor: the reports the firmware sends on its
// interrupt IN endpoint so that the kernel's input device moves. For every report id that
// has input fields, one report with every variable field at its logical minimum and one
// with every field at its logical maximum.
namespace InputReports {

struct Extremes {
    int reportId = 0;
    QByteArray low;
    QByteArray high;
    int fields = 0;
    // The widest logical range among the fields of more than one bit (the axes).
    qint64 axisMinimum = 0;
    qint64 axisMaximum = 0;
};

QList<Extremes> fromDescriptor(const QByteArray &descriptor);

} // namespace InputReports
