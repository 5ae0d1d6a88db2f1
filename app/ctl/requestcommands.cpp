#include "app/ctl/requestcommands.h"

#include "app/ctl/ctlsession.h"
#include "device/settingsuibackgroundthread.h"

namespace RequestCommands {

namespace {

ExitStatus request(const CtlArguments &arguments, void (SettingsUiBackgroundThread::*slot)(int))
{
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    const int productId = session.productId();
    return CtlSession::report(session.run([productId, slot](SettingsUiBackgroundThread *worker) {
        (worker->*slot)(productId);
    }).outcome);
}

} // namespace

ExitStatus reboot(const CtlArguments &arguments)
{
    return request(arguments, &SettingsUiBackgroundThread::rebootControllerRequest);
}

ExitStatus switchToDfu(const CtlArguments &arguments)
{
    return request(arguments, &SettingsUiBackgroundThread::switchtoDfuRequest);
}

} // namespace RequestCommands
