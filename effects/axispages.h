// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTabWidget;
class QWidget;

namespace AxisPages {

// Shows the axis pages a device type uses (DeviceKind::axisPages), on both settings panels
// alike: a joystick both, a rudder, wheel or collective only the first; other types leave
// the pages as they are. Hidden pages keep their values.
void show(QTabWidget *tabs, QWidget *firstAxis, QWidget *secondAxis, int deviceType);

} // namespace AxisPages
