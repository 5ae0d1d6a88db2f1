// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "eventqueue.h"

#include <ctime>
#include <map>
#include <vector>

typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

// One open file of an event node, as evdev keeps it: its queue, the clock its time stamps
// come from, the event masks it set, whether it was revoked, and the read it waits in.
class EvdevClient
{
public:
    explicit EvdevClient(unsigned bufferSize);
    ~EvdevClient();
    EvdevClient(const EvdevClient &) = delete;
    EvdevClient &operator=(const EvdevClient &) = delete;

    EventQueue &queue() { return m_queue; }
    const EventQueue &queue() const { return m_queue; }

    clockid_t clock() const { return m_clock; }
    // evdev_set_clk_type(): false for a clock evdev does not offer. A change drops what is
    // queued, with a SYN_DROPPED when there was something.
    bool setClock(clockid_t clock, const timespec &now);

    // __evdev_is_filtered().
    bool isFiltered(int type, int code) const;
    // The mask of a type, empty when none was set (everything passes).
    const std::vector<unsigned long> *mask(int type) const;
    void setMask(int type, std::vector<unsigned long> bits);

    bool isNonBlocking() const { return m_nonBlocking; }
    void setNonBlocking(bool on) { m_nonBlocking = on; }

    bool isRevoked() const { return m_revoked; }
    void revoke() { m_revoked = true; }

    // A read that waits for a packet; the client is referenced while it waits.
    UMockdevIoctlClient *pendingRead() const { return m_pendingRead; }
    void setPendingRead(UMockdevIoctlClient *client);
    UMockdevIoctlClient *takePendingRead();

    // The FIFO its poll() sleeps on under the preload library; notify() writes a byte to it.
    void setNotifyPath(const char *path);
    void notify();

    static timeval toTimeval(const timespec &time);

private:
    EventQueue m_queue;
    clockid_t m_clock = CLOCK_REALTIME;
    std::map<int, std::vector<unsigned long>> m_masks;
    bool m_revoked = false;
    bool m_nonBlocking = false;
    UMockdevIoctlClient *m_pendingRead = nullptr;
    int m_notifyFd = -1;
};
