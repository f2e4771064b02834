// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets a backend have the program's one message loop call it back when a file
// descriptor becomes readable (the udev monitor), so no thread is needed. The
// window framework's backend implements it.

#include <functional>

using FdWatchId = int;

FdWatchId WatchFdReadable(int fd, std::function<void()> onReadable);
void UnwatchFd(FdWatchId id);
