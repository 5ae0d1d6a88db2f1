// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupoptions.h"

#include <QtTest>

class TestStartupOptions : public QObject
{
    Q_OBJECT

private slots:
    void firstArgumentDecidesAdvancedMode_data();
    void firstArgumentDecidesAdvancedMode();
    void configuredLanguage_data();
    void configuredLanguage();
    void configIsReadFromTheGivenWorkingDirectory();

private:
    static void writeConfig(const QString &directory, const QByteArray &content);
};

void TestStartupOptions::writeConfig(const QString &directory, const QByteArray &content)
{
    QFile config(directory + QStringLiteral("/config.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(content);
}

void TestStartupOptions::firstArgumentDecidesAdvancedMode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("advanced");
    QTest::newRow("advanced") << QStringList{"kestrov-setup", "advanced"} << true;
    QTest::newRow("advanced then more") << QStringList{"kestrov-setup", "advanced", "extra"} << true;
    QTest::newRow("letter case differs") << QStringList{"kestrov-setup", "Advanced"} << false;
    QTest::newRow("leading dash") << QStringList{"kestrov-setup", "--advanced"} << false;
    QTest::newRow("only second argument") << QStringList{"kestrov-setup", "x", "advanced"} << false;
    QTest::newRow("no argument") << QStringList{"kestrov-setup"} << false;
}

void TestStartupOptions::firstArgumentDecidesAdvancedMode()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, advanced);
    QTemporaryDir directory;
    writeConfig(directory.path(), "[UI]\nlang=de\n");

    const StartupOptions options = StartupOptions::fromArguments(arguments, directory.path());
    QCOMPARE(options.advancedMode, advanced);
    // Any argument at all means the configuration file is not read.
    QCOMPARE(options.wantsTranslation(), arguments.size() == 1);
}

void TestStartupOptions::configuredLanguage_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("translated");
    QTest::addColumn<QString>("file");
    QTest::newRow("german") << QByteArray("[UI]\nlang=de\n") << true << "i18n/hardware_settings_ui_de";
    QTest::newRow("english") << QByteArray("[UI]\nlang=en\n") << false << "";
    QTest::newRow("english upper case") << QByteArray("[UI]\nlang=EN\n") << true << "i18n/hardware_settings_ui_EN";
    QTest::newRow("empty") << QByteArray("[UI]\nlang=\n") << false << "";
    QTest::newRow("no key") << QByteArray("[UI]\ntheme=dark\n") << false << "";
    QTest::newRow("no file") << QByteArray() << false << "";
}

void TestStartupOptions::configuredLanguage()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, translated);
    QFETCH(QString, file);
    QTemporaryDir directory;
    if (!config.isEmpty())
        writeConfig(directory.path(), config);

    const StartupOptions options = StartupOptions::fromArguments({"kestrov-setup"}, directory.path());
    QVERIFY(!options.advancedMode);
    QCOMPARE(options.wantsTranslation(), translated);
    if (translated)
        QCOMPARE(options.translationFile(), file);
}

void TestStartupOptions::configIsReadFromTheGivenWorkingDirectory()
{
    QTemporaryDir here;
    QTemporaryDir elsewhere;
    writeConfig(elsewhere.path(), "[UI]\nlang=fr\n");
    QVERIFY(!StartupOptions::fromArguments({"kestrov-setup"}, here.path()).wantsTranslation());
    QCOMPARE(StartupOptions::fromArguments({"kestrov-setup"}, elsewhere.path()).language, QStringLiteral("fr"));
}

QTEST_GUILESS_MAIN(TestStartupOptions)
#include "tst_startupoptions.moc"
