#include "inputpageshost.h"

#include "inputs/inputsettingspages.h"
#include "ui_mainwindow.h"

InputPagesHost::InputPagesHost()
    : ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(&window);
    pages = std::make_unique<InputSettingsPages>(*ui);
}

InputPagesHost::~InputPagesHost() = default;

void InputPagesHost::showSettings(const HardwareSettingsTypeDef &settings)
{
    pages->showSettings(settings);
}

void InputPagesHost::gatherSettings(HardwareSettingsTypeDef &settings) const
{
    pages->gatherSettings(settings);
}

bool InputPagesHost::spiRecommendationsShown() const
{
    // The window is never shown, so ask for the group's own state, not its visibility.
    return !ui->spi_recommendations->isHidden();
}
