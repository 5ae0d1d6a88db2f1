// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backupactions.h"

#include "app/mainwindow.h"
#include "device/deviceclient.h"
#include "device/devicekinds.h"
#include "device/devicereply.h"
#include "device/outcometext.h"
#include "device/recordfield.h"

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

#include <cstring>

namespace {

template<typename Record>
QByteArray bytesOf(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

QString controllerName(int productId)
{
    const DeviceKind *kind = DeviceKinds::byProductId(productId);
    return kind ? QString::fromLatin1(kind->displayName) : QString::number(productId);
}

} // namespace

BackupActions::BackupActions(QMainWindow *window, DeviceClient *client, Selection selection, RereadPages rereadPages)
    : QObject(window)
    , m_window(window)
    , m_client(client)
    , m_selection(std::move(selection))
    , m_rereadPages(std::move(rereadPages))
    , m_backUp(new QAction(tr("&Back up controller…"), this))
    , m_restore(new QAction(tr("&Restore…"), this))
{
    setObjectName(QStringLiteral("backup_actions"));
    m_backUp->setObjectName(QStringLiteral("backup_action"));
    m_restore->setObjectName(QStringLiteral("restore_action"));
    m_menu = window->menuBar()->addMenu(tr("&Controller"));
    m_menu->setObjectName(QStringLiteral("controller_menu"));
    m_menu->addAction(m_backUp);
    m_menu->addAction(m_restore);
    connect(m_menu, &QMenu::aboutToShow, this, &BackupActions::updateActions);
    connect(m_backUp, &QAction::triggered, this, &BackupActions::backUp);
    connect(m_restore, &QAction::triggered, this, &BackupActions::restore);
    updateActions();
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
    // One read at a time, so that after a failure no other outcome covers the words for it.
    request(CommandOutcome::ReadEffects, {}, &BackupActions::effectsRead);
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
    request(CommandOutcome::writeCommand(RecordKind::Effects, save), bytesOf(m_backup.effects), &BackupActions::recordRestored);
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

void BackupActions::request(CommandOutcome::Command command, const QByteArray &record,
                            void (BackupActions::*next)(const CommandOutcome &))
{
    emit commandStarting();
    DeviceReply *reply = m_client->send(command, m_controller.productId, record);
    connect(reply, &DeviceReply::finished, this, next);
}

void BackupActions::effectsRead(const CommandOutcome &outcome)
{
    if (!outcome.succeeded()) {
        finish(tr("No backup was written. %1").arg(OutcomeText::describe(outcome)), false);
        return;
    }
    std::memcpy(static_cast<void *>(&m_backup.effects), outcome.record.constData(), sizeof m_backup.effects);
    request(CommandOutcome::ReadHardware, {}, &BackupActions::hardwareRead);
}

void BackupActions::hardwareRead(const CommandOutcome &outcome)
{
    if (!outcome.succeeded()) {
        finish(tr("No backup was written. %1").arg(OutcomeText::describe(outcome)), false);
        return;
    }
    std::memcpy(static_cast<void *>(&m_backup.hardware), outcome.record.constData(), sizeof m_backup.hardware);
    QString problem;
    if (!m_backup.save(m_path, &problem)) {
        finish(problem, false);
        return;
    }
    finish(tr("Controller backed up to %1 (%2).").arg(QDir::toNativeSeparators(m_path), m_backup.origin()), true);
}

void BackupActions::recordRestored(const CommandOutcome &outcome)
{
    if (!outcome.succeeded() && outcome.result != CommandOutcome::Differs) {
        finish(outcome.isEffects() ? tr("The restore stopped before the hardware settings. %1").arg(OutcomeText::describe(outcome))
                                   : tr("The restore stopped after the effect settings. %1").arg(OutcomeText::describe(outcome)),
               false);
        return;
    }
    m_keptOtherValues += RecordFields::differences(outcome.recordFields(), outcome.sent, outcome.kept);
    if (outcome.isEffects()) {
        request(CommandOutcome::writeCommand(RecordKind::Hardware, m_save), bytesOf(m_backup.hardware),
                &BackupActions::recordRestored);
        return;
    }
    // The pages show what the controller now holds.
    m_rereadPages([this] { restoreEnded(); });
}

void BackupActions::restoreEnded()
{
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
    m_window->statusBar()->showMessage(message, succeeded ? MainWindow::STATUS_MESSAGE_MS : 0);
}
