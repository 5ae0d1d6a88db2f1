// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hardware/hardwaresettings.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace Ui {
class FullHardwareSettingsWidget;
}

// The "Hardware" page: force switches, current-sense gain, calibration, power and braking
// limits, smoothing, and per axis the encoder, motor and controller gains. It never talks
// to the controller; the window hands it records to show and asks it for its fields.
class FullHardwareSettingsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FullHardwareSettingsWidget(QWidget *parent = nullptr);
    ~FullHardwareSettingsWidget() override;

    void setDeviceType(int m_deviceType, bool advanced);
    void loadSettings(const HardwareSettingsTypeDef &settings);
    // Writes only the panel's own fields; every other byte of `settings` is left alone.
    void gatherSettings(HardwareSettingsTypeDef &settings) const;

    // True while a control holds a value its record field cannot carry: an encoder CPR
    // above 65535, or, on an axis page that is shown, a gain that is not a number. The
    // apply and save actions ask this before sending; `message`, when given, receives a
    // sentence per offending control for the user.
    bool hasInvalidValues(QString *message = nullptr) const;

private slots:
    void showRowsForDeviceType(bool advanced);

private:
    struct AxisControls {
        QCheckBox *encoderDirection;
        QCheckBox *forceDirection;
        QSpinBox *encoderCpr;
        QSpinBox *polePairs;
        QLineEdit *pGain;
        QLineEdit *iGain;
    };

    void fillCalibrationModes();
    void markEncoderCpr(int axis);
    void markGain(int axis, QLineEdit *gain);
    QString encoderCprProblem(int axis) const;
    QString gainProblem(int axis, const QLineEdit *gain) const;
    bool isAxisShown(int axis) const;

    std::unique_ptr<Ui::FullHardwareSettingsWidget> m_ui;
    std::array<AxisControls, 2> m_axisControls;
    // Set by setDeviceType; until then no type-specific rule applies.
    int m_deviceType = -1;
};
