#include "recordcontract.h"

#include "fuzzcheck.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace RecordContract {

namespace {

using Kind = RecordField::Kind;

RecordField number(std::string name, std::size_t offset, std::size_t width, uint32_t minimum, uint32_t maximum)
{
    return {std::move(name), offset, width, Kind::Number, minimum, maximum};
}

RecordField percent(std::string name, std::size_t offset)
{
    return number(std::move(name), offset, 1, 0, 100);
}

RecordField ofKind(std::string name, std::size_t offset, std::size_t width, Kind kind)
{
    return {std::move(name), offset, width, kind, 0, 0};
}

RecordField enumeration(std::string name, std::size_t offset, uint32_t itemCount)
{
    return {std::move(name), offset, 1, Kind::Enumeration, 0, itemCount};
}

std::string indexed(const char *name, int index)
{
    return std::string(name) + '[' + std::to_string(index) + ']';
}

std::vector<RecordField> makeEffectFields()
{
    std::vector<RecordField> fields{
        ofKind("invert_constant_force", 0, 1, Kind::InvertForce),
        percent("direct_x_spring_strength", 1),
        percent("direct_x_constant_strength", 2),
        percent("direct_x_periodic_strength", 3),
    };
    for (int axis = 0; axis < 2; ++axis) {
        const std::size_t base = 128 + 128 * std::size_t(axis);
        fields.push_back(percent(indexed("axis", axis) + ".total_effect_scale", base + 0));
        fields.push_back(percent(indexed("axis", axis) + ".soft_stop_strength", base + 1));
        fields.push_back(number(indexed("axis", axis) + ".soft_stop_range", base + 2, 1, 1, 45));
        fields.push_back(number(indexed("axis", axis) + ".static_dampening", base + 3, 2, 0, 999));
        fields.push_back(number(indexed("axis", axis) + ".dynamic_dampening", base + 5, 2, 0, 999));
        fields.push_back(number(indexed("axis", axis) + ".motion_range", base + 7, 2, 0, 9999));
        fields.push_back({indexed("axis", axis) + ".max_force", base + 9, 4, Kind::Force, 0, 100});
        fields.push_back(number(indexed("axis", axis) + ".soft_stop_dampening", base + 14, 2, 0, 999));
    }
    return fields;
}

std::vector<RecordField> makeHardwareFields()
{
    std::vector<RecordField> fields{
        ofKind("force_enable", 0, 1, Kind::Flag),
        ofKind("debug_forces", 1, 1, Kind::Flag),
        enumeration("calibration_mode", 3, 3),
        enumeration("amplifier_gain", 4, 4),
        enumeration("spi_mode", 5, 15),
        percent("power_limit", 48),
        percent("braking_limit", 49),
        percent("calibration_magnitude", 50),
        percent("calibration_speed", 51),
        percent("calibration_current", 52),
        percent("position_smoothing", 65),
        number("speed_sample_buffer_size", 66, 1, 2, 32),
    };
    for (int pin = 0; pin < 10; ++pin)
        fields.push_back(enumeration(indexed("gpio_mode", pin), 6 + std::size_t(pin), 10));
    for (int button = 0; button < 32; ++button)
        fields.push_back(enumeration(indexed("button_mode", button), 16 + std::size_t(button), 3));
    for (int k = 0; k < 3; ++k) {
        const auto axis = std::size_t(k);
        fields.push_back(percent(indexed("analog_button_low", k), 59 + axis));
        fields.push_back(percent(indexed("analog_button_high", k), 62 + axis));
        fields.push_back(number(indexed("analog_lower_dead_zone", k), 67 + 2 * axis, 2, 0, 32767));
        fields.push_back(number(indexed("analog_upper_dead_zone", k), 73 + 2 * axis, 2, 0, 32767));
        fields.push_back(percent(indexed("analog_smoothing", k), 79 + axis));
        fields.push_back(ofKind(indexed("analog_invert", k), 82 + axis, 1, Kind::Flag));
    }
    for (int axis = 0; axis < 2; ++axis) {
        const std::size_t base = 256 + 128 * std::size_t(axis);
        const std::string prefix = indexed("axis", axis);
        fields.push_back(ofKind(prefix + ".encoder_direction", base + 0, 1, Kind::Direction));
        fields.push_back(ofKind(prefix + ".force_direction", base + 1, 1, Kind::Direction));
        fields.push_back(number(prefix + ".pole_pairs", base + 2, 1, 0, 99));
        // The spin box goes to 99999, but a loaded 16-bit value never exceeds 65535.
        fields.push_back(number(prefix + ".encoder_cpr", base + 3, 2, 0, 65535));
        fields.push_back(ofKind(prefix + ".p_gain", base + 7, 4, Kind::Gain));
        fields.push_back(ofKind(prefix + ".i_gain", base + 11, 4, Kind::Gain));
    }
    return fields;
}

uint32_t unsignedAt(const uint8_t *bytes, std::size_t width)
{
    uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | bytes[i];
    return value;
}

float floatAt(const uint8_t *bytes)
{
    float value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// A gain goes through its line edit as text with 6 significant digits ('g' format, '.'
// as decimal point); what is not a finite number comes back as 0.
float parsedGainText(double shown)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, shown, std::chars_format::general, 6);
    float parsed = 0.0f;
    std::from_chars(text, written.ptr, parsed);
    return parsed;
}

// Where the loaded value lies exactly halfway between two 6-digit texts, formatters differ
// in which one they pick (C rounds half to even, Qt half away from zero): the values just
// beside it tell both texts, and either is right.
bool isGainAfterRoundTrip(float gathered, float shown)
{
    if (!std::isfinite(shown))
        return gathered == 0.0f;
    const double value = shown;
    return gathered == parsedGainText(value) ||
           gathered == parsedGainText(std::nextafter(value, HUGE_VAL)) ||
           gathered == parsedGainText(std::nextafter(value, -HUGE_VAL));
}

std::string describe(const RecordField &field, const uint8_t *loaded, const uint8_t *gathered, const std::string &rule)
{
    return field.name + " (offset " + std::to_string(field.offset) + "): loaded " + hexBytes(loaded, field.width) +
           ", gathered " + hexBytes(gathered, field.width) + ": " + rule;
}

std::string checkField(const RecordField &field, const uint8_t *in, const uint8_t *out)
{
    const uint32_t loadedValue = unsignedAt(in, field.width);
    const uint32_t gatheredValue = unsignedAt(out, field.width);
    auto fail = [&](const std::string &rule) { return describe(field, in, out, rule); };

    switch (field.kind) {
    case Kind::Number: {
        if (gatheredValue < field.minimum || gatheredValue > field.maximum)
            return fail("outside " + std::to_string(field.minimum) + ".." + std::to_string(field.maximum));
        const uint32_t expected = std::clamp(loadedValue, field.minimum, field.maximum);
        if (gatheredValue != expected)
            return fail("expected " + std::to_string(expected));
        return {};
    }
    case Kind::Flag:
        if (gatheredValue > 1)
            return fail("a flag is 1 or 0");
        if (gatheredValue != (loadedValue != 0 ? 1u : 0u))
            return fail("any non-zero byte loads as set");
        return {};
    case Kind::Direction:
    case Kind::InvertForce: {
        if (gatheredValue != 1 && gatheredValue != 0xFF)
            return fail("a direction is 1 or 0xFF");
        const bool checked = field.kind == Kind::Direction ? loadedValue == 1 : int8_t(loadedValue) > 0;
        if (gatheredValue != (checked ? 1u : 0xFFu))
            return fail(checked ? "expected 1" : "expected 0xFF");
        return {};
    }
    case Kind::Enumeration: {
        if (gatheredValue >= field.maximum && gatheredValue != 0xFF)
            return fail("neither an item index nor 0xFF");
        const uint32_t expected = loadedValue < field.maximum ? loadedValue : 0xFF;
        if (gatheredValue != expected)
            return fail("expected " + std::to_string(expected));
        return {};
    }
    case Kind::Gain: {
        const float gathered = floatAt(out);
        if (!std::isfinite(gathered))
            return fail("a gain must be finite");
        if (!isGainAfterRoundTrip(gathered, floatAt(in)))
            return fail("expected the loaded value to 6 significant digits");
        return {};
    }
    case Kind::Force: {
        const float gathered = floatAt(out);
        if (!(gathered >= float(field.minimum) && gathered <= float(field.maximum)) || gathered != std::trunc(gathered))
            return fail("a whole number " + std::to_string(field.minimum) + ".." + std::to_string(field.maximum));
        const float loaded = floatAt(in);
        if (std::isnan(loaded))
            return {}; // no number to truncate: any value within range will do
        const float expected = std::clamp(std::trunc(loaded), float(field.minimum), float(field.maximum));
        if (gathered != expected)
            return fail("expected " + std::to_string(expected));
        return {};
    }
    }
    return fail("unknown kind");
}

} // namespace

const std::vector<RecordField> &effectFields()
{
    static const std::vector<RecordField> fields = makeEffectFields();
    return fields;
}

const std::vector<RecordField> &hardwareFields()
{
    static const std::vector<RecordField> fields = makeHardwareFields();
    return fields;
}

std::string checkGathered(const std::vector<RecordField> &fields, const uint8_t *loaded, const uint8_t *gathered,
                          std::size_t recordSize)
{
    std::vector<bool> edited(recordSize, false);
    for (const RecordField &field : fields) {
        const std::string problem = checkField(field, loaded + field.offset, gathered + field.offset);
        if (!problem.empty())
            return problem;
        std::fill_n(edited.begin() + std::ptrdiff_t(field.offset), field.width, true);
    }
    for (std::size_t i = 0; i < recordSize; ++i) {
        if (!edited[i] && gathered[i] != 0)
            return "byte " + std::to_string(i) + " belongs to no control but was gathered as " +
                   std::to_string(gathered[i]);
    }
    return {};
}

} // namespace RecordContract
