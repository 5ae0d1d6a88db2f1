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

// Which pages of an axis tab a device type shows: joystick both, rudder, wheel and
// collective only the first; other types leave the tabs as they are.
enum class AxisPages { Both, FirstOnly, Unchanged };
AxisPages axisPagesFor(int deviceType);

} // namespace DeviceKinds
