// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordkind.h"

#include "firmwareprotocol.h"

namespace RecordKinds {

std::optional<RecordKind> fromName(const QString &name)
{
    if (name == QLatin1String("effect"))
        return RecordKind::Effects;
    if (name == QLatin1String("hardware"))
        return RecordKind::Hardware;
    return std::nullopt;
}

int size(RecordKind kind)
{
    return kind == RecordKind::Effects ? FirmwareProtocol::EFFECT_RECORD_SIZE
                                       : FirmwareProtocol::HARDWARE_RECORD_SIZE;
}

} // namespace RecordKinds
