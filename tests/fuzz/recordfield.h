#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One record field as a panel edits it: where it lies and how its control encodes it.
// That is all a check needs to tell what a gather may write there after any load.
struct RecordField {
    enum class Kind {
        Number,      // unsigned, little-endian; loaded clamped to [minimum, maximum]
        Flag,        // any non-zero byte loads as checked; gathered as 1 or 0
        Direction,   // only 1 loads as checked; gathered as 1 or 0xFF
        InvertForce, // a signed byte above 0 loads as checked; gathered as 1 or 0xFF
        Enumeration, // a code below `maximum` (the item count) is selected, others gather 0xFF
        Gain,        // f32 shown with 6 significant digits and parsed back
        Force,       // f32 truncated toward zero and clamped to [minimum, maximum]
    };

    std::string name;
    std::size_t offset;
    std::size_t width; // bytes: 1, 2 or 4
    Kind kind;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
};
