// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/resulttable.h"

#include <QTextStream>

#include <algorithm>

namespace {

QString verdictText(ResultTable::Verdict verdict)
{
    switch (verdict) {
    case ResultTable::Verdict::Pass:
        return QStringLiteral("pass");
    case ResultTable::Verdict::Fail:
        return QStringLiteral("FAIL");
    case ResultTable::Verdict::NotMeasured:
        break;
    }
    return QStringLiteral("not measured");
}

} // namespace

void ResultTable::add(const QString &figure, const QString &measured, const QString &target, Verdict verdict)
{
    rows.append({figure, measured, target, verdict});
}

void ResultTable::add(const QString &figure, const QString &measured, const QString &target, bool passed)
{
    add(figure, measured, target, passed ? Verdict::Pass : Verdict::Fail);
}

void ResultTable::note(const QString &text)
{
    notes.append(text);
}

void ResultTable::print(QTextStream &out) const
{
    const QString figureTitle = QStringLiteral("Figure");
    const QString measuredTitle = QStringLiteral("Measured");
    const QString targetTitle = QStringLiteral("Target");
    qsizetype figureWidth = figureTitle.size();
    qsizetype measuredWidth = measuredTitle.size();
    qsizetype targetWidth = targetTitle.size();
    for (const Row &row : rows) {
        figureWidth = std::max(figureWidth, row.figure.size());
        measuredWidth = std::max(measuredWidth, row.measured.size());
        targetWidth = std::max(targetWidth, row.target.size());
    }
    const auto line = [&](const QString &figure, const QString &measured, const QString &target,
                          const QString &result) {
        out << figure.leftJustified(figureWidth) << "  " << measured.leftJustified(measuredWidth) << "  "
            << target.leftJustified(targetWidth) << "  " << result << '\n';
    };
    line(figureTitle, measuredTitle, targetTitle, QStringLiteral("Result"));
    line(QString(figureWidth, u'-'), QString(measuredWidth, u'-'), QString(targetWidth, u'-'), QStringLiteral("------"));
    for (const Row &row : rows)
        line(row.figure, row.measured, row.target, verdictText(row.verdict));
    for (const QString &text : notes)
        out << "Note: " << text << '\n';
    out.flush();
}
