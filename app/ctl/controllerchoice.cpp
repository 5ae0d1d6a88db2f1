#include "app/ctl/controllerchoice.h"

#include "device/devicekinds.h"

#include <cstring>

namespace {

// Indexed by the kind code of the device information record, as DeviceKinds is.
const QStringList KIND_NAMES{QStringLiteral("generic"), QStringLiteral("joystick"), QStringLiteral("rudder"),
                             QStringLiteral("wheel"), QStringLiteral("collective")};

const DeviceAccessIssue *issueOf(const DeviceAccessIssues &issues, int productId)
{
    for (const DeviceAccessIssue &issue : issues)
        if (issue.productId == productId)
            return &issue;
    return nullptr;
}

ControllerChoice refused(ExitStatus status, const QString &problem)
{
    ControllerChoice choice;
    choice.status = status;
    choice.problem = problem;
    return choice;
}

QString displayName(int productId)
{
    const int kind = DeviceKinds::productIds().key(productId, -1);
    return DeviceKinds::displayNames().value(kind, QStringLiteral("Kestrov controller %1").arg(productId));
}

} // namespace

ControllerChoice ControllerChoice::pick(const ControllerLink::Survey &survey, const QString &device)
{
    if (!device.isEmpty()) {
        const std::optional<int> productId = productIdOf(device);
        if (!productId)
            return refused(ExitStatus::Usage, QStringLiteral("--device takes a product id or one of %1, not \"%2\"")
                                                  .arg(kindNames().join(QStringLiteral(", ")), device));
        if (survey.connected.contains(*productId)) {
            ControllerChoice choice;
            choice.productId = *productId;
            choice.info = survey.connected.value(*productId);
            return choice;
        }
        if (const DeviceAccessIssue *issue = issueOf(survey.accessIssues, *productId))
            return refused(ExitStatus::NoAccess, accessProblem(*issue));
        return refused(ExitStatus::NoController,
                       QStringLiteral("no %1 (product id %2) is connected.").arg(displayName(*productId)).arg(*productId));
    }

    const qsizetype onBus = survey.connected.size() + survey.accessIssues.size();
    if (onBus == 0)
        return refused(ExitStatus::NoController, QStringLiteral("no Kestrov controller is connected."));
    if (onBus > 1) {
        QStringList lines{QStringLiteral("%1 controllers are connected; choose one with --device:").arg(onBus)};
        for (auto controller = survey.connected.cbegin(); controller != survey.connected.cend(); ++controller)
            lines << QStringLiteral("  ") + line(controller.key(), controller.value());
        for (const DeviceAccessIssue &issue : survey.accessIssues)
            lines << QStringLiteral("  %1 %2 %3 (cannot be opened)").arg(kindOf(issue.productId)).arg(issue.productId)
                         .arg(displayName(issue.productId));
        return refused(ExitStatus::Usage, lines.join(QLatin1Char('\n')));
    }
    if (!survey.accessIssues.isEmpty())
        return refused(ExitStatus::NoAccess, accessProblem(survey.accessIssues.first()));
    ControllerChoice choice;
    choice.productId = survey.connected.firstKey();
    choice.info = survey.connected.first();
    return choice;
}

std::optional<int> ControllerChoice::productIdOf(const QString &device)
{
    const int kind = int(KIND_NAMES.indexOf(device.toLower()));
    if (kind >= 0)
        return DeviceKinds::productIds().value(kind);
    bool number = false;
    const int productId = device.toInt(&number, 0);
    if (number && productId > 0 && productId <= 0xFFFF)
        return productId;
    return std::nullopt;
}

QString ControllerChoice::kindOf(int productId)
{
    return KIND_NAMES.value(DeviceKinds::productIds().key(productId, -1), QStringLiteral("unknown"));
}

QStringList ControllerChoice::kindNames()
{
    return KIND_NAMES;
}

QString ControllerChoice::accessProblem(const DeviceAccessIssue &issue)
{
    const QString name = displayName(issue.productId);
    switch (issue.problem) {
    case DeviceAccessIssue::NoPermission:
        return QStringLiteral("%1 is connected, but this user may not open it (%2). Install the udev rule "
                              "70-kestrov-controllers.rules (the kestrov-setup package does), then unplug the "
                              "controller and plug it in again.")
            .arg(name, issue.node);
    case DeviceAccessIssue::InUse:
        return QStringLiteral("%1 is connected, but another program holds it (%2). Close that program.").arg(name, issue.node);
    case DeviceAccessIssue::OpenFailed:
        break;
    }
    return QStringLiteral("%1 is connected, but could not be opened (%2: %3).")
        .arg(name, issue.node, QString::fromLocal8Bit(std::strerror(issue.systemError)));
}

QString ControllerChoice::line(int productId, const DeviceInfoTypeDef &info)
{
    return QStringLiteral("%1 %2 %3, firmware %4").arg(kindOf(productId)).arg(productId).arg(displayName(productId))
        .arg(info.firmwareVersion);
}
