// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <map>

// The controller's joystick input report: the value of each axis field (0 until moved) and
// the 32 buttons. The firmware sends it whole; hid-input passes on what changed.
class InputReport
{
public:
    int axis(int code) const;
    void setAxis(int code, int value) { m_axes[code] = value; }
    // `number` counts from 1.
    bool button(int number) const { return (m_buttons >> (number - 1) & 1) != 0; }
    void setButton(int number, bool pressed);
    void clear();

private:
    std::map<int, int> m_axes;
    quint32 m_buttons = 0;
};
