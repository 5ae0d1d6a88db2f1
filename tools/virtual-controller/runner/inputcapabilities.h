// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controllerkind.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the kernel's hid-input makes of a controller's joystick report: the event types and
// codes of its input device, each axis's range with the fuzz and flat hid-input gives a
// joystick's axes, and, for a PID device, the force-feedback codes and effect slots.
// Bitmaps are laid out as the kernel keeps them, in unsigned longs up to the type's maximum.
class InputCapabilities
{
public:
    struct Axis {
        int code = 0;
        int minimum = 0;
        int maximum = 0;
        int fuzz = 0;
        int flat = 0;
    };

    static constexpr int BUTTONS = 32;
    static constexpr int EFFECT_SLOTS = 16;
    // The HID usage hid-input reports as the scan code of button 1 (Button page, usage 1).
    static constexpr int FIRST_BUTTON_USAGE = 0x90001;

    InputCapabilities(ControllerKind kind, bool forceFeedback);

    // In the order of the report's fields: the force axes, then Rx, Ry, Rz.
    const std::vector<Axis> &axes() const { return m_axes; }
    const Axis *axis(int code) const;
    bool hasForceFeedback() const { return m_forceFeedback; }
    bool has(int type, int code) const;
    std::vector<unsigned long> bits(int type) const;
    // As the input core shows a bitmap in sysfs: words from the highest set one down, in hex.
    QString sysfsBitmap(int type) const;
    // The events one report may bring, as the input core estimates them; sizes its buffers.
    int eventsPerPacket() const;

    // hid-input's code for button `number` (1-based) of a joystick application.
    static int buttonCode(int number);
    // "ABS_RX" and the like, for the axes a report can carry.
    static std::optional<int> axisCode(const QString &name);
    // The highest code of a type with a bitmap (EV_MAX for type 0), or -1.
    static int maxCode(int type);

private:
    std::vector<int> codes(int type) const;

    std::vector<Axis> m_axes;
    bool m_forceFeedback = false;
};
