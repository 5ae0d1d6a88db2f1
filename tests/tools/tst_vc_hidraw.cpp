// The emulated controllers as hidapi (hidraw backend) sees them through the kernel's HID
// driver.
#include "blockpackets.h"
#include "virtualcontroller.h"

#include <hidapi/hidapi.h>

#include <QTest>

class TestVirtualControllerHidraw : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void enumeratesWithItsStrings();

private:
    VirtualController controller;
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
}

void TestVirtualControllerHidraw::cleanupTestCase()
{
    hid_exit();
}

void TestVirtualControllerHidraw::enumeratesWithItsStrings()
{
    const int id = controller.plug(QStringLiteral("wheel"));
    qDebug() << controller.command(QStringLiteral("info %1").arg(id));
    hid_device_info *list = hid_enumerate(0x045B, 22999);
    QVERIFY(list);
    qDebug() << list->path << QString::fromWCharArray(list->manufacturer_string) << QString::fromWCharArray(list->product_string) << QString::fromWCharArray(list->serial_number) << list->interface_number;
    hid_device *device = hid_open_path(list->path);
    QVERIFY(device);
    unsigned char buffer[1024] = {0x25};
    const int n = hid_get_feature_report(device, buffer, sizeof buffer);
    qDebug() << n << QByteArray(reinterpret_cast<char *>(buffer), 8).toHex();
    hid_close(device);
    hid_free_enumeration(list);
}

QTEST_GUILESS_MAIN(TestVirtualControllerHidraw)
#include "tst_vc_hidraw.moc"
