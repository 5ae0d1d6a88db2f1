#pragma once

#include "device/commandoutcome.h"
#include "device/deviceaccess.h"
#include "device/deviceinfo.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

class SettingsUiBackgroundThread;
class UsbSession;

// The window's device worker, on a thread of its own as in the window, driven one command
// at a time: the command line waits for each outcome while its own thread stays free to
// say that a busy controller is being waited for.
class ControllerLink : public QObject
{
    Q_OBJECT

public:
    // A busy wait shorter than this passes without a word.
    static constexpr int PROGRESS_AFTER_MS = 1000;

    struct Survey {
        QMap<int, DeviceInfoTypeDef> connected;
        DeviceAccessIssues accessIssues;
    };
    struct Reply {
        CommandOutcome outcome;
        // The record a read brought, empty otherwise.
        QByteArray record;
    };
    using Command = std::function<void(SettingsUiBackgroundThread *)>;

    ControllerLink();
    ~ControllerLink() override;

    bool isUsbAvailable() const;
    // One poll cycle: the controllers that answered and those that cannot be opened. The
    // ones that answered stay open for the commands.
    Survey survey();
    Reply run(const Command &command);

private:
    void showProgress();

    std::unique_ptr<UsbSession> session;
    SettingsUiBackgroundThread *worker = nullptr;
    QThread thread;
    QTimer progress;
};
