// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"

#include <QCoreApplication>
#include <QString>

// Puts how a device command ended into the user's words: what was done, or what failed, why
// and what to do. A write is never said to have failed once its command went out: then it
// may have been applied or saved. Differing fields are named as the pages name them, with
// the value sent and the value kept.
class OutcomeText
{
    Q_DECLARE_TR_FUNCTIONS(OutcomeText)

public:
    static QString describe(const CommandOutcome &outcome);

private:
    static QString success(const CommandOutcome &outcome);
    static QString failedCommand(const CommandOutcome &outcome);
    static QString reason(const CommandOutcome &outcome);
    static QString verifyFailed(const CommandOutcome &outcome);
    static QString unconfirmed(const CommandOutcome &outcome);
    static QString saveNotSent(const CommandOutcome &outcome);
    static QString appliedNotSaved(const CommandOutcome &outcome);
    static QString differences(const CommandOutcome &outcome);
    // The busy-wait limit in whole seconds, rounded up.
    static int busySeconds(const CommandOutcome &outcome);
};
