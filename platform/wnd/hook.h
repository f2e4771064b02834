// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Per-thread keyboard hooks: a hook procedure sees every key message taken
// from the user-interface thread's queue before the message is pre-translated
// and dispatched, as the Windows keyboard hook (not the low-level one) does.

#include <cstddef>

#include "platform/windef.h"

struct HHOOK__;
using HHOOK = HHOOK__*;
using HINSTANCE = void*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

inline constexpr int WH_KEYBOARD = 2;
inline constexpr int HC_ACTION = 0;

inline constexpr DWORD ERROR_INVALID_HOOK_FILTER = 1426;
inline constexpr DWORD ERROR_INVALID_FILTER_PROC = 1427;
inline constexpr DWORD ERROR_HOOK_NEEDS_HMOD = 1428;

// Only WH_KEYBOARD for the calling thread (threadId = GetCurrentThreadId()) is
// available; anything else fails with the Windows error code in GetLastError.
HHOOK SetWindowsHookExW(int idHook, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
// Hands the call to the hook installed before `hook`; 0 at the end of the chain.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// Runs the chain for a key message taken from the queue, newest hook first.
// A non-zero result means a hook swallowed the message.
LRESULT RunKeyboardHooks(WPARAM virtualKey, LPARAM keystrokeFlags);

// For tests: the next SetWindowsHookExW fails with `error` (as Windows does
// when it runs short of resources), and the number of hooks installed now.
void FailNextHookForTesting(DWORD error);
std::size_t KeyboardHookCountForTesting();
