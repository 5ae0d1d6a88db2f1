// SPDX-License-Identifier: GPL-3.0-or-later
#include "hardware/fullhardwaresettingswidget.h"

#include "device/deviceinfo.h"
#include "effects/axispages.h"
#include "hardware/fieldencoding.h"
#include "hardware/hardwarerules.h"
#include "ui_fullhardwaresettingswidget.h"

#include <QCoreApplication>
#include <QListView>
#include <QPalette>
#include <QStringList>

namespace {

constexpr int AUTOMATIC_CENTER_SEARCH_ROW = 2;
// Set on a field while it holds what the record cannot carry, so a style sheet or a test
// can tell.
constexpr char INVALID_PROPERTY[] = "invalidValue";

// Tints the field and puts the problem in its tool tip; an empty problem clears both.
void markField(QWidget *field, const QString &problem)
{
    const bool invalid = !problem.isEmpty();
    field->setToolTip(problem);
    if (field->property(INVALID_PROPERTY).toBool() == invalid)
        return;

    field->setProperty(INVALID_PROPERTY, invalid);
    // A tinted field rather than a style sheet keeps the platform's look of the field and
    // its arrows. Dark text stays readable on the tint in dark themes too.
    if (invalid) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor(0xff, 0xd6, 0xd6));
        palette.setColor(QPalette::Text, Qt::black);
        field->setPalette(palette);
    } else {
        field->setPalette(QPalette());
    }
}

} // namespace

FullHardwareSettingsWidget::FullHardwareSettingsWidget(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::FullHardwareSettingsWidget>())
{
    m_ui->setupUi(this);

    m_axisControls[0] = {m_ui->axis0_encoder_direction, m_ui->axis0_force_direction, m_ui->axis0_encoder_CPR,
                       m_ui->axis0_pole_pair, m_ui->axis0_p_gain, m_ui->axis0_i_gain};
    m_axisControls[1] = {m_ui->axis1_encoder_direction, m_ui->axis1_force_direction, m_ui->axis1_encoder_CPR,
                       m_ui->axis1_pole_pair, m_ui->axis1_p_gain, m_ui->axis1_i_gain};

    // Filled now as well as on every load, so a record gathered before the first read
    // carries "None" rather than the no-selection code.
    fillCalibrationModes();

    for (int axis = 0; axis < int(m_axisControls.size()); ++axis) {
        const AxisControls &controls = m_axisControls[axis];
        // Lambdas rather than slots: the panel's meta-object keeps only its one slot.
        connect(controls.encoderCpr, &QSpinBox::valueChanged, this, [this, axis] { markEncoderCpr(axis); });
        for (QLineEdit *gain : {controls.pGain, controls.iGain}) {
            connect(gain, &QLineEdit::textChanged, this, [this, axis, gain] { markGain(axis, gain); });
            // Marked from the start: an empty gain is refused too, so a panel that no
            // record has reached yet shows why it cannot be sent.
            markGain(axis, gain);
        }
    }
}

FullHardwareSettingsWidget::~FullHardwareSettingsWidget() = default;

void FullHardwareSettingsWidget::setDeviceType(int type, bool advanced)
{
    m_deviceType = type;
    showRowsForDeviceType(advanced);
}

void FullHardwareSettingsWidget::showRowsForDeviceType(bool advanced)
{
    const bool wheel = m_deviceType == DeviceType::Wheel;

    m_ui->calibration_speed_label->setVisible(!wheel);
    m_ui->calibration_speed_slider->setVisible(!wheel);
    m_ui->calibration_speed->setVisible(!wheel);

    // Hidden for every device type; the value still travels with the record.
    m_ui->calibration_current_label->setVisible(false);
    m_ui->calibration_current_slider->setVisible(false);
    m_ui->calibration_current->setVisible(false);

    m_ui->speed_sample_buffer_size_label->setVisible(true);
    m_ui->speed_sample_buffer_size_slider->setVisible(true);
    m_ui->speed_sample_buffer_size->setVisible(true);
    m_ui->position_smoothing_label->setVisible(true);
    m_ui->position_smoothing_slider->setVisible(true);
    m_ui->position_smoothing->setVisible(true);

    const QList<QWidget *> gains = {m_ui->axis0_p_gain_label, m_ui->axis0_p_gain, m_ui->axis0_i_gain_label, m_ui->axis0_i_gain,
                                    m_ui->axis1_p_gain_label, m_ui->axis1_p_gain, m_ui->axis1_i_gain_label, m_ui->axis1_i_gain};
    for (QWidget *gain : gains)
        gain->setVisible(true);

    m_ui->amplifier_gain_label->setVisible(advanced);
    m_ui->amplifier_gain->setVisible(advanced);
}

void FullHardwareSettingsWidget::fillCalibrationModes()
{
    // The list is the same three items every time; rebuilding an unchanged list only costs
    // a re-layout on every read.
    const QStringList modes{QCoreApplication::translate("QComboBox", "None"),
                            QCoreApplication::translate("QComboBox", "Calibration start angle as the center"),
                            QCoreApplication::translate("QComboBox", "Automatic center of range search")};
    QComboBox *combo = m_ui->calibration_mode;
    QStringList current;
    for (int row = 0; row < combo->count(); ++row)
        current << combo->itemText(row);
    if (current != modes) {
        combo->clear();
        combo->addItems(modes);
    }

    // A wheel is not offered the range search. Hiding the row only drops it from the
    // pop-up, so a record that carries the code still shows it.
    if (auto *list = qobject_cast<QListView *>(combo->view()))
        list->setRowHidden(AUTOMATIC_CENTER_SEARCH_ROW, m_deviceType == DeviceType::Wheel);
}


void FullHardwareSettingsWidget::loadSettings(const HardwareSettingsTypeDef &settings)
{
    using namespace FieldEncoding;

    fillCalibrationModes();
    AxisPages::show(m_ui->axis_tab, m_ui->axis0Tab, m_ui->axis1Tab, m_deviceType);

    loadFlag(m_ui->force_enable, settings.force_enable);
    loadFlag(m_ui->debug_forces, settings.debug_forces);
    loadEnumeration(m_ui->amplifier_gain, settings.amplifier_gain);
    loadEnumeration(m_ui->calibration_mode, settings.calibration_mode);
    loadNumber(m_ui->power_limit, settings.power_limit);
    loadNumber(m_ui->calibration_magnitude, settings.calibration_magnitude);
    loadNumber(m_ui->calibration_speed, settings.calibration_speed);
    loadNumber(m_ui->calibration_current, settings.calibration_current);
    loadNumber(m_ui->braking_limit, settings.braking_limit);
    loadNumber(m_ui->speed_sample_buffer_size, settings.speed_sample_buffer_size);
    loadNumber(m_ui->position_smoothing, settings.position_smoothing);

    for (size_t n = 0; n < m_axisControls.size(); ++n) {
        const AxisControls &controls = m_axisControls[n];
        const HardwareAxisSettingsTypeDef axis = settings.axis[n];
        loadDirection(controls.encoderDirection, axis.encoder_direction);
        loadDirection(controls.forceDirection, axis.force_direction);
        loadNumber(controls.encoderCpr, axis.encoder_cpr);
        loadNumber(controls.polePairs, axis.pole_pairs);
        loadGain(controls.pGain, axis.p_gain);
        loadGain(controls.iGain, axis.i_gain);
    }
}

void FullHardwareSettingsWidget::gatherSettings(HardwareSettingsTypeDef &settings) const
{
    using namespace FieldEncoding;

    settings.force_enable = gatherFlag(m_ui->force_enable);
    settings.debug_forces = gatherFlag(m_ui->debug_forces);
    settings.calibration_mode = gatherEnumeration(m_ui->calibration_mode);
    settings.amplifier_gain = gatherEnumeration(m_ui->amplifier_gain);
    settings.power_limit = gatherNumber<uint8_t>(m_ui->power_limit);
    settings.braking_limit = gatherNumber<uint8_t>(m_ui->braking_limit);
    settings.calibration_magnitude = gatherNumber<uint8_t>(m_ui->calibration_magnitude);
    settings.calibration_speed = gatherNumber<uint8_t>(m_ui->calibration_speed);
    settings.calibration_current = gatherNumber<uint8_t>(m_ui->calibration_current);
    settings.position_smoothing = gatherNumber<uint8_t>(m_ui->position_smoothing);
    settings.speed_sample_buffer_size = gatherNumber<uint8_t>(m_ui->speed_sample_buffer_size);

    for (size_t n = 0; n < m_axisControls.size(); ++n) {
        const AxisControls &controls = m_axisControls[n];
        HardwareAxisSettingsTypeDef &axis = settings.axis[n];
        axis.encoder_direction = gatherDirection(controls.encoderDirection);
        axis.force_direction = gatherDirection(controls.forceDirection);
        axis.pole_pairs = gatherNumber<uint8_t>(controls.polePairs);
        // The spin box goes to 99999; hasInvalidValues keeps such an entry from being
        // sent, and saturating here keeps a wrapped value out of any record built anyway.
        axis.encoder_cpr = gatherSaturatedNumber<uint16_t>(controls.encoderCpr);
        // Text that is no number gathers as 0; hasInvalidValues keeps it from being sent.
        axis.p_gain = gatherGain(controls.pGain);
        axis.i_gain = gatherGain(controls.iGain);
    }
}

QString FullHardwareSettingsWidget::encoderCprProblem(int axis) const
{
    return HardwareRules::encoderCprProblem(axis, m_axisControls[axis].encoderCpr->value());
}

QString FullHardwareSettingsWidget::gainProblem(int axis, const QLineEdit *gain) const
{
    const QString text = gain->text();
    if (FieldEncoding::readGain(text))
        return {};
    const bool pGain = gain == m_axisControls[axis].pGain;
    if (text.trimmed().isEmpty())
        return pGain ? tr("Axis %1: the P gain is empty.").arg(axis) : tr("Axis %1: the I gain is empty.").arg(axis);
    // The example shows the decimal separator the field takes besides the dot.
    return (pGain ? tr("Axis %1: the P gain \"%2\" is not a number; write it like %3.")
                  : tr("Axis %1: the I gain \"%2\" is not a number; write it like %3."))
        .arg(axis)
        .arg(text, FieldEncoding::formatGain(0.05f));
}

bool FullHardwareSettingsWidget::isAxisShown(int axis) const
{
    QWidget *page = axis == 0 ? m_ui->axis0Tab : m_ui->axis1Tab;
    return m_ui->axis_tab->isTabVisible(m_ui->axis_tab->indexOf(page));
}

bool FullHardwareSettingsWidget::hasInvalidValues(QString *message) const
{
    QStringList problems;
    for (int axis = 0; axis < int(m_axisControls.size()); ++axis) {
        problems.append(encoderCprProblem(axis));
        // A hidden page's gains are sent as they are: a device value that is no number
        // there could not be corrected, and would block every apply.
        if (isAxisShown(axis)) {
            problems.append(gainProblem(axis, m_axisControls[axis].pGain));
            problems.append(gainProblem(axis, m_axisControls[axis].iGain));
        }
    }
    problems.removeAll(QString());
    if (message)
        *message = problems.join(QLatin1Char('\n'));
    return !problems.isEmpty();
}

void FullHardwareSettingsWidget::markEncoderCpr(int axis)
{
    markField(m_axisControls[axis].encoderCpr, encoderCprProblem(axis));
}

void FullHardwareSettingsWidget::markGain(int axis, QLineEdit *gain)
{
    markField(gain, gainProblem(axis, gain));
}
