// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Translation of POSIX errors into the Windows error numbers that callers of
// the platform layer see through GetLastError.

#include "platform/windef.h"

// The Windows error code closest in meaning to errno value `error`;
// ERROR_GEN_FAILURE for anything without a counterpart.
DWORD WinErrorFromErrno(int error);

// Sets the calling thread's last error from errno value `error`.
void SetLastErrorFromErrno(int error);
