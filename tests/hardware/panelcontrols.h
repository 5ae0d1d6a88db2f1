// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

// Looks a panel control up by its object name; a missing or mistyped control ends the
// test run, since every check after it would be meaningless.
template<typename T>
T *control(const QWidget *panel, const QString &name)
{
    T *found = panel->findChild<T *>(name);
    if (!found)
        qFatal("panel has no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}
