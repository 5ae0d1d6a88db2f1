// SPDX-License-Identifier: GPL-3.0-or-later
#include "hardware/hardwarerules.h"

#include <QCoreApplication>

namespace HardwareRules {

QString encoderCprProblem(int axis, qint64 cpr)
{
    if (cpr <= ENCODER_CPR_MAX)
        return {};
    // The hardware page's own words, in its translation context.
    return QCoreApplication::translate("FullHardwareSettingsWidget",
                                       "Axis %1: an encoder CPR of %2 is more than the controller can store (at most %3).")
        .arg(axis)
        .arg(cpr)
        .arg(ENCODER_CPR_MAX);
}

QString fieldValueProblem(const RecordField &field, qint64 value)
{
    if (qstrcmp(field.name, "encoder_cpr") == 0)
        return encoderCprProblem(field.axis, value);
    return {};
}

} // namespace HardwareRules
