// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/axisbaraccessible.h"

#include "inputs/axisbar.h"

namespace {

QAccessibleInterface *forAxisBar(const QString &className, QObject *object)
{
    auto *bar = className == QLatin1String("AxisBar") ? qobject_cast<AxisBar *>(object) : nullptr;
    return bar ? new AxisBarAccessible(bar) : nullptr;
}

} // namespace

AxisBarAccessible::AxisBarAccessible(AxisBar *bar)
    : QAccessibleWidget(bar, QAccessible::Indicator)
{
}

QString AxisBarAccessible::text(QAccessible::Text which) const
{
    if (which == QAccessible::Description)
        return static_cast<const AxisBar *>(widget())->description();
    return QAccessibleWidget::text(which);
}

void AxisBarAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(forAxisBar), true);
    Q_UNUSED(installed);
}
