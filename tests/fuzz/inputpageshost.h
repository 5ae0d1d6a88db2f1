#pragma once

#include "hardware/hardwaresettings.h"

#include <QMainWindow>

#include <memory>

class InputSettingsPages;
namespace Ui {
class MainWindow;
}

// The GPIO, Buttons and Analog axes pages on the main window's form, without the window
// itself, whose constructor would start the USB worker.
class InputPagesHost
{
public:
    InputPagesHost();
    ~InputPagesHost();

    void showSettings(const HardwareSettingsTypeDef &settings);
    void gatherSettings(HardwareSettingsTypeDef &settings) const;
    bool spiRecommendationsShown() const;

private:
    QMainWindow window;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<InputSettingsPages> pages;
};
