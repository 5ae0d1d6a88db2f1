// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"
#include "device/controllerbackup.h"
#include "device/deviceinfo.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class DeviceClient;
class QAction;
class QMainWindow;
class QMenu;

// The window's "Controller" menu: backs the chosen controller up to a file and restores one,
// in the file format and with the checks of kestrov-ctl. The records travel through the
// window's device client like every other command, each step waiting for its own reply, and
// the end of each backup or restore is said in the status bar.
class BackupActions : public QObject
{
    Q_OBJECT

public:
    struct Controller {
        int productId = -1;
        DeviceInfoTypeDef info;
    };
    // The controller chosen in the window now; product id -1 for none.
    using Selection = std::function<Controller()>;
    // Reads the chosen controller's records onto the window's pages, then calls `then`.
    using RereadPages = std::function<void(const std::function<void()> &then)>;

    BackupActions(QMainWindow *window, DeviceClient *client, Selection selection, RereadPages rereadPages);

    // The "Controller" menu, for the window's own entries after these.
    QMenu *menu() const { return m_menu; }
    // What the menu entries do once a file is chosen; the restore still asks before it writes.
    void backUpTo(const QString &path);
    void restoreFrom(const QString &path);

signals:
    // A backup or restore sends its next command now.
    void commandStarting();

private:
    enum class Job { None, Backup, Restore };

    void backUp();
    void restore();
    void updateActions();
    // Why no backup or restore can start now, or empty when one can.
    QString whyNot() const;
    // Says whyNot in the status bar, if there is anything to say.
    bool refusedNow();
    bool startJob(Job job, const QString &path);
    bool confirmRestore(const ControllerBackup &backup, const QString &path, bool *save);
    // Sends one command for the job's controller; `next` gets its outcome.
    void request(CommandOutcome::Command command, const QByteArray &record,
                 void (BackupActions::*next)(const CommandOutcome &));
    void effectsRead(const CommandOutcome &outcome);
    void hardwareRead(const CommandOutcome &outcome);
    void recordRestored(const CommandOutcome &outcome);
    void restoreEnded();
    void finish(const QString &message, bool succeeded);

    QMainWindow *m_window;
    DeviceClient *m_client;
    Selection m_selection;
    RereadPages m_rereadPages;
    QAction *m_backUp;
    QAction *m_restore;
    QMenu *m_menu = nullptr;

    Job m_job = Job::None;
    QString m_path;
    Controller m_controller;
    ControllerBackup m_backup;
    bool m_save = false;
    QStringList m_keptOtherValues;
};
