// SPDX-License-Identifier: GPL-3.0-or-later
#include "runneroptions.h"

#include "deviceoptions.h"

namespace {

// "--name=value" or "--name value"; advances `i` past what it used.
std::optional<QString> valueOf(const QStringList &arguments, qsizetype &i, const QString &name, QString *error)
{
    const QString &argument = arguments.at(i);
    if (argument.size() > name.size() + 2 && argument.at(name.size() + 2) == QLatin1Char('='))
        return argument.mid(name.size() + 3);
    if (i + 1 >= arguments.size() || arguments.at(i + 1) == QLatin1String("--")) {
        *error = QStringLiteral("--%1 needs a value").arg(name);
        return std::nullopt;
    }
    return arguments.at(++i);
}

} // namespace

std::optional<RunnerOptions> RunnerOptions::parse(const QStringList &arguments, QString *error)
{
    RunnerOptions options;
    qsizetype i = 0;
    for (; i < arguments.size() && arguments.at(i) != QLatin1String("--"); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
            return options;
        }
        const QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(2).section(QLatin1Char('='), 0, 0)
                                                                       : QString();
        std::optional<QString> value;
        if (name == QLatin1String("device") || name == QLatin1String("log") || DeviceOptions::isKey(name))
            value = valueOf(arguments, i, name, error);
        else
            *error = QStringLiteral("unknown argument '%1'").arg(argument);
        if (!value)
            return std::nullopt;
        if (name == QLatin1String("device"))
            options.devices << *value;
        else if (name == QLatin1String("log"))
            options.logFile = *value;
        else
            options.deviceDefaults << name + QLatin1Char('=') + *value;
    }
    options.command = arguments.mid(i + 1);
    if (options.command.isEmpty()) {
        *error = QStringLiteral("no command given after --");
        return std::nullopt;
    }
    return options;
}

QString RunnerOptions::usage()
{
    return QStringLiteral(
        "Usage: virtual-controller [--device KIND[,key=value...]]... [--log FILE] [--KEY=VALUE]... -- COMMAND [ARGS]\n"
        "\n"
        "Runs COMMAND with emulated Kestrov controllers plugged in, seen by the real libusb and\n"
        "hidapi through umockdev, and exits with COMMAND's exit status (128 + N when killed by\n"
        "signal N).\n"
        "\n"
        "  --device KIND[,key=value...]\n"
        "                    plug a controller at start; ids count 1, 2, ... in order\n"
        "  --log FILE        write the transfer log there (default: a file in a private temp dir)\n"
        "  --KEY=VALUE       device option given to every device of the run, before its own\n"
        "  -h, --help        show this help\n"
        "\n"
        "KIND: generic, joystick, rudder, wheel, collective\n"
        "Device options (key=value):\n"
        "  firmware=N type=N pid=N           identity (defaults: 241123, per kind)\n"
        "  state=FILE                        permanent memory kept in FILE across runs\n"
        "  effects=FILE hardware=FILE        raw records to start from\n"
        "  write-busy-ms=N save-busy-ms=N reboot-ms=N   timings (defaults 20, 150, 1500)\n"
        "  driver=hid|none                   kernel HID driver on interface 0, with a hidraw\n"
        "                                    node (default hid), or no driver\n"
        "  access=granted|denied             whether the device's nodes may be opened\n"
        "Faults (off with 0, or with off; short=off):\n"
        "  unplug-after=N unplug-at-ms=N status-fail=1 busy-forever=1 short=N\n"
        "  stall=0xNN delay-ms=N no-comeback=1\n"
        "\n"
        "COMMAND gets VIRTUAL_CONTROLLER_SOCKET (control channel, one command per line:\n"
        "plug, unplug, replug, set, write, read, info, reset, clear-log) and\n"
        "VIRTUAL_CONTROLLER_LOG (JSON lines, one per control transfer or device event).\n"
        "Exit status 2: bad arguments; 125: the emulation could not be set up;\n"
        "126/127: COMMAND could not be run / was not found.\n");
}
