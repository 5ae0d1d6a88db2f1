// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/liveinputs.h"

#include "device/liveinputreader.h"
#include "effects/forcetestgroup.h"
#include "effects/fulleffectsettingswidget.h"
#include "inputs/analogaxespage.h"
#include "inputs/buttonspage.h"

#include <QEvent>

LiveInputs::LiveInputs(ButtonsPage *buttons, AnalogAxesPage *analogAxes, FullEffectSettingsWidget *effects,
                       ForceTestGroup *forceTest, QObject *parent)
    : QObject(parent)
    , m_reader(new LiveInputReader(this))
    , m_buttons(buttons)
    , m_analogAxes(analogAxes)
    , m_effects(effects)
    , m_forceTest(forceTest)
{
    connect(m_reader, &LiveInputReader::snapshotChanged, this, &LiveInputs::showSnapshot);
    connect(m_reader, &LiveInputReader::problemChanged, buttons, &ButtonsPage::showLiveInputProblem);
    connect(m_reader, &LiveInputReader::problemChanged, analogAxes, &AnalogAxesPage::showLiveInputProblem);
    connect(m_reader, &LiveInputReader::problemChanged, effects, &FullEffectSettingsWidget::showLiveInputProblem);
    connect(m_reader, &LiveInputReader::problemChanged, forceTest, &ForceTestGroup::showLiveInputProblem);
    connect(m_reader, &LiveInputReader::cleared, this, &LiveInputs::clear);
    for (QWidget *page : {static_cast<QWidget *>(buttons), static_cast<QWidget *>(analogAxes), static_cast<QWidget *>(effects)})
        page->installEventFilter(this);
    followVisibility();
}

LiveInputs::~LiveInputs() = default;

void LiveInputs::start(int productId)
{
    m_reader->start(productId);
}

void LiveInputs::stop()
{
    m_reader->stop();
    // Whatever the reader says last, nothing is known of the controller's inputs now.
    clear();
    const LiveInputProblem none;
    m_buttons->showLiveInputProblem(none);
    m_analogAxes->showLiveInputProblem(none);
    m_effects->showLiveInputProblem(none);
}

bool LiveInputs::eventFilter(QObject *watched, QEvent *event)
{
    // A page shown now may hold an older reading than the last one.
    if (event->type() == QEvent::Show)
        showOnVisiblePages();
    // Once for a tab change, which hides one page and shows another.
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && !m_visibilityCheckQueued) {
        m_visibilityCheckQueued = true;
        QMetaObject::invokeMethod(this, &LiveInputs::followVisibility, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void LiveInputs::followVisibility()
{
    m_visibilityCheckQueued = false;
    m_reader->setPaused(!m_buttons->isVisible() && !m_analogAxes->isVisible() && !m_effects->isVisible());
}

void LiveInputs::showSnapshot(const InputSnapshot &snapshot)
{
    m_snapshot = snapshot;
    showOnVisiblePages();
    m_forceTest->showLiveInputs(snapshot);
}

void LiveInputs::showOnVisiblePages()
{
    if (!m_snapshot)
        return;
    if (m_buttons->isVisible())
        m_buttons->showLiveInputs(*m_snapshot);
    if (m_analogAxes->isVisible())
        m_analogAxes->showLiveInputs(*m_snapshot);
    if (m_effects->isVisible())
        m_effects->showLiveInputs(*m_snapshot);
}

void LiveInputs::clear()
{
    m_snapshot.reset();
    m_buttons->clearLiveInputs();
    m_analogAxes->clearLiveInputs();
    m_effects->clearLiveInputs();
    m_forceTest->clearLiveInputs();
}
