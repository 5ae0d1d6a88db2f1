// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/devicelistrows.h"

#include "app/mainwindow.h"

#include <QComboBox>
#include <QListView>

namespace DeviceListRows {

int shown(const MainWindow &window)
{
    const auto *devices = window.findChild<QComboBox *>(QStringLiteral("devices_combo_box"));
    const auto *view = devices ? qobject_cast<QListView *>(devices->view()) : nullptr;
    int listed = 0;
    for (int row = 0; view && row < devices->count(); ++row)
        listed += view->isRowHidden(row) ? 0 : 1;
    return listed;
}

} // namespace DeviceListRows
