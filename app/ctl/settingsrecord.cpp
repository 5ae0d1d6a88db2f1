// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/settingsrecord.h"

#include "device/fieldlimits.h"
#include "effects/effectrecordfields.h"
#include "effects/effectsettings.h"
#include "hardware/hardwarerecordfields.h"
#include "hardware/hardwaresettings.h"
#include "hardware/hardwarerules.h"

#include <QFile>

SettingsRecord::SettingsRecord(const RecordJson::Layout &layout)
    : m_layout(layout)
{
}

SettingsRecord SettingsRecord::effects()
{
    return SettingsRecord({QStringLiteral("effects"), effectRecordFields(), int(sizeof(EffectSettingsTypeDef)), nullptr});
}

SettingsRecord SettingsRecord::hardware()
{
    // Held to the hardware page's rules, in its words.
    return SettingsRecord({QStringLiteral("hardware"), hardwareRecordFields(), int(sizeof(HardwareSettingsTypeDef)),
                           &HardwareRules::fieldValueProblem});
}

std::optional<SettingsRecord> SettingsRecord::named(const QString &name)
{
    if (name == QLatin1String("effects"))
        return effects();
    if (name == QLatin1String("hardware"))
        return hardware();
    return std::nullopt;
}

bool SettingsRecord::isEffects() const
{
    return m_layout.name == QLatin1String("effects");
}

ControllerLink::Request SettingsRecord::read(int productId) const
{
    return {isEffects() ? CommandOutcome::ReadEffects : CommandOutcome::ReadHardware, productId, {}};
}

ControllerLink::Request SettingsRecord::write(int productId, const QByteArray &record, bool save) const
{
    if (isEffects())
        return {save ? CommandOutcome::SaveEffects : CommandOutcome::ApplyEffects, productId, record};
    return {save ? CommandOutcome::SaveHardware : CommandOutcome::ApplyHardware, productId, record};
}

QByteArray SettingsRecord::load(const QString &path, QString *problem) const
{
    const bool standardInput = path == QLatin1String("-");
    QFile file(standardInput ? QString() : path);
    if (!(standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly))) {
        *problem = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return {};
    }
    // Far more than any record's JSON: a larger file is no record of ours.
    constexpr qint64 LARGEST = 1 << 20;
    const QByteArray content = file.read(LARGEST + 1);
    if (content.size() > LARGEST) {
        *problem = QStringLiteral("%1 is too large to be a settings record").arg(path);
        return {};
    }
    // Every field's JSON together is longer than the raw record, so the size tells them apart.
    if (content.size() == size())
        return content;
    QString broken;
    const QByteArray record = RecordJson::read(m_layout, content, &broken);
    if (record.isEmpty())
        *problem = content.trimmed().startsWith('{')
            ? QStringLiteral("%1: %2").arg(path, broken)
            : QStringLiteral("%1 is neither a raw %2 record (%3 bytes; it has %4) nor its JSON")
                  .arg(path, name())
                  .arg(size())
                  .arg(content.size());
    return record;
}

QByteArray SettingsRecord::toJson(const QByteArray &record) const
{
    return RecordJson::write(m_layout, record);
}

QStringList SettingsRecord::valuesBeyondWindow(const QByteArray &record) const
{
    return FieldLimits::problems(name(), m_layout.fields, record);
}
