#pragma once

#include "controltransfer.h"

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
};

// The transfer log: one JSON object per line, appended and flushed as each control transfer
// completes, so that a test reading the file right after a transfer finds it there. Times
// are milliseconds since the log was created. Safe to use from any thread.
class TransferLog
{
public:
    explicit TransferLog(const QString &path);

    bool open(QString *error);
    void append(const TransferRecord &record);
    void clear();
    QString path() const { return m_file.fileName(); }

    static QByteArray toJson(double timeMs, const TransferRecord &record);

private:
    std::mutex m_mutex;
    QFile m_file;
    const std::chrono::steady_clock::time_point m_start;
};
