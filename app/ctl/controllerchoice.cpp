// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/controllerchoice.h"

#include "device/devicekinds.h"

namespace {

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
    if (const DeviceKind *kind = DeviceKinds::byProductId(productId))
        return QString::fromLatin1(kind->displayName);
    return QStringLiteral("Kestrov controller %1").arg(productId);
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
        if (survey.unanswered.contains(*productId))
            return refused(ExitStatus::ControllerFailed, silentProblem(*productId));
        return refused(ExitStatus::NoController,
                       QStringLiteral("no %1 (product id %2) is connected.").arg(displayName(*productId)).arg(*productId));
    }

    const qsizetype onBus = survey.connected.size() + survey.accessIssues.size() + survey.unanswered.size();
    if (onBus == 0)
        return refused(ExitStatus::NoController, QStringLiteral("no Kestrov controller is connected."));
    if (onBus > 1) {
        QStringList lines{QStringLiteral("%1 controllers are connected; choose one with --device:").arg(onBus)};
        for (auto controller = survey.connected.cbegin(); controller != survey.connected.cend(); ++controller)
            lines << QStringLiteral("  ") + line(controller.key(), controller.value());
        for (const DeviceAccessIssue &issue : survey.accessIssues)
            lines << QStringLiteral("  %1 %2 %3 (cannot be opened)").arg(kindOf(issue.productId)).arg(issue.productId)
                         .arg(displayName(issue.productId));
        for (int productId : survey.unanswered)
            lines << QStringLiteral("  %1 %2 %3 (did not answer)").arg(kindOf(productId)).arg(productId).arg(displayName(productId));
        return refused(ExitStatus::Usage, lines.join(QLatin1Char('\n')));
    }
    if (!survey.accessIssues.isEmpty())
        return refused(ExitStatus::NoAccess, accessProblem(survey.accessIssues.first()));
    if (!survey.unanswered.isEmpty())
        return refused(ExitStatus::ControllerFailed, silentProblem(survey.unanswered.first()));
    ControllerChoice choice;
    choice.productId = survey.connected.firstKey();
    choice.info = survey.connected.first();
    return choice;
}

std::optional<int> ControllerChoice::productIdOf(const QString &device)
{
    if (const DeviceKind *kind = DeviceKinds::byCommandLineName(device))
        return kind->productId;
    bool number = false;
    const int productId = device.toInt(&number, 0);
    if (number && productId > 0 && productId <= 0xFFFF)
        return productId;
    return std::nullopt;
}

QString ControllerChoice::kindOf(int productId)
{
    const DeviceKind *kind = DeviceKinds::byProductId(productId);
    return kind ? QString::fromLatin1(kind->commandLineName) : QStringLiteral("unknown");
}

QStringList ControllerChoice::kindNames()
{
    return DeviceKinds::commandLineNames();
}

QString ControllerChoice::accessProblem(const DeviceAccessIssue &issue)
{
    return issue.describe(displayName(issue.productId));
}

QString ControllerChoice::silentProblem(int productId)
{
    return QStringLiteral("%1 (product id %2) is connected, but did not answer. Check its cable and power, then try "
                          "again.")
        .arg(displayName(productId))
        .arg(productId);
}

QString ControllerChoice::line(int productId, const DeviceInfoTypeDef &info)
{
    return QStringLiteral("%1 %2 %3, firmware %4").arg(kindOf(productId)).arg(productId).arg(displayName(productId))
        .arg(info.firmwareVersion);
}
