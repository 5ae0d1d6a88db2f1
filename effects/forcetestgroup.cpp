// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/forcetestgroup.h"

#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"
#include "inputs/liveinputline.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int FULL_STRENGTH_PERCENT = 100;

} // namespace

ForceTestGroup::ForceTestGroup(QWidget *parent)
    : QGroupBox(tr("Force test"), parent)
    , m_stack(new QStackedWidget(this))
    , m_reason(new QLabel(this))
    , m_outcome(new LiveInputLine(this))
    , m_escape(new QShortcut(QKeySequence(Qt::Key_Escape), this))
{
    m_reason->setObjectName(QStringLiteral("force_test_reason"));
    m_reason->setWordWrap(true);
    m_reason->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_outcome->setObjectName(QStringLiteral("force_test_outcome"));
    // The stack is as tall as the controls whichever it shows, so a reason moves nothing.
    m_stack->addWidget(makeControls());
    m_stack->addWidget(m_reason);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stack);
    layout->addWidget(m_outcome);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &ForceTestGroup::requestStop);
    setAvailable(false);
    setRunning(false);
}

QWidget *ForceTestGroup::makeControls()
{
    auto *controls = new QWidget(this);
    auto *grid = new QGridLayout(controls);
    grid->setContentsMargins(0, 0, 0, 0);

    m_effect = new QComboBox(controls);
    m_effect->setObjectName(QStringLiteral("force_test_effect"));
    // In the order of ForceTestRequest::Effect.
    m_effect->addItems({tr("Constant force"), tr("Spring to centre"), tr("Sine")});
    m_direction = new QComboBox(controls);
    m_direction->setObjectName(QStringLiteral("force_test_direction"));
    m_direction->addItems({tr("Left"), tr("Right")});
    // Only a constant force pushes one way.
    connect(m_effect, &QComboBox::currentIndexChanged, this,
            [this](int effect) { m_direction->setEnabled(effect == ForceTestRequest::Constant); });

    m_strength = new QSpinBox(controls);
    m_strength->setObjectName(QStringLiteral("force_test_strength"));
    m_strength->setRange(1, ForceTestRequest::CAUTION_STRENGTH_PERCENT);
    m_strength->setSuffix(QStringLiteral(" %"));
    m_strength->setValue(ForceTestRequest::DEFAULT_STRENGTH_PERCENT);
    m_allowStronger = new QCheckBox(tr("Allow more than %1 %").arg(ForceTestRequest::CAUTION_STRENGTH_PERCENT), controls);
    m_allowStronger->setObjectName(QStringLiteral("force_test_allow_stronger"));
    connect(m_allowStronger, &QCheckBox::toggled, this, &ForceTestGroup::allowStrongerTests);

    m_duration = new QDoubleSpinBox(controls);
    m_duration->setObjectName(QStringLiteral("force_test_duration"));
    m_duration->setDecimals(1);
    m_duration->setSingleStep(0.1);
    m_duration->setRange(0.1, ForceTestRequest::MAX_DURATION_MS / 1000.0);
    m_duration->setSuffix(QStringLiteral(" s"));
    m_duration->setValue(ForceTestRequest::DEFAULT_DURATION_MS / 1000.0);

    m_play = new QPushButton(tr("Play"), controls);
    m_play->setObjectName(QStringLiteral("force_test_play"));
    m_stop = new QPushButton(tr("Stop"), controls);
    m_stop->setObjectName(QStringLiteral("force_test_stop"));
    m_stop->setToolTip(tr("Stops the test (Escape)"));
    connect(m_play, &QPushButton::clicked, this, &ForceTestGroup::play);
    connect(m_stop, &QPushButton::clicked, this, &ForceTestGroup::requestStop);

    const auto label = [controls](const QString &text, QWidget *buddy) {
        auto *made = new QLabel(text, controls);
        made->setBuddy(buddy);
        return made;
    };
    grid->addWidget(label(tr("Effect"), m_effect), 0, 0);
    grid->addWidget(m_effect, 0, 1);
    grid->addWidget(label(tr("Direction"), m_direction), 0, 2);
    grid->addWidget(m_direction, 0, 3);
    grid->addWidget(label(tr("Strength"), m_strength), 1, 0);
    grid->addWidget(m_strength, 1, 1);
    grid->addWidget(m_allowStronger, 1, 2, 1, 2);
    grid->addWidget(label(tr("Duration"), m_duration), 2, 0);
    grid->addWidget(m_duration, 2, 1);
    grid->addWidget(m_play, 2, 2);
    grid->addWidget(m_stop, 2, 3);
    grid->setColumnStretch(4, 1);
    return controls;
}

void ForceTestGroup::allowStrongerTests(bool allowed)
{
    // Without the tick a stronger value drops back to the limit.
    m_strength->setMaximum(allowed ? FULL_STRENGTH_PERCENT : ForceTestRequest::CAUTION_STRENGTH_PERCENT);
}

ForceTestRequest ForceTestGroup::request() const
{
    ForceTestRequest request;
    request.effect = ForceTestRequest::Effect(m_effect->currentIndex());
    request.direction = ForceTestRequest::Direction(m_direction->currentIndex());
    request.strengthPercent = m_strength->value();
    request.durationMs = int(std::lround(m_duration->value() * 1000));
    return request;
}

bool ForceTestGroup::isAvailable() const
{
    return m_stack->currentIndex() == 0;
}

QString ForceTestGroup::unavailableReason() const
{
    return isAvailable() ? QString() : m_reason->text();
}

QString ForceTestGroup::outcome() const
{
    return m_outcome->message();
}

void ForceTestGroup::setAvailable(bool available, const QString &reason)
{
    m_stack->setCurrentIndex(available ? 0 : 1);
    m_reason->setText(available ? QString() : reason);
}

void ForceTestGroup::showLiveInputs(const InputSnapshot &snapshot)
{
    setAvailable(snapshot.forceFeedback, tr("This controller offers no force feedback through the kernel."));
}

void ForceTestGroup::clearLiveInputs()
{
    // Nothing is known about the controller's force feedback any more.
    setAvailable(false);
}

void ForceTestGroup::showLiveInputProblem(const LiveInputProblem &problem)
{
    if (problem.kind != LiveInputProblem::None)
        setAvailable(false, problem.describe());
}

void ForceTestGroup::setRunning(bool running)
{
    m_running = running;
    m_play->setEnabled(!running);
    m_stop->setEnabled(running);
    m_escape->setEnabled(running);
}

void ForceTestGroup::showOutcome(const QString &words)
{
    m_outcome->setMessage(words);
}

void ForceTestGroup::requestStop()
{
    if (m_running)
        emit stopRequested();
}

void ForceTestGroup::play()
{
    // The strength keeps to the cautious limit without the tick: its spin box goes no higher.
    const ForceTestRequest wanted = request();
    const QString problem = wanted.problem();
    if (!problem.isEmpty()) {
        showOutcome(problem);
        return;
    }
    emit playRequested(wanted);
}
