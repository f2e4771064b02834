// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command's exit statuses, one per kind of failure, so that scripts can
// tell them apart. The manual page lists the same numbers.

enum ExitStatus : int {
    kExitOk = 0,
    kExitDifferent = 1,       // diff: the profile would change something
    kExitUsage = 2,           // wrong arguments
    kExitSettingsFiles = 3,   // config.bin missing, not 180 bytes, or holding what no profile expresses
    kExitBadProfile = 4,      // the profile cannot be read or is not valid
    kExitProgramRunning = 5,  // the tray program runs and owns the files and the mouse
    kExitMouseNotFound = 6,   // no mouse, or its collections cannot be opened
    kExitMouseTransfer = 7,   // the mouse did not answer a read or a write
    kExitWriteFailed = 8,     // a file could not be written; nothing was changed
};
