// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/recordfield.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// Marks, on a record's pages, the controls whose values the controller did not keep after an
// apply or save: a colour and a tooltip with both values, until the next read or edit. Which
// bytes of the record a control writes is found by showing another value in it for a moment,
// signals blocked, and building the record: the pages need no table of their own for it.
class KeptValueMarks : public QObject
{
    Q_OBJECT

public:
    using Builder = std::function<QByteArray()>;

    explicit KeptValueMarks(QObject *parent = nullptr);

    void show(const QList<QWidget *> &pages, const Builder &build, const QList<RecordField> &fields,
              const QByteArray &sent, const QByteArray &kept);
    void clear();
    bool isEmpty() const { return m_marks.isEmpty(); }

private:
    struct Mark {
        QPointer<QWidget> control;
        QString toolTip;
        QPalette palette;
    };

    void mark(QWidget *control, const QString &words);

    QList<Mark> m_marks;
};
