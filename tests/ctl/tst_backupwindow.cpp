// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backupactions.h"
#include "app/mainwindow.h"
#include "device/controllerbackup.h"

#include "mainwindowprobe.h"
#include "transfershape.h"
#include "virtualcontroller.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

namespace {

QByteArray bytesOf(const void *record, int size)
{
    return QByteArray(static_cast<const char *>(record), size);
}

} // namespace

// The window's backup and restore: the same file as kestrov-ctl, the controller's records
// byte for byte, one question before the whole controller is overwritten.
class TestBackupWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void backupAndRestoreRoundTrip();
    void damagedBackupIsRefusedWithoutAsking();

private:
    void selectWheel();

    QTemporaryDir directory;
    VirtualController controller;
    int device = -1;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindowProbe> probe;
};

void TestBackupWindow::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(QDir::setCurrent(directory.path()));
}

void TestBackupWindow::cleanup()
{
    // One window and its USB session at a time.
    probe.reset();
    window.reset();
}

void TestBackupWindow::selectWheel()
{
    QVERIFY(controller.reset());
    device = controller.plug(QStringLiteral("wheel"));
    QVERIFY(device > 0);
    window = std::make_unique<MainWindow>();
    probe = std::make_unique<MainWindowProbe>(*window);
    window->show();
    QTRY_COMPARE_WITH_TIMEOUT(probe->visibleRows(), QList<int>{3}, 3000);
    probe->pick(3);
    QTRY_COMPARE_WITH_TIMEOUT(window->pendingCommands(), 0, 5000);
}

void TestBackupWindow::backupAndRestoreRoundTrip()
{
    selectWheel();
    EffectSettingsTypeDef effects{};
    effects.axis[0].motion_range = 1080;
    effects.reserved[7] = 0x42;
    HardwareSettingsTypeDef hardware{};
    hardware.axis[1].encoder_cpr = 20000;
    hardware.reserved_85[3] = 0x17;
    QVERIFY(controller.writeRecord(device, QStringLiteral("effect"), bytesOf(&effects, sizeof effects)));
    QVERIFY(controller.writeRecord(device, QStringLiteral("hardware"), bytesOf(&hardware, sizeof hardware)));

    auto *actions = window->findChild<BackupActions *>();
    QVERIFY(actions);
    // An edit not sent yet survives a backup: its reads do not reach the pages.
    auto *range = window->findChild<QSpinBox *>(QStringLiteral("motion_range_axis0"));
    range->setValue(700);
    const QString path = directory.filePath(QStringLiteral("wheel.kbak"));
    actions->backUpTo(path);
    QTRY_VERIFY_WITH_TIMEOUT(window->statusBar()->currentMessage().startsWith(QLatin1String("Controller backed up to")), 5000);
    QCOMPARE(range->value(), 700);
    QString problem;
    const std::optional<ControllerBackup> backup = ControllerBackup::load(path, &problem);
    QVERIFY2(backup, qPrintable(problem));
    QCOMPARE(bytesOf(&backup->effects, sizeof effects), bytesOf(&effects, sizeof effects));
    QCOMPARE(bytesOf(&backup->hardware, sizeof hardware), bytesOf(&hardware, sizeof hardware));
    QCOMPARE(backup->productId, 22999);

    // The window reads while a backup runs: each gets its own records, and the backup still
    // ends with its own words.
    const QString again = directory.filePath(QStringLiteral("again.kbak"));
    window->statusBar()->clearMessage();
    actions->backUpTo(again);
    probe->find<QAbstractButton>(QStringLiteral("read_effects_settings_button"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(window->statusBar()->currentMessage().startsWith(QLatin1String("Controller backed up to")), 5000);
    QCOMPARE(range->value(), 1080);
    const std::optional<ControllerBackup> second = ControllerBackup::load(again, &problem);
    QVERIFY2(second, qPrintable(problem));
    QCOMPARE(second->toBytes(), backup->toBytes());

    // Something else on the controller, then the backup back, saved.
    QVERIFY(controller.writeRecord(device, QStringLiteral("effect"), QByteArray(384, '\x01')));
    QVERIFY(controller.writeRecord(device, QStringLiteral("hardware"), QByteArray(512, '\x02')));
    controller.clearLog();
    QString asked;
    answerNextMessageBox([&asked](QMessageBox *box) {
        asked = box->text();
        box->findChild<QAbstractButton *>(QStringLiteral("restore_save_button"))->click();
    });
    actions->restoreFrom(path);
    QTRY_VERIFY_WITH_TIMEOUT(window->statusBar()->currentMessage().startsWith(QLatin1String("Restored")), 10000);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("Restored %1 and saved it to the controller's permanent memory; every setting verified.").arg(path));
    QVERIFY2(asked.contains(path) && asked.contains(QLatin1String("Kestrov Wheel PRO, product id 22999, firmware 241123")),
             qPrintable(asked));
    for (const bool permanent : {false, true}) {
        QCOMPARE(controller.readRecord(device, QStringLiteral("effect"), permanent), bytesOf(&effects, sizeof effects));
        QCOMPARE(controller.readRecord(device, QStringLiteral("hardware"), permanent), bytesOf(&hardware, sizeof hardware));
    }
    // Both saves, then the pages read what the controller holds now.
    QStringList steps = transferShape(controller.transfers());
    steps.removeAll(QStringLiteral("G37"));
    QCOMPARE(collapsedShape(steps), QStringLiteral("S18 G36 S2 G36 G34 S17 G36 S2 G36 G33 G34 G33"));
    QCOMPARE(window->findChild<QSpinBox *>(QStringLiteral("motion_range_axis0"))->value(), 1080);
}

void TestBackupWindow::damagedBackupIsRefusedWithoutAsking()
{
    selectWheel();
    const QString path = directory.filePath(QStringLiteral("damaged.kbak"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray bytes = ControllerBackup{}.toBytes();
    bytes[100] = 'x';
    file.write(bytes);
    file.close();
    controller.clearLog();

    // Shared, as the answer may come after this test, should a box open late.
    const auto asked = std::make_shared<bool>(false);
    answerNextMessageBox([asked](QMessageBox *box) {
        *asked = true;
        box->reject();
    });
    window->findChild<BackupActions *>()->restoreFrom(path);
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("%1 is damaged: its checksum does not match its content. Nothing was written to the "
                            "controller.").arg(path));
    QTest::qWait(100); // fixed: no box is to open, so there is nothing to wait for
    QVERIFY(!*asked);
    QCOMPARE(window->pendingCommands(), 0);
    QCOMPARE(TransferShape::of(controller.transfers(), device), QString());
}

QTEST_MAIN(TestBackupWindow)
#include "tst_backupwindow.moc"
