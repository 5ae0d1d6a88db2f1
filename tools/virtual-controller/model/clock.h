// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Source of the time the controller measures its busy periods with; tests drive their own.
class Clock
{
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale with an arbitrary origin.
    virtual qint64 nowMs() const = 0;
};
