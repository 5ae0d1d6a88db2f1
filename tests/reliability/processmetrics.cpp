#include "processmetrics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace ProcessMetrics {

long long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    static const QRegularExpression line(QStringLiteral("^VmRSS:\\s+(\\d+)\\s+kB$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

int openFileDescriptors()
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    if (!descriptors.exists())
        return -1;
    // The listing itself holds one descriptor open while it runs.
    return int(descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size()) - 1;
}

} // namespace ProcessMetrics
