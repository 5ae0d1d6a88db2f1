#pragma once

#include <QMap>
#include <QString>

class QTabWidget;
class QWidget;

// The controller family: per DeviceType code, the USB product id it is looked for under and
// the name it is listed with. The code is also its row in the device list.
namespace DeviceKinds {

QMap<int, int> productIds();
QMap<int, QString> displayNames();

// Compatible means exactly the tool's own version; older and newer alike are a mismatch.
bool isCompatibleFirmware(quint32 firmwareVersion);

// Shows the axis pages a device type uses, on both settings panels alike: a joystick both,
// a rudder, wheel or collective only the first; other types leave the pages as they are.
// Hidden pages keep their values.
void showAxisPages(QTabWidget *tabs, QWidget *firstAxis, QWidget *secondAxis, int deviceType);

} // namespace DeviceKinds
