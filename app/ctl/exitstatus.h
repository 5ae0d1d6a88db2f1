// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The exit status of kestrov-ctl, as its help and man page list them.
enum class ExitStatus : int {
    Done = 0,
    // The controller failed a command, or kept other values than were sent.
    ControllerFailed = 1,
    // A wrong command line, or a file or profile that cannot be used; nothing was sent.
    Usage = 2,
    NoController = 3,
    NoAccess = 4,
};
