// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlarguments.h"
#include "app/ctl/exitstatus.h"

// `kestrov-ctl inputs` and `force-test`: the controller's kernel input device, its live axes
// and buttons and a test effect through the kernel's force-feedback interface.
namespace InputCommands {

ExitStatus inputs(const CtlArguments &arguments);
ExitStatus forceTest(const CtlArguments &arguments);

} // namespace InputCommands
