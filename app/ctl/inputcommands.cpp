// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/inputcommands.h"

#include "app/ctl/console.h"
#include "app/ctl/ctlsession.h"
#include "device/devicekinds.h"
#include "device/forceeffectplayer.h"
#include "device/inputeventsource.h"
#include "device/inputmapping.h"
#include "device/deviceinfo.h"
#include "device/usbcontrollers.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace InputCommands {

namespace {

ExitStatus statusFor(const LiveInputProblem &problem)
{
    switch (problem.kind) {
    case LiveInputProblem::NoPermission:
        return ExitStatus::NoAccess;
    case LiveInputProblem::Gone:
        return ExitStatus::NoController;
    default:
        return ExitStatus::ControllerFailed;
    }
}

QString lineFor(const InputEventSource::Change &change, bool json)
{
    const QString name = InputEventSource::codeName(change.type, change.code);
    const std::optional<InputMappingEntry> entry = InputMapping::forCode(change.type, change.code);
    const double seconds = double(change.timeUs) / 1e6;
    if (json) {
        QJsonObject object{{QStringLiteral("type"), change.type == EV_ABS ? QStringLiteral("axis") : QStringLiteral("button")},
                           {QStringLiteral("name"), name},
                           {QStringLiteral("value"), change.value},
                           {QStringLiteral("time"), seconds}};
        if (entry)
            object.insert(QStringLiteral("row"), InputMapping::rowName(*entry));
        return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    }
    QString line = QStringLiteral("%1 %2 %3").arg(seconds, 0, 'f', 6).arg(name).arg(change.value);
    if (entry)
        line += QStringLiteral(" (%1)").arg(InputMapping::rowName(*entry));
    return line;
}

// The event node of the chosen controller, or the reason there is none.
QString findNode(const CtlSession &session, LiveInputProblem *problem)
{
    const QString node = UsbControllers::eventNodeFor(KESTROV_VENDOR_ID, session.productId());
    if (node.isEmpty())
        problem->kind = LiveInputProblem::NoInputDevice;
    return node;
}

} // namespace

ExitStatus inputs(const CtlArguments &arguments)
{
    QDeadlineTimer deadline(QDeadlineTimer::Forever);
    if (!arguments.duration.isEmpty()) {
        bool ok = false;
        const double seconds = arguments.duration.toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 24 * 3600) {
            Console::error(QStringLiteral("--duration needs a number of seconds above 0, not \"%1\"").arg(arguments.duration));
            return ExitStatus::Usage;
        }
        deadline.setRemainingTime(qint64(seconds * 1000));
    }
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    LiveInputProblem problem;
    const QString node = findNode(session, &problem);
    std::unique_ptr<InputEventSource> source = node.isEmpty() ? nullptr : InputEventSource::open(node, &problem);
    if (!source) {
        Console::error(problem.describe());
        return statusFor(problem);
    }
    Console::warning(QStringLiteral("reading the axes and buttons of %1 (%2); one line per change")
                         .arg(ControllerChoice::kindOf(session.productId()), node));
    QList<InputEventSource::Change> changes;
    while (!deadline.hasExpired()) {
        const qint64 left = deadline.remainingTime();
        changes.clear();
        const InputEventSource::Wait result = source->waitForChanges(changes, left < 0 ? -1 : int(left));
        for (const InputEventSource::Change &change : changes)
            Console::out(lineFor(change, arguments.json));
        if (result == InputEventSource::Wait::Gone) {
            Console::error(QStringLiteral("the controller left."));
            return ExitStatus::NoController;
        }
    }
    return ExitStatus::Done;
}

ExitStatus forceTest(const CtlArguments &arguments)
{
    ForceTestRequest request;
    const QString effect = arguments.operands.value(0);
    request.effect = effect == QLatin1String("spring") ? ForceTestRequest::Spring
                     : effect == QLatin1String("sine") ? ForceTestRequest::Sine
                                                       : ForceTestRequest::Constant;
    bool ok = true;
    if (!arguments.strength.isEmpty())
        request.strengthPercent = arguments.strength.toInt(&ok);
    if (ok && !arguments.duration.isEmpty())
        request.durationMs = arguments.duration.toInt(&ok);
    if (!ok) {
        Console::error(QStringLiteral("--strength and --duration need whole numbers"));
        return ExitStatus::Usage;
    }
    if (!arguments.direction.isEmpty() && arguments.direction != QLatin1String("left")
        && arguments.direction != QLatin1String("right")) {
        Console::error(QStringLiteral("--direction needs \"left\" or \"right\", not \"%1\"").arg(arguments.direction));
        return ExitStatus::Usage;
    }
    request.direction = arguments.direction == QLatin1String("right") ? ForceTestRequest::Right : ForceTestRequest::Left;
    if (const QString problem = request.problem(); !problem.isEmpty()) {
        Console::error(problem);
        return ExitStatus::Usage;
    }
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    LiveInputProblem problem;
    const QString node = findNode(session, &problem);
    if (node.isEmpty()) {
        Console::error(problem.describe());
        return statusFor(problem);
    }
    ForceEffectPlayer player;
    const ForceTestOutcome outcome = player.start(node, request);
    if (outcome.kind != ForceTestOutcome::Played) {
        Console::error(outcome.describe());
        return outcome.kind == ForceTestOutcome::NoInputDevice ? statusFor(outcome.inputProblem)
                                                                : ExitStatus::ControllerFailed;
    }
    // The effect ends by itself after its length; stopping it here as well removes it at once.
    QThread::msleep(request.durationMs);
    player.stop();
    Console::out(QStringLiteral("Played %1 at %2 % for %3 ms.")
                     .arg(QLatin1String(ForceTestRequest::effectName(request.effect)))
                     .arg(request.strengthPercent)
                     .arg(request.durationMs));
    return ExitStatus::Done;
}

} // namespace InputCommands
