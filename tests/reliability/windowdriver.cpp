// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowdriver.h"

#include "app/mainwindow.h"
#include "effects/fulleffectsettingswidget.h"

#include <QPushButton>
#include <QSpinBox>

#include <cstring>

namespace {

QByteArray bytesOf(const void *record, int size)
{
    return QByteArray(static_cast<const char *>(record), size);
}

} // namespace

WindowDriver::WindowDriver(MainWindow &window)
    : m_window(window)
{
}

bool WindowDriver::isEffects(Action action)
{
    return action == Action::ReadEffects || action == Action::ApplyEffects || action == Action::SaveEffects;
}

bool WindowDriver::isRead(Action action)
{
    return action == Action::ReadEffects || action == Action::ReadHardware;
}

bool WindowDriver::isSave(Action action)
{
    return action == Action::SaveEffects || action == Action::SaveHardware;
}

int WindowDriver::blockCommand(Action action)
{
    return isEffects(action) ? 18 : 17;
}

QString WindowDriver::name(Action action)
{
    switch (action) {
    case Action::ReadEffects:
        return QStringLiteral("read effects");
    case Action::ApplyEffects:
        return QStringLiteral("apply effects");
    case Action::SaveEffects:
        return QStringLiteral("save effects");
    case Action::ReadHardware:
        return QStringLiteral("read hardware");
    case Action::ApplyHardware:
        return QStringLiteral("apply hardware");
    case Action::SaveHardware:
        return QStringLiteral("save hardware");
    }
    return QString();
}

void WindowDriver::press(Action action, int page) const
{
    QString button;
    const QString suffix = QStringLiteral("_%1").arg(page);
    switch (action) {
    case Action::ReadEffects:
        button = QStringLiteral("read_effects_settings_button");
        break;
    case Action::ApplyEffects:
        button = QStringLiteral("apply_effect_settings_button");
        break;
    case Action::SaveEffects:
        button = QStringLiteral("save_effects_settings_button");
        break;
    case Action::ReadHardware:
        button = QStringLiteral("read_hardware_settings_button") + suffix;
        break;
    case Action::ApplyHardware:
        button = QStringLiteral("apply_hardware_settings_button") + suffix;
        break;
    case Action::SaveHardware:
        button = QStringLiteral("save_hardware_settings_button") + suffix;
        break;
    }
    auto *pushButton = m_window.findChild<QPushButton *>(button);
    if (!pushButton)
        qFatal("no button named %s", qPrintable(button));
    pushButton->click();
}

QSpinBox *WindowDriver::editedSpinBox(bool effects) const
{
    const QString name = effects ? QStringLiteral("motion_range_axis0") : QStringLiteral("lowerDeadZoneSpinBox_1");
    auto *spinBox = m_window.findChild<QSpinBox *>(name);
    if (!spinBox)
        qFatal("no spin box named %s", qPrintable(name));
    return spinBox;
}

int WindowDriver::editedValue(bool effects) const
{
    return editedSpinBox(effects)->value();
}

void WindowDriver::setEditedValue(bool effects, int value) const
{
    editedSpinBox(effects)->setValue(value);
}

int WindowDriver::editedValueMaximum(bool effects) const
{
    return editedSpinBox(effects)->maximum();
}

int WindowDriver::editedValueIn(bool effects, const QByteArray &record)
{
    if (effects) {
        EffectSettingsTypeDef settings;
        if (record.size() != int(sizeof settings))
            return -1;
        std::memcpy(&settings, record.constData(), sizeof settings);
        return settings.axis[0].motion_range;
    }
    HardwareSettingsTypeDef settings;
    if (record.size() != int(sizeof settings))
        return -1;
    std::memcpy(&settings, record.constData(), sizeof settings);
    return settings.analog_lower_dead_zone[0];
}

QByteArray WindowDriver::effectRecord() const
{
    // Built as the window builds it: zero bytes, then the panel's fields.
    EffectSettingsTypeDef settings{};
    auto *panel = m_window.findChild<FullEffectSettingsWidget *>(QStringLiteral("effects_settings_widget"));
    if (!panel)
        qFatal("no effects panel");
    panel->gatherSettings(settings);
    return bytesOf(&settings, sizeof settings);
}

QByteArray WindowDriver::hardwareRecord() const
{
    HardwareSettingsTypeDef settings{};
    m_window.gatherHardwareSettings(settings);
    return bytesOf(&settings, sizeof settings);
}
