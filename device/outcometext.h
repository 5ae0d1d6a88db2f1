#pragma once

#include "device/commandoutcome.h"

#include <QCoreApplication>
#include <QString>

// Puts how a device command ended into the user's words: what was done, or what failed, why
// and what to do. Differing fields are named as the pages name them.
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
    static QString differences(const CommandOutcome &outcome);
};
