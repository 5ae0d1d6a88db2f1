// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/backupcommands.h"

#include "app/ctl/console.h"
#include "app/ctl/ctlsession.h"
#include "app/ctl/settingsrecord.h"
#include "device/controllerbackup.h"

#include <cstring>

namespace BackupCommands {

namespace {

QByteArray bytesOf(const void *record, size_t size)
{
    return QByteArray(static_cast<const char *>(record), qsizetype(size));
}

} // namespace

ExitStatus backup(const CtlArguments &arguments)
{
    const QString path = arguments.operands.at(0);
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();

    ControllerBackup backup;
    backup.productId = session.productId();
    backup.deviceType = session.info().deviceType;
    backup.firmwareVersion = session.info().firmwareVersion;
    const ControllerLink::Reply effects = session.run(SettingsRecord::effects().read(session.productId()));
    if (const ExitStatus status = CtlSession::report(effects.outcome, true); status != ExitStatus::Done)
        return status;
    const ControllerLink::Reply hardware = session.run(SettingsRecord::hardware().read(session.productId()));
    if (const ExitStatus status = CtlSession::report(hardware.outcome, true); status != ExitStatus::Done)
        return status;
    std::memcpy(static_cast<void *>(&backup.effects), effects.outcome.record.constData(), sizeof backup.effects);
    std::memcpy(static_cast<void *>(&backup.hardware), hardware.outcome.record.constData(), sizeof backup.hardware);

    QString problem;
    if (!backup.save(path, &problem)) {
        Console::error(problem);
        return ExitStatus::Usage;
    }
    Console::out(QStringLiteral("Backed up the controller (%1) to %2.").arg(backup.origin(), path));
    return ExitStatus::Done;
}

ExitStatus restore(const CtlArguments &arguments)
{
    const QString path = arguments.operands.at(0);
    // The file is checked whole before the controller is even looked for.
    QString problem;
    const std::optional<ControllerBackup> backup = ControllerBackup::load(path, &problem);
    if (!backup) {
        Console::error(problem + QStringLiteral(" Nothing was sent."));
        return ExitStatus::Usage;
    }
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();

    const QString mismatch = backup->mismatch(session.productId(), session.info());
    if (backup->match(session.productId(), session.info()) == ControllerBackup::Match::OtherKind) {
        if (!arguments.force) {
            Console::error(mismatch + QStringLiteral(" Nothing was sent; --force restores it all the same."));
            return ExitStatus::Usage;
        }
        Console::warning(mismatch);
    } else if (!mismatch.isEmpty()) {
        Console::warning(mismatch);
    }

    // Effects first, then hardware. A record the controller kept otherwise does not stop the
    // restore; a failed transfer does, as the controller is then in no state to go on.
    const ControllerLink::Reply effects = session.run(SettingsRecord::effects().write(
        session.productId(), bytesOf(&backup->effects, sizeof backup->effects), arguments.save));
    const ExitStatus effectsStatus = CtlSession::report(effects.outcome);
    if (effects.outcome.result != CommandOutcome::Done && effects.outcome.result != CommandOutcome::Differs) {
        Console::error(QStringLiteral("the hardware settings of the backup were not sent."));
        return effectsStatus;
    }
    const ControllerLink::Reply hardware = session.run(SettingsRecord::hardware().write(
        session.productId(), bytesOf(&backup->hardware, sizeof backup->hardware), arguments.save));
    const ExitStatus hardwareStatus = CtlSession::report(hardware.outcome);
    if (effectsStatus != ExitStatus::Done || hardwareStatus != ExitStatus::Done)
        return ExitStatus::ControllerFailed;
    Console::out((arguments.save ? QStringLiteral("Restored and saved the backup %1 (%2).")
                                 : QStringLiteral("Restored the backup %1 (%2) to the working memory."))
                     .arg(path, backup->origin()));
    return ExitStatus::Done;
}

} // namespace BackupCommands
