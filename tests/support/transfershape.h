// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "virtualcontroller.h"

#include <QString>
#include <QStringList>

// Transfers reduced to a short form, so an order of operations reads as a string:
// "S18" is a SET with command byte 18 (a block packet of the effect record), "S2" the save
// command, "G36" a GET of report 0x24.
QStringList transferShape(const QList<Transfer> &transfers);

// Collapses runs of equal steps: "S18 S18 G36 G36" reads "S18 G36".
QString collapsedShape(const QStringList &steps);

// The GETs of one report in a log.
int countReads(const QList<Transfer> &transfers, int reportId);

// The same with the report id in hex, failures marked and runs counted, for one controller
// of a log that several share: "S18x8 G24x2 S2x1 G24!x1".
namespace TransferShape {

QString step(const Transfer &transfer);

// Transfers of `deviceId` from index `from` on; the device-information probes of the poll
// are left out, since when they fall is not the command's business.
QString of(const QList<Transfer> &log, int deviceId, qsizetype from = 0);

} // namespace TransferShape
