// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/exitstatus.h"

#include <QString>
#include <QStringList>

struct CtlArguments;

// One command of kestrov-ctl as its parsing, its dispatch and its help see it. The commands
// are the rows of CtlCommands::all().
struct CtlCommand {
    // The options a command may take besides --device, in the order its usage line names them.
    enum Option : unsigned {
        NoOption = 0,
        Json = 1,
        Output = 2,
        Save = 4,
        Force = 8,
        DataDirectory = 16,
        DurationSeconds = 32,
        DurationMs = 64,
        Strength = 128,
        Direction = 256,
    };
    using Handler = ExitStatus (*)(const CtlArguments &);

    // "read", "profile apply". A group ("profile") has no handler: it only names its
    // commands, which take the next word of the command line into their names.
    const char *name = "";
    // The words after the name: "a|b" is one of those keywords, "[NAME]" a value that may be
    // left out (the last words only), any other word a value.
    const char *operands = "";
    unsigned options = NoOption;
    // Talks to one controller, so takes --device.
    bool needsController = true;
    // Its line in the general help.
    const char *summary = "";
    // Its own help: what it does, its options besides --device, and a closing note.
    const char *about = "";
    const char *optionHelp = "";
    const char *note = "";
    Handler run = nullptr;

    bool isGroup() const { return run == nullptr; }
    // "read effects|hardware"
    QString synopsis() const;
    // "read effects|hardware [--json] [-o FILE]"
    QString usage() const;
    // What is wrong with the words after the name and the options given (long names), as
    // the error line says it; empty when they make this command.
    QString problemWith(const QStringList &givenOperands, const QStringList &givenOptions) const;

private:
    bool takes(const QString &option) const;
};
