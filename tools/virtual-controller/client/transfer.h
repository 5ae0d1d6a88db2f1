#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// One control transfer from the virtual controller's transfer log.
struct Transfer {
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

    bool isSet() const;       // host-to-device
    int reportId() const;     // low byte of wValue
    bool succeeded() const { return result >= 0; }

    static Transfer fromJson(const QJsonObject &object);
};
