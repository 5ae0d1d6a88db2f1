// Any effect record into the effects panel, any hardware record into the hardware panel and
// the input pages, then gathered back into zero-filled records: the controls must hand back
// each field within its range and as their encoding says, and zero where no control edits.
//
// Input: byte 0 is the device type given to both panels, bit 0 of byte 1 the advanced mode,
// bit 1 of byte 1 asks for the device type to be set again before every further frame.
// Then up to four frames of a 384-byte effect record followed by a 512-byte hardware
// record; a short last frame is padded with zeros. The panels are made afresh for every
// input and keep their state from frame to frame, as they do in the window.

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "inputpageshost.h"
#include "panelcoupling.h"
#include "recordcontract.h"

#include "effects/effectsettings.h"
#include "effects/fulleffectsettingswidget.h"
#include "hardware/fullhardwaresettingswidget.h"
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

InputPagesHost *inputPages = nullptr;

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

void checkEffects(FullEffectSettingsWidget &panel, const EffectSettingsTypeDef &loaded)
{
    panel.loadSettings(loaded);
    EffectSettingsTypeDef gathered{};
    panel.gatherSettings(gathered);

    const std::string problem =
        RecordContract::checkGathered(RecordContract::effectFields(), reinterpret_cast<const uint8_t *>(&loaded),
                                      reinterpret_cast<const uint8_t *>(&gathered), EFFECT_SIZE);
    FUZZ_REQUIRE(problem.empty(), "effects panel: " + problem);
    const std::string unsettled = PanelCoupling::checkSettled(panel, PanelCoupling::effectPairs());
    FUZZ_REQUIRE(unsettled.empty(), "effects panel: " + unsettled);
}

// As the window's showHardwareSettings and gatherHardwareSettings do it.
void checkHardware(FullHardwareSettingsWidget &panel, const HardwareSettingsTypeDef &loaded)
{
    inputPages->showSettings(loaded);
    panel.loadSettings(loaded);
    HardwareSettingsTypeDef gathered{};
    panel.gatherSettings(gathered);
    inputPages->gatherSettings(gathered);

    const std::string problem =
        RecordContract::checkGathered(RecordContract::hardwareFields(), reinterpret_cast<const uint8_t *>(&loaded),
                                      reinterpret_cast<const uint8_t *>(&gathered), HARDWARE_SIZE);
    FUZZ_REQUIRE(problem.empty(), "hardware panel and input pages: " + problem);
    FUZZ_REQUIRE(inputPages->spiRecommendationsShown() == (loaded.spi_mode != 0),
                 "SPI recommendations must be shown exactly when spi_mode is not 0, spi_mode = " +
                     std::to_string(loaded.spi_mode));
    const std::string unsettled = PanelCoupling::checkSettled(panel, PanelCoupling::hardwarePairs());
    FUZZ_REQUIRE(unsettled.empty(), "hardware panel: " + unsettled);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzApplication::start();
    inputPages = new InputPagesHost; // lives until the process ends
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const Header header = headerOf(data, size);
    const uint8_t *frames = data + std::min(size, HEADER_SIZE);
    const std::size_t available = size - std::min(size, HEADER_SIZE);
    const std::size_t frameCount = std::clamp<std::size_t>((available + FRAME_SIZE - 1) / FRAME_SIZE, 1, MAX_FRAMES);

    {
        FullEffectSettingsWidget effects;
        FullHardwareSettingsWidget hardware;
        for (std::size_t frame = 0; frame < frameCount; ++frame) {
            if (frame == 0 || header.reselect) {
                effects.setDeviceType(header.deviceType);
                hardware.setDeviceType(header.deviceType, header.advanced);
            }
            const std::size_t offset = frame * FRAME_SIZE;
            checkEffects(effects, recordAt<EffectSettingsTypeDef>(frames, available, offset));
            checkHardware(hardware, recordAt<HardwareSettingsTypeDef>(frames, available, offset + EFFECT_SIZE));
        }
    }
    // Nothing runs an event loop here; deliver what the widgets posted so it cannot pile up.
    QCoreApplication::sendPostedEvents();
    return 0;
}
