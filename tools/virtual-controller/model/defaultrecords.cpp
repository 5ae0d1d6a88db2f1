// SPDX-License-Identifier: GPL-3.0-or-later
#include "defaultrecords.h"

#include "firmwareprotocol.h"
#include "recordbytes.h"

using namespace RecordBytes;

namespace DefaultRecords {

namespace {

struct KindDefaults {
    quint16 motionRangeDegrees;
    float maxForceKg;
    quint8 polePairs;
    quint16 encoderCpr;
    quint8 calibrationMode;
};

KindDefaults defaultsFor(ControllerKind kind)
{
    switch (kind) {
    case ControllerKind::Joystick:
        return {50, 8.0f, 7, 4096, 1};
    case ControllerKind::Rudder:
        return {60, 20.0f, 11, 4096, 1};
    case ControllerKind::Wheel:
        return {900, 12.0f, 4, 16384, 2};
    case ControllerKind::Collective:
        return {40, 10.0f, 7, 4096, 1};
    case ControllerKind::Generic:
        break;
    }
    return {90, 10.0f, 7, 4096, 1};
}

constexpr int EFFECT_AXIS_BLOCKS[] = {128, 256};
constexpr int HARDWARE_AXIS_BLOCKS[] = {256, 384};
constexpr quint8 DIRECTION_NORMAL = 0x01;
constexpr quint8 DIRECTION_INVERTED = 0xFF;

void putEffectAxis(QByteArray &record, int block, const KindDefaults &kind)
{
    putU8(record, block + 0, 80);    // total effect scale, %
    putU8(record, block + 1, 70);    // soft stop strength, %
    putU8(record, block + 2, 5);     // soft stop range, degrees
    putU16(record, block + 3, 20);   // static dampening
    putU16(record, block + 5, 30);   // dynamic dampening
    putU16(record, block + 7, kind.motionRangeDegrees);
    putF32(record, block + 9, kind.maxForceKg);
    putU16(record, block + 14, 50);  // soft stop dampening
}

void putHardwareAxis(QByteArray &record, int block, const KindDefaults &kind)
{
    putU8(record, block + 0, DIRECTION_NORMAL);    // encoder direction
    putU8(record, block + 1, DIRECTION_INVERTED);  // force direction
    putU8(record, block + 2, kind.polePairs);
    putU16(record, block + 3, kind.encoderCpr);
    putF32(record, block + 7, 1.5f);               // P gain
    putF32(record, block + 11, 0.05f);             // I gain
}

} // namespace

QByteArray effects(ControllerKind kind)
{
    const KindDefaults defaults = defaultsFor(kind);
    QByteArray record(FirmwareProtocol::EFFECT_RECORD_SIZE, '\0');
    putU8(record, 0, 0xFF);  // constant force not inverted
    putU8(record, 1, 100);   // DirectX spring strength, %
    putU8(record, 2, 100);   // DirectX constant strength, %
    putU8(record, 3, 100);   // DirectX periodic strength, %
    for (int block : EFFECT_AXIS_BLOCKS)
        putEffectAxis(record, block, defaults);
    return record;
}

QByteArray hardware(ControllerKind kind)
{
    const KindDefaults defaults = defaultsFor(kind);
    QByteArray record(FirmwareProtocol::HARDWARE_RECORD_SIZE, '\0');
    putU8(record, 0, 1);                         // forces enabled
    putU8(record, 3, defaults.calibrationMode);
    putU8(record, 4, 1);                         // amplifier gain 40 V/V
    putU8(record, 48, 80);                       // power limit, %
    putU8(record, 49, 50);                       // braking resistor limit, %
    putU8(record, 50, 40);                       // calibration magnitude, %
    putU8(record, 51, 30);                       // calibration speed, %
    putU8(record, 52, 60);                       // calibration stop current, %
    for (int axis = 0; axis < 3; ++axis) {
        putU8(record, 59 + axis, 20);            // analog button low threshold, %
        putU8(record, 62 + axis, 80);            // analog button high threshold, %
        putU16(record, 67 + 2 * axis, 100);      // analog lower dead zone
        putU16(record, 73 + 2 * axis, 100);      // analog upper dead zone
        putU8(record, 79 + axis, 10);            // analog smoothing, %
    }
    putU8(record, 65, 10);                       // position smoothing, %
    putU8(record, 66, 8);                        // speed sample buffer, samples
    for (int block : HARDWARE_AXIS_BLOCKS)
        putHardwareAxis(record, block, defaults);
    return record;
}

} // namespace DefaultRecords
