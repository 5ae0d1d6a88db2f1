// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <linux/input.h>

#include <vector>

// One evdev client's event buffer, kept as drivers/input/evdev.c keeps it: a ring whose
// size is a power of two, of which a reader sees only whole packets (up to the last
// SYN_REPORT). When it fills up, everything unread is dropped and a SYN_DROPPED takes its
// place, so that the reader knows to sync its state again.
class EventQueue
{
public:
    explicit EventQueue(unsigned size);

    // __pass_event().
    void push(const input_event &event);
    // __evdev_queue_syn_dropped(): a SYN_DROPPED that becomes readable with the next packet.
    void queueDropped(const timeval &time);
    // __evdev_flush_queue(): the events of `type` leave the queue, and packets left empty
    // with them; done when the reader asks for that type's state.
    void flushType(int type);
    void clear();
    bool isEmpty() const { return m_head == m_tail; }
    // Whether nothing was added since the last SYN_REPORT (an empty report is not passed on).
    bool isAtPacketStart() const { return m_packetHead == m_head; }
    int readableCount() const;
    bool fetch(input_event *event);

private:
    unsigned m_mask;
    std::vector<input_event> m_buffer;
    unsigned m_head = 0;
    unsigned m_tail = 0;
    unsigned m_packetHead = 0;
};
