// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Waiting on the GUI thread without blocking it: the event loop keeps running, so timers,
// queued signals and repaints go on as they would in the tool.
namespace EventWait {

// Runs the event loop until `done` holds or `timeoutMs` has passed; true when `done` held.
bool until(const std::function<bool()> &done, int timeoutMs);

// Runs the event loop for `milliseconds`.
void forMs(int milliseconds);

} // namespace EventWait
