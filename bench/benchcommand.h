// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <cstdint>

// A settings command as the benchmark runs it: the window's button that starts it, and what
// the command is made of on the wire.
struct BenchCommand {
    enum Kind { Read, Apply, Save };

    const char *name;
    const char *buttonName;
    int page;              // of the main tab widget, made current while the command runs
    Kind kind;
    uint8_t recordReport;  // GET report of the record the command reads or writes
    uint8_t writeCommand;  // block command of that record
    int recordLength;

    bool isRead() const { return kind == Read; }
    // Busy waits (apply one, save two) or, for a read, the one record signal.
    // Control transfers the command issues: the GET of a read; block packets and terminator,
    // a status request per busy wait, for a save the save command, and the verifying read.
    int transfers() const;

    static QList<BenchCommand> all();
};
