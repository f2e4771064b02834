// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording stand-ins for the window-system calls the HID backend makes
// (SendMessageW, WatchFdReadable, UnwatchFd), linked only into these tests:
// the backend is tested without a window framework or an event loop.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/fd_watch.h"
#include "platform/windef.h"

struct SentDeviceChange {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM code = 0;
    DWORD size = 0;
    DWORD deviceType = 0;
    GUID classGuid{};
    std::u16string name;
};

struct FakeWindowSystem {
    struct Watch {
        int fd = -1;
        std::function<void()> onReadable;
    };

    static std::vector<SentDeviceChange> sent;
    // Runs inside SendMessageW, as a window's handler would.
    static std::function<void(const SentDeviceChange&)> handler;
    static std::map<FdWatchId, Watch> watches;
    static bool failWatch;

    static void Reset();
    // What the message loop does when `fd` becomes readable.
    static void SignalReadable(int fd);
    static int Count(WPARAM code);
};
