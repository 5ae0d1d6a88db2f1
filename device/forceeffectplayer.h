// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/forcetestoutcome.h"
#include "device/forcetestrequest.h"

#include <QString>

// Plays one test effect through the kernel's force-feedback interface of a controller's
// input device: opens the event node read-write, uploads the effect (EVIOCSFF) with the
// test's duration as its length, plays it, and stops and removes it (EVIOCRMFF) before
// closing the node. Should the program die meanwhile, the kernel removes the effects of
// the closed file, so no force outlives the test. Synchronous: each call is a few ioctls.
class ForceEffectPlayer
{
public:
    ForceEffectPlayer() = default;
    ForceEffectPlayer(const ForceEffectPlayer &) = delete;
    ForceEffectPlayer &operator=(const ForceEffectPlayer &) = delete;
    ~ForceEffectPlayer();

    // Checks the limits, uploads and plays. Played means "playing now"; any other kind
    // means nothing plays and the node is closed again.
    ForceTestOutcome start(const QString &node, const ForceTestRequest &request);
    // Stops, removes and closes; nothing when not playing.
    void stop();
    bool isPlaying() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    int m_effectId = -1;
};
