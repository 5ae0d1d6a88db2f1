// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulatedcontroller.h"

#include "defaultrecords.h"
#include "firmwareprotocol.h"
#include "statefile.h"

#include <QFile>

#include <cerrno>

using namespace FirmwareProtocol;

namespace {

constexpr quint8 REQUEST_CLASS_INTERFACE_IN = 0xA1;
constexpr quint8 REQUEST_CLASS_INTERFACE_OUT = 0x21;
constexpr quint8 HID_GET_REPORT = 0x01;
constexpr quint8 HID_SET_REPORT = 0x09;
constexpr quint8 REPORT_TYPE_FEATURE = 0x03;
constexpr quint16 INTERFACE = 0;

ControlResult stall()
{
    return {-EPIPE, {}, BusEvent::None};
}

std::optional<QByteArray> readRecordFile(const QString &path, RecordKind kind, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray record = file.readAll();
    if (record.size() != RecordKinds::size(kind)) {
        *error = QStringLiteral("%1 is not a %2-byte record").arg(path).arg(RecordKinds::size(kind));
        return std::nullopt;
    }
    return record;
}

std::optional<QByteArray> initialRecord(const QString &path, RecordKind kind, ControllerKind controller,
                                        QString *error)
{
    if (!path.isEmpty())
        return readRecordFile(path, kind, error);
    return kind == RecordKind::Effects ? DefaultRecords::effects(controller)
                                       : DefaultRecords::hardware(controller);
}

// What a saved state holds wins over record files: those only seed a controller that has
// never saved.
std::optional<SettingsMemory> initialMemory(const DeviceOptions &options, QString *error)
{
    if (!options.stateFile.isEmpty()) {
        QString stateError;
        std::optional<SettingsMemory> saved = StateFile::load(options.stateFile, &stateError);
        if (saved || !stateError.isEmpty()) {
            *error = stateError;
            return saved;
        }
    }
    const std::optional<QByteArray> effects = initialRecord(options.effectsFile, RecordKind::Effects,
                                                            options.kind, error);
    const std::optional<QByteArray> hardware = effects ? initialRecord(options.hardwareFile, RecordKind::Hardware,
                                                                       options.kind, error)
                                                       : std::nullopt;
    if (!effects || !hardware)
        return std::nullopt;
    return SettingsMemory(*effects, *hardware);
}

} // namespace

std::unique_ptr<EmulatedController> EmulatedController::create(const DeviceOptions &options, const Clock &clock,
                                                                QString *error)
{
    const std::optional<SettingsMemory> memory = initialMemory(options, error);
    if (!memory)
        return nullptr;
    return std::unique_ptr<EmulatedController>(new EmulatedController(options, clock, *memory));
}

EmulatedController::EmulatedController(const DeviceOptions &options, const Clock &clock,
                                       const SettingsMemory &memory)
    : m_options(options)
    , m_firmware(clock, memory)
{
    configureFirmware();
}

ControlResult EmulatedController::handleControl(const ControlSetup &setup, const QByteArray &sent)
{
    ControlResult result;
    if (setup.requestType == REQUEST_CLASS_INTERFACE_IN && setup.request == HID_GET_REPORT)
        result = getReport(setup);
    else if (setup.requestType == REQUEST_CLASS_INTERFACE_OUT && setup.request == HID_SET_REPORT)
        result = setReport(setup, sent);
    else
        result = stall();

    int &left = m_options.faults.unplugAfterTransfers;
    if (left > 0 && --left == 0 && result.busEvent == BusEvent::None)
        result.busEvent = BusEvent::Unplug;
    return result;
}

bool EmulatedController::setOptions(const QString &assignments, QString *error)
{
    if (!m_options.apply(assignments, DeviceOptions::Scope::Runtime, error))
        return false;
    configureFirmware();
    return true;
}

bool EmulatedController::isBusy() const
{
    return m_options.faults.busyForever || m_firmware.isBusy();
}

void EmulatedController::restart()
{
    m_firmware.restart();
}

QByteArray EmulatedController::record(RecordKind kind, bool permanent) const
{
    return permanent ? m_firmware.memory().permanent(kind) : m_firmware.memory().working(kind);
}

bool EmulatedController::writeRecord(RecordKind kind, const QByteArray &record, QString *error)
{
    if (record.size() != RecordKinds::size(kind)) {
        *error = QStringLiteral("record must be %1 bytes, not %2").arg(RecordKinds::size(kind)).arg(record.size());
        return false;
    }
    m_firmware.writeRecord(kind, record);
    return true;
}

void EmulatedController::configureFirmware()
{
    m_firmware.setIdentity(m_options.firmwareVersion, quint8(m_options.deviceType));
    m_firmware.setBusyTimes(m_options.writeBusyMs, m_options.saveBusyMs);
    m_firmware.setMotionRangeLimit(m_options.faults.motionRangeLimit);
    m_firmware.setStateFile(m_options.stateFile);
}

ControlResult EmulatedController::getReport(const ControlSetup &setup) const
{
    const quint8 reportId = quint8(setup.value);
    if (setup.value >> 8 != REPORT_TYPE_FEATURE || setup.index != INTERFACE || stalls(reportId))
        return stall();
    if (reportId == REPORT_BUSY_STATUS && m_options.faults.statusFail)
        return stall();
    std::optional<QByteArray> reply = m_firmware.featureReport(reportId);
    if (!reply)
        return stall();
    if (reportId == REPORT_BUSY_STATUS && m_options.faults.busyForever)
        (*reply)[0] = 1;
    reply->truncate(setup.length);
    if (m_options.faults.shortReplyBytes >= 0)
        reply->truncate(m_options.faults.shortReplyBytes);
    return {int(reply->size()), *reply, BusEvent::None};
}

ControlResult EmulatedController::setReport(const ControlSetup &setup, const QByteArray &sent)
{
    if (setup.value != (REPORT_TYPE_FEATURE << 8 | REPORT_COMMAND) || setup.index != INTERFACE
        || stalls(REPORT_COMMAND))
        return stall();
    const std::optional<ControllerFirmware::Action> action = m_firmware.receivePacket(sent);
    if (!action)
        return stall();
    ControlResult result{int(sent.size()), {}, BusEvent::None};
    if (*action == ControllerFirmware::Action::Reboot)
        result.busEvent = BusEvent::Reboot;
    else if (*action == ControllerFirmware::Action::SwitchToDfu)
        result.busEvent = BusEvent::SwitchToDfu;
    return result;
}

bool EmulatedController::stalls(quint8 reportId) const
{
    return m_options.faults.stallReportId != 0 && m_options.faults.stallReportId == reportId;
}
