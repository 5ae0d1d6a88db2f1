// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/workerlocatingapplication.h"

#include "device/settingsuibackgroundthread.h"

WorkerLocatingApplication::WorkerLocatingApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool WorkerLocatingApplication::notify(QObject *receiver, QEvent *event)
{
    // Called on every thread; once the worker is known this costs one atomic load.
    if (!found.load(std::memory_order_relaxed)) {
        if (auto *worker = qobject_cast<SettingsUiBackgroundThread *>(receiver))
            found.store(worker);
    }
    return QApplication::notify(receiver, event);
}
