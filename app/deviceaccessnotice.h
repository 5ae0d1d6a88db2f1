// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/deviceaccess.h"

#include <QLabel>
#include <QMap>

// Says, beside the device list and without a dialog, which controllers are plugged in but
// cannot be used, why, and what fixes it. Hidden while there is nothing to say.
class DeviceAccessNotice : public QLabel
{
    Q_OBJECT

public:
    // `names` maps product ids to the names the device list uses.
    DeviceAccessNotice(const QMap<int, QString> &names, QWidget *parent = nullptr);

    void showIssues(const DeviceAccessIssues &issues);

private:
    QMap<int, QString> m_names;
};
