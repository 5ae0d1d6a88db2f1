// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"

// The real monotonic clock.
class SteadyClock : public Clock
{
public:
    qint64 nowMs() const override;
};
