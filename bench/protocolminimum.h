#pragma once

#include <QByteArray>

#include <cstdint>

struct libusb_context;
struct libusb_device_handle;

// The shortest time the controller protocol allows for a settings command: the command's
// control transfers issued back to back with plain libusb on a handle of our own, plus the
// 100 ms sleep that every busy wait takes after its status request. Against a controller
// that is never busy after a write or save, each busy wait is one status request.
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
    // are), busy wait and, with `save`, the save command and a second busy wait. Negative
    // when a transfer fails or the controller reports busy.
    double writeMs(uint8_t reportId, uint8_t writeCommand, int recordLength, bool save);

private:
    int get(uint8_t reportId, uint8_t *buffer);
    bool set(uint8_t *packet);
    bool sendCommand(uint8_t command);
    bool writeBlock(uint8_t command, const QByteArray &record);
    bool statusIdle();

    libusb_context *context = nullptr;
    libusb_device_handle *handle = nullptr;
};
