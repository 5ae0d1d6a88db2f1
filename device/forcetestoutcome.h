// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/liveinputproblem.h"

#include <QMetaType>
#include <QString>

// How a force test ended.
struct ForceTestOutcome {
    enum Kind : int {
        // Played for its whole duration.
        Played,
        // Stopped early (Stop, Escape, a page change, another command...).
        Stopped,
        // The input device could not be used: `inputProblem` tells why.
        NoInputDevice,
        // The input device offers no force feedback (EV_FF).
        NoForceFeedback,
        // The kernel refused to upload or play the effect: `systemError` tells why.
        Refused,
        // The request was outside the limits.
        OutOfLimits,
    };

    Kind kind = Played;
    LiveInputProblem inputProblem;
    int systemError = 0;
    QString limitProblem;

    // In the user's words ("ForceTestOutcome").
    QString describe() const;
};

Q_DECLARE_METATYPE(ForceTestOutcome)
