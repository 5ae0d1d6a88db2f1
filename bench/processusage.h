#pragma once

// What this process costs the machine.
namespace ProcessUsage {

// User and system CPU time of all threads since the process started.
double cpuSeconds();

// VmRSS from /proc/self/status, in megabytes (10^6 bytes); negative when unreadable.
double residentMegabytes();

} // namespace ProcessUsage
