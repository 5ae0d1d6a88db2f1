// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

namespace {
void (*beforeAbort)() = nullptr;
} // namespace

void setBeforeContractAbort(void (*callback)())
{
    beforeAbort = callback;
}

void fuzzContractBroken(const char *condition, const std::string &message, const char *file, int line)
{
    std::fprintf(stderr, "\n==== contract broken at %s:%d\n==== %s\n==== %s\n", file, line, condition,
                 message.c_str());
    std::fflush(stderr);
    if (beforeAbort)
        beforeAbort();
    std::abort();
}

std::string hexBytes(const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const unsigned char *>(data);
    std::string text;
    char byte[6];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02x" : "%02x", bytes[i]);
        text += byte;
    }
    return text;
}
