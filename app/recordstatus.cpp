#include "app/recordstatus.h"

#include <QLabel>

RecordStatus::RecordStatus(QObject *parent)
    : QObject(parent)
{
}

void RecordStatus::addMark(QLabel *mark)
{
    m_marks.append(mark);
    mark->setText(text());
}

void RecordStatus::clear()
{
    m_baseline.clear();
    m_controllerState = NoController;
    setState(NoController);
}

void RecordStatus::startReading()
{
    m_baseline.clear();
    m_controllerState = NoController;
    setState(Reading);
}

void RecordStatus::recordShown(const QByteArray &pages)
{
    m_baseline = pages;
    m_controllerState = AsRead;
    setState(AsRead);
}

void RecordStatus::commandFinished(const CommandOutcome &outcome)
{
    const bool read = outcome.command == CommandOutcome::ReadEffects || outcome.command == CommandOutcome::ReadHardware;
    if (read) {
        // A failed read leaves the pages as they were; without a record there is nothing to edit.
        if (!outcome.succeeded() && !hasRecord())
            setState(ReadFailed);
        return;
    }
    if (!outcome.writesRecord() || outcome.kept.isEmpty())
        return;
    // The pages still hold what was sent; that is what later edits are measured against.
    m_baseline = outcome.sent;
    if (outcome.result == CommandOutcome::Differs)
        m_controllerState = Differs;
    else
        m_controllerState = outcome.savesRecord() ? Saved : Applied;
    setState(m_controllerState);
}

void RecordStatus::pagesChanged(const QByteArray &pages)
{
    if (!hasRecord())
        return;
    setState(pages == m_baseline ? m_controllerState : Edited);
}

void RecordStatus::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    const QString words = text();
    for (QLabel *mark : std::as_const(m_marks))
        mark->setText(words);
}

QString RecordStatus::text() const
{
    switch (m_state) {
    case NoController:
        return {};
    case Reading:
        return tr("Reading from the controller…");
    case ReadFailed:
        return tr("Not read from the controller: read again");
    case AsRead:
        return tr("As read from the controller");
    case Edited:
        return tr("Edited, not applied");
    case Applied:
        return tr("Applied and verified, not saved");
    case Saved:
        return tr("Saved and verified");
    case Differs:
        return tr("Controller kept other values");
    }
    return {};
}
