// SPDX-License-Identifier: GPL-3.0-or-later
#include "statefile.h"

#include <QFile>
#include <QSaveFile>

namespace StateFile {

std::optional<SettingsMemory> load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read state file %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    std::optional<SettingsMemory> memory = SettingsMemory::fromImage(file.readAll());
    if (!memory)
        *error = QStringLiteral("state file %1 is not %2 bytes").arg(path).arg(SettingsMemory::imageSize());
    return memory;
}

bool store(const QString &path, const SettingsMemory &memory, QString *error)
{
    // Written aside and renamed, so that an interrupted save leaves the old state whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(memory.permanentImage()) != SettingsMemory::imageSize()
        || !file.commit()) {
        *error = QStringLiteral("cannot write state file %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace StateFile
