// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainWindow;

// What the window's device list shows: controllers are listed by showing their row in the
// list's popup, and dropped by hiding it.
namespace DeviceListRows {

int shown(const MainWindow &window);

} // namespace DeviceListRows
