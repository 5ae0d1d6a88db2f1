// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forcetestcontrol.h"

#include "app/mainwindow.h"
#include "device/forcetest.h"
#include "effects/forcetestgroup.h"

#include <QStatusBar>

ForceTestControl::ForceTestControl(ForceTestGroup *group, QStatusBar *statusBar, Selection selection, QObject *parent)
    : QObject(parent)
    , m_test(new ForceTest(this))
    , m_group(group)
    , m_statusBar(statusBar)
    , m_selection(std::move(selection))
{
    connect(group, &ForceTestGroup::playRequested, this, &ForceTestControl::play);
    connect(group, &ForceTestGroup::stopRequested, this, &ForceTestControl::stop);
    connect(m_test, &ForceTest::started, this, [this] { m_group->showOutcome(tr("The force test is playing.")); });
    connect(m_test, &ForceTest::finished, this, [this](const ForceTestOutcome &outcome) {
        m_group->setRunning(false);
        const QString words = outcome.describe();
        m_group->showOutcome(words);
        m_statusBar->showMessage(words, MainWindow::STATUS_MESSAGE_MS);
    });
}

ForceTestControl::~ForceTestControl()
{
    // The test ends with its object; the group may already be gone by then.
    m_test->disconnect(this);
    delete m_test;
}

void ForceTestControl::play(const ForceTestRequest &request)
{
    const int productId = m_selection();
    if (productId < 0 || m_test->isRunning())
        return;
    // Running from the request on, so a second click cannot start a second test.
    m_group->setRunning(true);
    m_test->start(productId, request);
}

void ForceTestControl::stop()
{
    if (m_test->isRunning())
        m_test->stop();
}
