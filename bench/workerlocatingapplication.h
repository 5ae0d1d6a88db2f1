// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <atomic>

class SettingsUiBackgroundThread;

// The application object of a benchmarked tool. The window keeps its device worker to
// itself (no parent, no accessor), so the worker is recognised as the receiver of the
// first event delivered to it: the window's constructor moves it to its thread, which
// sends it an event, so the worker is known once the window has been constructed.
class WorkerLocatingApplication : public QApplication
{
    Q_OBJECT

public:
    WorkerLocatingApplication(int &argc, char **argv);

    // Null until the worker has received its first event.
    SettingsUiBackgroundThread *worker() const { return found.load(); }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    std::atomic<SettingsUiBackgroundThread *> found{nullptr};
};
