// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/startupprobe.h"

#include "bench/devicelistrows.h"
#include "bench/firstframewatch.h"
#include "bench/processclock.h"
#include "bench/workerlocatingapplication.h"

#include "app/mainwindow.h"
#include "device/settingsuibackgroundthread.h"

#include <QFont>
#include <QTimer>

#include <cstdio>

namespace StartupProbe {

namespace {

constexpr int PROBE_TIMEOUT_MS = 10000;

double msSince(qint64 originNs, qint64 momentNs)
{
    return (momentNs - originNs) / 1e6;
}

} // namespace

int run(char *program)
{
    const qint64 origin = ProcessClock::processStartNs();

    // The tool as started without arguments, as its entry does it.
    int argc = 1;
    char *argv[] = {program, nullptr};
    WorkerLocatingApplication application(argc, argv);
    MainWindow window;
    SettingsUiBackgroundThread *worker = application.worker();
    if (!worker) {
        std::fprintf(stderr, "startup probe: the device worker was not found\n");
        return 1;
    }

    FirstFrameWatch frame(window);
    qint64 firstControllerNs = 0;
    const auto quitWhenBoth = [&] {
        if (frame.framed() && firstControllerNs > 0)
            QCoreApplication::quit();
    };
    // Queued after the window's own handling of the same list.
    QObject::connect(worker, &SettingsUiBackgroundThread::connectedDevices, &window, [&] {
        if (firstControllerNs == 0 && DeviceListRows::shown(window) > 0) {
            firstControllerNs = ProcessClock::nowNs();
            quitWhenBoth();
        }
    }, Qt::QueuedConnection);
    QObject::connect(&frame, &FirstFrameWatch::firstFrame, &window, quitWhenBoth);
    QTimer::singleShot(PROBE_TIMEOUT_MS, &application, &QCoreApplication::quit);

    window.show();
    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);
    application.exec();

    if (!frame.framed() || firstControllerNs == 0) {
        std::fprintf(stderr, "startup probe: %s\n",
                     frame.framed() ? "no controller was listed" : "the window was never shown");
        return 1;
    }
    std::printf("shown-ms=%.3f first-controller-ms=%.3f\n", msSince(origin, frame.frameEnd()),
                msSince(origin, firstControllerNs));
    return 0;
}

} // namespace StartupProbe
