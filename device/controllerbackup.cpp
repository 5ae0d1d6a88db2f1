// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/controllerbackup.h"

#include "device/devicekinds.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace {

constexpr int EFFECTS_SIZE = int(sizeof(EffectSettingsTypeDef));
constexpr int HARDWARE_SIZE = int(sizeof(HardwareSettingsTypeDef));
constexpr int EFFECTS_AT = ControllerBackup::HEADER_SIZE;
constexpr int HARDWARE_AT = EFFECTS_AT + EFFECTS_SIZE;
constexpr int CHECKSUM_AT = HARDWARE_AT + HARDWARE_SIZE;

template<typename Number>
void put(QByteArray &bytes, int at, Number value)
{
    qToLittleEndian(value, bytes.data() + at);
}

template<typename Number>
Number take(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<Number>(bytes.constData() + at);
}

std::optional<ControllerBackup> refuse(ControllerBackup::Problem *problem, ControllerBackup::Problem what)
{
    if (problem)
        *problem = what;
    return std::nullopt;
}

QString kindName(int deviceType)
{
    return DeviceKinds::displayNames().value(deviceType, ControllerBackup::tr("controller of type %1").arg(deviceType));
}

} // namespace

QByteArray ControllerBackup::toBytes() const
{
    QByteArray bytes(CHECKSUM_AT, '\0');
    std::memcpy(bytes.data(), MAGIC, MAGIC_SIZE);
    put<quint16>(bytes, 8, FORMAT_VERSION);
    put<quint16>(bytes, 10, quint16(productId));
    put<quint32>(bytes, 12, firmwareVersion);
    bytes[16] = char(deviceType);
    put<quint16>(bytes, 20, quint16(EFFECTS_SIZE));
    put<quint16>(bytes, 22, quint16(HARDWARE_SIZE));
    std::memcpy(bytes.data() + EFFECTS_AT, &effects, EFFECTS_SIZE);
    std::memcpy(bytes.data() + HARDWARE_AT, &hardware, HARDWARE_SIZE);
    bytes.resize(FILE_SIZE);
    put<quint32>(bytes, CHECKSUM_AT, checksum(bytes.left(CHECKSUM_AT)));
    return bytes;
}

std::optional<ControllerBackup> ControllerBackup::fromBytes(const QByteArray &bytes, Problem *problem)
{
    // The magic first, so that any other file is called what it is, however short.
    const size_t compared = size_t(qMin<qsizetype>(MAGIC_SIZE, bytes.size()));
    if (bytes.isEmpty() || std::memcmp(bytes.constData(), MAGIC, compared) != 0)
        return refuse(problem, Problem::NotABackup);
    if (bytes.size() < HEADER_SIZE)
        return refuse(problem, Problem::Truncated);
    if (take<quint16>(bytes, 8) > FORMAT_VERSION)
        return refuse(problem, Problem::NewerFormat);
    if (take<quint16>(bytes, 20) != EFFECTS_SIZE || take<quint16>(bytes, 22) != HARDWARE_SIZE)
        return refuse(problem, Problem::OtherLayout);
    if (bytes.size() < FILE_SIZE)
        return refuse(problem, Problem::Truncated);
    if (bytes.size() > FILE_SIZE || take<quint32>(bytes, CHECKSUM_AT) != checksum(bytes.left(CHECKSUM_AT)))
        return refuse(problem, Problem::Damaged);

    ControllerBackup backup;
    backup.productId = take<quint16>(bytes, 10);
    backup.firmwareVersion = take<quint32>(bytes, 12);
    backup.deviceType = quint8(bytes.at(16));
    std::memcpy(&backup.effects, bytes.constData() + EFFECTS_AT, EFFECTS_SIZE);
    std::memcpy(&backup.hardware, bytes.constData() + HARDWARE_AT, HARDWARE_SIZE);
    if (problem)
        *problem = Problem::None;
    return backup;
}

bool ControllerBackup::save(const QString &path, QString *problem) const
{
    QSaveFile file(path);
    const QByteArray bytes = toBytes();
    // Unbuffered, so that a full disk fails the write rather than the commit of an empty file.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (problem)
        *problem = tr("%1 could not be written: %2.").arg(path, file.errorString());
    return false;
}

std::optional<ControllerBackup> ControllerBackup::load(const QString &path, QString *problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = tr("%1 could not be read: %2.").arg(path, file.errorString());
        return std::nullopt;
    }
    // A little more than a backup holds, so that a longer file is told apart from a backup.
    Problem found = Problem::None;
    std::optional<ControllerBackup> backup = fromBytes(file.read(FILE_SIZE + 1), &found);
    if (!backup && problem)
        *problem = describe(found, path);
    return backup;
}

ControllerBackup::Match ControllerBackup::match(int controllerProductId, const DeviceInfoTypeDef &controller) const
{
    if (productId != controllerProductId || deviceType != controller.deviceType)
        return Match::OtherKind;
    return firmwareVersion == controller.firmwareVersion ? Match::Same : Match::OtherFirmware;
}

QString ControllerBackup::mismatch(int controllerProductId, const DeviceInfoTypeDef &controller) const
{
    switch (match(controllerProductId, controller)) {
    case Match::OtherKind:
        return tr("The backup is of a %1 (product id %2), but this controller is a %3 (product id %4).")
            .arg(kindName(deviceType))
            .arg(productId)
            .arg(kindName(controller.deviceType))
            .arg(controllerProductId);
    case Match::OtherFirmware:
        return tr("The backup was made with firmware %1, but this controller runs firmware %2: the settings may "
                  "mean something else to it.")
            .arg(firmwareVersion)
            .arg(controller.firmwareVersion);
    case Match::Same:
        break;
    }
    return {};
}

QString ControllerBackup::origin() const
{
    return tr("%1, product id %2, firmware %3").arg(kindName(deviceType)).arg(productId).arg(firmwareVersion);
}

QString ControllerBackup::describe(Problem problem, const QString &path)
{
    switch (problem) {
    case Problem::None:
        break;
    case Problem::NotABackup:
        return tr("%1 is not a Kestrov controller backup.").arg(path);
    case Problem::NewerFormat:
        return tr("%1 was written by a newer version of Kestrov Setup and cannot be read by this one.").arg(path);
    case Problem::OtherLayout:
        return tr("%1 holds settings records of other sizes than these controllers have.").arg(path);
    case Problem::Truncated:
        return tr("%1 is cut short: it ends before the backup does.").arg(path);
    case Problem::Damaged:
        return tr("%1 is damaged: its checksum does not match its content.").arg(path);
    }
    return {};
}

quint32 ControllerBackup::checksum(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}
