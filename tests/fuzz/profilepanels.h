// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectsettings.h"

#include <QString>

#include <memory>

class FullEffectSettingsWidget;

// Two effects panels that have seen the same records: one loads profiles through its own
// profile slot, the other is handed the same records with loadSettings, so after every
// profile load the two must gather alike.
class ProfilePanels
{
public:
    ProfilePanels();
    ~ProfilePanels();

    // Runs the panel's applyProfile slot; true when it announced profileApplied.
    bool applyProfile(const QString &name);
    void loadReference(const EffectSettingsTypeDef &settings);

    EffectSettingsTypeDef gathered() const;
    EffectSettingsTypeDef referenceGathered() const;

private:
    std::unique_ptr<FullEffectSettingsWidget> panel;
    std::unique_ptr<FullEffectSettingsWidget> reference;
    int appliedCount = 0;
};
