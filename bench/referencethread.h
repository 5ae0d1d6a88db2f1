// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThread>

#include <functional>

// A long-lived thread of its own for the protocol-minimum transfers, idle between runs like
// the tool's device worker. Transfers issued from the GUI thread take up to twice as long
// under the emulation, and a fresh thread's first transfers are slower as well; either would
// distort the minimum.
class ReferenceThread
{
public:
    ReferenceThread();
    ~ReferenceThread();
    ReferenceThread(const ReferenceThread &) = delete;
    ReferenceThread &operator=(const ReferenceThread &) = delete;

    // Runs `measurement` there and returns its result; the caller's thread waits meanwhile.
    double run(const std::function<double()> &measurement);

private:
    QThread thread;
    QObject context;
};
