// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/forceeffectplayer.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The kernel's directions: 0x4000 pushes to the left, 0xC000 to the right.
constexpr quint16 DIRECTION_LEFT = 0x4000;
constexpr quint16 DIRECTION_RIGHT = 0xC000;
// A sine the hand feels as a shake rather than a push.
constexpr quint16 SINE_PERIOD_MS = 250;

qint16 scaledLevel(int percent)
{
    return qint16(0x7FFF * percent / 100);
}

ff_effect effectFor(const ForceTestRequest &request)
{
    ff_effect effect{};
    effect.id = -1;
    effect.direction = request.direction == ForceTestRequest::Right ? DIRECTION_RIGHT : DIRECTION_LEFT;
    effect.replay.length = quint16(request.durationMs);
    switch (request.effect) {
    case ForceTestRequest::Constant:
        effect.type = FF_CONSTANT;
        effect.u.constant.level = scaledLevel(request.strengthPercent);
        break;
    case ForceTestRequest::Spring:
        effect.type = FF_SPRING;
        for (ff_condition_effect &condition : effect.u.condition) {
            condition.right_saturation = condition.left_saturation = quint16(0xFFFF * request.strengthPercent / 100);
            condition.right_coeff = condition.left_coeff = scaledLevel(request.strengthPercent);
        }
        break;
    case ForceTestRequest::Sine:
        effect.type = FF_PERIODIC;
        effect.u.periodic.waveform = FF_SINE;
        effect.u.periodic.period = SINE_PERIOD_MS;
        effect.u.periodic.magnitude = scaledLevel(request.strengthPercent);
        break;
    }
    return effect;
}

bool hasForceFeedback(int fd)
{
    unsigned long types = 0;
    return ioctl(fd, EVIOCGBIT(0, sizeof types), &types) >= 0 && (types & (1UL << EV_FF));
}

bool writeEvent(int fd, int code, int value)
{
    input_event event{};
    event.type = EV_FF;
    event.code = quint16(code);
    event.value = value;
    return ::write(fd, &event, sizeof event) == ssize_t(sizeof event);
}

} // namespace

ForceEffectPlayer::~ForceEffectPlayer()
{
    stop();
}

ForceTestOutcome ForceEffectPlayer::start(const QString &node, const ForceTestRequest &request)
{
    stop();
    ForceTestOutcome outcome;
    outcome.limitProblem = request.problem();
    if (!outcome.limitProblem.isEmpty()) {
        outcome.kind = ForceTestOutcome::OutOfLimits;
        return outcome;
    }
    if (node.isEmpty()) {
        outcome.kind = ForceTestOutcome::NoInputDevice;
        outcome.inputProblem.kind = LiveInputProblem::NoInputDevice;
        return outcome;
    }
    m_fd = ::open(node.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        outcome.kind = ForceTestOutcome::NoInputDevice;
        outcome.inputProblem = LiveInputProblem::forOpenError(node, errno);
        return outcome;
    }
    if (!hasForceFeedback(m_fd)) {
        outcome.kind = ForceTestOutcome::NoForceFeedback;
        stop();
        return outcome;
    }
    ff_effect effect = effectFor(request);
    if (ioctl(m_fd, EVIOCSFF, &effect) < 0) {
        outcome.kind = ForceTestOutcome::Refused;
        outcome.systemError = errno;
        stop();
        return outcome;
    }
    m_effectId = effect.id;
    if (!writeEvent(m_fd, m_effectId, 1)) {
        outcome.kind = ForceTestOutcome::Refused;
        outcome.systemError = errno;
        stop();
        return outcome;
    }
    outcome.kind = ForceTestOutcome::Played;
    return outcome;
}

void ForceEffectPlayer::stop()
{
    if (m_fd < 0)
        return;
    // Each step is tried even when the one before failed (the controller may have left);
    // closing the file removes whatever is left of the effect in any case.
    if (m_effectId >= 0) {
        writeEvent(m_fd, m_effectId, 0);
        ioctl(m_fd, EVIOCRMFF, m_effectId);
    }
    ::close(m_fd);
    m_fd = -1;
    m_effectId = -1;
}
