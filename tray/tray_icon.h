// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's tray icon: its record is filled once, then handed whole
// to every add, balloon and delete, so the notification area always sees the
// same window and identifier; the icon goes when the object does.

#include "tray/notifications.h"
#include "platform/wnd/icon.h"
#include "platform/wnd/notify_icon.h"

// Any fixed value; the record never changes it.
inline constexpr UINT kTrayIconId = 1;

inline constexpr UINT kTrayIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
inline constexpr UINT kTrayBalloonFlags = kTrayIconFlags | NIF_INFO;
inline constexpr char16_t kTrayTip[] = u"KX-507";

class CTrayIcon {
public:
    CTrayIcon() = default;
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;
    ~CTrayIcon();

    // Adds the icon for this window with the callback message, the
    // application icon and the tip.
    void Add(HWND window, HICON icon);
    // Puts the balloon into the record (text and title cut to their fields,
    // always terminated) and asks the notification area to show it. Every
    // balloon carries the information icon, "Warning" ones included.
    void ShowBalloon(const Balloon& balloon);

private:
    NOTIFYICONDATAW m_record{};
    bool m_added = false;
};
