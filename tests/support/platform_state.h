// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's share of the process-wide state: the message-box presenter,
// the shell opener, the clock, the system language, the application name, the
// run-time folder's places and the exit hook. The program's share, and the one
// reset of both that fixtures use, is tests/support/process_state.h.

// Puts the desktop's message boxes and opener, the real clock, the system's
// language, the program's own name and run-time folder and a real exit back,
// as a fresh process starts.
void ResetPlatformState();
