// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/fixedlineslabel.h"

#include <QMap>
#include <QString>

// Says under the device list that a controller of a kind already listed is plugged in too,
// and can never be configured while the other is there: only one of each kind is used.
// One line, kept in the layout when hidden, so that nothing moves when it appears.
class ExtraControllerNotice : public FixedLinesLabel
{
    Q_OBJECT

public:
    explicit ExtraControllerNotice(QWidget *parent = nullptr);

    QString notice() const { return message(); }

public slots:
    // Product id to the number of its controllers beyond the one used.
    void showExtraControllers(const QMap<int, int> &extra);
};
