// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/forcetestrequest.h"

#include <QGroupBox>

class LiveInputLine;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QShortcut;
class QSpinBox;
class QStackedWidget;
struct InputSnapshot;
struct LiveInputProblem;

// The "Force test" group of the effects page, under the settings panel (it edits no record):
// which effect, which way, how strong and how long, with Play and Stop (Escape stops too). Strength above the cautious limit takes an
// explicit tick. It only asks for tests; whoever owns the controller plays them and says
// here how each ended. Where the controller offers no force feedback the controls give way
// to the reason, in the same room.
class ForceTestGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit ForceTestGroup(QWidget *parent = nullptr);

    // The test the controls describe now.
    ForceTestRequest request() const;
    bool isAvailable() const;
    QString unavailableReason() const;
    bool isRunning() const { return m_running; }
    QString outcome() const;

public slots:
    // Offers the controls, or shows `reason` in their place.
    void setAvailable(bool available, const QString &reason = {});
    // From the live view: offered where the controller has the kernel's force feedback.
    void showLiveInputs(const InputSnapshot &snapshot);
    void clearLiveInputs();
    void showLiveInputProblem(const LiveInputProblem &problem);
    void setRunning(bool running);
    void showOutcome(const QString &words);
    // Asks for a running test to stop; nothing when none runs.
    void requestStop();

signals:
    void playRequested(const ForceTestRequest &request);
    void stopRequested();

private:
    QWidget *makeControls();
    void play();
    void allowStrongerTests(bool allowed);

    QStackedWidget *m_stack;
    QLabel *m_reason;
    QComboBox *m_effect = nullptr;
    QComboBox *m_direction = nullptr;
    QSpinBox *m_strength = nullptr;
    QCheckBox *m_allowStronger = nullptr;
    QDoubleSpinBox *m_duration = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_stop = nullptr;
    LiveInputLine *m_outcome;
    QShortcut *m_escape;
    bool m_running = false;
};
