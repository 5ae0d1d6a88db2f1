// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// What this process holds right now, read from /proc/self: resident memory and open file
// descriptors. Both are -1 when /proc cannot be read.
namespace ProcessMetrics {

long long residentKilobytes();
int openFileDescriptors();
// What each open descriptor refers to ("/dev/hidraw0", "socket:[1234]", "anon_inode:[eventfd]"),
// sorted, so that two moments can be compared.
QStringList openDescriptorTargets();

} // namespace ProcessMetrics
