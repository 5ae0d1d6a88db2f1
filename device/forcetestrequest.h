// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

// One force test: which effect, how strong, how long, which way. The limits keep a test
// safe to feel on a controller held in the hand.
struct ForceTestRequest {
    enum Effect : int { Constant, Spring, Sine };
    enum Direction : int { Left, Right };

    static constexpr int DEFAULT_STRENGTH_PERCENT = 20;
    // Stronger than this only after an explicit choice.
    static constexpr int CAUTION_STRENGTH_PERCENT = 50;
    static constexpr int DEFAULT_DURATION_MS = 2000;
    static constexpr int MAX_DURATION_MS = 10000;

    Effect effect = Constant;
    int strengthPercent = DEFAULT_STRENGTH_PERCENT;
    int durationMs = DEFAULT_DURATION_MS;
    Direction direction = Left;

    // Empty when the request is within the limits, else what is wrong ("ForceTestRequest").
    QString problem() const;
    static const char *effectName(Effect effect);   // "constant", "spring", "sine"
};

Q_DECLARE_METATYPE(ForceTestRequest)
