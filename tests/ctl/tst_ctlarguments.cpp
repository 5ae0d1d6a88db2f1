// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/controllerchoice.h"
#include "app/ctl/ctlarguments.h"
#include "app/ctl/ctlprogram.h"

#include <QtTest>

namespace {

// The options a parse gave, in one word each: "device=wheel json save".
QString optionsOf(const CtlArguments &parsed)
{
    QStringList given;
    const auto value = [&given](const char *name, const QString &text) {
        if (!text.isEmpty())
            given << QLatin1String(name) + QLatin1Char('=') + text;
    };
    const auto flag = [&given](const char *name, bool set) {
        if (set)
            given << QLatin1String(name);
    };
    value("device", parsed.device);
    value("output", parsed.output);
    value("data-dir", parsed.dataDirectory);
    value("duration", parsed.duration);
    value("strength", parsed.strength);
    value("direction", parsed.direction);
    flag("json", parsed.json);
    flag("save", parsed.save);
    flag("force", parsed.force);
    flag("help", parsed.help);
    flag("version", parsed.version);
    return given.join(QLatin1Char(' '));
}

} // namespace

// kestrov-ctl's command line parsed in-process: which command, operands and options a line
// gives, and for a wrong line the problem it prints and the exit status, before anything
// looks for a controller.
class TestCtlArguments : public QObject
{
    Q_OBJECT

private slots:
    void parsesCommandLine_data();
    void parsesCommandLine();
    void deviceNamesAProductId_data();
    void deviceNamesAProductId();
};

void TestCtlArguments::parsesCommandLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("operands");
    QTest::addColumn<QString>("options");
    // Empty for a line that makes a command.
    QTest::addColumn<QString>("problem");

    QTest::newRow("list") << "list" << "list" << QStringList() << "" << "";
    QTest::newRow("list as json") << "list --json" << "list" << QStringList() << "json" << "";
    QTest::newRow("read, options anywhere") << "--device 22999 read -o out.bin hardware" << "read" << QStringList{"hardware"}
                                            << "device=22999 output=out.bin" << "";
    QTest::newRow("read, long output") << "read effects --output=x --json" << "read" << QStringList{"effects"}
                                       << "output=x json" << "";
    QTest::newRow("apply from stdin") << "apply hardware -" << "apply" << QStringList{"hardware", "-"} << "" << "";
    QTest::newRow("save") << "save effects f.json --device wheel" << "save" << QStringList{"effects", "f.json"}
                          << "device=wheel" << "";
    QTest::newRow("apply, forced") << "apply --force hardware f.json" << "apply" << QStringList{"hardware", "f.json"}
                                   << "force" << "";
    QTest::newRow("save, forced") << "save effects f.bin --force" << "save" << QStringList{"effects", "f.bin"} << "force" << "";
    QTest::newRow("profile list") << "profile list --data-dir d" << "profile list" << QStringList() << "data-dir=d" << "";
    QTest::newRow("profile apply") << "profile apply Racing --save" << "profile apply" << QStringList{"Racing"} << "save" << "";
    QTest::newRow("profile save") << "profile save Racing" << "profile save" << QStringList{"Racing"} << "" << "";
    QTest::newRow("profile rename") << "profile rename Racing Rally --data-dir d" << "profile rename"
                                    << QStringList{"Racing", "Rally"} << "data-dir=d" << "";
    QTest::newRow("profile export") << "profile export Racing r.bin" << "profile export" << QStringList{"Racing", "r.bin"}
                                    << "" << "";
    QTest::newRow("profile import, name left out") << "profile import r.bin" << "profile import" << QStringList{"r.bin"}
                                                   << "" << "";
    QTest::newRow("profile import, named, forced") << "profile import --force r.bin Racing" << "profile import"
                                                   << QStringList{"r.bin", "Racing"} << "force" << "";
    QTest::newRow("backup") << "backup b.kbak" << "backup" << QStringList{"b.kbak"} << "" << "";
    QTest::newRow("restore") << "restore b.kbak --save --force" << "restore" << QStringList{"b.kbak"} << "save force" << "";
    QTest::newRow("dfu") << "dfu --device=generic" << "dfu" << QStringList() << "device=generic" << "";
    QTest::newRow("inputs") << "inputs --json --duration 1.5" << "inputs" << QStringList() << "duration=1.5 json" << "";
    QTest::newRow("force test") << "force-test sine --strength 30 --duration 500 --direction right" << "force-test"
                                << QStringList{"sine"} << "duration=500 strength=30 direction=right" << "";
    // Asking for help or the version is never wrong.
    QTest::newRow("help") << "--help" << "" << QStringList() << "help" << "";
    QTest::newRow("help of a group") << "profile -h" << "profile" << QStringList() << "help" << "";
    QTest::newRow("help over a wrong line") << "read boat --save --help" << "read" << QStringList{"boat"} << "save help" << "";
    QTest::newRow("version") << "--version list" << "list" << QStringList() << "version" << "";

    QTest::newRow("nothing") << "" << "" << QStringList() << "" << "no command given";
    QTest::newRow("unknown command") << "erase" << "erase" << QStringList() << "" << "unknown command \"erase\"";
    QTest::newRow("group alone") << "profile" << "profile" << QStringList() << ""
                                 << "profile needs list, apply, save, delete, rename, export or import";
    QTest::newRow("unknown in group") << "profile drop x" << "profile drop" << QStringList{"x"} << ""
                                      << "unknown command \"profile drop\"";
    QTest::newRow("too few") << "apply effects" << "apply" << QStringList{"effects"} << "" << "apply needs more arguments";
    QTest::newRow("optional operand still needs the others") << "profile import" << "profile import" << QStringList() << ""
                                                             << "profile import needs more arguments";
    QTest::newRow("past the optional operand") << "profile import f a b" << "profile import" << QStringList{"f", "a", "b"}
                                               << "" << "too many arguments for profile import";
    QTest::newRow("force only where a profile is replaced") << "profile export Racing r.bin --force" << "profile export"
                                                            << QStringList{"Racing", "r.bin"} << "force"
                                                            << "profile export does not take --force";
    QTest::newRow("force only where a record is sent") << "read effects --force" << "read" << QStringList{"effects"}
                                                       << "force" << "read does not take --force";
    QTest::newRow("force test needs an effect") << "force-test" << "force-test" << QStringList() << ""
                                                << "force-test needs more arguments";
    QTest::newRow("unknown effect") << "force-test ramp" << "force-test" << QStringList{"ramp"} << ""
                                    << "force-test needs \"constant\", \"spring\" or \"sine\", not \"ramp\"";
    QTest::newRow("strength only for the force test") << "inputs --strength 5" << "inputs" << QStringList()
                                                      << "strength=5" << "inputs does not take --strength";
    QTest::newRow("too many") << "reboot now" << "reboot" << QStringList{"now"} << "" << "too many arguments for reboot";
    QTest::newRow("wrong record") << "read settings" << "read" << QStringList{"settings"} << ""
                                  << "read needs \"effects\" or \"hardware\", not \"settings\"";
    QTest::newRow("count before keyword") << "save settings" << "save" << QStringList{"settings"} << ""
                                          << "save needs more arguments";
    QTest::newRow("option of another command") << "backup b --save" << "backup" << QStringList{"b"} << "save"
                                               << "backup does not take --save";
    QTest::newRow("short option by its long name") << "apply effects f -o x" << "apply" << QStringList{"effects", "f"}
                                                   << "output=x" << "apply does not take --output";
    QTest::newRow("device where no controller is used") << "profile list --device wheel" << "profile list" << QStringList()
                                                         << "device=wheel" << "profile list does not take --device";
    QTest::newRow("operands before options") << "list --save x" << "list" << QStringList{"x"} << "save"
                                                        << "too many arguments for list";
    QTest::newRow("unknown option") << "list --all" << "" << QStringList() << "" << "Unknown option 'all'.";
    QTest::newRow("missing value") << "read effects --device" << "" << QStringList() << ""
                                   << "Missing value after '--device'.";
}

void TestCtlArguments::parsesCommandLine()
{
    QFETCH(QString, line);
    QFETCH(QString, command);
    QFETCH(QStringList, operands);
    QFETCH(QString, options);
    QFETCH(QString, problem);
    const QStringList arguments =
        QStringList{QStringLiteral("kestrov-ctl")} + line.split(QLatin1Char(' '), Qt::SkipEmptyParts);

    QString parseProblem;
    const CtlArguments parsed = CtlArguments::parse(arguments, &parseProblem);
    QCOMPARE(parseProblem, problem);
    QCOMPARE(parsed.command, command);
    QCOMPARE(parsed.operands, operands);
    QCOMPARE(optionsOf(parsed), options);
    // A wrong line ends before any controller is looked for; a right one would go on to them.
    if (!problem.isEmpty())
        QCOMPARE(CtlProgram::run(arguments), 2);
}

void TestCtlArguments::deviceNamesAProductId_data()
{
    QTest::addColumn<QString>("device");
    // -1: names none.
    QTest::addColumn<int>("productId");
    QTest::addColumn<QString>("kind");

    QTest::newRow("kind") << "rudder" << 22888 << "rudder";
    QTest::newRow("kind in any case") << "Wheel" << 22999 << "wheel";
    QTest::newRow("product id") << "22001" << 22001 << "collective";
    QTest::newRow("product id in hex") << "0x55F0" << 22000 << "generic";
    QTest::newRow("product id of no kind") << "4660" << 4660 << "unknown";
    QTest::newRow("display name") << "Kestrov Joystick" << -1 << "";
    QTest::newRow("zero") << "0" << -1 << "";
    QTest::newRow("past 16 bits") << "65536" << -1 << "";
}

void TestCtlArguments::deviceNamesAProductId()
{
    QFETCH(QString, device);
    QFETCH(int, productId);
    QFETCH(QString, kind);
    QCOMPARE(ControllerChoice::productIdOf(device).value_or(-1), productId);
    if (productId > 0)
        QCOMPARE(ControllerChoice::kindOf(productId), kind);
}

QTEST_GUILESS_MAIN(TestCtlArguments)
#include "tst_ctlarguments.moc"
