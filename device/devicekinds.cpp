#include "device/devicekinds.h"

#include "device/deviceinfo.h"


namespace DeviceKinds {

QMap<int, int> productIds()
{
    return {{Generic, 22000}, {Joystick, 22777}, {Rudder, 22888}, {Wheel, 22999}, {Collective, 22001}};
}

QMap<int, QString> displayNames()
{
    return {{Generic, QStringLiteral("Kestrov Generic")},
            {Joystick, QStringLiteral("Kestrov Joystick")},
            {Rudder, QStringLiteral("Kestrov Rudder")},
            {Wheel, QStringLiteral("Kestrov Wheel PRO")},
            {Collective, QStringLiteral("Kestrov Collective")}};
}

bool isCompatibleFirmware(quint32 firmwareVersion)
{
    return firmwareVersion == SETUP_VERSION;
}

} // namespace DeviceKinds
