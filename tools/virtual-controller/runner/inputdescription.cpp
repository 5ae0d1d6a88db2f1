// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputdescription.h"

#include "inputcapabilities.h"

#include <linux/input.h>

namespace InputDescription {

namespace {

QString attribute(const QString &name, const QString &value)
{
    return QStringLiteral("A: %1=%2\\n\n").arg(name, value);
}

QString property(const QString &name, const QString &value)
{
    return QStringLiteral("E: %1=%2\n").arg(name, value);
}

QString hex4(int value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// What udev's input_id builtin adds for a device with axes and joystick buttons.
QString joystickProperties()
{
    return property(QStringLiteral("ID_INPUT"), QStringLiteral("1"))
           + property(QStringLiteral("ID_INPUT_JOYSTICK"), QStringLiteral("1"));
}

} // namespace

QString inputPath(const QString &hidPath, int number)
{
    return QStringLiteral("%1/input/input%2").arg(hidPath).arg(number);
}

QString eventPath(const QString &hidPath, int number, int minor)
{
    return QStringLiteral("%1/event%2").arg(inputPath(hidPath, number)).arg(minor);
}

QString eventNode(int minor)
{
    return QStringLiteral("/dev/input/event%1").arg(minor);
}

QString inputDevice(const QString &hidPath, int number, const Identity &identity, const InputCapabilities &capabilities)
{
    QString text = QStringLiteral("P: %1\n").arg(inputPath(hidPath, number));
    text += property(QStringLiteral("SUBSYSTEM"), QStringLiteral("input"));
    text += property(QStringLiteral("PRODUCT"), QStringLiteral("%1/%2/%3/%4")
                                                    .arg(BUS_USB, 0, 16)
                                                    .arg(identity.vendorId, 0, 16)
                                                    .arg(identity.productId, 0, 16)
                                                    .arg(identity.version, 0, 16));
    text += property(QStringLiteral("NAME"), QLatin1Char('"') + identity.name + QLatin1Char('"'));
    text += property(QStringLiteral("PHYS"), QLatin1Char('"') + identity.phys + QLatin1Char('"'));
    text += property(QStringLiteral("UNIQ"), QLatin1Char('"') + identity.uniq + QLatin1Char('"'));
    text += property(QStringLiteral("PROP"), QStringLiteral("0"));
    text += property(QStringLiteral("EV"), capabilities.sysfsBitmap(0));
    text += property(QStringLiteral("KEY"), capabilities.sysfsBitmap(EV_KEY));
    text += property(QStringLiteral("ABS"), capabilities.sysfsBitmap(EV_ABS));
    text += property(QStringLiteral("MSC"), capabilities.sysfsBitmap(EV_MSC));
    if (capabilities.hasForceFeedback())
        text += property(QStringLiteral("FF"), capabilities.sysfsBitmap(EV_FF));
    text += joystickProperties();
    text += attribute(QStringLiteral("name"), identity.name);
    text += attribute(QStringLiteral("phys"), identity.phys);
    text += attribute(QStringLiteral("uniq"), identity.uniq);
    text += attribute(QStringLiteral("properties"), QStringLiteral("0"));
    text += attribute(QStringLiteral("id/bustype"), hex4(BUS_USB));
    text += attribute(QStringLiteral("id/vendor"), hex4(identity.vendorId));
    text += attribute(QStringLiteral("id/product"), hex4(identity.productId));
    text += attribute(QStringLiteral("id/version"), hex4(identity.version));
    const std::pair<const char *, int> bitmaps[] = {{"ev", 0},       {"key", EV_KEY}, {"rel", EV_REL},
                                                    {"abs", EV_ABS}, {"msc", EV_MSC}, {"led", EV_LED},
                                                    {"snd", EV_SND}, {"ff", EV_FF},   {"sw", EV_SW}};
    for (const auto &[name, type] : bitmaps)
        text += attribute(QStringLiteral("capabilities/") + QLatin1String(name), capabilities.sysfsBitmap(type));
    return text;
}

QString eventDevice(const QString &hidPath, int number, int minor)
{
    const QString name = QStringLiteral("input/event%1").arg(minor);
    // With contents, as for hidraw: a node without them is kept by the testbed past its removal.
    QString text = QStringLiteral("P: %1\nN: %2=00\n").arg(eventPath(hidPath, number, minor), name);
    text += property(QStringLiteral("SUBSYSTEM"), QStringLiteral("input"));
    text += property(QStringLiteral("DEVNAME"), name);
    text += property(QStringLiteral("MAJOR"), QString::number(INPUT_MAJOR));
    text += property(QStringLiteral("MINOR"), QString::number(EVDEV_MINOR_BASE + minor));
    text += joystickProperties();
    text += attribute(QStringLiteral("dev"), QStringLiteral("%1:%2").arg(INPUT_MAJOR).arg(EVDEV_MINOR_BASE + minor));
    text += QStringLiteral("L: device=../../input%1\n").arg(number);
    return text;
}

} // namespace InputDescription
