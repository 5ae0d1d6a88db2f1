// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/recordfield.h"

// Every field of the hardware settings record, reserved bytes included, in record order.
const QList<RecordField> &hardwareRecordFields();
