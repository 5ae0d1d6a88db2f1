// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "effects/effectsettings.h"
#include "effects/forcetestgroup.h"
#include "inputs/axisbar.h"
#include "inputs/buttonspage.h"
#include "inputs/pressedindicator.h"

#include "heartbeat.h"
#include "mainwindowprobe.h"
#include "transfershape.h"
#include "virtualcontroller.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
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
    void buttonsRestWhileTheirRecordIsSent();
    void waitCursorDuringBusyWaitOnly();
    void oversizedCprIsRefusedWithMessage();
    void untouchedValuesGoBackAndClampsAreSaid();
    void unplugDuringSaveLeavesToolResponsive();
    void savedValuesSurviveReboot();
    void sameSessionOnBothPaths();
    void valueTheControllerKeptDifferentlyIsNamed();
    void closingWhileSavingHidesTheWindowAndFinishesTheSave();
    void closingWithPagesNotSaved_data();
    void closingWithPagesNotSaved();
    void keysActOnTheShownPage();
    void everyControlHasAnAccessibleNameAndTakesFocus();
    void liveInputsShownAndSendNothing();
    void forceTestPlaysAndStopsForACommandAndForUnplugging();

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
    // Both reads have ended, so their records are on the pages.
    QTRY_COMPARE_WITH_TIMEOUT(window->pendingCommands(), 0, 3000);
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
    // A command has ended when its outcome is back, the controller is idle and the wait
    // cursor is gone.
    QTRY_VERIFY_WITH_TIMEOUT(window->pendingCommands() == 0 && !controller.isBusy(device)
                                 && QGuiApplication::overrideCursor() == nullptr,
                             5000);
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
    waitUntilIdle(); // both records are on the pages
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

void TestSettingsCommands::buttonsRestWhileTheirRecordIsSent()
{
    selectJoystick(QStringLiteral(",write-busy-ms=300"));
    click(QStringLiteral("apply_hardware_settings_button_1"));
    // The record's buttons on every page rest and its marks say what is under way; the other
    // record's commands still queue.
    for (const char *button : {"apply_hardware_settings_button_2", "save_hardware_settings_button_3", "read_hardware_settings_button_4"})
        QVERIFY2(!control<QAbstractButton>(QLatin1String(button))->isEnabled(), button);
    QCOMPARE(control<QLabel>(QStringLiteral("hardware_state_label_2"))->text(), QStringLiteral("Applying…"));
    QVERIFY(control<QAbstractButton>(QStringLiteral("save_effects_settings_button"))->isEnabled());
    waitUntilIdle();
    QVERIFY(control<QAbstractButton>(QStringLiteral("apply_hardware_settings_button_2"))->isEnabled());
    QCOMPARE(control<QLabel>(QStringLiteral("hardware_state_label_2"))->text(), QStringLiteral("Applied and verified, not saved"));

    control<QSpinBox>(QStringLiteral("power_limit"))->setValue(12);
    click(QStringLiteral("apply_hardware_settings_button_2"));
    waitUntilIdle();
    QTRY_COMPARE_WITH_TIMEOUT(blockPackets(controller.transfers()).size(), 20, 3000);
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
    // Nothing is to go out, so there is no event to wait for: a fixed while instead.
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

// Values the pages cannot show: an unknown mode goes back as it came, and a clamped number
// is said on its field and in the page's mark before anything is sent.
void TestSettingsCommands::untouchedValuesGoBackAndClampsAreSaid()
{
    selectJoystick();
    QByteArray record = controller.readRecord(device, QStringLiteral("hardware"), false);
    record[3] = char(9);    // calibration mode
    record[7] = char(42);   // GPIO pin 2
    record[48] = char(200); // power limit (%)
    QVERIFY(controller.writeRecord(device, QStringLiteral("hardware"), record));
    click(QStringLiteral("read_hardware_settings_button_1"));
    waitUntilIdle();
    const auto *mark = control<QLabel>(QStringLiteral("hardware_state_label_1"));
    QCOMPARE(mark->text(), QStringLiteral("As read, but some values are shown otherwise"));
    QVERIFY2(mark->toolTip().contains(QStringLiteral("Power limit")) && !mark->toolTip().contains(QStringLiteral("Calibration")),
             qPrintable(mark->toolTip()));
    QVERIFY(control<QSpinBox>(QStringLiteral("power_limit"))->toolTip().contains(QStringLiteral("200")));
    QCOMPARE(control<QComboBox>(QStringLiteral("calibration_mode"))->placeholderText(), QStringLiteral("Unknown (9)"));

    control<QSpinBox>(QStringLiteral("braking_limit"))->setValue(33);
    click(QStringLiteral("apply_hardware_settings_button_1"));
    waitUntilIdle();
    const QByteArray applied = controller.readRecord(device, QStringLiteral("hardware"), false);
    QCOMPARE(quint8(applied.at(3)), quint8(9));
    QCOMPARE(quint8(applied.at(7)), quint8(42));
    QCOMPARE(quint8(applied.at(48)), quint8(100));
    QCOMPARE(quint8(applied.at(49)), quint8(33));
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
                              QStringLiteral("Effect settings applied, but the controller kept other values: Axis 0: "
                                             "Motion range (degrees): sent 720, the controller kept 500. The page still "
                                             "shows what you entered."),
                              2000);
    QCOMPARE(range->value(), 720);
    const auto *mark = control<QLabel>(QStringLiteral("effects_state_label"));
    QCOMPARE(mark->text(), QStringLiteral("Controller kept other values"));
    QCOMPARE(mark->toolTip(), QStringLiteral("Axis 0: Motion range (degrees): sent 720, the controller kept 500"));
    // The field itself says so too, and only it.
    QCOMPARE(range->toolTip(), QStringLiteral("The controller kept 500; 720 was sent."));
    QVERIFY(control<QSpinBox>(QStringLiteral("motion_range_axis1"))->toolTip().isEmpty());
    QVERIFY(control<QSlider>(QStringLiteral("motion_range_slider_axis0"))->toolTip().isEmpty());

    // A later apply whose status read fails is said on the mark as unknown, not with the
    // older verdict.
    QVERIFY(controller.set(device, QStringLiteral("status-fail=1")));
    click(QStringLiteral("apply_effect_settings_button"));
    waitUntilIdle();
    QCOMPARE(mark->text(), QStringLiteral("May have been applied: read to check"));
    QCOMPARE(mark->toolTip(), QString());
    // An edit takes the field's mark away.
    range->setValue(600);
    QTRY_VERIFY(range->toolTip().isEmpty());
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
    // The program ends as the last command does: its event loop returns, not the limit's.
    QTimer limit;
    limit.setSingleShot(true);
    limit.callOnTimeout([] { QCoreApplication::exit(2); });
    limit.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(window->pendingCommands(), 0);
    HardwareSettingsTypeDef saved;
    std::memcpy(&saved, controller.readRecord(device, QStringLiteral("hardware"), true).constData(), sizeof saved);
    QCOMPARE(int(saved.power_limit), 61);
    // The command asked for after the save went out too.
    QCOMPARE(commandShape(controller.transfers()), QStringLiteral("S17 G36 S2 G36 G33 S18 G36 G34"));
}

void TestSettingsCommands::closingWithPagesNotSaved_data()
{
    QTest::addColumn<bool>("applyEffects");
    QTest::addColumn<bool>("editHardware");
    QTest::addColumn<QString>("answer");
    // Empty: no question is to come.
    QTest::addColumn<QString>("consequence");
    QTest::addColumn<QString>("shape");
    const QString both = "If you close: the controller keeps applied values until it restarts; edits not applied are lost.";
    QTest::newRow("cancel") << true << true << "cancel" << both << "";
    QTest::newRow("close") << true << true << "close_discard_button" << both << "";
    QTest::newRow("save and close") << true << true << "close_save_button" << both
                                    << "S18 G36 S2 G36 G34 S17 G36 S2 G36 G33";
    QTest::newRow("only edits") << false << true << "close_discard_button"
                                << "If you close: the edits not applied are lost." << "";
    QTest::newRow("only applied, saved") << true << false << "close_save_button"
                                         << "If you close: the controller keeps the applied values until it restarts, "
                                            "then goes back to its saved ones."
                                         << "S18 G36 S2 G36 G34";
    QTest::newRow("all saved") << false << false << "" << "" << "";
}

void TestSettingsCommands::closingWithPagesNotSaved()
{
    QFETCH(bool, applyEffects);
    QFETCH(bool, editHardware);
    QFETCH(QString, answer);
    QFETCH(QString, consequence);
    QFETCH(QString, shape);
    selectJoystick();
    if (applyEffects) {
        control<QSpinBox>(QStringLiteral("motion_range_axis0"))->setValue(640);
        click(QStringLiteral("apply_effect_settings_button"));
        waitUntilIdle();
    }
    if (editHardware)
        control<QSpinBox>(QStringLiteral("power_limit"))->setValue(58);
    QTest::qWait(50); // the pages' marks follow the edit once it settles
    controller.clearLog();

    QString asked;
    answerNextMessageBox([&](QMessageBox *box) {
        asked = box->informativeText();
        auto *button = box->findChild<QAbstractButton *>(answer);
        (button ? button : box->button(QMessageBox::Cancel))->click();
    });
    const bool closed = window->close();
    QCOMPARE(asked, consequence);
    QCOMPARE(closed, answer == QLatin1String("close_discard_button") || consequence.isEmpty());
    QCOMPARE(window->isVisible(), answer == QLatin1String("cancel"));
    waitUntilIdle();
    QCOMPARE(commandShape(controller.transfers()), shape);
    if (answer == QLatin1String("close_save_button")) {
        HardwareSettingsTypeDef saved;
        std::memcpy(&saved, controller.readRecord(device, QStringLiteral("hardware"), true).constData(), sizeof saved);
        QCOMPARE(int(saved.power_limit) == 58, editHardware);
        QCOMPARE(controller.readRecord(device, QStringLiteral("effect"), true),
                 controller.readRecord(device, QStringLiteral("effect"), false));
    }
}

void TestSettingsCommands::keysActOnTheShownPage()
{
    selectJoystick();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *tabs = probe->pages();
    auto *save = control<QAbstractButton>(QStringLiteral("save_hardware_settings_button_3"));
    QVERIFY2(save->toolTip().endsWith(QStringLiteral("(Ctrl+S)")), qPrintable(save->toolTip()));

    tabs->setCurrentWidget(control<QWidget>(QStringLiteral("buttons_tab")));
    control<QComboBox>(QStringLiteral("buttonMode_17"))->setCurrentIndex(2);
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::ControlModifier);
    waitUntilIdle();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    waitUntilIdle();
    tabs->setCurrentWidget(control<QWidget>(QStringLiteral("effects_tab")));
    QTest::keyClick(window.get(), Qt::Key_F5);
    waitUntilIdle();
    QCOMPARE(commandShape(controller.transfers()), QStringLiteral("S17 G36 G33 S17 G36 S2 G36 G33 G34"));
    HardwareSettingsTypeDef saved;
    std::memcpy(&saved, controller.readRecord(device, QStringLiteral("hardware"), true).constData(), sizeof saved);
    QCOMPARE(int(saved.button_mode[16]), 2);

    // A page whose button is disabled: the key does what a click would, nothing.
    controller.clearLog();
    control<QAbstractButton>(QStringLiteral("apply_effect_settings_button"))->setEnabled(false);
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(200);
    QCOMPARE(window->pendingCommands(), 0);
    QCOMPARE(commandShape(controller.transfers()), QString());
}

void TestSettingsCommands::everyControlHasAnAccessibleNameAndTakesFocus()
{
    selectJoystick();
    QStringList unnamed;
    QStringList unreachable;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
            || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QSlider *>(widget)
            || (qobject_cast<QLineEdit *>(widget) && !qobject_cast<QAbstractSpinBox *>(widget->parentWidget())
                && !qobject_cast<QComboBox *>(widget->parentWidget()));
        // Qt's own parts of a control (a tab bar's scroll arrows) are not the window's controls.
        if (!control || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString name = widget->objectName().isEmpty()
            ? QStringLiteral("%1 in %2").arg(QString::fromLatin1(widget->metaObject()->className()), widget->parentWidget()->objectName())
            : widget->objectName();
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        // On Linux Qt gives a combo box's text as its name; an empty editable one has only its own.
        const bool named = (accessible && !accessible->text(QAccessible::Name).trimmed().isEmpty())
            || (qobject_cast<QComboBox *>(widget) && !widget->accessibleName().isEmpty());
        if (!named)
            unnamed << name;
        if (!(widget->focusPolicy() & Qt::TabFocus))
            unreachable << name;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(QLatin1Char(' '))));
}

void TestSettingsCommands::liveInputsShownAndSendNothing()
{
    selectJoystick();
    const auto *buttons = control<ButtonsPage>(QStringLiteral("buttons_scroll_contents"));
    const auto *rx = control<AxisBar>(QStringLiteral("analogAxisBar_1"));
    const auto *axis0 = control<AxisBar>(QStringLiteral("force_axis_bar_axis0"));
    // With no page of live inputs shown nothing is read: more comes meanwhile than the kernel
    // keeps for a reader, so it drops events, and the view resynchronises when shown again.
    const auto show = [this](const char *tab) { probe->pages()->setCurrentWidget(control<QWidget>(QLatin1String(tab))); };
    show("hardware_tab");
    QVERIFY(controller.setButton(device, 17, true));
    QVERIFY(controller.streamAxis(device, QStringLiteral("ABS_RX"), 1000));
    QTest::qWait(300);
    QVERIFY(controller.streamAxis(device, QStringLiteral("ABS_RX"), 0));
    QVERIFY(controller.setAxis(device, QStringLiteral("ABS_RX"), 20000));
    QVERIFY(controller.setAxis(device, QStringLiteral("ABS_X"), -12345));
    // Readings go to the page shown; the others catch up when they are shown.
    show("effects_tab");
    QTRY_COMPARE_WITH_TIMEOUT(axis0->valueText(), QStringLiteral("-12345"), 3000);
    QVERIFY(!rx->hasValue());
    show("analog_axes_tab");
    QCOMPARE(rx->valueText(), QStringLiteral("20000"));
    QAccessibleInterface *rxAccessible = QAccessible::queryAccessibleInterface(const_cast<AxisBar *>(rx));
    QVERIFY(rxAccessible && rxAccessible->text(QAccessible::Description).startsWith(QStringLiteral("20000 (from ")));
    show("buttons_tab");
    QVERIFY(buttons->indicators().at(16)->isPressed());
    for (int row = 0; row < buttons->indicators().size(); ++row)
        QCOMPARE(buttons->indicators().at(row)->isPressed(), row == 16);
    QVERIFY(controller.setButton(device, 17, false));
    QTRY_VERIFY_WITH_TIMEOUT(!buttons->indicators().at(16)->isPressed(), 3000);

    // The dead zone's overlay moves with the spin box; nothing goes to the controller.
    probe->pages()->setCurrentWidget(control<QWidget>(QStringLiteral("analog_axes_tab")));
    const QRect overlay = rx->lowerDeadZoneRect();
    control<QSpinBox>(QStringLiteral("lowerDeadZoneSpinBox_1"))->setValue(16000);
    QVERIFY(rx->lowerDeadZoneRect().width() > overlay.width() + rx->width() / 3);
    QTest::qWait(300);
    QCOMPARE(window->pendingCommands(), 0);
    QCOMPARE(commandShape(controller.transfers()), QString());
    QVERIFY(controller.transfers(Transfer::Kind::ForceFeedback).isEmpty());

    // Leaving clears the view.
    QVERIFY(controller.unplug(device));
    QTRY_VERIFY_WITH_TIMEOUT(!rx->hasValue() && !axis0->hasValue(), 3000);
}

void TestSettingsCommands::forceTestPlaysAndStopsForACommandAndForUnplugging()
{
    selectJoystick();
    auto *group = control<ForceTestGroup>(QStringLiteral("force_test_group"));
    QTRY_VERIFY_WITH_TIMEOUT(group->isAvailable(), 3000);
    control<QDoubleSpinBox>(QStringLiteral("force_test_duration"))->setValue(10);
    const auto operations = [this] {
        QStringList done;
        for (const Transfer &transfer : controller.transfers(Transfer::Kind::ForceFeedback))
            done << transfer.operation;
        return done;
    };

    click(QStringLiteral("force_test_play"));
    QTRY_VERIFY_WITH_TIMEOUT(operations().contains(QStringLiteral("play")), 3000);
    QVERIFY(group->isRunning());
    // A read is a command: the test ends before it goes out.
    click(QStringLiteral("read_effects_settings_button"));
    QTRY_VERIFY_WITH_TIMEOUT(!group->isRunning(), 3000);
    QCOMPARE(group->outcome(), QStringLiteral("The force test was stopped."));
    QVERIFY(operations().contains(QStringLiteral("stop")) || operations().contains(QStringLiteral("remove")));
    waitUntilIdle();

    controller.clearLog();
    click(QStringLiteral("force_test_play"));
    QTRY_VERIFY_WITH_TIMEOUT(operations().contains(QStringLiteral("play")), 3000);
    QVERIFY(controller.unplug(device));
    QTRY_VERIFY_WITH_TIMEOUT(!group->isRunning(), 3000);
    QCOMPARE(group->outcome(), QStringLiteral("The force test was stopped."));
    QVERIFY(!group->isAvailable());
}

QTEST_MAIN(TestSettingsCommands)
#include "tst_settingscommands.moc"
