// SPDX-License-Identifier: GPL-3.0-or-later
#include "transferlog.h"

TransferLog::TransferLog(const QString &path)
    : m_file(path)
    , m_start(std::chrono::steady_clock::now())
{
}

bool TransferLog::open(QString *error)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("cannot write transfer log %1: %2").arg(m_file.fileName(), m_file.errorString());
        return false;
    }
    return true;
}

void TransferLog::append(const TransferRecord &record)
{
    appendLine(toJson(elapsedMs(), record));
}

void TransferLog::append(const DeviceEventRecord &record)
{
    appendLine(toJson(elapsedMs(), record));
}

void TransferLog::append(const ForceFeedbackRecord &record)
{
    appendLine(toJson(elapsedMs(), record));
}

void TransferLog::appendLine(const QByteArray &line)
{
    std::lock_guard lock(m_mutex);
    m_file.write(line);
    m_file.flush();
}

double TransferLog::elapsedMs() const
{
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - m_start;
    return elapsed.count();
}

void TransferLog::clear()
{
    std::lock_guard lock(m_mutex);
    m_file.resize(0);
    m_file.seek(0);
}

QByteArray TransferLog::toJson(double timeMs, const TransferRecord &record)
{
    return QStringLiteral("{\"t\": %1, \"id\": %2, \"pid\": %3, \"bmRequestType\": %4, \"bRequest\": %5, "
                          "\"wValue\": %6, \"wIndex\": %7, \"wLength\": %8, \"data\": \"%9\", \"result\": %10, "
                          "\"path\": \"%11\"}\n")
        .arg(QString::number(timeMs, 'f', 3))
        .arg(record.deviceId)
        .arg(record.productId)
        .arg(record.setup.requestType)
        .arg(record.setup.request)
        .arg(record.setup.value)
        .arg(record.setup.index)
        .arg(record.setup.length)
        .arg(QString::fromLatin1(record.data.toHex()))
        .arg(record.result)
        .arg(record.path == HostPath::Hidraw ? QStringLiteral("hidraw") : QStringLiteral("usbfs"))
        .toUtf8();
}

QByteArray TransferLog::toJson(double timeMs, const DeviceEventRecord &record)
{
    return QStringLiteral("{\"t\": %1, \"id\": %2, \"pid\": %3, \"event\": \"%4\", \"driver\": \"%5\"}\n")
        .arg(QString::number(timeMs, 'f', 3))
        .arg(record.deviceId)
        .arg(record.productId)
        .arg(record.event, record.driver)
        .toUtf8();
}

QByteArray TransferLog::toJson(double timeMs, const ForceFeedbackRecord &record)
{
    return QStringLiteral("{\"t\": %1, \"id\": %2, \"pid\": %3, \"kind\": \"ff\", \"op\": \"%4\", "
                          "\"effect\": %5, \"type\": %6, \"length\": %7, \"value\": %8}\n")
        .arg(QString::number(timeMs, 'f', 3))
        .arg(record.deviceId)
        .arg(record.productId)
        .arg(record.operation)
        .arg(record.effectId)
        .arg(record.effectType)
        .arg(record.length)
        .arg(record.value)
        .toUtf8();
}
