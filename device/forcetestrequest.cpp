// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/forcetestrequest.h"

#include <QCoreApplication>

QString ForceTestRequest::problem() const
{
    if (strengthPercent < 0 || strengthPercent > 100)
        return QCoreApplication::translate("ForceTestRequest", "The strength must be 0 to 100 %, not %1 %.")
            .arg(strengthPercent);
    if (durationMs < 1 || durationMs > MAX_DURATION_MS)
        return QCoreApplication::translate("ForceTestRequest", "The duration must be 1 to %1 ms, not %2 ms.")
            .arg(MAX_DURATION_MS)
            .arg(durationMs);
    return {};
}

const char *ForceTestRequest::effectName(Effect effect)
{
    switch (effect) {
    case Spring:
        return "spring";
    case Sine:
        return "sine";
    case Constant:
        break;
    }
    return "constant";
}
