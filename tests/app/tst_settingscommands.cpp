#include "app/mainwindow.h"

#include "heartbeat.h"
#include "mainwindowprobe.h"
#include "transfershape.h"
#include "virtualcontroller.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

#include <cstring>

namespace {

constexpr int JOYSTICK = 22777;

QList<Transfer> blockPackets(const QList<Transfer> &transfers)
{
    QList<Transfer> packets;
    for (const Transfer &transfer : transfers)
        if (transfer.isSet() && transfer.data.size() == 65 && quint8(transfer.data.at(1)) >= 17)
            packets << transfer;
    return packets;
}

// The command's own transfers, without the once-a-second probes around it.
QString commandShape(const QList<Transfer> &transfers)
{
    QStringList steps = transferShape(transfers);
    steps.removeAll(QStringLiteral("G37"));
    return collapsedShape(steps);
}

// The record a block write carried, put back together from its packets.
QByteArray reassembled(const QList<Transfer> &packets, int length)
{
    QByteArray record(length, '\0');
    for (const Transfer &packet : packets) {
        const int offset = quint8(packet.data.at(2)) | quint8(packet.data.at(3)) << 8;
        const int remaining = quint8(packet.data.at(4)) | quint8(packet.data.at(5)) << 8;
        if (remaining != 0xFFFF)
            record.replace(offset, qMin(remaining, 58), packet.data.mid(6, qMin(remaining, 58)));
    }
    return record;
}

} // namespace

class TestSettingsCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void effectsApplyAndSave_data();
    void effectsApplyAndSave();
    void hardwareApplyAndSaveOnEveryPage_data();
    void hardwareApplyAndSaveOnEveryPage();
    void applyFromButtonsCarriesAllFourPages();
    void readFromAnalogAxesRefreshesAllFourPages();
    void bytesNoControlWritesGoOutAsZero();
    void twoQuickAppliesRunOneAfterTheOther();
    void waitCursorDuringBusyWaitOnly();
    void oversizedCprIsRefusedWithMessage();
    void unplugDuringSaveLeavesToolResponsive();
    void savedValuesSurviveReboot();
    void sameSessionOnBothPaths();
    void valueTheControllerKeptDifferentlyIsNamed();
    void closingWhileSavingHidesTheWindowAndFinishesTheSave();

private:
    void selectJoystick(const QString &options = QString());
    QList<Transfer> session(const QString &driver);
    void click(const QString &button);
    void waitUntilIdle();
    template<typename T>
    T *control(const QString &name) const { return probe->find<T>(name); }

    QTemporaryDir workingDirectory;
    VirtualController controller;
    int device = -1;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindowProbe> probe;
};

void TestSettingsCommands::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
}

void TestSettingsCommands::init()
{
    QVERIFY(controller.reset());
}

void TestSettingsCommands::cleanup()
{
    probe.reset();
    window.reset();
    // The tool never takes a controller from the kernel's HID driver, which games rely on.
    QVERIFY(controller.events().isEmpty());
}

void TestSettingsCommands::selectJoystick(const QString &options)
{
    device = controller.plug(QStringLiteral("joystick") + options);
    QVERIFY(device > 0);
    window = std::make_unique<MainWindow>();
    probe = std::make_unique<MainWindowProbe>(*window);
    window->show();
    QTRY_COMPARE_WITH_TIMEOUT(probe->visibleRows(), QList<int>{1}, 3000);
    probe->pick(1);
    QTRY_COMPARE_WITH_TIMEOUT(countReads(controller.transfers(), 0x21), 1, 3000);
    QTest::qWait(50); // the record reaches the pages through the event loop
    controller.clearLog();
}

void TestSettingsCommands::click(const QString &button)
{
    auto *target = control<QAbstractButton>(button);
    QVERIFY2(target, qPrintable(button));
    target->click();
}

void TestSettingsCommands::waitUntilIdle()
{
    // A command has ended when the controller is idle and the wait cursor is gone.
    QTest::qWait(150);
    QTRY_VERIFY_WITH_TIMEOUT(!controller.isBusy(device) && QGuiApplication::overrideCursor() == nullptr, 5000);
    QTest::qWait(150);
}

void TestSettingsCommands::effectsApplyAndSave_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shape");
    // After the busy wait the controller's record is read back to verify it.
    QTest::addColumn<QString>("outcome");
    QTest::newRow("apply") << "apply_effect_settings_button" << "S18 G36 G34"
                           << "Effect settings applied to the controller's working memory and verified.";
    QTest::newRow("save") << "save_effects_settings_button" << "S18 G36 S2 G36 G34"
                          << "Effect settings saved to the controller's permanent memory and verified.";
}

void TestSettingsCommands::effectsApplyAndSave()
{
    QFETCH(QString, button);
    QFETCH(QString, shape);
    QFETCH(QString, outcome);
    selectJoystick(QStringLiteral(",write-busy-ms=250,save-busy-ms=250"));
    control<QSpinBox>(QStringLiteral("motion_range_axis0"))->setValue(720);
    const QByteArray permanentBefore = controller.readRecord(device, QStringLiteral("effect"), true);

    click(button);
    waitUntilIdle();
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(commandShape(transfers), shape);
    QCOMPARE(blockPackets(transfers).size(), 8);
    QList<double> statusTimes;
    for (const Transfer &transfer : transfers)
        if (!transfer.isSet() && transfer.reportId() == 0x24)
            statusTimes << transfer.timeMs;
    for (int i = 1; i < statusTimes.size(); ++i)
        QVERIFY(statusTimes.at(i) - statusTimes.at(i - 1) >= 95.0);

    EffectSettingsTypeDef sent;
    const QByteArray record = reassembled(blockPackets(transfers), 384);
    std::memcpy(&sent, record.constData(), sizeof sent);
    QCOMPARE(int(sent.axis[0].motion_range), 720);
    QCOMPARE(controller.readRecord(device, QStringLiteral("effect"), false), record);
    const bool saved = button.startsWith(QLatin1String("save"));
    QCOMPARE(controller.readRecord(device, QStringLiteral("effect"), true), saved ? record : permanentBefore);
    QCOMPARE(window->statusBar()->currentMessage(), outcome);
}

void TestSettingsCommands::hardwareApplyAndSaveOnEveryPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shape");
    for (int page = 1; page <= 4; ++page) {
        QTest::addRow("apply %d", page) << QStringLiteral("apply_hardware_settings_button_%1").arg(page) << "S17 G36 G33";
        QTest::addRow("save %d", page) << QStringLiteral("save_hardware_settings_button_%1").arg(page) << "S17 G36 S2 G36 G33";
    }
}

void TestSettingsCommands::hardwareApplyAndSaveOnEveryPage()
{
    QFETCH(QString, button);
    QFETCH(QString, shape);
    selectJoystick(QStringLiteral(",write-busy-ms=150,save-busy-ms=150"));
    control<QSpinBox>(QStringLiteral("power_limit"))->setValue(55);

    click(button);
    waitUntilIdle();
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(commandShape(transfers), shape);
    QCOMPARE(blockPackets(transfers).size(), 10);
    const QByteArray record = reassembled(blockPackets(transfers), 512);
    QCOMPARE(quint8(record.at(48)), quint8(55));
    QCOMPARE(controller.readRecord(device, QStringLiteral("hardware"), false), record);
    if (button.startsWith(QLatin1String("save")))
        QCOMPARE(controller.readRecord(device, QStringLiteral("hardware"), true), record);
}

void TestSettingsCommands::applyFromButtonsCarriesAllFourPages()
{
    selectJoystick();
    control<QSpinBox>(QStringLiteral("braking_limit"))->setValue(33);
    control<QComboBox>(QStringLiteral("gpioModeCombo_8"))->setCurrentIndex(9);
    control<QComboBox>(QStringLiteral("spiModeCombo"))->setCurrentIndex(2);
    control<QComboBox>(QStringLiteral("buttonMode_17"))->setCurrentIndex(2);
    control<QSpinBox>(QStringLiteral("lowerDeadZoneSpinBox_2"))->setValue(4660);
    control<QCheckBox>(QStringLiteral("analogAxisInvert_3"))->setChecked(true);

    click(QStringLiteral("apply_hardware_settings_button_3"));
    waitUntilIdle();
    HardwareSettingsTypeDef working;
    std::memcpy(&working, controller.readRecord(device, QStringLiteral("hardware"), false).constData(), sizeof working);
    QCOMPARE(int(working.braking_limit), 33);
    QCOMPARE(int(working.gpio_mode[7]), 9);
    QCOMPARE(int(working.spi_mode), 2);
    QCOMPARE(int(working.button_mode[16]), 2);
    QCOMPARE(int(working.analog_lower_dead_zone[1]), 4660);
    QCOMPARE(int(working.analog_invert[2]), 1);
}

void TestSettingsCommands::readFromAnalogAxesRefreshesAllFourPages()
{
    selectJoystick();
    HardwareSettingsTypeDef changed;
    std::memcpy(&changed, controller.readRecord(device, QStringLiteral("hardware"), false).constData(), sizeof changed);
    changed.position_smoothing = 77;
    changed.gpio_mode[2] = 2;
    changed.button_mode[31] = 1;
    changed.analog_smoothing[0] = 66;
    changed.axis[1].encoder_cpr = 12345;
    QVERIFY(controller.writeRecord(device, QStringLiteral("hardware"),
                                   QByteArray(reinterpret_cast<const char *>(&changed), sizeof changed)));

    click(QStringLiteral("read_hardware_settings_button_4"));
    QTRY_COMPARE_WITH_TIMEOUT(control<QSpinBox>(QStringLiteral("analogSmoothingSpinBox_1"))->value(), 66, 3000);
    QCOMPARE(control<QSpinBox>(QStringLiteral("position_smoothing"))->value(), 77);
    QCOMPARE(control<QComboBox>(QStringLiteral("gpioModeCombo_3"))->currentIndex(), 2);
    QCOMPARE(control<QComboBox>(QStringLiteral("buttonMode_32"))->currentIndex(), 1);
    QCOMPARE(control<QSpinBox>(QStringLiteral("axis1_encoder_CPR"))->value(), 12345);
    QCOMPARE(countReads(controller.transfers(), 0x21), 1);
    QCOMPARE(countReads(controller.transfers(), 0x22), 0);
}

void TestSettingsCommands::bytesNoControlWritesGoOutAsZero()
{
    // A controller whose records carry values in every byte, reserved ones included.
    const QByteArray hardwareFull(512, char(0x01));
    const QByteArray effectFull(384, char(0x01));
    selectJoystick();
    QVERIFY(controller.writeRecord(device, QStringLiteral("hardware"), hardwareFull));
    QVERIFY(controller.writeRecord(device, QStringLiteral("effect"), effectFull));
    click(QStringLiteral("read_hardware_settings_button_1"));
    click(QStringLiteral("read_effects_settings_button"));
    QTest::qWait(300);
    controller.clearLog();

    click(QStringLiteral("save_hardware_settings_button_2"));
    waitUntilIdle();
    click(QStringLiteral("apply_effect_settings_button"));
    waitUntilIdle();
    const QByteArray hardware = controller.readRecord(device, QStringLiteral("hardware"), true);
    const QByteArray effect = controller.readRecord(device, QStringLiteral("effect"), false);
    for (int offset : {2, 53, 58, 85, 200, 255, 256 + 5, 256 + 6, 256 + 15, 384 + 127, 511})
        QVERIFY2(hardware.at(offset) == 0, qPrintable(QStringLiteral("hardware byte %1").arg(offset)));
    for (int offset : {4, 100, 127, 141, 144, 255, 269, 272, 383})
        QVERIFY2(effect.at(offset) == 0, qPrintable(QStringLiteral("effect byte %1").arg(offset)));
    // Edited fields went out with what the pages showed.
    QCOMPARE(quint8(hardware.at(6)), quint8(1));
    QCOMPARE(quint8(effect.at(1)), quint8(1));
}

void TestSettingsCommands::twoQuickAppliesRunOneAfterTheOther()
{
    selectJoystick(QStringLiteral(",write-busy-ms=300"));
    click(QStringLiteral("apply_hardware_settings_button_1"));
    control<QSpinBox>(QStringLiteral("power_limit"))->setValue(12);
    click(QStringLiteral("apply_hardware_settings_button_2"));
    QTest::qWait(200);
    waitUntilIdle();
    QTRY_COMPARE_WITH_TIMEOUT(blockPackets(controller.transfers()).size(), 20, 3000);
    waitUntilIdle();
    QCOMPARE(commandShape(controller.transfers()), QStringLiteral("S17 G36 G33 S17 G36 G33"));
    // Each apply carried the values of its click.
    const QList<Transfer> packets = blockPackets(controller.transfers());
    QVERIFY(quint8(reassembled(packets.mid(0, 10), 512).at(48)) != 12);
    QCOMPARE(quint8(reassembled(packets.mid(10, 10), 512).at(48)), quint8(12));
}

void TestSettingsCommands::waitCursorDuringBusyWaitOnly()
{
    selectJoystick(QStringLiteral(",write-busy-ms=600"));
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    Heartbeat heartbeat;
    heartbeat.start();
    click(QStringLiteral("apply_effect_settings_button"));
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::overrideCursor() != nullptr, 2000);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::overrideCursor() == nullptr, 3000);
    // The window kept its event loop turning all along.
    heartbeat.stop();
    QVERIFY2(heartbeat.longestPauseMs() < 100, qPrintable(QString::number(heartbeat.longestPauseMs())));
}

void TestSettingsCommands::oversizedCprIsRefusedWithMessage()
{
    selectJoystick();
    control<QSpinBox>(QStringLiteral("axis0_encoder_CPR"))->setValue(70000);
    click(QStringLiteral("save_hardware_settings_button_1"));
    QTest::qWait(300);
    QVERIFY(blockPackets(controller.transfers()).isEmpty());
    QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("70000")));

    // Once the value fits, the record goes out with exactly that value.
    control<QSpinBox>(QStringLiteral("axis0_encoder_CPR"))->setValue(65535);
    click(QStringLiteral("apply_hardware_settings_button_1"));
    waitUntilIdle();
    HardwareSettingsTypeDef working;
    std::memcpy(&working, controller.readRecord(device, QStringLiteral("hardware"), false).constData(), sizeof working);
    QCOMPARE(int(working.axis[0].encoder_cpr), 65535);
    // The refusal gave way to how the apply ended.
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Hardware settings applied to the controller's working memory and verified."));
}

void TestSettingsCommands::unplugDuringSaveLeavesToolResponsive()
{
    selectJoystick(QStringLiteral(",save-busy-ms=3000"));
    const QByteArray permanentBefore = controller.readRecord(device, QStringLiteral("hardware"), true);
    Heartbeat heartbeat;
    heartbeat.start();
    click(QStringLiteral("save_hardware_settings_button_1"));
    QTRY_VERIFY_WITH_TIMEOUT(transferShape(controller.transfers()).contains(QStringLiteral("S2")), 3000);
    QVERIFY(controller.unplug(device));

    QTRY_COMPARE_WITH_TIMEOUT(window->currentProductId(), -1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::overrideCursor() == nullptr, 3000);
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(probe->visibleRows().isEmpty());
    heartbeat.stop();
    QVERIFY2(heartbeat.longestPauseMs() < 100, qPrintable(QString::number(heartbeat.longestPauseMs())));
    // The controller went before it finished saving: its permanent memory is either the old
    // or the new record, never a mix.
    const QByteArray permanent = controller.readRecord(device, QStringLiteral("hardware"), true);
    QVERIFY(permanent == permanentBefore || permanent == controller.readRecord(device, QStringLiteral("hardware"), false));
}

void TestSettingsCommands::savedValuesSurviveReboot()
{
    selectJoystick(QStringLiteral(",reboot-ms=300"));
    control<QSpinBox>(QStringLiteral("soft_stop_range_axis0"))->setValue(17);
    control<QSpinBox>(QStringLiteral("calibration_magnitude"))->setValue(61);
    click(QStringLiteral("save_effects_settings_button"));
    waitUntilIdle();
    click(QStringLiteral("save_hardware_settings_button_1"));
    waitUntilIdle();
    control<QSpinBox>(QStringLiteral("soft_stop_range_axis0"))->setValue(3);
    click(QStringLiteral("apply_effect_settings_button"));
    waitUntilIdle();

    click(QStringLiteral("reboot_button"));
    // The controller leaves, comes back with what was saved, and is picked again.
    QTRY_COMPARE_WITH_TIMEOUT(window->currentProductId(), -1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(probe->visibleRows(), QList<int>{1}, 5000);
    probe->pick(1);
    QTRY_COMPARE_WITH_TIMEOUT(control<QSpinBox>(QStringLiteral("soft_stop_range_axis0"))->value(), 17, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(control<QSpinBox>(QStringLiteral("calibration_magnitude"))->value(), 61, 3000);
}

// Select, read, apply, save and reboot, as a user would; the command transfers, without the
// poll's probes.
QList<Transfer> TestSettingsCommands::session(const QString &driver)
{
    selectJoystick(QStringLiteral(",write-busy-ms=0,save-busy-ms=0,driver=") + driver);
    click(QStringLiteral("read_effects_settings_button"));
    waitUntilIdle();
    control<QSpinBox>(QStringLiteral("motion_range_axis0"))->setValue(333);
    click(QStringLiteral("apply_effect_settings_button"));
    waitUntilIdle();
    control<QSpinBox>(QStringLiteral("power_limit"))->setValue(44);
    click(QStringLiteral("save_hardware_settings_button_1"));
    waitUntilIdle();
    click(QStringLiteral("reboot_button"));
    [&] { QTRY_VERIFY_WITH_TIMEOUT(probe->visibleRows().isEmpty(), 3000); }();
    QList<Transfer> commands;
    for (const Transfer &transfer : controller.transfers())
        if (transfer.reportId() != 0x25)
            commands << transfer;
    probe.reset();
    window.reset();
    return commands;
}

void TestSettingsCommands::sameSessionOnBothPaths()
{
    // Through the hidraw node of a controller held by the kernel's HID driver, and with USB
    // control transfers to one without a driver: the same bytes on the wire.
    const QList<Transfer> hidraw = session(QStringLiteral("hid"));
    QVERIFY(controller.reset());
    const QList<Transfer> usb = session(QStringLiteral("none"));
    QCOMPARE(collapsedShape(transferShape(hidraw)), QStringLiteral("G34 S18 G36 G34 S17 G36 S2 G36 G33 S1"));
    QCOMPARE(hidraw.size(), usb.size());
    for (qsizetype i = 0; i < hidraw.size(); ++i) {
        const Transfer &a = hidraw.at(i);
        const Transfer &b = usb.at(i);
        QCOMPARE(a.path, QStringLiteral("hidraw"));
        QCOMPARE(b.path, QStringLiteral("usbfs"));
        QCOMPARE(QList<int>({a.bmRequestType, a.bRequest, a.wValue, a.wIndex, a.wLength, a.result}),
                 QList<int>({b.bmRequestType, b.bRequest, b.wValue, b.wIndex, b.wLength, b.result}));
        QCOMPARE(a.data, b.data);
    }
}

void TestSettingsCommands::valueTheControllerKeptDifferentlyIsNamed()
{
    // A firmware that clamps the motion range: the apply went out whole, but the controller
    // holds another value, and the window says which, in the page's words.
    selectJoystick(QStringLiteral(",clamp-motion-range=500"));
    auto *range = control<QSpinBox>(QStringLiteral("motion_range_axis0"));
    range->setValue(720);
    click(QStringLiteral("apply_effect_settings_button"));
    waitUntilIdle();
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(),
                              QStringLiteral("Effect settings applied, but the controller kept other values for: Axis 0: "
                                             "Motion range (degrees). The page still shows what you entered."),
                              2000);
    QCOMPARE(range->value(), 720);
    QCOMPARE(control<QLabel>(QStringLiteral("effects_state_label"))->text(), QStringLiteral("Controller kept other values"));
    EffectSettingsTypeDef kept;
    std::memcpy(&kept, controller.readRecord(device, QStringLiteral("effect"), false).constData(), sizeof kept);
    QCOMPARE(int(kept.axis[0].motion_range), 500);
}

void TestSettingsCommands::closingWhileSavingHidesTheWindowAndFinishesTheSave()
{
    selectJoystick(QStringLiteral(",write-busy-ms=400,save-busy-ms=400"));
    control<QSpinBox>(QStringLiteral("power_limit"))->setValue(61);
    click(QStringLiteral("save_hardware_settings_button_1"));
    click(QStringLiteral("apply_effect_settings_button"));
    QVERIFY(!window->close());
    // Gone from the screen at once, not frozen on it.
    QVERIFY(!window->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(window->pendingCommands(), 0, 5000);
    HardwareSettingsTypeDef saved;
    std::memcpy(&saved, controller.readRecord(device, QStringLiteral("hardware"), true).constData(), sizeof saved);
    QCOMPARE(int(saved.power_limit), 61);
    // The command asked for after the save went out too.
    QCOMPARE(commandShape(controller.transfers()), QStringLiteral("S17 G36 S2 G36 G33 S18 G36 G34"));
}

QTEST_MAIN(TestSettingsCommands)
#include "tst_settingscommands.moc"
