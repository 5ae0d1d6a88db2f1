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
    const int kind = DeviceKinds::productIds().key(productId, -1);
    return {{QStringLiteral("kind"), ControllerChoice::kindOf(productId)},
            {QStringLiteral("name"), DeviceKinds::displayNames().value(kind)},
            {QStringLiteral("product_id"), productId}};
}

QJsonObject usable(int productId, const DeviceInfoTypeDef &info)
{
    QJsonObject object = entry(productId);
    object.insert(QStringLiteral("can_open"), true);
    object.insert(QStringLiteral("firmware"), qint64(info.firmwareVersion));
    object.insert(QStringLiteral("firmware_matches"), DeviceKinds::isCompatibleFirmware(info.firmwareVersion));
    object.insert(QStringLiteral("device_type"), int(info.deviceType));
    return object;
}

QJsonObject unusable(const DeviceAccessIssue &issue)
{
    QJsonObject object = entry(issue.productId);
    object.insert(QStringLiteral("can_open"), false);
    object.insert(QStringLiteral("problem"), QString::fromLatin1(problemName(issue.problem)));
    object.insert(QStringLiteral("node"), issue.node);
    object.insert(QStringLiteral("message"), ControllerChoice::accessProblem(issue));
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
    for (const int productId : DeviceKinds::productIds()) {
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
    if (!arguments.json)
        Console::error(QStringLiteral("no Kestrov controller is connected."));
    return ExitStatus::NoController;
}

} // namespace ListCommand
