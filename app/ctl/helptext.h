// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What `kestrov-ctl --help` and `kestrov-ctl COMMAND --help` print, made from the commands'
// descriptions (CtlCommands).
namespace HelpText {

QString general();
// The help of one command ("read", "profile apply"); the general help for an unknown one.
QString of(const QString &command);

} // namespace HelpText
