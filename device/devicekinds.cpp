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

namespace {

// Changing a page's visibility re-lays out the whole tab widget, so only real changes are made.
void setPageVisible(QTabWidget *tabs, int page, bool visible)
{
    if (tabs->isTabVisible(page) != visible)
        tabs->setTabVisible(page, visible);
}

} // namespace

void showAxisPages(QTabWidget *tabs, QWidget *firstAxis, QWidget *secondAxis, int deviceType)
{
    const int first = tabs->indexOf(firstAxis);
    const int second = tabs->indexOf(secondAxis);
    switch (deviceType) {
    case Joystick:
        setPageVisible(tabs, first, true);
        setPageVisible(tabs, second, true);
        break;
    case Rudder:
    case Wheel:
    case Collective:
        setPageVisible(tabs, first, true);
        // A hidden page must not stay the one on display.
        if (tabs->currentIndex() == second)
            tabs->setCurrentIndex(first);
        setPageVisible(tabs, second, false);
        break;
    default:
        break;
    }
}

} // namespace DeviceKinds
