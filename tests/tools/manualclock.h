// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"

// A clock that only moves when the test moves it.
class ManualClock : public Clock
{
public:
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms) { m_now += ms; }

private:
    qint64 m_now = 1000;
};
