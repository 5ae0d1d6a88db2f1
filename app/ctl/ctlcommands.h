// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlcommand.h"

#include <span>

// Every command of kestrov-ctl, in the order the general help lists them.
namespace CtlCommands {

std::span<const CtlCommand> all();
// The command or group of that name ("read", "profile apply", "profile"); null for none.
const CtlCommand *find(const QString &name);

} // namespace CtlCommands
