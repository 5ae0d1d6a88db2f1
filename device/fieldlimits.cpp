// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/fieldlimits.h"

// The problems are English on purpose: only the command line reads records from files.
namespace FieldLimits {

namespace {

constexpr FieldLimit::Control SPIN = FieldLimit::SpinBox;
constexpr FieldLimit::Control COMBO = FieldLimit::ComboBox;

// As in forms/*.ui, except where a page sets its range or fills its list in code (noted).
// tst_fieldlimits holds the pages to this table.
constexpr FieldLimit LIMITS[] = {
    // The effects page; its motion range maximum is also set in code.
    {"effects", "direct_x_spring_strength", SPIN, 0, 100},
    {"effects", "direct_x_constant_strength", SPIN, 0, 100},
    {"effects", "direct_x_periodic_strength", SPIN, 0, 100},
    {"effects", "total_effect_scale", SPIN, 0, 100},
    {"effects", "soft_stop_strength", SPIN, 0, 100},
    {"effects", "soft_stop_range", SPIN, 1, 45},
    {"effects", "static_dampening", SPIN, 0, 999},
    {"effects", "dynamic_dampening", SPIN, 0, 999},
    {"effects", "motion_range", SPIN, 0, 9999},
    {"effects", "soft_stop_dampening", SPIN, 0, 999},
    // The hardware page; its calibration modes are filled in code.
    {"hardware", "calibration_mode", COMBO, 0, 2},
    {"hardware", "amplifier_gain", COMBO, 0, 3},
    {"hardware", "power_limit", SPIN, 0, 100},
    {"hardware", "braking_limit", SPIN, 0, 100},
    {"hardware", "calibration_magnitude", SPIN, 0, 100},
    {"hardware", "calibration_speed", SPIN, 0, 100},
    {"hardware", "calibration_current", SPIN, 0, 100},
    {"hardware", "position_smoothing", SPIN, 0, 100},
    {"hardware", "speed_sample_buffer_size", SPIN, 2, 32},
    {"hardware", "pole_pairs", SPIN, 0, 99},
    // Wider than the field: HardwareRules refuses what the field cannot store.
    {"hardware", "encoder_cpr", SPIN, 0, 99999},
    // The GPIO, Buttons and Analog axes pages; their lists are filled in code.
    {"hardware", "spi_mode", COMBO, 0, 14},
    {"hardware", "gpio_mode", COMBO, 0, 9},
    {"hardware", "button_mode", COMBO, 0, 2},
    {"hardware", "analog_button_low", SPIN, 0, 100},
    {"hardware", "analog_button_high", SPIN, 0, 100},
    {"hardware", "analog_lower_dead_zone", SPIN, 0, 32767},
    {"hardware", "analog_upper_dead_zone", SPIN, 0, 32767},
    {"hardware", "analog_smoothing", SPIN, 0, 100},
};

// The element at `at` as a number: little-endian, as the controller lays records out.
qint64 valueAt(const RecordField &field, const QByteArray &bytes, int at)
{
    quint64 bits = 0;
    for (int byte = field.width - 1; byte >= 0; --byte)
        bits = bits << 8 | quint8(bytes.at(at + byte));
    if (field.kind != RecordField::Signed)
        return qint64(bits);
    const int unused = 64 - 8 * field.width;
    return qint64(bits << unused) >> unused;
}

QString problem(const FieldLimit &limit, const QString &words, qint64 value)
{
    if (limit.control == FieldLimit::ComboBox)
        return QStringLiteral("%1: %2 is not one of the window's choices (%3 to %4)")
            .arg(words).arg(value).arg(limit.minimum).arg(limit.maximum);
    return QStringLiteral("%1: %2 is outside the window's range %3 to %4")
        .arg(words).arg(value).arg(limit.minimum).arg(limit.maximum);
}

} // namespace

std::span<const FieldLimit> all()
{
    return LIMITS;
}

const FieldLimit *of(const QString &record, const RecordField &field)
{
    for (const FieldLimit &limit : LIMITS)
        if (record == QLatin1String(limit.record) && qstrcmp(field.name, limit.field) == 0)
            return &limit;
    return nullptr;
}

QStringList problems(const QString &record, const QList<RecordField> &fields, const QByteArray &bytes)
{
    QStringList found;
    for (const RecordField &field : fields) {
        const FieldLimit *limit = of(record, field);
        if (!limit || field.kind == RecordField::Float || field.kind == RecordField::Reserved)
            continue;
        for (int index = 0; index < field.count; ++index) {
            const int at = field.offset + index * field.width;
            if (at + field.width > bytes.size())
                break;
            const qint64 value = valueAt(field, bytes, at);
            if (value < limit->minimum || value > limit->maximum)
                found << problem(*limit, RecordFields::describe(field, index), value);
        }
    }
    return found;
}

} // namespace FieldLimits
