#include "device/devicekinds.h"

#include "device/deviceinfo.h"

#include <QTabWidget>

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

void showAxisPages(QTabWidget *tabs, QWidget *firstAxis, QWidget *secondAxis, int deviceType)
{
    const int first = tabs->indexOf(firstAxis);
    const int second = tabs->indexOf(secondAxis);
    switch (deviceType) {
    case Joystick:
        tabs->setTabVisible(first, true);
        tabs->setTabVisible(second, true);
        break;
    case Rudder:
    case Wheel:
    case Collective:
        tabs->setTabVisible(first, true);
        tabs->setTabVisible(second, false);
        // A hidden page must not stay the one on display.
        tabs->setCurrentIndex(first);
        break;
    default:
        break;
    }
}

} // namespace DeviceKinds
