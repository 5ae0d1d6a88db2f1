// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"

#include <QObject>

// The answer to one request sent through a DeviceClient, delivered to whoever sent it and to
// nobody else. It says `finished` once, with the command's outcome (a read's record inside),
// and then deletes itself.
class DeviceReply : public QObject
{
    Q_OBJECT

public:
    explicit DeviceReply(quint64 id, QObject *parent = nullptr);

    quint64 id() const { return m_id; }
    bool isFinished() const { return m_finished; }
    const CommandOutcome &outcome() const { return m_outcome; }

    // Called by the client when the worker's outcome for this request arrives.
    void finish(const CommandOutcome &outcome);

signals:
    void finished(const CommandOutcome &outcome);

private:
    quint64 m_id;
    bool m_finished = false;
    CommandOutcome m_outcome;
};
