// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/recordfield.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>

// The two settings records a page edits and a command reads or writes.
enum class RecordKind { Effects, Hardware };

// How one device command ended, as the worker tells it. The window and the command-line
// program put it into words; nothing here is user text.
struct CommandOutcome {
    enum Command : int {
        ReadEffects,
        ReadHardware,
        ApplyEffects,
        SaveEffects,
        ApplyHardware,
        SaveHardware,
        Reboot,
        SwitchToDfu,
    };
    enum Result : int {
        // Read taken whole, request sent, or record written, kept exactly (and saved).
        Done,
        // Written (and saved), but the controller kept other values: see `sent` and `kept`.
        Differs,
        // No controller of that product id is open.
        NotConnected,
        // The controller left the bus.
        Gone,
        // A transfer failed or was not answered in time.
        NoAnswer,
        // The controller refused a request (STALL).
        Refused,
        // Still busy at the busy-wait limit.
        StillBusy,
        // A reply shorter than what it must hold.
        ShortReply,
    };
    // Where a command stopped; for a success, its last step.
    enum Step : int {
        Sending,
        Reading,
        Writing,
        WaitingAfterWrite,
        Saving,
        WaitingAfterSave,
        Verifying,
    };

    Command command = ReadEffects;
    Result result = Done;
    Step step = Sending;
    int productId = -1;
    int busyWaitLimitMs = 0;
    // Which request this ends, as numbered by whoever sent it; 0 for a slot called directly.
    quint64 requestId = 0;
    // A read: the record, once taken whole.
    QByteArray record;
    // Apply and save: the record sent and, once read back, the record the controller kept.
    QByteArray sent;
    QByteArray kept;

    bool succeeded() const { return result == Done; }
    bool writesRecord() const { return command >= ApplyEffects && command <= SaveHardware; }
    bool savesRecord() const { return command == SaveEffects || command == SaveHardware; }
    bool readsRecord() const { return command == ReadEffects || command == ReadHardware; }
    bool isEffects() const { return command == ReadEffects || command == ApplyEffects || command == SaveEffects; }
    // An apply or save whose last command went out, but which the controller did not confirm:
    // it left or stopped answering, or its status could not be read afterwards. What it holds
    // is unknown, unlike a write that failed before its command went out.
    bool unconfirmed() const;
    // A save that failed after the record went to the working memory, before the save command
    // went out: not saved, and what the working memory holds is unknown.
    bool saveNotSentAfterWrite() const;

    static Command readCommand(RecordKind kind) { return kind == RecordKind::Effects ? ReadEffects : ReadHardware; }
    static Command writeCommand(RecordKind kind, bool save)
    {
        if (kind == RecordKind::Effects)
            return save ? SaveEffects : ApplyEffects;
        return save ? SaveHardware : ApplyHardware;
    }
    RecordKind recordKind() const { return isEffects() ? RecordKind::Effects : RecordKind::Hardware; }
    // The field table of the record this command reads or writes.
    const QList<RecordField> &recordFields() const { return fieldsOf(recordKind()); }
    static const QList<RecordField> &fieldsOf(RecordKind kind);

    // The result of a failed transfer, from the negative errno the channels return.
    static Result resultOfError(int error);
};

Q_DECLARE_METATYPE(CommandOutcome)
