#pragma once

#include "device/commandoutcome.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QLabel;

// Where the values on one record's pages stand against the selected controller: still being
// read, not read, as read, edited, applied, saved, or kept differently by the controller.
// Shown in a small mark beside each of the record's pages' buttons.
class RecordStatus : public QObject
{
    Q_OBJECT

public:
    enum State { NoController, Reading, ReadFailed, AsRead, Edited, Applied, Saved, Differs };

    explicit RecordStatus(QObject *parent = nullptr);

    void addMark(QLabel *mark);
    State state() const { return m_state; }
    // Whether the pages hold the controller's values (or edits of them), so they may be sent.
    bool hasRecord() const { return m_state != NoController && m_state != Reading && m_state != ReadFailed; }

    // A controller was chosen and its record asked for, or none is chosen.
    void startReading();
    void clear();
    // The controller's record arrived and is on the pages, which now build `pages`.
    void recordShown(const QByteArray &pages);
    // A command on this record ended.
    void commandFinished(const CommandOutcome &outcome);
    // The pages changed; `pages` is the record they would build now.
    void pagesChanged(const QByteArray &pages);

private:
    void setState(State state);
    QString text() const;

    State m_state = NoController;
    // The state the controller's own values were in, to go back to when edits are undone.
    State m_controllerState = NoController;
    // What the pages built when they last matched the controller.
    QByteArray m_baseline;
    QList<QLabel *> m_marks;
};
