#include "app/mainwindow.h"

#include "mainwindowprobe.h"
#include "virtualcontroller.h"

#include <QPushButton>
#include <QtTest>

// Runs with the tool's own command line (given by the test registration), as a user starts
// it: "advanced" switches the advanced mode on, and any argument skips "config.ini".
class TestStartupArguments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstArgumentDecides();

private:
    QTemporaryDir workingDirectory;
};

void TestStartupArguments::initTestCase()
{
    QVERIFY(QCoreApplication::arguments().size() >= 2);
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
    QFile config(QStringLiteral("config.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[UI]\nlang=de\n");
    config.close();
    QVERIFY(QDir().mkpath(QStringLiteral("i18n")));
    QVERIFY(QFile::copy(QStringLiteral(KESTROV_TRANSLATIONS_DIR "/hardware_settings_ui_de.qm"),
                        QStringLiteral("i18n/hardware_settings_ui_de.qm")));
}

void TestStartupArguments::firstArgumentDecides()
{
    const bool advanced = QCoreApplication::arguments().at(1) == QLatin1String("advanced");
    VirtualController controller;
    QVERIFY(controller.reset());
    controller.plug(QStringLiteral("joystick"));

    MainWindow window;
    window.show();
    MainWindowProbe probe(window);
    QCOMPARE(window.isAdvancedMode(), advanced);
    // The configuration names German, but with an argument it is not read.
    QCOMPARE(probe.find<QPushButton>(QStringLiteral("reboot_button"))->text(), QStringLiteral("Reboot controller"));

    QTRY_COMPARE_WITH_TIMEOUT(probe.visibleRows(), QList<int>{1}, 3000);
    probe.pick(1);
    // The current-sense gain is offered only in advanced mode.
    QCOMPARE(probe.find<QWidget>(QStringLiteral("amplifier_gain"))->isHidden(), !advanced);
    QCOMPARE(probe.find<QWidget>(QStringLiteral("amplifier_gain_label"))->isHidden(), !advanced);
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    TestStartupArguments test;
    char *testArguments[] = {argv[0]};
    return QTest::qExec(&test, 1, testArguments);
}

#include "tst_startuparguments.moc"
