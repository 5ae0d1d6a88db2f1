// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class DeviceClient;
class PageStates;
class QMainWindow;
class QMenu;

// How the window closes. It asks first while the pages hold edits not applied or applied
// values not saved: save them and close, close and lose what the question names, or stay.
// Commands still running go out: the window hides and closes once they have ended. It also
// ends the "Controller" menu with Quit, which closes the window the normal way.
class CloseQuestion : public QObject
{
    Q_OBJECT

public:
    // Sends a save of the record's pages through the window's save path; false when it
    // refused to send (the status bar says why).
    using SaveRecord = std::function<bool(RecordKind kind)>;

    CloseQuestion(QMainWindow *window, QMenu *menu, PageStates *states, DeviceClient *client, SaveRecord save);

    static QList<QKeySequence> quitKeys();
    // Whether the window may close now; false also while it waits, hidden, for commands.
    bool closeNow();

private:
    // Asks when something would be lost; false to stay.
    bool allowClose();
    QString question(const QList<RecordKind> &unsaved) const;
    QString whatCloseLoses(const QList<RecordKind> &unsaved) const;

    QMainWindow *m_window;
    PageStates *m_states;
    DeviceClient *m_client;
    bool m_closeWhenIdle = false;
    SaveRecord m_save;
};
