#include "app/ctl/ctlarguments.h"

#include <QCommandLineParser>
#include <QMap>

namespace {

struct Grammar {
    // Operands after the command's name, and the options it takes besides --device.
    int operands;
    QStringList options;
    bool needsController = true;
};

const QMap<QString, Grammar> &grammars()
{
    static const QMap<QString, Grammar> table{
        {QStringLiteral("list"), {0, {QStringLiteral("json")}, false}},
        {QStringLiteral("read"), {1, {QStringLiteral("json"), QStringLiteral("output")}}},
        {QStringLiteral("apply"), {2, {}}},
        {QStringLiteral("save"), {2, {}}},
        {QStringLiteral("profile list"), {0, {QStringLiteral("data-dir")}, false}},
        {QStringLiteral("profile apply"), {1, {QStringLiteral("data-dir"), QStringLiteral("save")}}},
        {QStringLiteral("profile save"), {1, {QStringLiteral("data-dir")}}},
        {QStringLiteral("backup"), {1, {}}},
        {QStringLiteral("restore"), {1, {QStringLiteral("save"), QStringLiteral("force")}}},
        {QStringLiteral("reboot"), {0, {}}},
        {QStringLiteral("dfu"), {0, {}}},
    };
    return table;
}

} // namespace

CtlArguments CtlArguments::parse(const QStringList &arguments, QString *problem)
{
    QCommandLineParser parser;
    const QCommandLineOption device(QStringLiteral("device"), QString(), QStringLiteral("PID|KIND"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("FILE"));
    const QCommandLineOption dataDirectory(QStringLiteral("data-dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption save(QStringLiteral("save"));
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({device, output, dataDirectory, json, save, force, help, version});

    CtlArguments parsed;
    if (!parser.parse(arguments)) {
        *problem = parser.errorText();
        return parsed;
    }
    parsed.device = parser.value(device);
    parsed.output = parser.value(output);
    parsed.dataDirectory = parser.value(dataDirectory);
    parsed.json = parser.isSet(json);
    parsed.save = parser.isSet(save);
    parsed.force = parser.isSet(force);
    parsed.help = parser.isSet(help);
    parsed.version = parser.isSet(version);

    QStringList words = parser.positionalArguments();
    if (!words.isEmpty())
        parsed.command = words.takeFirst();
    if (parsed.command == QLatin1String("profile") && !words.isEmpty())
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
    const auto grammar = grammars().constFind(command);
    if (grammar == grammars().cend())
        return command == QLatin1String("profile") ? QStringLiteral("profile needs list, apply or save")
                                                   : QStringLiteral("unknown command \"%1\"").arg(command);
    if (operands.size() != grammar->operands)
        return operands.size() < grammar->operands ? QStringLiteral("%1 needs more arguments").arg(command)
                                                   : QStringLiteral("too many arguments for %1").arg(command);
    for (const QString &option : givenOptions) {
        const QString name = option == QLatin1String("o") ? QStringLiteral("output") : option;
        if (grammar->options.contains(name) || (name == QLatin1String("device") && grammar->needsController))
            continue;
        return QStringLiteral("%1 does not take --%2").arg(command, name);
    }
    if ((command == QLatin1String("read") || command == QLatin1String("apply") || command == QLatin1String("save"))
        && operands.first() != QLatin1String("effects") && operands.first() != QLatin1String("hardware"))
        return QStringLiteral("%1 needs \"effects\" or \"hardware\", not \"%2\"").arg(command, operands.first());
    return {};
}
