// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/helptext.h"

#include "app/ctl/ctlcommands.h"

namespace HelpText {

namespace {

const char DEVICE_OPTION[] =
    "  --device PID|KIND  the controller to use when several are connected: its USB\n"
    "                     product id (22999) or kind (generic, joystick, rudder,\n"
    "                     wheel, collective)\n";

const char EXIT_STATUS[] =
    "Exit status:\n"
    "  0  done\n"
    "  1  the controller failed the command, kept other values than were sent,\n"
    "     did not confirm the command (it may have been applied or saved), or\n"
    "     is connected but did not answer\n"
    "  2  a wrong command line, or a file or profile that cannot be used; nothing\n"
    "     was sent to the controller\n"
    "  3  no such controller is connected\n"
    "  4  the controller is connected, but this user may not open it\n";

} // namespace

QString general()
{
    qsizetype width = 0;
    for (const CtlCommand &command : CtlCommands::all())
        if (!command.isGroup())
            width = qMax(width, command.synopsis().size());
    QString commands;
    for (const CtlCommand &command : CtlCommands::all())
        if (!command.isGroup())
            commands += QStringLiteral("  %1  %2\n").arg(command.synopsis().leftJustified(width), QLatin1String(command.summary));

    return QStringLiteral(
               "Usage: kestrov-ctl [--device PID|KIND] COMMAND [ARGUMENTS]\n"
               "\n"
               "Configures Kestrov force-feedback controllers over USB, with the rules and\n"
               "the effect profiles of the Kestrov Setup window.\n"
               "\n"
               "Commands:\n")
        + commands
        + QStringLiteral("\n"
                         "Options:\n")
        + QString::fromUtf8(DEVICE_OPTION)
        + QStringLiteral("  -h, --help         this help; \"kestrov-ctl COMMAND --help\" for a command\n"
                         "  --version          the firmware version this tool is made for\n"
                         "\n")
        + QString::fromUtf8(EXIT_STATUS);
}

QString of(const QString &name)
{
    const CtlCommand *command = CtlCommands::find(name);
    if (!command)
        return general();
    QString text = QStringLiteral("Usage: kestrov-ctl %1\n\n").arg(command->usage()) + QString::fromUtf8(command->about);
    if (command->needsController || *command->optionHelp) {
        text += QStringLiteral("\nOptions:\n");
        if (command->needsController)
            text += QString::fromUtf8(DEVICE_OPTION);
        text += QString::fromUtf8(command->optionHelp);
    }
    if (*command->note)
        text += QStringLiteral("\n") + QString::fromUtf8(command->note);
    return text + QStringLiteral("\n") + QString::fromUtf8(EXIT_STATUS);
}

} // namespace HelpText
