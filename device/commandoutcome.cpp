// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/commandoutcome.h"

#include "effects/effectrecordfields.h"
#include "hardware/hardwarerecordfields.h"

#include <cerrno>

CommandOutcome::Result CommandOutcome::resultOfError(int error)
{
    switch (-error) {
    case EPIPE:
        return Refused;
    case ENODEV:
    case ENOENT:
    case ESHUTDOWN:
        return Gone;
    case EPROTO:
        return ShortReply;
    case EBUSY:
        return StillBusy;
    default:
        return NoAnswer;
    }
}

bool CommandOutcome::unconfirmed() const
{
    if (!writesRecord() || result == Done || result == Differs || result == NotConnected)
        return false;
    switch (step) {
    case Sending:
    case Reading:
    // A chunk that failed stops the write before the terminator that commits the record.
    case Writing:
        return false;
    case WaitingAfterWrite:
        // A save's own command has not gone out yet.
        return !savesRecord();
    case Saving:
        // A timed-out command may have reached the controller; a refused or failed one did not.
        return result == NoAnswer;
    case WaitingAfterSave:
        return true;
    case Verifying:
        // The controller reported the command done; only the read-back check failed.
        return false;
    }
    return false;
}

bool CommandOutcome::saveNotSentAfterWrite() const
{
    return savesRecord() && result != Done && result != Differs && result != NotConnected
        && step == WaitingAfterWrite;
}

const QList<RecordField> &CommandOutcome::fieldsOf(RecordKind kind)
{
    return kind == RecordKind::Effects ? effectRecordFields() : hardwareRecordFields();
}
