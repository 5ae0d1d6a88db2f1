// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controllerkind.h"

#include <QByteArray>

// The settings a controller leaves the factory with, one set per kind. The records are
// laid out byte by byte the way the firmware keeps them.
namespace DefaultRecords {

QByteArray effects(ControllerKind kind);
QByteArray hardware(ControllerKind kind);

} // namespace DefaultRecords
