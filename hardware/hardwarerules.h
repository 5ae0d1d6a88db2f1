// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/recordfield.h"

#include <QString>

#include <cstdint>
#include <limits>

// What the hardware record can hold beyond its field widths, in the user's words: the same
// rules for the hardware page and for records built elsewhere (from a file or the command line).
namespace HardwareRules {

constexpr qint64 ENCODER_CPR_MAX = std::numeric_limits<uint16_t>::max();

// Why `cpr` is too large for axis `axis`'s encoder CPR field, or empty when it is not.
QString encoderCprProblem(int axis, qint64 cpr);

// Why `value` cannot go into `field` of the hardware record, beyond the field's width, or
// empty: for records that do not come from the hardware page.
QString fieldValueProblem(const RecordField &field, qint64 value);

} // namespace HardwareRules
