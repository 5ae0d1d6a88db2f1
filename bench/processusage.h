// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What this process costs the machine.
namespace ProcessUsage {

// User and system CPU time of all threads since the process started.
double cpuSeconds();
// The same for the calling thread alone.
double threadCpuSeconds();

// VmRSS from /proc/self/status, in megabytes (10^6 bytes); negative when unreadable.
double residentMegabytes();

} // namespace ProcessUsage
