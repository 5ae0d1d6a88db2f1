// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchcommand.h"
#include "bench/benchoptions.h"
#include "bench/proberate.h"
#include "bench/resulttable.h"
#include "bench/samples.h"

#include <QTextStream>
#include <QtTest>

namespace {

BenchOptions parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("kestrov-bench"));
    QList<QByteArray> bytes;
    for (const QString &argument : arguments)
        bytes.append(argument.toLocal8Bit());
    QList<char *> argv;
    for (QByteArray &argument : bytes)
        argv.append(argument.data());
    return BenchOptions::parse(int(argv.size()), argv.data());
}

Transfer transferAt(int id, double timeMs, int bmRequestType, int reportId)
{
    Transfer transfer;
    transfer.id = id;
    transfer.timeMs = timeMs;
    transfer.bmRequestType = bmRequestType;
    transfer.wValue = 0x0300 | reportId;
    return transfer;
}

BenchCommand command(const char *name)
{
    for (const BenchCommand &each : BenchCommand::all())
        if (qstrcmp(each.name, name) == 0)
            return each;
    qFatal("no such command: %s", name);
}

} // namespace

class TestBenchFigures : public QObject
{
    Q_OBJECT

private slots:
    void medianOfOddCount();
    void medianOfEvenCountIsMeanOfMiddlePair();
    void emptySamples();

    void transfersOfEachCommand_data();
    void transfersOfEachCommand();
    void commandsCoverBothRecordsAndEveryKind();

    void probeRateCountsPeriodsNotWindowEdges();

    void fullRunByDefault();
    void quickRunShortensEveryMeasurement();
    void runsOverrideRepetitions();
    void badArguments_data();
    void badArguments();
    void probeAndHelpAreRecognised();

    void tableColumnsLineUp();
    void tableNamesVerdictsAndNotes();
};

void TestBenchFigures::medianOfOddCount()
{
    Samples samples;
    for (double value : {5.0, 1.0, 9.0, 3.0, 7.0})
        samples.add(value);
    QCOMPARE(samples.count(), 5);
    QCOMPARE(samples.median(), 5.0);
    QCOMPARE(samples.max(), 9.0);
}

void TestBenchFigures::medianOfEvenCountIsMeanOfMiddlePair()
{
    Samples samples;
    for (double value : {10.0, 2.0, 4.0, 100.0})
        samples.add(value);
    QCOMPARE(samples.median(), 7.0);
    QCOMPARE(samples.max(), 100.0);
}

void TestBenchFigures::emptySamples()
{
    const Samples samples;
    QVERIFY(samples.isEmpty());
    QCOMPARE(samples.median(), 0.0);
    QCOMPARE(samples.max(), 0.0);
}

void TestBenchFigures::transfersOfEachCommand_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("transfers");
    // Block packets with terminator (8 for the effect record, 10 for the hardware record),
    // one status request per busy wait, the save command, and the verifying read.
    QTest::newRow("read effects") << "read effects" << 1;
    QTest::newRow("read hardware") << "read hardware" << 1;
    QTest::newRow("apply effects") << "apply effects" << 8 + 1 + 1;
    QTest::newRow("save effects") << "save effects" << 8 + 1 + 1 + 1 + 1;
    QTest::newRow("apply hardware") << "apply hardware" << 10 + 1 + 1;
    QTest::newRow("save hardware") << "save hardware" << 10 + 1 + 1 + 1 + 1;
}

void TestBenchFigures::transfersOfEachCommand()
{
    QFETCH(QString, name);
    QFETCH(int, transfers);
    QCOMPARE(command(qPrintable(name)).transfers(), transfers);
}

void TestBenchFigures::commandsCoverBothRecordsAndEveryKind()
{
    const QList<BenchCommand> commands = BenchCommand::all();
    QCOMPARE(commands.size(), 6);
    QMap<BenchCommand::Kind, int> kinds;
    for (const BenchCommand &each : commands) {
        ++kinds[each.kind];
        const bool effects = each.recordReport == 0x22;
        QCOMPARE(each.recordLength, effects ? 384 : 512);
        QCOMPARE(each.writeCommand, effects ? 18 : 17);
        QCOMPARE(each.page, effects ? 0 : 1);
        QCOMPARE(QByteArray(each.buttonName).contains("hardware"), !effects);
    }
    // A read, an apply and a save of each record.
    QCOMPARE(kinds.value(BenchCommand::Read), 2);
    QCOMPARE(kinds.value(BenchCommand::Apply), 2);
    QCOMPARE(kinds.value(BenchCommand::Save), 2);
}

void TestBenchFigures::probeRateCountsPeriodsNotWindowEdges()
{
    QList<Transfer> log;
    // Two controllers probed every 1000 ms, eleven times each in a window of little over 10 s.
    for (int i = 0; i <= 10; ++i) {
        log << transferAt(1, 20 + 1000.0 * i, 0xA1, 0x25) << transferAt(2, 520 + 1000.0 * i, 0xA1, 0x25);
        // A command's transfers are no probes.
        log << transferAt(1, 30 + 1000.0 * i, 0x21, 0x20) << transferAt(1, 40 + 1000.0 * i, 0xA1, 0x22);
    }
    ProbeRate rate = ProbeRate::of(log);
    QCOMPARE(rate.controllers, 2);
    QCOMPARE(rate.probes, 22);
    QCOMPARE(rate.perControllerPerMinute, 60.0);

    // A cycle more in the same time shows.
    log << transferAt(2, 700, 0xA1, 0x25);
    rate = ProbeRate::of(log);
    QCOMPARE(rate.probes, 23);
    QCOMPARE(rate.perControllerPerMinute, 21 * 60000.0 / 20000);

    QCOMPARE(ProbeRate::of({}).perControllerPerMinute, 0.0);
}

void TestBenchFigures::fullRunByDefault()
{
    const BenchOptions options = parse({});
    QVERIFY(options.error.isEmpty());
    QVERIFY(!options.quick);
    QCOMPARE(options.readRepetitions, 100);
    QCOMPARE(options.writeRepetitions, 20);
    QCOMPARE(options.startupRuns, 10);
    QCOMPARE(options.hotplugRepetitions, 20);
    QCOMPARE(options.idleLongSeconds, 60);
    QCOMPARE(options.idleShortSeconds, 30);
}

void TestBenchFigures::quickRunShortensEveryMeasurement()
{
    const BenchOptions full = parse({});
    const BenchOptions quick = parse({QStringLiteral("--quick")});
    QVERIFY(quick.quick);
    QVERIFY(quick.readRepetitions < full.readRepetitions);
    QVERIFY(quick.writeRepetitions < full.writeRepetitions);
    QVERIFY(quick.startupRuns < full.startupRuns);
    QVERIFY(quick.hotplugRepetitions < full.hotplugRepetitions);
    QVERIFY(quick.idleLongSeconds < full.idleLongSeconds);
    QVERIFY(quick.idleShortSeconds < full.idleShortSeconds);
}

void TestBenchFigures::runsOverrideRepetitions()
{
    const BenchOptions options = parse({QStringLiteral("--runs"), QStringLiteral("7"), QStringLiteral("--quick")});
    QVERIFY(options.error.isEmpty());
    QCOMPARE(options.readRepetitions, 7);
    QCOMPARE(options.writeRepetitions, 7);
    QCOMPARE(options.idleLongSeconds, parse({QStringLiteral("--quick")}).idleLongSeconds);
}

void TestBenchFigures::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown") << QStringList{QStringLiteral("--fast")};
    QTest::newRow("runs without number") << QStringList{QStringLiteral("--runs")};
    QTest::newRow("runs not a number") << QStringList{QStringLiteral("--runs"), QStringLiteral("many")};
    QTest::newRow("runs zero") << QStringList{QStringLiteral("--runs"), QStringLiteral("0")};
}

void TestBenchFigures::badArguments()
{
    QFETCH(QStringList, arguments);
    QVERIFY(!parse(arguments).error.isEmpty());
}

void TestBenchFigures::probeAndHelpAreRecognised()
{
    QVERIFY(parse({QStringLiteral("--startup-probe")}).startupProbe);
    QVERIFY(!parse({}).startupProbe);
    QVERIFY(parse({QStringLiteral("--help")}).help);
    QVERIFY(parse({QStringLiteral("--verbose")}).verbose);
    QVERIFY(BenchOptions::usage().contains(QLatin1String("--quick")));
}

void TestBenchFigures::tableColumnsLineUp()
{
    ResultTable table;
    table.add(QStringLiteral("Short"), QStringLiteral("1 ms"), QStringLiteral("< 2 ms"), true);
    table.add(QStringLiteral("A much longer figure name"), QStringLiteral("123.4 ms (max 200 ms)"),
              QStringLiteral("< 300 ms"), false);
    QString text;
    QTextStream out(&text);
    table.print(out);
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    // Every column starts at the same position on every line.
    const int measured = int(lines[0].indexOf(QLatin1String("Measured")));
    const int target = int(lines[0].indexOf(QLatin1String("Target")));
    const int result = int(lines[0].indexOf(QLatin1String("Result")));
    QVERIFY(measured > 0 && target > measured && result > target);
    QCOMPARE(lines[2].indexOf(QLatin1String("1 ms")), measured);
    QCOMPARE(lines[3].indexOf(QLatin1String("123.4 ms")), measured);
    QCOMPARE(lines[2].indexOf(QLatin1String("< 2 ms")), target);
    QCOMPARE(lines[3].indexOf(QLatin1String("< 300 ms")), target);
    QCOMPARE(lines[2].indexOf(QLatin1String("pass")), result);
    QCOMPARE(lines[3].indexOf(QLatin1String("FAIL")), result);
    QVERIFY(lines[1].startsWith(QLatin1Char('-')));
}

void TestBenchFigures::tableNamesVerdictsAndNotes()
{
    ResultTable table;
    table.add(QStringLiteral("Not taken"), QString(), QStringLiteral("< 1 %"), ResultTable::Verdict::NotMeasured);
    table.note(QStringLiteral("something to know"));
    QString text;
    QTextStream out(&text);
    table.print(out);
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines[2].startsWith(QLatin1String("Not taken")));
    QVERIFY(lines[2].endsWith(QLatin1String("not measured")));
    QCOMPARE(lines.last(), QStringLiteral("Note: something to know"));
}

QTEST_APPLESS_MAIN(TestBenchFigures)
#include "tst_bench_figures.moc"
