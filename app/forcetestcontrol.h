// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class ForceTest;
class ForceTestGroup;
struct ForceTestRequest;
class QStatusBar;

// Plays the force tests the effects page asks for on the selected controller, and says how
// each ended under the group and in the status bar. The window stops a test whenever the
// user turns to something else.
class ForceTestControl : public QObject
{
    Q_OBJECT

public:
    // The selected controller's product id, -1 for none.
    using Selection = std::function<int()>;

    ForceTestControl(ForceTestGroup *group, QStatusBar *statusBar, Selection selection, QObject *parent = nullptr);
    ~ForceTestControl() override;

    // Ends a running test at once; nothing when none runs.
    void stop();

private:
    void play(const ForceTestRequest &request);

    ForceTest *m_test;
    ForceTestGroup *m_group;
    QStatusBar *m_statusBar;
    Selection m_selection;
};
