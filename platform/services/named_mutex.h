// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Named mutexes, per user, for the single-instance rule: the name is a lock
// file in the user's private run-time folder, held with flock for as long as
// the process lives. The kernel drops the lock when the process ends, however
// it ends, so a crashed instance never blocks the next start. Without such a
// folder the name is held in the abstract socket namespace instead, so that
// the rule still holds.

#include "platform/windef.h"

// Creates or opens the named mutex. When another process (or an earlier call
// in this one) already holds it, the handle is still returned and the last
// error is ERROR_ALREADY_EXISTS, as on Windows; otherwise the last error is
// ERROR_SUCCESS. Returns nullptr, with the last error set, when the system
// refuses the lock. The handle stays valid until the process ends. Security
// attributes and initial ownership are not used by the program and ignored.
HANDLE CreateMutexW(void* securityAttributes, BOOL initialOwner, const char16_t* name);
