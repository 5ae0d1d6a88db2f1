// SPDX-License-Identifier: GPL-3.0-or-later
// The emulated controllers as hidapi's hidraw backend sees them through the kernel's HID
// driver: enumeration, feature reports as the driver turns them into control transfers, the
// faults, nodes that come and go, and refused access.
#include "blockpackets.h"
#include "virtualcontroller.h"

#include <hidapi.h>

#include <QTest>

namespace {

constexpr int VENDOR = 0x045B;
constexpr int JOYSTICK = 22777;
constexpr int WHEEL = 22999;

} // namespace

class TestVirtualControllerHidraw : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void enumeratesWithItsStrings();
    void featureReportsBecomeTheDriversTransfers();
    void blockWriteReachesWorkingMemory();
    void faultsShowAsTheKernelGivesThem();
    void delayBeyondTheKernelTimeoutTimesOut();
    void nodesComeAndGoWithTheDevice();
    void deniedAccessRefusesOpening();

private:
    hid_device *open(int productId);
    int get(hid_device *device, int reportId, QByteArray *reply = nullptr);
    int send(hid_device *device, const QByteArray &packet);

    VirtualController controller;
    QList<hid_device *> devices;
};

void TestVirtualControllerHidraw::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QCOMPARE(hid_init(), 0);
}

void TestVirtualControllerHidraw::init()
{
    QVERIFY(controller.reset());
}

void TestVirtualControllerHidraw::cleanup()
{
    for (hid_device *device : devices)
        hid_close(device);
    devices.clear();
}

void TestVirtualControllerHidraw::cleanupTestCase()
{
    hid_exit();
}

// By path, as found by enumeration.
hid_device *TestVirtualControllerHidraw::open(int productId)
{
    hid_device_info *list = hid_enumerate(VENDOR, quint16(productId));
    hid_device *device = list ? hid_open_path(list->path) : nullptr;
    hid_free_enumeration(list);
    if (device)
        devices << device;
    return device;
}

int TestVirtualControllerHidraw::get(hid_device *device, int reportId, QByteArray *reply)
{
    QByteArray buffer(1024, '\0');
    buffer[0] = char(reportId);
    const int result = hid_get_feature_report(device, reinterpret_cast<unsigned char *>(buffer.data()), 1024);
    if (reply)
        *reply = buffer.left(qMax(result, 0));
    return result;
}

int TestVirtualControllerHidraw::send(hid_device *device, const QByteArray &packet)
{
    return hid_send_feature_report(device, reinterpret_cast<const unsigned char *>(packet.constData()),
                                   size_t(packet.size()));
}

void TestVirtualControllerHidraw::enumeratesWithItsStrings()
{
    const int id = controller.plug(QStringLiteral("wheel"));
    controller.plug(QStringLiteral("joystick,driver=none"));
    hid_device_info *list = hid_enumerate(VENDOR, 0);
    QVERIFY(list);
    // One entry per top-level collection, vendor first, then the joystick's input report;
    // the joystick controller has no HID driver.
    QVERIFY(list->next && !list->next->next);
    QCOMPARE(QByteArray(list->next->path), QByteArray(list->path));
    QCOMPARE(list->next->usage_page, 0x01);
    QCOMPARE(list->next->usage, 0x04);
    QCOMPARE(QString::fromLocal8Bit(list->path), controller.hidrawNode(id));
    QCOMPARE(list->vendor_id, VENDOR);
    QCOMPARE(list->product_id, WHEEL);
    QCOMPARE(QString::fromWCharArray(list->manufacturer_string), QStringLiteral("Kestrov"));
    QCOMPARE(QString::fromWCharArray(list->product_string), QStringLiteral("Kestrov Wheel PRO"));
    QCOMPARE(QString::fromWCharArray(list->serial_number), QStringLiteral("VC000001"));
    QCOMPARE(list->interface_number, 0);
    QCOMPARE(list->usage_page, 0xFF00);
    hid_free_enumeration(list);

    hid_device *wheel = open(WHEEL);
    QVERIFY(wheel);
    wchar_t text[64] = {};
    QCOMPARE(hid_get_product_string(wheel, text, 64), 0);
    QCOMPARE(QString::fromWCharArray(text), QStringLiteral("Kestrov Wheel PRO"));
}

void TestVirtualControllerHidraw::featureReportsBecomeTheDriversTransfers()
{
    const int id = controller.plug(QStringLiteral("wheel,firmware=241200"));
    hid_device *wheel = open(WHEEL);
    QVERIFY(wheel);
    QVERIFY(controller.clearLog());
    QByteArray info;
    QCOMPARE(get(wheel, 0x25, &info), 64);
    QCOMPARE(info.left(5), QByteArray::fromHex("30ae030003"));
    QByteArray record;
    QCOMPARE(get(wheel, 0x22, &record), 384);
    QCOMPARE(record, controller.readRecord(id, QStringLiteral("effect"), false));
    QCOMPARE(send(wheel, commandPacket(2)), 65);

    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 3);
    const Transfer &read = transfers.at(0);
    QCOMPARE(read.path, QStringLiteral("hidraw"));
    QCOMPARE(read.bmRequestType, 0xA1);
    QCOMPARE(read.bRequest, 0x01);
    QCOMPARE(read.wValue, 0x0325);
    QCOMPARE(read.wIndex, 0);
    QCOMPARE(read.wLength, 1024);
    QCOMPARE(read.data, info);
    const Transfer &save = transfers.at(2);
    QCOMPARE(save.path, QStringLiteral("hidraw"));
    QCOMPARE(save.bmRequestType, 0x21);
    QCOMPARE(save.bRequest, 0x09);
    QCOMPARE(save.wValue, 0x0320);
    QCOMPARE(save.wLength, 65);
    QCOMPARE(save.data, commandPacket(2));
    QVERIFY(controller.events().isEmpty());
}

void TestVirtualControllerHidraw::blockWriteReachesWorkingMemory()
{
    const int id = controller.plug(QStringLiteral("joystick,write-busy-ms=0"));
    hid_device *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    const QByteArray record = patternRecord(512, 9);
    for (const QByteArray &packet : blockPackets(17, record))
        QCOMPARE(send(joystick, packet), 65);
    QCOMPARE(controller.readRecord(id, QStringLiteral("hardware"), false), record);
    QByteArray reply;
    QCOMPARE(get(joystick, 0x21, &reply), 512);
    QCOMPARE(reply, record);
}

void TestVirtualControllerHidraw::faultsShowAsTheKernelGivesThem()
{
    const int id = controller.plug(QStringLiteral("joystick,stall=0x22,short=10,delay-ms=50"));
    hid_device *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QCOMPARE(get(joystick, 0x22), -1);
    QCOMPARE(get(joystick, 0x23), -1);
    QCOMPARE(get(joystick, 0x25), 10); // late, and short
    QVERIFY(controller.set(id, QStringLiteral("stall=0x20,short=off,delay-ms=0")));
    QCOMPARE(send(joystick, commandPacket(2)), -1);
    QCOMPARE(get(joystick, 0x25), 64);
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.at(0).result, -32);
    QCOMPARE(transfers.at(3).result, -32);
}

void TestVirtualControllerHidraw::delayBeyondTheKernelTimeoutTimesOut()
{
    const int id = controller.plug(QStringLiteral("joystick,delay-ms=5500"));
    hid_device *joystick = open(JOYSTICK);
    QVERIFY(joystick);
    QVERIFY(controller.clearLog());
    QCOMPARE(send(joystick, commandPacket(2)), -1);
    QVERIFY(!controller.isBusy(id)); // the save never reached the controller
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 1);
    QCOMPARE(transfers.first().result, -110);
    QCOMPARE(transfers.first().path, QStringLiteral("hidraw"));
}

void TestVirtualControllerHidraw::nodesComeAndGoWithTheDevice()
{
    const int id = controller.plug(QStringLiteral("joystick,reboot-ms=50"));
    hid_device *before = open(JOYSTICK);
    QVERIFY(before);
    QVERIFY(controller.unplug(id));
    QCOMPARE(get(before, 0x25), -1);
    QVERIFY(!hid_enumerate(VENDOR, JOYSTICK));
    QVERIFY(controller.replug(id));
    hid_device *after = open(JOYSTICK);
    QVERIFY(after);
    QCOMPARE(get(after, 0x25), 64);
    QCOMPARE(get(before, 0x25), -1); // the same node path, another device

    // A reboot through the hidraw node takes both nodes away and brings new ones.
    QCOMPARE(send(after, commandPacket(1)), 65);
    QCOMPARE(get(after, 0x25), -1);
    // The runner takes the old nodes away on its main loop; any answer from there comes
    // after. Opening a node that is still listed but already dead makes hidapi 0.13's
    // hid_open_path() crash.
    controller.isPlugged(id);
    hid_device *rebooted = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(rebooted || (rebooted = open(JOYSTICK)), 5000);
    QCOMPARE(get(rebooted, 0x25), 64);
}

void TestVirtualControllerHidraw::deniedAccessRefusesOpening()
{
    const int id = controller.plug(QStringLiteral("wheel,access=denied"));
    const QByteArray node = controller.hidrawNode(id).toLocal8Bit();
    QVERIFY(!node.isEmpty());
    QVERIFY(!hid_open_path(node.constData()));
    QVERIFY(controller.set(id, QStringLiteral("access=granted")));
    hid_device *wheel = hid_open_path(node.constData());
    QVERIFY(wheel);
    devices << wheel;
    // An open handle stays usable when access is taken away, as with file permissions.
    QVERIFY(controller.set(id, QStringLiteral("access=denied")));
    QVERIFY(!hid_open_path(node.constData()));
    QCOMPARE(get(wheel, 0x25), 64);
}

QTEST_GUILESS_MAIN(TestVirtualControllerHidraw)
#include "tst_vc_hidraw.moc"
