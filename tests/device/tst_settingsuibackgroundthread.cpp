// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceclient.h"
#include "device/devicekinds.h"
#include "device/devicereply.h"
#include "device/settingsuibackgroundthread.h"
#include "device/usbsession.h"

#include "transfershape.h"
#include "virtualcontroller.h"

#include <QtTest>

namespace {

constexpr int JOYSTICK = 22777;
constexpr int WHEEL = 22999;
// A cycle this soon after the one before is no tick of the poll: the poll timer starts over
// with every cycle run for a device event, and fires at most 5 % early. The margin is for a
// loaded machine, where a list may reach the test late.
constexpr int SOONER_THAN_A_TICK_MS = SettingsUiBackgroundThread::POLL_INTERVAL_MS * 3 / 4;

CommandOutcome outcomeAt(const QSignalSpy &spy, int index)
{
    return spy.at(index).first().value<CommandOutcome>();
}

QByteArray bytesOf(const void *record, int size)
{
    return QByteArray(static_cast<const char *>(record), size);
}

EffectSettingsTypeDef effectRecord(quint8 seed)
{
    EffectSettingsTypeDef settings{};
    settings.invert_constant_force = 1;
    settings.direct_x_spring_strength = seed;
    settings.axis[0].motion_range = 900 + seed;
    settings.axis[1].max_force = 12.0f;
    return settings;
}

// Runs a worker on a thread of its own through the device client, as the window does, and
// records what it emits.
class ThreadedWorker : public QObject
{
public:
    ThreadedWorker()
    {
        clock.start();
        connect(&client, &DeviceClient::connectedDevices, this, [this](const QMap<int, DeviceInfoTypeDef> &map) {
            maps.append(map);
            arrivedAtMs.append(clock.elapsed());
            events << QStringLiteral("list");
        });
        connect(&client, &DeviceClient::busyWaitStarted, this, [this] { events << QStringLiteral("busy"); });
        connect(&client, &DeviceClient::busyWaitFinished, this, [this] { events << QStringLiteral("idle"); });
        connect(&client, &DeviceClient::deviceAccessIssues, this,
                [this](const DeviceAccessIssues &issues) { accessIssues.append(issues); });
        client.startPolling();
    }

    // Waits for the next cycle's list: right after it, the next tick is a whole period away.
    bool nextCycle()
    {
        const qsizetype seen = maps.size();
        return QTest::qWaitFor([&] { return maps.size() > seen; }, 3000);
    }
    // Cycles from `index` on that were run for a device event rather than by the poll.
    int eventCyclesFrom(qsizetype index) const
    {
        int early = 0;
        for (qsizetype i = qMax<qsizetype>(index, 1); i < arrivedAtMs.size(); ++i)
            early += arrivedAtMs.at(i) - arrivedAtMs.at(i - 1) < SOONER_THAN_A_TICK_MS ? 1 : 0;
        return early;
    }

    DeviceClient client;
    QElapsedTimer clock;
    QList<qint64> arrivedAtMs;
    QList<QMap<int, DeviceInfoTypeDef>> maps;
    QList<DeviceAccessIssues> accessIssues;
    QStringList events;
};

} // namespace

class TestSettingsUiBackgroundThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    // Poll
    void emptyMapEverySecondWithoutControllers();
    void listsControllersInProductIdOrder();
    void unplugDropsControllerWithinOneCycle();
    void replugFindsControllerAgain();
    void shortProbeCountsAsAnswer();
    void failingProbeDropsController();
    void controllerThatCannotBeOpenedIsReportedUntilFixed();
    void plugUnplugAndRebootAreListedBeforeTheNextTick();

    // Commands
    void readsCarryTheControllersRecords();
    void failedOrShortReadCarriesNoRecord();
    void saveWritesWaitsCommitsAndWaits();
    void busyWaitEndsWhenStatusRequestFails();
    void busyWaitEndsAtItsLimit();
    void commandWithoutOpenHandleSendsNothing();
    void commandsRunInOrderAndPollPausesDuringBusyWait();
    void eachReplyReachesOnlyItsRequester();

private:
    SettingsUiBackgroundThread *directWorker();
    VirtualController controller;
    std::unique_ptr<UsbSession> session;
    std::unique_ptr<SettingsUiBackgroundThread> direct;
};

void TestSettingsUiBackgroundThread::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    session = std::make_unique<UsbSession>();
    QVERIFY(session->isAvailable());
}

void TestSettingsUiBackgroundThread::init()
{
    direct.reset();
    QVERIFY(controller.reset());
}

void TestSettingsUiBackgroundThread::cleanupTestCase()
{
    direct.reset();
    session.reset();
}

// A worker driven from the test's own thread: its slots run synchronously.
SettingsUiBackgroundThread *TestSettingsUiBackgroundThread::directWorker()
{
    direct = std::make_unique<SettingsUiBackgroundThread>(DeviceKinds::productIds().values(), 0x045B);
    direct->checkDeviceConnections(); // opens the plugged controllers
    controller.clearLog();
    return direct.get();
}

void TestSettingsUiBackgroundThread::emptyMapEverySecondWithoutControllers()
{
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(threaded.maps.size() >= 3, 4000);
    for (const auto &map : std::as_const(threaded.maps))
        QVERIFY(map.isEmpty());
    // Each cycle tried to open every kind and sent nothing, as nothing is there.
    QVERIFY(controller.transfers().isEmpty());
}

void TestSettingsUiBackgroundThread::listsControllersInProductIdOrder()
{
    const int wheel = controller.plug(QStringLiteral("wheel,firmware=241200"));
    const int joystick = controller.plug(QStringLiteral("joystick"));
    QVERIFY(wheel > 0 && joystick > 0);
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.isEmpty() && threaded.maps.last().size() == 2, 3000);
    const QMap<int, DeviceInfoTypeDef> map = threaded.maps.last();
    QCOMPARE(map.keys(), (QList<int>{JOYSTICK, WHEEL}));
    QCOMPARE(map.value(JOYSTICK).firmwareVersion, 241123u);
    QCOMPARE(int(map.value(JOYSTICK).deviceType), 1);
    QCOMPARE(map.value(WHEEL).firmwareVersion, 241200u);
    QCOMPARE(int(map.value(WHEEL).deviceType), 3);
}

void TestSettingsUiBackgroundThread::unplugDropsControllerWithinOneCycle()
{
    const int joystick = controller.plug(QStringLiteral("joystick"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.isEmpty() && threaded.maps.last().contains(JOYSTICK), 3000);
    QVERIFY(controller.unplug(joystick));
    const int seen = threaded.maps.size();
    // The cycle that may have been running during the unplug is allowed to still list it.
    QTRY_VERIFY_WITH_TIMEOUT(threaded.maps.size() >= seen + 2, 3000);
    QVERIFY(!threaded.maps.at(seen + 1).contains(JOYSTICK));
}

void TestSettingsUiBackgroundThread::replugFindsControllerAgain()
{
    const int joystick = controller.plug(QStringLiteral("joystick"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.isEmpty() && threaded.maps.last().contains(JOYSTICK), 3000);
    QVERIFY(controller.unplug(joystick));
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.last().contains(JOYSTICK), 3000);
    QVERIFY(controller.replug(joystick));
    QTRY_VERIFY_WITH_TIMEOUT(threaded.maps.last().contains(JOYSTICK), 3000);
}

void TestSettingsUiBackgroundThread::shortProbeCountsAsAnswer()
{
    controller.plug(QStringLiteral("joystick,short=2"));
    controller.plug(QStringLiteral("wheel,short=0"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.isEmpty() && threaded.maps.last().size() == 2, 3000);
    // The missing bytes read as zero, never as leftovers.
    QCOMPARE(threaded.maps.last().value(JOYSTICK).firmwareVersion, 241123u & 0xFFFFu);
    QCOMPARE(int(threaded.maps.last().value(JOYSTICK).deviceType), 0);
    QCOMPARE(threaded.maps.last().value(WHEEL).firmwareVersion, 0u);
}

void TestSettingsUiBackgroundThread::failingProbeDropsController()
{
    controller.plug(QStringLiteral("joystick,stall=0x25"));
    controller.plug(QStringLiteral("wheel"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(threaded.maps.size() >= 2, 3000);
    QCOMPARE(threaded.maps.last().keys(), QList<int>{WHEEL});
}

void TestSettingsUiBackgroundThread::controllerThatCannotBeOpenedIsReportedUntilFixed()
{
    // As without the udev rule: on the bus, held by the kernel's HID driver, node not ours.
    const int joystick = controller.plug(QStringLiteral("joystick,access=denied"));
    controller.plug(QStringLiteral("wheel,driver=none,access=denied"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.accessIssues.isEmpty() && threaded.accessIssues.last().size() == 2, 3000);
    QVERIFY(threaded.maps.last().isEmpty());
    const DeviceAccessIssues issues = threaded.accessIssues.last();
    QCOMPARE(issues.at(0).productId, JOYSTICK);
    QCOMPARE(issues.at(0).problem, DeviceAccessIssue::NoPermission);
    QVERIFY2(issues.at(0).node.startsWith(QStringLiteral("/dev/hidraw")), qPrintable(issues.at(0).node));
    QCOMPARE(issues.at(1).productId, WHEEL);
    QCOMPARE(issues.at(1).problem, DeviceAccessIssue::NoPermission);
    QVERIFY2(issues.at(1).node.startsWith(QStringLiteral("/dev/bus/usb/")), qPrintable(issues.at(1).node));
    // Said once, not every second.
    const int reports = threaded.accessIssues.size();
    const int cycles = threaded.maps.size();
    QTRY_VERIFY_WITH_TIMEOUT(threaded.maps.size() >= cycles + 2, 3000);
    QCOMPARE(threaded.accessIssues.size(), reports);

    QVERIFY(controller.set(joystick, QStringLiteral("access=granted")));
    QTRY_VERIFY_WITH_TIMEOUT(threaded.maps.last().contains(JOYSTICK), 3000);
    QCOMPARE(threaded.accessIssues.last().size(), 1);
    QCOMPARE(threaded.accessIssues.last().first().productId, WHEEL);
}

void TestSettingsUiBackgroundThread::plugUnplugAndRebootAreListedBeforeTheNextTick()
{
    // Stays plugged throughout: every cycle probes it.
    QVERIFY(controller.plug(QStringLiteral("wheel")) > 0);
    ThreadedWorker threaded;
    QVERIFY(QTest::qWaitFor([&] { return !threaded.maps.isEmpty() && threaded.maps.last().contains(WHEEL); }, 3000));
    const auto listsJoystick = [&] { return threaded.maps.last().contains(JOYSTICK); };

    QVERIFY(threaded.nextCycle());
    qsizetype from = threaded.maps.size();
    // Back from a reboot well before the next tick, and well after the removal's cycle.
    const int joystick = controller.plug(QStringLiteral("joystick,reboot-ms=400"));
    QVERIFY(joystick > 0);
    QVERIFY(QTest::qWaitFor(listsJoystick, 3000));
    QCOMPARE(threaded.eventCyclesFrom(from), threaded.maps.size() - from);

    QVERIFY(threaded.nextCycle());
    from = threaded.maps.size();
    QVERIFY(controller.unplug(joystick));
    QVERIFY(QTest::qWaitFor([&] { return !listsJoystick(); }, 3000));
    QCOMPARE(threaded.eventCyclesFrom(from), threaded.maps.size() - from);

    // A reboot is two bursts, the removal and the return: one cycle for each, whatever
    // number of events they hold.
    QVERIFY(controller.replug(joystick));
    QVERIFY(QTest::qWaitFor(listsJoystick, 3000));
    QVERIFY(threaded.nextCycle());
    from = threaded.maps.size();
    threaded.client.send(CommandOutcome::Reboot, JOYSTICK);
    QVERIFY(QTest::qWaitFor([&] { return !listsJoystick(); }, 3000));
    QCOMPARE(threaded.eventCyclesFrom(from), 1);
    QVERIFY(QTest::qWaitFor(listsJoystick, 5000));
    const qsizetype back = threaded.maps.size() - 1;
    QVERIFY(threaded.nextCycle());
    QCOMPARE(threaded.eventCyclesFrom(back), 1);
    QCOMPARE(threaded.eventCyclesFrom(from), 2);
}

void TestSettingsUiBackgroundThread::readsCarryTheControllersRecords()
{
    const int joystick = controller.plug(QStringLiteral("joystick"));
    SettingsUiBackgroundThread *worker = directWorker();
    QSignalSpy outcomes(worker, &SettingsUiBackgroundThread::commandFinished);
    worker->readEffectSettings(JOYSTICK);
    worker->readHardwareSettings(JOYSTICK);
    QCOMPARE(outcomes.size(), 2);
    QCOMPARE(outcomeAt(outcomes, 0).record, controller.readRecord(joystick, QStringLiteral("effect"), false));
    QCOMPARE(outcomeAt(outcomes, 1).record, controller.readRecord(joystick, QStringLiteral("hardware"), false));
}

void TestSettingsUiBackgroundThread::failedOrShortReadCarriesNoRecord()
{
    const int joystick = controller.plug(QStringLiteral("joystick,short=100"));
    SettingsUiBackgroundThread *worker = directWorker();
    QSignalSpy outcomes(worker, &SettingsUiBackgroundThread::commandFinished);
    worker->readEffectSettings(JOYSTICK);
    worker->readHardwareSettings(JOYSTICK);

    QVERIFY(controller.set(joystick, QStringLiteral("short=1024,stall=0x22")));
    worker->readEffectSettings(JOYSTICK);
    worker->readHardwareSettings(JOYSTICK);
    for (int i = 0; i < 3; ++i)
        QVERIFY(outcomeAt(outcomes, i).record.isEmpty());
    QCOMPARE(outcomeAt(outcomes, 3).record.size(), 512);
    // Each read says how it ended.
    QCOMPARE(outcomes.size(), 4);
    QCOMPARE(outcomeAt(outcomes, 0).result, CommandOutcome::ShortReply);
    QCOMPARE(outcomeAt(outcomes, 1).result, CommandOutcome::ShortReply);
    QCOMPARE(outcomeAt(outcomes, 2).result, CommandOutcome::Refused);
    QCOMPARE(outcomeAt(outcomes, 2).command, CommandOutcome::ReadEffects);
    QCOMPARE(outcomeAt(outcomes, 3).result, CommandOutcome::Done);
}

void TestSettingsUiBackgroundThread::saveWritesWaitsCommitsAndWaits()
{
    const int joystick = controller.plug(QStringLiteral("joystick,write-busy-ms=250,save-busy-ms=250"));
    SettingsUiBackgroundThread *worker = directWorker();
    const EffectSettingsTypeDef settings = effectRecord(7);
    QSignalSpy outcomes(worker, &SettingsUiBackgroundThread::commandFinished);
    worker->saveEffectsSettings(JOYSTICK, settings);

    // Written, made permanent, then read back to verify.
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(collapsedShape(transferShape(transfers)), QStringLiteral("S18 G36 S2 G36 G34"));
    QCOMPARE(outcomes.size(), 1);
    QCOMPARE(outcomeAt(outcomes, 0).result, CommandOutcome::Done);
    QCOMPARE(outcomeAt(outcomes, 0).kept, bytesOf(&settings, 384));
    QCOMPARE(transferShape(transfers).count(QStringLiteral("S18")), 8);
    // The controller was busy for a while after each step: it was asked more than once,
    // about 100 ms apart, until it said idle.
    QList<double> statusTimes;
    for (const Transfer &transfer : transfers)
        if (!transfer.isSet() && transfer.reportId() == 0x24)
            statusTimes << transfer.timeMs;
    QVERIFY(statusTimes.size() >= 4);
    for (int i = 1; i < statusTimes.size(); ++i)
        QVERIFY2(statusTimes.at(i) - statusTimes.at(i - 1) >= 95.0, "status polled less than 100 ms apart");
    QCOMPARE(controller.readRecord(joystick, QStringLiteral("effect"), true), bytesOf(&settings, 384));
    QVERIFY(!worker->isBusy());
}

void TestSettingsUiBackgroundThread::busyWaitEndsWhenStatusRequestFails()
{
    const int joystick = controller.plug(QStringLiteral("joystick,status-fail=1"));
    const QByteArray permanent = controller.readRecord(joystick, QStringLiteral("effect"), true);
    SettingsUiBackgroundThread *worker = directWorker();
    QSignalSpy started(worker, &SettingsUiBackgroundThread::busyWaitStarted);
    QSignalSpy finished(worker, &SettingsUiBackgroundThread::busyWaitFinished);
    QSignalSpy outcomes(worker, &SettingsUiBackgroundThread::commandFinished);
    worker->saveEffectsSettings(JOYSTICK, effectRecord(9));
    QCOMPARE(outcomes.size(), 1);
    QCOMPARE(outcomeAt(outcomes, 0).result, CommandOutcome::Refused);
    QCOMPARE(outcomeAt(outcomes, 0).step, CommandOutcome::WaitingAfterWrite);
    // One failed status request ends the wait, and nothing unacknowledged is made permanent.
    QCOMPARE(collapsedShape(transferShape(controller.transfers())), QStringLiteral("S18 G36"));
    QCOMPARE(transferShape(controller.transfers()).count(QStringLiteral("G36")), 1);
    QCOMPARE(controller.readRecord(joystick, QStringLiteral("effect"), true), permanent);
    QCOMPARE(started.size(), 1);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!worker->isBusy());
}

void TestSettingsUiBackgroundThread::busyWaitEndsAtItsLimit()
{
    const int joystick = controller.plug(QStringLiteral("joystick,busy-forever=1"));
    const QByteArray permanent = controller.readRecord(joystick, QStringLiteral("hardware"), true);
    SettingsUiBackgroundThread *worker = directWorker();
    worker->setBusyWaitLimit(500);
    HardwareSettingsTypeDef settings{};
    settings.power_limit = 42;
    QSignalSpy outcomes(worker, &SettingsUiBackgroundThread::commandFinished);
    worker->saveHardwareSettings(JOYSTICK, settings);
    // Not made permanent, and said so.
    QCOMPARE(outcomes.size(), 1);
    QCOMPARE(outcomeAt(outcomes, 0).result, CommandOutcome::StillBusy);
    QCOMPARE(outcomeAt(outcomes, 0).step, CommandOutcome::WaitingAfterWrite);
    QCOMPARE(outcomeAt(outcomes, 0).busyWaitLimitMs, 500);
    const QStringList steps = transferShape(controller.transfers());
    QCOMPARE(collapsedShape(steps), QStringLiteral("S17 G36"));
    const int polls = steps.count(QStringLiteral("G36"));
    QVERIFY2(polls >= 3 && polls <= 7, qPrintable(QString::number(polls)));
    QCOMPARE(controller.readRecord(joystick, QStringLiteral("hardware"), true), permanent);
}

void TestSettingsUiBackgroundThread::commandWithoutOpenHandleSendsNothing()
{
    controller.plug(QStringLiteral("joystick"));
    SettingsUiBackgroundThread *worker = directWorker();
    QSignalSpy outcomes(worker, &SettingsUiBackgroundThread::commandFinished);
    worker->readEffectSettings(22888);
    worker->applyEffectSettings(-1, effectRecord(1));
    worker->saveHardwareSettings(22001, HardwareSettingsTypeDef{});
    worker->rebootControllerRequest(22000);
    QVERIFY(controller.transfers().isEmpty());
    QCOMPARE(outcomes.size(), 4);
    QVERIFY(outcomeAt(outcomes, 0).record.isEmpty());
    for (int i = 0; i < outcomes.size(); ++i)
        QCOMPARE(outcomeAt(outcomes, i).result, CommandOutcome::NotConnected);
}

void TestSettingsUiBackgroundThread::commandsRunInOrderAndPollPausesDuringBusyWait()
{
    controller.plug(QStringLiteral("joystick,write-busy-ms=600,save-busy-ms=600"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.isEmpty() && threaded.maps.last().contains(JOYSTICK), 3000);
    controller.clearLog();
    threaded.events.clear();

    const EffectSettingsTypeDef effects = effectRecord(3);
    HardwareSettingsTypeDef hardware{};
    hardware.speed_sample_buffer_size = 8;
    threaded.client.send(CommandOutcome::SaveEffects, JOYSTICK, bytesOf(&effects, 384));
    threaded.client.send(CommandOutcome::ApplyHardware, JOYSTICK, bytesOf(&hardware, 512));
    QTRY_VERIFY_WITH_TIMEOUT(threaded.events.count(QStringLiteral("idle")) == 3, 8000);

    // The second command starts only when the first has finished its busy wait, and no
    // probe runs while the controller is busy.
    QStringList steps = transferShape(controller.transfers());
    steps.removeAll(QStringLiteral("G37"));
    QCOMPARE(collapsedShape(steps), QStringLiteral("S18 G36 S2 G36 G34 S17 G36 G33"));
    const QString during = collapsedShape(transferShape(controller.transfers()));
    QVERIFY2(!during.contains(QStringLiteral("G36 G37 G36")), qPrintable(during));
    QVERIFY2(!during.contains(QStringLiteral("S18 G37")), qPrintable(during));
    const QString events = threaded.events.join(QLatin1Char(' '));
    QVERIFY2(!events.contains(QStringLiteral("busy list")), qPrintable(events));
}

void TestSettingsUiBackgroundThread::eachReplyReachesOnlyItsRequester()
{
    const int joystick = controller.plug(QStringLiteral("joystick,write-busy-ms=200"));
    controller.plug(QStringLiteral("wheel"));
    ThreadedWorker threaded;
    QTRY_VERIFY_WITH_TIMEOUT(!threaded.maps.isEmpty() && threaded.maps.last().size() == 2, 3000);

    // Four requests in flight at once, for two controllers; each reply hears its own outcome
    // once, in the order asked, and the client is idle only after the last.
    const EffectSettingsTypeDef effects = effectRecord(5);
    const QByteArray before = controller.readRecord(joystick, QStringLiteral("effect"), false);
    QVERIFY(before != bytesOf(&effects, 384));
    const QList<std::pair<CommandOutcome::Command, int>> asked{{CommandOutcome::ReadEffects, JOYSTICK},
                                                               {CommandOutcome::ApplyEffects, JOYSTICK},
                                                               {CommandOutcome::ReadHardware, WHEEL},
                                                               {CommandOutcome::ReadEffects, 22888}};
    QList<QList<CommandOutcome>> heard(asked.size());
    QStringList order;
    QSignalSpy idle(&threaded.client, &DeviceClient::idle);
    for (int i = 0; i < asked.size(); ++i) {
        const QByteArray record = asked.at(i).first == CommandOutcome::ApplyEffects ? bytesOf(&effects, 384) : QByteArray();
        DeviceReply *reply = threaded.client.send(asked.at(i).first, asked.at(i).second, record);
        connect(reply, &DeviceReply::finished, this, [&heard, &order, &threaded, i](const CommandOutcome &outcome) {
            heard[i].append(outcome);
            order << QString::number(i) + QLatin1Char('/') + QString::number(threaded.client.pendingRequests());
        });
    }
    QCOMPARE(threaded.client.pendingRequests(), 4);
    QTRY_COMPARE_WITH_TIMEOUT(idle.size(), 1, 8000);
    QCOMPARE(order, (QStringList{"0/3", "1/2", "2/1", "3/0"}));
    for (int i = 0; i < asked.size(); ++i) {
        QCOMPARE(heard.at(i).size(), 1);
        QCOMPARE(heard.at(i).first().command, asked.at(i).first);
        QCOMPARE(heard.at(i).first().productId, asked.at(i).second);
    }
    // The read ran before the write that was asked after it.
    QCOMPARE(heard.at(0).first().record, before);
    QCOMPARE(heard.at(1).first().result, CommandOutcome::Done);
    QCOMPARE(heard.at(1).first().kept, bytesOf(&effects, 384));
    QCOMPARE(heard.at(2).first().record.size(), 512);
    QCOMPARE(heard.at(3).first().result, CommandOutcome::NotConnected);
}

QTEST_GUILESS_MAIN(TestSettingsUiBackgroundThread)
#include "tst_settingsuibackgroundthread.moc"
