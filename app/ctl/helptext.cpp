#include "app/ctl/helptext.h"

#include <QMap>

namespace HelpText {

namespace {

const char DEVICE_OPTION[] =
    "  --device PID|KIND  the controller to use when several are connected: its USB\n"
    "                     product id (22999) or kind (generic, joystick, rudder,\n"
    "                     wheel, collective)\n";

const char EXIT_STATUS[] =
    "Exit status:\n"
    "  0  done\n"
    "  1  the controller failed the command, or kept other values than were sent\n"
    "  2  a wrong command line, or a file or profile that cannot be used; nothing\n"
    "     was sent to the controller\n"
    "  3  no such controller is connected\n"
    "  4  the controller is connected, but this user may not open it\n";

QString withDevice(const char *text)
{
    return QString::fromUtf8(text) + QStringLiteral("\nOptions:\n") + QString::fromUtf8(DEVICE_OPTION);
}

QString withDevice(const char *text, const char *options)
{
    return withDevice(text) + QString::fromUtf8(options);
}

} // namespace

QString general()
{
    return QStringLiteral(
               "Usage: kestrov-ctl [--device PID|KIND] COMMAND [ARGUMENTS]\n"
               "\n"
               "Configures Kestrov force-feedback controllers over USB, with the rules and\n"
               "the effect profiles of the Kestrov Setup window.\n"
               "\n"
               "Commands:\n"
               "  list                         the controllers on the bus\n"
               "  read effects|hardware        a working settings record, raw or as JSON\n"
               "  apply effects|hardware FILE  write a record to the working memory\n"
               "  save effects|hardware FILE   write a record and make it permanent\n"
               "  profile list                 the effect profiles of Kestrov Setup\n"
               "  profile apply NAME           apply an effect profile\n"
               "  profile save NAME            keep the controller's effect settings as a profile\n"
               "  backup FILE                  both records of the controller into one file\n"
               "  restore FILE                 write a backup back to the controller\n"
               "  reboot                       restart the controller\n"
               "  dfu                          switch the controller to firmware update (DFU)\n"
               "\n"
               "Options:\n")
        + QString::fromUtf8(DEVICE_OPTION)
        + QStringLiteral("  -h, --help         this help; \"kestrov-ctl COMMAND --help\" for a command\n"
                         "  --version          the firmware version this tool is made for\n"
                         "\n")
        + QString::fromUtf8(EXIT_STATUS);
}

QString of(const QString &command)
{
    static const QMap<QString, QString> texts{
        {QStringLiteral("list"),
         QStringLiteral("Usage: kestrov-ctl list [--json]\n"
                        "\n"
                        "Lists every Kestrov controller on the bus: its kind, product id and\n"
                        "firmware version, whether the firmware matches this tool, and, for a\n"
                        "controller that cannot be opened, why and what fixes it.\n"
                        "\n"
                        "Options:\n"
                        "  --json  one JSON document instead of lines\n"
                        "\n"
                        "Exit status 0 when a controller can be used, 4 when controllers are there\n"
                        "but none can be opened, 3 when there is none.\n")},
        {QStringLiteral("read"),
         withDevice("Usage: kestrov-ctl read effects|hardware [--json] [-o FILE]\n"
                    "\n"
                    "Reads the controller's working settings record. Raw, it is the record's\n"
                    "bytes as the controller sends them (an effects record is also an effect\n"
                    "profile file); as JSON, one member per field, per axis in \"axes\".\n",
                    "  --json             JSON instead of the raw bytes\n"
                    "  -o, --output FILE  write to FILE instead of standard output (raw bytes\n"
                    "                     are not written to a terminal)\n")},
        {QStringLiteral("apply"),
         withDevice("Usage: kestrov-ctl apply effects|hardware FILE\n"
                    "\n"
                    "Writes a settings record to the controller's working memory and reads it\n"
                    "back to verify it. FILE holds the raw record (384 bytes of effects, 512 of\n"
                    "hardware) or its JSON as \"read --json\" writes it; \"-\" reads standard input.\n"
                    "A value the controller cannot store is refused and nothing is sent.\n")},
        {QStringLiteral("save"),
         withDevice("Usage: kestrov-ctl save effects|hardware FILE\n"
                    "\n"
                    "As apply, and then makes the record permanent: the controller keeps it\n"
                    "through a power cycle.\n")},
        {QStringLiteral("profile"),
         QStringLiteral("Usage: kestrov-ctl profile list|apply|save [NAME]\n"
                        "\n"
                        "The effect profiles of Kestrov Setup: \"profile list\", \"profile apply NAME\"\n"
                        "and \"profile save NAME\". \"kestrov-ctl profile list --help\" and the others\n"
                        "tell more.\n")},
        {QStringLiteral("profile list"),
         QStringLiteral("Usage: kestrov-ctl profile list [--data-dir DIR]\n"
                        "\n"
                        "Lists the effect profiles of Kestrov Setup, one name a line.\n"
                        "\n"
                        "Options:\n"
                        "  --data-dir DIR  the directory Kestrov Setup runs in, whose\n"
                        "                  device_effects_profiles/ holds the profiles. Default:\n"
                        "                  $XDG_DATA_HOME/kestrov-setup or ~/.local/share/kestrov-setup\n"
                        "                  when it exists (the installed tool's), else the current\n"
                        "                  directory.\n")},
        {QStringLiteral("profile apply"),
         withDevice("Usage: kestrov-ctl profile apply NAME [--save] [--data-dir DIR]\n"
                    "\n"
                    "Applies the effect profile NAME to the controller's working memory and\n"
                    "verifies it; with --save also makes it permanent.\n",
                    "  --save          make the settings permanent\n"
                    "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n")},
        {QStringLiteral("profile save"),
         withDevice("Usage: kestrov-ctl profile save NAME [--data-dir DIR]\n"
                    "\n"
                    "Reads the controller's effect settings and keeps them as the profile\n"
                    "NAME, replacing a profile of that name.\n",
                    "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n")},
        {QStringLiteral("backup"),
         withDevice("Usage: kestrov-ctl backup FILE\n"
                    "\n"
                    "Reads both settings records of the controller and writes them to FILE,\n"
                    "with the controller's kind, product id and firmware version and a\n"
                    "checksum.\n")},
        {QStringLiteral("restore"),
         withDevice("Usage: kestrov-ctl restore FILE [--save] [--force]\n"
                    "\n"
                    "Writes both records of a backup to the controller, effects first, and\n"
                    "verifies them. A damaged or cut-short file is refused, and so is a backup\n"
                    "of another kind of controller; another firmware version is warned about.\n"
                    "Nothing is sent when the file is refused.\n",
                    "  --save   make the restored settings permanent\n"
                    "  --force  restore a backup of another kind of controller too\n")},
        {QStringLiteral("reboot"),
         withDevice("Usage: kestrov-ctl reboot\n"
                    "\n"
                    "Restarts the controller; it comes back with its permanent settings.\n")},
        {QStringLiteral("dfu"),
         withDevice("Usage: kestrov-ctl dfu\n"
                    "\n"
                    "Switches the controller to its firmware update (DFU) mode; it leaves the\n"
                    "bus as a Kestrov controller until it is updated or replugged.\n")},
    };
    const auto text = texts.constFind(command);
    if (text == texts.cend())
        return general();
    return *text + QStringLiteral("\n") + QString::fromUtf8(EXIT_STATUS);
}

} // namespace HelpText
