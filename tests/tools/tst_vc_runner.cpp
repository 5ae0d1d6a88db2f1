// SPDX-License-Identifier: GPL-3.0-or-later
// The runner as a process: arguments, environment and exit status of its command.
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestVirtualControllerRunner : public QObject
{
    Q_OBJECT

private slots:
    void helpDescribesTheUsage();
    void exitStatusOfTheCommandIsPassedOn_data();
    void exitStatusOfTheCommandIsPassedOn();
    void commandGetsSocketAndLog();
    void logGoesWhereAsked();
    void badArgumentsAreRefused_data();
    void badArgumentsAreRefused();
    void interruptedRunnerStopsItsCommand();

private:
    static int run(const QStringList &arguments, QString *output = nullptr);
};

int TestVirtualControllerRunner::run(const QStringList &arguments, QString *output)
{
    QProcess runner;
    runner.setProcessChannelMode(QProcess::MergedChannels);
    runner.start(QStringLiteral(VIRTUAL_CONTROLLER_PATH), arguments);
    if (!runner.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(runner.readAll());
    return runner.exitStatus() == QProcess::NormalExit ? runner.exitCode() : -1;
}

void TestVirtualControllerRunner::helpDescribesTheUsage()
{
    QString output;
    QCOMPARE(run({QStringLiteral("--help")}, &output), 0);
    QVERIFY(output.startsWith(QLatin1String("Usage: virtual-controller")));
    for (const char *word : {"--device", "--log", "VIRTUAL_CONTROLLER_SOCKET", "stall=0xNN", "no-comeback",
                             "driver=hid|none", "access=granted|denied"})
        QVERIFY2(output.contains(QLatin1String(word)), word);
}

void TestVirtualControllerRunner::exitStatusOfTheCommandIsPassedOn_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("status");
    QTest::newRow("success") << QStringList{"true"} << 0;
    QTest::newRow("exit code") << QStringList{"sh", "-c", "exit 7"} << 7;
    QTest::newRow("killed by a signal") << QStringList{"sh", "-c", "kill -TERM $$"} << 128 + SIGTERM;
    QTest::newRow("not found") << QStringList{"/nonexistent/command"} << 127;
}

void TestVirtualControllerRunner::exitStatusOfTheCommandIsPassedOn()
{
    QFETCH(QStringList, command);
    QFETCH(int, status);
    QCOMPARE(run(QStringList{QStringLiteral("--device"), QStringLiteral("joystick"), QStringLiteral("--")} + command),
             status);
}

void TestVirtualControllerRunner::commandGetsSocketAndLog()
{
    QString output;
    const int status = run({QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                            QStringLiteral("test -S \"$VIRTUAL_CONTROLLER_SOCKET\" && test -f \"$VIRTUAL_CONTROLLER_LOG\""
                                           " && echo \"$VIRTUAL_CONTROLLER_SOCKET\"")},
                           &output);
    QCOMPARE(status, 0);
    const QString socket = output.trimmed();
    QVERIFY(!socket.startsWith(QLatin1String("/dev/")) && !socket.startsWith(QLatin1String("/sys/")));
    // The private directory goes away with the run.
    QVERIFY(!QFileInfo::exists(QFileInfo(socket).absolutePath()));
}

void TestVirtualControllerRunner::logGoesWhereAsked()
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("transfers.jsonl"));
    QCOMPARE(run({QStringLiteral("--log"), log, QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                  QStringLiteral("test \"$VIRTUAL_CONTROLLER_LOG\" = \"%1\"").arg(log)}),
             0);
    QVERIFY(QFileInfo::exists(log)); // kept after the run
}

void TestVirtualControllerRunner::badArgumentsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList{"--device", "joystick"};
    QTest::newRow("nothing after --") << QStringList{"--"};
    QTest::newRow("unknown option") << QStringList{"--colour=red", "--", "true"};
    QTest::newRow("option without value") << QStringList{"--device", "--", "true"};
    QTest::newRow("unknown kind") << QStringList{"--device", "pedals", "--", "true"};
    QTest::newRow("bad device option") << QStringList{"--device", "joystick,stall=0x100", "--", "true"};
    QTest::newRow("bad default option") << QStringList{"--delay-ms=soon", "--device", "joystick", "--", "true"};
    QTest::newRow("missing record file") << QStringList{"--device", "joystick,effects=/nonexistent", "--", "true"};
}

void TestVirtualControllerRunner::badArgumentsAreRefused()
{
    QFETCH(QStringList, arguments);
    QString output;
    QCOMPARE(run(arguments, &output), 2);
    QVERIFY(output.startsWith(QLatin1String("virtual-controller: ")));
}

void TestVirtualControllerRunner::interruptedRunnerStopsItsCommand()
{
    QTemporaryDir dir;
    const QString started = dir.filePath(QStringLiteral("started"));
    QProcess runner;
    runner.start(QStringLiteral(VIRTUAL_CONTROLLER_PATH),
                 {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                  QStringLiteral("touch '%1'; exec sleep 60").arg(started)});
    QVERIFY(runner.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(started), 10000);
    ::kill(pid_t(runner.processId()), SIGTERM);
    QVERIFY(runner.waitForFinished(10000));
    QCOMPARE(runner.exitStatus(), QProcess::NormalExit);
    QCOMPARE(runner.exitCode(), 128 + SIGTERM);
}

QTEST_GUILESS_MAIN(TestVirtualControllerRunner)
#include "tst_vc_runner.moc"
