// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/hidrawchannel.h"

#include <hidapi.h>

#include <cerrno>

namespace {

// hidapi answers -1 for every failure; the ioctl's errno, read at once, says which.
int resultOf(int transferred, int error)
{
    if (transferred >= 0)
        return transferred;
    return error > 0 ? -error : -EIO;
}

} // namespace

HidrawChannel::HidrawChannel(hid_device *device)
    : m_device(device)
{
}

HidrawChannel::~HidrawChannel()
{
    hid_close(m_device);
}

int HidrawChannel::getFeatureReport(uint8_t reportId, uint8_t *buffer, uint16_t length)
{
    // The kernel reads the report id from byte 0 and puts the reply's first byte there.
    buffer[0] = reportId;
    errno = 0;
    const int transferred = hid_get_feature_report(m_device, buffer, length);
    const int received = resultOf(transferred, errno);
    // An empty or failed reply leaves byte 0 zero, as in the caller's cleared buffer.
    if (received < 1)
        buffer[0] = 0;
    return received;
}

int HidrawChannel::setFeatureReport(const uint8_t *packet, uint16_t length)
{
    errno = 0;
    const int sent = hid_send_feature_report(m_device, packet, length);
    return resultOf(sent, errno);
}
