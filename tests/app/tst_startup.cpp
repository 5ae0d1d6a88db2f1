// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/helpmenu.h"
#include "app/mainwindow.h"
#include "app/startup.h"

#include "virtualcontroller.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QtTest>

// Start-up as the tool does it in its working directory: "config.ini", the translation
// files under "i18n/" and the icon are all looked up there.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void titleCarriesTheToolsVersion();
    void aboutNamesVersionControllersAndFilesHere();
    void iconComesFromWorkingDirectory();
    void configuredLanguage_data();
    void configuredLanguage();
    void closesCleanlyWithControllerConnected();
    void germanTranslationIsComplete();

private:
    void writeConfig(const QByteArray &content);
    void provideGermanTranslation(const QString &asLanguage);
    QString rebootText(MainWindow &window);

    std::unique_ptr<QTemporaryDir> workingDirectory;
    QString startDirectory = QDir::currentPath();
};

void TestStartup::init()
{
    workingDirectory = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(workingDirectory->path()));
}

void TestStartup::cleanup()
{
    QDir::setCurrent(startDirectory);
    workingDirectory.reset();
}

void TestStartup::writeConfig(const QByteArray &content)
{
    QFile config(QStringLiteral("config.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(content);
}

void TestStartup::provideGermanTranslation(const QString &asLanguage)
{
    QVERIFY(QDir().mkpath(QStringLiteral("i18n")));
    QVERIFY(QFile::copy(QStringLiteral(KESTROV_TRANSLATIONS_DIR "/hardware_settings_ui_de.qm"),
                        QStringLiteral("i18n/hardware_settings_ui_%1.qm").arg(asLanguage)));
}

QString TestStartup::rebootText(MainWindow &window)
{
    return window.findChild<QPushButton *>(QStringLiteral("reboot_button"))->text();
}

void TestStartup::titleCarriesTheToolsVersion()
{
    writeConfig("[UI]\nlang=de\n");
    provideGermanTranslation(QStringLiteral("de"));
    const Startup startup({QStringLiteral("kestrov-setup")}, QDir::currentPath());
    MainWindow window(startup.options());
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrov Setup (241123)"));
    QVERIFY(!window.isAdvancedMode());
}

void TestStartup::aboutNamesVersionControllersAndFilesHere()
{
    const QString about = HelpMenu::aboutText();
    for (const char *part : {"Kestrov Setup 241123", "Kestrov Joystick", "Kestrov Wheel PRO", "Kestrov Generic",
                             "Kestrov Rudder", "Kestrov Collective", "GPL-3.0-or-later", "F5", "Ctrl+Return", "Ctrl+S", "Ctrl+Q"})
        QVERIFY2(about.contains(QLatin1String(part)), part);
    // The files of the directory the tool runs in, wherever that is.
    QVERIFY(about.contains(workingDirectory->filePath(QStringLiteral("device_effects_profiles/"))));
    QVERIFY(about.contains(workingDirectory->filePath(QStringLiteral("config.ini"))));
}

void TestStartup::iconComesFromWorkingDirectory()
{
    {
        MainWindow window;
        QVERIFY(window.windowIcon().pixmap(32, 32).isNull());
    }
    QVERIFY(QFile::copy(QStringLiteral(KESTROV_ICON_FILE), QStringLiteral("kestrov_hardware_icon.png")));
    MainWindow window;
    QCOMPARE(window.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
}

void TestStartup::configuredLanguage_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("translationAs");
    QTest::addColumn<QString>("rebootButton");
    // Qt's own texts follow the configured language, the standard buttons among them.
    QTest::addColumn<QString>("cancelButton");
    QTest::newRow("german") << QByteArray("[UI]\nlang=de\n") << "de" << "Controller neu starten" << "Abbrechen";
    QTest::newRow("german without file") << QByteArray("[UI]\nlang=de\n") << "" << "Reboot controller" << "Abbrechen";
    QTest::newRow("english is built in") << QByteArray("[UI]\nlang=en\n") << "en" << "Reboot controller" << "Cancel";
    QTest::newRow("no config") << QByteArray() << "de" << "Reboot controller" << "Cancel";
    // The lookup shortens the name at "_": de_AT falls back to de.
    QTest::newRow("regional variant") << QByteArray("[UI]\nlang=de_AT\n") << "de" << "Controller neu starten" << "Abbrechen";
}

void TestStartup::configuredLanguage()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, translationAs);
    QFETCH(QString, rebootButton);
    QFETCH(QString, cancelButton);
    if (!config.isEmpty())
        writeConfig(config);
    if (!translationAs.isEmpty())
        provideGermanTranslation(translationAs);

    // As the program starts: no argument, so "config.ini" decides.
    const Startup startup({QStringLiteral("kestrov-setup")}, QDir::currentPath());
    MainWindow window(startup.options());
    QCOMPARE(rebootText(window), rebootButton);
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrov Setup (241123)"));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), cancelButton);
}

void TestStartup::germanTranslationIsComplete()
{
    // Every text of the interface has a finished German translation, plural forms included.
    QFile source(QStringLiteral(KESTROV_GERMAN_TS_FILE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&source);
    QString context;
    QString text;
    int messages = 0;
    while (!ts.atEnd()) {
        ts.readNext();
        if (!ts.isStartElement())
            continue;
        if (ts.name() == QLatin1String("name"))
            context = ts.readElementText();
        else if (ts.name() == QLatin1String("source"))
            text = ts.readElementText();
        else if (ts.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = ts.attributes().value(QLatin1String("type")).toString();
            const QString translation = ts.readElementText(QXmlStreamReader::IncludeChildElements);
            QVERIFY2(type.isEmpty() && !translation.trimmed().isEmpty(),
                     qPrintable(QStringLiteral("%1: \"%2\" has no German translation").arg(context, text)));
        }
    }
    QVERIFY(!ts.hasError());
    QVERIFY(messages > 100);
}

void TestStartup::closesCleanlyWithControllerConnected()
{
    // Closing while the worker polls and holds an open handle ends without a hang or a
    // crash (the sanitizer builds look for leaks and races here too), and nothing talks to
    // the controller afterwards.
    VirtualController controller;
    QVERIFY(controller.reset());
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    for (int round = 0; round < 3; ++round) {
        MainWindow window;
        window.show();
        auto *devices = window.findChild<QComboBox *>(QStringLiteral("devices_combo_box"));
        QTRY_COMPARE_WITH_TIMEOUT(devices->placeholderText(), QStringLiteral("Select compatible device (1 connected)"), 3000);
        QTest::qWait(100 * round); // closed at a different point of the poll each round
    }
    const qsizetype transfers = controller.transfers().size();
    // Longer than a poll period; fixed, as nothing is to happen.
    QTest::qWait(1500);
    QCOMPARE(controller.transfers().size(), transfers);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
