#include "device/hidrawchannel.h"

#include <hidapi.h>

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
    const int received = hid_get_feature_report(m_device, buffer, length);
    // An empty or failed reply leaves the buffer as the caller gave it.
    if (received < 1)
        buffer[0] = 0;
    return received;
}

int HidrawChannel::setFeatureReport(const uint8_t *packet, uint16_t length)
{
    return hid_send_feature_report(m_device, packet, length);
}
