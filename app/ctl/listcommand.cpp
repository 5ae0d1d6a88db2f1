// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/listcommand.h"

#include "app/ctl/console.h"
#include "app/ctl/controllerchoice.h"
#include "app/ctl/controllerlink.h"
#include "device/devicekinds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ListCommand {

namespace {

const char *problemName(DeviceAccessIssue::Problem problem)
{
    switch (problem) {
    case DeviceAccessIssue::NoPermission:
        return "no-permission";
    case DeviceAccessIssue::InUse:
        return "in-use";
    case DeviceAccessIssue::OpenFailed:
        break;
    }
    return "open-failed";
}

QJsonObject entry(int productId)
{
    const DeviceKind *kind = DeviceKinds::byProductId(productId);
    return {{QStringLiteral("kind"), ControllerChoice::kindOf(productId)},
            {QStringLiteral("name"), kind ? QString::fromLatin1(kind->displayName) : QString()},
            {QStringLiteral("product_id"), productId}};
}

QJsonObject usable(int productId, const DeviceInfoTypeDef &info)
{
    QJsonObject object = entry(productId);
    object.insert(QStringLiteral("can_open"), true);
    object.insert(QStringLiteral("used"), true);
    object.insert(QStringLiteral("firmware"), qint64(info.firmwareVersion));
    object.insert(QStringLiteral("firmware_matches"), DeviceKinds::isCompatibleFirmware(info.firmwareVersion));
    object.insert(QStringLiteral("device_type"), int(info.deviceType));
    return object;
}

QJsonObject unusable(const DeviceAccessIssue &issue)
{
    QJsonObject object = entry(issue.productId);
    object.insert(QStringLiteral("can_open"), false);
    object.insert(QStringLiteral("used"), false);
    object.insert(QStringLiteral("problem"), QString::fromLatin1(problemName(issue.problem)));
    object.insert(QStringLiteral("node"), issue.node);
    object.insert(QStringLiteral("message"), ControllerChoice::accessProblem(issue));
    return object;
}

// A controller of a kind already used: never opened, so nothing more is known of it.
QJsonObject notUsed(int productId)
{
    QJsonObject object = entry(productId);
    object.insert(QStringLiteral("used"), false);
    return object;
}

QString firmwareWords(const DeviceInfoTypeDef &info)
{
    if (DeviceKinds::isCompatibleFirmware(info.firmwareVersion))
        return QStringLiteral("matches this tool");
    return QStringLiteral("does not match this tool, which is made for %1").arg(SETUP_VERSION);
}

} // namespace

ExitStatus run(const CtlArguments &arguments)
{
    ControllerLink link;
    const ControllerLink::Survey survey = link.survey();
    if (!link.isUsbAvailable()) {
        Console::error(QStringLiteral("USB is not available: no controller can be found."));
        return ExitStatus::NoController;
    }

    QJsonArray controllers;
    // In the order of the window's device list.
    for (const DeviceKind &kind : DeviceKinds::ALL) {
        const int productId = kind.productId;
        if (survey.connected.contains(productId)) {
            const DeviceInfoTypeDef info = survey.connected.value(productId);
            controllers.append(usable(productId, info));
            if (!arguments.json)
                Console::out(ControllerChoice::line(productId, info) + QStringLiteral(": ") + firmwareWords(info));
        }
        for (const DeviceAccessIssue &issue : survey.accessIssues) {
            if (issue.productId != productId)
                continue;
            controllers.append(unusable(issue));
            if (!arguments.json)
                Console::out(QStringLiteral("%1 %2: cannot be opened. %3").arg(ControllerChoice::kindOf(productId))
                                 .arg(productId).arg(ControllerChoice::accessProblem(issue)));
        }
        if (survey.unanswered.contains(productId)) {
            QJsonObject object = entry(productId);
            object.insert(QStringLiteral("can_open"), true);
            object.insert(QStringLiteral("used"), false);
            object.insert(QStringLiteral("problem"), QStringLiteral("no-answer"));
            controllers.append(object);
            if (!arguments.json)
                Console::out(QStringLiteral("%1 %2 %3: did not answer; check its cable and power")
                                 .arg(ControllerChoice::kindOf(productId)).arg(productId)
                                 .arg(QString::fromLatin1(kind.displayName)));
        }
        for (int extra = survey.extraControllers.value(productId); extra > 0; --extra) {
            controllers.append(notUsed(productId));
            if (!arguments.json)
                Console::out(QStringLiteral("%1 %2 %3: not used, only one controller of each kind is used at a time")
                                 .arg(ControllerChoice::kindOf(productId)).arg(productId)
                                 .arg(QString::fromLatin1(kind.displayName)));
        }
    }
    if (arguments.json) {
        const QJsonObject document{{QStringLiteral("tool_firmware"), qint64(SETUP_VERSION)},
                                   {QStringLiteral("controllers"), controllers}};
        Console::writeOut(QJsonDocument(document).toJson());
    }

    if (!survey.connected.isEmpty())
        return ExitStatus::Done;
    if (!survey.accessIssues.isEmpty())
        return ExitStatus::NoAccess;
    // Connected, but silent: not "none connected".
    if (!survey.unanswered.isEmpty())
        return ExitStatus::ControllerFailed;
    if (!arguments.json)
        Console::error(QStringLiteral("no Kestrov controller is connected."));
    return ExitStatus::NoController;
}

} // namespace ListCommand
