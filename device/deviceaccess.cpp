// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceaccess.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

DeviceAccessIssue::Problem DeviceAccessIssue::problemForError(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return NoPermission;
    case EBUSY:
        return InUse;
    default:
        return OpenFailed;
    }
}

QString DeviceAccessIssue::describe(const QString &controllerName) const
{
    switch (problem) {
    case NoPermission:
        return QCoreApplication::translate("DeviceAccessIssue",
                                           "%1 is connected, but this user may not open it:\n%2\nThe udev rule "
                                           "70-kestrov-controllers.rules of the kestrov-setup package gives access "
                                           "(see man kestrov-setup): install the package, then unplug the controller "
                                           "and plug it in again.")
            .arg(controllerName, node);
    case InUse:
        return QCoreApplication::translate("DeviceAccessIssue",
                                           "%1 is connected, but another program holds it:\n%2\nClose that program.")
            .arg(controllerName, node);
    case OpenFailed:
        break;
    }
    return QCoreApplication::translate("DeviceAccessIssue", "%1 is connected, but could not be opened:\n%2\n%3.")
        .arg(controllerName, node, QString::fromLocal8Bit(std::strerror(systemError)));
}
