// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Misbehaviour a test can ask of one emulated controller. Every fault is off by default,
// and setting it back to its "off" value clears it.
struct Faults {
    // Leave the bus once this many more transfers have been answered (0 = off).
    int unplugAfterTransfers = 0;
    // Leave the bus this many milliseconds after the option was given (0 = off).
    int unplugAtMs = 0;
    // STALL every GET of the busy report.
    bool statusFail = false;
    // Report busy for ever.
    bool busyForever = false;
    // Cut every GET reply to at most this many bytes (-1 = off, 0 = empty replies).
    int shortReplyBytes = -1;
    // STALL every transfer on this report id; for 0x20 the SETs (0 = off).
    int stallReportId = 0;
    // Answer every transfer this many milliseconds late (0 = off).
    int delayMs = 0;
    // Stay away after a reboot instead of coming back.
    bool noComeback = false;
    // Keep the motion range of effect records written to it at most this (0 = off).
    int motionRangeLimit = 0;
};
