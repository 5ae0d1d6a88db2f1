// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closequestion.h"

#include "app/pagestates.h"
#include "app/recordstatus.h"
#include "device/deviceclient.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

CloseQuestion::CloseQuestion(QMainWindow *window, QMenu *menu, PageStates *states, DeviceClient *client, SaveRecord save)
    : QObject(window)
    , m_window(window)
    , m_states(states)
    , m_client(client)
    , m_save(std::move(save))
{
    connect(client, &DeviceClient::idle, this, [this] {
        if (!m_closeWhenIdle || !m_window->close())
            return;
        // Closing a window that is hidden already does not count as closing the last one,
        // so the program would live on unseen.
        if (QGuiApplication::quitOnLastWindowClosed())
            QCoreApplication::quit();
    });
    menu->addSeparator();
    QAction *quit = menu->addAction(tr("&Quit"));
    quit->setObjectName(QStringLiteral("quit_action"));
    quit->setShortcuts(quitKeys());
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, window, &QWidget::close);
}

QList<QKeySequence> CloseQuestion::quitKeys()
{
    // Desktops without a key scheme of their own have no Quit keys; Ctrl+Q is the usual one.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (keys.isEmpty())
        keys.append(QKeySequence(Qt::CTRL | Qt::Key_Q));
    return keys;
}

bool CloseQuestion::closeNow()
{
    // Asked once: not again when the window closes itself after the last command.
    if (!m_closeWhenIdle && !allowClose())
        return false;
    // Commands the user asked for still go out: the window goes away at once and the
    // program ends when the last one has (each is bounded by the busy-wait limit).
    if (m_client->pendingRequests() > 0) {
        m_closeWhenIdle = true;
        // Nobody looks for controllers any more.
        m_client->stopPolling();
        m_window->hide();
        return false;
    }
    return true;
}

bool CloseQuestion::allowClose()
{
    const QList<RecordKind> unsaved = m_states->unsavedRecords();
    if (unsaved.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Question, tr("Close Kestrov Setup"), question(unsaved), QMessageBox::Cancel, m_window);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(whatCloseLoses(unsaved));
    QPushButton *save = box.addButton(tr("Save to the controller and close"), QMessageBox::AcceptRole);
    save->setObjectName(QStringLiteral("close_save_button"));
    QPushButton *close = box.addButton(tr("Close"), QMessageBox::DestructiveRole);
    close->setObjectName(QStringLiteral("close_discard_button"));
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == close)
        return true;
    if (box.clickedButton() != save)
        return false;
    bool allSent = true;
    for (RecordKind kind : unsaved)
        allSent = m_save(kind) && allSent;
    return allSent;
}

QString CloseQuestion::question(const QList<RecordKind> &unsaved) const
{
    QStringList lines{tr("Not everything is saved to the controller's permanent memory:")};
    for (RecordKind kind : unsaved) {
        const bool effects = kind == RecordKind::Effects;
        switch (m_states->status(kind)->state()) {
        case RecordStatus::Edited:
        case RecordStatus::NotSent:
            lines << (effects ? tr("The effect settings hold edits that are not applied.")
                              : tr("The hardware settings hold edits that are not applied."));
            break;
        case RecordStatus::Applied:
            lines << (effects ? tr("The effect settings are applied but not saved.")
                              : tr("The hardware settings are applied but not saved."));
            break;
        default:
            lines << (effects ? tr("The controller kept other effect settings than the page shows.")
                              : tr("The controller kept other hardware settings than the pages show."));
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString CloseQuestion::whatCloseLoses(const QList<RecordKind> &unsaved) const
{
    bool edited = false;
    bool applied = false;
    bool differs = false;
    for (RecordKind kind : unsaved) {
        const RecordStatus::State state = m_states->status(kind)->state();
        edited = edited || state == RecordStatus::Edited || state == RecordStatus::NotSent;
        applied = applied || state == RecordStatus::Applied;
        differs = differs || state == RecordStatus::Differs;
    }
    QStringList lost;
    if (edited && applied)
        lost << tr("If you close: the controller keeps applied values until it restarts; edits not applied are lost.");
    else if (applied)
        lost << tr("If you close: the controller keeps the applied values until it restarts, then goes back to its saved ones.");
    else if (edited)
        lost << tr("If you close: the edits not applied are lost.");
    if (differs)
        lost << tr("The values on the pages that the controller did not take are lost.");
    return lost.join(QLatin1Char(' '));
}
