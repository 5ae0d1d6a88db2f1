#pragma once

#include <QMap>
#include <QString>

// The controller family: per DeviceType code, the USB product id it is looked for under and
// the name it is listed with. The code is also its row in the device list.
namespace DeviceKinds {

QMap<int, int> productIds();
QMap<int, QString> displayNames();

// Compatible means exactly the tool's own version; older and newer alike are a mismatch.
bool isCompatibleFirmware(quint32 firmwareVersion);

} // namespace DeviceKinds
