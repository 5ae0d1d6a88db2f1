// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// kestrov-ctl without its main(): parses the command line (the program's name first), prints
// the version or help, or runs the command it names; the exit status.
namespace CtlProgram {

int run(const QStringList &arguments);

} // namespace CtlProgram
