// SPDX-License-Identifier: GPL-3.0-or-later
// The emulated controllers as the real libusb sees them. Runs under the runner, started
// with "--driver=none --device rudder" so that command-line devices are covered too and the
// usbfs emulation is tested without a kernel driver in the way; the kernel's HID driver is
// tested on controllers plugged with driver=hid.
#include "blockpackets.h"
#include "virtualcontroller.h"

#include <libusb.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace {

constexpr int VENDOR = 0x045B;
constexpr int JOYSTICK = 22777;
constexpr int RUDDER = 22888;
constexpr int WHEEL = 22999;

} // namespace

class TestVirtualControllerUsb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void commandLineDeviceIsPluggedAsDeviceOne();
    void enumeratesWithItsDescriptors();
    void everyReportAnswersWithItsLength_data();
    void everyReportAnswersWithItsLength();
    void readsReturnTheWorkingMemory();
    void unknownReportStalls();
    void deviceInfoFollowsTheOptions();

    void blockWriteRoundTrip_data();
    void blockWriteRoundTrip();
    void commitKeepsTheControllerBusyForAWhile();
    void savedSettingsSurviveAReboot();
    void leavesAndStaysAway_data();
    void leavesAndStaysAway();

    void unplugFailsTransfersAndOpens();
    void replugComesBackWithPermanentMemory();
    void twoControllersAtOnce();
    void logRecordsExactlyTheTransfers();
    void stateFileKeepsSavedSettingsAcrossPlugs();

    void stallFault();
    void shortFault();
    void statusFailFault();
    void shortDelayIsAnswered();
    void delayBeyondTheTimeoutTimesOut();
    void unplugAfterTransfers();
    void unplugAtTime();

    void kernelDriverRefusesClassRequests();
    void claimsFollowTheDriver();
    void detachingTheDriverRemovesItsHidrawNode_data();
    void detachingTheDriverRemovesItsHidrawNode();
    void deniedAccessRefusesOpening();

private:
    libusb_device_handle *open(int productId);
    libusb_device_handle *openAnswering(int productId);
    int get(libusb_device_handle *handle, int reportId, QByteArray *reply = nullptr);
    int sendPacket(libusb_device_handle *handle, const QByteArray &packet);
    void sendBlock(libusb_device_handle *handle, quint8 command, const QByteArray &record);
    bool isGone(int productId);

    VirtualController controller;
    libusb_context *context = nullptr;
    QList<libusb_device_handle *> handles;
};

void TestVirtualControllerUsb::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QCOMPARE(libusb_init(&context), 0);
}

void TestVirtualControllerUsb::init()
{
    if (QByteArray(QTest::currentTestFunction()) == "commandLineDeviceIsPluggedAsDeviceOne")
        return;
    QVERIFY(controller.reset());
}

void TestVirtualControllerUsb::cleanup()
{
    for (libusb_device_handle *handle : handles)
        libusb_close(handle);
    handles.clear();
}

void TestVirtualControllerUsb::cleanupTestCase()
{
    libusb_exit(context);
}

libusb_device_handle *TestVirtualControllerUsb::open(int productId)
{
    libusb_device_handle *handle = libusb_open_device_with_vid_pid(context, VENDOR, quint16(productId));
    if (handle)
        handles << handle;
    return handle;
}

// A controller that left the bus by itself (reboot) keeps its node for a moment, until the
// runner has taken it off; a handle counts once the controller answers on it.
libusb_device_handle *TestVirtualControllerUsb::openAnswering(int productId)
{
    libusb_device_handle *handle = open(productId);
    return handle && get(handle, 0x25) == 64 ? handle : nullptr;
}

int TestVirtualControllerUsb::get(libusb_device_handle *handle, int reportId, QByteArray *reply)
{
    std::array<unsigned char, 1024> buffer{};
    const int result = libusb_control_transfer(handle, 0xA1, 0x01, quint16(0x0300 | reportId), 0, buffer.data(),
                                               1024, 1000);
    if (reply)
        *reply = result >= 0 ? QByteArray(reinterpret_cast<const char *>(buffer.data()), result) : QByteArray();
    return result;
}

int TestVirtualControllerUsb::sendPacket(libusb_device_handle *handle, const QByteArray &packet)
{
    QByteArray copy = packet;
    return libusb_control_transfer(handle, 0x21, 0x09, 0x0320, 0, reinterpret_cast<unsigned char *>(copy.data()),
                                   quint16(copy.size()), 1000);
}

void TestVirtualControllerUsb::sendBlock(libusb_device_handle *handle, quint8 command, const QByteArray &record)
{
    for (const QByteArray &packet : blockPackets(command, record))
        QCOMPARE(sendPacket(handle, packet), 65);
}

bool TestVirtualControllerUsb::isGone(int productId)
{
    libusb_device_handle *handle = libusb_open_device_with_vid_pid(context, VENDOR, quint16(productId));
    if (!handle)
        return true;
    libusb_close(handle);
    return false;
}

void TestVirtualControllerUsb::commandLineDeviceIsPluggedAsDeviceOne()
{
    QVERIFY(controller.isPlugged(1));
    QVERIFY(controller.command(QStringLiteral("info 1")).contains(QStringLiteral("pid=22888")));
    libusb_device_handle *rudder = open(RUDDER);
    QVERIFY(rudder);
    QByteArray info;
    QCOMPARE(get(rudder, 0x25, &info), 64);
    QCOMPARE(int(info.at(4)), 2);
}

void TestVirtualControllerUsb::enumeratesWithItsDescriptors()
{
    QCOMPARE(controller.plug(QStringLiteral("joystick")), 1);
    libusb_device **list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    libusb_device *found = nullptr;
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        QCOMPARE(libusb_get_device_descriptor(list[i], &descriptor), 0);
        if (descriptor.idVendor == VENDOR && descriptor.idProduct == JOYSTICK)
            found = list[i];
    }
    QVERIFY(found);
    libusb_device_descriptor descriptor{};
    QCOMPARE(libusb_get_device_descriptor(found, &descriptor), 0);
    QCOMPARE(descriptor.bNumConfigurations, quint8(1));
    libusb_config_descriptor *config = nullptr;
    QCOMPARE(libusb_get_active_config_descriptor(found, &config), 0);
    QCOMPARE(config->bNumInterfaces, quint8(1));
    QCOMPARE(config->interface[0].altsetting[0].bInterfaceClass, quint8(LIBUSB_CLASS_HID));
    QCOMPARE(config->interface[0].altsetting[0].bNumEndpoints, quint8(1));
    libusb_free_config_descriptor(config);
    libusb_free_device_list(list, 1);
}

void TestVirtualControllerUsb::everyReportAnswersWithItsLength_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("length");
    QTest::newRow("device info") << 0x25 << 64;
    QTest::newRow("hardware settings") << 0x21 << 512;
    QTest::newRow("effect settings") << 0x22 << 384;
    QTest::newRow("busy status") << 0x24 << 1;
}

void TestVirtualControllerUsb::everyReportAnswersWithItsLength()
{
    QFETCH(int, report);
    QFETCH(int, length);
    controller.plug(QStringLiteral("joystick"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QCOMPARE(get(joystick, report), length);
}

void TestVirtualControllerUsb::readsReturnTheWorkingMemory()
{
    const int id = controller.plug(QStringLiteral("wheel"));
    libusb_device_handle *wheel = open(WHEEL);
    QVERIFY(wheel);
    QByteArray reply;
    QCOMPARE(get(wheel, 0x22, &reply), 384);
    QCOMPARE(reply, controller.readRecord(id, QStringLiteral("effect"), false));
    QCOMPARE(get(wheel, 0x21, &reply), 512);
    QCOMPARE(reply, controller.readRecord(id, QStringLiteral("hardware"), false));
}

void TestVirtualControllerUsb::unknownReportStalls()
{
    controller.plug(QStringLiteral("joystick"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QCOMPARE(get(joystick, 0x23), int(LIBUSB_ERROR_PIPE));
    QCOMPARE(get(joystick, 0x25), 64); // a stall does not break the device
}

void TestVirtualControllerUsb::deviceInfoFollowsTheOptions()
{
    controller.plug(QStringLiteral("wheel,firmware=241200,type=1"));
    libusb_device_handle *wheel = open(WHEEL);
    QVERIFY(wheel);
    QByteArray info;
    QCOMPARE(get(wheel, 0x25, &info), 64);
    QCOMPARE(info.left(5), QByteArray::fromHex("30ae030001"));
    QCOMPARE(info.mid(5), QByteArray(59, '\0'));
}

void TestVirtualControllerUsb::blockWriteRoundTrip_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("report");
    QTest::addColumn<QString>("which");
    QTest::newRow("effect record") << 18 << 0x22 << "effect";
    QTest::newRow("hardware record") << 17 << 0x21 << "hardware";
}

void TestVirtualControllerUsb::blockWriteRoundTrip()
{
    QFETCH(int, command);
    QFETCH(int, report);
    QFETCH(QString, which);
    const int id = controller.plug(QStringLiteral("joystick,write-busy-ms=0"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    const QByteArray permanent = controller.readRecord(id, which, true);
    const QByteArray record = patternRecord(which == QLatin1String("effect") ? 384 : 512, command);
    sendBlock(joystick, quint8(command), record);

    QByteArray reply;
    QVERIFY(get(joystick, report, &reply) > 0);
    QCOMPARE(reply, record);
    QCOMPARE(controller.readRecord(id, which, false), record);
    QCOMPARE(controller.readRecord(id, which, true), permanent);
}

void TestVirtualControllerUsb::commitKeepsTheControllerBusyForAWhile()
{
    const int id = controller.plug(QStringLiteral("joystick,write-busy-ms=300"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QByteArray status;
    QCOMPARE(get(joystick, 0x24, &status), 1);
    QCOMPARE(status, QByteArray(1, '\0'));

    sendBlock(joystick, 18, patternRecord(384));
    QCOMPARE(get(joystick, 0x24, &status), 1);
    QCOMPARE(status, QByteArray(1, '\1'));
    QVERIFY(controller.isBusy(id));
    QTRY_VERIFY_WITH_TIMEOUT(get(joystick, 0x24, &status) == 1 && status.at(0) == 0, 5000);
    QVERIFY(!controller.isBusy(id));
}

void TestVirtualControllerUsb::savedSettingsSurviveAReboot()
{
    const int id = controller.plug(QStringLiteral("joystick,reboot-ms=100,write-busy-ms=0,save-busy-ms=0"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    const QByteArray factoryEffects = controller.readRecord(id, QStringLiteral("effect"), true);
    const QByteArray saved = patternRecord(512, 1);
    sendBlock(joystick, 17, saved);
    QCOMPARE(sendPacket(joystick, commandPacket(2)), 65);
    sendBlock(joystick, 18, patternRecord(384, 2)); // applied, never saved

    QCOMPARE(sendPacket(joystick, commandPacket(1)), 65);
    QCOMPARE(get(joystick, 0x25), int(LIBUSB_ERROR_NO_DEVICE));
    libusb_device_handle *rebooted = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(rebooted || (rebooted = openAnswering(JOYSTICK)), 5000);
    QByteArray reply;
    QCOMPARE(get(rebooted, 0x21, &reply), 512);
    QCOMPARE(reply, saved);
    QCOMPARE(get(rebooted, 0x22, &reply), 384);
    QCOMPARE(reply, factoryEffects);
}

void TestVirtualControllerUsb::leavesAndStaysAway_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("command");
    QTest::newRow("DFU") << "joystick,reboot-ms=50" << 3;
    QTest::newRow("reboot without comeback") << "joystick,reboot-ms=50,no-comeback=1" << 1;
}

void TestVirtualControllerUsb::leavesAndStaysAway()
{
    QFETCH(QString, description);
    QFETCH(int, command);
    const int id = controller.plug(description);
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QCOMPARE(sendPacket(joystick, commandPacket(quint8(command))), 65);
    QCOMPARE(get(joystick, 0x25), int(LIBUSB_ERROR_NO_DEVICE));
    QTRY_VERIFY(!controller.isPlugged(id));
    // Well past the reboot time it is still away (a fixed wait: nothing is to happen); only
    // a replug brings it back.
    QTest::qWait(300);
    QVERIFY(isGone(JOYSTICK));
    QVERIFY(controller.replug(id));
    QVERIFY(open(JOYSTICK));
}

void TestVirtualControllerUsb::unplugFailsTransfersAndOpens()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QVERIFY(controller.unplug(id));
    QCOMPARE(get(joystick, 0x25), int(LIBUSB_ERROR_NO_DEVICE));
    QCOMPARE(sendPacket(joystick, commandPacket(2)), int(LIBUSB_ERROR_NO_DEVICE));
    QVERIFY(!open(JOYSTICK));
    QVERIFY(!controller.isPlugged(id));
    QVERIFY(!controller.unplug(id));
}

void TestVirtualControllerUsb::replugComesBackWithPermanentMemory()
{
    const int id = controller.plug(QStringLiteral("rudder,write-busy-ms=0"));
    const QByteArray permanent = patternRecord(384, 3);
    QVERIFY(controller.writeRecord(id, QStringLiteral("effect"), permanent));
    libusb_device_handle *rudder = open(RUDDER);
    QVERIFY(rudder);
    sendBlock(rudder, 18, patternRecord(384, 4));
    QVERIFY(controller.unplug(id));
    QVERIFY(controller.replug(id));

    libusb_device_handle *again = open(RUDDER);
    QVERIFY(again);
    QByteArray reply;
    QCOMPARE(get(again, 0x22, &reply), 384);
    QCOMPARE(reply, permanent);
    // The handle from before the replug belongs to a device that is gone.
    QCOMPARE(get(rudder, 0x22), int(LIBUSB_ERROR_NO_DEVICE));
}

void TestVirtualControllerUsb::twoControllersAtOnce()
{
    const int joystickId = controller.plug(QStringLiteral("joystick,write-busy-ms=0"));
    const int wheelId = controller.plug(QStringLiteral("wheel"));
    QCOMPARE(joystickId, 1);
    QCOMPARE(wheelId, 2);
    libusb_device_handle *joystick = open(JOYSTICK);
    libusb_device_handle *wheel = open(WHEEL);
    QVERIFY(joystick && wheel);
    const QByteArray wheelEffects = controller.readRecord(wheelId, QStringLiteral("effect"), false);

    QVERIFY(controller.clearLog());
    sendBlock(joystick, 18, patternRecord(384, 5));
    QByteArray info;
    QCOMPARE(get(wheel, 0x25, &info), 64);
    QCOMPARE(int(info.at(4)), 3);
    QCOMPARE(controller.readRecord(wheelId, QStringLiteral("effect"), false), wheelEffects);
    QCOMPARE(controller.readRecord(joystickId, QStringLiteral("effect"), false), patternRecord(384, 5));

    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 9);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(transfers.at(i).id, joystickId);
        QCOMPARE(transfers.at(i).productId, JOYSTICK);
    }
    QCOMPARE(transfers.last().id, wheelId);
    QCOMPARE(transfers.last().productId, WHEEL);
}

void TestVirtualControllerUsb::logRecordsExactlyTheTransfers()
{
    controller.plug(QStringLiteral("joystick"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QVERIFY(controller.clearLog());
    QVERIFY(controller.transfers().isEmpty());

    QByteArray info;
    QCOMPARE(get(joystick, 0x25, &info), 64);
    QCOMPARE(sendPacket(joystick, commandPacket(2)), 65);
    QCOMPARE(get(joystick, 0x23), int(LIBUSB_ERROR_PIPE));

    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 3);
    const Transfer &read = transfers.at(0);
    QVERIFY(!read.isSet());
    QCOMPARE(read.bmRequestType, 0xA1);
    QCOMPARE(read.bRequest, 0x01);
    QCOMPARE(read.wValue, 0x0325);
    QCOMPARE(read.wIndex, 0);
    QCOMPARE(read.wLength, 1024);
    QCOMPARE(read.data, info);
    QCOMPARE(read.result, 64);
    QCOMPARE(read.id, 1);
    QCOMPARE(read.productId, JOYSTICK);

    const Transfer &save = transfers.at(1);
    QVERIFY(save.isSet());
    QCOMPARE(save.reportId(), 0x20);
    QCOMPARE(save.bmRequestType, 0x21);
    QCOMPARE(save.bRequest, 0x09);
    QCOMPARE(save.wLength, 65);
    QCOMPARE(save.data, commandPacket(2));
    QCOMPARE(save.result, 65);

    QCOMPARE(transfers.at(2).reportId(), 0x23);
    QCOMPARE(transfers.at(2).result, -32);
    QVERIFY(transfers.at(2).data.isEmpty());
    QVERIFY(read.timeMs > 0);
    QVERIFY(read.timeMs <= save.timeMs && save.timeMs <= transfers.at(2).timeMs);
}

void TestVirtualControllerUsb::stateFileKeepsSavedSettingsAcrossPlugs()
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("joystick.state"));
    const QString description = QStringLiteral("joystick,write-busy-ms=0,save-busy-ms=0,state=") + state;
    controller.plug(description);
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    const QByteArray record = patternRecord(384, 6);
    sendBlock(joystick, 18, record);
    QCOMPARE(sendPacket(joystick, commandPacket(2)), 65);
    QFile file(state);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();
    QCOMPARE(image.size(), 384 + 512);
    QCOMPARE(image.left(384), record);

    // A device that starts from the same file is the same controller after a restart.
    QVERIFY(controller.reset());
    cleanup();
    const int id = controller.plug(description);
    QCOMPARE(controller.readRecord(id, QStringLiteral("effect"), true), record);
    libusb_device_handle *restarted = open(JOYSTICK);
    QVERIFY(restarted);
    QByteArray reply;
    QCOMPARE(get(restarted, 0x22, &reply), 384);
    QCOMPARE(reply, record);
}

void TestVirtualControllerUsb::stallFault()
{
    const int id = controller.plug(QStringLiteral("joystick,stall=0x22"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QCOMPARE(get(joystick, 0x22), int(LIBUSB_ERROR_PIPE));
    QCOMPARE(get(joystick, 0x21), 512);
    QVERIFY(controller.set(id, QStringLiteral("stall=0x20")));
    QCOMPARE(get(joystick, 0x22), 384);
    QCOMPARE(sendPacket(joystick, commandPacket(2)), int(LIBUSB_ERROR_PIPE));
    QVERIFY(controller.set(id, QStringLiteral("stall=0")));
    QCOMPARE(sendPacket(joystick, commandPacket(2)), 65);
}

void TestVirtualControllerUsb::shortFault()
{
    const int id = controller.plug(QStringLiteral("joystick,short=10"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QByteArray reply;
    QCOMPARE(get(joystick, 0x21, &reply), 10);
    QCOMPARE(reply, controller.readRecord(id, QStringLiteral("hardware"), false).left(10));
    QVERIFY(controller.set(id, QStringLiteral("short=0")));
    QCOMPARE(get(joystick, 0x25), 0);
    QVERIFY(controller.set(id, QStringLiteral("short=off")));
    QCOMPARE(get(joystick, 0x25), 64);
}

void TestVirtualControllerUsb::statusFailFault()
{
    controller.plug(QStringLiteral("collective,status-fail=1"));
    libusb_device_handle *collective = open(22001);
    QVERIFY(collective);
    QCOMPARE(get(collective, 0x24), int(LIBUSB_ERROR_PIPE));
    QCOMPARE(get(collective, 0x25), 64);
}

void TestVirtualControllerUsb::shortDelayIsAnswered()
{
    const int id = controller.plug(QStringLiteral("joystick,delay-ms=50,write-busy-ms=0"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QByteArray reply;
    QCOMPARE(get(joystick, 0x22, &reply), 384);
    QCOMPARE(reply, controller.readRecord(id, QStringLiteral("effect"), false));
    const QByteArray record = patternRecord(512, 7);
    sendBlock(joystick, 17, record);
    QCOMPARE(controller.readRecord(id, QStringLiteral("hardware"), false), record);
}

void TestVirtualControllerUsb::delayBeyondTheTimeoutTimesOut()
{
    const int id = controller.plug(QStringLiteral("joystick,delay-ms=1500"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QVERIFY(controller.clearLog());
    QCOMPARE(get(joystick, 0x25), int(LIBUSB_ERROR_TIMEOUT));
    QCOMPARE(sendPacket(joystick, commandPacket(2)), int(LIBUSB_ERROR_TIMEOUT));
    // A transfer the host gave up on never reached the controller.
    QVERIFY(!controller.isBusy(id));

    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 2);
    QCOMPARE(transfers.at(0).result, -110);
    QCOMPARE(transfers.at(1).result, -110);

    QVERIFY(controller.set(id, QStringLiteral("delay-ms=0")));
    QCOMPARE(get(joystick, 0x25), 64);
}

void TestVirtualControllerUsb::unplugAfterTransfers()
{
    const int id = controller.plug(QStringLiteral("joystick,unplug-after=2"));
    libusb_device_handle *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QCOMPARE(get(joystick, 0x25), 64);
    QCOMPARE(get(joystick, 0x25), 64);
    QCOMPARE(get(joystick, 0x25), int(LIBUSB_ERROR_NO_DEVICE));
    QTRY_VERIFY(!controller.isPlugged(id));
    QVERIFY(isGone(JOYSTICK));
}

void TestVirtualControllerUsb::unplugAtTime()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    QVERIFY(open(JOYSTICK));
    QVERIFY(controller.set(id, QStringLiteral("unplug-at-ms=100")));
    QTRY_VERIFY_WITH_TIMEOUT(!controller.isPlugged(id), 5000);
    QVERIFY(isGone(JOYSTICK));
    // The fault fired once; a replugged device stays, well past the fault's time (a fixed
    // wait: nothing is to happen).
    QVERIFY(controller.replug(id));
    QTest::qWait(300);
    QVERIFY(controller.isPlugged(id));
}

void TestVirtualControllerUsb::kernelDriverRefusesClassRequests()
{
    const int id = controller.plug(QStringLiteral("wheel,driver=hid"));
    libusb_device_handle *wheel = open(WHEEL);
    QVERIFY(wheel);
    QVERIFY(controller.clearLog());
    QCOMPARE(get(wheel, 0x25), int(LIBUSB_ERROR_IO));
    QCOMPARE(sendPacket(wheel, commandPacket(2)), int(LIBUSB_ERROR_IO));
    // Requests to the device itself reach it (and are STALLed by the firmware).
    unsigned char status[2] = {};
    QCOMPARE(libusb_control_transfer(wheel, 0xC0, 0x01, 0, 0, status, 2, 1000), int(LIBUSB_ERROR_PIPE));
    QCOMPARE(libusb_control_transfer(wheel, 0x80, 0x00, 0, 0, status, 2, 1000), int(LIBUSB_ERROR_PIPE));

    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 4);
    QCOMPARE(transfers.at(0).result, -16);
    QCOMPARE(transfers.at(1).result, -16);
    QCOMPARE(transfers.at(2).result, -32);
    QCOMPARE(transfers.at(3).result, -32);
    for (const Transfer &transfer : transfers) {
        QCOMPARE(transfer.path, QStringLiteral("usbfs"));
        QCOMPARE(transfer.id, id);
    }
    QVERIFY(!controller.isBusy(id));
}

void TestVirtualControllerUsb::claimsFollowTheDriver()
{
    controller.plug(QStringLiteral("wheel,driver=hid"));
    controller.plug(QStringLiteral("joystick,driver=none"));
    libusb_device_handle *wheel = open(WHEEL);
    libusb_device_handle *joystick = open(JOYSTICK);
    libusb_device_handle *otherJoystick = libusb_open_device_with_vid_pid(context, VENDOR, JOYSTICK);
    QVERIFY(wheel && joystick && otherJoystick);
    handles << otherJoystick;

    QCOMPARE(libusb_kernel_driver_active(wheel, 0), 1);
    QCOMPARE(libusb_claim_interface(wheel, 0), int(LIBUSB_ERROR_BUSY));
    QCOMPARE(libusb_kernel_driver_active(joystick, 0), 0);
    QCOMPARE(libusb_claim_interface(joystick, 0), 0);
    QCOMPARE(libusb_claim_interface(joystick, 1), int(LIBUSB_ERROR_NOT_FOUND));
    // One client's claim keeps the other's transfers out, until it lets go.
    QCOMPARE(libusb_claim_interface(otherJoystick, 0), int(LIBUSB_ERROR_BUSY));
    QCOMPARE(get(otherJoystick, 0x25), int(LIBUSB_ERROR_IO));
    QCOMPARE(get(joystick, 0x25), 64);
    QCOMPARE(libusb_release_interface(joystick, 0), 0);
    QCOMPARE(libusb_claim_interface(otherJoystick, 0), 0);
    QCOMPARE(get(otherJoystick, 0x25), 64);
}

void TestVirtualControllerUsb::detachingTheDriverRemovesItsHidrawNode_data()
{
    QTest::addColumn<bool>("autoDetach");
    QTest::newRow("detach, then claim") << false;
    QTest::newRow("claim with auto-detach") << true;
}

void TestVirtualControllerUsb::detachingTheDriverRemovesItsHidrawNode()
{
    QFETCH(bool, autoDetach);
    const int id = controller.plug(QStringLiteral("wheel,driver=hid"));
    const QString node = controller.hidrawNode(id);
    QVERIFY(node.startsWith(QLatin1String("/dev/hidraw")));
    QVERIFY(QFile::exists(node));
    libusb_device_handle *wheel = open(WHEEL);
    QVERIFY(wheel);
    QVERIFY(controller.events().isEmpty());

    if (autoDetach)
        QCOMPARE(libusb_set_auto_detach_kernel_driver(wheel, 1), 0);
    else
        QCOMPARE(libusb_detach_kernel_driver(wheel, 0), 0);
    QCOMPARE(libusb_claim_interface(wheel, 0), 0);
    QVERIFY(!QFile::exists(node));
    QVERIFY(controller.hidrawNode(id).isEmpty());
    const QList<DeviceEvent> events = controller.events();
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().event, QStringLiteral("detach"));
    QCOMPARE(events.first().id, id);
    QCOMPARE(events.first().productId, WHEEL);
    QVERIFY(controller.transfers().isEmpty());
    QCOMPARE(libusb_kernel_driver_active(wheel, 0), 0);
    QCOMPARE(get(wheel, 0x25), 64);

    // Released, the interface goes back to the kernel's driver (by itself with auto-detach).
    if (!autoDetach)
        QCOMPARE(libusb_attach_kernel_driver(wheel, 0), int(LIBUSB_ERROR_BUSY));
    QCOMPARE(libusb_release_interface(wheel, 0), 0);
    if (!autoDetach)
        QCOMPARE(libusb_attach_kernel_driver(wheel, 0), 0);
    QCOMPARE(libusb_kernel_driver_active(wheel, 0), 1);
    QVERIFY(QFile::exists(controller.hidrawNode(id)));
    QCOMPARE(controller.events().last().event, QStringLiteral("attach"));
}

void TestVirtualControllerUsb::deniedAccessRefusesOpening()
{
    const int id = controller.plug(QStringLiteral("joystick,access=denied"));
    libusb_device **list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    libusb_device *joystick = nullptr;
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == 0 && descriptor.idProduct == JOYSTICK)
            joystick = list[i];
    }
    QVERIFY(joystick); // still listed, as its sysfs entry stays readable
    libusb_device_handle *handle = nullptr;
    QCOMPARE(libusb_open(joystick, &handle), int(LIBUSB_ERROR_ACCESS));
    QVERIFY(controller.set(id, QStringLiteral("access=granted")));
    QCOMPARE(libusb_open(joystick, &handle), 0);
    handles << handle;
    libusb_free_device_list(list, 1);
}

QTEST_GUILESS_MAIN(TestVirtualControllerUsb)
#include "tst_vc_usb.moc"
