// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// A broken contract ends the run as a crash, which libFuzzer records together with the
// input; the message says which rule broke. The message is only built on failure.
#define FUZZ_REQUIRE(condition, message)                                   \
    do {                                                                   \
        if (!(condition))                                                  \
            ::fuzzContractBroken(#condition, (message), __FILE__, __LINE__); \
    } while (false)

[[noreturn]] void fuzzContractBroken(const char *condition, const std::string &message,
                                     const char *file, int line);

// Runs right before a broken contract ends the process, which skips the atexit handlers.
void setBeforeContractAbort(void (*callback)());

// "1f 00 ..." for failure messages.
std::string hexBytes(const void *data, std::size_t size);
