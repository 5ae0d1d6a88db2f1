// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectrecordfields.h"

#include "effects/effectsettings.h"

#include <QtGlobal>

#include <cstddef>

namespace {

constexpr int AXIS_OFFSET = int(offsetof(EffectSettingsTypeDef, axis));
constexpr int AXIS_SIZE = int(sizeof(EffectAxisSettingsTypeDef));

#define AXIS_FIELD(field, words, width, count, kind)                                                        \
    RecordField{#field, words, AXIS_OFFSET + axis * AXIS_SIZE + int(offsetof(EffectAxisSettingsTypeDef, field)), \
                width, count, RecordField::kind, axis}

QList<RecordField> makeFields()
{
    QList<RecordField> fields{
        {"invert_constant_force", QT_TRANSLATE_NOOP("RecordField", "Invert constant force"),
         int(offsetof(EffectSettingsTypeDef, invert_constant_force)), 1, 1, RecordField::Signed},
        {"direct_x_spring_strength", QT_TRANSLATE_NOOP("RecordField", "Direct X spring forces strength (%)"),
         int(offsetof(EffectSettingsTypeDef, direct_x_spring_strength)), 1, 1, RecordField::Unsigned},
        {"direct_x_constant_strength", QT_TRANSLATE_NOOP("RecordField", "Direct X constant forces strength (%)"),
         int(offsetof(EffectSettingsTypeDef, direct_x_constant_strength)), 1, 1, RecordField::Unsigned},
        {"direct_x_periodic_strength", QT_TRANSLATE_NOOP("RecordField", "Direct X periodic forces strength (%)"),
         int(offsetof(EffectSettingsTypeDef, direct_x_periodic_strength)), 1, 1, RecordField::Unsigned},
        {"reserved", QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), int(offsetof(EffectSettingsTypeDef, reserved)),
         1, 124, RecordField::Reserved},
    };
    for (int axis = 0; axis < 2; ++axis) {
        fields += {
            AXIS_FIELD(total_effect_scale, QT_TRANSLATE_NOOP("RecordField", "Total effect strength (%)"), 1, 1, Unsigned),
            AXIS_FIELD(soft_stop_strength, QT_TRANSLATE_NOOP("RecordField", "Soft stop strength (%)"), 1, 1, Unsigned),
            AXIS_FIELD(soft_stop_range, QT_TRANSLATE_NOOP("RecordField", "Soft stop range (degrees)"), 1, 1, Unsigned),
            AXIS_FIELD(static_dampening, QT_TRANSLATE_NOOP("RecordField", "Static dampening (%)"), 2, 1, Unsigned),
            AXIS_FIELD(dynamic_dampening, QT_TRANSLATE_NOOP("RecordField", "Dynamic dampening (%)"), 2, 1, Unsigned),
            AXIS_FIELD(motion_range, QT_TRANSLATE_NOOP("RecordField", "Motion range (degrees)"), 2, 1, Unsigned),
            AXIS_FIELD(max_force, QT_TRANSLATE_NOOP("RecordField", "Max force available (kg)"), 4, 1, Float),
            AXIS_FIELD(reserved_13, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 1, Reserved),
            AXIS_FIELD(soft_stop_dampening, QT_TRANSLATE_NOOP("RecordField", "Soft stop dampening (%)"), 2, 1, Unsigned),
            AXIS_FIELD(reserved, QT_TRANSLATE_NOOP("RecordField", "reserved bytes"), 1, 112, Reserved),
        };
    }
    return fields;
}

#undef AXIS_FIELD

} // namespace

const QList<RecordField> &effectRecordFields()
{
    static const QList<RecordField> fields = makeFields();
    return fields;
}
