// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsmemory.h"

#include <QString>

#include <optional>

// A controller's permanent memory kept in a file, so that saved settings outlive the
// emulator: the raw effect record followed by the raw hardware record.
namespace StateFile {

// Nothing when the file does not exist; an error when it exists but is not a state image.
std::optional<SettingsMemory> load(const QString &path, QString *error);
bool store(const QString &path, const SettingsMemory &memory, QString *error);

} // namespace StateFile
