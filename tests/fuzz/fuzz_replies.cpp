// SPDX-License-Identifier: GPL-3.0-or-later
// Replies of any length and content to every report the tool reads, through ReplyDecoding.
//
// Input: the first four bytes (little-endian, missing ones zero) are what the transfer
// returned, a byte count or a negative libusb error, whatever its size; the rest is what
// the controller sent. As libusb would, at most `received` of those bytes, and at most the
// 1024 asked for, land in a zeroed 1024-byte buffer.
//
// Contract: a device information record is taken for any non-negative result and reads
// zero beyond the bytes received; a settings record only when at least its size arrived;
// the busy byte only when at least one byte arrived. What is not taken stays untouched.

#include "fuzzcheck.h"

#include "device/deviceinfo.h"
#include "device/replydecoding.h"
#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t BUFFER_SIZE = 1024; // every read asks for this much
constexpr std::size_t RESULT_SIZE = sizeof(int32_t);
constexpr uint8_t UNTOUCHED = 0xA5;

int32_t receivedOf(const uint8_t *data, std::size_t size)
{
    uint8_t bytes[RESULT_SIZE] = {};
    std::memcpy(bytes, data, std::min(size, RESULT_SIZE));
    return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24);
}

template<typename Record>
Record untouchedRecord()
{
    Record record;
    std::memset(&record, UNTOUCHED, sizeof record);
    return record;
}

bool isUntouched(const void *record, std::size_t size)
{
    const auto *bytes = static_cast<const uint8_t *>(record);
    return std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == UNTOUCHED; });
}

void checkDeviceInfo(int received, const uint8_t *reply)
{
    DeviceInfoTypeDef info = untouchedRecord<DeviceInfoTypeDef>();
    const bool taken = ReplyDecoding::deviceInfo(received, reply, info);
    const std::string context = "device info, received " + std::to_string(received);
    FUZZ_REQUIRE(taken == (received >= 0), context + ": any answer counts, a failure does not");
    if (!taken) {
        FUZZ_REQUIRE(isUntouched(&info, sizeof info), context + ": a refused reply changed the record");
        return;
    }
    const auto *bytes = reinterpret_cast<const uint8_t *>(&info);
    for (std::size_t i = 0; i < sizeof info; ++i) {
        const uint8_t expected = i < std::size_t(received) ? reply[i] : 0;
        FUZZ_REQUIRE(bytes[i] == expected, context + ": byte " + std::to_string(i) + " is " +
                                               std::to_string(bytes[i]) + ", expected " + std::to_string(expected));
    }
}

template<typename Record>
void checkSettingsRecord(const char *name, int received, const uint8_t *reply)
{
    Record record = untouchedRecord<Record>();
    const bool taken = ReplyDecoding::settingsRecord(received, reply, record);
    const std::string context = std::string(name) + ", received " + std::to_string(received);
    FUZZ_REQUIRE(taken == (received >= int(sizeof record)), context + ": only a whole record is taken");
    if (taken) {
        FUZZ_REQUIRE(std::memcmp(&record, reply, sizeof record) == 0,
                     context + ": the record is not the leading bytes of the reply");
    } else {
        FUZZ_REQUIRE(isUntouched(&record, sizeof record), context + ": a refused reply changed the record");
    }
}

void checkBusyStatus(int received, const uint8_t *reply)
{
    for (const bool before : {false, true}) {
        bool busy = before;
        const bool taken = ReplyDecoding::busyStatus(received, reply, busy);
        const std::string context = "busy status, received " + std::to_string(received);
        FUZZ_REQUIRE(taken == (received >= 1), context + ": the busy byte needs one byte of reply");
        if (taken)
            FUZZ_REQUIRE(busy == (reply[0] != 0), context + ": busy exactly when byte 0 is not 0");
        else
            FUZZ_REQUIRE(busy == before, context + ": a refused reply changed the status");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const int32_t received = receivedOf(data, size);
    const uint8_t *sent = data + std::min(size, RESULT_SIZE);
    const std::size_t sentSize = size - std::min(size, RESULT_SIZE);

    // Exactly the receive buffer's size on the heap, so a read past it is caught.
    const auto reply = std::make_unique<uint8_t[]>(BUFFER_SIZE);
    const std::size_t landed = std::min({std::size_t(std::max(received, 0)), sentSize, BUFFER_SIZE});
    std::memcpy(reply.get(), sent, landed);

    checkDeviceInfo(received, reply.get());
    checkSettingsRecord<EffectSettingsTypeDef>("effect settings", received, reply.get());
    checkSettingsRecord<HardwareSettingsTypeDef>("hardware settings", received, reply.get());
    checkBusyStatus(received, reply.get());
    return 0;
}
