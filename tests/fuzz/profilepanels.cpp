// SPDX-License-Identifier: GPL-3.0-or-later
#include "profilepanels.h"

#include "effects/fulleffectsettingswidget.h"
#include "fuzzcheck.h"

#include <QMetaObject>

ProfilePanels::ProfilePanels()
    : panel(std::make_unique<FullEffectSettingsWidget>())
    , reference(std::make_unique<FullEffectSettingsWidget>())
{
    QObject::connect(panel.get(), &FullEffectSettingsWidget::profileApplied, [this] { ++appliedCount; });
}

ProfilePanels::~ProfilePanels() = default;

bool ProfilePanels::applyProfile(const QString &name)
{
    const int before = appliedCount;
    // A private slot: reached by name, as the combo box's activation reaches it.
    const bool invoked =
        QMetaObject::invokeMethod(panel.get(), "applyProfile", Qt::DirectConnection, Q_ARG(QString, name));
    FUZZ_REQUIRE(invoked, "the effects panel has no slot applyProfile(QString)");
    FUZZ_REQUIRE(appliedCount - before <= 1, "profileApplied was emitted more than once for one profile");
    return appliedCount != before;
}

void ProfilePanels::loadReference(const EffectSettingsTypeDef &settings)
{
    reference->loadSettings(settings);
}

EffectSettingsTypeDef ProfilePanels::gathered() const
{
    EffectSettingsTypeDef settings{};
    panel->gatherSettings(settings);
    return settings;
}

EffectSettingsTypeDef ProfilePanels::referenceGathered() const
{
    EffectSettingsTypeDef settings{};
    reference->gatherSettings(settings);
    return settings;
}
