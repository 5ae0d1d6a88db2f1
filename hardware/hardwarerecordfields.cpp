// SPDX-License-Identifier: GPL-3.0-or-later
#include "hardware/hardwarerecordfields.h"

#include "hardware/hardwaresettings.h"

#include <QtGlobal>

#include <cstddef>

namespace {

constexpr int AXIS_OFFSET = int(offsetof(HardwareSettingsTypeDef, axis));
constexpr int AXIS_SIZE = int(sizeof(HardwareAxisSettingsTypeDef));

#define FIELD(field, words, width, count, kind) \
    RecordField{#field, words, int(offsetof(HardwareSettingsTypeDef, field)), width, count, RecordField::kind}
#define AXIS_FIELD(field, words, width, count, kind)                                                              \
    RecordField{#field, words, AXIS_OFFSET + axis * AXIS_SIZE + int(offsetof(HardwareAxisSettingsTypeDef, field)), \
                width, count, RecordField::kind, axis}

QList<RecordField> makeFields()
{
    QList<RecordField> fields{
        FIELD(force_enable, QT_TRANSLATE_NOOP("RecordField", "Enable forces"), 1, 1, Unsigned),
        FIELD(debug_forces, QT_TRANSLATE_NOOP("RecordField", "Debug forces"), 1, 1, Unsigned),
        FIELD(reserved_2, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 1, Reserved),
        FIELD(calibration_mode, QT_TRANSLATE_NOOP("RecordField", "Calibration"), 1, 1, Unsigned),
        FIELD(amplifier_gain, QT_TRANSLATE_NOOP("RecordField", "Current sense gain"), 1, 1, Unsigned),
        FIELD(spi_mode, QT_TRANSLATE_NOOP("RecordField", "SPI mode"), 1, 1, Unsigned),
        FIELD(gpio_mode, QT_TRANSLATE_NOOP("RecordField", "GPIO mode of pin %1"), 1, 10, Unsigned),
        FIELD(button_mode, QT_TRANSLATE_NOOP("RecordField", "Button %1"), 1, 32, Unsigned),
        FIELD(power_limit, QT_TRANSLATE_NOOP("RecordField", "Power limit (%)"), 1, 1, Unsigned),
        FIELD(braking_limit, QT_TRANSLATE_NOOP("RecordField", "Braking resistor limit (%)"), 1, 1, Unsigned),
        FIELD(calibration_magnitude, QT_TRANSLATE_NOOP("RecordField", "Calibration magnitude (%)"), 1, 1, Unsigned),
        FIELD(calibration_speed, QT_TRANSLATE_NOOP("RecordField", "Calibration speed (%)"), 1, 1, Unsigned),
        FIELD(calibration_current, QT_TRANSLATE_NOOP("RecordField", "Calibration stop current (%)"), 1, 1, Unsigned),
        FIELD(reserved_53, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 6, Reserved),
        FIELD(analog_button_low, QT_TRANSLATE_NOOP("RecordField", "Analog axis %1: Button low(%)"), 1, 3, Unsigned),
        FIELD(analog_button_high, QT_TRANSLATE_NOOP("RecordField", "Analog axis %1: Button high(%)"), 1, 3, Unsigned),
        FIELD(position_smoothing, QT_TRANSLATE_NOOP("RecordField", "Position smoothing (%)"), 1, 1, Unsigned),
        FIELD(speed_sample_buffer_size, QT_TRANSLATE_NOOP("RecordField", "Speed sample buffer size"), 1, 1, Unsigned),
        FIELD(analog_lower_dead_zone, QT_TRANSLATE_NOOP("RecordField", "Analog axis %1: Lower dead zone"), 2, 3, Unsigned),
        FIELD(analog_upper_dead_zone, QT_TRANSLATE_NOOP("RecordField", "Analog axis %1: Upper dead zone"), 2, 3, Unsigned),
        FIELD(analog_smoothing, QT_TRANSLATE_NOOP("RecordField", "Analog axis %1: Smoothing(%)"), 1, 3, Unsigned),
        FIELD(analog_invert, QT_TRANSLATE_NOOP("RecordField", "Analog axis %1: Invert"), 1, 3, Unsigned),
        FIELD(reserved_85, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 171, Reserved),
    };
    for (int axis = 0; axis < 2; ++axis) {
        fields += {
            AXIS_FIELD(encoder_direction, QT_TRANSLATE_NOOP("RecordField", "Invert joystick output"), 1, 1, Signed),
            AXIS_FIELD(force_direction, QT_TRANSLATE_NOOP("RecordField", "Invert force output"), 1, 1, Signed),
            AXIS_FIELD(pole_pairs, QT_TRANSLATE_NOOP("RecordField", "Pole pairs"), 1, 1, Unsigned),
            AXIS_FIELD(encoder_cpr, QT_TRANSLATE_NOOP("RecordField", "Encoder CPR"), 2, 1, Unsigned),
            AXIS_FIELD(reserved_5, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 2, Reserved),
            AXIS_FIELD(p_gain, QT_TRANSLATE_NOOP("RecordField", "P gain"), 4, 1, Float),
            AXIS_FIELD(i_gain, QT_TRANSLATE_NOOP("RecordField", "I gain"), 4, 1, Float),
            AXIS_FIELD(reserved_15, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 113, Reserved),
        };
    }
    return fields;
}

#undef FIELD
#undef AXIS_FIELD

} // namespace

const QList<RecordField> &hardwareRecordFields()
{
    static const QList<RecordField> fields = makeFields();
    return fields;
}
