// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib.h>

#include <functional>

// Moves an axis through its whole range and back, a triangle of PERIOD_MS, at a given rate:
// each tick hands the axis's value at that moment to `move`. Main thread; stops when
// destroyed.
class AxisStream
{
public:
    static constexpr gint64 PERIOD_MS = 2000;

    AxisStream(int minimum, int maximum, int hz, std::function<void(int)> move);
    ~AxisStream();
    AxisStream(const AxisStream &) = delete;
    AxisStream &operator=(const AxisStream &) = delete;

private:
    int valueAt(gint64 elapsedUs) const;

    const int m_minimum;
    const int m_maximum;
    const std::function<void(int)> m_move;
    const gint64 m_startUs;
    guint m_timer = 0;
};
