// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/devicechannel.h"

typedef struct hid_device_ hid_device;

// A controller held by the kernel's HID driver, reached through its hidraw node. The kernel
// turns each feature-report request into the same control transfer the USB path sends and
// bounds it with its own control timeout (5 s), which the tool cannot set.
class HidrawChannel : public DeviceChannel
{
public:
    // Takes over the open device and closes it when destroyed.
    explicit HidrawChannel(hid_device *device);
    ~HidrawChannel() override;
    HidrawChannel(const HidrawChannel &) = delete;
    HidrawChannel &operator=(const HidrawChannel &) = delete;

    Path path() const override { return Path::Hidraw; }
    int getFeatureReport(uint8_t reportId, uint8_t *buffer, uint16_t length) override;
    int setFeatureReport(const uint8_t *packet, uint16_t length) override;

private:
    hid_device *m_device;
};
