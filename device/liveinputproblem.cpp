// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/liveinputproblem.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

LiveInputProblem LiveInputProblem::forOpenError(const QString &node, int error)
{
    LiveInputProblem problem;
    problem.node = node;
    problem.systemError = error;
    switch (error) {
    case EACCES:
    case EPERM:
        problem.kind = NoPermission;
        break;
    case ENODEV:
    case ENOENT:
    case ENXIO:
        problem.kind = Gone;
        break;
    default:
        problem.kind = OpenFailed;
        break;
    }
    return problem;
}

QString LiveInputProblem::describe() const
{
    switch (kind) {
    case None:
        return {};
    case NoInputDevice:
        return QCoreApplication::translate("LiveInputProblem",
                                           "No live view: the live view needs the kernel's HID driver, and none "
                                           "holds this controller.");
    case NoPermission:
        return QCoreApplication::translate("LiveInputProblem",
                                           "No live view: this user may not open %1. The udev rule "
                                           "70-kestrov-controllers.rules of the kestrov-setup package covers it: "
                                           "install the package, then plug the controller in again.")
            .arg(node);
    case Gone:
        return QCoreApplication::translate("LiveInputProblem", "No live view: the controller left.");
    case OpenFailed:
        break;
    }
    return QCoreApplication::translate("LiveInputProblem", "No live view: %1 could not be opened: %2.")
        .arg(node, QString::fromLocal8Bit(std::strerror(systemError)));
}
