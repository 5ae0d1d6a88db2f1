// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class AxisBar;

// What a screen reader hears of an axis bar: its name, and its reading as a description,
// asked for when it is wanted rather than pushed at every one of up to 60 changes a second.
class AxisBarAccessible : public QAccessibleWidget
{
public:
    explicit AxisBarAccessible(AxisBar *bar);

    QString text(QAccessible::Text which) const override;

    // Makes every axis bar answer through this interface.
    static void install();
};
