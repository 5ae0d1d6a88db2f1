#include "app/ctl/backupcommands.h"
#include "app/ctl/console.h"
#include "app/ctl/ctlarguments.h"
#include "app/ctl/helptext.h"
#include "app/ctl/listcommand.h"
#include "app/ctl/profilecommands.h"
#include "app/ctl/recordcommands.h"
#include "app/ctl/requestcommands.h"
#include "device/deviceinfo.h"

#include <QCoreApplication>
#include <QMap>

#include <functional>

namespace {

using Command = std::function<ExitStatus(const CtlArguments &)>;

const QMap<QString, Command> &commands()
{
    static const QMap<QString, Command> table{
        {QStringLiteral("list"), &ListCommand::run},
        {QStringLiteral("read"), &RecordCommands::read},
        {QStringLiteral("apply"), &RecordCommands::write},
        {QStringLiteral("save"), &RecordCommands::write},
        {QStringLiteral("profile list"), &ProfileCommands::list},
        {QStringLiteral("profile apply"), &ProfileCommands::apply},
        {QStringLiteral("profile save"), &ProfileCommands::save},
        {QStringLiteral("backup"), &BackupCommands::backup},
        {QStringLiteral("restore"), &BackupCommands::restore},
        {QStringLiteral("reboot"), &RequestCommands::reboot},
        {QStringLiteral("dfu"), &RequestCommands::switchToDfu},
    };
    return table;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrov-ctl"));

    QString problem;
    const CtlArguments arguments = CtlArguments::parse(QCoreApplication::arguments(), &problem);
    if (arguments.version) {
        Console::out(QStringLiteral("kestrov-ctl, made for firmware %1").arg(SETUP_VERSION));
        return 0;
    }
    if (arguments.help) {
        Console::writeOut(HelpText::of(arguments.command).toLocal8Bit());
        return 0;
    }
    if (!problem.isEmpty()) {
        Console::error(problem + QStringLiteral(" (see kestrov-ctl --help)"));
        return int(ExitStatus::Usage);
    }
    return int(commands().value(arguments.command)(arguments));
}
