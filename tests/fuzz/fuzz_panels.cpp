// SPDX-License-Identifier: GPL-3.0-or-later
// Any effect record into the effects panel, any hardware record into the hardware panel and
// the input pages, then gathered back into zero-filled records: the controls must hand back
// each field within its range and as their encoding says, zero where no control edits, and
// every slider must stand at its spin box's value.
//
// Input: byte 0 is the device type given to both panels, bit 0 of byte 1 the advanced mode,
// bit 1 of byte 1 asks for the device type to be set again before every further frame.
// Then up to four frames of a 384-byte effect record followed by a 512-byte hardware
// record; a short last frame is padded with zeros.
//
// The panels and pages are built once and kept, as the window keeps them: creating them
// anew for every input would cost thirty times the time. Loads overwrite every
// value; what a panel carries from one input to the next is only how far its dampening
// sliders have grown and, for unknown device types, which axis tabs are visible.

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "panelcoupling.h"
#include "recordcontract.h"
#include "windowformhost.h"

#include "effects/effectrecordfields.h"
#include "effects/effectsettings.h"
#include "effects/fulleffectsettingswidget.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "hardware/hardwarerecordfields.h"
#include "hardware/hardwaresettings.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t HEADER_SIZE = 2;
constexpr std::size_t EFFECT_SIZE = sizeof(EffectSettingsTypeDef);
constexpr std::size_t HARDWARE_SIZE = sizeof(HardwareSettingsTypeDef);
constexpr std::size_t FRAME_SIZE = EFFECT_SIZE + HARDWARE_SIZE;
constexpr std::size_t MAX_FRAMES = 4;

constexpr uint8_t ADVANCED_MODE = 0x01;
constexpr uint8_t RESELECT_EACH_FRAME = 0x02;

WindowFormHost *form = nullptr;

struct Header {
    int deviceType = 1;
    bool advanced = false;
    bool reselect = false;
};

Header headerOf(const uint8_t *data, std::size_t size)
{
    Header header;
    if (size > 0)
        header.deviceType = data[0];
    if (size > 1) {
        header.advanced = data[1] & ADVANCED_MODE;
        header.reselect = data[1] & RESELECT_EACH_FRAME;
    }
    return header;
}

// The bytes at `offset` of the frame data, zero where the input has ended.
template<typename Record>
Record recordAt(const uint8_t *frames, std::size_t available, std::size_t offset)
{
    uint8_t bytes[sizeof(Record)] = {};
    if (offset < available)
        std::memcpy(bytes, frames + offset, std::min(sizeof bytes, available - offset));
    Record record;
    std::memcpy(&record, bytes, sizeof record);
    return record;
}

void checkEffects(const EffectSettingsTypeDef &loaded)
{
    FullEffectSettingsWidget &panel = form->effectsPanel();
    panel.loadSettings(loaded);
    EffectSettingsTypeDef gathered{};
    panel.gatherSettings(gathered);

    const std::string problem = RecordContract::checkGathered(
        effectRecordFields(), RecordContract::effectContracts(), reinterpret_cast<const uint8_t *>(&loaded),
        reinterpret_cast<const uint8_t *>(&gathered), EFFECT_SIZE);
    FUZZ_REQUIRE(problem.empty(), "effects panel: " + problem);
    const std::string unsettled = PanelCoupling::checkSettled(panel, PanelCoupling::effectPairs());
    FUZZ_REQUIRE(unsettled.empty(), "effects panel: " + unsettled);
}

void checkHardware(const HardwareSettingsTypeDef &loaded)
{
    form->showHardwareSettings(loaded);
    HardwareSettingsTypeDef gathered{};
    form->gatherHardwareSettings(gathered);

    const std::string problem = RecordContract::checkGathered(
        hardwareRecordFields(), RecordContract::hardwareContracts(), reinterpret_cast<const uint8_t *>(&loaded),
        reinterpret_cast<const uint8_t *>(&gathered), HARDWARE_SIZE);
    FUZZ_REQUIRE(problem.empty(), "hardware panel and input pages: " + problem);
    FUZZ_REQUIRE(form->spiRecommendationsShown() == (loaded.spi_mode != 0),
                 "SPI recommendations must be shown exactly when spi_mode is not 0, spi_mode = " +
                     std::to_string(loaded.spi_mode));
    const std::string unsettled = PanelCoupling::checkSettled(form->hardwarePanel(), PanelCoupling::hardwarePairs());
    FUZZ_REQUIRE(unsettled.empty(), "hardware panel: " + unsettled);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzApplication::start(argc, argv);
    form = new WindowFormHost; // lives until the process ends
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const Header header = headerOf(data, size);
    const uint8_t *frames = data + std::min(size, HEADER_SIZE);
    const std::size_t available = size - std::min(size, HEADER_SIZE);
    const std::size_t frameCount = std::clamp<std::size_t>((available + FRAME_SIZE - 1) / FRAME_SIZE, 1, MAX_FRAMES);

    for (std::size_t frame = 0; frame < frameCount; ++frame) {
        if (frame == 0 || header.reselect) {
            form->effectsPanel().setDeviceType(header.deviceType);
            form->hardwarePanel().setDeviceType(header.deviceType, header.advanced);
        }
        const std::size_t offset = frame * FRAME_SIZE;
        checkEffects(recordAt<EffectSettingsTypeDef>(frames, available, offset));
        checkHardware(recordAt<HardwareSettingsTypeDef>(frames, available, offset + EFFECT_SIZE));
    }
    // Nothing runs an event loop here; deliver what the widgets posted so it cannot pile up.
    QCoreApplication::sendPostedEvents();
    return 0;
}
