// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsmemory.h"

#include "firmwareprotocol.h"

using namespace FirmwareProtocol;

SettingsMemory::SettingsMemory(const QByteArray &effects, const QByteArray &hardware)
    : m_working{effects, hardware}
    , m_permanent{effects, hardware}
{
}

QByteArray SettingsMemory::working(RecordKind kind) const
{
    return m_working.of(kind);
}

QByteArray SettingsMemory::permanent(RecordKind kind) const
{
    return m_permanent.of(kind);
}

void SettingsMemory::setWorking(RecordKind kind, const QByteArray &record)
{
    m_working.of(kind) = record;
}

void SettingsMemory::setBoth(RecordKind kind, const QByteArray &record)
{
    m_working.of(kind) = record;
    m_permanent.of(kind) = record;
}

void SettingsMemory::save()
{
    m_permanent = m_working;
}

void SettingsMemory::reload()
{
    m_working = m_permanent;
}

QByteArray SettingsMemory::permanentImage() const
{
    return m_permanent.effects + m_permanent.hardware;
}

int SettingsMemory::imageSize()
{
    return EFFECT_RECORD_SIZE + HARDWARE_RECORD_SIZE;
}

std::optional<SettingsMemory> SettingsMemory::fromImage(const QByteArray &image)
{
    if (image.size() != imageSize())
        return std::nullopt;
    return SettingsMemory(image.left(EFFECT_RECORD_SIZE), image.mid(EFFECT_RECORD_SIZE));
}
