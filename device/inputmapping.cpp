// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/inputmapping.h"

namespace InputMapping {

namespace {

constexpr std::array<InputMappingEntry, FORCE_AXES + ANALOG_AXES + BUTTONS> makeTable()
{
    std::array<InputMappingEntry, FORCE_AXES + ANALOG_AXES + BUTTONS> table{};
    int i = 0;
    table[i++] = {InputMappingEntry::ForceAxis, 0, EV_ABS, ABS_X};
    table[i++] = {InputMappingEntry::ForceAxis, 1, EV_ABS, ABS_Y};
    table[i++] = {InputMappingEntry::AnalogAxis, 0, EV_ABS, ABS_RX};
    table[i++] = {InputMappingEntry::AnalogAxis, 1, EV_ABS, ABS_RY};
    table[i++] = {InputMappingEntry::AnalogAxis, 2, EV_ABS, ABS_RZ};
    for (int button = 0; button < BUTTONS; ++button)
        table[i++] = {InputMappingEntry::Button, button, EV_KEY,
                      button < 16 ? BTN_TRIGGER + button : BTN_TRIGGER_HAPPY1 + button - 16};
    return table;
}

constexpr auto TABLE = makeTable();

} // namespace

const std::array<InputMappingEntry, FORCE_AXES + ANALOG_AXES + BUTTONS> &all()
{
    return TABLE;
}

std::optional<InputMappingEntry> forCode(int type, int code)
{
    for (const InputMappingEntry &entry : TABLE) {
        if (entry.type == type && entry.code == code)
            return entry;
    }
    return std::nullopt;
}

int codeOf(InputMappingEntry::Role role, int row)
{
    for (const InputMappingEntry &entry : TABLE) {
        if (entry.role == role && entry.row == row)
            return entry.code;
    }
    return -1;
}

QString rowName(const InputMappingEntry &entry)
{
    switch (entry.role) {
    case InputMappingEntry::ForceAxis:
        return QStringLiteral("Axis %1").arg(entry.row);
    case InputMappingEntry::AnalogAxis:
        return QStringLiteral("R%1").arg(QChar(u'x' + entry.row));
    case InputMappingEntry::Button:
        break;
    }
    return QStringLiteral("Button %1").arg(entry.row + 1);
}

} // namespace InputMapping
