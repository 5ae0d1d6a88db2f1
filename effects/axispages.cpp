// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/axispages.h"

#include "device/devicekinds.h"

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
    const DeviceKind *kind = DeviceKinds::byCode(deviceType);
    if (!kind || kind->axisPages == 0)
        return;
    const int first = tabs->indexOf(firstAxis);
    const int second = tabs->indexOf(secondAxis);
    setPageVisible(tabs, first, true);
    const bool secondShown = kind->axisPages > 1;
    // A hidden page must not stay the one on display.
    if (!secondShown && tabs->currentIndex() == second)
        tabs->setCurrentIndex(first);
    setPageVisible(tabs, second, secondShown);
}

} // namespace AxisPages
