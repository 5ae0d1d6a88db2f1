// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/inputsettingspages.h"
#include "ui_analogaxespage.h"
#include "ui_buttonspage.h"
#include "ui_gpiopage.h"

#include "inputs/analogaxespage.h"
#include "inputs/buttonspage.h"
#include "inputs/gpiopage.h"

#include "hardware/fieldencoding.h"

#include <QListView>

namespace {

// Pin functions: the same ten items on every pin; the code is the item's position. The
// lists' items are translated in the context of the page that shows them.
const char *const PIN_MODES[] = {
    QT_TRANSLATE_NOOP("GpioPage", "Disabled"),
    QT_TRANSLATE_NOOP("GpioPage", "Generic button"),
    QT_TRANSLATE_NOOP("GpioPage", "Analog"),
    QT_TRANSLATE_NOOP("GpioPage", "SPI CS"),
    QT_TRANSLATE_NOOP("GpioPage", "SPI SCK"),
    QT_TRANSLATE_NOOP("GpioPage", "SPI MISO"),
    QT_TRANSLATE_NOOP("GpioPage", "Enable effects switch"),
    QT_TRANSLATE_NOOP("GpioPage", "Reset center button"),
    QT_TRANSLATE_NOOP("GpioPage", "Reboot button"),
    QT_TRANSLATE_NOOP("GpioPage", "Braking PWM"),
};
constexpr int PIN_MODE_GENERIC_BUTTON = 1;
constexpr int PIN_MODE_ANALOG = 2;
constexpr int PIN_MODE_BRAKING_PWM = 9;

// Which pin positions offer which of the restricted functions.
bool offersGenericButton(int pin) { return pin <= 7; }   // "Pin 1" to "Pin 8"
bool offersAnalog(int pin) { return pin <= 2; }          // "Pin 1" to "Pin 3"
bool offersBrakingPwm(int pin) { return pin == 7; }      // "Pin 8"

const char *const BUTTON_MODES[] = {
    QT_TRANSLATE_NOOP("ButtonsPage", "Disabled"),
    QT_TRANSLATE_NOOP("ButtonsPage", "Normal"),
    QT_TRANSLATE_NOOP("ButtonsPage", "Inverted"),
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

void hidePopupRow(QComboBox *combo, int row)
{
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setRowHidden(row, true);
}

} // namespace

InputSettingsPages::InputSettingsPages(GpioPage &gpio, ButtonsPage &buttons, AnalogAxesPage &analogAxes)
    : m_gpio(gpio)
{
    const Ui::GpioPage &pins = gpio.controls();
    m_pinModes = {pins.gpioModeCombo_1, pins.gpioModeCombo_2, pins.gpioModeCombo_3, pins.gpioModeCombo_4,
                  pins.gpioModeCombo_5, pins.gpioModeCombo_6, pins.gpioModeCombo_7, pins.gpioModeCombo_8,
                  pins.gpioModeCombo_9, pins.gpioModeCombo_10};
    m_spiMode = pins.spiModeCombo;
    const Ui::ButtonsPage &modes = buttons.controls();
    m_buttonModes = {modes.buttonMode_1,  modes.buttonMode_2,  modes.buttonMode_3,  modes.buttonMode_4,
                     modes.buttonMode_5,  modes.buttonMode_6,  modes.buttonMode_7,  modes.buttonMode_8,
                     modes.buttonMode_9,  modes.buttonMode_10, modes.buttonMode_11, modes.buttonMode_12,
                     modes.buttonMode_13, modes.buttonMode_14, modes.buttonMode_15, modes.buttonMode_16,
                     modes.buttonMode_17, modes.buttonMode_18, modes.buttonMode_19, modes.buttonMode_20,
                     modes.buttonMode_21, modes.buttonMode_22, modes.buttonMode_23, modes.buttonMode_24,
                     modes.buttonMode_25, modes.buttonMode_26, modes.buttonMode_27, modes.buttonMode_28,
                     modes.buttonMode_29, modes.buttonMode_30, modes.buttonMode_31, modes.buttonMode_32};
    const Ui::AnalogAxesPage &axes = analogAxes.controls();
    m_lowerDeadZones = {axes.lowerDeadZoneSpinBox_1, axes.lowerDeadZoneSpinBox_2, axes.lowerDeadZoneSpinBox_3};
    m_upperDeadZones = {axes.upperDeadZoneSpinBox_1, axes.upperDeadZoneSpinBox_2, axes.upperDeadZoneSpinBox_3};
    m_smoothing = {axes.analogSmoothingSpinBox_1, axes.analogSmoothingSpinBox_2, axes.analogSmoothingSpinBox_3};
    m_buttonHigh = {axes.analogButtonHighSpinBox_1, axes.analogButtonHighSpinBox_2, axes.analogButtonHighSpinBox_3};
    m_buttonLow = {axes.analogButtonLowSpinBox_1, axes.analogButtonLowSpinBox_2, axes.analogButtonLowSpinBox_3};
    m_inverts = {axes.analogAxisInvert_1, axes.analogAxisInvert_2, axes.analogAxisInvert_3};

    populatePinModes();
    populateButtonModes();
    populateSpiModes();
}

void InputSettingsPages::populatePinModes()
{
    for (int pin = 0; pin < m_pinModes.size(); ++pin) {
        QComboBox *combo = m_pinModes.at(pin);
        for (const char *mode : PIN_MODES)
            combo->addItem(GpioPage::tr(mode));
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
    for (QComboBox *combo : std::as_const(m_buttonModes))
        for (const char *mode : BUTTON_MODES)
            combo->addItem(ButtonsPage::tr(mode));
}

void InputSettingsPages::populateSpiModes()
{
    m_spiMode->addItem(GpioPage::tr(QT_TRANSLATE_NOOP("GpioPage", "Disabled")));
    for (const char *device : SPI_DEVICES)
        m_spiMode->addItem(QString::fromLatin1(device));
}

void InputSettingsPages::showSettings(const HardwareSettingsTypeDef &settings)
{
    using namespace FieldEncoding;
    for (int pin = 0; pin < m_pinModes.size(); ++pin)
        loadEnumeration(m_pinModes.at(pin), settings.gpio_mode[pin]);
    for (int button = 0; button < m_buttonModes.size(); ++button)
        loadEnumeration(m_buttonModes.at(button), settings.button_mode[button]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(m_lowerDeadZones.at(axis), settings.analog_lower_dead_zone[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(m_upperDeadZones.at(axis), settings.analog_upper_dead_zone[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(m_smoothing.at(axis), settings.analog_smoothing[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(m_buttonHigh.at(axis), settings.analog_button_high[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadNumber(m_buttonLow.at(axis), settings.analog_button_low[axis]);
    for (int axis = 0; axis < 3; ++axis)
        loadFlag(m_inverts.at(axis), settings.analog_invert[axis]);
    // Setting the index programmatically announces no activation, so the group follows here.
    loadEnumeration(m_spiMode, settings.spi_mode);
    m_gpio.showSpiRecommendations(settings.spi_mode != 0);
}

void InputSettingsPages::gatherSettings(HardwareSettingsTypeDef &settings) const
{
    using namespace FieldEncoding;
    for (int pin = 0; pin < m_pinModes.size(); ++pin)
        settings.gpio_mode[pin] = gatherEnumeration(m_pinModes.at(pin));
    for (int button = 0; button < m_buttonModes.size(); ++button)
        settings.button_mode[button] = gatherEnumeration(m_buttonModes.at(button));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_lower_dead_zone[axis] = gatherNumber<uint16_t>(m_lowerDeadZones.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_upper_dead_zone[axis] = gatherNumber<uint16_t>(m_upperDeadZones.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_smoothing[axis] = gatherNumber<uint8_t>(m_smoothing.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_button_high[axis] = gatherNumber<uint8_t>(m_buttonHigh.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_button_low[axis] = gatherNumber<uint8_t>(m_buttonLow.at(axis));
    for (int axis = 0; axis < 3; ++axis)
        settings.analog_invert[axis] = gatherFlag(m_inverts.at(axis));
    settings.spi_mode = gatherEnumeration(m_spiMode);
}
