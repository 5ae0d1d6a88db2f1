// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowformhost.h"

#include "effects/fulleffectsettingswidget.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "inputs/analogaxespage.h"
#include "inputs/buttonspage.h"
#include "inputs/gpiopage.h"
#include "inputs/inputsettingspages.h"

#include <QGroupBox>

WindowFormHost::WindowFormHost()
    : m_effects(new FullEffectSettingsWidget(&m_window))
    , m_hardware(new FullHardwareSettingsWidget(&m_window))
    , m_gpio(new GpioPage(&m_window))
    , m_inputPages(std::make_unique<InputSettingsPages>(*m_gpio, *new ButtonsPage(&m_window), *new AnalogAxesPage(&m_window)))
{
}

WindowFormHost::~WindowFormHost() = default;

FullEffectSettingsWidget &WindowFormHost::effectsPanel() const
{
    return *m_effects;
}

FullHardwareSettingsWidget &WindowFormHost::hardwarePanel() const
{
    return *m_hardware;
}

void WindowFormHost::showHardwareSettings(const HardwareSettingsTypeDef &settings)
{
    m_inputPages->showSettings(settings);
    m_hardware->loadSettings(settings);
}

void WindowFormHost::gatherHardwareSettings(HardwareSettingsTypeDef &settings) const
{
    m_hardware->gatherSettings(settings);
    m_inputPages->gatherSettings(settings);
}

bool WindowFormHost::spiRecommendationsShown() const
{
    // The window is never shown, so ask for the group's own state, not its visibility.
    return !m_gpio->findChild<QGroupBox *>(QStringLiteral("spi_recommendations"))->isHidden();
}
