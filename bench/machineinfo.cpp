// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/machineinfo.h"

#include <libusb.h>

#include <QFile>
#include <QSysInfo>
#include <QThread>

namespace MachineInfo {

namespace {

QString cpuModel()
{
    // Files in /proc report no size, so they are read whole rather than line by line.
    QFile cpuInfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuInfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : cpuInfo.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    }
    return QStringLiteral("unknown");
}

QString libusbVersion()
{
    const libusb_version *version = libusb_get_version();
    return QStringLiteral("%1.%2.%3.%4").arg(version->major).arg(version->minor).arg(version->micro).arg(version->nano);
}

} // namespace

QString loadAverage()
{
    QFile averages(QStringLiteral("/proc/loadavg"));
    if (!averages.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    const QList<QByteArray> fields = averages.readAll().split(' ');
    return QString::fromLatin1(fields.mid(0, 3).join(' '));
}

QString describe()
{
    return QStringLiteral("Machine: %1 cores (nproc), CPU %2, %3 %4\n"
                          "Libraries: Qt %5 (built against %6), libusb %7, platform %8")
        .arg(QThread::idealThreadCount())
        .arg(cpuModel(), QSysInfo::prettyProductName(), QSysInfo::kernelVersion(), QString::fromLatin1(qVersion()),
             QStringLiteral(QT_VERSION_STR), libusbVersion(), qEnvironmentVariable("QT_QPA_PLATFORM"));
}

} // namespace MachineInfo
