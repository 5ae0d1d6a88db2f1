// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hardware/hardwaresettings.h"

#include <QList>

class AnalogAxesPage;
class ButtonsPage;
class GpioPage;
class QCheckBox;
class QComboBox;
class QSpinBox;

// The input part of the hardware record, on the GPIO, Buttons and Analog axes pages. The
// controls are kept in ordered lists built once, so a list position is a record position.
class InputSettingsPages
{
public:
    InputSettingsPages(GpioPage &gpio, ButtonsPage &buttons, AnalogAxesPage &analogAxes);

    // Puts bytes 5 to 84 of a received record into the pages.
    void showSettings(const HardwareSettingsTypeDef &settings);
    // Writes the pages' fields; every other byte of the record is left as it is.
    void gatherSettings(HardwareSettingsTypeDef &settings) const;

private:
    void populatePinModes();
    void populateButtonModes();
    void populateSpiModes();

    GpioPage &m_gpio;
    QList<QComboBox *> m_pinModes;
    QList<QComboBox *> m_buttonModes;
    QList<QSpinBox *> m_lowerDeadZones;
    QList<QSpinBox *> m_upperDeadZones;
    QList<QSpinBox *> m_smoothing;
    QList<QSpinBox *> m_buttonHigh;
    QList<QSpinBox *> m_buttonLow;
    QList<QCheckBox *> m_inverts;
    QComboBox *m_spiMode = nullptr;
};
