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
