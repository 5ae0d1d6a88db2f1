// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlcommands.h"

#include "deviceregistry.h"
#include "recordkind.h"
#include "transferlog.h"

namespace {

QString ok(const QString &text = QString())
{
    return text.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + text;
}

QString error(const QString &text)
{
    return QStringLiteral("error ") + text;
}

bool isHex(const QString &text)
{
    if (text.size() % 2 != 0)
        return false;
    for (QChar c : text)
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    return true;
}

} // namespace

ControlCommands::ControlCommands(DeviceRegistry &devices, TransferLog &log)
    : m_devices(devices)
    , m_log(log)
{
}

QString ControlCommands::execute(const QString &line)
{
    QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString command = words.takeFirst();
    if (command == QLatin1String("plug"))
        return plug(words);
    if (command == QLatin1String("reset") && words.isEmpty())
        return reset();
    if (command == QLatin1String("clear-log") && words.isEmpty())
        return clearLog();
    return onDevice(command, words);
}

QString ControlCommands::onDevice(const QString &command, const QStringList &arguments)
{
    static const QStringList deviceCommands{QStringLiteral("unplug"), QStringLiteral("replug"), QStringLiteral("set"),
                                            QStringLiteral("write"),  QStringLiteral("read"),   QStringLiteral("info"),
                                            QStringLiteral("axis"),   QStringLiteral("button"), QStringLiteral("stream")};
    if (!deviceCommands.contains(command))
        return error(QStringLiteral("unknown command '%1'").arg(command));
    if (arguments.isEmpty())
        return error(QStringLiteral("%1 needs a device id").arg(command));
    bool isNumber = false;
    const int id = arguments.first().toInt(&isNumber);
    EmulatedDevice *device = isNumber ? m_devices.find(id) : nullptr;
    if (!device)
        return error(QStringLiteral("no device '%1'").arg(arguments.first()));

    const QStringList rest = arguments.mid(1);
    const bool bare = rest.isEmpty();
    if (command == QLatin1String("unplug") && bare)
        return unplug(*device);
    if (command == QLatin1String("replug") && bare)
        return replug(*device);
    if (command == QLatin1String("info") && bare)
        return ok(device->info());
    if (command == QLatin1String("set") && rest.size() == 1)
        return set(*device, rest);
    if (command == QLatin1String("write") && rest.size() == 2)
        return write(*device, rest);
    if (command == QLatin1String("read") && rest.size() == 2)
        return read(*device, rest);
    if (rest.size() == 2 && (command == QLatin1String("axis") || command == QLatin1String("button")
                             || command == QLatin1String("stream")))
        return input(*device, command, rest);
    return error(QStringLiteral("wrong arguments for %1").arg(command));
}

QString ControlCommands::plug(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return error(QStringLiteral("usage: plug KIND[,key=value...]"));
    QString failure;
    const std::optional<int> id = m_devices.plug(arguments.first(), &failure);
    return id ? ok(QString::number(*id)) : error(failure);
}

QString ControlCommands::unplug(EmulatedDevice &device)
{
    return device.unplug() ? ok() : error(QStringLiteral("device %1 is not plugged in").arg(device.id()));
}

QString ControlCommands::replug(EmulatedDevice &device)
{
    QString failure;
    return device.replug(&failure) ? ok() : error(failure);
}

QString ControlCommands::set(EmulatedDevice &device, const QStringList &arguments)
{
    QString failure;
    return device.set(arguments.first(), &failure) ? ok() : error(failure);
}

QString ControlCommands::write(EmulatedDevice &device, const QStringList &arguments)
{
    const std::optional<RecordKind> kind = RecordKinds::fromName(arguments.at(0));
    if (!kind)
        return error(QStringLiteral("no record '%1' (effect or hardware)").arg(arguments.at(0)));
    if (!isHex(arguments.at(1)))
        return error(QStringLiteral("record is not hex"));
    QString failure;
    return device.write(*kind, QByteArray::fromHex(arguments.at(1).toLatin1()), &failure) ? ok() : error(failure);
}

QString ControlCommands::read(EmulatedDevice &device, const QStringList &arguments)
{
    const std::optional<RecordKind> kind = RecordKinds::fromName(arguments.at(0));
    if (!kind)
        return error(QStringLiteral("no record '%1' (effect or hardware)").arg(arguments.at(0)));
    const QString &memory = arguments.at(1);
    if (memory != QLatin1String("working") && memory != QLatin1String("permanent"))
        return error(QStringLiteral("no memory '%1' (working or permanent)").arg(memory));
    return ok(QString::fromLatin1(device.read(*kind, memory == QLatin1String("permanent")).toHex()));
}

QString ControlCommands::input(EmulatedDevice &device, const QString &command, const QStringList &arguments)
{
    bool isNumber = false;
    const int value = arguments.at(1).toInt(&isNumber);
    if (!isNumber)
        return error(QStringLiteral("'%1' is not a number").arg(arguments.at(1)));
    QString failure;
    bool done = false;
    if (command == QLatin1String("axis")) {
        done = device.setAxis(arguments.at(0), value, &failure);
    } else if (command == QLatin1String("stream")) {
        done = device.streamAxis(arguments.at(0), value, &failure);
    } else {
        const int number = arguments.at(0).toInt(&isNumber);
        if (!isNumber || (value != 0 && value != 1))
            return error(QStringLiteral("usage: button ID N 1|0"));
        done = device.setButton(number, value == 1, &failure);
    }
    return done ? ok() : error(failure);
}

QString ControlCommands::reset()
{
    m_devices.reset();
    m_log.clear();
    return ok();
}

QString ControlCommands::clearLog()
{
    m_log.clear();
    return ok();
}
