// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The kinds of controller built on the one board. Each answers under its own USB product
// id and reports its own device type in the device information record.
enum class ControllerKind { Generic, Joystick, Rudder, Wheel, Collective };

namespace ControllerKinds {

// "generic", "joystick", "rudder", "wheel" or "collective"; nothing for any other name.
std::optional<ControllerKind> fromName(const QString &name);
QString name(ControllerKind kind);
// USB product string, the name the maker gives the controller.
QString productName(ControllerKind kind);
int productId(ControllerKind kind);
int deviceType(ControllerKind kind);

} // namespace ControllerKinds
