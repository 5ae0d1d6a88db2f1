// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class DeviceRegistry;
class EmulatedDevice;
class TransferLog;

// The control protocol: one command per line, answered by one line, "ok[ text]" or
// "error text".
//
//   plug KIND[,key=value...]          ok ID
//   unplug ID                         ok
//   replug ID                         ok
//   set ID key=value[,key=value...]   ok
//   write ID effect|hardware HEX      ok
//   read ID effect|hardware working|permanent
//                                     ok HEX
//   info ID                           ok plugged=0|1 busy=0|1 pid=N type=N firmware=N
//                                        [hidraw=NODE event=NODE]
//   axis ID ABS_NAME VALUE            ok
//   button ID N 1|0                   ok
//   stream ID ABS_NAME HZ             ok (HZ 0 stops)
//   reset                             ok
//   clear-log                         ok
class ControlCommands
{
public:
    ControlCommands(DeviceRegistry &devices, TransferLog &log);

    QString execute(const QString &line);

private:
    QString plug(const QStringList &arguments);
    QString unplug(EmulatedDevice &device);
    QString replug(EmulatedDevice &device);
    QString set(EmulatedDevice &device, const QStringList &arguments);
    QString write(EmulatedDevice &device, const QStringList &arguments);
    QString read(EmulatedDevice &device, const QStringList &arguments);
    QString input(EmulatedDevice &device, const QString &command, const QStringList &arguments);
    QString reset();
    QString clearLog();
    QString onDevice(const QString &command, const QStringList &arguments);

    DeviceRegistry &m_devices;
    TransferLog &m_log;
};
