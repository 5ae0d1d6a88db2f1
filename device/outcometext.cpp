#include "device/outcometext.h"

#include "device/recordfield.h"
#include "effects/effectrecordfields.h"
#include "hardware/hardwarerecordfields.h"

#include <QLocale>

QString OutcomeText::describe(const CommandOutcome &outcome)
{
    if (outcome.result == CommandOutcome::Done)
        return success(outcome);
    if (outcome.result == CommandOutcome::Differs)
        return differences(outcome);
    if (outcome.step == CommandOutcome::Verifying)
        return verifyFailed(outcome);
    return tr("%1: %2").arg(failedCommand(outcome), reason(outcome));
}

QString OutcomeText::success(const CommandOutcome &outcome)
{
    switch (outcome.command) {
    case CommandOutcome::ReadEffects:
        return tr("Effect settings read from the controller.");
    case CommandOutcome::ReadHardware:
        return tr("Hardware settings read from the controller.");
    case CommandOutcome::ApplyEffects:
        return tr("Effect settings applied to the controller's working memory and verified.");
    case CommandOutcome::SaveEffects:
        return tr("Effect settings saved to the controller's permanent memory and verified.");
    case CommandOutcome::ApplyHardware:
        return tr("Hardware settings applied to the controller's working memory and verified.");
    case CommandOutcome::SaveHardware:
        return tr("Hardware settings saved to the controller's permanent memory and verified.");
    case CommandOutcome::Reboot:
        return tr("Reboot requested: the controller restarts and is listed again in a moment.");
    case CommandOutcome::SwitchToDfu:
        return tr("The controller switched to DFU mode for a firmware update and has left the list.");
    }
    return {};
}

QString OutcomeText::failedCommand(const CommandOutcome &outcome)
{
    switch (outcome.command) {
    case CommandOutcome::ReadEffects:
        return tr("The effect settings could not be read");
    case CommandOutcome::ReadHardware:
        return tr("The hardware settings could not be read");
    case CommandOutcome::ApplyEffects:
        return tr("The effect settings were not applied");
    case CommandOutcome::SaveEffects:
        return tr("The effect settings were not saved");
    case CommandOutcome::ApplyHardware:
        return tr("The hardware settings were not applied");
    case CommandOutcome::SaveHardware:
        return tr("The hardware settings were not saved");
    case CommandOutcome::Reboot:
        return tr("The reboot request did not reach the controller");
    case CommandOutcome::SwitchToDfu:
        return tr("The DFU mode request did not reach the controller");
    }
    return {};
}

QString OutcomeText::verifyFailed(const CommandOutcome &outcome)
{
    // Written (and saved) whole; only the check afterwards failed.
    QString done;
    switch (outcome.command) {
    case CommandOutcome::ApplyEffects:
        done = tr("The effect settings were applied, but reading them back to verify failed");
        break;
    case CommandOutcome::SaveEffects:
        done = tr("The effect settings were saved, but reading them back to verify failed");
        break;
    case CommandOutcome::ApplyHardware:
        done = tr("The hardware settings were applied, but reading them back to verify failed");
        break;
    default:
        done = tr("The hardware settings were saved, but reading them back to verify failed");
        break;
    }
    return tr("%1: %2").arg(done, reason(outcome));
}

QString OutcomeText::reason(const CommandOutcome &outcome)
{
    QString why;
    switch (outcome.result) {
    case CommandOutcome::NotConnected:
        return tr("the controller is not connected. Plug it in and choose it again.");
    case CommandOutcome::Gone:
        why = tr("the controller left (unplugged or restarting). Plug it in, choose it and try again.");
        break;
    case CommandOutcome::NoAnswer:
        why = tr("the controller did not answer. Check the cable and try again.");
        break;
    case CommandOutcome::Refused:
        why = tr("the controller refused the request. Check that its firmware matches this tool.");
        break;
    case CommandOutcome::StillBusy: {
        const int seconds = (outcome.busyWaitLimitMs + 999) / 1000;
        if (outcome.savesRecord() && outcome.step == CommandOutcome::WaitingAfterWrite)
            return tr("the controller was still busy after %n s, so the save was not sent. Try again.", nullptr, seconds);
        why = tr("the controller was still busy after %n s. Try again.", nullptr, seconds);
        break;
    }
    case CommandOutcome::ShortReply:
        why = tr("the controller's reply was too short. Check that its firmware matches this tool.");
        break;
    case CommandOutcome::Done:
    case CommandOutcome::Differs:
        break;
    }
    return why;
}

QString OutcomeText::differences(const CommandOutcome &outcome)
{
    const QList<RecordField> &fields = outcome.isEffects() ? effectRecordFields() : hardwareRecordFields();
    const QString names = QLocale().createSeparatedList(RecordFields::differences(fields, outcome.sent, outcome.kept));
    const bool effects = outcome.isEffects();
    if (outcome.savesRecord())
        return effects ? tr("Effect settings saved, but the controller kept other values for: %1. The page still "
                            "shows what you entered.").arg(names)
                       : tr("Hardware settings saved, but the controller kept other values for: %1. The page still "
                            "shows what you entered.").arg(names);
    return effects ? tr("Effect settings applied, but the controller kept other values for: %1. The page still "
                        "shows what you entered.").arg(names)
                   : tr("Hardware settings applied, but the controller kept other values for: %1. The page still "
                        "shows what you entered.").arg(names);
}
