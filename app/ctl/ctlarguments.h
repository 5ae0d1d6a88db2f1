// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The command line of kestrov-ctl: a command with its operands, and options anywhere.
// Each command takes only the options that mean something to it, as CtlCommands describes it.
struct CtlArguments {
    // As the help names it: "read", "profile apply", ...
    QString command;
    // The words after the command: "effects FILE", "apply NAME", ...
    QStringList operands;
    QString device;
    QString output;
    QString dataDirectory;
    // As given, checked by the command that takes them.
    QString duration;
    QString strength;
    QString direction;
    bool json = false;
    bool save = false;
    bool force = false;
    bool help = false;
    bool version = false;

    // Parsed arguments, or `problem` in words when they make no command.
    static CtlArguments parse(const QStringList &arguments, QString *problem);

private:
    QString check(const QStringList &givenOptions) const;
};
