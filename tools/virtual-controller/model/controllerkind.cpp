// SPDX-License-Identifier: GPL-3.0-or-later
#include "controllerkind.h"

#include <array>

namespace ControllerKinds {

namespace {

struct KindTraits {
    ControllerKind kind;
    const char *name;
    const char *productName;
    int productId;
    int deviceType;
};

constexpr std::array<KindTraits, 5> KINDS{{
    {ControllerKind::Generic, "generic", "Kestrov Generic", 22000, 0},
    {ControllerKind::Joystick, "joystick", "Kestrov Joystick", 22777, 1},
    {ControllerKind::Rudder, "rudder", "Kestrov Rudder", 22888, 2},
    {ControllerKind::Wheel, "wheel", "Kestrov Wheel PRO", 22999, 3},
    {ControllerKind::Collective, "collective", "Kestrov Collective", 22001, 4},
}};

const KindTraits &traits(ControllerKind kind)
{
    return KINDS[static_cast<size_t>(kind)];
}

} // namespace

std::optional<ControllerKind> fromName(const QString &name)
{
    for (const KindTraits &entry : KINDS)
        if (name == QLatin1String(entry.name))
            return entry.kind;
    return std::nullopt;
}

QString name(ControllerKind kind)
{
    return QString::fromLatin1(traits(kind).name);
}

QString productName(ControllerKind kind)
{
    return QString::fromLatin1(traits(kind).productName);
}

int productId(ControllerKind kind)
{
    return traits(kind).productId;
}

int deviceType(ControllerKind kind)
{
    return traits(kind).deviceType;
}

} // namespace ControllerKinds
