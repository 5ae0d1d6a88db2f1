// SPDX-License-Identifier: GPL-3.0-or-later
#include "forcefeedbackslots.h"

#include <cerrno>

ForceFeedbackSlots::ForceFeedbackSlots(int count)
    : m_slots(size_t(count))
{
}

// check_effect_access().
int ForceFeedbackSlots::checkAccess(int id, const void *owner) const
{
    if (!exists(id))
        return -EINVAL;
    if (owner && m_slots[size_t(id)].owner != owner)
        return -EACCES;
    return 0;
}

bool ForceFeedbackSlots::exists(int id) const
{
    return id >= 0 && id < count() && m_slots[size_t(id)].owner;
}

int ForceFeedbackSlots::upload(ff_effect &effect, const void *owner)
{
    int id = effect.id;
    if (id == -1) {
        id = 0;
        while (id < count() && m_slots[size_t(id)].owner)
            ++id;
        if (id == count())
            return -ENOSPC;
        effect.id = static_cast<__s16>(id);
    } else {
        if (const int error = checkAccess(id, owner))
            return error;
        // check_effects_compatible(): an update keeps the type (and waveform).
        const ff_effect &old = m_slots[size_t(id)].effect;
        if (effect.type != old.type || (effect.type == FF_PERIODIC && effect.u.periodic.waveform != old.u.periodic.waveform))
            return -EINVAL;
    }
    Slot &slot = m_slots[size_t(id)];
    slot.owner = owner;
    slot.effect = effect;
    return 0;
}

int ForceFeedbackSlots::erase(int id, const void *owner)
{
    if (const int error = checkAccess(id, owner))
        return error;
    m_slots[size_t(id)] = Slot{};
    return 0;
}

std::vector<int> ForceFeedbackSlots::ownedBy(const void *owner) const
{
    std::vector<int> ids;
    for (int id = 0; id < count(); ++id)
        if (m_slots[size_t(id)].owner == owner)
            ids.push_back(id);
    return ids;
}

unsigned long ForceFeedbackSlots::start(int id)
{
    m_slots[size_t(id)].playback = ++m_lastPlayback;
    return m_lastPlayback;
}

bool ForceFeedbackSlots::stop(int id)
{
    const bool wasPlaying = m_slots[size_t(id)].playback != 0;
    m_slots[size_t(id)].playback = 0;
    return wasPlaying;
}

bool ForceFeedbackSlots::isPlaying(int id, unsigned long playback) const
{
    return id >= 0 && id < count() && m_slots[size_t(id)].playback == playback && playback != 0;
}
