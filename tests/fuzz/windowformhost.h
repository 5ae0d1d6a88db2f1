// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hardware/hardwaresettings.h"

#include <QWidget>

#include <memory>

class FullEffectSettingsWidget;
class FullHardwareSettingsWidget;
class GpioPage;
class InputSettingsPages;

// The window's two panels and its GPIO, Buttons and Analog axes pages, wired to each other
// as the window wires them, on a plain widget: the real window's constructor would start
// the USB worker.
class WindowFormHost
{
public:
    WindowFormHost();
    ~WindowFormHost();

    FullEffectSettingsWidget &effectsPanel() const;
    FullHardwareSettingsWidget &hardwarePanel() const;

    // What the window's showHardwareSettings and gatherHardwareSettings do.
    void showHardwareSettings(const HardwareSettingsTypeDef &settings);
    void gatherHardwareSettings(HardwareSettingsTypeDef &settings) const;

    bool spiRecommendationsShown() const;

private:
    QWidget m_window;
    FullEffectSettingsWidget *m_effects;
    FullHardwareSettingsWidget *m_hardware;
    GpioPage *m_gpio;
    std::unique_ptr<InputSettingsPages> m_inputPages;
};
