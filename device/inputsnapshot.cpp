// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/inputsnapshot.h"

const InputAxisState *InputSnapshot::axis(int code) const
{
    for (const InputAxisState &state : axes) {
        if (state.code == code)
            return &state;
    }
    return nullptr;
}

const InputButtonState *InputSnapshot::button(int code) const
{
    for (const InputButtonState &state : buttons) {
        if (state.code == code)
            return &state;
    }
    return nullptr;
}
