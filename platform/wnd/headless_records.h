// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a headless run records instead of showing: tray icon operations, the
// desktop notifications a balloon became, and pop-up menus. The desktop
// backend keeps them; the test driver (platform/wnd/testing.h) hands them to
// tests and the scripted runner under its own names.

#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/windef.h"
#include "platform/wnd/menu.h"
#include "platform/wnd/notify_icon.h"

namespace headless {

struct TrayCall {
    DWORD message = 0;
    NOTIFYICONDATAW data;
    int notification = -1;  // the desktop notification a balloon became, if it did
};

// What the desktop's notification service was handed for a balloon that no
// notification area showed.
struct DesktopNotification {
    std::u16string appIcon;
    std::u16string title;
    std::u16string text;
    int timeoutMs = 0;
    std::u16string desktopEntry;
};

struct MenuRecord {
    std::vector<MenuItem> items;
    CPoint at;
    UINT flags = 0;
    HWND owner = nullptr;
};

}  // namespace headless
