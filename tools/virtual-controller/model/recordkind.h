// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The two settings records a controller keeps.
enum class RecordKind { Effects, Hardware };

namespace RecordKinds {

// "effect" or "hardware"
std::optional<RecordKind> fromName(const QString &name);
int size(RecordKind kind);

} // namespace RecordKinds
