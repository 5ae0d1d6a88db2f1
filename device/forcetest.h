// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/forcetestoutcome.h"
#include "device/forcetestrequest.h"

#include <QObject>
#include <QSet>

#include <memory>

// The window's force test: plays one test effect on the selected controller off the GUI
// thread and stops it after its duration, at stop(), or when this object goes away.
// Each start() gets exactly one finished().
class ForceTest : public QObject
{
    Q_OBJECT

public:
    explicit ForceTest(QObject *parent = nullptr);
    ~ForceTest() override;

    void start(int productId, const ForceTestRequest &request);
    // Stops at once; finished(Stopped) follows when a test was running.
    void stop();
    bool isRunning() const;

signals:
    void started();
    void finished(const ForceTestOutcome &outcome);

private:
    void finish(int serial, const ForceTestOutcome &outcome);

    class Runner;
    // Each start() has a serial until its finished() is out.
    QSet<int> m_pending;
    int m_lastSerial = 0;
    std::unique_ptr<Runner> m_runner;
};
