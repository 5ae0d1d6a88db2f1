// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <linux/input.h>

#include <vector>

// The effect slots of a force-feedback input device, with the rules of the kernel's
// input_ff_upload() and erase_effect(): a slot belongs to the open file that uploaded into
// it, id -1 takes the lowest free slot, only the owner may change or erase it, and any
// client may play it. Also keeps which effects are playing: every start has its own number,
// so that a timer for an earlier playback finds it over.
class ForceFeedbackSlots
{
public:
    explicit ForceFeedbackSlots(int count);

    int count() const { return int(m_slots.size()); }
    // 0 or a negative errno; the id taken is written back into `effect`.
    int upload(ff_effect &effect, const void *owner);
    // 0 or a negative errno; the effect stops and its slot is free.
    int erase(int id, const void *owner);
    // The ids of the effects `owner` uploaded.
    std::vector<int> ownedBy(const void *owner) const;
    // Whether the slot holds an effect (check_effect_access() without a file).
    bool exists(int id) const;
    const ff_effect &effect(int id) const { return m_slots[size_t(id)].effect; }

    // The playback's number.
    unsigned long start(int id);
    // False when it was not playing.
    bool stop(int id);
    // Whether that playback is still going.
    bool isPlaying(int id, unsigned long playback) const;

private:
    struct Slot {
        const void *owner = nullptr;
        ff_effect effect{};
        unsigned long playback = 0; // 0: not playing
    };

    int checkAccess(int id, const void *owner) const;

    std::vector<Slot> m_slots;
    unsigned long m_lastPlayback = 0;
};
