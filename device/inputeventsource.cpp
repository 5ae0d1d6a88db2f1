// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/inputeventsource.h"

#include <QElapsedTimer>

#include <libevdev/libevdev.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

InputEventSource::~InputEventSource()
{
    if (m_device)
        libevdev_free(m_device);
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

std::unique_ptr<InputEventSource> InputEventSource::open(const QString &node, LiveInputProblem *problem)
{
    std::unique_ptr<InputEventSource> source(new InputEventSource);
    source->m_node = node;
    source->m_fd = ::open(node.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source->m_fd < 0) {
        *problem = LiveInputProblem::forOpenError(node, errno);
        return nullptr;
    }
    const int result = libevdev_new_from_fd(source->m_fd, &source->m_device);
    if (result < 0) {
        source->m_device = nullptr;
        *problem = LiveInputProblem::forOpenError(node, -result);
        return nullptr;
    }
    source->describeLayout();
    source->m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (source->m_wakeFd < 0) {
        *problem = LiveInputProblem::forOpenError(node, errno);
        return nullptr;
    }
    *problem = {};
    return source;
}

QString InputEventSource::deviceName() const
{
    return QString::fromUtf8(libevdev_get_name(m_device));
}

QString InputEventSource::codeName(int type, int code)
{
    if (const char *name = libevdev_event_code_get_name(type, code))
        return QString::fromLatin1(name);
    // Codes the kernel gives no name, as buttons 13 to 15 of a joystick (0x12c to 0x12e).
    return QStringLiteral("%1_0x%2").arg(type == EV_ABS ? QStringLiteral("ABS") : QStringLiteral("BTN")).arg(code, 0, 16);
}

InputSnapshot InputEventSource::snapshot() const
{
    // The codes and their names stay as they were at opening; only the values are read anew.
    InputSnapshot snapshot = m_layout;
    for (InputAxisState &axis : snapshot.axes) {
        const input_absinfo *info = libevdev_get_abs_info(m_device, axis.code);
        axis.value = info->value;
        axis.minimum = info->minimum;
        axis.maximum = info->maximum;
    }
    for (InputButtonState &button : snapshot.buttons)
        button.pressed = libevdev_get_event_value(m_device, EV_KEY, button.code) != 0;
    return snapshot;
}

void InputEventSource::describeLayout()
{
    for (int code = 0; code <= ABS_MAX; ++code)
        if (libevdev_has_event_code(m_device, EV_ABS, code))
            m_layout.axes.append({code, codeName(EV_ABS, code)});
    for (int code = 0; code <= KEY_MAX; ++code)
        if (libevdev_has_event_code(m_device, EV_KEY, code))
            m_layout.buttons.append({code, codeName(EV_KEY, code)});
    m_layout.forceFeedback = libevdev_has_event_type(m_device, EV_FF);
}

InputEventSource::Wait InputEventSource::waitForChanges(QList<Change> &changes, int timeoutMs)
{
    const qsizetype before = changes.size();
    QElapsedTimer reading;
    reading.start();
    for (;;) {
        input_event event{};
        int result = libevdev_next_event(m_device, LIBEVDEV_READ_FLAG_NORMAL, &event);
        if (result == LIBEVDEV_READ_STATUS_SYNC) {
            // The kernel dropped events: libevdev hands out what changed meanwhile, so the
            // state is whole again before normal reading goes on.
            while (result == LIBEVDEV_READ_STATUS_SYNC) {
                result = libevdev_next_event(m_device, LIBEVDEV_READ_FLAG_SYNC, &event);
                if (result == LIBEVDEV_READ_STATUS_SYNC && (event.type == EV_ABS || event.type == EV_KEY))
                    changes.append({event.type, event.code, event.value,
                                    qint64(event.input_event_sec) * 1000000 + event.input_event_usec});
            }
            continue;
        }
        if (result == LIBEVDEV_READ_STATUS_SUCCESS) {
            if (event.type == EV_ABS || event.type == EV_KEY)
                changes.append({event.type, event.code, event.value,
                                qint64(event.input_event_sec) * 1000000 + event.input_event_usec});
            // Reading what is there never turns into following a device that reports as
            // fast as it is read: a whole report after a millisecond is enough.
            if (event.type == EV_SYN && event.code == SYN_REPORT && changes.size() > before
                && reading.nsecsElapsed() > 1000000)
                return Wait::Changes;
            continue;
        }
        if (result != -EAGAIN)
            return Wait::Gone;
        if (changes.size() > before)
            return Wait::Changes;
        if (timeoutMs == 0)
            return Wait::TimedOut;
        pollfd fds[] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)))
            return Wait::Gone;
        if (fds[1].revents & POLLIN) {
            eventfd_t count = 0;
            eventfd_read(m_wakeFd, &count);
            return Wait::Woken;
        }
        if (ready == 0)
            return Wait::TimedOut;
    }
}

bool InputEventSource::pause(int timeoutMs)
{
    pollfd wakeUp{m_wakeFd, POLLIN, 0};
    if (::poll(&wakeUp, 1, timeoutMs) <= 0)
        return true;
    eventfd_t count = 0;
    eventfd_read(m_wakeFd, &count);
    return false;
}

void InputEventSource::wake()
{
    eventfd_write(m_wakeFd, 1);
}
