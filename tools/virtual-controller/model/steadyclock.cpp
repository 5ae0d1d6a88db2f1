// SPDX-License-Identifier: GPL-3.0-or-later
#include "steadyclock.h"

#include <chrono>

qint64 SteadyClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
