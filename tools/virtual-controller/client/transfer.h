// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// One entry of the virtual controller's transfer log: a control transfer or, of kind
// ForceFeedback, a force-feedback request that reached the device through its event node.
struct Transfer {
    enum class Kind { Control, ForceFeedback };

    Kind kind = Kind::Control;
    double timeMs = 0;        // since the runner started
    int id = 0;               // device id
    int productId = 0;
    int bmRequestType = 0;
    int bRequest = 0;
    int wValue = 0;
    int wIndex = 0;
    int wLength = 0;
    QByteArray data;          // sent bytes of a SET, reply bytes of a GET
    int result = 0;           // byte count, or a negative errno (-32 stall, -19 no device, -110 timed out,
                              // -16 refused by the kernel: interface held by another driver)
    QString path;             // "usbfs" or "hidraw": the node the transfer came through

    // Force feedback only.
    QString operation;        // upload, play, stop, gain, remove, end (played out), erase (its client closed)
    int effectId = -1;
    int effectType = 0;       // FF_CONSTANT, ... (upload and play)
    int length = 0;           // replay length in ms (upload and play)
    int value = 0;            // play: how many times; gain: the gain

    bool isSet() const;       // host-to-device
    int reportId() const;     // low byte of wValue
    bool succeeded() const { return result >= 0; }

    static Transfer fromJson(const QJsonObject &object);
};
