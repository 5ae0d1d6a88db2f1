// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// What the kernel's input device of a controller shows at one moment: every absolute axis
// with its range and every button it reports, by the kernel's codes and names. Handed to
// the window coalesced, at most 60 times a second.
struct InputAxisState {
    int code = 0;
    QString name;   // as the kernel names it: "ABS_RX"
    int value = 0;
    int minimum = 0;
    int maximum = 0;
};

struct InputButtonState {
    int code = 0;
    QString name;   // "BTN_TRIGGER"
    bool pressed = false;
};

struct InputSnapshot {
    QList<InputAxisState> axes;
    QList<InputButtonState> buttons;
    // The device offers the kernel's force-feedback interface (EV_FF).
    bool forceFeedback = false;

    const InputAxisState *axis(int code) const;
    const InputButtonState *button(int code) const;
};

Q_DECLARE_METATYPE(InputSnapshot)
