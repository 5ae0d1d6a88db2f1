#include "preload.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

namespace Preload {

namespace {

constexpr const char *LIBRARY = "libumockdev-preload.so.0";

void appendToVariable(const char *name, const std::string &value, char separator)
{
    const char *current = std::getenv(name);
    const std::string combined = current && *current ? std::string(current) + separator + value : value;
    setenv(name, combined.c_str(), 1);
}

} // namespace

bool isLoaded()
{
    const char *preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, "libumockdev-preload");
}

void restartUnderPreload(char **argv)
{
    const char *current = std::getenv("LD_PRELOAD");
    setenv("LD_PRELOAD", current && *current ? (std::string(LIBRARY) + ':' + current).c_str() : LIBRARY, 1);
    // A sanitizer runtime wants to be loaded first; with the preload in front it is not,
    // which is fine here.
    appendToVariable("ASAN_OPTIONS", "verify_asan_link_order=0", ':');
    execv("/proc/self/exe", argv);
}

} // namespace Preload
