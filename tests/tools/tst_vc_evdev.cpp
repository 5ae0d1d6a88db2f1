// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel's input device of an emulated controller as libevdev sees it through its event
// node: codes and ranges, reports turned into events, the input core's filtering, the queue
// overflow and resync, readiness for poll(), force feedback and the node's lifecycle.
#include "virtualcontroller.h"

#include <libevdev/libevdev.h>
#include <libudev.h>

#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int JOYSTICK = 22777;

// Events read until the queue is empty: -EAGAIN from libevdev.
QList<input_event> drain(libevdev *device)
{
    QList<input_event> events;
    input_event event{};
    int status;
    while ((status = libevdev_next_event(device, LIBEVDEV_READ_FLAG_NORMAL, &event)) >= 0)
        events << event;
    return events;
}

bool contains(const QList<input_event> &events, int type, int code, int value)
{
    return std::any_of(events.cbegin(), events.cend(), [&](const input_event &event) {
        return event.type == type && event.code == code && event.value == value;
    });
}

bool waitReadable(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) == 1 && (entry.revents & POLLIN);
}

} // namespace

class TestVirtualControllerEvdev : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void udevFindsTheJoystickNode();
    void describesTheJoystick();
    void reportsBecomeEventsAndTinyChangesAreDropped();
    void overflowDropsAndLibevdevResyncs();
    void forceFeedbackIsLoggedAndErasedOnClose();
    void nodeFollowsDriverAccessAndPlug();

private:
    int open(int id, int flags = O_RDONLY | O_NONBLOCK);
    libevdev *evdev(int id);

    VirtualController controller;
    QList<int> fds;
    QList<libevdev *> devices;
};

void TestVirtualControllerEvdev::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
}

void TestVirtualControllerEvdev::init()
{
    QVERIFY(controller.reset());
}

void TestVirtualControllerEvdev::cleanup()
{
    for (libevdev *device : devices)
        libevdev_free(device);
    devices.clear();
    for (int fd : fds)
        ::close(fd);
    fds.clear();
}

int TestVirtualControllerEvdev::open(int id, int flags)
{
    const int fd = ::open(controller.eventNode(id).toLocal8Bit().constData(), flags);
    if (fd >= 0)
        fds << fd;
    return fd;
}

libevdev *TestVirtualControllerEvdev::evdev(int id)
{
    const int fd = open(id);
    libevdev *device = nullptr;
    if (fd < 0 || libevdev_new_from_fd(fd, &device) != 0)
        return nullptr;
    devices << device;
    return device;
}

// As the tool looks for it: an event device whose USB ancestor has the controller's ids.
void TestVirtualControllerEvdev::udevFindsTheJoystickNode()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    udev *context = udev_new();
    udev_enumerate *enumerate = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(enumerate, "input");
    udev_enumerate_add_match_sysname(enumerate, "event*");
    udev_enumerate_scan_devices(enumerate);
    QStringList nodes;
    udev_list_entry *entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device *event = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        udev_device *usb = udev_device_get_parent_with_subsystem_devtype(event, "usb", "usb_device");
        udev_device *input = udev_device_get_parent_with_subsystem_devtype(event, "input", nullptr);
        if (usb && QByteArray(udev_device_get_sysattr_value(usb, "idProduct")).toInt(nullptr, 16) == JOYSTICK) {
            nodes << QString::fromLocal8Bit(udev_device_get_devnode(event));
            QCOMPARE(udev_device_get_property_value(event, "ID_INPUT_JOYSTICK"), "1");
            QVERIFY(input);
            QCOMPARE(udev_device_get_sysattr_value(input, "id/product"), "58f9");
            QCOMPARE(udev_device_get_sysattr_value(input, "capabilities/abs"), "3b");
            QCOMPARE(udev_device_get_sysattr_value(input, "capabilities/key"), "ffff 0 0 0 0 0 0 ffff00000000 0 0 0 0");
        }
        udev_device_unref(event);
    }
    udev_enumerate_unref(enumerate);
    udev_unref(context);
    QCOMPARE(nodes, QStringList{controller.eventNode(id)});
}

void TestVirtualControllerEvdev::describesTheJoystick()
{
    controller.plug(QStringLiteral("rudder"));
    libevdev *rudder = evdev(1);
    QVERIFY(rudder);
    QCOMPARE(libevdev_get_name(rudder), "Kestrov Kestrov Rudder");
    QCOMPARE(libevdev_get_id_bustype(rudder), BUS_USB);
    QCOMPARE(libevdev_get_id_product(rudder), 22888);
    QVERIFY(libevdev_has_event_code(rudder, EV_ABS, ABS_X));
    QVERIFY(!libevdev_has_event_code(rudder, EV_ABS, ABS_Y)); // one force axis
    QVERIFY(libevdev_has_event_code(rudder, EV_KEY, BTN_DEAD));
    QVERIFY(libevdev_has_event_code(rudder, EV_KEY, BTN_TRIGGER_HAPPY16));
    QVERIFY(!libevdev_has_event_code(rudder, EV_KEY, BTN_TRIGGER_HAPPY17));
    QVERIFY(libevdev_has_event_code(rudder, EV_FF, FF_CONSTANT));
    const input_absinfo *x = libevdev_get_abs_info(rudder, ABS_X);
    QCOMPARE(x->minimum, -32768);
    QCOMPARE(x->fuzz, 255);
    QCOMPARE(x->flat, 4095);
    QCOMPARE(libevdev_get_abs_flat(rudder, ABS_RZ), 2047);

    const int fd = libevdev_get_fd(rudder);
    int effects = 0;
    QCOMPARE(ioctl(fd, EVIOCGEFFECTS, &effects), 0);
    QCOMPARE(effects, 16);
    int repeat[2];
    QCOMPARE(ioctl(fd, EVIOCGREP, repeat), -1);
    QCOMPARE(errno, ENOSYS);
    QCOMPARE(ioctl(fd, _IOR('E', 0x14 + 0x20, long), repeat), -1); // EVIOCGBIT(EV_REP) is no bitmap evdev has
    QCOMPARE(errno, EINVAL);

    controller.plug(QStringLiteral("joystick,ff=none"));
    libevdev *plain = evdev(2);
    QVERIFY(plain);
    QVERIFY(libevdev_has_event_code(plain, EV_ABS, ABS_Y));
    QVERIFY(!libevdev_has_event_type(plain, EV_FF));
    ff_effect effect{};
    effect.type = FF_CONSTANT;
    effect.id = -1;
    QCOMPARE(ioctl(libevdev_get_fd(plain), EVIOCSFF, &effect), -1);
    QCOMPARE(errno, ENOSYS);
}

void TestVirtualControllerEvdev::reportsBecomeEventsAndTinyChangesAreDropped()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    libevdev *joystick = evdev(id);
    QVERIFY(joystick);
    QCOMPARE(libevdev_next_event(joystick, LIBEVDEV_READ_FLAG_NORMAL, nullptr), -EAGAIN);

    QVERIFY(controller.setAxis(id, QStringLiteral("ABS_RX"), 20000));
    QVERIFY(controller.setButton(id, 17, true));
    QVERIFY(waitReadable(libevdev_get_fd(joystick), 2000));
    const QList<input_event> events = drain(joystick);
    QVERIFY(contains(events, EV_ABS, ABS_RX, 20000));
    QVERIFY(contains(events, EV_MSC, MSC_SCAN, 0x90011));
    QVERIFY(contains(events, EV_KEY, BTN_TRIGGER_HAPPY1, 1));
    QVERIFY(!contains(events, EV_KEY, BTN_TRIGGER, 0)); // unchanged buttons are not reported
    QCOMPARE(libevdev_get_event_value(joystick, EV_KEY, BTN_TRIGGER_HAPPY1), 1);

    // Within half the fuzz (127) of the last value: the report brings nothing.
    QVERIFY(controller.setAxis(id, QStringLiteral("ABS_RX"), 20050));
    QVERIFY(!waitReadable(libevdev_get_fd(joystick), 100));
    QVERIFY(controller.setAxis(id, QStringLiteral("ABS_RX"), 21000));
    QVERIFY(waitReadable(libevdev_get_fd(joystick), 2000));
    QCOMPARE(drain(joystick).size(), 2); // the axis and SYN_REPORT
    QCOMPARE(libevdev_get_event_value(joystick, EV_ABS, ABS_RX), 21000);
    QVERIFY(!controller.setAxis(id, QStringLiteral("ABS_RX"), -1));
    QVERIFY(!controller.setAxis(id, QStringLiteral("ABS_Z"), 0));
}

// Past the 128 queued events of a client the kernel drops them for a SYN_DROPPED; libevdev
// then asks for the state and hands out the differences.
void TestVirtualControllerEvdev::overflowDropsAndLibevdevResyncs()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    libevdev *joystick = evdev(id);
    QVERIFY(joystick);
    for (int i = 0; i < 100; ++i)
        QVERIFY(controller.setAxis(id, QStringLiteral("ABS_RY"), i % 2 ? 30000 : 0));
    QVERIFY(controller.setButton(id, 2, true));

    input_event event{};
    int status;
    while ((status = libevdev_next_event(joystick, LIBEVDEV_READ_FLAG_NORMAL, &event)) == LIBEVDEV_READ_STATUS_SUCCESS) {
    }
    QCOMPARE(status, LIBEVDEV_READ_STATUS_SYNC);
    QList<input_event> synced;
    while (libevdev_next_event(joystick, LIBEVDEV_READ_FLAG_SYNC, &event) == LIBEVDEV_READ_STATUS_SYNC)
        synced << event;
    QCOMPARE(libevdev_get_event_value(joystick, EV_KEY, BTN_THUMB), 1);
    QCOMPARE(libevdev_get_event_value(joystick, EV_ABS, ABS_RY), 30000 * (99 % 2));
    QVERIFY(contains(synced, EV_KEY, BTN_THUMB, 1));
}

void TestVirtualControllerEvdev::forceFeedbackIsLoggedAndErasedOnClose()
{
    const int id = controller.plug(QStringLiteral("wheel"));
    const int owner = open(id, O_RDWR);
    const int other = open(id, O_RDWR);
    QVERIFY(owner >= 0 && other >= 0);

    ff_effect effect{};
    effect.type = FF_CONSTANT;
    effect.id = -1;
    effect.replay.length = 30;
    effect.u.constant.level = 0x4000;
    QCOMPARE(ioctl(owner, EVIOCSFF, &effect), 0);
    QCOMPARE(effect.id, 0);
    QCOMPARE(ioctl(other, EVIOCSFF, &effect), -1); // not its slot
    QCOMPARE(errno, EACCES);
    QCOMPARE(ioctl(other, EVIOCRMFF, 0), -1);
    QCOMPARE(errno, EACCES);
    ff_effect rumble{};
    rumble.type = FF_RUMBLE;
    rumble.id = -1;
    QCOMPARE(ioctl(owner, EVIOCSFF, &rumble), -1);
    QCOMPARE(errno, EINVAL);

    ff_effect spring{};
    spring.type = FF_SPRING;
    spring.id = -1;
    for (int slot = 1; slot < 16; ++slot) {
        spring.id = -1;
        QCOMPARE(ioctl(other, EVIOCSFF, &spring), 0);
    }
    spring.id = -1;
    QCOMPARE(ioctl(other, EVIOCSFF, &spring), -1);
    QCOMPARE(errno, ENOSPC);

    const input_event writes[] = {{{}, EV_FF, FF_GAIN, 0xC000}, {{}, EV_FF, 0, 2}, {{}, EV_FF, 1, 1}, {{}, EV_FF, 1, 0}};
    QCOMPARE(write(other, writes, sizeof writes), ssize_t(sizeof writes)); // any client plays any effect
    QCOMPARE(ioctl(other, EVIOCRMFF, 15), 0);
    ::close(other);
    fds.removeAll(other);

    auto operations = [this] {
        QStringList done;
        for (const Transfer &entry : controller.transfers(Transfer::Kind::ForceFeedback))
            done << QStringLiteral("%1 %2").arg(entry.operation).arg(entry.effectId);
        return done;
    };
    // Played twice for 30 ms, it ends by itself; closing erases the 14 springs left.
    QTRY_VERIFY_WITH_TIMEOUT(operations().contains(QStringLiteral("end 0")), 2000);
    const QStringList done = operations();
    QCOMPARE(done.mid(0, 1), QStringList{QStringLiteral("upload 0")});
    QCOMPARE(done.mid(16, 5), (QStringList{QStringLiteral("gain -1"), QStringLiteral("play 0"), QStringLiteral("play 1"),
                                           QStringLiteral("stop 1"), QStringLiteral("remove 15")}));
    QTRY_COMPARE_WITH_TIMEOUT(operations().filter(QStringLiteral("erase")).size(), 14, 2000);
    QVERIFY(!operations().contains(QStringLiteral("erase 0")));
    QVERIFY(controller.transfers().isEmpty()); // no control transfers among them
}

void TestVirtualControllerEvdev::nodeFollowsDriverAccessAndPlug()
{
    const int id = controller.plug(QStringLiteral("collective,driver=none"));
    QVERIFY(controller.eventNode(id).isEmpty());
    QVERIFY(controller.set(id, QStringLiteral("driver=hid")));
    QVERIFY(!controller.eventNode(id).isEmpty());

    const int blocking = open(id, O_RDONLY);
    QVERIFY(blocking >= 0);
    const int fd = open(id);
    input_event event{};
    QCOMPARE(read(fd, &event, sizeof event), ssize_t(-1));
    QCOMPARE(errno, EAGAIN);
    // evdev_read() looks at the size before the queue.
    char small[8];
    QCOMPARE(read(fd, small, sizeof small), ssize_t(-1));
    QCOMPARE(errno, EINVAL);
    QVERIFY(controller.unplug(id));
    QCOMPARE(read(blocking, &event, sizeof event), ssize_t(-1)); // pending until the device left
    QCOMPARE(errno, ENODEV);
    pollfd entry{fd, POLLIN, 0};
    QCOMPARE(poll(&entry, 1, 1000), 1);
    QCOMPARE(entry.revents, short(POLLERR | POLLHUP));
    int version = 0;
    QCOMPARE(ioctl(fd, EVIOCGVERSION, &version), -1);
    QCOMPARE(errno, ENODEV);

    QVERIFY(controller.replug(id));
    QVERIFY(controller.set(id, QStringLiteral("access=denied")));
    QCOMPARE(::open(controller.eventNode(id).toLocal8Bit().constData(), O_RDONLY), -1);
    QCOMPARE(errno, EACCES);
}

QTEST_GUILESS_MAIN(TestVirtualControllerEvdev)
#include "tst_vc_evdev.moc"
