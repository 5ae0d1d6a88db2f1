// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/ctlarguments.h"

#include "app/ctl/ctlcommands.h"

#include <QCommandLineParser>

CtlArguments CtlArguments::parse(const QStringList &arguments, QString *problem)
{
    QCommandLineParser parser;
    const QCommandLineOption device(QStringLiteral("device"), QString(), QStringLiteral("PID|KIND"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("FILE"));
    const QCommandLineOption dataDirectory(QStringLiteral("data-dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption duration(QStringLiteral("duration"), QString(), QStringLiteral("TIME"));
    const QCommandLineOption strength(QStringLiteral("strength"), QString(), QStringLiteral("PCT"));
    const QCommandLineOption direction(QStringLiteral("direction"), QString(), QStringLiteral("left|right"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption save(QStringLiteral("save"));
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({device, output, dataDirectory, duration, strength, direction, json, save, force, help, version});

    CtlArguments parsed;
    if (!parser.parse(arguments)) {
        *problem = parser.errorText();
        return parsed;
    }
    parsed.device = parser.value(device);
    parsed.output = parser.value(output);
    parsed.dataDirectory = parser.value(dataDirectory);
    parsed.duration = parser.value(duration);
    parsed.strength = parser.value(strength);
    parsed.direction = parser.value(direction);
    parsed.json = parser.isSet(json);
    parsed.save = parser.isSet(save);
    parsed.force = parser.isSet(force);
    parsed.help = parser.isSet(help);
    parsed.version = parser.isSet(version);

    QStringList words = parser.positionalArguments();
    if (!words.isEmpty())
        parsed.command = words.takeFirst();
    if (const CtlCommand *group = CtlCommands::find(parsed.command); group && group->isGroup() && !words.isEmpty())
        parsed.command += QLatin1Char(' ') + words.takeFirst();
    parsed.operands = words;

    // Asking for help is never wrong, whatever else the line holds.
    if (parsed.help || parsed.version)
        return parsed;
    *problem = parsed.check(parser.optionNames());
    return parsed;
}

QString CtlArguments::check(const QStringList &givenOptions) const
{
    if (command.isEmpty())
        return QStringLiteral("no command given");
    const CtlCommand *descriptor = CtlCommands::find(command);
    if (!descriptor)
        return QStringLiteral("unknown command \"%1\"").arg(command);
    QStringList options;
    for (const QString &option : givenOptions)
        options << (option == QLatin1String("o") ? QStringLiteral("output") : option);
    return descriptor->problemWith(operands, options);
}
