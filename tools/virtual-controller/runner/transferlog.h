// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlendpoint.h"

#include <QFile>
#include <QString>

#include <chrono>
#include <mutex>

// One control transfer as the log keeps it.
struct TransferRecord {
    int deviceId = 0;
    int productId = 0;
    ControlSetup setup;
    // Bytes sent for a SET, bytes replied for a GET.
    QByteArray data;
    // Byte count, or a negative errno.
    int result = 0;
    HostPath path = HostPath::Usbfs;
};

// Something that happened to a device other than a transfer, such as a client detaching its
// kernel driver ("detach", "attach").
struct DeviceEventRecord {
    int deviceId = 0;
    int productId = 0;
    QString event;
    QString driver;
};

// A force-feedback request that reached a device's driver through its event node: an
// effect uploaded, played (value: how many times), stopped, removed, ended by itself, or
// erased when its client closed; or the gain set (value).
struct ForceFeedbackRecord {
    int deviceId = 0;
    int productId = 0;
    QString operation;
    int effectId = -1;
    int effectType = 0;
    int length = 0;
    int value = 0;
};

// The transfer log: one JSON object per line, appended and flushed as each control transfer
// completes, so that a test reading the file right after a transfer finds it there; device
// events are lines of their own with an "event" field, force-feedback requests lines with
// "kind": "ff". Times are milliseconds since the log
// was created. Safe to use from any thread.
class TransferLog
{
public:
    explicit TransferLog(const QString &path);

    bool open(QString *error);
    void append(const TransferRecord &record);
    void append(const DeviceEventRecord &record);
    void append(const ForceFeedbackRecord &record);
    void clear();
    QString path() const { return m_file.fileName(); }

    static QByteArray toJson(double timeMs, const TransferRecord &record);
    static QByteArray toJson(double timeMs, const DeviceEventRecord &record);
    static QByteArray toJson(double timeMs, const ForceFeedbackRecord &record);

private:
    void appendLine(const QByteArray &line);
    double elapsedMs() const;

    std::mutex m_mutex;
    QFile m_file;
    const std::chrono::steady_clock::time_point m_start;
};
