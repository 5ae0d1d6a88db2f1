// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceevent.h"

DeviceEvent DeviceEvent::fromJson(const QJsonObject &object)
{
    DeviceEvent event;
    event.timeMs = object.value(QLatin1String("t")).toDouble();
    event.id = object.value(QLatin1String("id")).toInt();
    event.productId = object.value(QLatin1String("pid")).toInt();
    event.event = object.value(QLatin1String("event")).toString();
    event.driver = object.value(QLatin1String("driver")).toString();
    return event;
}
