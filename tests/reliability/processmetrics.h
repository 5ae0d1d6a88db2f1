#pragma once

// What this process holds right now, read from /proc/self: resident memory and open file
// descriptors. Both are -1 when /proc cannot be read.
namespace ProcessMetrics {

long long residentKilobytes();
int openFileDescriptors();

} // namespace ProcessMetrics
