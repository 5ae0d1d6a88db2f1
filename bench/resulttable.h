// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QTextStream;

// The benchmark's output: one row per figure with its target and whether it was met.
class ResultTable
{
public:
    enum class Verdict { Pass, Fail, NotMeasured };

    void add(const QString &figure, const QString &measured, const QString &target, Verdict verdict);
    void add(const QString &figure, const QString &measured, const QString &target, bool passed);
    void note(const QString &text);
    void print(QTextStream &out) const;

private:
    struct Row {
        QString figure;
        QString measured;
        QString target;
        Verdict verdict;
    };

    QList<Row> rows;
    QList<QString> notes;
};
