#pragma once

// The umockdev preload library, which routes the runner's and its command's accesses to
// /dev and /sys into the testbed. The runner needs it itself, or its uevents for plugging
// and unplugging never reach libusb.
namespace Preload {

bool isLoaded();
// Runs the program again with the preload library in LD_PRELOAD; returns only on failure.
void restartUnderPreload(char **argv);

} // namespace Preload
