// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/requestcommands.h"

#include "app/ctl/ctlsession.h"

namespace RequestCommands {

namespace {

ExitStatus request(const CtlArguments &arguments, CommandOutcome::Command command)
{
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    return CtlSession::report(session.run({command, session.productId(), {}}).outcome);
}

} // namespace

ExitStatus reboot(const CtlArguments &arguments)
{
    return request(arguments, CommandOutcome::Reboot);
}

ExitStatus switchToDfu(const CtlArguments &arguments)
{
    return request(arguments, CommandOutcome::SwitchToDfu);
}

} // namespace RequestCommands
