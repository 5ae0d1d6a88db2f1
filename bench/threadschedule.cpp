#include "bench/threadschedule.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

ThreadSchedule::ThreadSchedule()
    : file(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC))
{
}

ThreadSchedule::~ThreadSchedule()
{
    if (file >= 0)
        ::close(file);
}

ThreadSchedule::Totals ThreadSchedule::totals() const
{
    // "run time, run delay, time slices", in nanoseconds.
    char line[128];
    const ssize_t length = file >= 0 ? ::pread(file, line, sizeof line - 1, 0) : -1;
    if (length <= 0)
        return {};
    line[length] = '\0';
    char *next = nullptr;
    Totals totals;
    totals.runNs = std::strtoll(line, &next, 10);
    totals.waitNs = std::strtoll(next, nullptr, 10);
    return totals;
}
