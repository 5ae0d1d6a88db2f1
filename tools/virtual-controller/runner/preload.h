// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The preload libraries: umockdev's, which routes the runner's and its command's accesses to
// /dev and /sys into the testbed (the runner needs it itself, or its uevents for plugging
// and unplugging never reach libusb), and the virtual controller's node library, which
// refuses opening the nodes of devices whose access is denied and completes fstat() of
// emulated nodes. The node library goes first, so that it sees the paths the command asks
// for.
namespace Preload {

bool isLoaded();
// Runs the program again with both libraries in LD_PRELOAD; returns only on failure, with
// what went wrong.
std::string restartUnderPreload(char **argv);

} // namespace Preload
