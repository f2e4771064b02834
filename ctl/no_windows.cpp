// SPDX-License-Identifier: GPL-3.0-or-later
// The HID backends send device-change messages to the windows that
// registered for them and watch the udev monitor from the message loop. The
// command has no windows, no message loop and registers for nothing, so
// none of this is ever called; these stand in for the window framework.
#include "platform/fd_watch.h"
#include "platform/winuser.h"

LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) { return 0; }

FdWatchId WatchFdReadable(int, std::function<void()>) { return -1; }

void UnwatchFd(FdWatchId) {}
