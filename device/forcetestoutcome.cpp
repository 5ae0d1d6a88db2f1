// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/forcetestoutcome.h"

#include <QCoreApplication>

#include <cstring>

QString ForceTestOutcome::describe() const
{
    switch (kind) {
    case Played:
        return QCoreApplication::translate("ForceTestOutcome", "The force test played to its end.");
    case Stopped:
        return QCoreApplication::translate("ForceTestOutcome", "The force test was stopped.");
    case NoInputDevice:
        return inputProblem.describe();
    case NoForceFeedback:
        return QCoreApplication::translate("ForceTestOutcome",
                                           "This controller offers no force feedback through the kernel.");
    case Refused:
        return QCoreApplication::translate("ForceTestOutcome", "The kernel refused the test effect: %1.")
            .arg(QString::fromLocal8Bit(std::strerror(systemError)));
    case OutOfLimits:
        break;
    }
    return limitProblem;
}
