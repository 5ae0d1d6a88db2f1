// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlarguments.h"
#include "app/ctl/exitstatus.h"

#include <QString>

// `kestrov-ctl profile list|apply|save|delete|rename|export|import`: the effect profiles of
// the window, in its directory.
namespace ProfileCommands {

ExitStatus list(const CtlArguments &arguments);
ExitStatus apply(const CtlArguments &arguments);
ExitStatus save(const CtlArguments &arguments);
ExitStatus remove(const CtlArguments &arguments);
ExitStatus rename(const CtlArguments &arguments);
ExitStatus exportProfile(const CtlArguments &arguments);
ExitStatus importProfile(const CtlArguments &arguments);

// The directory the window keeps its profiles under: --data-dir, else the installed tool's
// working directory ($XDG_DATA_HOME/kestrov-setup or ~/.local/share/kestrov-setup, as its
// launcher picks it) when that exists, else the current directory.
QString dataDirectory(const QString &option);

} // namespace ProfileCommands
