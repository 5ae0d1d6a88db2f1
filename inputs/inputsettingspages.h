#pragma once

#include "hardware/hardwaresettings.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;

namespace Ui {
class MainWindow;
}

// The GPIO, Buttons and Analog axes pages of the main window: the input part of the
// hardware record. The controls are kept in ordered lists built once, so a list position
// is a record position.
class InputSettingsPages
{
public:
    explicit InputSettingsPages(const Ui::MainWindow &ui);

    // Puts bytes 5 to 84 of a received record into the pages.
    void showSettings(const HardwareSettingsTypeDef &settings);
    // Writes the pages' fields; every other byte of the record is left as it is.
    void gatherSettings(HardwareSettingsTypeDef &settings) const;
    void showSpiRecommendations(bool shown);

private:
    void populatePinModes();
    void populateButtonModes();
    void populateSpiModes();

    QList<QComboBox *> pinModes;
    QList<QComboBox *> buttonModes;
    QList<QSpinBox *> lowerDeadZones;
    QList<QSpinBox *> upperDeadZones;
    QList<QSpinBox *> smoothing;
    QList<QSpinBox *> buttonHigh;
    QList<QSpinBox *> buttonLow;
    QList<QCheckBox *> inverts;
    QComboBox *spiMode;
    QGroupBox *spiRecommendations;
};
