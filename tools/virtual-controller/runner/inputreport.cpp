// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputreport.h"

int InputReport::axis(int code) const
{
    const auto found = m_axes.find(code);
    return found == m_axes.end() ? 0 : found->second;
}

void InputReport::setButton(int number, bool pressed)
{
    const quint32 bit = 1U << (number - 1);
    m_buttons = pressed ? m_buttons | bit : m_buttons & ~bit;
}

void InputReport::clear()
{
    m_axes.clear();
    m_buttons = 0;
}
