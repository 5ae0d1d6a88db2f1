// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "blockassembler.h"
#include "clock.h"
#include "settingsmemory.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The controller's firmware as the host sees it through feature reports: it hands out its
// device information, settings records and busy status, takes records by block write and
// obeys the reboot, save and DFU commands. Busy periods are measured on the given clock.
class ControllerFirmware
{
public:
    // What the controller does with itself after answering a command.
    enum class Action { None, Reboot, SwitchToDfu };

    ControllerFirmware(const Clock &clock, const SettingsMemory &memory);

    void setIdentity(quint32 firmwareVersion, quint8 deviceType);
    void setBusyTimes(int writeBusyMs, int saveBusyMs);
    // Keeps every axis's motion range of an effect record it takes at most this many degrees,
    // as a firmware that clamps a value (0 = off).
    void setMotionRangeLimit(int degrees) { m_motionRangeLimit = degrees; }
    // File that every save writes the permanent memory to (empty: none).
    void setStateFile(const QString &path);

    // Reply to GET_REPORT of a feature report, nothing for a report it does not have.
    std::optional<QByteArray> featureReport(quint8 reportId) const;
    // Data stage of a SET_REPORT of report 0x20. Nothing when the packet is refused: not a
    // 65-byte packet of report 0x20, or an unknown command.
    std::optional<Action> receivePacket(const QByteArray &packet);
    bool isBusy() const;

    // Power cycle: working memory reloaded from permanent, a pending block dropped, idle.
    void restart();

    const SettingsMemory &memory() const { return m_memory; }
    // Puts a record into working and permanent memory at once.
    void writeRecord(RecordKind kind, const QByteArray &record);
    // Last failure to write the state file, empty when none.
    QString stateFileError() const { return m_stateFileError; }

private:
    void takeBlock(const QByteArray &packet, RecordKind kind);
    void save();
    void storeState();
    void busyFor(int ms);
    QByteArray clamped(RecordKind kind, QByteArray record) const;

    const Clock &m_clock;
    SettingsMemory m_memory;
    BlockAssembler m_assembler;
    quint32 m_firmwareVersion = 0;
    quint8 m_deviceType = 0;
    int m_writeBusyMs = 0;
    int m_saveBusyMs = 0;
    qint64 m_busyUntilMs = 0;
    QString m_stateFile;
    QString m_stateFileError;
    int m_motionRangeLimit = 0;
};
