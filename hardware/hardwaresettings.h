// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
// One axis of the hardware settings record: encoder, motor and controller gains.
struct HardwareAxisSettingsTypeDef {
    int8_t encoder_direction = 0;     // 1 = inverted, 0xFF = not
    int8_t force_direction = 0;       // 1 = inverted, 0xFF = not
    uint8_t pole_pairs = 0;
    uint16_t encoder_cpr = 0;
    uint8_t reserved_5[2] = {};
    float p_gain = 0.0f;
    float i_gain = 0.0f;
    uint8_t reserved_15[113] = {};
};

// Feature report 0x21: the motor drive and the input configuration. Byte-for-byte the
// controller firmware's layout; a default-constructed record is all zero bytes.
struct HardwareSettingsTypeDef {
    uint8_t force_enable = 0;
    uint8_t debug_forces = 0;
    uint8_t reserved_2 = 0;
    uint8_t calibration_mode = 0;
    uint8_t amplifier_gain = 0;
    uint8_t spi_mode = 0;
    uint8_t gpio_mode[10] = {};
    uint8_t button_mode[32] = {};
    uint8_t power_limit = 0;
    uint8_t braking_limit = 0;
    uint8_t calibration_magnitude = 0;
    uint8_t calibration_speed = 0;
    uint8_t calibration_current = 0;
    uint8_t reserved_53[6] = {};
    uint8_t analog_button_low[3] = {};
    uint8_t analog_button_high[3] = {};
    uint8_t position_smoothing = 0;
    uint8_t speed_sample_buffer_size = 0;
    uint16_t analog_lower_dead_zone[3] = {};
    uint16_t analog_upper_dead_zone[3] = {};
    uint8_t analog_smoothing[3] = {};
    uint8_t analog_invert[3] = {};
    uint8_t reserved_85[171] = {};
    HardwareAxisSettingsTypeDef axis[2];
};
#pragma pack(pop)

static_assert(sizeof(HardwareAxisSettingsTypeDef) == 128);
static_assert(offsetof(HardwareAxisSettingsTypeDef, encoder_direction) == 0);
static_assert(offsetof(HardwareAxisSettingsTypeDef, force_direction) == 1);
static_assert(offsetof(HardwareAxisSettingsTypeDef, pole_pairs) == 2);
static_assert(offsetof(HardwareAxisSettingsTypeDef, encoder_cpr) == 3);
static_assert(offsetof(HardwareAxisSettingsTypeDef, reserved_5) == 5);
static_assert(offsetof(HardwareAxisSettingsTypeDef, p_gain) == 7);
static_assert(offsetof(HardwareAxisSettingsTypeDef, i_gain) == 11);
static_assert(offsetof(HardwareAxisSettingsTypeDef, reserved_15) == 15);

static_assert(sizeof(HardwareSettingsTypeDef) == 512);
static_assert(offsetof(HardwareSettingsTypeDef, force_enable) == 0);
static_assert(offsetof(HardwareSettingsTypeDef, debug_forces) == 1);
static_assert(offsetof(HardwareSettingsTypeDef, calibration_mode) == 3);
static_assert(offsetof(HardwareSettingsTypeDef, amplifier_gain) == 4);
static_assert(offsetof(HardwareSettingsTypeDef, spi_mode) == 5);
static_assert(offsetof(HardwareSettingsTypeDef, gpio_mode) == 6);
static_assert(offsetof(HardwareSettingsTypeDef, button_mode) == 16);
static_assert(offsetof(HardwareSettingsTypeDef, power_limit) == 48);
static_assert(offsetof(HardwareSettingsTypeDef, braking_limit) == 49);
static_assert(offsetof(HardwareSettingsTypeDef, calibration_magnitude) == 50);
static_assert(offsetof(HardwareSettingsTypeDef, calibration_speed) == 51);
static_assert(offsetof(HardwareSettingsTypeDef, calibration_current) == 52);
static_assert(offsetof(HardwareSettingsTypeDef, reserved_53) == 53);
static_assert(offsetof(HardwareSettingsTypeDef, analog_button_low) == 59);
static_assert(offsetof(HardwareSettingsTypeDef, analog_button_high) == 62);
static_assert(offsetof(HardwareSettingsTypeDef, position_smoothing) == 65);
static_assert(offsetof(HardwareSettingsTypeDef, speed_sample_buffer_size) == 66);
static_assert(offsetof(HardwareSettingsTypeDef, analog_lower_dead_zone) == 67);
static_assert(offsetof(HardwareSettingsTypeDef, analog_upper_dead_zone) == 73);
static_assert(offsetof(HardwareSettingsTypeDef, analog_smoothing) == 79);
static_assert(offsetof(HardwareSettingsTypeDef, analog_invert) == 82);
static_assert(offsetof(HardwareSettingsTypeDef, reserved_85) == 85);
static_assert(offsetof(HardwareSettingsTypeDef, axis) == 256);
static_assert(offsetof(HardwareSettingsTypeDef, axis) + sizeof(HardwareAxisSettingsTypeDef) == 384);

Q_DECLARE_METATYPE(HardwareSettingsTypeDef)
