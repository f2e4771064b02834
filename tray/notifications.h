// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's notification message shows: one balloon per known
// (code, detail) pair, nothing for anything else. Other programs may send any
// code and detail, so every value is looked up, never trusted.

#include <chrono>
#include <optional>
#include <string>

#include "lang/main_strings.h"
#include "platform/windef.h"
#include "platform/winuser.h"

// The notification message and the tray icon's callback message of the main window.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;
inline constexpr UINT kNotificationMessage = WM_USER + 2;

// The codes that show a balloon.
inline constexpr WPARAM kNotifyReportRate = 5;
inline constexpr WPARAM kNotifyDpiStage = 7;
inline constexpr WPARAM kNotifyKeyMatrix = 8;
inline constexpr WPARAM kNotifyMacroKey = 9;
inline constexpr WPARAM kNotifyMouseFound = 14;
inline constexpr WPARAM kNotifyMouseNotFound = 15;

// The time-outs handed to the notification area: long enough to read a
// setting change, a flash for the mouse coming or going.
inline constexpr std::chrono::milliseconds kSettingBalloonTimeout{5000};
inline constexpr std::chrono::milliseconds kMouseBalloonTimeout{100};

inline constexpr std::u16string_view kInfoTitle = u"Info";
inline constexpr std::u16string_view kWarningTitle = kWarningCaption;

struct Balloon {
    std::u16string text;
    std::u16string_view title;
    std::chrono::milliseconds timeout;
};

// The balloon for a notification, or nothing. The DPI-stage balloons end in
// the value text of the stage's position in the settings record, taken from
// the DPI value list chosen by DpiTableSet.
std::optional<Balloon> BalloonForNotification(const MainWindowStrings& strings, WPARAM code, LPARAM detail);
