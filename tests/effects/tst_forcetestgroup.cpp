// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/forcetestgroup.h"
#include "effects/fulleffectsettingswidget.h"

#include "device/deviceinfo.h"
#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"
#include "effecttesthelpers.h"
#include "inputs/axisbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <linux/input-event-codes.h>

using EffectTest::control;

namespace {

InputSnapshot forceAxes(bool forceFeedback)
{
    InputSnapshot snapshot;
    snapshot.axes = {{ABS_X, QStringLiteral("ABS_X"), -16384, -32767, 32767},
                     {ABS_Y, QStringLiteral("ABS_Y"), 250, -32767, 32767},
                     {ABS_RX, QStringLiteral("ABS_RX"), 9, 0, 32767}};
    snapshot.forceFeedback = forceFeedback;
    return snapshot;
}

} // namespace

class TestForceTestGroup : public QObject
{
    Q_OBJECT

private slots:
    void strengthAboveCautionTakesTheTick();
    void playAsksForTheTestTheControlsDescribe();
    void stopAndEscapeOnlyWhileRunning();
    void offeredOnlyWithForceFeedback();
    void forceAxesFollowTheirPagesAndAnAxisChangeIsSaid();

private:
    EffectTest::ScratchWorkingDirectory scratch;
};

void TestForceTestGroup::strengthAboveCautionTakesTheTick()
{
    ForceTestGroup group;
    auto *strength = control<QSpinBox>(group, QStringLiteral("force_test_strength"));
    auto *allow = control<QCheckBox>(group, QStringLiteral("force_test_allow_stronger"));
    QCOMPARE(group.request().strengthPercent, ForceTestRequest::DEFAULT_STRENGTH_PERCENT);
    QCOMPARE(group.request().durationMs, ForceTestRequest::DEFAULT_DURATION_MS);

    strength->setValue(80);
    QCOMPARE(group.request().strengthPercent, 50);
    allow->setChecked(true);
    strength->setValue(80);
    QCOMPARE(group.request().strengthPercent, 80);
    strength->setValue(150);
    QCOMPARE(group.request().strengthPercent, 100);
    // Taking the tick back takes the strength back to the limit.
    allow->setChecked(false);
    QCOMPARE(group.request().strengthPercent, 50);
}

void TestForceTestGroup::playAsksForTheTestTheControlsDescribe()
{
    ForceTestGroup group;
    group.setAvailable(true);
    QSignalSpy played(&group, &ForceTestGroup::playRequested);
    control<QComboBox>(group, QStringLiteral("force_test_effect"))->setCurrentIndex(ForceTestRequest::Sine);
    QVERIFY(!control<QComboBox>(group, QStringLiteral("force_test_direction"))->isEnabled());
    control<QComboBox>(group, QStringLiteral("force_test_effect"))->setCurrentIndex(ForceTestRequest::Constant);
    control<QComboBox>(group, QStringLiteral("force_test_direction"))->setCurrentIndex(ForceTestRequest::Right);
    control<QDoubleSpinBox>(group, QStringLiteral("force_test_duration"))->setValue(0.3);
    control<QSpinBox>(group, QStringLiteral("force_test_strength"))->setValue(35);
    control<QPushButton>(group, QStringLiteral("force_test_play"))->click();
    QCOMPARE(played.size(), 1);
    const auto request = played.at(0).at(0).value<ForceTestRequest>();
    QCOMPARE(request.effect, ForceTestRequest::Constant);
    QCOMPARE(request.direction, ForceTestRequest::Right);
    QCOMPARE(request.strengthPercent, 35);
    QCOMPARE(request.durationMs, 300);

    // The duration keeps to its limits: no test longer than ten seconds is asked for.
    control<QDoubleSpinBox>(group, QStringLiteral("force_test_duration"))->setValue(60);
    QCOMPARE(group.request().durationMs, ForceTestRequest::MAX_DURATION_MS);
}

void TestForceTestGroup::stopAndEscapeOnlyWhileRunning()
{
    ForceTestGroup group;
    group.setAvailable(true);
    group.show();
    QVERIFY(QTest::qWaitForWindowActive(&group));
    QSignalSpy stopped(&group, &ForceTestGroup::stopRequested);
    auto *play = control<QPushButton>(group, QStringLiteral("force_test_play"));
    auto *stop = control<QPushButton>(group, QStringLiteral("force_test_stop"));
    QVERIFY(play->isEnabled() && !stop->isEnabled());
    QTest::keyClick(&group, Qt::Key_Escape);
    group.requestStop();
    QCOMPARE(stopped.size(), 0);

    group.setRunning(true);
    QVERIFY(!play->isEnabled() && stop->isEnabled());
    QTest::keyClick(&group, Qt::Key_Escape);
    QCOMPARE(stopped.size(), 1);
    stop->click();
    QCOMPARE(stopped.size(), 2);
    group.setRunning(false);
    QVERIFY(play->isEnabled());
}

void TestForceTestGroup::offeredOnlyWithForceFeedback()
{
    ForceTestGroup group;
    group.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // Nothing is known before the first reading: no controls, and nothing claimed.
    QVERIFY(!group.isAvailable());
    QCOMPARE(group.unavailableReason(), QString());
    const int height = group.height();

    group.showLiveInputs(forceAxes(false));
    QVERIFY(!group.isAvailable());
    QCOMPARE(group.unavailableReason(), QStringLiteral("This controller offers no force feedback through the kernel."));
    QVERIFY(!control<QPushButton>(group, QStringLiteral("force_test_play"))->isVisible());

    group.showLiveInputs(forceAxes(true));
    QVERIFY(group.isAvailable());
    QVERIFY(control<QPushButton>(group, QStringLiteral("force_test_play"))->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(group.height(), height);

    // Reading started: no problem, and the last reading still holds.
    group.showLiveInputProblem(LiveInputProblem());
    QVERIFY(group.isAvailable());
    LiveInputProblem problem;
    problem.kind = LiveInputProblem::NoInputDevice;
    group.showLiveInputProblem(problem);
    QVERIFY(!group.isAvailable());
    QCOMPARE(group.unavailableReason(), problem.describe());

    group.clearLiveInputs();
    QVERIFY(!group.isAvailable());
    QCOMPARE(group.unavailableReason(), QString());
}

void TestForceTestGroup::forceAxesFollowTheirPagesAndAnAxisChangeIsSaid()
{
    FullEffectSettingsWidget panel;
    panel.setDeviceType(Joystick);
    EffectSettingsTypeDef before{};
    panel.gatherSettings(before);
    panel.showLiveInputs(forceAxes(true));
    const QList<AxisBar *> bars = panel.forceAxisBars();
    QCOMPARE(bars.at(0)->valueText(), QStringLiteral("-16384"));
    QCOMPARE(bars.at(1)->valueText(), QStringLiteral("250"));
    // The reading leaves the record's fields as they were.
    EffectSettingsTypeDef after{};
    panel.gatherSettings(after);
    QCOMPARE(EffectTest::bytesOf(after), EffectTest::bytesOf(before));

    LiveInputProblem problem;
    problem.kind = LiveInputProblem::Gone;
    panel.showLiveInputProblem(problem);
    QCOMPARE(control<QLabel>(panel, QStringLiteral("effects_live_line"))->toolTip(), problem.describe());

    QSignalSpy changed(&panel, &FullEffectSettingsWidget::axisPageChanged);
    control<QTabWidget>(panel, QStringLiteral("axis_tab"))->setCurrentIndex(1);
    QCOMPARE(changed.size(), 1);
    panel.clearLiveInputs();
    QVERIFY(!bars.at(0)->hasValue() && !bars.at(1)->hasValue());
}

QTEST_MAIN(TestForceTestGroup)
#include "tst_forcetestgroup.moc"
