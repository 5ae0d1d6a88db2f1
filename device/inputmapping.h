// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

#include <linux/input-event-codes.h>

// Which of the kernel input device's axes and buttons stands for which row of the pages.
// The controller's report descriptor puts its inputs in one joystick application
// collection: the force axes as X and Y (Generic Desktop), the three analog axes as Rx, Ry
// and Rz, and the 32 buttons as usages 1 to 32 of the Button page. The kernel's HID input
// driver turns those usages into these codes for a joystick: buttons 1 to 16 from
// BTN_TRIGGER on, 17 to 32 from BTN_TRIGGER_HAPPY1 on.
struct InputMappingEntry {
    enum Role { ForceAxis, AnalogAxis, Button };
    Role role;
    // Force axis 0 or 1, analog axis 0 to 2 (Rx, Ry, Rz), button 0 to 31.
    int row;
    // EV_ABS or EV_KEY, and the kernel's code.
    int type;
    int code;
};

namespace InputMapping {

inline constexpr int BUTTONS = 32;
inline constexpr int ANALOG_AXES = 3;
inline constexpr int FORCE_AXES = 2;

// In row order within each role: force axes, analog axes, then buttons.
const std::array<InputMappingEntry, FORCE_AXES + ANALOG_AXES + BUTTONS> &all();

// The entry for a kernel event type and code; none for inputs no page shows.
std::optional<InputMappingEntry> forCode(int type, int code);
// The kernel code of a row.
int codeOf(InputMappingEntry::Role role, int row);

// The row's name as the pages label it: "Button 17", "Rx", "Axis 0".
QString rowName(const InputMappingEntry &entry);

} // namespace InputMapping
