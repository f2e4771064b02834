// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What headless runs record instead of showing: tray icon operations,
// pop-up menus and the menu choice, started window drags, and the modal
// actions a test has queued.

#include <deque>
#include <functional>
#include <vector>

#include "platform/wnd/headless_records.h"

namespace desktop {

struct HeadlessRecords {
    std::vector<headless::TrayCall> trayCalls;
    std::vector<headless::MenuRecord> menus;
    UINT menuChoice = 0;
    int systemMoves = 0;
    bool notificationArea = true;
    std::vector<headless::DesktopNotification> notifications;
    bool noticesToSessionBus = false;
    std::deque<std::function<void(HWND)>> modalActions;
};

HeadlessRecords& Records();

// Counts a started non-client drag in headless runs.
void CountSystemMove();

}  // namespace desktop
