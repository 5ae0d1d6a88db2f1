// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer.h"

bool Transfer::isSet() const
{
    return (bmRequestType & 0x80) == 0;
}

int Transfer::reportId() const
{
    return wValue & 0xFF;
}

Transfer Transfer::fromJson(const QJsonObject &object)
{
    Transfer transfer;
    if (object.value(QLatin1String("kind")).toString() == QLatin1String("ff")) {
        transfer.kind = Kind::ForceFeedback;
        transfer.operation = object.value(QLatin1String("op")).toString();
        transfer.effectId = object.value(QLatin1String("effect")).toInt();
        transfer.effectType = object.value(QLatin1String("type")).toInt();
        transfer.length = object.value(QLatin1String("length")).toInt();
        transfer.value = object.value(QLatin1String("value")).toInt();
    }
    transfer.timeMs = object.value(QLatin1String("t")).toDouble();
    transfer.id = object.value(QLatin1String("id")).toInt();
    transfer.productId = object.value(QLatin1String("pid")).toInt();
    transfer.bmRequestType = object.value(QLatin1String("bmRequestType")).toInt();
    transfer.bRequest = object.value(QLatin1String("bRequest")).toInt();
    transfer.wValue = object.value(QLatin1String("wValue")).toInt();
    transfer.wIndex = object.value(QLatin1String("wIndex")).toInt();
    transfer.wLength = object.value(QLatin1String("wLength")).toInt();
    transfer.data = QByteArray::fromHex(object.value(QLatin1String("data")).toString().toLatin1());
    transfer.result = object.value(QLatin1String("result")).toInt();
    transfer.path = object.value(QLatin1String("path")).toString();
    return transfer;
}
