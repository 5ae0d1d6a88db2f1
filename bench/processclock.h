// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Monotonic time in nanoseconds, comparable across the processes of one benchmark run.
namespace ProcessClock {

// Environment variable in which a parent passes the moment it started a child.
constexpr const char SPAWNED_AT_VARIABLE[] = "KESTROV_BENCH_SPAWNED_AT_NS";

qint64 nowNs();

// When this process was started: the moment its parent recorded just before starting it,
// or else the kernel's start time of the process (10 ms resolution).
qint64 processStartNs();

} // namespace ProcessClock
