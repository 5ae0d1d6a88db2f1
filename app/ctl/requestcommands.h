// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlarguments.h"
#include "app/ctl/exitstatus.h"

// `kestrov-ctl reboot` and `dfu`: requests that take the controller off the bus.
namespace RequestCommands {

ExitStatus reboot(const CtlArguments &arguments);
ExitStatus switchToDfu(const CtlArguments &arguments);

} // namespace RequestCommands
