// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/extracontrollernotice.h"
#include "app/mainwindow.h"
#include "device/deviceclient.h"
#include "effects/effectsettings.h"

#include "mainwindowprobe.h"
#include "transfershape.h"
#include "virtualcontroller.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QDesktopServices>
#include <QMessageBox>
#include <QSpinBox>
#include <QLabel>
#include <QTabWidget>
#include <QStatusBar>
#include <QtTest>

namespace {

constexpr int JOYSTICK = 22777;
constexpr int WHEEL = 22999;
const QList<int> ALL_PAGES{0, 1, 2, 3, 4};

} // namespace

// Receives the URLs the window asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestDeviceList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noController();
    void twoControllersListedAndRefreshed();
    void pickingCompatibleJoystick();
    void pickingSelectedRowAgain();
    void mismatchingFirmware_data();
    void mismatchingFirmware();
    void dialogAnsweredAfterControllerVanished();
    void pickingRowOfVanishedController();
    void unplugOfSelectedController();
    void genericDeviceTypeShowsNoPage();
    void deviceTypeComesFromRecordNotProductId();
    void unknownDeviceTypeLeavesAxisPagesAsTheyAre();
    void rebootAndDfu_data();
    void rebootAndDfu();
    void controllerWithoutAccessIsNamedWithTheFix();
    void moreControllersOfAKindAreSaid();
    void newSelectionSendsNothingUntilItsRecordsArrive();

private:
    void waitForList(const QList<int> &rows);
    QTabWidget *effectAxisTabs() const;

    QTemporaryDir workingDirectory;
    VirtualController controller;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindowProbe> probe;
    UrlCatcher urls;
};

void TestDeviceList::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "open");
}

void TestDeviceList::init()
{
    QVERIFY(controller.reset());
    urls.opened.clear();
}

void TestDeviceList::cleanup()
{
    probe.reset();
    window.reset();
}

void TestDeviceList::waitForList(const QList<int> &rows)
{
    if (!window) {
        window = std::make_unique<MainWindow>();
        probe = std::make_unique<MainWindowProbe>(*window);
        window->show();
    }
    QTRY_COMPARE_WITH_TIMEOUT(probe->visibleRows(), rows, 3000);
}

QTabWidget *TestDeviceList::effectAxisTabs() const
{
    return probe->find<QWidget>(QStringLiteral("effects_settings_widget"))->findChild<QTabWidget *>(QStringLiteral("axis_tab"));
}

void TestDeviceList::noController()
{
    waitForList({});
    // Every list update writes the placeholder anew: blanked here, it is back once one has
    // arrived.
    probe->devices()->setPlaceholderText(QString());
    QTRY_VERIFY_WITH_TIMEOUT(!probe->placeholder().isEmpty(), 3000);
    QCOMPARE(probe->placeholder(), QStringLiteral("No compatible devices connected"));
    QCOMPARE(probe->devices()->currentIndex(), -1);
    QCOMPARE(probe->devices()->count(), 5);
    QVERIFY(probe->visibleRows().isEmpty());
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(!probe->deviceButtonsVisible());
}

void TestDeviceList::twoControllersListedAndRefreshed()
{
    controller.plug(QStringLiteral("joystick"));
    const int wheel = controller.plug(QStringLiteral("wheel"));
    waitForList({1, 3});
    QCOMPARE(probe->placeholder(), QStringLiteral("Select compatible device (2 connected)"));
    QCOMPARE(probe->devices()->itemText(1), QStringLiteral("Kestrov Joystick (Version 241123)"));
    QCOMPARE(probe->devices()->itemText(3), QStringLiteral("Kestrov Wheel PRO (Version 241123)"));
    QCOMPARE(probe->devices()->currentIndex(), -1);

    // The list is read anew every second.
    QVERIFY(controller.set(wheel, QStringLiteral("firmware=241200")));
    QTRY_COMPARE_WITH_TIMEOUT(probe->devices()->itemText(3), QStringLiteral("Kestrov Wheel PRO (Version 241200)"), 2500);
    QCOMPARE(probe->visibleRows(), (QList<int>{1, 3}));
    QCOMPARE(probe->placeholder(), QStringLiteral("Select compatible device (2 connected)"));
}

void TestDeviceList::pickingCompatibleJoystick()
{
    const int joystick = controller.plug(QStringLiteral("joystick"));
    waitForList({1});
    controller.clearLog();
    probe->pick(1);

    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(probe->visiblePages(), ALL_PAGES);
    QVERIFY(probe->deviceButtonsVisible());
    QCOMPARE(window->currentProductId(), JOYSTICK);

    // Effect settings, then hardware settings, each read once and shown.
    EffectSettingsTypeDef expected;
    const QByteArray record = controller.readRecord(joystick, QStringLiteral("effect"), false);
    memcpy(&expected, record.constData(), sizeof expected);
    auto *motionRange = probe->find<QSpinBox>(QStringLiteral("motion_range_axis0"));
    QTRY_COMPARE_WITH_TIMEOUT(motionRange->value(), qMin(int(expected.axis[0].motion_range), 9999), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(window->pendingCommands(), 0, 3000);
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(countReads(transfers, 0x22), 1);
    QCOMPARE(countReads(transfers, 0x21), 1);
    int effectAt = -1, hardwareAt = -1;
    for (int i = 0; i < transfers.size(); ++i) {
        if (transfers.at(i).reportId() == 0x22 && !transfers.at(i).isSet())
            effectAt = i;
        if (transfers.at(i).reportId() == 0x21 && !transfers.at(i).isSet())
            hardwareAt = i;
    }
    QVERIFY(effectAt < hardwareAt);
}

void TestDeviceList::pickingSelectedRowAgain()
{
    controller.plug(QStringLiteral("joystick"));
    waitForList({1});
    probe->pick(1);
    QCOMPARE(probe->visiblePages(), ALL_PAGES);

    probe->pick(1);
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(!probe->deviceButtonsVisible());
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Kestrov Joystick is no longer selected; choose it to read its settings again."));
    QTRY_COMPARE_WITH_TIMEOUT(probe->devices()->currentIndex(), -1, 2000);
    QCOMPARE(probe->placeholder(), QStringLiteral("Select compatible device (1 connected)"));

    controller.clearLog();
    probe->pick(1);
    QCOMPARE(probe->visiblePages(), ALL_PAGES);
    QTRY_COMPARE_WITH_TIMEOUT(countReads(controller.transfers(), 0x21), 1, 2000);
    QCOMPARE(countReads(controller.transfers(), 0x22), 1);
}

void TestDeviceList::mismatchingFirmware_data()
{
    QTest::addColumn<quint32>("firmware");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("selected");
    QTest::newRow("newer, Ok") << 241200u << "Ok" << true;
    QTest::newRow("newer, Cancel") << 241200u << "Cancel" << false;
    QTest::newRow("newer, Escape") << 241200u << "Escape" << false;
    QTest::newRow("newer, Latest version") << 241200u << "Latest version" << false;
    QTest::newRow("one below") << 241122u << "Ok" << true;
    QTest::newRow("one above") << 241124u << "Cancel" << false;
}

void TestDeviceList::mismatchingFirmware()
{
    QFETCH(quint32, firmware);
    QFETCH(QString, answer);
    QFETCH(bool, selected);
    controller.plug(QStringLiteral("joystick,firmware=%1").arg(firmware));
    waitForList({1});

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::PlainText;
    QString latestText;
    bool latestFocused = false;
    answerNextMessageBox([&](QMessageBox *box) {
        QAbstractButton *latest = nullptr;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        format = box->textFormat();
        for (QAbstractButton *button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                latest = button;
        QVERIFY(latest);
        latestText = latest->text();
        latestFocused = box->focusWidget() == latest;
        if (answer == QLatin1String("Ok"))
            box->button(QMessageBox::Ok)->click();
        else if (answer == QLatin1String("Cancel"))
            box->button(QMessageBox::Cancel)->click();
        else if (answer == QLatin1String("Escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else
            latest->click();
    });
    controller.clearLog();
    probe->pick(1);

    QCOMPARE(title, QStringLiteral("Version mismatch!"));
    QCOMPARE(text, QStringLiteral("Device firmware and Kestrov Setup have different versions. Changing settings with "
                                  "not compatible software can cause unexpected device behaviour.\n **Consider using "
                                  "matching versions of Kestrov Setup firmware.**"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(format, Qt::MarkdownText);
    QCOMPARE(latestText, QStringLiteral("Latest version"));
    QVERIFY(latestFocused);

    if (selected) {
        QCOMPARE(probe->visiblePages(), ALL_PAGES);
        QVERIFY(probe->deviceButtonsVisible());
        QTRY_COMPARE_WITH_TIMEOUT(countReads(controller.transfers(), 0x21), 1, 2000);
    } else {
        QVERIFY(probe->visiblePages().isEmpty());
        QVERIFY(!probe->deviceButtonsVisible());
        QCOMPARE(window->currentProductId(), -1);
        QTest::qWait(200); // fixed: nothing is to be read, so there is nothing to wait for
        QCOMPARE(countReads(controller.transfers(), 0x22), 0);
    }
    if (answer == QLatin1String("Latest version"))
        QCOMPARE(urls.opened, QList<QUrl>{QUrl(QString::fromLatin1(MainWindow::DOWNLOAD_PAGE_URL))});
    else
        QVERIFY(urls.opened.isEmpty());
}

void TestDeviceList::dialogAnsweredAfterControllerVanished()
{
    const int joystick = controller.plug(QStringLiteral("joystick,firmware=241200"));
    waitForList({1});
    answerNextMessageBox([&](QMessageBox *box) {
        // While the dialog is open the list keeps updating; the controller goes away.
        QVERIFY(controller.unplug(joystick));
        QTRY_VERIFY_WITH_TIMEOUT(probe->visibleRows().isEmpty(), 3000);
        box->button(QMessageBox::Ok)->click();
    });
    probe->pick(1);
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(!probe->deviceButtonsVisible());
    QCOMPARE(window->currentProductId(), -1);
}

void TestDeviceList::pickingRowOfVanishedController()
{
    controller.plug(QStringLiteral("joystick,firmware=241200"));
    waitForList({1});
    // The list update that drops the controller arrives between showing the row and the click.
    window->updateConnectedDevices({});
    bool dialogShown = false;
    answerNextMessageBox([&](QMessageBox *box) {
        dialogShown = true;
        box->reject();
    });
    controller.clearLog();
    probe->pick(1);
    QTest::qWait(100); // fixed: no dialog is to open, so there is nothing to wait for
    QVERIFY(!dialogShown);
    QCOMPARE(window->currentProductId(), -1);
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(!probe->deviceButtonsVisible());
    QCOMPARE(countReads(controller.transfers(), 0x22), 0);
}

void TestDeviceList::unplugOfSelectedController()
{
    const int joystick = controller.plug(QStringLiteral("joystick"));
    controller.plug(QStringLiteral("wheel"));
    waitForList({1, 3});
    probe->pick(1);
    QCOMPARE(probe->visiblePages(), ALL_PAGES);

    QVERIFY(controller.unplug(joystick));
    QTRY_COMPARE_WITH_TIMEOUT(probe->devices()->currentIndex(), -1, 2500);
    QCOMPARE(probe->placeholder(), QStringLiteral("Select compatible device (1 connected)"));
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(!probe->deviceButtonsVisible());
    QCOMPARE(probe->visibleRows(), QList<int>{3});
    QCOMPARE(window->currentProductId(), -1);
}

void TestDeviceList::genericDeviceTypeShowsNoPage()
{
    controller.plug(QStringLiteral("joystick,type=0"));
    waitForList({1});
    probe->pick(1);
    QCOMPARE(window->currentProductId(), JOYSTICK);
    QVERIFY(probe->visiblePages().isEmpty());
    QVERIFY(probe->deviceButtonsVisible());
    // The selection lasts through list updates. Each writes the listed rows' texts anew:
    // blanked here, the row's text is back once one has arrived.
    probe->devices()->setItemText(1, QString());
    QTRY_COMPARE_WITH_TIMEOUT(probe->devices()->itemText(1), QStringLiteral("Kestrov Joystick (Version 241123)"), 3000);
    QCOMPARE(window->currentProductId(), JOYSTICK);
}

void TestDeviceList::deviceTypeComesFromRecordNotProductId()
{
    controller.plug(QStringLiteral("wheel,type=1"));
    waitForList({3});
    QCOMPARE(probe->devices()->itemText(3), QStringLiteral("Kestrov Wheel PRO (Version 241123)"));
    probe->pick(3);
    QCOMPARE(window->currentProductId(), WHEEL);
    QCOMPARE(probe->visiblePages(), ALL_PAGES);
    // A joystick's layout: both axis pages of the effects panel.
    QVERIFY(effectAxisTabs()->isTabVisible(0));
    QVERIFY(effectAxisTabs()->isTabVisible(1));
}

void TestDeviceList::unknownDeviceTypeLeavesAxisPagesAsTheyAre()
{
    controller.plug(QStringLiteral("wheel"));
    controller.plug(QStringLiteral("joystick,type=7"));
    waitForList({1, 3});
    probe->pick(3);
    QVERIFY(!effectAxisTabs()->isTabVisible(1));
    probe->pick(1);
    QCOMPARE(window->currentProductId(), JOYSTICK);
    QCOMPARE(probe->visiblePages(), ALL_PAGES);
    QVERIFY(effectAxisTabs()->isTabVisible(0));
    QVERIFY(!effectAxisTabs()->isTabVisible(1));
}

void TestDeviceList::rebootAndDfu_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("command");
    QTest::newRow("reboot") << "reboot_button" << 1;
    QTest::newRow("dfu") << "dfu_mode_button" << 3;
}

void TestDeviceList::rebootAndDfu()
{
    QFETCH(QString, button);
    QFETCH(int, command);
    controller.plug(QStringLiteral("joystick,reboot-ms=5000"));
    waitForList({1});
    probe->pick(1);
    QTRY_COMPARE_WITH_TIMEOUT(countReads(controller.transfers(), 0x21), 1, 2000);
    controller.clearLog();

    QTest::mouseClick(probe->find<QAbstractButton>(button), Qt::LeftButton);
    const auto sets = [this] {
        QList<Transfer> found;
        for (const Transfer &transfer : controller.transfers())
            if (transfer.isSet())
                found << transfer;
        return found;
    };
    QTRY_COMPARE_WITH_TIMEOUT(sets().size(), 1, 2000);
    QByteArray packet(65, '\0');
    packet[0] = 0x20;
    packet[1] = char(command);
    QCOMPARE(sets().first().data, packet);
    QCOMPARE(sets().first().wValue, 0x0320);

    // The controller leaves the bus; the next list update drops it.
    QTRY_COMPARE_WITH_TIMEOUT(probe->devices()->currentIndex(), -1, 2500);
    QVERIFY(probe->visibleRows().isEmpty());
    QVERIFY(probe->visiblePages().isEmpty());
    QCOMPARE(probe->placeholder(), QStringLiteral("No compatible devices connected"));
}

void TestDeviceList::controllerWithoutAccessIsNamedWithTheFix()
{
    // As on a desktop without the udev rule: plugged in, held by the kernel's HID driver,
    // its node not open to this user. Not listed, but not invisible either.
    const int wheel = controller.plug(QStringLiteral("wheel,access=denied"));
    waitForList({});
    auto *notice = probe->find<QLabel>(QStringLiteral("device_access_label"));
    QVERIFY(notice);
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 3000);
    QVERIFY2(notice->text().startsWith(QStringLiteral("1 controller connected but not usable:\nKestrov Wheel PRO is connected, "
                                                      "but this user may not open it:\n/dev/hidraw")),
             qPrintable(notice->text()));
    QCOMPARE(probe->placeholder(), QStringLiteral("No usable controller"));
    QVERIFY(notice->text().contains(QStringLiteral("udev rule")));
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    QVERIFY(controller.set(wheel, QStringLiteral("access=granted")));
    waitForList({3});
    QTRY_VERIFY_WITH_TIMEOUT(!notice->isVisible(), 3000);
}

void TestDeviceList::moreControllersOfAKindAreSaid()
{
    controller.plug(QStringLiteral("joystick"));
    const int second = controller.plug(QStringLiteral("joystick"));
    const int third = controller.plug(QStringLiteral("joystick"));
    waitForList({1});
    // Under the device list, heard from a client of its own beside the window's.
    auto *notice = new ExtraControllerNotice(window->centralWidget());
    auto *layout = qobject_cast<QBoxLayout *>(window->centralWidget()->layout());
    QVERIFY(layout);
    layout->insertWidget(layout->indexOf(probe->devices()) + 1, notice);
    layout->activate();
    const QPoint pagesAt = probe->pages()->mapTo(window.get(), QPoint());
    DeviceClient client;
    connect(&client, &DeviceClient::extraControllers, notice, &ExtraControllerNotice::showExtraControllers);
    client.startPolling();

    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 3000);
    QCOMPARE(notice->notice(), QStringLiteral("2 more Kestrov Joystick controllers are connected; only one controller of "
                                              "each kind can be configured at a time."));
    // Its line was kept from the start: nothing below it moved.
    QCOMPARE(probe->pages()->mapTo(window.get(), QPoint()), pagesAt);

    QVERIFY(controller.unplug(third));
    QTRY_COMPARE_WITH_TIMEOUT(notice->notice(), QStringLiteral("A second Kestrov Joystick is connected; only one "
                                                               "controller of each kind can be configured at a time."), 3000);
    QVERIFY(controller.unplug(second));
    QTRY_VERIFY_WITH_TIMEOUT(!notice->isVisible(), 3000);
    QCOMPARE(probe->pages()->mapTo(window.get(), QPoint()), pagesAt);
    QTRY_COMPARE_WITH_TIMEOUT(probe->visibleRows(), QList<int>{1}, 3000);
}

void TestDeviceList::newSelectionSendsNothingUntilItsRecordsArrive()
{
    controller.plug(QStringLiteral("joystick"));
    controller.plug(QStringLiteral("wheel,delay-ms=400"));
    waitForList({1, 3});
    probe->pick(1);
    QTRY_COMPARE_WITH_TIMEOUT(countReads(controller.transfers(), 0x21), 1, 3000);
    auto *apply = probe->find<QAbstractButton>(QStringLiteral("apply_effect_settings_button"));
    auto *mark = probe->find<QLabel>(QStringLiteral("effects_state_label"));
    QTRY_VERIFY_WITH_TIMEOUT(apply->isEnabled(), 2000);
    QCOMPARE(mark->text(), QStringLiteral("As read from the controller"));

    // The slow wheel's records take a while: meanwhile the joystick's values must not be
    // offered as the wheel's, nor sent to it.
    controller.clearLog();
    probe->pick(3);
    QCOMPARE(mark->text(), QStringLiteral("Reading from the controller…"));
    QVERIFY(!apply->isEnabled());
    QVERIFY(!probe->find<QWidget>(QStringLiteral("effects_settings_widget"))->isEnabled());
    apply->click();
    probe->find<QAbstractButton>(QStringLiteral("save_hardware_settings_button_1"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(apply->isEnabled(), 3000);
    for (const Transfer &transfer : controller.transfers())
        QVERIFY2(!transfer.isSet(), "a record went out before the controller's own had arrived");
    QCOMPARE(mark->text(), QStringLiteral("As read from the controller"));

    // An edit shows, and undoing it shows the controller's values again.
    auto *range = probe->find<QSpinBox>(QStringLiteral("motion_range_axis0"));
    const int read = range->value();
    range->setValue(read == 100 ? 101 : 100);
    QTRY_COMPARE_WITH_TIMEOUT(mark->text(), QStringLiteral("Edited, not applied"), 1000);
    range->setValue(read);
    QTRY_COMPARE_WITH_TIMEOUT(mark->text(), QStringLiteral("As read from the controller"), 1000);
}

QTEST_MAIN(TestDeviceList)
#include "tst_devicelist.moc"
