// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controllerfirmware.h"
#include "controltransfer.h"
#include "deviceoptions.h"

#include <QString>

#include <memory>

// One emulated controller behind its USB port: the firmware answering HID feature-report
// requests on endpoint 0, with the faults of its options applied on top. No USB plumbing;
// the emulator feeds it the control transfers a host sends.
class EmulatedController
{
public:
    // Loads the initial memory (state file, record files or the kind's defaults); nothing,
    // with a message in `error`, when a file cannot be used.
    static std::unique_ptr<EmulatedController> create(const DeviceOptions &options, const Clock &clock,
                                                      QString *error);

    ControlResult handleControl(const ControlSetup &setup, const QByteArray &sent);

    const DeviceOptions &options() const { return m_options; }
    // Run-time change of options and faults ("key=value[,key=value...]").
    bool setOptions(const QString &assignments, QString *error);

    bool isBusy() const;
    // Power cycle, as after a reboot or a replug.
    void restart();
    QByteArray record(RecordKind kind, bool permanent) const;
    // Test setup: the record goes into working and permanent memory.
    bool writeRecord(RecordKind kind, const QByteArray &record, QString *error);
    QString stateFileError() const { return m_firmware.stateFileError(); }

private:
    EmulatedController(const DeviceOptions &options, const Clock &clock, const SettingsMemory &memory);

    void configureFirmware();
    ControlResult getReport(const ControlSetup &setup) const;
    ControlResult setReport(const ControlSetup &setup, const QByteArray &sent);
    bool stalls(quint8 reportId) const;

    DeviceOptions m_options;
    ControllerFirmware m_firmware;
};
