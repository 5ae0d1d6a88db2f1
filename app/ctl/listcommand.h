// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlarguments.h"
#include "app/ctl/exitstatus.h"

// `kestrov-ctl list`: every controller on the bus, usable or not.
namespace ListCommand {

ExitStatus run(const CtlArguments &arguments);

} // namespace ListCommand
