// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchcommand.h"

#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

namespace {

constexpr uint8_t HARDWARE_REPORT = 0x21;
constexpr uint8_t EFFECT_REPORT = 0x22;
constexpr uint8_t HARDWARE_BLOCK = 17;
constexpr uint8_t EFFECT_BLOCK = 18;
constexpr int EFFECTS_PAGE = 0;
constexpr int HARDWARE_PAGE = 1;
constexpr int CHUNK_SIZE = 58;
constexpr int EFFECT_LENGTH = int(sizeof(EffectSettingsTypeDef));
constexpr int HARDWARE_LENGTH = int(sizeof(HardwareSettingsTypeDef));

} // namespace

int BenchCommand::transfers() const
{
    if (kind == Read)
        return 1;
    const int blockPackets = recordLength / CHUNK_SIZE + 2;
    return kind == Apply ? blockPackets + 1 + 1 : blockPackets + 3 + 1;
}

QList<BenchCommand> BenchCommand::all()
{
    return {
        {"read effects", "read_effects_settings_button", EFFECTS_PAGE, Read, EFFECT_REPORT, EFFECT_BLOCK, EFFECT_LENGTH},
        {"read hardware", "read_hardware_settings_button_1", HARDWARE_PAGE, Read, HARDWARE_REPORT, HARDWARE_BLOCK,
         HARDWARE_LENGTH},
        {"apply effects", "apply_effect_settings_button", EFFECTS_PAGE, Apply, EFFECT_REPORT, EFFECT_BLOCK,
         EFFECT_LENGTH},
        {"save effects", "save_effects_settings_button", EFFECTS_PAGE, Save, EFFECT_REPORT, EFFECT_BLOCK,
         EFFECT_LENGTH},
        {"apply hardware", "apply_hardware_settings_button_1", HARDWARE_PAGE, Apply, HARDWARE_REPORT, HARDWARE_BLOCK,
         HARDWARE_LENGTH},
        {"save hardware", "save_hardware_settings_button_1", HARDWARE_PAGE, Save, HARDWARE_REPORT, HARDWARE_BLOCK,
         HARDWARE_LENGTH},
    };
}
