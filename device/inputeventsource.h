// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"

#include <QList>
#include <QString>

#include <memory>

// A controller's kernel input device, open for reading through libevdev: its axes and
// buttons, and each change of them as the kernel reports it. Resynchronises after the
// kernel dropped events (SYN_DROPPED), so the state is whole again. Blocking waits belong
// on a thread of their own; wake() may be called from any thread to end a wait early.
class InputEventSource
{
public:
    struct Change {
        int type = 0;   // EV_ABS or EV_KEY
        int code = 0;
        int value = 0;
        // The kernel's time stamp of the event, in microseconds.
        qint64 timeUs = 0;
    };

    enum class Wait { Changes, TimedOut, Woken, Gone };

    ~InputEventSource();

    // Opens the node read-only; null with the problem when it cannot be opened.
    static std::unique_ptr<InputEventSource> open(const QString &node, LiveInputProblem *problem);

    QString node() const { return m_node; }
    QString deviceName() const;
    // The state now, with the names and ranges the kernel gives.
    InputSnapshot snapshot() const;
    // The kernel's name of a code: "ABS_RX", "BTN_TRIGGER_HAPPY1".
    static QString codeName(int type, int code);

    // Waits up to timeoutMs (-1: no limit) for changes and appends them to `changes`.
    Wait waitForChanges(QList<Change> &changes, int timeoutMs);
    // Waits up to timeoutMs without reading, so that what the device reports meanwhile is
    // read later in one go; false when woken.
    bool pause(int timeoutMs);
    void wake();

private:
    InputEventSource() = default;
    void describeLayout();

    QString m_node;
    int m_fd = -1;
    int m_wakeFd = -1;
    struct libevdev *m_device = nullptr;
    // The device's codes with their names, without values.
    InputSnapshot m_layout;
};
