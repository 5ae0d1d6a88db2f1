// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
// One axis of the effect settings record. Byte-for-byte the controller firmware's layout:
// multi-byte fields are little-endian and mostly unaligned.
struct EffectAxisSettingsTypeDef {
    uint8_t total_effect_scale = 0;   // percent
    uint8_t soft_stop_strength = 0;   // percent
    uint8_t soft_stop_range = 0;      // degrees
    uint16_t static_dampening = 0;
    uint16_t dynamic_dampening = 0;
    uint16_t motion_range = 0;        // degrees
    float max_force = 0.0f;           // kilograms
    uint8_t reserved_13 = 0;
    uint16_t soft_stop_dampening = 0;
    uint8_t reserved[112] = {};
};

// Feature report 0x22 and the content of an effect profile file. A default-constructed
// record is all zero bytes.
struct EffectSettingsTypeDef {
    int8_t invert_constant_force = 0; // 1 = invert, -1 = do not invert
    uint8_t direct_x_spring_strength = 0;
    uint8_t direct_x_constant_strength = 0;
    uint8_t direct_x_periodic_strength = 0;
    uint8_t reserved[124] = {};
    EffectAxisSettingsTypeDef axis[2];
};
#pragma pack(pop)

static_assert(sizeof(EffectAxisSettingsTypeDef) == 128);
static_assert(offsetof(EffectAxisSettingsTypeDef, total_effect_scale) == 0);
static_assert(offsetof(EffectAxisSettingsTypeDef, soft_stop_strength) == 1);
static_assert(offsetof(EffectAxisSettingsTypeDef, soft_stop_range) == 2);
static_assert(offsetof(EffectAxisSettingsTypeDef, static_dampening) == 3);
static_assert(offsetof(EffectAxisSettingsTypeDef, dynamic_dampening) == 5);
static_assert(offsetof(EffectAxisSettingsTypeDef, motion_range) == 7);
static_assert(offsetof(EffectAxisSettingsTypeDef, max_force) == 9);
static_assert(offsetof(EffectAxisSettingsTypeDef, reserved_13) == 13);
static_assert(offsetof(EffectAxisSettingsTypeDef, soft_stop_dampening) == 14);
static_assert(offsetof(EffectAxisSettingsTypeDef, reserved) == 16);

static_assert(sizeof(EffectSettingsTypeDef) == 384);
static_assert(offsetof(EffectSettingsTypeDef, invert_constant_force) == 0);
static_assert(offsetof(EffectSettingsTypeDef, direct_x_spring_strength) == 1);
static_assert(offsetof(EffectSettingsTypeDef, direct_x_constant_strength) == 2);
static_assert(offsetof(EffectSettingsTypeDef, direct_x_periodic_strength) == 3);
static_assert(offsetof(EffectSettingsTypeDef, reserved) == 4);
static_assert(offsetof(EffectSettingsTypeDef, axis) == 128);
static_assert(sizeof(float) == 4, "max_force is an IEEE 754 single");

Q_DECLARE_METATYPE(EffectSettingsTypeDef)
