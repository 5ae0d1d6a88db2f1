// SPDX-License-Identifier: GPL-3.0-or-later
#include "evdevclient.h"

#include "inputcapabilities.h"

#include <glib-object.h>

#include <climits>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int BITS_PER_LONG = int(sizeof(unsigned long) * CHAR_BIT);

} // namespace

EvdevClient::EvdevClient(unsigned bufferSize)
    : m_queue(bufferSize)
{
}

EvdevClient::~EvdevClient()
{
    if (m_pendingRead)
        g_object_unref(m_pendingRead);
    if (m_notifyFd >= 0)
        ::close(m_notifyFd);
}

void EvdevClient::setNotifyPath(const char *path)
{
    if (m_notifyFd >= 0)
        ::close(m_notifyFd);
    // The reading end is open already, so a non-blocking open for writing succeeds.
    m_notifyFd = ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
}

void EvdevClient::notify()
{
    // A full FIFO has a byte waiting already, which is all a poll needs: no error matters.
    if (m_notifyFd >= 0)
        [[maybe_unused]] const ssize_t written = ::write(m_notifyFd, "", 1);
}

bool EvdevClient::setClock(clockid_t clock, const timespec &now)
{
    if (clock != CLOCK_REALTIME && clock != CLOCK_MONOTONIC && clock != CLOCK_BOOTTIME)
        return false;
    if (clock != m_clock) {
        m_clock = clock;
        if (!m_queue.isEmpty()) {
            m_queue.clear();
            m_queue.queueDropped(toTimeval(now));
        }
    }
    return true;
}

bool EvdevClient::isFiltered(int type, int code) const
{
    if (type == EV_SYN)
        return false;
    const auto test = [](const std::vector<unsigned long> &bits, int bit) {
        return (bits[size_t(bit / BITS_PER_LONG)] >> (bit % BITS_PER_LONG) & 1) != 0;
    };
    if (const std::vector<unsigned long> *types = mask(EV_SYN); types && !test(*types, type))
        return true;
    const int max = InputCapabilities::maxCode(type);
    if (max < 0 || code > max)
        return false;
    const std::vector<unsigned long> *codes = mask(type);
    return codes && !test(*codes, code);
}

const std::vector<unsigned long> *EvdevClient::mask(int type) const
{
    const auto found = m_masks.find(type);
    return found == m_masks.end() ? nullptr : &found->second;
}

void EvdevClient::setMask(int type, std::vector<unsigned long> bits)
{
    m_masks[type] = std::move(bits);
}

void EvdevClient::setPendingRead(UMockdevIoctlClient *client)
{
    if (m_pendingRead)
        g_object_unref(m_pendingRead);
    m_pendingRead = client ? static_cast<UMockdevIoctlClient *>(g_object_ref(client)) : nullptr;
}

UMockdevIoctlClient *EvdevClient::takePendingRead()
{
    UMockdevIoctlClient *client = m_pendingRead;
    m_pendingRead = nullptr;
    return client;
}

timeval EvdevClient::toTimeval(const timespec &time)
{
    return timeval{time.tv_sec, time.tv_nsec / 1000};
}
