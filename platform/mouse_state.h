// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the mouse keeps its memory between two runs of the command. A real
// mouse keeps it itself; the simulated one of the demo build lives only as
// long as its process, so the demo keeps its memory in a file in the user's
// run-time folder: what `apply` sent, `show --from-mouse` then reads.

// Before the first transfer: the simulated mouse takes the kept memory.
void RestoreMouseState();

// After a write: the simulated mouse's memory is kept for the next run.
void KeepMouseState();
