// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's share of the process-wide state: the message-box presenter,
// the shell opener and the clock. The program's share, and the one reset of
// both that fixtures use, is tests/support/process_state.h.

// Puts the desktop's message boxes and opener and the real clock back, as a
// fresh process starts.
void ResetPlatformState();
