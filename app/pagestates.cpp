// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pagestates.h"

#include "app/keptvaluemarks.h"
#include "app/recordstatus.h"
#include "device/recordfield.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

// The mark goes right after `anchor` in whichever layout of its page holds it.
bool insertAfter(QLayout *layout, QWidget *anchor, QWidget *widget)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == anchor) {
            if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
                box->insertWidget(i + 1, widget);
                return true;
            }
            return false;
        }
        if (item->layout() && insertAfter(item->layout(), anchor, widget))
            return true;
    }
    return false;
}

} // namespace

PageStates::PageStates(QObject *parent)
    : QObject(parent)
    , m_editCheck(new QTimer(this))
{
    // Many controls change at once when a record is loaded: one check after they settle.
    m_editCheck->setSingleShot(true);
    m_editCheck->setInterval(0);
    connect(m_editCheck, &QTimer::timeout, this, &PageStates::checkForEdits);
}

void PageStates::addRecord(RecordKind kind, const QList<Page> &pages, Builder build, const QString &markName)
{
    Record record{pages, std::move(build), new RecordStatus(this), {}};
    record.keptValues = new KeptValueMarks(this);
    int number = 0;
    for (const Page &page : pages) {
        QWidget *parent = page.save->parentWidget();
        auto *mark = new QLabel(parent);
        mark->setObjectName(pages.size() == 1 ? markName : markName + QStringLiteral("_%1").arg(++number));
        mark->setAlignment(Qt::AlignCenter);
        // One line, whether it reads something or nothing: the buttons above stay put.
        mark->setMinimumHeight(mark->fontMetrics().lineSpacing());
        if (!parent->layout() || !insertAfter(parent->layout(), page.save, mark)) {
            delete mark;
            continue;
        }
        record.status->addMark(mark);
        record.marks.append(mark);
    }
    m_records.insert(kind, record);
    watchForEdits(pages);
}

void PageStates::watchForEdits(const QList<Page> &pages)
{
    const auto schedule = [this] { m_editCheck->start(); };
    for (const Page &page : pages) {
        for (QAbstractSpinBox *spin : page.page->findChildren<QAbstractSpinBox *>()) {
            if (auto *integer = qobject_cast<QSpinBox *>(spin))
                connect(integer, &QSpinBox::valueChanged, this, schedule);
            else if (auto *real = qobject_cast<QDoubleSpinBox *>(spin))
                connect(real, &QDoubleSpinBox::valueChanged, this, schedule);
        }
        for (QComboBox *combo : page.page->findChildren<QComboBox *>())
            connect(combo, &QComboBox::currentIndexChanged, this, schedule);
        for (QAbstractButton *button : page.page->findChildren<QAbstractButton *>())
            if (button->isCheckable())
                connect(button, &QAbstractButton::toggled, this, schedule);
        for (QLineEdit *edit : page.page->findChildren<QLineEdit *>())
            if (!qobject_cast<QAbstractSpinBox *>(edit->parentWidget()) && !qobject_cast<QComboBox *>(edit->parentWidget()))
                connect(edit, &QLineEdit::textChanged, this, schedule);
    }
}

void PageStates::checkForEdits()
{
    for (const Record &record : std::as_const(m_records)) {
        if (!record.status->hasRecord())
            continue;
        record.status->pagesChanged(record.build());
        // An edit ends what the marks of kept values said.
        if (record.status->state() == RecordStatus::Edited)
            record.keptValues->clear();
    }
}

void PageStates::setReady(RecordKind kind, bool ready)
{
    if (!m_records.contains(kind))
        return;
    m_records[kind].ready = ready;
    const Record record = m_records.value(kind);
    for (const Page &page : record.pages) {
        for (QWidget *child : page.page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child != page.read && !record.marks.contains(child))
                child->setEnabled(ready);
        }
    }
    updateButtons(kind);
}

void PageStates::recordShown(RecordKind kind, const QByteArray &controllerRecord)
{
    const Record record = m_records.value(kind);
    record.keptValues->clear();
    const QByteArray pages = record.build();
    // Reserved bytes always go out as zero; only the values the pages show are compared.
    QList<RecordField> shownFields = CommandOutcome::fieldsOf(kind);
    shownFields.removeIf([](const RecordField &field) { return field.kind == RecordField::Reserved; });
    record.status->recordShown(pages, RecordFields::differences(shownFields, controllerRecord, pages));
}

void PageStates::startReading()
{
    for (auto record = m_records.cbegin(); record != m_records.cend(); ++record) {
        record->status->startReading();
        record->keptValues->clear();
        updateButtons(record.key());
    }
}

void PageStates::clear()
{
    for (auto record = m_records.cbegin(); record != m_records.cend(); ++record) {
        record->status->clear();
        record->keptValues->clear();
        updateButtons(record.key());
    }
}

void PageStates::commandSent(CommandOutcome::Command command)
{
    if (command == CommandOutcome::Reboot || command == CommandOutcome::SwitchToDfu)
        return;
    CommandOutcome sent;
    sent.command = command;
    if (RecordStatus *recordStatus = status(sent.recordKind())) {
        recordStatus->commandSent(command);
        updateButtons(sent.recordKind());
    }
}

void PageStates::commandFinished(const CommandOutcome &outcome)
{
    if (outcome.command == CommandOutcome::Reboot || outcome.command == CommandOutcome::SwitchToDfu)
        return;
    const Record record = m_records.value(outcome.recordKind());
    if (!record.status)
        return;
    record.status->commandFinished(outcome);
    updateButtons(outcome.recordKind());
    if (outcome.result == CommandOutcome::Differs && !outcome.kept.isEmpty()) {
        QList<QWidget *> pages;
        for (const Page &page : record.pages)
            pages.append(page.page);
        record.keptValues->show(pages, record.build, outcome.recordFields(), outcome.sent, outcome.kept);
    }
}


void PageStates::updateButtons(RecordKind kind)
{
    const Record record = m_records.value(kind);
    if (!record.status)
        return;
    const bool running = record.status->commandsRunning();
    for (const Page &page : record.pages) {
        page.read->setEnabled(!running);
        page.apply->setEnabled(record.ready && !running);
        page.save->setEnabled(record.ready && !running);
    }
}

QList<RecordKind> PageStates::unsavedRecords() const
{
    QList<RecordKind> unsaved;
    for (auto record = m_records.cbegin(); record != m_records.cend(); ++record) {
        const RecordStatus::State state = record->status->state();
        const bool notSaved = state == RecordStatus::Edited || state == RecordStatus::Applied || state == RecordStatus::Differs
            || state == RecordStatus::NotSent;
        if (notSaved && !record->status->commandsRunning())
            unsaved.append(record.key());
    }
    return unsaved;
}

QList<PageStates::Page> PageStates::pages() const
{
    QList<Page> pages;
    for (const Record &record : m_records)
        pages += record.pages;
    return pages;
}
