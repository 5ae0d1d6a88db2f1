#pragma once

#include <QByteArray>
#include <QMetaType>

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
    // Apply and save: the record sent and, once read back, the record the controller kept.
    QByteArray sent;
    QByteArray kept;

    bool succeeded() const { return result == Done; }
    bool writesRecord() const { return command >= ApplyEffects && command <= SaveHardware; }
    bool savesRecord() const { return command == SaveEffects || command == SaveHardware; }
    bool isEffects() const { return command == ReadEffects || command == ApplyEffects || command == SaveEffects; }

    // The result of a failed transfer, from the negative errno the channels return.
    static Result resultOfError(int error);
};

Q_DECLARE_METATYPE(CommandOutcome)
