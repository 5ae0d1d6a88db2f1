#pragma once

#include "device/commandoutcome.h"
#include "device/controllerbackup.h"
#include "device/deviceinfo.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QMainWindow;
class SettingsUiBackgroundThread;

// The window's "Controller" menu: backs the chosen controller up to a file and restores one,
// in the file format and with the checks of kestrov-ctl. The records travel through the
// window's worker like every other command, and the end of each backup or restore is said in
// the status bar after the commands' own outcomes.
class BackupActions : public QObject
{
    Q_OBJECT

public:
    using Command = std::function<void(SettingsUiBackgroundThread *)>;
    // Queues a command to the worker as the window's own commands are queued; a read with
    // `forPages` false leaves the pages (and any edits on them) as they are.
    using Queue = std::function<void(const Command &, bool forPages)>;
    struct Controller {
        int productId = -1;
        DeviceInfoTypeDef info;
    };
    // The controller chosen in the window now; product id -1 for none.
    using Selection = std::function<Controller()>;

    BackupActions(QMainWindow *window, SettingsUiBackgroundThread *worker, Queue queue, Selection selection);

    // What the menu entries do once a file is chosen; the restore still asks before it writes.
    void backUpTo(const QString &path);
    void restoreFrom(const QString &path);

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
    void commandFinished(const CommandOutcome &outcome);
    void continueBackup(const CommandOutcome &outcome);
    void continueRestore(const CommandOutcome &outcome);
    void expect(CommandOutcome::Command command, const Command &queued, bool forPages = true);
    void finish(const QString &message, bool succeeded);

    QMainWindow *m_window;
    Queue m_queue;
    Selection m_selection;
    QAction *m_backUp;
    QAction *m_restore;

    Job m_job = Job::None;
    QString m_path;
    Controller m_controller;
    ControllerBackup m_backup;
    bool m_save = false;
    // The job's commands whose outcomes have not come back yet, in order.
    QList<CommandOutcome::Command> m_expected;
    QStringList m_keptOtherValues;
    std::optional<EffectSettingsTypeDef> m_effects;
    std::optional<HardwareSettingsTypeDef> m_hardware;
};
