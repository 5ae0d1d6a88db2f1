// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectsettings.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <cstring>

// Byte-level access to records and name-based access to the panel's controls, shared by
// the effects tests.
namespace EffectTest {

inline QByteArray bytesOf(const EffectSettingsTypeDef &settings)
{
    return QByteArray(reinterpret_cast<const char *>(&settings), sizeof settings);
}

inline EffectSettingsTypeDef recordFrom(const QByteArray &bytes)
{
    EffectSettingsTypeDef settings;
    std::memcpy(&settings, bytes.constData(), sizeof settings);
    return settings;
}

inline void putU16(QByteArray &bytes, int offset, uint16_t value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

inline uint16_t u16At(const QByteArray &bytes, int offset)
{
    return uint16_t(uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8);
}

inline void putFloat(QByteArray &bytes, int offset, float value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

inline float floatAt(const QByteArray &bytes, int offset)
{
    float value;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

// Fails loudly instead of handing a null pointer to the test.
template <typename T>
T *control(const QWidget &panel, const QString &name)
{
    T *found = panel.findChild<T *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

// The panel makes its profiles directory in the working directory; tests run in a fresh
// one so they neither litter the build tree nor see each other's files.
class ScratchWorkingDirectory
{
public:
    ScratchWorkingDirectory()
        : m_previous(QDir::currentPath())
    {
        if (!m_directory.isValid() || !QDir::setCurrent(m_directory.path()))
            qFatal("cannot enter a temporary working directory");
    }
    ~ScratchWorkingDirectory() { QDir::setCurrent(m_previous); }
    ScratchWorkingDirectory(const ScratchWorkingDirectory &) = delete;
    ScratchWorkingDirectory &operator=(const ScratchWorkingDirectory &) = delete;

    QString path() const { return m_directory.path(); }
    QString filePath(const QString &name) const { return m_directory.filePath(name); }

private:
    QTemporaryDir m_directory;
    QString m_previous;
};

} // namespace EffectTest
