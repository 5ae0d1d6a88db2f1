// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/startupbench.h"

#include "bench/processclock.h"
#include "bench/startupprobe.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int PROBE_TIMEOUT_MS = 20000;

} // namespace

StartupBench::StartupBench(const QString &program)
    : program(program)
{
}

StartupFigures StartupBench::run(int runs) const
{
    StartupFigures figures;
    for (int i = 0; i < runs; ++i)
        if (!runOnce(figures))
            ++figures.failures;
    return figures;
}

bool StartupBench::runOnce(StartupFigures &figures) const
{
    QProcess probe;
    probe.setProgram(program);
    probe.setArguments({QString::fromLatin1(StartupProbe::ARGUMENT)});
    probe.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Taken last, so everything from here on counts as the probe's start-up.
    environment.insert(QString::fromLatin1(ProcessClock::SPAWNED_AT_VARIABLE), QString::number(ProcessClock::nowNs()));
    probe.setProcessEnvironment(environment);
    probe.start();
    if (!probe.waitForFinished(PROBE_TIMEOUT_MS) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
        probe.kill();
        probe.waitForFinished();
        figures.lastError = QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
        return false;
    }

    static const QRegularExpression report(QStringLiteral(R"(shown-ms=([\d.]+) first-controller-ms=([\d.]+))"));
    const QRegularExpressionMatch match = report.match(QString::fromLatin1(probe.readAllStandardOutput()));
    if (!match.hasMatch()) {
        figures.lastError = QStringLiteral("unreadable probe report");
        return false;
    }
    const double shown = match.captured(1).toDouble();
    const double firstController = match.captured(2).toDouble();
    figures.shownMs.add(shown);
    figures.firstControllerMs.add(firstController);
    // Listed before the first frame: nothing to wait for once the window is there.
    figures.beyondShownMs.add(std::max(0.0, firstController - shown));
    return true;
}
