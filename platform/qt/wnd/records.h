// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What headless runs record instead of showing: tray icon operations,
// pop-up menus and the menu choice, started window drags, and the modal
// actions a test has queued.

#include <deque>
#include <functional>
#include <vector>

#include "platform/wnd/testing.h"

namespace desktop {

struct HeadlessRecords {
    std::vector<wndtest::TrayCall> trayCalls;
    std::vector<wndtest::MenuRecord> menus;
    UINT menuChoice = 0;
    int systemMoves = 0;
    bool notificationArea = true;
    std::vector<wndtest::DesktopNotification> notifications;
    bool noticesToSessionBus = false;
    std::deque<std::function<void(HWND)>> modalActions;
};

HeadlessRecords& Records();

}  // namespace desktop
