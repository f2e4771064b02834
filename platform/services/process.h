// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ending the process at once, as Windows' ExitProcess does: no window is
// closed and no destructor of the program runs; open files are flushed.

#include "platform/windef.h"

[[noreturn]] void ExitProcess(UINT exitCode);

// Called with the exit code before the process ends. A test that drives the
// program in its own process installs a hook that throws, to observe the exit
// and unwind instead; if the hook returns, the process ends as usual.
// nullptr removes the hook.
using ExitProcessHook = void (*)(UINT exitCode);
void SetExitProcessHookForTesting(ExitProcessHook hook);
