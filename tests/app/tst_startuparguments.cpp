// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "app/startup.h"

#include "mainwindowprobe.h"
#include "virtualcontroller.h"

#include <QPushButton>
#include <QtTest>

// The tool's own command line, as a user starts it: "advanced" switches the advanced mode on,
// and any argument skips "config.ini".
class TestStartupArguments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstArgumentDecides_data();
    void firstArgumentDecides();

private:
    QTemporaryDir workingDirectory;
};

void TestStartupArguments::initTestCase()
{
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
    QFile config(QStringLiteral("config.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[UI]\nlang=de\n");
    config.close();
    QVERIFY(QDir().mkpath(QStringLiteral("i18n")));
    QVERIFY(QFile::copy(QStringLiteral(KESTROV_TRANSLATIONS_DIR "/hardware_settings_ui_de.qm"),
                        QStringLiteral("i18n/hardware_settings_ui_de.qm")));
}

void TestStartupArguments::firstArgumentDecides_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("advanced");
    QTest::newRow("advanced") << QStringList{"advanced"} << true;
    QTest::newRow("letter case") << QStringList{"Advanced"} << false;
    QTest::newRow("dashed") << QStringList{"--advanced"} << false;
    QTest::newRow("only the first counts") << QStringList{"expert", "advanced"} << false;
}

void TestStartupArguments::firstArgumentDecides()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, advanced);
    VirtualController controller;
    QVERIFY(controller.reset());
    controller.plug(QStringLiteral("joystick"));

    const Startup startup(QStringList{QStringLiteral("kestrov-setup")} + arguments, QDir::currentPath());
    MainWindow window(startup.options());
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

QTEST_MAIN(TestStartupArguments)

#include "tst_startuparguments.moc"
