// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"

#include <QObject>

#include <memory>
#include <vector>

class QThread;

// The live view's reader: reads the selected controller's kernel input device on a thread
// of its own and hands the window the state, coalesced to at most 60 updates a second.
// Lives on the GUI thread; its signals arrive there.
class LiveInputReader : public QObject
{
    Q_OBJECT

public:
    explicit LiveInputReader(QObject *parent = nullptr);
    ~LiveInputReader() override;

    // Starts reading the controller with this product id, ending any earlier reading.
    void start(int productId);
    // Ends reading; the view clears.
    void stop();
    bool isRunning() const;
    // While paused, the device stays open but nothing is read, so a view nobody sees costs
    // nothing. What changed meanwhile is read on resuming (resynchronised if the kernel's
    // buffer overflowed).
    void setPaused(bool paused);

signals:
    // The state after one or more changes; also once right after the device is opened.
    void snapshotChanged(const InputSnapshot &snapshot);
    // Why reading could not start or ended; a None problem when reading started.
    void problemChanged(const LiveInputProblem &problem);
    // Reading ended (stop(), or the controller left): the view has nothing to show.
    void cleared();

private:
    class Loop;
    std::unique_ptr<Loop> m_loop;
    // Readings told to stop whose threads have not ended yet.
    std::vector<std::unique_ptr<Loop>> m_ending;
    int m_generation = 0;
    bool m_paused = false;
};
