// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/ctlarguments.h"
#include "app/ctl/exitstatus.h"

#include <QByteArray>
#include <QString>

// `kestrov-ctl read`, `apply` and `save`: one settings record at a time.
namespace RecordCommands {

ExitStatus read(const CtlArguments &arguments);
ExitStatus write(const CtlArguments &arguments);

// Writes `data` to `path` atomically, or to standard output for an empty path.
bool deliver(const QByteArray &data, const QString &path);

} // namespace RecordCommands
