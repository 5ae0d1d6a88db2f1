// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/ctlprogram.h"

#include "app/ctl/console.h"
#include "app/ctl/ctlarguments.h"
#include "app/ctl/ctlcommands.h"
#include "app/ctl/helptext.h"
#include "device/deviceinfo.h"

namespace CtlProgram {

int run(const QStringList &arguments)
{
    QString problem;
    const CtlArguments parsed = CtlArguments::parse(arguments, &problem);
    if (parsed.version) {
        Console::out(QStringLiteral("kestrov-ctl, made for firmware %1").arg(SETUP_VERSION));
        return 0;
    }
    if (parsed.help) {
        Console::writeOut(HelpText::of(parsed.command).toLocal8Bit());
        return 0;
    }
    if (!problem.isEmpty()) {
        Console::error(problem + QStringLiteral(" (see kestrov-ctl --help)"));
        return int(ExitStatus::Usage);
    }
    return int(CtlCommands::find(parsed.command)->run(parsed));
}

} // namespace CtlProgram
