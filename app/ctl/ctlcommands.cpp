// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/ctlcommands.h"

#include "app/ctl/backupcommands.h"
#include "app/ctl/inputcommands.h"
#include "app/ctl/listcommand.h"
#include "app/ctl/profilecommands.h"
#include "app/ctl/recordcommands.h"
#include "app/ctl/requestcommands.h"

namespace CtlCommands {

namespace {

const CtlCommand COMMANDS[] = {
    {.name = "list",
     .options = CtlCommand::Json,
     .needsController = false,
     .summary = "the controllers on the bus",
     .about = "Lists every Kestrov controller on the bus: its kind, product id and\n"
              "firmware version, whether the firmware matches this tool, and, for a\n"
              "controller that cannot be opened, why and what fixes it.\n",
     .optionHelp = "  --json  one JSON document instead of lines\n",
     .note = "Exit status 0 when a controller can be used, 4 when controllers are there\n"
             "but none can be opened, 3 when there is none.\n",
     .run = &ListCommand::run},
    {.name = "read",
     .operands = "effects|hardware",
     .options = CtlCommand::Json | CtlCommand::Output,
     .summary = "a working settings record, raw or as JSON",
     .about = "Reads the controller's working settings record. Raw, it is the record's\n"
              "bytes as the controller sends them (an effects record is also an effect\n"
              "profile file); as JSON, one member per field, per axis in \"axes\".\n",
     .optionHelp = "  --json             JSON instead of the raw bytes\n"
                   "  -o, --output FILE  write to FILE instead of standard output (raw bytes\n"
                   "                     are not written to a terminal)\n",
     .run = &RecordCommands::read},
    {.name = "apply",
     .operands = "effects|hardware FILE",
     .options = CtlCommand::Force,
     .summary = "write a record to the working memory",
     .about = "Writes a settings record to the controller's working memory and reads it\n"
              "back to verify it. FILE holds the raw record (384 bytes of effects, 512 of\n"
              "hardware) or its JSON as \"read --json\" writes it; \"-\" reads standard input.\n"
              "A value the controller cannot store is refused and nothing is sent; so is a\n"
              "value the window cannot show (a number outside its field's range, a code\n"
              "beyond its field's list), each one named, unless --force.\n",
     .optionHelp = "  --force  send values the window cannot show all the same\n",
     .run = &RecordCommands::write},
    {.name = "save",
     .operands = "effects|hardware FILE",
     .options = CtlCommand::Force,
     .summary = "write a record and make it permanent",
     .about = "As apply, and then makes the record permanent: the controller keeps it\n"
              "through a power cycle.\n",
     .optionHelp = "  --force  send values the window cannot show all the same\n",
     .run = &RecordCommands::write},
    {.name = "profile",
     .operands = "list|apply|save|delete|rename|export|import [ARGUMENTS]",
     .needsController = false,
     .about = "The effect profiles of Kestrov Setup: \"profile list\", \"profile apply NAME\",\n"
              "\"profile save NAME\", \"profile delete NAME\", \"profile rename OLD NEW\",\n"
              "\"profile export NAME FILE\" and \"profile import FILE [NAME]\". Only apply and\n"
              "save use a controller. \"kestrov-ctl profile list --help\" and the others tell\n"
              "more.\n"},
    {.name = "profile list",
     .options = CtlCommand::DataDirectory,
     .needsController = false,
     .summary = "the effect profiles of Kestrov Setup",
     .about = "Lists the effect profiles of Kestrov Setup, one name a line.\n",
     .optionHelp = "  --data-dir DIR  the directory Kestrov Setup runs in, whose\n"
                   "                  device_effects_profiles/ holds the profiles. Default:\n"
                   "                  $XDG_DATA_HOME/kestrov-setup or ~/.local/share/kestrov-setup\n"
                   "                  when it exists (the installed tool's), else the current\n"
                   "                  directory.\n",
     .run = &ProfileCommands::list},
    {.name = "profile apply",
     .operands = "NAME",
     .options = CtlCommand::Save | CtlCommand::DataDirectory,
     .summary = "apply an effect profile",
     .about = "Applies the effect profile NAME to the controller's working memory and\n"
              "verifies it; with --save also makes it permanent.\n",
     .optionHelp = "  --save          make the settings permanent\n"
                   "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n",
     .run = &ProfileCommands::apply},
    {.name = "profile save",
     .operands = "NAME",
     .options = CtlCommand::DataDirectory,
     .summary = "keep the controller's effect settings as a profile",
     .about = "Reads the controller's effect settings and keeps them as the profile\n"
              "NAME, replacing a profile of that name.\n",
     .optionHelp = "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n",
     .run = &ProfileCommands::save},
    {.name = "profile delete",
     .operands = "NAME",
     .options = CtlCommand::DataDirectory,
     .needsController = false,
     .summary = "delete an effect profile",
     .about = "Deletes the effect profile NAME.\n",
     .optionHelp = "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n",
     .run = &ProfileCommands::remove},
    {.name = "profile rename",
     .operands = "OLD NEW",
     .options = CtlCommand::DataDirectory,
     .needsController = false,
     .summary = "give an effect profile another name",
     .about = "Renames the effect profile OLD to NEW. A NEW that is a profile already, or\n"
              "that cannot be a profile name, is refused and nothing is changed.\n",
     .optionHelp = "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n",
     .run = &ProfileCommands::rename},
    {.name = "profile export",
     .operands = "NAME FILE",
     .options = CtlCommand::DataDirectory,
     .needsController = false,
     .summary = "copy an effect profile to a file",
     .about = "Writes the effect profile NAME, the raw effect record byte for byte, to\n"
              "FILE, replacing FILE.\n",
     .optionHelp = "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n",
     .run = &ProfileCommands::exportProfile},
    {.name = "profile import",
     .operands = "FILE [NAME]",
     .options = CtlCommand::Force | CtlCommand::DataDirectory,
     .needsController = false,
     .summary = "keep a file as an effect profile",
     .about = "Copies FILE in as the effect profile NAME, by default FILE's name without\n"
              "its extension. FILE must be an effect record as \"read effects\" and\n"
              "\"profile export\" write it: at least 384 bytes. A profile of that name is\n"
              "not replaced without --force.\n",
     .optionHelp = "  --force         replace a profile of that name\n"
                   "  --data-dir DIR  where the profiles are: see \"profile list --help\"\n",
     .run = &ProfileCommands::importProfile},
    {.name = "backup",
     .operands = "FILE",
     .summary = "both records of the controller into one file",
     .about = "Reads both settings records of the controller and writes them to FILE,\n"
              "with the controller's kind, product id and firmware version and a\n"
              "checksum.\n",
     .run = &BackupCommands::backup},
    {.name = "restore",
     .operands = "FILE",
     .options = CtlCommand::Save | CtlCommand::Force,
     .summary = "write a backup back to the controller",
     .about = "Writes both records of a backup to the controller, effects first, and\n"
              "verifies them. A damaged or cut-short file is refused, and so is a backup\n"
              "of another kind of controller; another firmware version is warned about.\n"
              "Nothing is sent when the file is refused.\n",
     .optionHelp = "  --save   make the restored settings permanent\n"
                   "  --force  restore a backup of another kind of controller too\n",
     .run = &BackupCommands::restore},
    {.name = "reboot",
     .summary = "restart the controller",
     .about = "Restarts the controller; it comes back with its permanent settings.\n",
     .run = &RequestCommands::reboot},
    {.name = "dfu",
     .summary = "switch the controller to firmware update (DFU)",
     .about = "Switches the controller to its firmware update (DFU) mode; it leaves the\n"
              "bus as a Kestrov controller until it is updated or replugged.\n",
     .run = &RequestCommands::switchToDfu},
    {.name = "inputs",
     .options = CtlCommand::Json | CtlCommand::DurationSeconds,
     .summary = "the controller's axes and buttons as they change",
     .about = "Prints a line for each change of an axis or button of the controller, as\n"
              "the kernel's input device reports it: the time, the kernel's name of the\n"
              "axis or button, its value, and the row of the window's pages it stands\n"
              "for. Runs until the time is up, the controller leaves, or Ctrl+C. Needs\n"
              "the kernel's HID driver to hold the controller.\n",
     .optionHelp = "  --json             one JSON object a line: type (axis or button), name,\n"
                   "                     row where a page shows it, value, time (seconds)\n"
                   "  --duration SECONDS\n"
                   "                     stop after this long\n",
     .run = &InputCommands::inputs},
    {.name = "force-test",
     .operands = "constant|spring|sine",
     .options = CtlCommand::Strength | CtlCommand::DurationMs | CtlCommand::Direction,
     .summary = "play a test force on the controller",
     .about = "Plays one test effect through the kernel's force-feedback interface, with\n"
              "the controller's working settings: a constant force, a spring to the\n"
              "centre, or a sine. The effect is removed when it ends, and the kernel\n"
              "removes it should kestrov-ctl be stopped early.\n",
     .optionHelp = "  --strength PCT     0 to 100, default 20\n"
                   "  --duration MS      1 to 10000, default 2000\n"
                   "  --direction left|right\n"
                   "                     of the constant force, default left\n",
     .note = "Exit status 1 when the controller offers no force feedback or the kernel\n"
             "refuses the effect, 2 for a strength or duration outside its limits (nothing\n"
             "is played then).\n",
     .run = &InputCommands::forceTest},
};

} // namespace

std::span<const CtlCommand> all()
{
    return COMMANDS;
}

const CtlCommand *find(const QString &name)
{
    for (const CtlCommand &command : COMMANDS)
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

} // namespace CtlCommands
