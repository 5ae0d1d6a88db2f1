// SPDX-License-Identifier: GPL-3.0-or-later
#include "eventqueue.h"

EventQueue::EventQueue(unsigned size)
    : m_mask(size - 1)
    , m_buffer(size)
{
}

void EventQueue::push(const input_event &event)
{
    m_buffer[m_head++] = event;
    m_head &= m_mask;
    if (m_head == m_tail) {
        // Drops all unread events, leaving SYN_DROPPED and the newest event.
        m_tail = (m_head - 2) & m_mask;
        input_event &dropped = m_buffer[m_tail];
        dropped = event;
        dropped.type = EV_SYN;
        dropped.code = SYN_DROPPED;
        dropped.value = 0;
        m_packetHead = m_tail;
    }
    if (event.type == EV_SYN && event.code == SYN_REPORT)
        m_packetHead = m_head;
}

void EventQueue::queueDropped(const timeval &time)
{
    input_event &dropped = m_buffer[m_head++];
    dropped = input_event{};
    dropped.time = time;
    dropped.type = EV_SYN;
    dropped.code = SYN_DROPPED;
    m_head &= m_mask;
    if (m_head == m_tail) {
        m_tail = (m_head - 1) & m_mask;
        m_packetHead = m_tail;
    }
}

void EventQueue::flushType(int type)
{
    unsigned head = m_tail;
    m_packetHead = m_tail;
    // 1, so that a leading SYN_REPORT stays.
    unsigned count = 1;
    for (unsigned i = m_tail; i != m_head; i = (i + 1) & m_mask) {
        const input_event event = m_buffer[i];
        const bool isReport = event.type == EV_SYN && event.code == SYN_REPORT;
        if (event.type == type)
            continue;
        if (isReport && count == 0)
            continue;
        m_buffer[head] = event;
        ++count;
        head = (head + 1) & m_mask;
        if (isReport) {
            count = 0;
            m_packetHead = head;
        }
    }
    m_head = head;
}

void EventQueue::clear()
{
    m_head = m_tail = m_packetHead = 0;
}

int EventQueue::readableCount() const
{
    return int((m_packetHead - m_tail) & m_mask);
}

bool EventQueue::fetch(input_event *event)
{
    if (m_packetHead == m_tail)
        return false;
    *event = m_buffer[m_tail++];
    m_tail &= m_mask;
    return true;
}
