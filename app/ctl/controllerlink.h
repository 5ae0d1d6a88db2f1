// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"
#include "device/deviceclient.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

// The window's way to the controllers, driven one request at a time: the command line waits
// for each outcome while its own thread stays free to say that a busy controller is being
// waited for.
class ControllerLink : public QObject
{
    Q_OBJECT

public:
    // A busy wait shorter than this passes without a word.
    static constexpr int PROGRESS_AFTER_MS = 1000;

    using Survey = DeviceClient::Survey;
    // One device command: which, for which controller, and for a write the whole record.
    struct Request {
        CommandOutcome::Command command = CommandOutcome::ReadEffects;
        int productId = -1;
        QByteArray record;
    };
    struct Reply {
        // A read's record is the outcome's.
        CommandOutcome outcome;
    };

    ControllerLink();

    bool isUsbAvailable() const { return m_client.isUsbAvailable(); }
    // One poll cycle: the controllers that answered and those that cannot be opened. The
    // ones that answered stay open for the commands.
    Survey survey() { return m_client.survey(); }
    Reply run(const Request &request);

private:
    void showProgress();

    DeviceClient m_client;
    QTimer m_progress;
};
