#include "effects/axispages.h"

#include "device/deviceinfo.h"

#include <QTabWidget>

namespace AxisPages {

namespace {

// Changing a page's visibility re-lays out the whole tab widget, so only real changes are made.
void setPageVisible(QTabWidget *tabs, int page, bool visible)
{
    if (tabs->isTabVisible(page) != visible)
        tabs->setTabVisible(page, visible);
}

} // namespace

void show(QTabWidget *tabs, QWidget *firstAxis, QWidget *secondAxis, int deviceType)
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

} // namespace AxisPages
