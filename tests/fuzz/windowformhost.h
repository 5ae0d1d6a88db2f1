#pragma once

#include "hardware/hardwaresettings.h"

#include <QMainWindow>

#include <memory>

class FullEffectSettingsWidget;
class FullHardwareSettingsWidget;
class InputSettingsPages;
namespace Ui {
class MainWindow;
}

// The main window's form with its two panels and the GPIO, Buttons and Analog axes pages,
// on a plain QMainWindow: the real window's constructor would start the USB worker.
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
    QMainWindow window;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<InputSettingsPages> inputPages;
};
