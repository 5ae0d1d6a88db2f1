// SPDX-License-Identifier: GPL-3.0-or-later
#include "controllerfirmware.h"

#include "firmwareprotocol.h"
#include "recordbytes.h"
#include "statefile.h"

using namespace FirmwareProtocol;

ControllerFirmware::ControllerFirmware(const Clock &clock, const SettingsMemory &memory)
    : m_clock(clock)
    , m_memory(memory)
{
}

void ControllerFirmware::setIdentity(quint32 firmwareVersion, quint8 deviceType)
{
    m_firmwareVersion = firmwareVersion;
    m_deviceType = deviceType;
}

void ControllerFirmware::setBusyTimes(int writeBusyMs, int saveBusyMs)
{
    m_writeBusyMs = writeBusyMs;
    m_saveBusyMs = saveBusyMs;
}

void ControllerFirmware::setStateFile(const QString &path)
{
    m_stateFile = path;
}

std::optional<QByteArray> ControllerFirmware::featureReport(quint8 reportId) const
{
    switch (reportId) {
    case REPORT_DEVICE_INFO: {
        QByteArray info(DEVICE_INFO_SIZE, '\0');
        RecordBytes::putU32(info, 0, m_firmwareVersion);
        RecordBytes::putU8(info, 4, m_deviceType);
        return info;
    }
    case REPORT_HARDWARE_SETTINGS:
        return m_memory.working(RecordKind::Hardware);
    case REPORT_EFFECT_SETTINGS:
        return m_memory.working(RecordKind::Effects);
    case REPORT_BUSY_STATUS:
        return QByteArray(BUSY_STATUS_SIZE, isBusy() ? '\1' : '\0');
    default:
        return std::nullopt;
    }
}

std::optional<ControllerFirmware::Action> ControllerFirmware::receivePacket(const QByteArray &packet)
{
    if (packet.size() != PACKET_SIZE || RecordBytes::u8(packet, 0) != REPORT_COMMAND)
        return std::nullopt;
    const quint8 command = RecordBytes::u8(packet, 1);
    switch (command) {
    case COMMAND_WRITE_HARDWARE_SETTINGS:
        takeBlock(packet, RecordKind::Hardware);
        return Action::None;
    case COMMAND_WRITE_EFFECT_SETTINGS:
        takeBlock(packet, RecordKind::Effects);
        return Action::None;
    }
    // Any other command ends a block write that was still going on.
    m_assembler.abandon();
    switch (command) {
    case COMMAND_REBOOT:
        return Action::Reboot;
    case COMMAND_SAVE_SETTINGS:
        save();
        return Action::None;
    case COMMAND_SWITCH_TO_DFU:
        return Action::SwitchToDfu;
    default:
        return std::nullopt;
    }
}

bool ControllerFirmware::isBusy() const
{
    return m_clock.nowMs() < m_busyUntilMs;
}

void ControllerFirmware::restart()
{
    m_memory.reload();
    m_assembler.abandon();
    m_busyUntilMs = 0;
}

void ControllerFirmware::writeRecord(RecordKind kind, const QByteArray &record)
{
    m_memory.setBoth(kind, record);
    storeState();
}

void ControllerFirmware::takeBlock(const QByteArray &packet, RecordKind kind)
{
    if (m_assembler.feed(packet, RecordKinds::size(kind)) != BlockAssembler::Result::Completed)
        return;
    m_memory.setWorking(kind, clamped(kind, m_assembler.record()));
    busyFor(m_writeBusyMs);
}

QByteArray ControllerFirmware::clamped(RecordKind kind, QByteArray record) const
{
    // Effect record: axis records of 128 bytes from byte 128, motion range a u16 at byte 7.
    constexpr int AXIS_START = 128;
    constexpr int AXIS_SIZE = 128;
    constexpr int MOTION_RANGE = 7;
    if (kind != RecordKind::Effects || m_motionRangeLimit <= 0)
        return record;
    for (int axis = 0; axis < 2; ++axis) {
        const int at = AXIS_START + axis * AXIS_SIZE + MOTION_RANGE;
        const int range = quint8(record.at(at)) | quint8(record.at(at + 1)) << 8;
        if (range > m_motionRangeLimit) {
            record[at] = char(m_motionRangeLimit & 0xFF);
            record[at + 1] = char(m_motionRangeLimit >> 8);
        }
    }
    return record;
}

void ControllerFirmware::save()
{
    m_memory.save();
    storeState();
    busyFor(m_saveBusyMs);
}

void ControllerFirmware::storeState()
{
    if (m_stateFile.isEmpty())
        return;
    QString error;
    m_stateFileError = StateFile::store(m_stateFile, m_memory, &error) ? QString() : error;
}

void ControllerFirmware::busyFor(int ms)
{
    m_busyUntilMs = m_clock.nowMs() + ms;
}
