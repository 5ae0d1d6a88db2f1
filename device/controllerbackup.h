// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/deviceinfo.h"
#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

// A whole controller in one file: both settings records, with the controller's kind, product
// id and firmware version, so that it can be put back after a firmware update or a mistake.
// The window and the command line write and check it alike.
//
// The file, all numbers little-endian:
//   offset  size
//        0     8  "KSTRVBAK"
//        8     2  format version, 1
//       10     2  USB product id
//       12     4  firmware version
//       16     1  device type (the kind code of the device information record)
//       17     3  zero
//       20     2  length of the effect record, 384
//       22     2  length of the hardware record, 512
//       24   384  the effect record, as the controller sends it
//      408   512  the hardware record, as the controller sends it
//      920     4  CRC-32 (as zlib's crc32) of the 920 bytes before it
class ControllerBackup
{
    Q_DECLARE_TR_FUNCTIONS(ControllerBackup)

public:
    static constexpr char MAGIC[] = "KSTRVBAK";
    static constexpr int MAGIC_SIZE = 8;
    static constexpr quint16 FORMAT_VERSION = 1;
    static constexpr int HEADER_SIZE = 24;
    static constexpr int CHECKSUM_SIZE = 4;
    static constexpr int FILE_SIZE =
        HEADER_SIZE + int(sizeof(EffectSettingsTypeDef)) + int(sizeof(HardwareSettingsTypeDef)) + CHECKSUM_SIZE;

    enum class Problem { None, NotABackup, NewerFormat, OtherLayout, Truncated, Damaged };
    // How a backup stands to a controller it might be restored onto.
    enum class Match { Same, OtherFirmware, OtherKind };

    int productId = 0;
    int deviceType = 0;
    quint32 firmwareVersion = 0;
    EffectSettingsTypeDef effects;
    HardwareSettingsTypeDef hardware;

    QByteArray toBytes() const;
    static std::optional<ControllerBackup> fromBytes(const QByteArray &bytes, Problem *problem = nullptr);

    // Replaces `path` atomically. On failure, `problem` gets the words.
    bool save(const QString &path, QString *problem) const;
    // The backup in `path`, or nothing and `problem` in words: unreadable, not a backup, cut
    // short or damaged.
    static std::optional<ControllerBackup> load(const QString &path, QString *problem);

    Match match(int controllerProductId, const DeviceInfoTypeDef &controller) const;
    // Why a backup does not quite fit the controller, or empty when it is the same kind and firmware.
    QString mismatch(int controllerProductId, const DeviceInfoTypeDef &controller) const;
    // "Kestrov Wheel PRO, product id 22999, firmware 241123"
    QString origin() const;

    static QString describe(Problem problem, const QString &path);
    // CRC-32 with the polynomial of zlib, gzip and PNG.
    static quint32 checksum(const QByteArray &bytes);
};
