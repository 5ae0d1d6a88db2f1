// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The benchmark binary started afresh with --startup-probe: starts the tool as its entry
// does and prints, in milliseconds since the process was started, when the window's first
// frame was complete and when the device list first showed a controller:
//     shown-ms=123.4 first-controller-ms=150.2
namespace StartupProbe {

constexpr const char ARGUMENT[] = "--startup-probe";

int run(char *program);

} // namespace StartupProbe
