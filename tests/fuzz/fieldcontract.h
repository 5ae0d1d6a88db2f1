// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What the control that edits a record field promises: how it encodes the value and the
// range it keeps to. Where the field lies, how wide it is and how many axes or elements it
// has come from the record's field table (device/recordfield.h), found by the firmware's
// name; a contract holds for every axis and element of its field.
struct FieldContract {
    enum class Encoding {
        Number,      // unsigned, little-endian; loaded clamped to [minimum, maximum]
        Flag,        // any non-zero byte loads as checked; gathered as 1 or 0
        Direction,   // only 1 loads as checked; gathered as 1 or 0xFF
        InvertForce, // a signed byte above 0 loads as checked; gathered as 1 or 0xFF
        Enumeration, // a code below `maximum` (the item count) is selected, others go back as loaded
        Gain,        // f32 shown with 6 significant digits and parsed back
        Force,       // f32 truncated toward zero and clamped to [minimum, maximum]
    };

    const char *field;
    Encoding encoding;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
};
