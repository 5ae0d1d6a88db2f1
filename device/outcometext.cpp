// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/outcometext.h"

#include "device/recordfield.h"


QString OutcomeText::describe(const CommandOutcome &outcome)
{
    if (outcome.result == CommandOutcome::Done)
        return success(outcome);
    if (outcome.result == CommandOutcome::Differs)
        return differences(outcome);
    if (outcome.step == CommandOutcome::Verifying)
        return verifyFailed(outcome);
    if (outcome.unconfirmed())
        return unconfirmed(outcome);
    if (outcome.saveNotSentAfterWrite())
        return saveNotSent(outcome);
    if (outcome.savesRecord() && outcome.step == CommandOutcome::Saving)
        return appliedNotSaved(outcome);
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
    // The firmware hint only where a reply did not fit what this tool expects.
    switch (outcome.result) {
    case CommandOutcome::NotConnected:
        return tr("the controller is not connected. Plug it in and choose it again.");
    case CommandOutcome::Gone:
        return tr("the controller left (unplugged or restarting). Plug it in, choose it and try again.");
    case CommandOutcome::NoAnswer:
        return tr("the controller did not answer. Check its cable and power, then try again.");
    case CommandOutcome::Refused:
        return tr("the controller refused the request.");
    case CommandOutcome::StillBusy:
        return tr("the controller was still busy after %n s. Try again.", nullptr, busySeconds(outcome));
    case CommandOutcome::ShortReply:
        return tr("the controller's reply was too short. Check that its firmware matches this tool.");
    case CommandOutcome::Done:
    case CommandOutcome::Differs:
        break;
    }
    return {};
}

QString OutcomeText::unconfirmed(const CommandOutcome &outcome)
{
    QString lead;
    switch (outcome.command) {
    case CommandOutcome::ApplyEffects:
        lead = tr("The effect settings may have been applied");
        break;
    case CommandOutcome::SaveEffects:
        lead = tr("The effect settings may have been saved");
        break;
    case CommandOutcome::ApplyHardware:
        lead = tr("The hardware settings may have been applied");
        break;
    default:
        lead = tr("The hardware settings may have been saved");
        break;
    }
    QString why;
    switch (outcome.result) {
    case CommandOutcome::Gone:
        why = tr("the controller left before confirming. Choose it again to read what it holds.");
        break;
    case CommandOutcome::Refused:
        why = tr("the controller refused the request for its status. Read its settings again to see what it holds.");
        break;
    case CommandOutcome::StillBusy:
        why = tr("the controller was still busy after %n s. Read its settings again to see what it holds.", nullptr,
                 busySeconds(outcome));
        break;
    case CommandOutcome::ShortReply:
        why = tr("the controller's status reply was too short. Check that its firmware matches this tool, then read "
                 "its settings again to see what it holds.");
        break;
    default:
        why = tr("the controller stopped answering before confirming. Check its cable and power, then choose it "
                 "again to read what it holds.");
        break;
    }
    return tr("%1: %2").arg(lead, why);
}

QString OutcomeText::saveNotSent(const CommandOutcome &outcome)
{
    // The record went to the working memory; whether the controller took it is not known.
    QString why;
    switch (outcome.result) {
    case CommandOutcome::Gone:
        why = tr("the controller left after the settings went to its working memory, before the save was sent. "
                 "Plug it in, choose it and try again.");
        break;
    case CommandOutcome::Refused:
        why = tr("the controller refused the request for its status after the settings went to its working memory, "
                 "so the save was not sent.");
        break;
    case CommandOutcome::StillBusy:
        why = tr("the controller was still busy after %n s, so the save was not sent. Try again.", nullptr,
                 busySeconds(outcome));
        break;
    case CommandOutcome::ShortReply:
        why = tr("the controller's status reply was too short after the settings went to its working memory, so the "
                 "save was not sent. Check that its firmware matches this tool.");
        break;
    default:
        why = tr("the controller stopped answering after the settings went to its working memory, so the save was "
                 "not sent. Check its cable and power, then try again.");
        break;
    }
    return tr("%1: %2").arg(failedCommand(outcome), why);
}

QString OutcomeText::appliedNotSaved(const CommandOutcome &outcome)
{
    // The controller reported the record taken before the save command failed to go out.
    const QString done = outcome.isEffects()
        ? tr("The effect settings were applied to the controller's working memory, but not saved")
        : tr("The hardware settings were applied to the controller's working memory, but not saved");
    return tr("%1: %2").arg(done, reason(outcome));
}

int OutcomeText::busySeconds(const CommandOutcome &outcome)
{
    return (outcome.busyWaitLimitMs + 999) / 1000;
}

QString OutcomeText::differences(const CommandOutcome &outcome)
{
    // A value's own words hold a comma, so the fields are set apart by semicolons.
    const QString values = RecordFields::keptValues(outcome.recordFields(), outcome.sent, outcome.kept).join(QStringLiteral("; "));
    const bool effects = outcome.isEffects();
    if (outcome.savesRecord())
        return effects ? tr("Effect settings saved, but the controller kept other values: %1. The page still "
                            "shows what you entered.").arg(values)
                       : tr("Hardware settings saved, but the controller kept other values: %1. The page still "
                            "shows what you entered.").arg(values);
    return effects ? tr("Effect settings applied, but the controller kept other values: %1. The page still "
                        "shows what you entered.").arg(values)
                   : tr("Hardware settings applied, but the controller kept other values: %1. The page still "
                        "shows what you entered.").arg(values);
}
