// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/recordcommands.h"

#include "app/ctl/console.h"
#include "app/ctl/ctlsession.h"
#include "app/ctl/settingsrecord.h"

#include <QSaveFile>

namespace RecordCommands {

namespace {

// A record holding values the window could not show, and so could not send back as they are,
// is refused, or with --force sent after a warning; each such value is named.
bool mayBeSent(const SettingsRecord &record, const QByteArray &bytes, const CtlArguments &arguments)
{
    const QStringList values = record.valuesBeyondWindow(bytes);
    if (values.isEmpty())
        return true;
    const QString path = arguments.operands.at(1);
    if (arguments.force)
        Console::warning(QStringLiteral("%1 holds values the window cannot show; they are sent as they are:").arg(path));
    else
        Console::error(QStringLiteral("%1 holds values the window cannot show. Nothing was sent; --force sends them "
                                      "all the same:").arg(path));
    for (const QString &value : values)
        Console::detail(value);
    return arguments.force;
}

} // namespace

ExitStatus read(const CtlArguments &arguments)
{
    const SettingsRecord record = *SettingsRecord::named(arguments.operands.at(0));
    if (arguments.output.isEmpty() && !arguments.json && Console::outputIsTerminal()) {
        Console::error(QStringLiteral("the raw record is binary: write it to a file with -o FILE, or ask for --json."));
        return ExitStatus::Usage;
    }
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    const ControllerLink::Reply reply = session.run(record.read(session.productId()));
    // Only the record goes to standard output, so that it can be piped.
    const ExitStatus status = CtlSession::report(reply.outcome, arguments.output.isEmpty());
    if (status != ExitStatus::Done)
        return status;
    return deliver(arguments.json ? record.toJson(reply.outcome.record) : reply.outcome.record, arguments.output) ? ExitStatus::Done
                                                                                                 : ExitStatus::Usage;
}

ExitStatus write(const CtlArguments &arguments)
{
    const SettingsRecord record = *SettingsRecord::named(arguments.operands.at(0));
    // The file first: a record that cannot be used is refused before anything is sent.
    QString problem;
    const QByteArray bytes = record.load(arguments.operands.at(1), &problem);
    if (bytes.isEmpty()) {
        Console::error(problem);
        return ExitStatus::Usage;
    }
    if (!mayBeSent(record, bytes, arguments))
        return ExitStatus::Usage;
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    const bool save = arguments.command == QLatin1String("save");
    return CtlSession::report(session.run(record.write(session.productId(), bytes, save)).outcome);
}

bool deliver(const QByteArray &data, const QString &path)
{
    if (path.isEmpty()) {
        if (Console::writeOut(data))
            return true;
        Console::error(QStringLiteral("standard output could not be written."));
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(data) == data.size() && file.commit())
        return true;
    Console::error(QStringLiteral("%1 could not be written: %2.").arg(path, file.errorString()));
    return false;
}

} // namespace RecordCommands
