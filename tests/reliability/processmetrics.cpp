// SPDX-License-Identifier: GPL-3.0-or-later
#include "processmetrics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <climits>
#include <unistd.h>

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
    // The listing itself holds one descriptor open while it runs.
    return int(openDescriptorTargets().size()) - 1;
}

QStringList openDescriptorTargets()
{
    QStringList targets;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString &name : descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(descriptors.filePath(name).toLocal8Bit().constData(), target, sizeof target);
        if (length > 0)
            targets << QString::fromLocal8Bit(target, int(length));
    }
    targets.sort();
    return targets;
}

} // namespace ProcessMetrics
