// SPDX-License-Identifier: GPL-3.0-or-later
#include "preload.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <limits.h>
#include <unistd.h>

namespace Preload {

namespace {

constexpr const char *UMOCKDEV_LIBRARY = "libumockdev-preload.so.0";
// Built next to the runner.
constexpr const char *NODE_LIBRARY = VIRTUAL_CONTROLLER_PRELOAD_LIBRARY;

void appendToVariable(const char *name, const std::string &value, char separator)
{
    const char *current = std::getenv(name);
    const std::string combined = current && *current ? std::string(current) + separator + value : value;
    setenv(name, combined.c_str(), 1);
}

std::string nodeLibraryPath()
{
    char executable[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0)
        return std::string();
    const std::string path(executable, size_t(length));
    return path.substr(0, path.rfind('/') + 1) + NODE_LIBRARY;
}

} // namespace

bool isLoaded()
{
    const char *preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, "libumockdev-preload") && std::strstr(preload, NODE_LIBRARY);
}

std::string restartUnderPreload(char **argv)
{
    const std::string nodes = nodeLibraryPath();
    if (nodes.empty() || access(nodes.c_str(), R_OK) != 0)
        return "cannot find the preload library " + (nodes.empty() ? std::string(NODE_LIBRARY) : nodes);
    const char *current = std::getenv("LD_PRELOAD");
    const std::string libraries = nodes + ':' + UMOCKDEV_LIBRARY;
    setenv("LD_PRELOAD", current && *current ? (libraries + ':' + current).c_str() : libraries.c_str(), 1);
    // A sanitizer runtime wants to be loaded first; with the preload in front it is not,
    // which is fine here.
    appendToVariable("ASAN_OPTIONS", "verify_asan_link_order=0", ':');
    execv("/proc/self/exe", argv);
    return std::string("cannot restart under the preload libraries: ") + std::strerror(errno);
}

} // namespace Preload
