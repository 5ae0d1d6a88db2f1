// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>
#include <memory>

class DeviceChannel;
class UsbSession;

// The shortest time the controller protocol allows for a settings command: the command's
// transfers issued back to back on a channel of our own (the controller's hidraw node, or
// its USB device where no kernel driver holds it), plus the 100 ms sleep that every busy
// wait takes after its status request. Against a controller that is never busy after a
// write or save, each busy wait is one status request. An apply or save ends with the
// read that verifies what the controller kept.
class ProtocolMinimum
{
public:
    static constexpr double STATUS_POLL_SLEEP_MS = 100;

    ProtocolMinimum();
    ~ProtocolMinimum();
    ProtocolMinimum(const ProtocolMinimum &) = delete;
    ProtocolMinimum &operator=(const ProtocolMinimum &) = delete;

    bool open(uint16_t vendorId, uint16_t productId);

    // One GET of the record's report. Negative when the transfer fails.
    double readMs(uint8_t reportId);
    // Block write of the controller's own current record (so its settings stay as they
    // are), busy wait, with `save` the save command and a second busy wait, and the
    // verifying read. Negative
    // when a transfer fails or the controller reports busy.
    double writeMs(uint8_t reportId, uint8_t writeCommand, int recordLength, bool save);

private:
    int get(uint8_t reportId, uint8_t *buffer);
    bool set(const uint8_t *packet);
    bool sendCommand(uint8_t command);
    bool writeBlock(uint8_t command, const QByteArray &record);
    bool statusIdle();

    std::unique_ptr<UsbSession> session;
    std::unique_ptr<DeviceChannel> channel;
};
