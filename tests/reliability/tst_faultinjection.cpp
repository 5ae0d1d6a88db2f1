// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "heartbeat.h"
#include "mainwindowprobe.h"
#include "transferaudit.h"
#include "transfershape.h"
#include "virtualcontroller.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

#include <memory>

using Action = WindowDriver::Action;

namespace {

constexpr int JOYSTICK = 22777;
constexpr int JOYSTICK_ROW = 1;
constexpr int DEVICE_INFO_REPORT = 0x25;
// Longest the GUI thread may be kept from its event loop while a command runs.
constexpr int MAX_GUI_PAUSE_MS = 100;
// Every command that is not slowed down on purpose ends well within this.
constexpr int COMMAND_LIMIT_MS = 3000;
// The busy wait gives up after 10 s; the rest is the transfers around it.
constexpr int ENDLESS_BUSY_LIMIT_MS = 13000;
constexpr int SLOW_COMMAND_LIMIT_MS = 8000;
constexpr int LIST_UPDATE_MS = 3000;

const QString FAULTS_OFF = QStringLiteral("unplug-after=0,unplug-at-ms=0,status-fail=0,busy-forever=0,short=off,"
                                          "stall=0,delay-ms=0,write-busy-ms=20,save-busy-ms=150");

// What a record in the controller holds after the command: what it held before, or
// exactly what the window sent. Anything else is a corrupted record.
enum class Outcome { Old, New };
// What the edited page shows after the command: the value the user typed, or the
// controller's value from a read that got through.
enum class Page { Kept, Loaded };

bool isProbe(const Transfer &transfer)
{
    return !transfer.isSet() && transfer.reportId() == DEVICE_INFO_REPORT;
}

QString recordKind(bool effects)
{
    return effects ? QStringLiteral("effect") : QStringLiteral("hardware");
}

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Page)

// The whole tool, window and worker, against a controller that fails in every way the
// virtual controller can make it fail: it must not corrupt the controller's settings, hang,
// block its GUI or lose track of the controller.
class TestFaultInjection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void unplug_data();
    void unplug() { commandUnderFault(); }
    void failingStatus_data();
    void failingStatus() { commandUnderFault(); }
    void shortReplies_data();
    void shortReplies() { commandUnderFault(); }
    void stalls_data();
    void stalls() { commandUnderFault(); }
    void slowController_data();
    void slowController() { commandUnderFault(); }

private:
    static void addColumns();
    static void addRow(const char *name, Action action, const QString &faults, const QString &shape,
                       const QString &said, Outcome working, Outcome permanent, bool staysListed, Page page = Page::Kept,
                       int limitMs = COMMAND_LIMIT_MS, const QString &afterSave = {});
    void commandUnderFault();
    void selectJoystick();
    void recover();
    void saveAfterwards(bool effects);
    bool commandEnded(qsizetype from) const;
    bool awaitNextProbe(qsizetype *logSize) const;
    bool awaitCommandEnd(qsizetype from, int limitMs, Heartbeat *heartbeat = nullptr) const;

    QTemporaryDir workingDirectory;
    mutable VirtualController controller;
    int deviceId = -1;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindowProbe> probe;
    std::unique_ptr<WindowDriver> driver;
};

void TestFaultInjection::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
}

void TestFaultInjection::init()
{
    QVERIFY(controller.reset());
}

void TestFaultInjection::cleanup()
{
    driver.reset();
    probe.reset();
    window.reset();
}

void TestFaultInjection::addColumns()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("said");
    QTest::addColumn<Outcome>("working");
    QTest::addColumn<Outcome>("permanent");
    QTest::addColumn<bool>("staysListed");
    QTest::addColumn<Page>("page");
    QTest::addColumn<int>("limitMs");
    QTest::addColumn<QString>("afterSave");
}

void TestFaultInjection::addRow(const char *name, Action action, const QString &faults, const QString &shape,
                                const QString &said, Outcome working, Outcome permanent, bool staysListed, Page page,
                                int limitMs, const QString &afterSave)
{
    QTest::newRow(name) << action << faults << shape << said << working << permanent << staysListed << page << limitMs
                        << afterSave;
}

// The shapes are those of TransferShape: "S18x4 S18!x1" is four block packets of the
// effect record answered and a fifth that failed.
void TestFaultInjection::unplug_data()
{
    addColumns();
    addRow("mid effect block write", Action::SaveEffects, "unplug-after=4", "S18x4 S18!x1", "The effect settings were not saved: the controller left", Outcome::Old, Outcome::Old, false);
    addRow("mid hardware block write", Action::SaveHardware, "unplug-after=5", "S17x5 S17!x1", "The hardware settings were not saved: the controller left", Outcome::Old, Outcome::Old, false);
    addRow("at the effect terminator", Action::ApplyEffects, "unplug-after=7", "S18x7 S18!x1", "The effect settings were not applied: the controller left", Outcome::Old, Outcome::Old, false);
    addRow("in the busy wait after the block write", Action::SaveEffects, "write-busy-ms=1000,unplug-after=9",
           "S18x8 G24x1 G24!x1", "The effect settings were not saved: the controller left after the settings went to its working memory, before the save was sent.", Outcome::New, Outcome::Old, false);
    addRow("in the busy wait after the save command", Action::SaveHardware,
           "write-busy-ms=0,save-busy-ms=1000,unplug-after=13", "S17x10 G24x1 S2x1 G24x1 G24!x1", "The hardware settings may have been saved: the controller left before confirming. Choose it again to read what it holds.", Outcome::New,
           Outcome::New, false);
    addRow("during an effect read", Action::ReadEffects, "delay-ms=500,unplug-at-ms=200", "G22!x1", "The effect settings could not be read: the controller left", Outcome::Old,
           Outcome::Old, false, Page::Kept);
    addRow("during a hardware read", Action::ReadHardware, "delay-ms=500,unplug-at-ms=200", "G21!x1", "The hardware settings could not be read: the controller left", Outcome::Old,
           Outcome::Old, false, Page::Kept);
}

void TestFaultInjection::failingStatus_data()
{
    addColumns();
    addRow("status request fails on effect save", Action::SaveEffects, "status-fail=1", "S18x8 G24!x1", "The effect settings were not saved: the controller refused the request for its status after the settings went to its working memory, so the save was not sent.", Outcome::New,
           Outcome::Old, true);
    addRow("status request fails on hardware apply", Action::ApplyHardware, "status-fail=1", "S17x10 G24!x1", "The hardware settings may have been applied: the controller refused the request for its status.",
           Outcome::New, Outcome::Old, true);
    addRow("busy that never ends on effect save", Action::SaveEffects, "busy-forever=1", "S18x8 G24x\\d+", "The effect settings were not saved: the controller was still busy after 10 s, so the save was not sent", Outcome::New,
           Outcome::Old, true, Page::Kept, ENDLESS_BUSY_LIMIT_MS);
    // The save went out and the controller saves, but its status cannot be read any more.
    addRow("status request fails after the save command", Action::SaveEffects, "write-busy-ms=0,save-busy-ms=1000",
           "S18x8 G24x1 S2x1 (G24x\\d+ )?G24!x1", "The effect settings may have been saved: the controller refused the request for its status.",
           Outcome::New, Outcome::New, true, Page::Kept, COMMAND_LIMIT_MS, "status-fail=1");
}

void TestFaultInjection::shortReplies_data()
{
    addColumns();
    addRow("effect record one byte short", Action::ReadEffects, "short=383", "G22x1", "The effect settings could not be read: the controller's reply was too short", Outcome::Old, Outcome::Old, true,
           Page::Kept);
    addRow("empty effect record", Action::ReadEffects, "short=0", "G22x1", "The effect settings could not be read: the controller's reply was too short. Check that its firmware matches this tool.", Outcome::Old, Outcome::Old, true, Page::Kept);
    addRow("effect record cut to its own length", Action::ReadEffects, "short=384", "G22x1", "Effect settings read from the controller.", Outcome::Old, Outcome::Old,
           true, Page::Loaded);
    addRow("hardware record one byte short", Action::ReadHardware, "short=511", "G21x1", "The hardware settings could not be read: the controller's reply was too short", Outcome::Old, Outcome::Old,
           true, Page::Kept);
    addRow("empty hardware record", Action::ReadHardware, "short=0", "G21x1", "The hardware settings could not be read: the controller's reply was too short", Outcome::Old, Outcome::Old, true,
           Page::Kept);
    addRow("empty status on effect save", Action::SaveEffects, "short=0", "S18x8 G24x1", "The effect settings were not saved: the controller's status reply was too short after the settings went to its working memory, so the save was not sent. Check that its firmware matches this tool.", Outcome::New, Outcome::Old, true);
    addRow("empty status on hardware apply", Action::ApplyHardware, "short=0", "S17x10 G24x1", "The hardware settings may have been applied: the controller's status reply was too short. Check that its firmware matches this tool", Outcome::New,
           Outcome::Old, true);
    addRow("two-byte probe and status on hardware save", Action::SaveHardware, "short=2",
           "S17x10 G24x\\d+ S2x1 G24x\\d+ G21x1", "The hardware settings were saved, but reading them back to verify failed: the controller's reply was too short", Outcome::New, Outcome::New, true);
}

void TestFaultInjection::stalls_data()
{
    addColumns();
    addRow("0x20 on effect apply", Action::ApplyEffects, "stall=0x20", "S18!x1", "The effect settings were not applied: the controller refused the request.", Outcome::Old, Outcome::Old, true);
    addRow("0x20 on hardware save", Action::SaveHardware, "stall=0x20", "S17!x1", "The hardware settings were not saved: the controller refused", Outcome::Old, Outcome::Old, true);
    addRow("0x21 on hardware read", Action::ReadHardware, "stall=0x21", "G21!x1", "The hardware settings could not be read: the controller refused", Outcome::Old, Outcome::Old, true,
           Page::Kept);
    addRow("0x22 on effect read", Action::ReadEffects, "stall=0x22", "G22!x1", "The effect settings could not be read: the controller refused", Outcome::Old, Outcome::Old, true,
           Page::Kept);
    addRow("0x24 on effect save", Action::SaveEffects, "stall=0x24", "S18x8 G24!x1", "The effect settings were not saved: the controller refused the request for its status", Outcome::New, Outcome::Old, true);
    addRow("0x24 on hardware save", Action::SaveHardware, "stall=0x24", "S17x10 G24!x1", "The hardware settings were not saved: the controller refused the request for its status", Outcome::New, Outcome::Old,
           true);
    // The controller stops answering the probe: it drops out of the list, though the read
    // that was asked for just before still gets through.
    addRow("0x25 around an effect read", Action::ReadEffects, "stall=0x25", "G22x1", "Effect settings read from the controller.", Outcome::Old, Outcome::Old, false,
           Page::Loaded);
}

void TestFaultInjection::slowController_data()
{
    addColumns();
    addRow("effect save", Action::SaveEffects, "delay-ms=200", "S18x8 G24x\\d+ S2x1 G24x\\d+ G22x1", "Effect settings saved to the controller's permanent memory and verified.", Outcome::New,
           Outcome::New, true, Page::Kept, SLOW_COMMAND_LIMIT_MS);
    addRow("hardware save", Action::SaveHardware, "delay-ms=200", "S17x10 G24x\\d+ S2x1 G24x\\d+ G21x1", "Hardware settings saved to the controller's permanent memory and verified.", Outcome::New,
           Outcome::New, true, Page::Kept, SLOW_COMMAND_LIMIT_MS);
    addRow("hardware read", Action::ReadHardware, "delay-ms=200", "G21x1", "Hardware settings read from the controller.", Outcome::Old, Outcome::Old, true,
           Page::Loaded, SLOW_COMMAND_LIMIT_MS);
}

// A command has ended once the poll has probed the controller after the command's first
// transfer: poll and commands take turns on the worker's thread.
bool TestFaultInjection::commandEnded(qsizetype from) const
{
    const QList<Transfer> log = controller.transfers();
    qsizetype first = from;
    while (first < log.size() && (log.at(first).id != deviceId || isProbe(log.at(first))))
        ++first;
    for (qsizetype i = first + 1; i < log.size(); ++i)
        if (log.at(i).id == deviceId && isProbe(log.at(i)))
            return true;
    return false;
}

// Waits for the next probe, so that the poll then leaves the controller alone for a second.
bool TestFaultInjection::awaitNextProbe(qsizetype *logSize) const
{
    const qsizetype before = controller.transfers().size();
    return QTest::qWaitFor(
        [&] {
            const QList<Transfer> log = controller.transfers();
            for (qsizetype i = before; i < log.size(); ++i) {
                if (log.at(i).id == deviceId && isProbe(log.at(i))) {
                    *logSize = log.size();
                    return true;
                }
            }
            return false;
        },
        LIST_UPDATE_MS);
}

bool TestFaultInjection::awaitCommandEnd(qsizetype from, int limitMs, Heartbeat *heartbeat) const
{
    const auto ended = [&] { return commandEnded(from) && !QGuiApplication::overrideCursor(); };
    return QTest::qWaitFor([&] { return heartbeat ? heartbeat->leaveOut(ended) : ended(); }, limitMs);
}

void TestFaultInjection::selectJoystick()
{
    if (!window) {
        window = std::make_unique<MainWindow>();
        probe = std::make_unique<MainWindowProbe>(*window);
        driver = std::make_unique<WindowDriver>(*window);
        window->show();
    }
    QTRY_VERIFY_WITH_TIMEOUT(probe->visibleRows().contains(JOYSTICK_ROW), LIST_UPDATE_MS);
    const qsizetype from = controller.transfers().size();
    probe->pick(JOYSTICK_ROW);
    QCOMPARE(window->currentProductId(), JOYSTICK);
    QVERIFY(awaitCommandEnd(from, COMMAND_LIMIT_MS));
    // The reads emitted their records before the probe ran; deliver them.
    QCoreApplication::processEvents();
    for (bool effects : {true, false}) {
        const int stored = WindowDriver::editedValueIn(effects, controller.readRecord(deviceId, recordKind(effects), false));
        QCOMPARE(driver->editedValue(effects), qMin(stored, driver->editedValueMaximum(effects)));
    }
}

void TestFaultInjection::commandUnderFault()
{
    QFETCH(Action, action);
    QFETCH(QString, faults);
    QFETCH(QString, shape);
    QFETCH(QString, said);
    QFETCH(Outcome, working);
    QFETCH(Outcome, permanent);
    QFETCH(bool, staysListed);
    QFETCH(Page, page);
    QFETCH(int, limitMs);
    QFETCH(QString, afterSave);
    const bool effects = WindowDriver::isEffects(action);
    const QString kind = recordKind(effects);
    const QString otherKind = recordKind(!effects);

    deviceId = controller.plug(QStringLiteral("joystick"));
    QVERIFY(deviceId > 0);
    selectJoystick();
    if (QTest::currentTestFailed())
        return;

    // The user edits a value, so that the record sent differs from the controller's.
    const int shown = driver->editedValue(effects);
    const int edited = shown + 7 <= driver->editedValueMaximum(effects) ? shown + 7 : shown - 7;
    driver->setEditedValue(effects, edited);
    const QByteArray sent = driver->record(effects);
    const QByteArray oldWorking = controller.readRecord(deviceId, kind, false);
    const QByteArray oldPermanent = controller.readRecord(deviceId, kind, true);
    const QByteArray otherWorking = controller.readRecord(deviceId, otherKind, false);
    const QByteArray otherPermanent = controller.readRecord(deviceId, otherKind, true);
    QVERIFY(sent != oldWorking && sent != oldPermanent);

    qsizetype from = 0;
    QVERIFY(awaitNextProbe(&from));
    QVERIFY(controller.set(deviceId, faults));
    Heartbeat heartbeat;
    QElapsedTimer clock;
    heartbeat.start();
    clock.start();
    driver->press(action);
    if (!afterSave.isEmpty()) {
        // While the controller is busy saving, so the fault meets the wait after the save.
        QVERIFY(QTest::qWaitFor(
            [&] { return TransferShape::of(controller.transfers(), deviceId, from).contains(QLatin1String("S2x")); }, limitMs));
        QVERIFY(controller.set(deviceId, afterSave));
    }
    const bool ended = awaitCommandEnd(from, limitMs, &heartbeat);
    heartbeat.stop();
    QVERIFY2(ended, qPrintable(QStringLiteral("the command did not end within %1 ms; cursor %2; transfers: %3")
                                   .arg(limitMs)
                                   .arg(QGuiApplication::overrideCursor() ? "still waiting" : "restored")
                                   .arg(TransferShape::of(controller.transfers(), deviceId, from))));
    QVERIFY2(heartbeat.longestPauseMs() <= MAX_GUI_PAUSE_MS,
             qPrintable(QStringLiteral("the GUI thread stood still for %1 ms (%2)")
                            .arg(heartbeat.longestPauseMs())
                            .arg(heartbeat.longestPauseBreakdown())));
    qInfo("%s took %lld ms; longest GUI pause %lld ms (%lld ms with waits for a processor); wait cursor %s",
          qPrintable(WindowDriver::name(action)), clock.elapsed(), heartbeat.longestPauseMs(),
          heartbeat.longestWallPauseMs(), heartbeat.sawOverrideCursor() ? "seen" : "not seen");

    // The window says how the command ended: what failed and why, or that it went through.
    QTRY_VERIFY2_WITH_TIMEOUT(window->statusBar()->currentMessage().startsWith(said),
                              qPrintable(window->statusBar()->currentMessage()), LIST_UPDATE_MS);

    const QString seen = TransferShape::of(controller.transfers(), deviceId, from);
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(shape)).match(seen).hasMatch(),
             qPrintable(QStringLiteral("transfers %1, expected %2").arg(seen, shape)));

    // Old or exactly new, never a mix, and the other record untouched.
    QCOMPARE(controller.readRecord(deviceId, kind, false), working == Outcome::Old ? oldWorking : sent);
    QCOMPARE(controller.readRecord(deviceId, kind, true), permanent == Outcome::Old ? oldPermanent : sent);
    QCOMPARE(controller.readRecord(deviceId, otherKind, false), otherWorking);
    QCOMPARE(controller.readRecord(deviceId, otherKind, true), otherPermanent);
    QCOMPARE(driver->editedValue(effects), page == Page::Kept ? edited : shown);

    if (staysListed) {
        // Nothing to wait for: the controller must still be there after the next list updates.
        QTest::qWait(1200);
        QCOMPARE(window->currentProductId(), JOYSTICK);
        QVERIFY(probe->visibleRows().contains(JOYSTICK_ROW));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!probe->visibleRows().contains(JOYSTICK_ROW), LIST_UPDATE_MS);
        QCOMPARE(window->currentProductId(), -1);
        QVERIFY(probe->visiblePages().isEmpty());
        QVERIFY(!probe->deviceButtonsVisible());
    }

    recover();
    if (QTest::currentTestFailed())
        return;
    saveAfterwards(effects);
    if (QTest::currentTestFailed())
        return;

    const TransferAudit audit(controller.transfers());
    QVERIFY2(audit.problems().isEmpty(), qPrintable(audit.problems().join(QLatin1Char('\n'))));
}

// The fault goes away (or the controller is plugged in again) and the tool finds it again.
void TestFaultInjection::recover()
{
    QVERIFY(controller.set(deviceId, FAULTS_OFF));
    if (!controller.isPlugged(deviceId))
        QVERIFY(controller.replug(deviceId));
    // The row comes back with the controller's own record, not one read under the fault.
    QTRY_VERIFY_WITH_TIMEOUT(probe->visibleRows().contains(JOYSTICK_ROW), LIST_UPDATE_MS);
    QTRY_COMPARE_WITH_TIMEOUT(probe->devices()->itemText(JOYSTICK_ROW),
                              QStringLiteral("Kestrov Joystick (Version 241123)"), LIST_UPDATE_MS);
    if (window->currentProductId() != JOYSTICK)
        selectJoystick();
}

// The next save after the fault goes through whole.
void TestFaultInjection::saveAfterwards(bool effects)
{
    const QString kind = recordKind(effects);
    const int value = driver->editedValue(effects);
    driver->setEditedValue(effects, value + 5 <= driver->editedValueMaximum(effects) ? value + 5 : value - 5);
    const QByteArray record = driver->record(effects);
    qsizetype from = 0;
    QVERIFY(awaitNextProbe(&from));
    driver->press(effects ? Action::SaveEffects : Action::SaveHardware);
    QVERIFY(awaitCommandEnd(from, COMMAND_LIMIT_MS));
    QCOMPARE(controller.readRecord(deviceId, kind, false), record);
    QCOMPARE(controller.readRecord(deviceId, kind, true), record);
    // Once the fault is gone, the same window says the save went through.
    QTRY_VERIFY2_WITH_TIMEOUT(window->statusBar()->currentMessage().endsWith(QStringLiteral("permanent memory and verified.")),
                              qPrintable(window->statusBar()->currentMessage()), LIST_UPDATE_MS);
}

QTEST_MAIN(TestFaultInjection)
#include "tst_faultinjection.moc"
