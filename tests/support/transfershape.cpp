// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfershape.h"

QStringList transferShape(const QList<Transfer> &transfers)
{
    QStringList steps;
    for (const Transfer &transfer : transfers) {
        if (transfer.isSet())
            steps << QStringLiteral("S%1").arg(transfer.data.size() > 1 ? quint8(transfer.data.at(1)) : 0);
        else
            steps << QStringLiteral("G%1").arg(transfer.reportId());
    }
    return steps;
}

QString collapsedShape(const QStringList &steps)
{
    QStringList collapsed;
    for (const QString &step : steps)
        if (collapsed.isEmpty() || collapsed.last() != step)
            collapsed << step;
    return collapsed.join(QLatin1Char(' '));
}

int countReads(const QList<Transfer> &transfers, int reportId)
{
    int reads = 0;
    for (const Transfer &transfer : transfers)
        reads += !transfer.isSet() && transfer.reportId() == reportId;
    return reads;
}

namespace {

constexpr int DEVICE_INFO_REPORT = 0x25;

} // namespace

namespace TransferShape {

QString step(const Transfer &transfer)
{
    QString text;
    if (transfer.isSet())
        text = QStringLiteral("S%1").arg(transfer.data.size() > 1 ? quint8(transfer.data.at(1)) : 0);
    else
        text = QStringLiteral("G%1").arg(transfer.reportId(), 2, 16, QLatin1Char('0'));
    if (!transfer.succeeded())
        text += QLatin1Char('!');
    return text;
}

QString of(const QList<Transfer> &log, int deviceId, qsizetype from)
{
    QStringList runs;
    QString last;
    int count = 0;
    const auto closeRun = [&] {
        if (count > 0)
            runs << QStringLiteral("%1x%2").arg(last).arg(count);
    };
    for (qsizetype i = from; i < log.size(); ++i) {
        const Transfer &transfer = log.at(i);
        if (transfer.id != deviceId || (!transfer.isSet() && transfer.reportId() == DEVICE_INFO_REPORT))
            continue;
        const QString current = step(transfer);
        if (current != last) {
            closeRun();
            last = current;
            count = 0;
        }
        ++count;
    }
    closeRun();
    return runs.join(QLatin1Char(' '));
}

} // namespace TransferShape
