// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/deviceinfo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Turns the reply to a GET feature report into what the tool uses. `received` is what the
// channel returned: a byte count or a negative errno. `reply` is the receive buffer, zeroed
// before the transfer, so bytes the controller did not send read as zero.
namespace ReplyDecoding {

// Any answer counts, however short: the missing bytes of the record stay zero.
inline bool deviceInfo(int received, const uint8_t *reply, DeviceInfoTypeDef &info)
{
    if (received < 0)
        return false;
    std::memcpy(&info, reply, sizeof info);
    return true;
}

// A settings record is taken only whole: a failed or short read gives nothing.
inline bool settingsRecord(int received, const uint8_t *reply, void *record, std::size_t size)
{
    if (received < int(size))
        return false;
    std::memcpy(record, reply, size);
    return true;
}

template<typename Record>
bool settingsRecord(int received, const uint8_t *reply, Record &record)
{
    return settingsRecord(received, reply, &record, sizeof record);
}

// The busy byte needs at least one byte of reply; without it the status is unknown.
inline bool busyStatus(int received, const uint8_t *reply, bool &busy)
{
    if (received < 1)
        return false;
    busy = reply[0] != 0;
    return true;
}

} // namespace ReplyDecoding
