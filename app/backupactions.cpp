#include "app/backupactions.h"

#include "app/mainwindow.h"
#include "device/devicekinds.h"
#include "device/outcometext.h"
#include "device/recordfield.h"
#include "device/settingsuibackgroundthread.h"
#include "effects/effectrecordfields.h"
#include "hardware/hardwarerecordfields.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

namespace {

QString controllerName(int productId)
{
    return DeviceKinds::displayNames().value(DeviceKinds::productIds().key(productId, -1), QString::number(productId));
}

} // namespace

BackupActions::BackupActions(QMainWindow *window, SettingsUiBackgroundThread *worker, Queue queue, Selection selection)
    : QObject(window)
    , m_window(window)
    , m_queue(std::move(queue))
    , m_selection(std::move(selection))
    , m_backUp(new QAction(tr("&Back up controller…"), this))
    , m_restore(new QAction(tr("&Restore…"), this))
{
    setObjectName(QStringLiteral("backup_actions"));
    m_backUp->setObjectName(QStringLiteral("backup_action"));
    m_restore->setObjectName(QStringLiteral("restore_action"));
    QMenu *menu = window->menuBar()->addMenu(tr("&Controller"));
    menu->addAction(m_backUp);
    menu->addAction(m_restore);
    connect(menu, &QMenu::aboutToShow, this, &BackupActions::updateActions);
    connect(m_backUp, &QAction::triggered, this, &BackupActions::backUp);
    connect(m_restore, &QAction::triggered, this, &BackupActions::restore);
    updateActions();

    connect(worker, &SettingsUiBackgroundThread::effectSettingsObtained, this,
            [this](const EffectSettingsTypeDef &settings) { m_effects = settings; });
    connect(worker, &SettingsUiBackgroundThread::hardwareSettingsObtained, this,
            [this](const HardwareSettingsTypeDef &settings) { m_hardware = settings; });
    // After the window's own handler, so the end of a job is said after its last command's outcome.
    connect(worker, &SettingsUiBackgroundThread::commandFinished, this, &BackupActions::commandFinished);
}

void BackupActions::updateActions()
{
    const bool ready = whyNot().isEmpty();
    m_backUp->setEnabled(ready);
    m_restore->setEnabled(ready);
}

void BackupActions::backUp()
{
    if (refusedNow())
        return;
    const Controller controller = m_selection();
    const QString suggested = QStringLiteral("%1-%2.kbak")
                                  .arg(controllerName(controller.productId).toLower().replace(QLatin1Char(' '), QLatin1Char('-')))
                                  .arg(controller.info.firmwareVersion);
    const QString path = QFileDialog::getSaveFileName(m_window, tr("Back up controller"), QDir::home().filePath(suggested),
                                                      tr("Controller backups (*.kbak);;All files (*)"));
    if (!path.isEmpty())
        backUpTo(path);
}

void BackupActions::restore()
{
    if (refusedNow())
        return;
    const QString path = QFileDialog::getOpenFileName(m_window, tr("Restore controller"), QDir::homePath(),
                                                      tr("Controller backups (*.kbak);;All files (*)"));
    if (!path.isEmpty())
        restoreFrom(path);
}

QString BackupActions::whyNot() const
{
    if (m_job != Job::None)
        return tr("A backup or restore is still under way: wait for it to end.");
    if (m_selection().productId == -1)
        return tr("Choose a controller first.");
    return {};
}

bool BackupActions::refusedNow()
{
    const QString why = whyNot();
    if (!why.isEmpty())
        m_window->statusBar()->showMessage(why);
    return !why.isEmpty();
}

bool BackupActions::startJob(Job job, const QString &path)
{
    if (refusedNow())
        return false;
    m_job = job;
    m_path = path;
    m_controller = m_selection();
    m_expected.clear();
    m_keptOtherValues.clear();
    return true;
}

void BackupActions::backUpTo(const QString &path)
{
    if (!startJob(Job::Backup, path))
        return;
    m_backup = ControllerBackup{};
    m_backup.productId = m_controller.productId;
    m_backup.deviceType = m_controller.info.deviceType;
    m_backup.firmwareVersion = m_controller.info.firmwareVersion;
    const int productId = m_controller.productId;
    expect(CommandOutcome::ReadEffects, [productId](SettingsUiBackgroundThread *device) { device->readEffectSettings(productId); }, false);
}

void BackupActions::restoreFrom(const QString &path)
{
    if (refusedNow())
        return;
    const Controller controller = m_selection();
    QString problem;
    const std::optional<ControllerBackup> backup = ControllerBackup::load(path, &problem);
    if (backup && backup->match(controller.productId, controller.info) == ControllerBackup::Match::OtherKind)
        problem = backup->mismatch(controller.productId, controller.info);
    if (!problem.isEmpty()) {
        m_window->statusBar()->showMessage(problem + QLatin1Char(' ') + tr("Nothing was written to the controller."));
        return;
    }
    bool save = false;
    if (!confirmRestore(*backup, path, &save))
        return;
    // The list may have changed while the question was open.
    if (m_selection().productId != controller.productId || !startJob(Job::Restore, path))
        return;
    m_backup = *backup;
    m_save = save;
    const int productId = controller.productId;
    const EffectSettingsTypeDef effects = m_backup.effects;
    expect(save ? CommandOutcome::SaveEffects : CommandOutcome::ApplyEffects,
           [productId, effects, save](SettingsUiBackgroundThread *device) {
               save ? device->saveEffectsSettings(productId, effects) : device->applyEffectSettings(productId, effects);
           });
}

bool BackupActions::confirmRestore(const ControllerBackup &backup, const QString &path, bool *save)
{
    const Controller controller = m_selection();
    QString text = tr("Restoring replaces all effect and hardware settings of the %1 with those of the backup.\n\n"
                      "File: %2\nBacked up from: %3")
                       .arg(controllerName(controller.productId), QDir::toNativeSeparators(path), backup.origin());
    const QString mismatch = backup.mismatch(controller.productId, controller.info);
    if (!mismatch.isEmpty())
        text += QStringLiteral("\n\n") + mismatch;
    text += QStringLiteral("\n\n")
        + tr("\"Restore\" writes them to the controller's working memory; \"Restore and save\" also makes them permanent.");

    QMessageBox box(mismatch.isEmpty() ? QMessageBox::Question : QMessageBox::Warning, tr("Restore the controller"), text,
                    QMessageBox::Cancel, m_window);
    box.setTextFormat(Qt::PlainText);
    QPushButton *apply = box.addButton(tr("Restore"), QMessageBox::AcceptRole);
    apply->setObjectName(QStringLiteral("restore_apply_button"));
    QPushButton *permanent = box.addButton(tr("Restore and save"), QMessageBox::AcceptRole);
    permanent->setObjectName(QStringLiteral("restore_save_button"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    *save = box.clickedButton() == permanent;
    return box.clickedButton() == apply || box.clickedButton() == permanent;
}

void BackupActions::expect(CommandOutcome::Command command, const Command &queued, bool forPages)
{
    m_expected.append(command);
    m_queue(queued, forPages);
}

void BackupActions::commandFinished(const CommandOutcome &outcome)
{
    if (m_job == Job::None || m_expected.isEmpty() || outcome.productId != m_controller.productId
        || outcome.command != m_expected.first())
        return;
    m_expected.removeFirst();
    if (m_job == Job::Backup)
        continueBackup(outcome);
    else
        continueRestore(outcome);
}

void BackupActions::continueBackup(const CommandOutcome &outcome)
{
    if (!outcome.succeeded()) {
        finish(tr("No backup was written. %1").arg(OutcomeText::describe(outcome)), false);
        return;
    }
    // The records of a read are emitted just before its outcome. One read at a time, so
    // that after a failure no other outcome covers the words for it.
    if (outcome.command == CommandOutcome::ReadEffects) {
        m_backup.effects = *m_effects;
        const int productId = m_controller.productId;
        expect(CommandOutcome::ReadHardware, [productId](SettingsUiBackgroundThread *device) { device->readHardwareSettings(productId); }, false);
        return;
    }
    m_backup.hardware = *m_hardware;
    QString problem;
    if (!m_backup.save(m_path, &problem)) {
        finish(problem, false);
        return;
    }
    finish(tr("Controller backed up to %1 (%2).").arg(QDir::toNativeSeparators(m_path), m_backup.origin()), true);
}

void BackupActions::continueRestore(const CommandOutcome &outcome)
{
    const int productId = m_controller.productId;
    if (outcome.writesRecord()) {
        if (!outcome.succeeded() && outcome.result != CommandOutcome::Differs) {
            finish(outcome.isEffects() ? tr("The restore stopped before the hardware settings. %1").arg(OutcomeText::describe(outcome))
                                       : tr("The restore stopped after the effect settings. %1").arg(OutcomeText::describe(outcome)),
                   false);
            return;
        }
        const QList<RecordField> &fields = outcome.isEffects() ? effectRecordFields() : hardwareRecordFields();
        m_keptOtherValues += RecordFields::differences(fields, outcome.sent, outcome.kept);
        if (outcome.isEffects()) {
            const HardwareSettingsTypeDef hardware = m_backup.hardware;
            const bool save = m_save;
            expect(save ? CommandOutcome::SaveHardware : CommandOutcome::ApplyHardware,
                   [productId, hardware, save](SettingsUiBackgroundThread *device) {
                       save ? device->saveHardwareSettings(productId, hardware) : device->applyHardwareSettings(productId, hardware);
                   });
            return;
        }
        // The pages show what the controller now holds.
        expect(CommandOutcome::ReadEffects, [productId](SettingsUiBackgroundThread *device) { device->readEffectSettings(productId); });
        expect(CommandOutcome::ReadHardware, [productId](SettingsUiBackgroundThread *device) { device->readHardwareSettings(productId); });
        return;
    }
    if (!m_expected.isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(m_path);
    if (!m_keptOtherValues.isEmpty())
        finish(tr("Restored %1, but the controller kept other values for: %2.")
                   .arg(path, QLocale().createSeparatedList(m_keptOtherValues)),
               false);
    else if (m_save)
        finish(tr("Restored %1 and saved it to the controller's permanent memory; every setting verified.").arg(path), true);
    else
        finish(tr("Restored %1 to the controller's working memory; every setting verified.").arg(path), true);
}

void BackupActions::finish(const QString &message, bool succeeded)
{
    m_job = Job::None;
    m_expected.clear();
    m_window->statusBar()->showMessage(message, succeeded ? MainWindow::STATUS_MESSAGE_MS : 0);
}
