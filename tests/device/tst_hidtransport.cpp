// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/channelopener.h"
#include "device/devicechannel.h"
#include "device/hidtransport.h"
#include "device/usbsession.h"

#include "virtualcontroller.h"

#include <QtTest>

#include <array>
#include <memory>

Q_DECLARE_METATYPE(DeviceChannel::Path)

namespace {

constexpr int JOYSTICK = 22777;

QByteArray pattern(int length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        bytes[i] = char((i * 7 + 3) % 251 + 1);
    return bytes;
}

int u16At(const QByteArray &data, int at)
{
    return quint8(data.at(at)) | quint8(data.at(at + 1)) << 8;
}

QList<Transfer> setTransfers(const QList<Transfer> &transfers)
{
    QList<Transfer> sets;
    for (const Transfer &transfer : transfers)
        if (transfer.isSet())
            sets.append(transfer);
    return sets;
}

} // namespace

class TestHidTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void blockWriteOfEffectRecord();
    void terminatorCarriesStaleChunkData();
    void blockWriteOfHardwareRecord();
    void blockWriteStopsAtFirstLostPacket();
    void commandPacket();
    void readRequestParameters();
    void readReturnsWhatTheControllerSent();
    void readOfVanishedControllerFails();

private:
    VirtualController controller;
    std::unique_ptr<UsbSession> session;
    std::unique_ptr<DeviceChannel> channel;
    int device = -1;
};

// Every case runs on both ways to a controller: through the hidraw node of a controller held
// by the kernel's HID driver, and with USB control transfers to one without a driver.
void TestHidTransport::initTestCase_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<DeviceChannel::Path>("path");
    QTest::newRow("hidraw") << QStringLiteral("hid") << DeviceChannel::Path::Hidraw;
    QTest::newRow("usb") << QStringLiteral("none") << DeviceChannel::Path::Usb;
}

void TestHidTransport::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    session = std::make_unique<UsbSession>();
    QVERIFY(session->isAvailable());
}

void TestHidTransport::init()
{
    QFETCH_GLOBAL(QString, driver);
    QFETCH_GLOBAL(DeviceChannel::Path, path);
    QVERIFY(controller.reset());
    device = controller.plug(QStringLiteral("joystick,driver=") + driver);
    QVERIFY(device > 0);
    // A freshly plugged device can take a moment to show up in the enumeration.
    ChannelOpener opener(0x045B);
    QVERIFY(QTest::qWaitFor(
        [&] {
            opener.lookAround();
            channel = opener.open(JOYSTICK).channel;
            return channel != nullptr;
        },
        2000));
    QCOMPARE(channel->path(), path);
    QVERIFY(controller.clearLog());
}

void TestHidTransport::cleanup()
{
    channel.reset();
}

void TestHidTransport::cleanupTestCase()
{
    session.reset();
}

void TestHidTransport::blockWriteOfEffectRecord()
{
    const QByteArray record = pattern(384);
    QVERIFY(HidTransport::writeSettingsBlock(*channel, HidTransport::COMMAND_WRITE_EFFECT_SETTINGS,
                                             reinterpret_cast<const uint8_t *>(record.constData()), 384));

    const QList<Transfer> sets = setTransfers(controller.transfers());
    QCOMPARE(sets.size(), 8);
    const int offsets[] = {0, 58, 116, 174, 232, 290, 348, 348};
    const int remaining[] = {384, 326, 268, 210, 152, 94, 36, 0xFFFF};
    for (int i = 0; i < 8; ++i) {
        const Transfer &packet = sets.at(i);
        QCOMPARE(packet.bmRequestType, 0x21);
        QCOMPARE(packet.bRequest, 0x09);
        QCOMPARE(packet.wValue, 0x0320);
        QCOMPARE(packet.wIndex, 0);
        QCOMPARE(packet.wLength, 65);
        QCOMPARE(packet.data.size(), 65);
        QCOMPARE(quint8(packet.data.at(0)), quint8(0x20));
        QCOMPARE(quint8(packet.data.at(1)), quint8(18));
        QCOMPARE(u16At(packet.data, 2), offsets[i]);
        QCOMPARE(u16At(packet.data, 4), remaining[i]);
        QCOMPARE(quint8(packet.data.at(64)), quint8(0));
        if (i < 7) {
            const int carried = qMin(remaining[i], 58);
            QCOMPARE(packet.data.mid(6, carried), record.mid(offsets[i], carried));
        }
    }
    // The controller took the record whole.
    QCOMPARE(controller.readRecord(device, QStringLiteral("effect"), false), record);
}

void TestHidTransport::terminatorCarriesStaleChunkData()
{
    const QByteArray record = pattern(384);
    HidTransport::writeSettingsBlock(*channel, HidTransport::COMMAND_WRITE_EFFECT_SETTINGS,
                                     reinterpret_cast<const uint8_t *>(record.constData()), 384);
    const QList<Transfer> sets = setTransfers(controller.transfers());
    QCOMPARE(sets.size(), 8);
    const QByteArray lastChunk = sets.at(6).data;
    const QByteArray terminator = sets.at(7).data;
    // The last chunk reuses the packet: past its 36 bytes the data area still holds the chunk before.
    QCOMPARE(lastChunk.mid(6, 36), record.mid(348, 36));
    QCOMPARE(lastChunk.mid(42, 22), record.mid(326, 22));
    QCOMPARE(terminator.mid(6, 36), record.mid(348, 36));
    QCOMPARE(terminator.mid(42, 22), record.mid(326, 22));
}

void TestHidTransport::blockWriteOfHardwareRecord()
{
    const QByteArray record = pattern(512);
    QVERIFY(HidTransport::writeSettingsBlock(*channel, HidTransport::COMMAND_WRITE_HARDWARE_SETTINGS,
                                             reinterpret_cast<const uint8_t *>(record.constData()), 512));
    const QList<Transfer> sets = setTransfers(controller.transfers());
    QCOMPARE(sets.size(), 10);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(quint8(sets.at(i).data.at(1)), quint8(17));
        QCOMPARE(u16At(sets.at(i).data, 2), 58 * i);
        QCOMPARE(u16At(sets.at(i).data, 4), 512 - 58 * i);
    }
    QCOMPARE(sets.at(8).data.mid(6, 48), record.mid(464, 48));
    QCOMPARE(u16At(sets.at(9).data, 2), 464);
    QCOMPARE(u16At(sets.at(9).data, 4), 0xFFFF);
    QCOMPARE(controller.readRecord(device, QStringLiteral("hardware"), false), record);
}

void TestHidTransport::blockWriteStopsAtFirstLostPacket()
{
    const QByteArray before = controller.readRecord(device, QStringLiteral("effect"), false);
    QVERIFY(controller.set(device, QStringLiteral("unplug-after=3")));
    const QByteArray record = pattern(384);
    QVERIFY(!HidTransport::writeSettingsBlock(*channel, HidTransport::COMMAND_WRITE_EFFECT_SETTINGS,
                                              reinterpret_cast<const uint8_t *>(record.constData()), 384));
    const QList<Transfer> sets = setTransfers(controller.transfers());
    QVERIFY(sets.size() <= 4);
    for (const Transfer &packet : sets)
        QVERIFY(u16At(packet.data, 4) != 0xFFFF);
    QCOMPARE(controller.readRecord(device, QStringLiteral("effect"), false), before);
}

void TestHidTransport::commandPacket()
{
    QCOMPARE(HidTransport::sendCommand(*channel, HidTransport::COMMAND_SAVE_SETTINGS), 65);
    const QList<Transfer> sets = setTransfers(controller.transfers());
    QCOMPARE(sets.size(), 1);
    QByteArray expected(65, '\0');
    expected[0] = 0x20;
    expected[1] = 0x02;
    QCOMPARE(sets.first().data, expected);
    QCOMPARE(sets.first().wValue, 0x0320);
    QCOMPARE(sets.first().wIndex, 0);
}

void TestHidTransport::readRequestParameters()
{
    std::array<uint8_t, 1024> reply{};
    QVERIFY(HidTransport::getFeatureReport(*channel, HidTransport::REPORT_DEVICE_INFO, reply.data(), 1024) >= 0);
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 1);
    QCOMPARE(transfers.first().bmRequestType, 0xA1);
    QCOMPARE(transfers.first().bRequest, 0x01);
    QCOMPARE(transfers.first().wValue, 0x0325);
    QCOMPARE(transfers.first().wIndex, 0);
    QCOMPARE(transfers.first().wLength, 1024);
}

void TestHidTransport::readReturnsWhatTheControllerSent()
{
    std::array<uint8_t, 1024> reply{};
    const int received = HidTransport::getFeatureReport(*channel, HidTransport::REPORT_EFFECT_SETTINGS, reply.data(), 1024);
    QCOMPARE(received, 384);
    const QByteArray working = controller.readRecord(device, QStringLiteral("effect"), false);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(reply.data()), received), working);

    const int info = HidTransport::getFeatureReport(*channel, HidTransport::REPORT_DEVICE_INFO, reply.data(), 1024);
    QVERIFY(info >= 5);
    // No report-id byte is stripped: byte 0 is the firmware version's low byte.
    QCOMPARE(quint32(reply[0] | reply[1] << 8 | reply[2] << 16 | quint32(reply[3]) << 24), quint32(241123));
    QCOMPARE(int(reply[4]), 1);
}

void TestHidTransport::readOfVanishedControllerFails()
{
    QVERIFY(controller.unplug(device));
    std::array<uint8_t, 1024> reply{};
    QVERIFY(HidTransport::getFeatureReport(*channel, HidTransport::REPORT_DEVICE_INFO, reply.data(), 1024) < 0);
    QVERIFY(HidTransport::sendCommand(*channel, HidTransport::COMMAND_REBOOT) < 0);
    // Nothing reached the controller that left.
    for (const Transfer &transfer : controller.transfers())
        QVERIFY(transfer.result < 0);
}

QTEST_GUILESS_MAIN(TestHidTransport)
#include "tst_hidtransport.moc"
