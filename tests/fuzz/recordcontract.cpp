// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordcontract.h"

#include "fuzzcheck.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace RecordContract {

namespace {

using Encoding = FieldContract::Encoding;

FieldContract number(const char *field, uint32_t minimum, uint32_t maximum)
{
    return {field, Encoding::Number, minimum, maximum};
}

FieldContract percent(const char *field)
{
    return number(field, 0, 100);
}

FieldContract encoded(const char *field, Encoding encoding)
{
    return {field, encoding, 0, 0};
}

FieldContract enumeration(const char *field, uint32_t itemCount)
{
    return {field, Encoding::Enumeration, 0, itemCount};
}

std::vector<FieldContract> makeEffectContracts()
{
    return {
        encoded("invert_constant_force", Encoding::InvertForce),
        percent("direct_x_spring_strength"),
        percent("direct_x_constant_strength"),
        percent("direct_x_periodic_strength"),
        // Each axis.
        percent("total_effect_scale"),
        percent("soft_stop_strength"),
        number("soft_stop_range", 1, 45),
        number("static_dampening", 0, 999),
        number("dynamic_dampening", 0, 999),
        number("motion_range", 0, 9999),
        {"max_force", Encoding::Force, 0, 100},
        number("soft_stop_dampening", 0, 999),
    };
}

std::vector<FieldContract> makeHardwareContracts()
{
    return {
        encoded("force_enable", Encoding::Flag),
        encoded("debug_forces", Encoding::Flag),
        enumeration("calibration_mode", 3),
        enumeration("amplifier_gain", 4),
        enumeration("spi_mode", 15),
        enumeration("gpio_mode", 10),
        enumeration("button_mode", 3),
        percent("power_limit"),
        percent("braking_limit"),
        percent("calibration_magnitude"),
        percent("calibration_speed"),
        percent("calibration_current"),
        percent("analog_button_low"),
        percent("analog_button_high"),
        percent("position_smoothing"),
        number("speed_sample_buffer_size", 2, 32),
        number("analog_lower_dead_zone", 0, 32767),
        number("analog_upper_dead_zone", 0, 32767),
        percent("analog_smoothing"),
        encoded("analog_invert", Encoding::Flag),
        // Each axis.
        encoded("encoder_direction", Encoding::Direction),
        encoded("force_direction", Encoding::Direction),
        number("pole_pairs", 0, 99),
        // The spin box goes to 99999, but a loaded 16-bit value never exceeds 65535.
        number("encoder_cpr", 0, 65535),
        encoded("p_gain", Encoding::Gain),
        encoded("i_gain", Encoding::Gain),
    };
}

const FieldContract *contractOf(const std::vector<FieldContract> &contracts, const char *field)
{
    for (const FieldContract &contract : contracts) {
        if (std::strcmp(contract.field, field) == 0)
            return &contract;
    }
    return nullptr;
}

bool hasField(const QList<RecordField> &layout, const char *name)
{
    return std::any_of(layout.begin(), layout.end(),
                       [name](const RecordField &field) { return std::strcmp(field.name, name) == 0; });
}

// The field kind and element width each encoding reads and writes.
bool suits(Encoding encoding, const RecordField &field)
{
    switch (encoding) {
    case Encoding::Number:
        return field.kind == RecordField::Unsigned && (field.width == 1 || field.width == 2 || field.width == 4);
    case Encoding::Flag:
    case Encoding::Enumeration:
        return field.kind == RecordField::Unsigned && field.width == 1;
    case Encoding::Direction:
    case Encoding::InvertForce:
        return field.kind == RecordField::Signed && field.width == 1;
    case Encoding::Gain:
    case Encoding::Force:
        return field.kind == RecordField::Float && field.width == 4;
    }
    return false;
}

const char *kindName(RecordField::Kind kind)
{
    switch (kind) {
    case RecordField::Unsigned:
        return "unsigned";
    case RecordField::Signed:
        return "signed";
    case RecordField::Float:
        return "float";
    case RecordField::Reserved:
        return "reserved";
    }
    return "unknown";
}

// "axis[1].p_gain", "button_mode[3]": the firmware's name with the axis and element index.
std::string elementName(const RecordField &field, int index)
{
    std::string name = field.axis >= 0 ? "axis[" + std::to_string(field.axis) + "]." : std::string();
    name += field.name;
    if (field.count > 1)
        name += '[' + std::to_string(index) + ']';
    return name;
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

std::string describe(const RecordField &field, int index, const uint8_t *loaded, const uint8_t *gathered,
                     const std::string &rule)
{
    const auto width = std::size_t(field.width);
    return elementName(field, index) + " (offset " + std::to_string(field.offset + index * field.width) +
           "): loaded " + hexBytes(loaded, width) + ", gathered " + hexBytes(gathered, width) + ": " + rule;
}

// Element `index` of `field`, at `in` in the loaded record and `out` in the gathered one.
std::string checkElement(const RecordField &field, int index, const FieldContract &contract, const uint8_t *in,
                         const uint8_t *out)
{
    const auto width = std::size_t(field.width);
    const uint32_t loadedValue = unsignedAt(in, width);
    const uint32_t gatheredValue = unsignedAt(out, width);
    const uint32_t minimum = contract.minimum;
    const uint32_t maximum = contract.maximum;
    auto fail = [&](const std::string &rule) { return describe(field, index, in, out, rule); };

    switch (contract.encoding) {
    case Encoding::Number: {
        if (gatheredValue < minimum || gatheredValue > maximum)
            return fail("outside " + std::to_string(minimum) + ".." + std::to_string(maximum));
        const uint32_t expected = std::clamp(loadedValue, minimum, maximum);
        if (gatheredValue != expected)
            return fail("expected " + std::to_string(expected));
        return {};
    }
    case Encoding::Flag:
        if (gatheredValue > 1)
            return fail("a flag is 1 or 0");
        if (gatheredValue != (loadedValue != 0 ? 1u : 0u))
            return fail("any non-zero byte loads as set");
        return {};
    case Encoding::Direction:
    case Encoding::InvertForce: {
        if (gatheredValue != 1 && gatheredValue != 0xFF)
            return fail("a direction is 1 or 0xFF");
        const bool checked =
            contract.encoding == Encoding::Direction ? loadedValue == 1 : int8_t(loadedValue) > 0;
        if (gatheredValue != (checked ? 1u : 0xFFu))
            return fail(checked ? "expected 1" : "expected 0xFF");
        return {};
    }
    case Encoding::Enumeration:
        // A code on the list selects its item, any other goes back as it came: either way
        // an untouched combo box gathers the loaded byte.
        if (gatheredValue != loadedValue)
            return fail("expected " + std::to_string(loadedValue));
        return {};
    case Encoding::Gain: {
        const float gathered = floatAt(out);
        if (!std::isfinite(gathered))
            return fail("a gain must be finite");
        if (!isGainAfterRoundTrip(gathered, floatAt(in)))
            return fail("expected the loaded value to 6 significant digits");
        return {};
    }
    case Encoding::Force: {
        const float gathered = floatAt(out);
        if (!(gathered >= float(minimum) && gathered <= float(maximum)) || gathered != std::trunc(gathered))
            return fail("a whole number " + std::to_string(minimum) + ".." + std::to_string(maximum));
        const float loaded = floatAt(in);
        if (std::isnan(loaded))
            return {}; // no number to truncate: any value within range will do
        const float expected = std::clamp(std::trunc(loaded), float(minimum), float(maximum));
        if (gathered != expected)
            return fail("expected " + std::to_string(expected));
        return {};
    }
    }
    return fail("unknown encoding");
}

// Where the field table and the contracts part, which no input can fix.
std::string checkAgreement(const QList<RecordField> &layout, const std::vector<FieldContract> &contracts,
                           std::size_t recordSize)
{
    for (const FieldContract &contract : contracts) {
        if (!hasField(layout, contract.field))
            return std::string("the contract for ") + contract.field + " names no field of the record";
    }
    for (const RecordField &field : layout) {
        if (field.offset < 0 || field.width <= 0 || field.count <= 0 ||
            std::size_t(field.offset) + std::size_t(field.size()) > recordSize)
            return std::string(field.name) + " (offset " + std::to_string(field.offset) + ", " +
                   std::to_string(field.size()) + " bytes) lies beyond the record's " + std::to_string(recordSize);
        if (field.kind == RecordField::Reserved)
            continue;
        const FieldContract *contract = contractOf(contracts, field.name);
        if (!contract)
            return std::string(field.name) + " is a field of the record that no control's contract covers";
        if (!suits(contract->encoding, field))
            return std::string(field.name) + ": its contract's encoding does not suit a " + kindName(field.kind) +
                   " field of " + std::to_string(field.width) + " bytes";
    }
    return {};
}

} // namespace

const std::vector<FieldContract> &effectContracts()
{
    static const std::vector<FieldContract> contracts = makeEffectContracts();
    return contracts;
}

const std::vector<FieldContract> &hardwareContracts()
{
    static const std::vector<FieldContract> contracts = makeHardwareContracts();
    return contracts;
}

std::string checkGathered(const QList<RecordField> &layout, const std::vector<FieldContract> &contracts,
                          const uint8_t *loaded, const uint8_t *gathered, std::size_t recordSize)
{
    const std::string disagreement = checkAgreement(layout, contracts, recordSize);
    if (!disagreement.empty())
        return disagreement;
    std::vector<bool> edited(recordSize, false);
    for (const RecordField &field : layout) {
        if (field.kind == RecordField::Reserved)
            continue;
        const FieldContract &contract = *contractOf(contracts, field.name);
        for (int index = 0; index < field.count; ++index) {
            const auto offset = std::size_t(field.offset + index * field.width);
            const std::string problem = checkElement(field, index, contract, loaded + offset, gathered + offset);
            if (!problem.empty())
                return problem;
        }
        std::fill_n(edited.begin() + field.offset, field.size(), true);
    }
    for (std::size_t i = 0; i < recordSize; ++i) {
        if (!edited[i] && gathered[i] != 0)
            return "byte " + std::to_string(i) + " belongs to no control but was gathered as " +
                   std::to_string(gathered[i]);
    }
    return {};
}

} // namespace RecordContract
