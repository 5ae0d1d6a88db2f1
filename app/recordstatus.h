// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>

class QLabel;

// Where the values on one record's pages stand against the selected controller: still being
// read, not read, as read, edited, applied, saved, or kept differently by the controller.
// Shown in a small mark beside each of the record's pages' buttons.
class RecordStatus : public QObject
{
    Q_OBJECT

public:
    // ShownOtherwise: as read, but the pages show some of the controller's values otherwise
    // (beyond a field's range, not one of its choices), and an apply would send the pages'.
    // NotSent: the last apply or save failed before it went out. Unconfirmed: it went out,
    // but whether the controller took it is unknown. NotVerified: the controller took it, but
    // reading it back failed.
    enum State {
        NoController,
        Reading,
        ReadFailed,
        AsRead,
        ShownOtherwise,
        Edited,
        Applied,
        Saved,
        Differs,
        NotSent,
        Unconfirmed,
        NotVerified,
    };

    explicit RecordStatus(QObject *parent = nullptr);

    void addMark(QLabel *mark);
    State state() const { return m_state; }
    // Whether the pages hold the controller's values (or edits of them), so they may be sent.
    bool hasRecord() const { return m_state != NoController && m_state != Reading && m_state != ReadFailed; }

    // A controller was chosen and its record asked for, or none is chosen.
    void startReading();
    void clear();
    // The controller's record arrived and is on the pages, which now build `pages`;
    // `shownOtherwise` names the fields where that differs from the controller's record.
    void recordShown(const QByteArray &pages, const QStringList &shownOtherwise = {});
    // A command on this record was sent; until it ends, where the record stands is not known
    // and the marks say what is under way.
    void commandSent(CommandOutcome::Command command);
    bool commandsRunning() const { return m_commandsRunning > 0; }
    // A command on this record ended.
    void commandFinished(const CommandOutcome &outcome);
    // The pages changed; `pages` is the record they would build now.
    void pagesChanged(const QByteArray &pages);

private:
    void setState(State state);
    void updateMarks();
    QString text() const;

    State m_state = NoController;
    // The state the controller's own values were in, to go back to when edits are undone.
    State m_controllerState = NoController;
    // What the pages built when they last matched the controller.
    QByteArray m_baseline;
    QStringList m_shownOtherwise;
    // The fields the controller kept otherwise, with both values.
    QStringList m_keptValues;
    // Whether the last write was a save, for the marks' words.
    bool m_lastWriteSaved = false;
    QList<QLabel *> m_marks;
    int m_commandsRunning = 0;
    CommandOutcome::Command m_latestCommand = CommandOutcome::ReadEffects;
};
