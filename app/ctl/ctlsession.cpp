// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/ctlsession.h"

#include "app/ctl/console.h"
#include "device/devicekinds.h"
#include "device/outcometext.h"
#include "device/recordfield.h"

namespace {

QString keptOtherValues(const CommandOutcome &outcome)
{
    return QStringLiteral("%1 settings %2, but the controller kept other values:")
        .arg(outcome.isEffects() ? QStringLiteral("Effect") : QStringLiteral("Hardware"),
             outcome.savesRecord() ? QStringLiteral("saved") : QStringLiteral("applied"));
}

} // namespace

CtlSession::CtlSession(const QString &device)
    : m_device(device)
{
}

bool CtlSession::open()
{
    if (!m_link.isUsbAvailable()) {
        m_choice.status = ExitStatus::NoController;
        Console::error(QStringLiteral("USB is not available: no controller can be found."));
        return false;
    }
    m_choice = ControllerChoice::pick(m_link.survey(), m_device);
    if (!m_choice.isChosen()) {
        Console::error(m_choice.problem);
        return false;
    }
    if (!DeviceKinds::isCompatibleFirmware(m_choice.info.firmwareVersion))
        Console::warning(QStringLiteral("the controller runs firmware %1, but this tool is made for %2: settings may "
                                        "mean something else to it.")
                             .arg(m_choice.info.firmwareVersion)
                             .arg(SETUP_VERSION));
    return true;
}

ControllerLink::Reply CtlSession::run(const ControllerLink::Request &request)
{
    return m_link.run(request);
}

ExitStatus CtlSession::report(const CommandOutcome &outcome, bool quiet)
{
    if (outcome.result == CommandOutcome::Done) {
        if (!quiet)
            Console::out(OutcomeText::describe(outcome));
        return ExitStatus::Done;
    }
    if (outcome.result == CommandOutcome::Differs) {
        Console::error(keptOtherValues(outcome));
        for (const QString &field : RecordFields::keptValues(outcome.recordFields(), outcome.sent, outcome.kept))
            Console::detail(field);
        return ExitStatus::ControllerFailed;
    }
    Console::error(OutcomeText::describe(outcome));
    return ExitStatus::ControllerFailed;
}
