// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlarguments.h"
#include "app/ctl/exitstatus.h"

// `kestrov-ctl backup` and `restore`: both records of a controller in one file.
namespace BackupCommands {

ExitStatus backup(const CtlArguments &arguments);
ExitStatus restore(const CtlArguments &arguments);

} // namespace BackupCommands
