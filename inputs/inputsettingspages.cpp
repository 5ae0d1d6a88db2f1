#include "inputs/inputsettingspages.h"
#include "ui_mainwindow.h"

#include "hardware/fieldencoding.h"

#include <QCoreApplication>
#include <QListView>

namespace {

// Pin functions: the same ten items on every pin; the code is the item's position.
const char *const PIN_MODES[] = {
    QT_TRANSLATE_NOOP("MainWindow", "Disabled"),
    QT_TRANSLATE_NOOP("MainWindow", "Generic button"),
    QT_TRANSLATE_NOOP("MainWindow", "Analog"),
    QT_TRANSLATE_NOOP("MainWindow", "SPI CS"),
    QT_TRANSLATE_NOOP("MainWindow", "SPI SCK"),
    QT_TRANSLATE_NOOP("MainWindow", "SPI MISO"),
    QT_TRANSLATE_NOOP("MainWindow", "Enable effects switch"),
    QT_TRANSLATE_NOOP("MainWindow", "Reset center button"),
    QT_TRANSLATE_NOOP("MainWindow", "Reboot button"),
    QT_TRANSLATE_NOOP("MainWindow", "Braking PWM"),
};
constexpr int PIN_MODE_GENERIC_BUTTON = 1;
constexpr int PIN_MODE_ANALOG = 2;
constexpr int PIN_MODE_BRAKING_PWM = 9;

// Which pin positions offer which of the restricted functions.
bool offersGenericButton(int pin) { return pin <= 7; }   // "Pin 1" to "Pin 8"
bool offersAnalog(int pin) { return pin <= 2; }          // "Pin 1" to "Pin 3"
bool offersBrakingPwm(int pin) { return pin == 7; }      // "Pin 8"

const char *const BUTTON_MODES[] = {
    QT_TRANSLATE_NOOP("MainWindow", "Disabled"),
    QT_TRANSLATE_NOOP("MainWindow", "Normal"),
    QT_TRANSLATE_NOOP("MainWindow", "Inverted"),
};

// Names of makers' devices: shown as they stand, never translated.
const char *const SPI_DEVICES[] = {
    "SN74HC165N x 3",          "C4021 x 3",
    "Thrustmaster",            "VPC Flnkr (WIP)",
    "VPC Alpha Prime R (WIP)", "VPC MongoosT (DEBUG)",
    "VPC MongoosT CM2 (DEBUG)", "VPC VFX (DEBUG)",
    "VPC Alpha (DEBUG)",       "VPC Ka-50 (DEBUG)",
    "VPC UH-60 (DEBUG)",       "VPC Apache-64 (DEBUG)",
    "VPC Generic (DEBUG)",     "TIANHANG F18 (DEBUG)",
};

QString translated(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

void hidePopupRow(QComboBox *combo, int row)
{
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setRowHidden(row, true);
}

} // namespace

InputSettingsPages::InputSettingsPages(const Ui::MainWindow &ui)
    : pinModes{ui.gpioModeCombo_1, ui.gpioModeCombo_2, ui.gpioModeCombo_3, ui.gpioModeCombo_4,
               ui.gpioModeCombo_5, ui.gpioModeCombo_6, ui.gpioModeCombo_7, ui.gpioModeCombo_8,
               ui.gpioModeCombo_9, ui.gpioModeCombo_10}
    , buttonModes{ui.buttonMode_1,  ui.buttonMode_2,  ui.buttonMode_3,  ui.buttonMode_4,  ui.buttonMode_5,
                  ui.buttonMode_6,  ui.buttonMode_7,  ui.buttonMode_8,  ui.buttonMode_9,  ui.buttonMode_10,
                  ui.buttonMode_11, ui.buttonMode_12, ui.buttonMode_13, ui.buttonMode_14, ui.buttonMode_15,
                  ui.buttonMode_16, ui.buttonMode_17, ui.buttonMode_18, ui.buttonMode_19, ui.buttonMode_20,
                  ui.buttonMode_21, ui.buttonMode_22, ui.buttonMode_23, ui.buttonMode_24, ui.buttonMode_25,
                  ui.buttonMode_26, ui.buttonMode_27, ui.buttonMode_28, ui.buttonMode_29, ui.buttonMode_30,
                  ui.buttonMode_31, ui.buttonMode_32}
    , lowerDeadZones{ui.lowerDeadZoneSpinBox_1, ui.lowerDeadZoneSpinBox_2, ui.lowerDeadZoneSpinBox_3}
    , upperDeadZones{ui.upperDeadZoneSpinBox_1, ui.upperDeadZoneSpinBox_2, ui.upperDeadZoneSpinBox_3}
    , smoothing{ui.analogSmoothingSpinBox_1, ui.analogSmoothingSpinBox_2, ui.analogSmoothingSpinBox_3}
    , buttonHigh{ui.analogButtonHighSpinBox_1, ui.analogButtonHighSpinBox_2, ui.analogButtonHighSpinBox_3}
    , buttonLow{ui.analogButtonLowSpinBox_1, ui.analogButtonLowSpinBox_2, ui.analogButtonLowSpinBox_3}
    , inverts{ui.analogAxisInvert_1, ui.analogAxisInvert_2, ui.analogAxisInvert_3}
    , spiMode(ui.spiModeCombo)
    , spiRecommendations(ui.spi_recommendations)
{
    populatePinModes();
    populateButtonModes();
    populateSpiModes();
}

void InputSettingsPages::populatePinModes()
{
    for (int pin = 0; pin < pinModes.size(); ++pin) {
        QComboBox *combo = pinModes.at(pin);
        for (const char *mode : PIN_MODES)
            combo->addItem(translated(mode));
        // Functions a pin lacks are left out of its pop-up only: codes stay equal to
        // positions, and a record naming such a function still shows it.
        if (!offersBrakingPwm(pin))
            hidePopupRow(combo, PIN_MODE_BRAKING_PWM);
        if (!offersAnalog(pin))
            hidePopupRow(combo, PIN_MODE_ANALOG);
        if (!offersGenericButton(pin))
            hidePopupRow(combo, PIN_MODE_GENERIC_BUTTON);
    }
}

void InputSettingsPages::populateButtonModes()
{
    for (QComboBox *combo : std::as_const(buttonModes))
        for (const char *mode : BUTTON_MODES)
            combo->addItem(translated(mode));
}

void InputSettingsPages::populateSpiModes()
{
    spiMode->addItem(translated(QT_TRANSLATE_NOOP("MainWindow", "Disabled")));
    for (const char *device : SPI_DEVICES)
        spiMode->addItem(QString::fromLatin1(device));
    spiRecommendations->hide();
}

void InputSettingsPages::showSpiRecommendations(bool shown)
{
    spiRecommendations->setVisible(shown);
}

void InputSettingsPages::showSettings(const HardwareSettingsTypeDef &settings)
{
    using namespace FieldEncoding;
    for (int pin = 0; pin < pinModes.size(); ++pin)
        loadEnumeration(pinModes.at(pin), settings.gpio_mode[pin]);
    for (int button = 0; button < buttonModes.size(); ++button)
        loadEnumeration(buttonModes.at(button), settings.button_mode[button]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(lowerDeadZones.at(axis), settings.analog_lower_dead_zone[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(upperDeadZones.at(axis), settings.analog_upper_dead_zone[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(smoothing.at(axis), settings.analog_smoothing[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(buttonHigh.at(axis), settings.analog_button_high[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(buttonLow.at(axis), settings.analog_button_low[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadFlag(inverts.at(axis), settings.analog_invert[axis]);
    // Setting the index programmatically announces no activation, so the group follows here.
    loadEnumeration(spiMode, settings.spi_mode);
    showSpiRecommendations(settings.spi_mode != 0);
}

void InputSettingsPages::gatherSettings(HardwareSettingsTypeDef &settings) const
{
    using namespace FieldEncoding;
    for (int pin = 0; pin < pinModes.size(); ++pin)
        settings.gpio_mode[pin] = gatherEnumeration(pinModes.at(pin));
    for (int button = 0; button < buttonModes.size(); ++button)
        settings.button_mode[button] = gatherEnumeration(buttonModes.at(button));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_lower_dead_zone[axis] = gatherNumber<uint16_t>(lowerDeadZones.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_upper_dead_zone[axis] = gatherNumber<uint16_t>(upperDeadZones.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_smoothing[axis] = gatherNumber<uint8_t>(smoothing.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_button_high[axis] = gatherNumber<uint8_t>(buttonHigh.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_button_low[axis] = gatherNumber<uint8_t>(buttonLow.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_invert[axis] = gatherFlag(inverts.at(axis));
    settings.spi_mode = gatherEnumeration(spiMode);
}
