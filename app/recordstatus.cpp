// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recordstatus.h"

#include "device/recordfield.h"

#include <QLabel>
#include <QLocale>
#include <QScopeGuard>

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
    m_commandsRunning = 0;
    m_baseline.clear();
    m_controllerState = NoController;
    setState(NoController);
}

void RecordStatus::startReading()
{
    m_commandsRunning = 0;
    m_baseline.clear();
    m_controllerState = NoController;
    setState(Reading);
}

void RecordStatus::recordShown(const QByteArray &pages, const QStringList &shownOtherwise)
{
    m_baseline = pages;
    m_shownOtherwise = shownOtherwise;
    m_controllerState = shownOtherwise.isEmpty() ? AsRead : ShownOtherwise;
    setState(m_controllerState);
    updateMarks();
}

void RecordStatus::commandSent(CommandOutcome::Command command)
{
    ++m_commandsRunning;
    m_latestCommand = command;
    updateMarks();
}

void RecordStatus::commandFinished(const CommandOutcome &outcome)
{
    m_commandsRunning = qMax(0, m_commandsRunning - 1);
    // Whatever follows, the marks no longer say the command is under way.
    const auto marksUpdated = qScopeGuard([this] { updateMarks(); });
    const bool read = outcome.command == CommandOutcome::ReadEffects || outcome.command == CommandOutcome::ReadHardware;
    if (read) {
        // A failed read leaves the pages as they were; without a record there is nothing to edit.
        if (!outcome.succeeded() && !hasRecord())
            setState(ReadFailed);
        return;
    }
    if (!outcome.writesRecord())
        return;
    m_lastWriteSaved = outcome.savesRecord();
    if (outcome.unconfirmed() || outcome.saveNotSentAfterWrite()) {
        // The pages hold what went out; what the controller holds is unknown.
        m_baseline = outcome.sent;
        m_controllerState = Unconfirmed;
        setState(Unconfirmed);
        return;
    }
    if (outcome.kept.isEmpty() && outcome.step == CommandOutcome::Verifying) {
        m_baseline = outcome.sent;
        m_controllerState = NotVerified;
        setState(NotVerified);
        return;
    }
    if (outcome.kept.isEmpty()) {
        // Nothing went out: the controller holds what it held, the pages their edits.
        setState(NotSent);
        return;
    }
    // The pages still hold what was sent; that is what later edits are measured against.
    m_baseline = outcome.sent;
    m_keptValues.clear();
    if (outcome.result == CommandOutcome::Differs) {
        m_controllerState = Differs;
        m_keptValues = RecordFields::keptValues(outcome.recordFields(), outcome.sent, outcome.kept);
    } else {
        m_controllerState = outcome.savesRecord() ? Saved : Applied;
    }
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
    updateMarks();
}

void RecordStatus::updateMarks()
{
    const QString words = text();
    QString detail;
    if (m_commandsRunning == 0 && m_state == ShownOtherwise)
        detail = tr("The controller holds other values than the page shows for: %1. Applying or saving sends the page's values.")
                     .arg(QLocale().createSeparatedList(m_shownOtherwise));
    else if (m_commandsRunning == 0 && m_state == Differs)
        detail = m_keptValues.join(QLatin1Char('\n'));
    for (QLabel *mark : std::as_const(m_marks)) {
        mark->setText(words);
        mark->setToolTip(detail);
    }
}

QString RecordStatus::text() const
{
    if (m_commandsRunning > 0) {
        CommandOutcome latest;
        latest.command = m_latestCommand;
        if (latest.readsRecord())
            return tr("Reading from the controller…");
        return latest.savesRecord() ? tr("Saving…") : tr("Applying…");
    }
    switch (m_state) {
    case NoController:
        return {};
    case Reading:
        return tr("Reading from the controller…");
    case ReadFailed:
        return tr("Not read from the controller: read again");
    case AsRead:
        return tr("As read from the controller");
    case ShownOtherwise:
        return tr("As read, but some values are shown otherwise");
    case Edited:
        return tr("Edited, not applied");
    case Applied:
        return tr("Applied and verified, not saved");
    case Saved:
        return tr("Saved and verified");
    case Differs:
        return tr("Controller kept other values");
    case NotSent:
        return m_lastWriteSaved ? tr("Not saved: see the message below") : tr("Not applied: see the message below");
    case Unconfirmed:
        return m_lastWriteSaved ? tr("May have been saved: read to check") : tr("May have been applied: read to check");
    case NotVerified:
        return m_lastWriteSaved ? tr("Saved, not verified: read to check") : tr("Applied, not verified: read to check");
    }
    return {};
}
