// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"
#include "device/recordfield.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class KeptValueMarks;
class QPushButton;
class QTimer;
class QWidget;
class RecordStatus;

// Where each record's pages stand against the selected controller: the mark under every
// page's buttons, whether the pages may be used yet, and the watch that notices edits.
class PageStates : public QObject
{
    Q_OBJECT

public:
    // One page of a record, with its own three buttons.
    struct Page {
        QWidget *page = nullptr;
        QPushButton *read = nullptr;
        QPushButton *apply = nullptr;
        QPushButton *save = nullptr;
    };
    // The record the pages would send now.
    using Builder = std::function<QByteArray()>;

    explicit PageStates(QObject *parent = nullptr);

    // The marks go right after each page's save button, named `markName` (with "_1", "_2",
    // ... where the record has several pages).
    void addRecord(RecordKind kind, const QList<Page> &pages, Builder build, const QString &markName);
    RecordStatus *status(RecordKind kind) const { return m_records.value(kind).status; }

    // Until a record arrives its pages hold nothing that may be sent: all but the read
    // buttons and the marks wait.
    void setReady(RecordKind kind, bool ready);
    // The controller's record is now on the pages.
    void recordShown(RecordKind kind, const QByteArray &controllerRecord);
    void startReading();
    void clear();
    // A command for the selected controller went out, or ended; reboot and DFU touch no
    // record. While a record's command runs, its pages' buttons rest.
    void commandSent(CommandOutcome::Command command);
    void commandFinished(const CommandOutcome &outcome);
    // The records whose pages hold edits or applied values the controller has not saved, and
    // no command of theirs is still running.
    QList<RecordKind> unsavedRecords() const;
    // The pages of all records, with their buttons.
    QList<Page> pages() const;

private:
    struct Record {
        QList<Page> pages;
        Builder build;
        RecordStatus *status = nullptr;
        QList<QWidget *> marks;
        bool ready = false;
        KeptValueMarks *keptValues = nullptr;
    };

    void updateButtons(RecordKind kind);

    void watchForEdits(const QList<Page> &pages);
    void checkForEdits();

    QMap<RecordKind, Record> m_records;
    QTimer *m_editCheck;
};
