// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicekinds.h"

namespace DeviceKinds {

namespace {

template<typename Matches>
const DeviceKind *find(Matches matches)
{
    for (const DeviceKind &kind : ALL)
        if (matches(kind))
            return &kind;
    return nullptr;
}

} // namespace

const DeviceKind *byCode(int code)
{
    return find([code](const DeviceKind &kind) { return kind.code == code; });
}

const DeviceKind *byProductId(int productId)
{
    return find([productId](const DeviceKind &kind) { return kind.productId == productId; });
}

const DeviceKind *byCommandLineName(QStringView name)
{
    const QString lower = name.toString().toLower();
    return find([&lower](const DeviceKind &kind) { return lower == QLatin1String(kind.commandLineName); });
}

QMap<int, int> productIds()
{
    QMap<int, int> ids;
    for (const DeviceKind &kind : ALL)
        ids.insert(kind.code, kind.productId);
    return ids;
}

QMap<int, QString> displayNames()
{
    QMap<int, QString> names;
    for (const DeviceKind &kind : ALL)
        names.insert(kind.code, QString::fromLatin1(kind.displayName));
    return names;
}

QStringList commandLineNames()
{
    QStringList names;
    for (const DeviceKind &kind : ALL)
        names << QString::fromLatin1(kind.commandLineName);
    return names;
}

bool isCompatibleFirmware(quint32 firmwareVersion)
{
    return firmwareVersion == SETUP_VERSION;
}

} // namespace DeviceKinds
