// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputcapabilities.h"

#include <linux/input.h>

#include <algorithm>
#include <climits>

namespace {

constexpr int BITS_PER_LONG = int(sizeof(unsigned long) * CHAR_BIT);

constexpr int FORCE_MINIMUM = -32768;
constexpr int FORCE_MAXIMUM = 32767;
constexpr int ANALOG_MINIMUM = 0;
constexpr int ANALOG_MAXIMUM = 32767;

constexpr int FORCE_FEEDBACK_CODES[] = {FF_CONSTANT, FF_SPRING, FF_PERIODIC, FF_SINE, FF_GAIN};

constexpr std::pair<const char *, int> AXIS_NAMES[] = {
    {"ABS_X", ABS_X}, {"ABS_Y", ABS_Y}, {"ABS_RX", ABS_RX}, {"ABS_RY", ABS_RY}, {"ABS_RZ", ABS_RZ}};

// hidinput_configure_usage() for a joystick application: fuzz and flat from the range.
InputCapabilities::Axis joystickAxis(int code, int minimum, int maximum)
{
    return {code, minimum, maximum, (maximum - minimum) >> 8, (maximum - minimum) >> 4};
}

} // namespace

InputCapabilities::InputCapabilities(ControllerKind kind, bool forceFeedback)
    : m_forceFeedback(forceFeedback)
{
    m_axes.push_back(joystickAxis(ABS_X, FORCE_MINIMUM, FORCE_MAXIMUM));
    if (kind == ControllerKind::Joystick || kind == ControllerKind::Generic)
        m_axes.push_back(joystickAxis(ABS_Y, FORCE_MINIMUM, FORCE_MAXIMUM));
    for (int code : {ABS_RX, ABS_RY, ABS_RZ})
        m_axes.push_back(joystickAxis(code, ANALOG_MINIMUM, ANALOG_MAXIMUM));
}

const InputCapabilities::Axis *InputCapabilities::axis(int code) const
{
    const auto found = std::find_if(m_axes.cbegin(), m_axes.cend(), [code](const Axis &a) { return a.code == code; });
    return found == m_axes.cend() ? nullptr : &*found;
}

std::vector<int> InputCapabilities::codes(int type) const
{
    std::vector<int> result;
    switch (type) {
    case 0: // the event types
        result = {EV_SYN, EV_KEY, EV_ABS, EV_MSC};
        if (m_forceFeedback)
            result.push_back(EV_FF);
        break;
    case EV_KEY:
        for (int number = 1; number <= BUTTONS; ++number)
            result.push_back(buttonCode(number));
        break;
    case EV_ABS:
        for (const Axis &a : m_axes)
            result.push_back(a.code);
        break;
    case EV_MSC:
        result = {MSC_SCAN}; // hid-input reports a button's usage with every change
        break;
    case EV_FF:
        if (m_forceFeedback)
            result.assign(std::begin(FORCE_FEEDBACK_CODES), std::end(FORCE_FEEDBACK_CODES));
        break;
    default:
        break;
    }
    return result;
}

bool InputCapabilities::has(int type, int code) const
{
    const std::vector<int> set = codes(type);
    return std::find(set.cbegin(), set.cend(), code) != set.cend();
}

std::vector<unsigned long> InputCapabilities::bits(int type) const
{
    const int max = maxCode(type);
    if (max < 0)
        return {};
    // BITS_TO_LONGS(max), as the kernel sizes what it copies out.
    std::vector<unsigned long> words(size_t((max + BITS_PER_LONG - 1) / BITS_PER_LONG), 0);
    for (int code : codes(type))
        words[size_t(code / BITS_PER_LONG)] |= 1UL << (code % BITS_PER_LONG);
    return words;
}

// input_print_bitmap(): leading zero words left out, a lone "0" when nothing is set.
QString InputCapabilities::sysfsBitmap(int type) const
{
    const std::vector<unsigned long> words = bits(type);
    QStringList printed;
    for (auto word = words.crbegin(); word != words.crend(); ++word)
        if (*word != 0 || !printed.isEmpty())
            printed << QString::number(qulonglong(*word), 16);
    return printed.isEmpty() ? QStringLiteral("0") : printed.join(QLatin1Char(' '));
}

// input_estimate_events_per_packet(): SYN_REPORT, one per axis, and room for keys and
// MSC_SCAN.
int InputCapabilities::eventsPerPacket() const
{
    return 1 + int(m_axes.size()) + 7;
}

int InputCapabilities::buttonCode(int number)
{
    const int index = number - 1;
    return index < 16 ? BTN_JOYSTICK + index : BTN_TRIGGER_HAPPY + index - 16;
}

std::optional<int> InputCapabilities::axisCode(const QString &name)
{
    for (const auto &[axisName, code] : AXIS_NAMES)
        if (name == QLatin1String(axisName))
            return code;
    return std::nullopt;
}

int InputCapabilities::maxCode(int type)
{
    switch (type) {
    case 0: return EV_MAX;
    case EV_KEY: return KEY_MAX;
    case EV_REL: return REL_MAX;
    case EV_ABS: return ABS_MAX;
    case EV_MSC: return MSC_MAX;
    case EV_LED: return LED_MAX;
    case EV_SND: return SND_MAX;
    case EV_FF: return FF_MAX;
    case EV_SW: return SW_MAX;
    default: return -1;
    }
}
