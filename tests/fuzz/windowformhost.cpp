#include "windowformhost.h"

#include "effects/fulleffectsettingswidget.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "inputs/inputsettingspages.h"
#include "ui_mainwindow.h"

WindowFormHost::WindowFormHost()
    : ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(&window);
    inputPages = std::make_unique<InputSettingsPages>(*ui);
}

WindowFormHost::~WindowFormHost() = default;

FullEffectSettingsWidget &WindowFormHost::effectsPanel() const
{
    return *ui->effects_settings_widget;
}

FullHardwareSettingsWidget &WindowFormHost::hardwarePanel() const
{
    return *ui->hardware_settings_widget;
}

void WindowFormHost::showHardwareSettings(const HardwareSettingsTypeDef &settings)
{
    inputPages->showSettings(settings);
    ui->hardware_settings_widget->loadSettings(settings);
}

void WindowFormHost::gatherHardwareSettings(HardwareSettingsTypeDef &settings) const
{
    ui->hardware_settings_widget->gatherSettings(settings);
    inputPages->gatherSettings(settings);
}

bool WindowFormHost::spiRecommendationsShown() const
{
    // The window is never shown, so ask for the group's own state, not its visibility.
    return !ui->spi_recommendations->isHidden();
}
